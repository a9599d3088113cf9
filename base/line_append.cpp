#include "base/line_append.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

bool AppendToFile(const std::string& path, std::string_view text, std::string& error) {
  return AppendWithHeader(path, {}, text, error);
}

bool AppendWithHeader(const std::string& path, std::string_view header, std::string_view text,
                      std::string& error) {
  const int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  std::string bytes;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && st.st_size == 0 && !header.empty()) {
    (bytes = header) += '\n';
  } else if (char last = '\n';
             st.st_size > 0 && ::pread(fd, &last, 1, st.st_size - 1) == 1 && last != '\n') {
    bytes = "\n";  // a line cut short (a full disk) must not swallow the next one
  }
  bytes += text;
  // One write call: O_APPEND keeps the lines whole at the end of the file.
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = std::strerror(n < 0 ? errno : ENOSPC);
      ::close(fd);
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  if (::close(fd) != 0) {
    error = std::strerror(errno);
    return false;
  }
  return true;
}

#include "base/file_save.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

std::string ErrorText(int error) { return std::strerror(error); }

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

void SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

// Writes all of `bytes` to `fd` from where it stands; 0 or the error number. `wrote` turns
// true once any byte went out.
int WriteAll(int fd, std::string_view bytes, const AtomicWriteOptions& options, bool& wrote) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = options.write ? options.write(fd, bytes.data() + done, bytes.size() - done)
                                    : ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return ENOSPC;
    wrote = true;
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

// The atomic write; `noTemp` tells that the temporary file could not be made.
std::string WriteAtomically(const std::string& target, std::string_view bytes,
                            const AtomicWriteOptions& options, bool& noTemp) {
  static std::atomic<unsigned> counter{0};
  const std::string temp =
      target + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(counter.fetch_add(1));
  struct stat old;
  const bool hadFile = stat(target.c_str(), &old) == 0;

  constexpr int kFlags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;
  const int fd = options.openTemp ? options.openTemp(temp.c_str(), kFlags, 0666)
                                  : open(temp.c_str(), kFlags, 0666);
  if (fd < 0) {
    noTemp = true;
    return ErrorText(errno);
  }
  if (hadFile) fchmod(fd, old.st_mode & 07777);  // the list keeps its permissions

  auto fail = [&](int error) {
    close(fd);
    unlink(temp.c_str());
    return ErrorText(error);
  };
  bool wrote = false;
  if (const int error = WriteAll(fd, bytes, options, wrote); error != 0) return fail(error);
  if (options.sync && fsync(fd) != 0) return fail(errno);
  if (close(fd) != 0) {
    const int error = errno;
    unlink(temp.c_str());
    return ErrorText(error);
  }
  if (rename(temp.c_str(), target.c_str()) != 0) {
    const int error = errno;
    unlink(temp.c_str());
    return ErrorText(error);
  }
  if (options.sync) SyncFolder(FolderOf(target));
  return "";
}

// Writes the file over where it lies, cuts it to the new length and syncs it.
std::string WriteInPlace(const std::string& target, std::string_view bytes,
                         const AtomicWriteOptions& options, bool& changed) {
  const int fd = open(target.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return ErrorText(errno);
  auto fail = [&](int error) {
    close(fd);
    return ErrorText(error);
  };
  if (const int error = WriteAll(fd, bytes, options, changed); error != 0) return fail(error);
  changed = true;
  if (ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) return fail(errno);
  if (options.sync && fsync(fd) != 0) return fail(errno);
  if (close(fd) != 0) return ErrorText(errno);
  return "";
}

}  // namespace

std::string ResolvedPath(const std::string& path) {
  std::string current = path;
  // A link whose file does not exist yet (a settings file kept elsewhere, not yet written)
  // is followed by hand: realpath refuses it, and renaming over the link would replace it.
  for (int hop = 0; hop < 40; ++hop) {
    struct stat st;
    if (lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    if (char* real = realpath(current.c_str(), nullptr)) {
      std::string resolved = real;
      std::free(real);
      return resolved;
    }
    std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
    const ssize_t n = readlink(current.c_str(), target.data(), target.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) return current;
    target.resize(static_cast<std::size_t>(n));
    current = target.front() == '/' ? target : FolderOf(current) + "/" + target;
  }
  return current;
}

void IgnoreFileSizeSignal() { signal(SIGXFSZ, SIG_IGN); }

std::string WriteFileAtomically(const std::string& path, std::string_view bytes,
                                const AtomicWriteOptions& options) {
  bool noTemp = false;
  return WriteAtomically(ResolvedPath(path), bytes, options, noTemp);
}

FileSaveResult SaveFile(const std::string& path, std::string_view bytes,
                        const AtomicWriteOptions& options) {
  FileSaveResult result;
  const std::string target = ResolvedPath(path);
  bool noTemp = false;
  result.error = WriteAtomically(target, bytes, options, noTemp);
  if (result.error.empty() || !noTemp) return result;
  // Writing in place risks a half-written file, but it is the only way left to keep the
  // data. When even the file will not open, the first reason stands.
  const std::string inPlace = WriteInPlace(target, bytes, options, result.oldFileChanged);
  if (inPlace.empty()) {
    result.error.clear();
    result.inPlace = true;
  } else if (result.oldFileChanged) {
    result.error = inPlace;
  }
  return result;
}

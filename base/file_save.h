// Saving a file so that a failure never leaves it half-written: a complete new file beside the
// old one, renamed over it.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// Writes a complete file under a temporary name in the same folder, flushes it to disk and
// renames it over `path`, so the old file survives any failure. `write` stands in for
// ::write and `openTemp` for the ::open that makes the temporary file (tests make them
// fail); `sync` = false skips the fsync calls (benchmarks only).
struct AtomicWriteOptions {
  bool sync = true;
  std::function<ssize_t(int fd, const void* data, std::size_t size)> write;
  std::function<int(const char* path, int flags, mode_t mode)> openTemp;
};
// Returns an empty text on success, else the reason (strerror text).
std::string WriteFileAtomically(const std::string& path, std::string_view bytes,
                                const AtomicWriteOptions& options = {});

struct FileSaveResult {
  std::string error;            // empty on success, else the reason
  bool inPlace = false;         // the file was written over where it lies
  bool oldFileChanged = false;  // a failed write in place may have changed the old file
  bool ok() const { return error.empty(); }
};
// WriteFileAtomically, and when no temporary file can be made beside the file (a folder the
// user may not write to, holding a file the user may write), the file is written over in
// place and synced instead.
FileSaveResult SaveFile(const std::string& path, std::string_view bytes,
                        const AtomicWriteOptions& options = {});

// A symbolic link is followed, so that saving replaces the file it points to rather than the
// link; also a link to a file that does not exist yet.
std::string ResolvedPath(const std::string& path);

// A file-size limit (ulimit -f) stops a write with EFBIG instead of ending the program, so a
// save that meets it fails with a message like any other write error.
void IgnoreFileSizeSignal();

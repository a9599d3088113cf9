// The ICLIST.DAT file round trip with files of arbitrary bytes and lengths: whatever loads
// must save and load back unchanged. Each input writes and reads a 1.5 MB file, so this one
// is slow (some tens of inputs a second); iclist_fuzz covers the decoder and the indexes
// fast, and is the one CI runs for the full time.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "stations/station_file.h"

namespace {

std::string folder;

void RemoveFolder() {
  for (const char* name : {"/ICLIST.DAT", "/ICLIST.DAT.bak"}) unlink((folder + name).c_str());
  rmdir(folder.c_str());
}

const std::string& Folder() {
  if (folder.empty()) {
    char pattern[] = "/tmp/fennix-fuzz-XXXXXX";
    folder = mkdtemp(pattern);
    std::atexit(RemoveFolder);
  }
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  static MemoData data;
  static MemoData back;

  // Load, save, load again.
  const std::string path = Folder() + "/ICLIST.DAT";
  unlink((path + ".bak").c_str());
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes, 1, size, f);
    std::fclose(f);
  }
  StationFile file(path);
  int progress = -1;
  const auto loaded = file.DataRead(data, [&](int v) {
    if (v != progress + 1) std::abort();
    progress = v;
  });
  if (progress != 10) std::abort();
  if ((size < kStationFileSize) != (loaded.outcome == StationLoadResult::kDamaged)) std::abort();
  AtomicWriteOptions fast;
  fast.sync = false;
  if (!file.DataWrite(data, true, 1, fast).ok()) std::abort();
  StationFile again(path);
  if (again.DataRead(back).outcome != StationLoadResult::kLoaded || !(back == data)) std::abort();
  return 0;
}

// The ICLIST.DAT loader with files of arbitrary bytes and lengths: decoding must stay inside
// the image, and whatever loads must save and load back unchanged.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "stations/station_file.h"
#include "stations/station_index.h"

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
  static StationIndexes indexes;

  // The pure decoder on the bytes as they are.
  const int whole = DecodeMemoData(bytes, size, data);
  if (whole != static_cast<int>(std::min<std::size_t>(size / kMemoRecordSize, kMemoCount))) {
    std::abort();
  }
  indexes.AutoMode_IdxInit(data);

  // The file path: load, save, load again.
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

// The fennix-list tool as a user runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "base/instance_lock.h"
#include "stations/station_file.h"
#include "tests/stations/temp_folder.h"

namespace {

int RunTool(const TempFolder& dir, const std::string& arguments) {
  const std::string command =
      "cd '" + dir.Path() + "' && XDG_RUNTIME_DIR='" + dir.Path() + "' FENNIX_DATA='" + dir.Path() +
      "' '" FENNIX_BINARY_DIR "/tools/fennix-list' " + arguments + " >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(FennixList, ExitStatuses) {
  TempFolder dir;
  const std::string sample = std::string(FENNIX_SOURCE_DIR) + "/tests/stations/data/chirp.csv";
  WriteFileBytes(dir / "bad.csv", "Freq,Label\n145,a\n");
  MemoData twice;
  twice[1].Frequency = twice[2].Frequency = 145000000;
  StationFile(dir / "twice.DAT").DataWrite(twice, true, 1);
  StationFile(dir / "clean.DAT").DataWrite(MemoData{}, true, 1);
  const struct {
    std::string arguments;
    int status;
  } cases[] = {
      {"--help", 0},
      {"", 2},
      {"export --format csv out.csv", 2},
      {"import", 2},
      {"frobnicate", 2},
      {"import missing.csv", 3},
      {"import bad.csv", 3},
      {"export --format fennix --list missing.DAT out.csv", 3},
      {"check twice.DAT", 1},
      {"check clean.DAT", 0},
      {"import '" + sample + "' --dry-run", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(RunTool(dir, c.arguments), c.status) << c.arguments;
  EXPECT_EQ(ReadFileBytes(dir / kStationFileName), "");  // the dry run wrote no list

  {
    // While Fennix runs, the list is left alone.
    setenv("XDG_RUNTIME_DIR", dir.Path().c_str(), 1);
    InstanceLock fennix;
    ASSERT_EQ(fennix.Acquire(InstanceLock::DefaultPath("SampleMutex"), 0),
              InstanceLock::Result::Acquired);
    EXPECT_EQ(RunTool(dir, "import '" + sample + "' --list clean.DAT"), 4);
    EXPECT_EQ(ReadFileBytes(dir / "clean.DAT"), std::string(kStationFileSize, '\0'));
  }
  EXPECT_EQ(RunTool(dir, "import '" + sample + "' --list clean.DAT"), 0);
  MemoData after;
  StationFile(dir / "clean.DAT").DataRead(after);
  EXPECT_EQ(after[8].Frequency, 80000000);  // the last of the CHIRP file's eight usable lines
}

}  // namespace

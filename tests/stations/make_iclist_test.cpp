// The example list generator's command line: help, refused options, and the list it writes.
#define FENNIX_MAKE_ICLIST_NO_MAIN
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/stations/temp_folder.h"
#include "tools/make_iclist.cpp"

namespace {

struct Outcome {
  int status;
  std::string out, err;
};

Outcome RunTool(std::vector<std::string> args) {
  args.insert(args.begin(), "make_iclist");
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  const int status = iclist_gen::Run(static_cast<int>(argv.size()), argv.data(), out, err);
  auto text = [](std::FILE* f) {
    std::string s;
    std::rewind(f);
    for (int c; (c = std::fgetc(f)) != EOF;) s.push_back(static_cast<char>(c));
    std::fclose(f);
    return s;
  };
  return {status, text(out), text(err)};
}

TEST(MakeIclist, HelpAndUnknownOptionsWriteNoFile) {
  TempFolder dir;
  struct Case {
    std::vector<std::string> args;
    int status;
    bool usageOnOut;
  } cases[] = {
      {{"--help"}, 0, true},
      {{"-h"}, 0, true},
      {{"--force"}, 2, false},
      {{"-o", dir / "ICLIST.DAT"}, 2, false},
      {{dir / "a.dat", dir / "b.dat"}, 2, false},
  };
  for (const Case& c : cases) {
    const Outcome o = RunTool(c.args);
    EXPECT_EQ(o.status, c.status) << c.args[0];
    EXPECT_NE((c.usageOnOut ? o.out : o.err).find("usage: make_iclist"), std::string::npos);
  }
  EXPECT_TRUE(dir.Names().empty());
}

TEST(MakeIclist, WritesTheListWhereItIsTold) {
  TempFolder dir;
  const Outcome o = RunTool({"--", dir / "-odd name.dat"});
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(ReadFileBytes(dir / "-odd name.dat").size(), kStationFileSize);
}

}  // namespace

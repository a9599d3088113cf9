// The help file's keyword index, contents links and page titles, and the written help itself.
#include "app/help_index.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>

namespace {

TEST(HelpIndex, TheFolderBesideTheProgramOrTheInstalledOne) {
  namespace fs = std::filesystem;
  const fs::path root = fs::temp_directory_path() / "fennix-help-folder-test";
  fs::remove_all(root);
  fs::create_directories(root / "bin");
  const std::string helpFile = (root / "bin" / "fennix.HLP").string();
  EXPECT_EQ(HelpFolder(helpFile), helpFile);  // neither: the name as given, for the message
  fs::create_directories(root / "share" / "fennix" / "help");
  EXPECT_EQ(fs::path(HelpFolder(helpFile)), root / "share" / "fennix" / "help");
  fs::create_directories(helpFile);
  EXPECT_EQ(HelpFolder(helpFile), helpFile);
  fs::remove_all(root);
}

TEST(HelpIndex, KeywordsOfAPageAndOfPlacesInIt) {
  const char* html = R"(<html><head><title> 目次 </title>
    <META NAME="keywords" content="終了; 保存;;">
    </head><body>
    <h2 id="resume" data-keywords="再開条件;DELAY">x</h2>
    <p data-keywords="&amp;M">no id</p>
    <a href="scan.html#resume">a</a></body></html>)";
  EXPECT_EQ(ParseHelpKeywords(html, "p.html"),
            (std::vector<HelpKeyword>{{"終了", "p.html"},
                                      {"保存", "p.html"},
                                      {"再開条件", "p.html#resume"},
                                      {"DELAY", "p.html#resume"},
                                      {"&M", "p.html"}}));
  EXPECT_EQ(HelpPageTitle(html), "目次");
  EXPECT_EQ(HelpPageTitle("<p>none</p>"), "");
}

TEST(HelpIndex, ContentsLinksInOrderOnceEach) {
  EXPECT_EQ(HelpContentsLinks(R"(<a href="b.html">b</a> <a href="a.html#x">a</a>
                                 <a href="b.html#y">b</a> <a href="http://x/c.html">c</a>)"),
            (std::vector<std::string>{"b.html", "a.html"}));
}

TEST(HelpIndex, ATypedKeywordLeadsToTheFirstEntryItBegins) {
  const std::vector<HelpKeyword> index = {
      {"ATT", "a"}, {"DELAY", "b"}, {"Dial", "c"}, {"SCAN", "d"}, {"再開条件", "e"}};
  const struct {
    const char* typed;
    int row;
  } cases[] = {{"", 0},  {"d", 1},  {"di", 2}, {"DIAL", 2},
               {"e", 3}, {"zz", 4}, {"再", 4}, {"scan", 3}};
  for (const auto& c : cases) EXPECT_EQ(FindHelpKeyword(index, c.typed), c.row) << c.typed;
  EXPECT_EQ(FindHelpKeyword({}, "x"), -1);
}

// The help as written: every page the contents names exists, has a title, and every
// keyword target is a page of the help.
TEST(HelpPages, TheContentsAndTheIndexReachOnlyExistingPages) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::path(FENNIX_SOURCE_DIR) / "resources/help";
  const std::vector<HelpKeyword> index = LoadHelpIndex(folder.string());
  EXPECT_GT(index.size(), 100u);
  for (const HelpKeyword& k : index) {
    const std::string page = k.target.substr(0, k.target.find('#'));
    EXPECT_TRUE(fs::exists(folder / page)) << k.keyword << " -> " << k.target;
  }
  EXPECT_TRUE(fs::exists(folder / kHelpContentsPage));
  EXPECT_TRUE(fs::exists(folder / kHelpUsagePage));
  std::ifstream contents(folder / kHelpContentsPage);
  const std::string text((std::istreambuf_iterator<char>(contents)), {});
  const auto pages = HelpContentsLinks(text);
  EXPECT_GE(pages.size(), 8u);
  for (const std::string& page : pages) EXPECT_TRUE(fs::exists(folder / page)) << page;
}

// Every page is reachable from the contents, and every link between pages ("a.html#x") lands on
// a page that has that place, so a page added or a place renamed cannot leave a dead end.
TEST(HelpPages, EveryPageIsInTheContentsAndEveryLinkFindsItsPlace) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::path(FENNIX_SOURCE_DIR) / "resources/help";
  auto read = [&](const std::string& page) {
    std::ifstream in(folder / page);
    return std::string((std::istreambuf_iterator<char>(in)), {});
  };
  const std::string contents = read(kHelpContentsPage);
  const auto linked = HelpContentsLinks(contents);
  const std::set<std::string> inContents(linked.begin(), linked.end());
  static const std::regex link(R"re(href\s*=\s*"([^"#:]*)#([^"]+)")re");
  static const std::regex idAttr(R"re(\sid\s*=\s*"([^"]+)")re");
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string page = entry.path().filename().string();
    if (entry.path().extension() != ".html") continue;
    if (page != kHelpContentsPage) EXPECT_TRUE(inContents.count(page)) << page;
    const std::string html = read(page);
    for (auto it = std::sregex_iterator(html.begin(), html.end(), link);
         it != std::sregex_iterator(); ++it) {
      const std::string target = (*it)[1].str().empty() ? page : (*it)[1].str();
      const std::string targetHtml = read(target);
      std::set<std::string> ids;
      for (auto id = std::sregex_iterator(targetHtml.begin(), targetHtml.end(), idAttr);
           id != std::sregex_iterator(); ++id)
        ids.insert((*id)[1].str());
      EXPECT_TRUE(ids.count((*it)[2].str())) << page << " -> " << target << "#" << (*it)[2];
    }
  }
}

// The English set mirrors the Japanese page for page: the same places to link to, the same
// links, a title, and a keyword index of its own that leads only to its own pages.
TEST(HelpPages, TheEnglishSetHasEveryPageWithTheSamePlacesAndItsOwnIndex) {
  namespace fs = std::filesystem;
  const fs::path ja = fs::path(FENNIX_SOURCE_DIR) / "resources/help";
  const fs::path en = ja / "en";
  EXPECT_EQ(fs::path(HelpLanguageFolder(ja.string(), true)), en);
  EXPECT_EQ(fs::path(HelpLanguageFolder(ja.string(), false)), ja);
  // A folder without an English set gives its own pages.
  EXPECT_EQ(fs::path(HelpLanguageFolder(en.string(), true)), en);
  const auto read = [](const fs::path& file) {
    std::ifstream in(file);
    return std::string((std::istreambuf_iterator<char>(in)), {});
  };
  const auto all = [](const std::string& html, const char* pattern) {
    const std::regex re(pattern);
    std::set<std::string> found;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), re); it != std::sregex_iterator();
         ++it)
      found.insert((*it)[1].str());
    return found;
  };
  int pages = 0;
  for (const auto& entry : fs::directory_iterator(ja)) {
    if (entry.path().extension() != ".html") continue;
    ++pages;
    const std::string page = entry.path().filename().string();
    ASSERT_TRUE(fs::exists(en / page)) << page;
    const std::string jaHtml = read(entry.path()), enHtml = read(en / page);
    EXPECT_EQ(all(enHtml, R"re(\sid\s*=\s*"([^"]+)")re"),
              all(jaHtml, R"re(\sid\s*=\s*"([^"]+)")re"))
        << page;
    EXPECT_EQ(all(enHtml, R"re(href\s*=\s*"([^"]+)")re"),
              all(jaHtml, R"re(href\s*=\s*"([^"]+)")re"))
        << page;
    EXPECT_NE(HelpPageTitle(enHtml), "") << page;
    EXPECT_NE(enHtml.find("<html lang=\"en\">"), std::string::npos) << page;
  }
  EXPECT_GE(pages, 10);
  for (const fs::path& folder : {ja, en}) {
    const std::vector<HelpKeyword> index = LoadHelpIndex(folder.string());
    EXPECT_GT(index.size(), 100u) << folder;
    for (const HelpKeyword& k : index)
      EXPECT_TRUE(fs::exists(folder / k.target.substr(0, k.target.find('#')))) << k.target;
  }
  // English keywords: a reader types "scan" and lands on the scanning page.
  const std::vector<HelpKeyword> english = LoadHelpIndex(en.string());
  const int row = FindHelpKeyword(english, "scan");
  ASSERT_GE(row, 0);
  EXPECT_EQ(english[static_cast<std::size_t>(row)].keyword, "Scan");
}

}  // namespace

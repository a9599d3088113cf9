// The help file: a folder of HTML pages beside the program, named as the program with
// ".HLP" (build/fennix.HLP/, copied there by the build). An installed program, whose folder
// holds no such thing, finds the pages under ../share/fennix/help beside its bin folder.
// "index.html" is the contents, "howto.html" explains the viewer.
// Keywords live in the pages themselves, so that a page and its keywords are edited
// together:
//   <meta name="keywords" content="終了;保存">                for the whole page
//   <h2 id="resume" data-keywords="再開条件;DELAY">...</h2>   for a place in it
// Several keywords are separated by ";".
#pragma once

#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* kHelpContentsPage = "index.html";
inline constexpr const char* kHelpUsagePage = "howto.html";

// The folder of pages for the help file `helpFile` (the program's path with ".HLP"): that
// folder when it exists, else the installed one when that exists, else `helpFile` itself.
std::string HelpFolder(const std::string& helpFile);
// The pages in the user's language: the English set is the subfolder "en" of the (Japanese)
// help folder, with the same file names and anchors. Japanese pages when `english` is false
// or there is no English set.
std::string HelpLanguageFolder(const std::string& folder, bool english);

struct HelpKeyword {
  std::string keyword;
  std::string target;  // "page.html" or "page.html#id"
  bool operator==(const HelpKeyword&) const = default;
};

// The keywords one page declares (`page` is its file name).
std::vector<HelpKeyword> ParseHelpKeywords(std::string_view html, const std::string& page);
// The text of the page's <title>, or "" when it has none.
std::string HelpPageTitle(std::string_view html);
// The pages the contents page links to, in order, each once ("#" parts dropped).
std::vector<std::string> HelpContentsLinks(std::string_view html);

// Every keyword of every page in the folder, sorted by keyword, then target.
std::vector<HelpKeyword> LoadHelpIndex(const std::string& folder);
// The entry a typed keyword leads to: the first whose keyword starts with the typed text
// (letters compared without case), else the first that sorts after it; -1 when the index is
// empty. An empty text leads to the first entry.
int FindHelpKeyword(const std::vector<HelpKeyword>& index, std::string_view typed);

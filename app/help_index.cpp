#include "app/help_index.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string Trim(std::string text) {
  const auto blank = [](unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
  };
  while (!text.empty() && blank(static_cast<unsigned char>(text.back()))) text.pop_back();
  std::size_t i = 0;
  while (i < text.size() && blank(static_cast<unsigned char>(text[i]))) ++i;
  return text.substr(i);
}

std::string Attribute(const std::string& tag, const char* name) {
  const std::regex pattern(std::string("\\s") + name + "\\s*=\\s*\"([^\"]*)\"", std::regex::icase);
  std::smatch m;
  return std::regex_search(tag, m, pattern) ? m[1].str() : std::string();
}

// The few character references an attribute needs.
std::string Unescape(std::string text) {
  static const std::pair<const char*, const char*> refs[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}};
  for (const auto& [ref, ch] : refs)
    for (std::size_t at = text.find(ref); at != std::string::npos; at = text.find(ref, at + 1))
      text.replace(at, std::string_view(ref).size(), ch);
  return text;
}

void AddKeywords(const std::string& list, const std::string& target,
                 std::vector<HelpKeyword>& out) {
  std::stringstream in(Unescape(list));
  std::string keyword;
  while (std::getline(in, keyword, ';'))
    if (std::string k = Trim(keyword); !k.empty()) out.push_back({k, target});
}

}  // namespace

std::string HelpFolder(const std::string& helpFile) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (fs::is_directory(helpFile, error)) return helpFile;
  const fs::path installed =
      fs::path(helpFile).parent_path().parent_path() / "share" / "fennix" / "help";
  if (fs::is_directory(installed, error)) return installed.string();
  return helpFile;
}

std::string HelpLanguageFolder(const std::string& folder, bool english) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path translated = fs::path(folder) / "en";
  if (english && fs::is_directory(translated, error)) return translated.string();
  return folder;
}

std::vector<HelpKeyword> ParseHelpKeywords(std::string_view html, const std::string& page) {
  std::vector<HelpKeyword> out;
  const std::string text(html);
  static const std::regex tagPattern("<[a-zA-Z][^>]*>");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), tagPattern);
       it != std::sregex_iterator(); ++it) {
    const std::string tag = it->str();
    if (Lower(tag).rfind("<meta", 0) == 0) {
      if (Lower(Attribute(tag, "name")) == "keywords")
        AddKeywords(Attribute(tag, "content"), page, out);
      continue;
    }
    const std::string keywords = Attribute(tag, "data-keywords");
    if (keywords.empty()) continue;
    const std::string id = Attribute(tag, "id");
    AddKeywords(keywords, id.empty() ? page : page + "#" + id, out);
  }
  return out;
}

std::string HelpPageTitle(std::string_view html) {
  static const std::regex pattern("<title>([\\s\\S]*?)</title>", std::regex::icase);
  const std::string text(html);
  std::smatch m;
  return std::regex_search(text, m, pattern) ? Trim(m[1].str()) : std::string();
}

std::vector<std::string> HelpContentsLinks(std::string_view html) {
  static const std::regex pattern("href\\s*=\\s*\"([^\"#:]+\\.html)[^\"]*\"", std::regex::icase);
  const std::string text(html);
  std::vector<std::string> pages;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern);
       it != std::sregex_iterator(); ++it) {
    const std::string page = (*it)[1].str();
    if (std::find(pages.begin(), pages.end(), page) == pages.end()) pages.push_back(page);
  }
  return pages;
}

std::vector<HelpKeyword> LoadHelpIndex(const std::string& folder) {
  namespace fs = std::filesystem;
  std::vector<HelpKeyword> index;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    if (entry.path().extension() != ".html") continue;
    std::ifstream file(entry.path(), std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    const auto page = ParseHelpKeywords(text.str(), entry.path().filename().string());
    index.insert(index.end(), page.begin(), page.end());
  }
  std::sort(index.begin(), index.end(), [](const HelpKeyword& a, const HelpKeyword& b) {
    const std::string ka = Lower(a.keyword), kb = Lower(b.keyword);
    return ka != kb ? ka < kb : a.target < b.target;
  });
  return index;
}

int FindHelpKeyword(const std::vector<HelpKeyword>& index, std::string_view typed) {
  if (index.empty()) return -1;
  const std::string t = Lower(typed);
  for (std::size_t i = 0; i < index.size(); ++i)
    if (Lower(index[i].keyword).rfind(t, 0) == 0) return static_cast<int>(i);
  for (std::size_t i = 0; i < index.size(); ++i)
    if (Lower(index[i].keyword) > t) return static_cast<int>(i);
  return static_cast<int>(index.size()) - 1;
}

#include "settings/language.h"

#include <cctype>
#include <string>

#include "base/ini_file.h"

namespace {
constexpr const char* kSection = "UI";
constexpr const char* kKey = "Language";

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}
}  // namespace

UiLanguage ParseUiLanguage(std::string_view value) {
  if (SameText(value, "ja")) return UiLanguage::kJapanese;
  if (SameText(value, "en")) return UiLanguage::kEnglish;
  return UiLanguage::kAuto;
}

std::string_view UiLanguageKey(UiLanguage language) {
  switch (language) {
    case UiLanguage::kJapanese:
      return "ja";
    case UiLanguage::kEnglish:
      return "en";
    case UiLanguage::kAuto:
      break;
  }
  return "auto";
}

void ReadLanguageSettings(const IniFile& ini, LanguageSettings& settings) {
  if (const auto value = ini.Value(kSection, kKey)) settings.Language = ParseUiLanguage(*value);
}

void WriteLanguageSettings(IniFile& ini, const LanguageSettings& settings) {
  ini.WriteString(kSection, kKey, UiLanguageKey(settings.Language));
}

bool UsesEnglish(UiLanguage choice, std::string_view localeName) {
  if (choice != UiLanguage::kAuto) return choice == UiLanguage::kEnglish;
  return localeName.size() >= 2 && SameText(localeName.substr(0, 2), "en") &&
         (localeName.size() == 2 || !std::isalpha(static_cast<unsigned char>(localeName[2])));
}

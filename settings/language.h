// The language of the windows: section "UI", key "Language" of the settings file. "auto"
// follows the desktop's locale; a choice made in the language dialog applies from the next
// start, since every window's texts are set when it is built.
#pragma once

#include <string_view>

class IniFile;

enum class UiLanguage { kAuto, kJapanese, kEnglish };

struct LanguageSettings {
  UiLanguage Language = UiLanguage::kAuto;
};

// "auto", "ja" or "en" (any case); anything else reads as auto.
UiLanguage ParseUiLanguage(std::string_view value);
std::string_view UiLanguageKey(UiLanguage language);

void ReadLanguageSettings(const IniFile& ini, LanguageSettings& settings);
void WriteLanguageSettings(IniFile& ini, const LanguageSettings& settings);

// Whether the program speaks English: by the choice, or for auto by the locale's name
// ("en_GB.UTF-8", "ja_JP"...). Only English has a translation, so every other locale, "C"
// and "POSIX" included, keeps the Japanese source texts.
bool UsesEnglish(UiLanguage choice, std::string_view localeName);

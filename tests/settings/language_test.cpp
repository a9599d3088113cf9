// Which language the windows speak, by the setting and the desktop's locale.
#include "settings/language.h"

#include <gtest/gtest.h>

#include "base/ini_file.h"

TEST(Language, ChoiceAndLocale) {
  const struct {
    const char* setting;
    const char* locale;
    bool english;
  } cases[] = {
      {"auto", "en_GB.UTF-8", true}, {"auto", "en", true},     {"auto", "ja_JP", false},
      {"auto", "C", false},          {"auto", "POSIX", false}, {"auto", "de_DE", false},
      {"auto", "eng", false},        {"", "en_US", true},      {"EN", "ja_JP", true},
      {"ja", "en_US", false},        {"fr", "en_US", true},
  };
  for (const auto& c : cases) {
    IniFile ini = IniFile::Parse(std::string("[UI]\nLanguage=") + c.setting + "\n");
    LanguageSettings settings;
    ReadLanguageSettings(ini, settings);
    EXPECT_EQ(UsesEnglish(settings.Language, c.locale), c.english) << c.setting << " " << c.locale;
    WriteLanguageSettings(ini, settings);
    EXPECT_EQ(ParseUiLanguage(*ini.Value("UI", "Language")), settings.Language);
  }
}

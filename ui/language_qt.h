// The windows' language: the program's own translation and Qt's, installed before any window
// is built. Japanese is the source language, so it needs only Qt's own texts (file dialogs,
// message box keys).
#pragma once

namespace ui {

// Sets the default locale, installs the translators for `english` (removing those of an
// earlier call) and lets the core's texts through the same translation. Returns false when
// the program's English translation could not be loaded.
bool InstallLanguage(bool english);

// Whether the language installed last is English.
bool English();

}  // namespace ui

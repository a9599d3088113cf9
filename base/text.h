#pragma once
// Texts the user reads pass through Tr() so that the window layer can give them in the user's
// language while the core stays free of Qt. The source texts are the Japanese ones; with no
// translator installed (the tools, the engine tests) they come back unchanged.
#include <initializer_list>
#include <string>
#include <string_view>

// Marks a text kept in a table for translation where it is used: Tr(context, table[i]).
#define FENNIX_TR_NOOP(context, source) source

namespace text {

using Translator = std::string (*)(const char* context, const char* source);

// Installed once at start, before any window exists; nullptr restores the source texts.
void SetTranslator(Translator translator);

std::string Tr(const char* context, const char* source);

// The translated sentence with "%1".."%9" replaced by `args` in order, so that a translation
// may put the file name or the count where its own language wants it:
// Arg(Tr("StationFile", "%1 を読み込めません（%2）"), {path, reason}).
std::string Arg(std::string_view pattern, std::initializer_list<std::string_view> args);

}  // namespace text

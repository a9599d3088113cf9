#pragma once
// Texts the user reads pass through Tr() so that the window layer can give them in the user's
// language while the core stays free of Qt. The source texts are the Japanese ones; with no
// translator installed (the tools, the engine tests) they come back unchanged.
#include <string>

namespace text {

using Translator = std::string (*)(const char* context, const char* source);

// Installed once at start, before any window exists; nullptr restores the source texts.
void SetTranslator(Translator translator);

std::string Tr(const char* context, const char* source);

}  // namespace text

#include "base/text.h"

#include <atomic>

namespace text {
namespace {
std::atomic<Translator> installed{nullptr};
}

void SetTranslator(Translator translator) { installed.store(translator); }

std::string Tr(const char* context, const char* source) {
  const Translator translator = installed.load();
  return translator ? translator(context, source) : std::string(source);
}

}  // namespace text

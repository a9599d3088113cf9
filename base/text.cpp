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

std::string Arg(std::string_view pattern, std::initializer_list<std::string_view> args) {
  std::string out;
  out.reserve(pattern.size());
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
      const auto n = static_cast<std::size_t>(pattern[i + 1] - '1');
      if (n < args.size()) {
        out += *(args.begin() + n);
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

}  // namespace text

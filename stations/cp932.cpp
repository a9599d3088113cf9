#include "stations/cp932.h"

#include <iconv.h>

#include <cerrno>

namespace {

std::string Convert(const char* to, const char* from, std::string_view in) {
  const bool fromUtf8 = std::string_view(from) == "UTF-8";
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
  std::string out;
  out.reserve(in.size() * 3 / 2 + 4);
  char buffer[256];
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  while (srcLeft > 0) {
    char* dst = buffer;
    std::size_t dstLeft = sizeof buffer;
    const std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer, static_cast<std::size_t>(dst - buffer));
    if (rc != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) continue;
    // An invalid or cut-off sequence, or a character the target cannot hold: show one
    // placeholder and go on after it (a whole UTF-8 character, or one byte of anything else).
    out.push_back('?');
    ++src;
    --srcLeft;
    if (fromUtf8) {
      while (srcLeft > 0 && (static_cast<unsigned char>(*src) & 0xC0) == 0x80) {
        ++src;
        --srcLeft;
      }
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(cd);
  return out;
}

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) { return Convert("UTF-8", "CP932", cp932); }

std::string Utf8ToCp932(std::string_view utf8) { return Convert("CP932", "UTF-8", utf8); }

std::string_view Cp932Cut(std::string_view cp932, std::size_t maxBytes) {
  std::size_t i = 0;
  while (i < cp932.size()) {
    const std::size_t width = IsLeadByte(static_cast<unsigned char>(cp932[i])) ? 2 : 1;
    if (i + width > maxBytes) break;
    i += width;
  }
  return cp932.substr(0, i < cp932.size() ? i : cp932.size());
}

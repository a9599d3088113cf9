// CP932 (Shift-JIS) text of the station records to and from UTF-8, for display and for typed
// input. Records keep their CP932 bytes; only the screen sees UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Bytes that do not convert become "?", so a damaged record still shows what it can.
std::string Cp932ToUtf8(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8);

// The longest prefix of at most `maxBytes` bytes that does not split a double-byte character,
// for cutting typed text to a field's width.
std::string_view Cp932Cut(std::string_view cp932, std::size_t maxBytes);

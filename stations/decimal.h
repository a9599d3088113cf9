// Whole numbers typed into fields and combo boxes.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The text as a signed decimal integer: an optional "+" or "-" and at least one digit,
// nothing else, within 32 bits. No value when the text is not one (empty text included).
std::optional<std::int32_t> DecimalValue(std::string_view text);

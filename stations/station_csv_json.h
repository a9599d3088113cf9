// A small JSON reader for the lists other programs keep as JSON (SDR++'s frequency manager).
// Values remember the line they start on, for the import's problem list.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct JsonValue {
  enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject };
  Kind kind = Kind::kNull;
  int line = 1;
  bool boolean = false;
  double number = 0;
  std::string text;  // a string, UTF-8
  // An array's items, or an object's values in file order with their names in `keys` (two
  // vectors: a pair cannot hold the value type before it is complete).
  std::vector<JsonValue> values;
  std::vector<std::string> keys;

  const JsonValue* Member(std::string_view name) const;
};

// Deeper nesting than this is refused: no list needs it, and it bounds the stack.
inline constexpr int kJsonMaxDepth = 64;
// So are more values than this (a bookmark takes five): a file of nothing but "0," would
// otherwise cost a hundred bytes of memory for every two it holds.
inline constexpr int kJsonMaxValues = 300'000;

// The whole text as one value; false with a message (UTF-8, with the line) when it is not JSON.
bool ParseJson(std::string_view text, JsonValue& value, std::string& error);

#include "stations/station_csv_json.h"

#include <cstdlib>

#include "base/text.h"

const JsonValue* JsonValue::Member(std::string_view name) const {
  if (kind != Kind::kObject) return nullptr;
  for (std::size_t i = 0; i < keys.size(); ++i)
    if (keys[i] == name) return &values[i];
  return nullptr;
}

namespace {

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  bool Parse(JsonValue& value, std::string& error) {
    if (!Value(value, 0)) {
      error = values_ > kJsonMaxValues ? text::Arg(text::Tr("StationCsv",
                                                            "JSON の値が多すぎます (%1 個まで)。"
                                                            "ファイルは読み込みませんでした。"),
                                                   {std::to_string(kJsonMaxValues)})
                                       : text::Arg(text::Tr("StationCsv",
                                                            "%1 行目が JSON として読めません。"
                                                            "ファイルは読み込みませんでした。"),
                                                   {std::to_string(line_)});
      return false;
    }
    Blanks();
    if (at_ != text_.size()) {
      error = text::Arg(text::Tr("StationCsv",
                                 "%1 行目: JSON の後に余分な文字があります。"
                                 "ファイルは読み込みませんでした。"),
                        {std::to_string(line_)});
      return false;
    }
    return true;
  }

 private:
  void Blanks() {
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (c == '\n') ++line_;
      if (c != ' ' && c != '\t' && c != '\r' && c != '\n') break;
      ++at_;
    }
  }
  bool Eat(char c) {
    Blanks();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  bool Word(std::string_view word) {
    if (text_.substr(at_, word.size()) != word) return false;
    at_ += word.size();
    return true;
  }

  bool Value(JsonValue& v, int depth) {
    if (depth > kJsonMaxDepth || ++values_ > kJsonMaxValues) return false;
    Blanks();
    v.line = line_;
    if (at_ >= text_.size()) return false;
    const char c = text_[at_];
    if (c == '{') {
      ++at_;
      v.kind = JsonValue::Kind::kObject;
      if (Eat('}')) return true;
      do {
        Blanks();
        std::string key;
        if (!String(key) || !Eat(':')) return false;
        v.keys.push_back(std::move(key));
        v.values.emplace_back();
        if (!Value(v.values.back(), depth + 1)) return false;
      } while (Eat(','));
      return Eat('}');
    }
    if (c == '[') {
      ++at_;
      v.kind = JsonValue::Kind::kArray;
      if (Eat(']')) return true;
      do {
        v.values.emplace_back();
        if (!Value(v.values.back(), depth + 1)) return false;
      } while (Eat(','));
      return Eat(']');
    }
    if (c == '"') {
      v.kind = JsonValue::Kind::kString;
      return String(v.text);
    }
    if (Word("true") || Word("false")) {
      v.kind = JsonValue::Kind::kBool;
      v.boolean = text_[at_ - 1] == 'e' && text_[at_ - 2] == 'u';
      return true;
    }
    if (Word("null")) return true;
    return Number(v);
  }

  bool Number(JsonValue& v) {
    const std::size_t start = at_;
    while (at_ < text_.size() &&
           std::string_view("+-.0123456789eE").find(text_[at_]) != std::string_view::npos)
      ++at_;
    if (at_ == start || at_ - start > 40) return false;
    const std::string digits(text_.substr(start, at_ - start));
    char* end = nullptr;
    v.number = std::strtod(digits.c_str(), &end);
    v.kind = JsonValue::Kind::kNumber;
    return end == digits.c_str() + digits.size();
  }

  static void PutUtf8(std::string& out, unsigned cp) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }

  bool Hex4(unsigned& cp) {
    if (at_ + 4 > text_.size()) return false;
    cp = 0;
    for (int k = 0; k < 4; ++k) {
      const char h = text_[at_++];
      cp <<= 4;
      if (h >= '0' && h <= '9')
        cp |= static_cast<unsigned>(h - '0');
      else if (h >= 'a' && h <= 'f')
        cp |= static_cast<unsigned>(h - 'a' + 10);
      else if (h >= 'A' && h <= 'F')
        cp |= static_cast<unsigned>(h - 'A' + 10);
      else
        return false;
    }
    return true;
  }

  bool String(std::string& out) {
    if (at_ >= text_.size() || text_[at_] != '"') return false;
    ++at_;
    while (at_ < text_.size()) {
      const char c = text_[at_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at_ >= text_.size()) return false;
      const char e = text_[at_++];
      switch (e) {
        case '"':
        case '\\':
        case '/':
          out += e;
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'u': {
          unsigned cp = 0;
          if (!Hex4(cp)) return false;
          // A surrogate pair makes one letter; a lone half is not text.
          if (cp >= 0xD800 && cp <= 0xDBFF) {
            unsigned low = 0;
            if (!Word("\\u") || !Hex4(low) || low < 0xDC00 || low > 0xDFFF) return false;
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
          } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
            return false;
          }
          PutUtf8(out, cp);
          break;
        }
        default:
          return false;
      }
    }
    return false;
  }

  std::string_view text_;
  std::size_t at_ = 0;
  int line_ = 1;
  int values_ = 0;
};

}  // namespace

bool ParseJson(std::string_view text, JsonValue& value, std::string& error) {
  value = JsonValue{};
  return Parser(text).Parse(value, error);
}

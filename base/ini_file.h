// The settings file format: "[Section]" lines open sections, "Key=Value" lines hold values.
// Names match without regard to case. The file is kept as its original lines, so writing a
// value changes only that value's line and every other byte stays as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct AtomicWriteOptions;

// A settings file that cannot be written. what() is "<file> に書き込めません".
class EIniWriteError : public std::runtime_error {
 public:
  EIniWriteError(const std::string& fileName, std::string reason);
  std::string FileName;
  std::string Reason;  // the system's reason, for a detail line; may be empty
  // What the user is told: the file and, when known, why ("<file> に書き込めません（…）").
  std::string Message() const;
};

// A value as a number: hexadecimal after "0x"/"0X" (when more follows), otherwise a signed
// decimal. An empty text or one that is not a number in the 32-bit range gives `def`.
std::int32_t IniNumber(std::string_view value, std::int32_t def);

class IniFile {
 public:
  enum class LoadStatus { kLoaded, kMissing, kUnreadable };

  IniFile() = default;
  static IniFile Parse(std::string_view text);
  // The file's text, byte for byte as parsed plus the writes made since.
  std::string Text() const;

  // The value of a key (spaces around it and one pair of enclosing quotes removed), or no
  // value when the section or key is missing. The first matching section and key count.
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t def) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view def) const;

  // Replaces the key's line, or adds the line (and the section) when missing. Names and
  // values with line breaks, and names with "=", "[" or "]", are refused with
  // std::invalid_argument since they would change other lines.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);

  // Reads a file; a missing or unreadable file leaves an empty one.
  LoadStatus Load(const std::string& path);
  // Replaces the file at `path` with this text as a whole (temporary file, then rename; in
  // place when no temporary file can be made beside it). Throws EIniWriteError when that is
  // not possible or the file is read-only. `options` reach the file writer (tests).
  void Save(const std::string& path) const;
  void Save(const std::string& path, const AtomicWriteOptions& options) const;

 private:
  struct Line {
    std::string body;  // without its line break
    std::string eol;   // "\r\n", "\n", "\r" or "" on an unterminated last line
  };
  // Position of the first header of `section`, or npos.
  std::size_t FindSection(std::string_view section) const;
  // End (exclusive) of the section whose header is at `header`.
  std::size_t SectionEnd(std::size_t header) const;
  std::size_t FindKey(std::size_t header, std::string_view key) const;
  std::string NewLineBreak() const;

  std::vector<Line> lines_;
};

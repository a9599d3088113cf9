#include "base/ini_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/file_save.h"
#include "base/text.h"

namespace {

constexpr std::size_t npos = std::string::npos;

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The name inside "[...]", or no value when the line is not a section header.
std::optional<std::string_view> SectionName(std::string_view body) {
  if (body.substr(0, 3) == "\xEF\xBB\xBF") body.remove_prefix(3);  // a byte order mark
  const std::string_view t = Trim(body);
  if (t.empty() || t.front() != '[') return std::nullopt;
  const std::size_t close = t.find(']');
  if (close == npos) return std::nullopt;
  return Trim(t.substr(1, close - 1));
}

bool IsComment(std::string_view body) {
  const std::string_view t = Trim(body);
  return !t.empty() && (t.front() == ';' || t.front() == '#');
}

// The key of a "key=value" line, or no value for any other line.
std::optional<std::string_view> KeyName(std::string_view body) {
  if (IsComment(body)) return std::nullopt;
  const std::size_t eq = body.find('=');
  if (eq == npos) return std::nullopt;
  return Trim(body.substr(0, eq));
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

EIniWriteError::EIniWriteError(const std::string& fileName, std::string reason)
    : std::runtime_error(text::Arg(text::Tr("IniFile", "%1 に書き込めません"), {fileName})),
      FileName(fileName),
      Reason(std::move(reason)) {}

std::string EIniWriteError::Message() const {
  return Reason.empty()
             ? what()
             : text::Arg(text::Tr("IniFile", "%1 に書き込めません（%2）"), {FileName, Reason});
}

std::int32_t IniNumber(std::string_view value, std::int32_t def) {
  value = Trim(value);
  if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
    // Up to 32 bits; the top bit gives a negative number, as a 32-bit value would.
    std::uint64_t v = 0;
    for (const char c : value.substr(2)) {
      const int d = HexDigit(c);
      if (d < 0) return def;
      v = v * 16 + static_cast<std::uint64_t>(d);
      if (v > 0xFFFFFFFFu) return def;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
  }
  std::size_t i = 0;
  bool negative = false;
  if (i < value.size() && (value[i] == '-' || value[i] == '+')) negative = value[i++] == '-';
  if (i == value.size()) return def;
  std::int64_t v = 0;
  for (; i < value.size(); ++i) {
    if (value[i] < '0' || value[i] > '9') return def;
    v = v * 10 + (value[i] - '0');
    if (v > std::int64_t{INT32_MAX} + 1) return def;
  }
  if (negative) v = -v;
  if (v > INT32_MAX) return def;
  return static_cast<std::int32_t>(v);
}

IniFile IniFile::Parse(std::string_view text) {
  IniFile ini;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    Line line;
    if (end == npos) {
      line.body = std::string(text.substr(pos));
      pos = text.size();
    } else {
      line.body = std::string(text.substr(pos, end - pos));
      const std::size_t len =
          text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1;
      line.eol = std::string(text.substr(end, len));
      pos = end + len;
    }
    ini.lines_.push_back(std::move(line));
  }
  return ini;
}

std::string IniFile::Text() const {
  std::string text;
  for (const Line& line : lines_) text += line.body + line.eol;
  return text;
}

std::size_t IniFile::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const auto name = SectionName(lines_[i].body);
    if (name && SameName(*name, Trim(section))) return i;
  }
  return npos;
}

std::size_t IniFile::SectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < lines_.size() && !SectionName(lines_[i].body)) ++i;
  return i;
}

std::size_t IniFile::FindKey(std::size_t header, std::string_view key) const {
  const std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    const auto name = KeyName(lines_[i].body);
    if (name && SameName(*name, Trim(key))) return i;
  }
  return npos;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
  const std::size_t header = FindSection(section);
  if (header == npos) return std::nullopt;
  const std::size_t at = FindKey(header, key);
  if (at == npos) return std::nullopt;
  const std::string_view body = lines_[at].body;
  std::string_view value = Trim(body.substr(body.find('=') + 1));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int32_t def) const {
  const auto value = Value(section, key);
  return value ? IniNumber(*value, def) : def;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view def) const {
  const auto value = Value(section, key);
  return value && !value->empty() ? *value : std::string(def);
}

std::string IniFile::NewLineBreak() const {
  for (const Line& line : lines_) {
    if (!line.eol.empty()) return line.eol;
  }
  return "\n";
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  auto bad = [](std::string_view s, const char* chars) {
    return s.find_first_of(chars) != std::string_view::npos;
  };
  if (Trim(section).empty() || Trim(key).empty() || bad(section, "\r\n[]") || bad(key, "\r\n=[]") ||
      bad(value, "\r\n")) {
    throw std::invalid_argument("settings name or value cannot be stored");
  }
  const std::string body = std::string(Trim(key)) + "=" + std::string(value);
  const std::string eol = NewLineBreak();
  std::size_t header = FindSection(section);
  if (header == npos) {
    if (!lines_.empty() && lines_.back().eol.empty()) lines_.back().eol = eol;
    lines_.push_back({"[" + std::string(Trim(section)) + "]", eol});
    lines_.push_back({body, eol});
    return;
  }
  const std::size_t at = FindKey(header, key);
  if (at != npos) {
    lines_[at].body = body;
    return;
  }
  // A new key goes after the section's last non-blank line, before any blank separator.
  std::size_t after = header;
  for (std::size_t i = header + 1; i < SectionEnd(header); ++i) {
    if (!Trim(lines_[i].body).empty()) after = i;
  }
  if (lines_[after].eol.empty()) lines_[after].eol = eol;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after + 1), Line{body, eol});
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

IniFile::LoadStatus IniFile::Load(const std::string& path) {
  lines_.clear();
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? LoadStatus::kMissing : LoadStatus::kUnreadable;
  std::string text;
  char buffer[8192];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      close(fd);
      return LoadStatus::kUnreadable;
    }
    if (n == 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  close(fd);
  *this = Parse(text);
  return LoadStatus::kLoaded;
}

void IniFile::Save(const std::string& path) const { Save(path, AtomicWriteOptions{}); }

void IniFile::Save(const std::string& path, const AtomicWriteOptions& options) const {
  // A read-only settings file stays read-only rather than being replaced behind its back.
  if (access(path.c_str(), F_OK) == 0 && access(path.c_str(), W_OK) != 0) {
    throw EIniWriteError(path, std::strerror(errno));
  }
  const FileSaveResult saved = SaveFile(path, Text(), options);
  if (!saved.ok()) throw EIniWriteError(path, saved.error);
}

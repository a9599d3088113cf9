#include "stations/station_csv.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "civ/civ.h"
#include "stations/cp932.h"
#include "stations/find_null.h"

namespace {

// ---- Text helpers ----

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string WithThousands(long long n) {
  std::string digits = std::to_string(n < 0 ? -n : n);
  for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
    digits.insert(static_cast<std::size_t>(i), ",");
  return (n < 0 ? "-" : "") + digits;
}

// The line where the first byte that is not UTF-8 lies, or 0 when all of it is. NUL bytes
// count as not text.
int FirstNonUtf8Line(std::string_view s) {
  int line = 1;
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c == '\n') ++line;
    if (c == 0) return line;
    if (c < 0x80) {
      ++i;
      continue;
    }
    std::size_t n;
    std::uint32_t cp;
    if (c >= 0xC2 && c <= 0xDF) {
      n = 1;
      cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      n = 2;
      cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      n = 3;
      cp = c & 0x07;
    } else {
      return line;
    }
    for (std::size_t k = 1; k <= n; ++k) {
      if (i + k >= s.size()) return line;
      const auto t = static_cast<unsigned char>(s[i + k]);
      if ((t & 0xC0) != 0x80) return line;
      cp = (cp << 6) | (t & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    if ((n == 2 && cp < 0x800) || (n == 3 && cp < 0x10000) || cp > 0x10FFFF ||
        (cp >= 0xD800 && cp <= 0xDFFF))
      return line;
    i += n + 1;
  }
  return 0;
}

// A UTF-8 text as a record field: CP932, control characters as blanks, cut to the width
// without splitting a double-byte character.
template <std::size_t N>
void AssignText(ShortText<N>& field, std::string_view utf8) {
  std::string text(utf8);
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  const std::string cp932 = Utf8ToCp932(text);
  field.Assign(Cp932Cut(cp932, N));
}

// A signed decimal number scaled by 10^decimals, digits past them cut off (toward zero).
// Empty text, stray characters or more than 12 integer digits give nothing.
std::optional<std::int64_t> ParseDecimal(std::string_view text, int decimals) {
  text = Trim(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  std::int64_t value = 0;
  int integerDigits = 0;
  int fraction = -1;  // digits taken after the point; -1 before it
  bool anyDigit = false;
  for (const char c : text) {
    if (c == '.' && fraction < 0) {
      fraction = 0;
    } else if (c >= '0' && c <= '9') {
      anyDigit = true;
      if (fraction < 0) {
        if (value != 0 || c != '0') ++integerDigits;
        if (integerDigits > 12) return std::nullopt;
        value = value * 10 + (c - '0');
      } else if (fraction < decimals) {
        value = value * 10 + (c - '0');
        ++fraction;
      }
    } else {
      return std::nullopt;
    }
  }
  if (!anyDigit) return std::nullopt;
  for (int k = std::max(fraction, 0); k < decimals; ++k) value *= 10;
  return negative ? -value : value;
}

std::int32_t Clamp32(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

// ---- Splitting the file into rows of cells ----

struct Line {
  int number = 0;
  std::vector<std::string> cells;
};

// RFC 4180 rows: cells in double quotes may hold separators, doubled quotes and line breaks.
// Returns an error text for a quote left open.
std::string SplitQuoted(std::string_view text, char separator, std::vector<Line>& lines) {
  Line row;
  std::string cell;
  int lineNo = 1;
  row.number = 1;
  bool quoted = false;
  int quoteLine = 0;
  bool rowHasContent = false;
  auto endRow = [&] {
    row.cells.push_back(std::move(cell));
    cell.clear();
    if (rowHasContent) lines.push_back(std::move(row));
    row = Line{};
    row.number = lineNo;
    rowHasContent = false;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"') {
        if (i + 1 < text.size() && text[i + 1] == '"') {
          cell.push_back('"');
          ++i;
        } else {
          quoted = false;
        }
      } else {
        if (c == '\n') ++lineNo;
        cell.push_back(c);
      }
      continue;
    }
    if (c == '"' && Trim(cell).empty()) {
      cell.clear();
      quoted = true;
      quoteLine = lineNo;
      rowHasContent = true;
    } else if (c == separator) {
      row.cells.push_back(std::move(cell));
      cell.clear();
      rowHasContent = true;
    } else if (c == '\r' && (i + 1 == text.size() || text[i + 1] == '\n')) {
      // a line feed (or the end of the text) ends the row
    } else if (c == '\n') {
      ++lineNo;
      endRow();
    } else {
      cell.push_back(c);
      if (c != ' ' && c != '\t' && c != '\r') rowHasContent = true;
    }
  }
  if (quoted)
    return std::to_string(quoteLine) +
           " 行目の引用符 (\") が閉じていません。ファイルは読み込みませんでした。";
  endRow();
  return "";
}

// gqrx's rows: plain lines of cells between semicolons, padded with blanks, no quoting.
void SplitPlain(std::string_view text, char separator, std::vector<Line>& lines) {
  int lineNo = 0;
  while (!text.empty() || lineNo == 0) {
    ++lineNo;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!Trim(line).empty()) {
      Line row;
      row.number = lineNo;
      for (std::size_t start = 0;;) {
        const std::size_t sep = line.find(separator, start);
        row.cells.emplace_back(Trim(line.substr(start, sep - start)));
        if (sep == std::string_view::npos) break;
        start = sep + 1;
      }
      lines.push_back(std::move(row));
    }
    if (end == std::string_view::npos) break;
  }
}

// Column positions by header name (without regard to case or surrounding blanks).
class Columns {
 public:
  explicit Columns(const std::vector<std::string>& header) {
    for (const std::string& h : header) names_.push_back(Lower(Trim(h)));
  }
  int Find(std::string_view name) const {
    const std::string wanted = Lower(name);
    for (std::size_t i = 0; i < names_.size(); ++i)
      if (names_[i] == wanted) return static_cast<int>(i);
    return -1;
  }
  bool Has(std::string_view name) const { return Find(name) >= 0; }

 private:
  std::vector<std::string> names_;
};

std::string_view Cell(const Line& line, int column) {
  if (column < 0 || static_cast<std::size_t>(column) >= line.cells.size()) return {};
  return line.cells[static_cast<std::size_t>(column)];
}

std::string MissingColumns(const Columns& columns, std::initializer_list<std::string_view> required,
                           std::string_view formatName) {
  std::string missing;
  for (std::string_view name : required) {
    if (columns.Has(name)) continue;
    if (!missing.empty()) missing += "、";
    missing += "\"" + std::string(name) + "\"";
  }
  if (missing.empty()) return "";
  return std::string(formatName) + " の見出しに列 " + missing +
         " がありません。ファイルは読み込みませんでした。";
}

std::string MhzText(std::int64_t hz) {
  const std::int64_t a = hz < 0 ? -hz : hz;
  std::string frac = std::to_string(a % 1000000);
  frac.insert(0, 6 - frac.size(), '0');
  return (hz < 0 ? "-" : "") + std::to_string(a / 1000000) + "." + frac;
}

// The frequency checks every format shares; false when the row is skipped.
bool TakeFrequencies(CsvRow& row, std::string_view text, std::optional<std::int64_t> f1,
                     std::int64_t f2) {
  if (!f1 || *f1 == 0) {
    row.skip = CsvSkip::kNoFrequency;
    row.detail = std::string(Trim(text));
    return false;
  }
  for (const std::int64_t f : {*f1, f2}) {
    if (f == 0 && f != *f1) continue;
    if (f < kCsvLowestHz || f > kCsvHighestHz) {
      row.skip = CsvSkip::kOutOfRange;
      row.detail = MhzText(f);
      return false;
    }
  }
  // A band is kept with its lower edge first, as the editor keeps it.
  const std::int64_t low = f2 != 0 && f2 < *f1 ? f2 : *f1;
  const std::int64_t high = f2 != 0 && f2 < *f1 ? *f1 : f2;
  row.record.Frequency = static_cast<std::int32_t>(low);
  row.record.Frequency2 = static_cast<std::int32_t>(high);
  return true;
}

// ---- The three formats ----

std::string ReadFennix(const std::vector<Line>& lines, CsvReadResult& result) {
  const Columns columns(lines.front().cells);
  if (std::string e = MissingColumns(
          columns,
          {kCsvHeader[0], kCsvHeader[1], kCsvHeader[2], kCsvHeader[3], kCsvHeader[4], kCsvHeader[5],
           kCsvHeader[6], kCsvHeader[7], kCsvHeader[8], kCsvHeader[9]},
          "Fennix の CSV");
      !e.empty())
    return e;
  std::array<int, kCsvHeader.size()> at{};
  for (std::size_t i = 0; i < kCsvHeader.size(); ++i) at[i] = columns.Find(kCsvHeader[i]);
  for (std::size_t n = 1; n < lines.size(); ++n) {
    const Line& line = lines[n];
    CsvRow row;
    row.line = line.number;
    MemoRecord& r = row.record;
    AssignText(r.Type, Cell(line, at[0]));
    AssignText(r.Name, Cell(line, at[1]));
    const std::string_view memory = Trim(Cell(line, at[10]));
    if (memory.size() == 2 && (memory[0] == 'F' || memory[0] == 'f') && memory[1] >= '1' &&
        memory[1] <= '8')
      row.memoryKey = memory[1] - '0';
    const auto f1 = ParseDecimal(Cell(line, at[2]), 6);
    const std::int64_t f2 = ParseDecimal(Cell(line, at[3]), 6).value_or(0);
    if (row.memoryKey != 0) {
      // A memory key holds whatever was tuned, converter frequencies included.
      if (!f1 || *f1 == 0) {
        row.skip = CsvSkip::kNoFrequency;
        row.detail = std::string(Trim(Cell(line, at[2])));
      } else {
        r.Frequency = Clamp32(*f1);
        r.Frequency2 = Clamp32(f2);
      }
    } else {
      TakeFrequencies(row, Cell(line, at[2]), f1, f2);
    }
    r.Step = Clamp32(ParseDecimal(Cell(line, at[4]), 3).value_or(0));
    r.Mode = NearestMode(Cell(line, at[5]));
    r.Shift = Clamp32(ParseDecimal(Cell(line, at[6]), 0).value_or(0));
    r.Select = Clamp32(ParseDecimal(Cell(line, at[7]), 0).value_or(0));
    AssignText(r.Address, Cell(line, at[8]));
    AssignText(r.Etc, Cell(line, at[9]));
    result.rows.push_back(std::move(row));
  }
  return "";
}

std::string ReadChirp(const std::vector<Line>& lines, CsvReadResult& result) {
  const Columns columns(lines.front().cells);
  if (std::string e = MissingColumns(
          columns, {"Location", "Name", "Frequency", "Duplex", "Offset", "Mode"}, "CHIRP の CSV");
      !e.empty())
    return e;
  const int name = columns.Find("Name"), freq = columns.Find("Frequency"),
            duplex = columns.Find("Duplex"), offset = columns.Find("Offset"),
            mode = columns.Find("Mode"), step = columns.Find("TStep"),
            comment = columns.Find("Comment");
  for (std::size_t n = 1; n < lines.size(); ++n) {
    const Line& line = lines[n];
    CsvRow row;
    row.line = line.number;
    MemoRecord& r = row.record;
    AssignText(r.Name, Trim(Cell(line, name)));
    AssignText(r.Etc, Trim(Cell(line, comment)));
    const auto f1 = ParseDecimal(Cell(line, freq), 6);
    TakeFrequencies(row, Cell(line, freq), f1, 0);
    // The duplex offset is the shift in kHz, signed; a split gives the transmit frequency.
    const std::string d = Lower(Trim(Cell(line, duplex)));
    if (d == "+" || d == "-") {
      const std::int64_t kHz = ParseDecimal(Cell(line, offset), 3).value_or(0);
      r.Shift = Clamp32(d == "-" ? -kHz : kHz);
    } else if (d == "split" && f1) {
      if (const auto tx = ParseDecimal(Cell(line, offset), 6); tx && *tx != 0)
        r.Shift = Clamp32((*tx - *f1) / 1000);
    }
    r.Mode = NearestMode(Cell(line, mode));
    r.Step = Clamp32(ParseDecimal(Cell(line, step), 3).value_or(0));
    result.rows.push_back(std::move(row));
  }
  return "";
}

std::string ReadGqrx(const std::vector<Line>& lines, CsvReadResult& result) {
  // The tag lines ("# Tag name ; color", then one line per tag) come first; the bookmarks
  // follow their own commented header.
  std::size_t headerAt = lines.size();
  for (std::size_t n = 0; n < lines.size(); ++n) {
    const std::string first = Lower(Trim(Cell(lines[n], 0)));
    if (!first.empty() && first.front() == '#' &&
        Trim(std::string_view(first).substr(1)) == "frequency") {
      headerAt = n;
      break;
    }
  }
  if (headerAt == lines.size())
    return "gqrx のブックマークに見出し行 \"# Frequency ; Name ; Modulation ; Bandwidth; Tags\" "
           "がありません。ファイルは読み込みませんでした。";
  std::vector<std::string> header = lines[headerAt].cells;
  header.front() = std::string(Trim(std::string_view(header.front()).substr(1)));
  const Columns columns(header);
  if (std::string e =
          MissingColumns(columns, {"Frequency", "Name", "Modulation"}, "gqrx のブックマーク");
      !e.empty())
    return e;
  const int freq = columns.Find("Frequency"), name = columns.Find("Name"),
            modulation = columns.Find("Modulation"), bandwidth = columns.Find("Bandwidth"),
            tags = columns.Find("Tags"), info = columns.Find("Info");
  for (std::size_t n = headerAt + 1; n < lines.size(); ++n) {
    const Line& line = lines[n];
    if (Trim(Cell(line, 0)).starts_with('#')) continue;
    CsvRow row;
    row.line = line.number;
    MemoRecord& r = row.record;
    AssignText(r.Name, Cell(line, name));
    AssignText(r.Etc, Cell(line, info));
    // The first tag that means something becomes the service type.
    std::string_view tagList = Cell(line, tags);
    while (!tagList.empty()) {
      const std::size_t comma = tagList.find(',');
      const std::string_view tag = Trim(tagList.substr(0, comma));
      if (!tag.empty() && Lower(tag) != "untagged") {
        AssignText(r.Type, tag);
        break;
      }
      tagList = comma == std::string_view::npos ? std::string_view{} : tagList.substr(comma + 1);
    }
    TakeFrequencies(row, Cell(line, freq), ParseDecimal(Cell(line, freq), 0), 0);
    r.Mode =
        NearestMode(Cell(line, modulation), ParseDecimal(Cell(line, bandwidth), 0).value_or(0));
    result.rows.push_back(std::move(row));
  }
  return "";
}

std::string ReasonText(const CsvRow& row) {
  switch (row.skip) {
    case CsvSkip::kNoFrequency:
      return row.detail.empty() ? "周波数がありません"
                                : "周波数 \"" + row.detail + "\" が読めません";
    case CsvSkip::kOutOfRange:
      return row.detail + " MHz は受信範囲 (25～2000 MHz) の外です";
    case CsvSkip::kListFull:
      return "局のリストが一杯です (10,000 局)";
    case CsvSkip::kMemoryKeyInUse:
      return "メモリー F" + std::to_string(row.memoryKey) + " は使用中です";
    case CsvSkip::kNone:
      break;
  }
  return "";
}

std::string CsvCell(std::string_view text) {
  const bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                     (!text.empty() && (text.front() == ' ' || text.back() == ' '));
  if (!quote) return std::string(text);
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
  return out;
}

std::string KhzText(std::int64_t hz) {
  const std::int64_t a = hz < 0 ? -hz : hz;
  std::string frac = std::to_string(a % 1000);
  frac.insert(0, 3 - frac.size(), '0');
  return (hz < 0 ? "-" : "") + std::to_string(a / 1000) + "." + frac;
}

void WriteRow(std::string& out, const MemoRecord& r, int memoryKey) {
  const std::string_view mode = r.Mode >= 0 && r.Mode < static_cast<int>(civ::ModeName.size())
                                    ? civ::ModeName[static_cast<std::size_t>(r.Mode)]
                                    : std::string_view{};
  out += CsvCell(Cp932ToUtf8(r.Type.View()));
  out += ',' + CsvCell(Cp932ToUtf8(r.Name.View()));
  out += ',' + MhzText(r.Frequency);
  out += ',' + (r.Frequency2 != 0 ? MhzText(r.Frequency2) : std::string());
  out += ',' + KhzText(r.Step);
  out += ',' + CsvCell(mode);
  out += ',' + std::to_string(r.Shift);
  out += ',' + std::to_string(r.Select);
  out += ',' + CsvCell(Cp932ToUtf8(r.Address.View()));
  out += ',' + CsvCell(Cp932ToUtf8(r.Etc.View()));
  out += ',' + (memoryKey != 0 ? "F" + std::to_string(memoryKey) : std::string());
  out += '\n';
}

}  // namespace

int NearestMode(std::string_view name, std::int64_t bandwidthHz) {
  const std::string m = Lower(Trim(name));
  if (m.empty()) return 0;
  struct Entry {
    std::string_view name;
    int mode;
  };
  // CHIRP's and gqrx's names; digital voice is narrow FM to this receiver, data is SSB.
  static constexpr Entry kNames[] = {
      {"fm", 5},           {"nfm", 6},        {"narrow fm", 6}, {"wfm", 7},  {"wfm (mono)", 7},
      {"wfm (stereo)", 7}, {"wfm (oirt)", 7}, {"am", 4},        {"nam", 4},  {"am-sync", 4},
      {"lsb", 1},          {"usb", 2},        {"cw", 2},        {"cw-u", 2}, {"cwr", 1},
      {"cw-l", 1},         {"dv", 6},         {"dn", 6},        {"dmr", 6},  {"p25", 6},
      {"nxdn", 6},         {"dig", 2},        {"rtty", 2},      {"fsk", 2},  {"auto", 0},
      {"demod off", 0},    {"raw i/q", 0},
  };
  for (const Entry& e : kNames) {
    if (m != e.name) continue;
    // gqrx keeps one FM and one AM mode and sets the width apart.
    if (m == "narrow fm") return bandwidthHz > 9000 || bandwidthHz == 0 ? 5 : 6;
    if ((m == "am" || m == "am-sync") && bandwidthHz >= 12000) return 3;
    return e.mode;
  }
  const std::string normal = NormalizeMode(name);
  for (int k = 7; k >= 1; --k)
    if (civ::ModeName[static_cast<std::size_t>(k)] == normal) return k;
  return 0;
}

CsvReadResult ReadStationCsv(std::string_view bytes) {
  CsvReadResult result;
  auto fail = [&](std::string message) {
    result.ok = false;
    result.error = std::move(message);
    result.rows.clear();
    return result;
  };
  if (bytes.size() > kCsvMaxBytes)
    return fail("ファイルが大きすぎます (" + WithThousands(static_cast<long long>(bytes.size())) +
                " バイト)。読み込めるのは " + WithThousands(kCsvMaxBytes) +
                " バイトまでです。ファイルは読み込みませんでした。");
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  if (const int bad = FirstNonUtf8Line(bytes); bad != 0)
    return fail(std::to_string(bad) +
                " 行目が UTF-8 のテキストではありません。表計算ソフトからは「CSV UTF-8」で"
                "保存してください。ファイルは読み込みませんでした。");
  const long long lineCount = std::count(bytes.begin(), bytes.end(), '\n') +
                              (bytes.empty() || bytes.back() == '\n' ? 0 : 1);
  if (lineCount > kCsvMaxLines)
    return fail("行が多すぎます (" + WithThousands(lineCount) + " 行)。読み込めるのは " +
                WithThousands(kCsvMaxLines) + " 行までです。ファイルは読み込みませんでした。");

  // The first line that is not blank tells the format.
  std::string_view first = bytes;
  while (!first.empty()) {
    const std::size_t end = first.find('\n');
    if (!Trim(first.substr(0, end)).empty() && first.substr(0, end) != "\r") break;
    first = end == std::string_view::npos ? std::string_view{} : first.substr(end + 1);
  }
  std::vector<Line> lines;
  std::string error;
  if (Trim(first).starts_with('#')) {
    result.format = CsvFormat::kGqrx;
    SplitPlain(bytes, ';', lines);
    error = ReadGqrx(lines, result);
  } else {
    error = SplitQuoted(bytes, ',', lines);
    if (!error.empty()) return fail(error);
    if (lines.empty()) return fail("ファイルが空です。");
    const Columns header(lines.front().cells);
    if (header.Has("Frequency (MHz)") || header.Has("Type")) {
      result.format = CsvFormat::kFennix;
      error = ReadFennix(lines, result);
    } else if (header.Has("Location") || header.Has("Duplex")) {
      result.format = CsvFormat::kChirp;
      error = ReadChirp(lines, result);
    } else {
      error =
          "1 行目の見出しがわかりません。読み込めるのは Fennix が書き出した CSV、CHIRP の CSV、"
          "gqrx の bookmarks.csv です。ファイルは読み込みませんでした。";
    }
  }
  if (!error.empty()) return fail(error);
  result.ok = true;
  return result;
}

int CsvImportPlan::Skipped() const {
  int n = 0;
  for (const int k : skipped) n += k;
  return n;
}

CsvImportPlan PlanCsvImport(const CsvReadResult& read, const MemoData& data) {
  CsvImportPlan plan;
  plan.format = read.format;
  if (!read.ok) return plan;
  std::array<bool, 9> keyTaken{};
  int next = FindNull(data);
  for (const CsvRow& source : read.rows) {
    CsvRow row = source;
    if (row.skip == CsvSkip::kNone && row.memoryKey != 0) {
      const MemoRecord& key = data[kMemoryKeyBase + row.memoryKey];
      if (keyTaken[static_cast<std::size_t>(row.memoryKey)] || key.Frequency != 0 ||
          key.Frequency2 != 0) {
        row.skip = CsvSkip::kMemoryKeyInUse;
      } else {
        keyTaken[static_cast<std::size_t>(row.memoryKey)] = true;
        plan.placements.push_back({kMemoryKeyBase + row.memoryKey, row.record});
        ++plan.memoryKeys;
        continue;
      }
    } else if (row.skip == CsvSkip::kNone) {
      if (next == 0) {
        row.skip = CsvSkip::kListFull;
      } else {
        plan.placements.push_back({next, row.record});
        ++plan.stations;
        next = FindNull(data, next + 1);
        continue;
      }
    }
    ++plan.skipped[static_cast<std::size_t>(row.skip)];
    if (plan.problems.size() < kCsvProblemsShown)
      plan.problems.push_back(std::to_string(row.line) + " 行目: " + ReasonText(row));
  }
  return plan;
}

std::string CsvImportSummary(const CsvImportPlan& plan) {
  static constexpr std::string_view kFormat[] = {"Fennix の CSV", "CHIRP の CSV",
                                                 "gqrx のブックマーク"};
  std::string s = "形式: " + std::string(kFormat[static_cast<int>(plan.format)]) + "\n";
  s += "局として追加する行: " + WithThousands(plan.stations) + "\n";
  if (plan.memoryKeys > 0) s += "メモリーに入れる行: " + WithThousands(plan.memoryKeys) + "\n";
  s += "読み込まない行: " + WithThousands(plan.Skipped());
  static constexpr std::pair<CsvSkip, std::string_view> kWhy[] = {
      {CsvSkip::kOutOfRange, "受信範囲 (25～2000 MHz) の外"},
      {CsvSkip::kNoFrequency, "周波数なし"},
      {CsvSkip::kListFull, "リストが一杯"},
      {CsvSkip::kMemoryKeyInUse, "メモリーが使用中"},
  };
  std::string why;
  for (const auto& [reason, text] : kWhy) {
    const int n = plan.skipped[static_cast<std::size_t>(reason)];
    if (n == 0) continue;
    if (!why.empty()) why += "、";
    why += std::string(text) + " " + WithThousands(n);
  }
  if (!why.empty()) s += " (" + why + ")";
  s += "\n";
  if (!plan.problems.empty()) {
    s += "\n";
    for (const std::string& p : plan.problems) s += p + "\n";
    if (static_cast<std::size_t>(plan.Skipped()) > plan.problems.size()) s += "…\n";
  }
  return s;
}

void ApplyCsvImport(const CsvImportPlan& plan, MemoData& data) {
  for (const CsvPlacement& p : plan.placements) {
    // The whole record is replaced (a free record may still hold old texts); Reserved stays.
    MemoRecord record = p.record;
    record.Reserved = data[p.memoNo].Reserved;
    data[p.memoNo] = record;
  }
}

std::string WriteStationCsv(const MemoData& data, const StationIndex& allIndex,
                            bool withMemoryKeys) {
  std::string out;
  for (std::size_t i = 0; i < kCsvHeader.size(); ++i) {
    if (i != 0) out += ',';
    out += kCsvHeader[i];
  }
  out += '\n';
  for (int pos = 1; pos <= allIndex.Count() && pos <= kStationCount; ++pos) {
    const int n = allIndex[pos];
    if (n >= 1 && n <= kStationCount) WriteRow(out, data[n], 0);
  }
  if (withMemoryKeys) {
    for (int k = 1; k <= 8; ++k) {
      const MemoRecord& r = data[kMemoryKeyBase + k];
      if (r.Frequency != 0) WriteRow(out, r, k);
    }
  }
  return out;
}

std::string CsvField(std::string_view text) { return CsvCell(text); }

bool SplitCsv(std::string_view text, std::vector<std::vector<std::string>>& rows,
              std::string& error) {
  std::vector<Line> lines;
  error = SplitQuoted(text, ',', lines);
  if (!error.empty()) return false;
  for (Line& line : lines) rows.push_back(std::move(line.cells));
  return true;
}

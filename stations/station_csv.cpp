#include "stations/station_csv.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <tuple>

#include "base/text.h"
#include "civ/civ.h"
#include "stations/cp932.h"
#include "stations/find_null.h"
#include "stations/station_csv_json.h"

namespace {

// ---- Text helpers ----

// Field names as the summary and the check name them.
constexpr const char* kTypeField = FENNIX_TR_NOOP("StationCsv", "種類");
constexpr const char* kNameField = FENNIX_TR_NOOP("StationCsv", "局名");
constexpr const char* kAddressField = FENNIX_TR_NOOP("StationCsv", "所在地");
constexpr const char* kEtcField = FENNIX_TR_NOOP("StationCsv", "備考");

// By CsvFormat.
constexpr const char* kFormatName[] = {FENNIX_TR_NOOP("StationCsv", "Fennix の CSV"),
                                       FENNIX_TR_NOOP("StationCsv", "CHIRP の CSV"),
                                       FENNIX_TR_NOOP("StationCsv", "gqrx のブックマーク"),
                                       FENNIX_TR_NOOP("StationCsv", "SDR++ の周波数リスト")};

std::string FormatName(CsvFormat format) {
  return text::Tr("StationCsv", kFormatName[static_cast<int>(format)]);
}

// Between the items of a list in a sentence.
std::string ListSeparator() { return text::Tr("StationCsv", "、"); }

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

// A line ends at LF, at CRLF, or at a CR alone (old spreadsheets' "CSV (Macintosh)").
bool EndsLine(std::string_view s, std::size_t i) {
  return s[i] == '\n' || (s[i] == '\r' && (i + 1 == s.size() || s[i + 1] != '\n'));
}

// The line where the first byte that is not UTF-8 lies, or 0 when all of it is. NUL bytes
// count as not text.
int FirstNonUtf8Line(std::string_view s) {
  int line = 1;
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c == 0) return line;
    if (c < 0x80) {
      if (EndsLine(s, i)) ++line;
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

// The nearest letters of plain ASCII for a letter Shift-JIS cannot hold: Latin-1 and Latin
// Extended-A by their base letter, a few ligatures and marks spelt out. Empty when none.
std::string_view Nearest(std::uint32_t cp) {
  // U+00C0..U+017F; '*' marks a letter spelt with two.
  static constexpr std::string_view kBase =
      "AAAAAA*CEEEEIIII"   // U+00C0
      "DNOOOOO?OUUUUY?*"   // U+00D0
      "aaaaaa*ceeeeiiii"   // U+00E0
      "dnooooo?ouuuuy?y"   // U+00F0
      "AaAaAaCcCcCcCcDd"   // U+0100
      "DdEeEeEeEeEeGgGg"   // U+0110
      "GgGgHhHhIiIiIiIi"   // U+0120
      "Ii**JjKkkLlLlLlL"   // U+0130
      "lLlNnNnNnnNnOoOo"   // U+0140
      "Oo**RrRrRrSsSsSs"   // U+0150
      "SsTtTtTtUuUuUuUu"   // U+0160
      "UuUuWwYyYZzZzZzs";  // U+0170
  switch (cp) {
    case 0xC6:
      return "AE";
    case 0xE6:
      return "ae";
    case 0xDF:
      return "ss";
    case 0x132:
      return "IJ";
    case 0x133:
      return "ij";
    case 0x152:
      return "OE";
    case 0x153:
      return "oe";
    case 0xA0:
      return " ";
    case 0x2013:
    case 0x2014:
    case 0x2212:
      return "-";
    case 0x201A:
    case 0x2039:
    case 0x203A:
      return "'";
    case 0x201E:
    case 0x00AB:
    case 0x00BB:
      return "\"";
    default:
      break;
  }
  if (cp >= 0xC0 && cp <= 0x17F) {
    const char c = kBase[cp - 0xC0];
    if (c != '?' && c != '*') return kBase.substr(cp - 0xC0, 1);
  }
  return {};
}

struct Converted {
  std::string cp932;
  int approximated = 0;
  int placeholders = 0;
};

// UTF-8 to CP932, control characters as blanks; a letter CP932 lacks becomes its nearest
// letter, or "?" when there is none, and both are counted.
Converted ToCp932(std::string_view utf8) {
  Converted out;
  std::string text(utf8);
  bool ascii = true;
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  }
  if (ascii) {
    out.cp932 = std::move(text);
    return out;
  }
  // Most texts convert whole; only one that gained a "?" is taken letter by letter.
  out.cp932 = Utf8ToCp932(text);
  if (std::count(out.cp932.begin(), out.cp932.end(), '?') ==
      std::count(text.begin(), text.end(), '?'))
    return out;
  out.cp932.clear();
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    const std::string_view letter = std::string_view(text).substr(i, n);
    i += n;
    const std::string one = Utf8ToCp932(letter);
    if (one != "?" || letter == "?") {
      out.cp932 += one;
      continue;
    }
    std::uint32_t cp = n == 1 ? c : c & (0xFF >> (n + 1));
    for (std::size_t k = 1; k < letter.size(); ++k)
      cp = (cp << 6) | (static_cast<unsigned char>(letter[k]) & 0x3F);
    if (const std::string_view near = Nearest(cp); !near.empty()) {
      out.cp932 += near;
      ++out.approximated;
    } else {
      out.cp932 += '?';
      ++out.placeholders;
    }
  }
  return out;
}

// A UTF-8 text as a record field: CP932 with the nearest letters, cut to the width without
// splitting a double-byte character. The row notes what changed, for the summary.
template <std::size_t N>
void AssignText(CsvRow& row, ShortText<N>& field, const char* label, std::string_view utf8) {
  const Converted converted = ToCp932(utf8);
  const std::string_view kept = Cp932Cut(converted.cp932, N);
  field.Assign(kept);
  if (converted.approximated + converted.placeholders > 0) {
    row.approximated += converted.approximated;
    row.placeholders += converted.placeholders;
    row.replaced.push_back(
        {text::Tr("StationCsv", label), std::string(utf8), Cp932ToUtf8(converted.cp932)});
  }
  if (kept.size() < converted.cp932.size())
    row.cut.push_back({text::Tr("StationCsv", label), std::string(utf8), Cp932ToUtf8(kept)});
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

// ---- Splitting the file into rows of cells ----

// No format has this many columns; cells past it are not kept, so a line of nothing but
// separators costs no memory.
constexpr std::size_t kMaxCells = 256;

struct Line {
  int number = 0;
  std::vector<std::string_view> cells;  // into the text, or into `owned`
  std::deque<std::string> owned;        // cells that had doubled quotes or text around quotes
};

// Builds one cell as a view of the text while its bytes lie together, and as a copy only once
// a quote is left out between them.
class CellBuilder {
 public:
  explicit CellBuilder(std::string_view text) : text_(text) {}
  void Start(std::size_t at) {
    begin_ = end_ = at;
    owned_ = false;
    copy_.clear();
  }
  void Append(std::size_t at) {
    if (!owned_ && at == end_) {
      end_ = at + 1;
      return;
    }
    if (!owned_) {
      owned_ = true;
      copy_.assign(text_.substr(begin_, end_ - begin_));
    }
    copy_.push_back(text_[at]);
  }
  bool Blank() const {
    return owned_ ? Trim(copy_).empty() : Trim(text_.substr(begin_, end_ - begin_)).empty();
  }
  void End(Line& line) {
    if (line.cells.size() >= kMaxCells) return;
    if (owned_) {
      line.owned.push_back(std::move(copy_));
      line.cells.push_back(line.owned.back());
    } else {
      line.cells.push_back(text_.substr(begin_, end_ - begin_));
    }
  }

 private:
  std::string_view text_;
  std::size_t begin_ = 0, end_ = 0;
  bool owned_ = false;
  std::string copy_;
};

// How often the splitters tell their progress, in bytes.
constexpr std::size_t kProgressBytes = 64u << 10;

// RFC 4180 rows: cells in double quotes may hold separators, doubled quotes and line breaks.
// Each row with content goes to `onRow`. Returns an error text for a quote left open, or for
// a reading stopped by `progress`.
template <class OnRow>
std::string SplitQuoted(std::string_view text, char separator, const CsvProgress& progress,
                        OnRow&& onRow) {
  Line row;
  CellBuilder cell(text);
  cell.Start(0);
  int lineNo = 1;
  row.number = 1;
  bool quoted = false;
  int quoteLine = 0;
  bool rowHasContent = false;
  auto endRow = [&](std::size_t next) {
    cell.End(row);
    if (rowHasContent) onRow(row);
    row.cells.clear();
    row.owned.clear();
    row.number = lineNo;
    rowHasContent = false;
    cell.Start(next);
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (progress && i % kProgressBytes == 0 && !progress(i, text.size()))
      return text::Tr("StationCsv", "読み込みをやめました。");
    const char c = text[i];
    if (quoted) {
      if (c == '"') {
        if (i + 1 < text.size() && text[i + 1] == '"') {
          cell.Append(i);
          ++i;
        } else {
          quoted = false;
        }
      } else {
        if (EndsLine(text, i)) ++lineNo;
        cell.Append(i);
      }
      continue;
    }
    if (c == '"' && cell.Blank()) {
      cell.Start(i + 1);
      quoted = true;
      quoteLine = lineNo;
      rowHasContent = true;
    } else if (c == separator) {
      cell.End(row);
      cell.Start(i + 1);
      rowHasContent = true;
    } else if (EndsLine(text, i)) {
      ++lineNo;
      endRow(i + 1);
    } else if (c == '\r') {
      // the CR of a CRLF: the LF ends the row
    } else {
      cell.Append(i);
      if (c != ' ' && c != '\t') rowHasContent = true;
    }
  }
  if (quoted)
    return text::Arg(
        text::Tr("StationCsv",
                 "%1 行目の引用符 (\") が閉じていません。ファイルは読み込みませんでした。"),
        {std::to_string(quoteLine)});
  endRow(text.size());
  return "";
}

// gqrx's rows: plain lines of cells between semicolons, padded with blanks, no quoting.
template <class OnRow>
void SplitPlain(std::string_view text, char separator, OnRow&& onRow) {
  Line row;
  int lineNo = 1;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && !EndsLine(text, i)) continue;
    std::string_view line = text.substr(start, i - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!Trim(line).empty()) {
      row.number = lineNo;
      row.cells.clear();
      for (std::size_t from = 0;;) {
        const std::size_t sep = line.find(separator, from);
        if (row.cells.size() < kMaxCells) row.cells.push_back(Trim(line.substr(from, sep - from)));
        if (sep == std::string_view::npos) break;
        from = sep + 1;
      }
      onRow(row);
    }
    ++lineNo;
    start = i + 1;
  }
}

// Column positions by header name (without regard to case or surrounding blanks).
class Columns {
 public:
  Columns() = default;
  explicit Columns(const std::vector<std::string_view>& header) {
    for (const std::string_view h : header) names_.push_back(Lower(Trim(h)));
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
                           CsvFormat format) {
  std::string missing;
  for (std::string_view name : required) {
    if (columns.Has(name)) continue;
    if (!missing.empty()) missing += ListSeparator();
    missing += "\"" + std::string(name) + "\"";
  }
  if (missing.empty()) return "";
  return text::Arg(
      text::Tr("StationCsv", "%1 の見出しに列 %2 がありません。ファイルは読み込みませんでした。"),
      {FormatName(format), missing});
}

std::string MhzText(std::int64_t hz) {
  const std::int64_t a = hz < 0 ? -hz : hz;
  std::string frac = std::to_string(a % 1000000);
  frac.insert(0, 6 - frac.size(), '0');
  return (hz < 0 ? "-" : "") + std::to_string(a / 1000000) + "." + frac;
}

std::string KhzText(std::int64_t hz) {
  const std::int64_t a = hz < 0 ? -hz : hz;
  std::string frac = std::to_string(a % 1000);
  frac.insert(0, 3 - frac.size(), '0');
  return (hz < 0 ? "-" : "") + std::to_string(a / 1000) + "." + frac;
}

// Refuses the row for a field the editor would not take; false when refused.
bool Refuse(CsvRow& row, std::string detail) {
  if (row.skip != CsvSkip::kNone) return false;
  row.skip = CsvSkip::kBadValue;
  row.detail = std::move(detail);
  return false;
}

// The frequency checks every format shares; false when the row is skipped. Our own rows
// may hold anything the list holds; other programs' rows must lie in the receiver's range.
bool TakeFrequencies(CsvRow& row, std::string_view text, std::optional<std::int64_t> f1,
                     std::int64_t f2, bool listRange) {
  if (!f1 || *f1 == 0) {
    row.skip = CsvSkip::kNoFrequency;
    row.detail = std::string(Trim(text));
    return false;
  }
  const std::int64_t lowest = listRange ? 1 : kCsvLowestHz;
  const std::int64_t highest = listRange ? kListHighestHz : kCsvHighestHz;
  for (const std::int64_t f : {*f1, f2}) {
    if (f == 0 && f != *f1) continue;
    if (f < lowest || f > highest) {
      if (listRange)
        return Refuse(row,
                      text::Arg(text::Tr("StationCsv", "周波数 %1 MHz は局のリストに入りません"),
                                {MhzText(f)}));
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

// A step in kHz text: empty is none; what the editor's field cannot hold refuses the row.
void TakeStep(CsvRow& row, std::string_view text) {
  if (Trim(text).empty()) return;
  const auto step = ParseDecimal(text, 3);
  if (!step || *step < 0 || *step > kHighestStepHz) {
    Refuse(row, text::Arg(text::Tr("StationCsv", "ステップ \"%1\" kHz は 0～999.99 kHz の外です"),
                          {Trim(text)}));
    return;
  }
  row.record.Step = static_cast<std::int32_t>(*step);
}

void TakeShift(CsvRow& row, std::optional<std::int64_t> kHz, std::string_view text) {
  if (!kHz || *kHz < kLowestShiftKhz || *kHz > kHighestShiftKhz) {
    Refuse(row, text::Arg(text::Tr("StationCsv", "親子差 \"%1\" kHz は受け付けられません"),
                          {Trim(text)}));
    return;
  }
  row.record.Shift = static_cast<std::int32_t>(*kHz);
}

// ---- The formats: each gets every row with content, the header included ----

class FormatReader {
 public:
  virtual ~FormatReader() = default;
  // An error text ends the reading.
  virtual std::string Take(const Line& line, CsvReadResult& result) = 0;
  virtual std::string Finish() { return ""; }
};

class FennixReader : public FormatReader {
 public:
  std::string Take(const Line& line, CsvReadResult& result) override {
    if (!header_) {
      header_ = true;
      const Columns columns(line.cells);
      if (std::string e = MissingColumns(
              columns,
              {kCsvHeader[0], kCsvHeader[1], kCsvHeader[2], kCsvHeader[3], kCsvHeader[4],
               kCsvHeader[5], kCsvHeader[6], kCsvHeader[7], kCsvHeader[8], kCsvHeader[9]},
              CsvFormat::kFennix);
          !e.empty())
        return e;
      for (std::size_t i = 0; i < kCsvHeader.size(); ++i) at_[i] = columns.Find(kCsvHeader[i]);
      return "";
    }
    CsvRow row;
    row.line = line.number;
    MemoRecord& r = row.record;
    AssignText(row, r.Type, kTypeField, Cell(line, at_[0]));
    AssignText(row, r.Name, kNameField, Cell(line, at_[1]));
    const std::string_view memory = Trim(Cell(line, at_[10]));
    if (memory.size() == 2 && (memory[0] == 'F' || memory[0] == 'f') && memory[1] >= '1' &&
        memory[1] <= '8')
      row.memoryKey = memory[1] - '0';
    else if (!memory.empty())
      Refuse(row, text::Arg(text::Tr("StationCsv", "メモリー \"%1\" は F1～F8 ではありません"),
                            {memory}));
    const auto f1 = ParseDecimal(Cell(line, at_[2]), 6);
    const std::string_view f2Text = Trim(Cell(line, at_[3]));
    const auto f2 = ParseDecimal(f2Text, 6);
    if (!f2Text.empty() && !f2)
      Refuse(row, text::Arg(text::Tr("StationCsv", "周波数2 \"%1\" が読めません"), {f2Text}));
    if (row.skip == CsvSkip::kNone)
      TakeFrequencies(row, Cell(line, at_[2]), f1, f2.value_or(0), true);
    TakeStep(row, Cell(line, at_[4]));
    const std::string_view mode = Trim(Cell(line, at_[5]));
    r.Mode = NearestMode(mode);
    if (r.Mode == 0 && !mode.empty())
      Refuse(row, text::Arg(text::Tr("StationCsv", "電波型式 \"%1\" がわかりません"), {mode}));
    if (const std::string_view shift = Trim(Cell(line, at_[6])); !shift.empty())
      TakeShift(row, ParseDecimal(shift, 0), shift);
    if (const std::string_view select = Trim(Cell(line, at_[7])); !select.empty()) {
      const auto value = ParseDecimal(select, 0);
      if (!value || select.find('.') != std::string_view::npos || *value < INT32_MIN ||
          *value > INT32_MAX)
        Refuse(row,
               text::Arg(text::Tr("StationCsv", "感度 \"%1\" が整数ではありません"), {select}));
      else
        r.Select = static_cast<std::int32_t>(*value);
    }
    AssignText(row, r.Address, kAddressField, Cell(line, at_[8]));
    AssignText(row, r.Etc, kEtcField, Cell(line, at_[9]));
    result.rows.push_back(std::move(row));
    return "";
  }

 private:
  bool header_ = false;
  std::array<int, kCsvHeader.size()> at_{};
};

class ChirpReader : public FormatReader {
 public:
  std::string Take(const Line& line, CsvReadResult& result) override {
    if (!header_) {
      header_ = true;
      const Columns columns(line.cells);
      if (std::string e =
              MissingColumns(columns, {"Location", "Name", "Frequency", "Duplex", "Offset", "Mode"},
                             CsvFormat::kChirp);
          !e.empty())
        return e;
      name_ = columns.Find("Name");
      freq_ = columns.Find("Frequency");
      duplex_ = columns.Find("Duplex");
      offset_ = columns.Find("Offset");
      mode_ = columns.Find("Mode");
      step_ = columns.Find("TStep");
      comment_ = columns.Find("Comment");
      return "";
    }
    CsvRow row;
    row.line = line.number;
    MemoRecord& r = row.record;
    AssignText(row, r.Name, kNameField, Trim(Cell(line, name_)));
    AssignText(row, r.Etc, kEtcField, Trim(Cell(line, comment_)));
    const auto f1 = ParseDecimal(Cell(line, freq_), 6);
    TakeFrequencies(row, Cell(line, freq_), f1, 0, false);
    // The duplex offset is the shift in kHz, signed; a split gives the transmit frequency.
    const std::string d = Lower(Trim(Cell(line, duplex_)));
    if (d == "+" || d == "-") {
      const auto kHz = ParseDecimal(Cell(line, offset_), 3);
      TakeShift(row, kHz ? std::optional(d == "-" ? -*kHz : *kHz) : kHz, Cell(line, offset_));
    } else if (d == "split" && f1) {
      if (const auto tx = ParseDecimal(Cell(line, offset_), 6); tx && *tx != 0)
        TakeShift(row, (*tx - *f1) / 1000, Cell(line, offset_));
    }
    r.Mode = NearestMode(Cell(line, mode_));
    TakeStep(row, Cell(line, step_));
    result.rows.push_back(std::move(row));
    return "";
  }

 private:
  bool header_ = false;
  int name_ = -1, freq_ = -1, duplex_ = -1, offset_ = -1, mode_ = -1, step_ = -1, comment_ = -1;
};

class GqrxReader : public FormatReader {
 public:
  std::string Take(const Line& line, CsvReadResult& result) override {
    // The tag lines ("# Tag name ; color", then one line per tag) come first; the bookmarks
    // follow their own commented header.
    if (!header_) {
      const std::string first = Lower(Trim(Cell(line, 0)));
      if (first.empty() || first.front() != '#' ||
          Trim(std::string_view(first).substr(1)) != "frequency")
        return "";
      header_ = true;
      std::vector<std::string_view> header = line.cells;
      header.front() = Trim(header.front().substr(1));
      const Columns columns(header);
      if (std::string e =
              MissingColumns(columns, {"Frequency", "Name", "Modulation"}, CsvFormat::kGqrx);
          !e.empty())
        return e;
      freq_ = columns.Find("Frequency");
      name_ = columns.Find("Name");
      modulation_ = columns.Find("Modulation");
      bandwidth_ = columns.Find("Bandwidth");
      tags_ = columns.Find("Tags");
      info_ = columns.Find("Info");
      return "";
    }
    if (Trim(Cell(line, 0)).starts_with('#')) return "";
    CsvRow row;
    row.line = line.number;
    MemoRecord& r = row.record;
    AssignText(row, r.Name, kNameField, Cell(line, name_));
    AssignText(row, r.Etc, kEtcField, Cell(line, info_));
    // The first tag that means something becomes the service type.
    std::string_view tagList = Cell(line, tags_);
    while (!tagList.empty()) {
      const std::size_t comma = tagList.find(',');
      const std::string_view tag = Trim(tagList.substr(0, comma));
      if (!tag.empty() && Lower(tag) != "untagged") {
        AssignText(row, r.Type, kTypeField, tag);
        break;
      }
      tagList = comma == std::string_view::npos ? std::string_view{} : tagList.substr(comma + 1);
    }
    TakeFrequencies(row, Cell(line, freq_), ParseDecimal(Cell(line, freq_), 0), 0, false);
    r.Mode =
        NearestMode(Cell(line, modulation_), ParseDecimal(Cell(line, bandwidth_), 0).value_or(0));
    result.rows.push_back(std::move(row));
    return "";
  }
  std::string Finish() override {
    if (header_) return "";
    return text::Tr(
        "StationCsv",
        "gqrx のブックマークに見出し行 \"# Frequency ; Name ; Modulation ; Bandwidth; Tags\" "
        "がありません。ファイルは読み込みませんでした。");
  }

 private:
  bool header_ = false;
  int freq_ = -1, name_ = -1, modulation_ = -1, bandwidth_ = -1, tags_ = -1, info_ = -1;
};

std::string ReasonText(const CsvRow& row) {
  switch (row.skip) {
    case CsvSkip::kNoFrequency:
      return row.detail.empty()
                 ? text::Tr("StationCsv", "周波数がありません")
                 : text::Arg(text::Tr("StationCsv", "周波数 \"%1\" が読めません"), {row.detail});
    case CsvSkip::kOutOfRange:
      return text::Arg(text::Tr("StationCsv", "%1 MHz は受信範囲 (25～2000 MHz) の外です"),
                       {row.detail});
    case CsvSkip::kListFull:
      return text::Tr("StationCsv", "局のリストが一杯です (10,000 局)");
    case CsvSkip::kMemoryKeyInUse:
      return text::Arg(text::Tr("StationCsv", "メモリー F%1 は使用中です"),
                       {std::to_string(row.memoryKey)});
    case CsvSkip::kBadValue:
      return row.detail;
    case CsvSkip::kDuplicate:
      return text::Tr("StationCsv", "既にある局です");
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

// Record texts for a file: UTF-8, or the record's own bytes for a Shift-JIS file.
std::string FileText(std::string_view cp932, CsvEncoding encoding) {
  return encoding == CsvEncoding::kShiftJis ? std::string(cp932) : Cp932ToUtf8(cp932);
}

void WriteRow(std::string& out, const MemoRecord& r, int memoryKey, CsvEncoding encoding) {
  const std::string_view mode = r.Mode >= 0 && r.Mode < static_cast<int>(civ::ModeName.size())
                                    ? civ::ModeName[static_cast<std::size_t>(r.Mode)]
                                    : std::string_view{};
  out += CsvCell(FileText(r.Type.View(), encoding));
  out += ',' + CsvCell(FileText(r.Name.View(), encoding));
  out += ',' + MhzText(r.Frequency);
  out += ',' + (r.Frequency2 != 0 ? MhzText(r.Frequency2) : std::string());
  out += ',' + KhzText(r.Step);
  out += ',' + CsvCell(mode);
  out += ',' + std::to_string(r.Shift);
  out += ',' + std::to_string(r.Select);
  out += ',' + CsvCell(FileText(r.Address.View(), encoding));
  out += ',' + CsvCell(FileText(r.Etc.View(), encoding));
  out += ',' + (memoryKey != 0 ? "F" + std::to_string(memoryKey) : std::string());
  out += '\n';
}

// The receiver's modes in CHIRP's and gqrx's names, with gqrx's filter width.
struct OtherMode {
  std::string_view chirp;
  std::string_view gqrx;
  int bandwidth;
};
constexpr OtherMode kOtherModes[] = {
    {"Auto", "Demod Off", 0},   {"LSB", "LSB", 2800},
    {"USB", "USB", 2800},       {"AM", "AM", 15000},
    {"AM", "AM", 10000},        {"FM", "Narrow FM", 10000},
    {"NFM", "Narrow FM", 5000}, {"WFM", "WFM (stereo)", 160000},
};

// CHIRP takes only the steps its radios know.
std::string ChirpStep(std::int32_t hz) {
  static constexpr int kSteps[] = {500,   1000,  2500,  3000,   5000,   6250,
                                   8330,  9000,  10000, 12500,  15000,  20000,
                                   25000, 30000, 50000, 100000, 125000, 200000};
  for (const int s : kSteps)
    if (s == hz) return KhzText(hz).substr(0, KhzText(hz).size() - 1);
  return "5.00";
}

// gqrx splits on semicolons and tags on commas, without quoting.
std::string GqrxText(std::string_view utf8, bool tag) {
  std::string out(utf8);
  for (char& c : out)
    if (c == ';' || (tag && c == ',')) c = tag ? ' ' : ',';
  return std::string(Trim(out));
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

CsvReadResult ReadStationCsv(std::string_view bytes, const CsvProgress& progress) {
  CsvReadResult result;
  auto fail = [&](std::string message) {
    result.ok = false;
    result.error = std::move(message);
    result.rows.clear();
    return result;
  };
  if (bytes.size() > kCsvMaxBytes)
    return fail(text::Arg(
        text::Tr("StationCsv",
                 "ファイルが大きすぎます (%1 バイト)。読み込めるのは %2 バイトまでです。"
                 "ファイルは読み込みませんでした。"),
        {WithThousands(static_cast<long long>(bytes.size())), WithThousands(kCsvMaxBytes)}));
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);

  // The first line that is not blank tells the format.
  std::string_view first = bytes;
  while (!first.empty()) {
    std::size_t end = 0;
    while (end < first.size() && !EndsLine(first, end)) ++end;
    std::string_view line = first.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);  // of a CRLF
    if (!Trim(line).empty()) {
      first = line;
      break;
    }
    first = end >= first.size() ? std::string_view{} : first.substr(end + 1);
  }
  if (Trim(first).starts_with('{')) {
    if (const int bad = FirstNonUtf8Line(bytes); bad != 0)
      return fail(text::Arg(
          text::Tr("StationCsv",
                   "%1 行目が UTF-8 のテキストではありません。ファイルは読み込みませんでした。"),
          {std::to_string(bad)}));
    return ReadSdrppJson(bytes);
  }

  // Our own CSV may be Shift-JIS, as we write it for older programs; other programs' files
  // are UTF-8 (a Latin-1 file would read as Shift-JIS katakana without a word).
  std::string converted;
  if (const int bad = FirstNonUtf8Line(bytes); bad != 0) {
    const bool own = first.find(kCsvHeader[2]) != std::string_view::npos;
    converted = own && bytes.find('\0') == std::string_view::npos ? Cp932ToUtf8(bytes) : "";
    if (converted.empty() || std::count(converted.begin(), converted.end(), '?') !=
                                 std::count(bytes.begin(), bytes.end(), '?'))
      return fail(
          text::Arg(text::Tr("StationCsv",
                             "%1 行目が UTF-8 のテキストではありません。表計算ソフトからは"
                             "「CSV UTF-8」で保存してください。ファイルは読み込みませんでした。"),
                    {std::to_string(bad)}));
    bytes = converted;
  }
  long long lineCount = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) lineCount += EndsLine(bytes, i) ? 1 : 0;
  if (!bytes.empty() && !EndsLine(bytes, bytes.size() - 1)) ++lineCount;
  if (lineCount > kCsvMaxLines)
    return fail(text::Arg(text::Tr("StationCsv",
                                   "行が多すぎます (%1 行)。読み込めるのは %2 行までです。"
                                   "ファイルは読み込みませんでした。"),
                          {WithThousands(lineCount), WithThousands(kCsvMaxLines)}));

  std::unique_ptr<FormatReader> reader;
  std::string error;
  auto take = [&](const Line& line) {
    if (!error.empty()) return;
    if (!reader) {
      const Columns header(line.cells);
      if (header.Has("Frequency (MHz)") || header.Has("Type")) {
        result.format = CsvFormat::kFennix;
        reader = std::make_unique<FennixReader>();
      } else if (header.Has("Location") || header.Has("Duplex")) {
        result.format = CsvFormat::kChirp;
        reader = std::make_unique<ChirpReader>();
      } else {
        error = text::Tr(
            "StationCsv",
            "1 行目の見出しがわかりません。読み込めるのは Fennix が書き出した CSV、CHIRP の "
            "CSV、gqrx の bookmarks.csv、SDR++ の周波数リスト (JSON) です。ファイルは読み込み"
            "ませんでした。");
        return;
      }
    }
    error = reader->Take(line, result);
  };
  if (Trim(first).starts_with('#')) {
    result.format = CsvFormat::kGqrx;
    reader = std::make_unique<GqrxReader>();
    SplitPlain(bytes, ';', take);
  } else {
    if (std::string e = SplitQuoted(bytes, ',', progress, take); !e.empty()) return fail(e);
    if (!reader && error.empty()) return fail(text::Tr("StationCsv", "ファイルが空です。"));
  }
  if (error.empty() && reader) error = reader->Finish();
  if (!error.empty()) return fail(error);
  result.ok = true;
  return result;
}

CsvReadResult ReadSdrppJson(std::string_view bytes) {
  CsvReadResult result;
  result.format = CsvFormat::kSdrpp;
  JsonValue root;
  if (!ParseJson(bytes, root, result.error)) return result;
  // The frequency manager's own file holds its lists under "lists"; its export holds one
  // list's "bookmarks" at the top.
  std::vector<const JsonValue*> lists;
  if (root.Member("bookmarks")) lists.push_back(&root);
  if (const JsonValue* all = root.Member("lists"); all && all->kind == JsonValue::Kind::kObject)
    for (const JsonValue& list : all->values) lists.push_back(&list);
  if (lists.empty()) {
    result.error = text::Tr(
        "StationCsv",
        "SDR++ の周波数リストに \"bookmarks\" がありません。ファイルは読み込みませんでした。");
    return result;
  }
  for (const JsonValue* list : lists) {
    const JsonValue* bookmarks = list->Member("bookmarks");
    if (!bookmarks || bookmarks->kind != JsonValue::Kind::kObject) continue;
    for (std::size_t i = 0; i < bookmarks->values.size(); ++i) {
      const std::string& name = bookmarks->keys[i];
      const JsonValue& mark = bookmarks->values[i];
      CsvRow row;
      row.line = mark.line;
      AssignText(row, row.record.Name, kNameField, name);
      const JsonValue* frequency = mark.Member("frequency");
      const JsonValue* bandwidth = mark.Member("bandwidth");
      const JsonValue* mode = mark.Member("mode");
      const bool number = frequency && frequency->kind == JsonValue::Kind::kNumber &&
                          frequency->number >= 1 && frequency->number < 1e12;
      TakeFrequencies(
          row, frequency && frequency->kind == JsonValue::Kind::kString ? frequency->text : "",
          number ? std::optional(static_cast<std::int64_t>(frequency->number)) : std::nullopt, 0,
          false);
      const double width =
          bandwidth && bandwidth->kind == JsonValue::Kind::kNumber ? bandwidth->number : 0;
      const int m =
          mode && mode->kind == JsonValue::Kind::kNumber && mode->number >= 0 && mode->number < 8
              ? static_cast<int>(mode->number)
              : 7;
      // SDR++'s modes: NFM, WFM, AM, DSB, USB, CW, LSB, RAW.
      static constexpr std::string_view kModes[] = {"narrow fm", "wfm", "am",  "am",
                                                    "usb",       "cw",  "lsb", "raw i/q"};
      row.record.Mode =
          NearestMode(kModes[m], width > 0 && width < 1e9 ? static_cast<std::int64_t>(width) : 0);
      result.rows.push_back(std::move(row));
    }
  }
  result.ok = true;
  return result;
}

int CsvImportPlan::Skipped() const {
  int n = 0;
  for (const int k : skipped) n += k;
  return n;
}

namespace {

using StationKey = std::tuple<std::int32_t, std::int32_t, std::int32_t, std::string_view>;
StationKey KeyOf(const MemoRecord& r) { return {r.Frequency, r.Frequency2, r.Mode, r.Name.View()}; }

std::string ChangeText(int line, const CsvTextChange& c) {
  return text::Arg(text::Tr("StationCsv", "%1 行目 %2: %3 → %4"),
                   {std::to_string(line), c.field, c.from, c.to});
}

}  // namespace

CsvImportPlan PlanCsvImport(const CsvReadResult& read, const MemoData& data, bool withDuplicates) {
  CsvImportPlan plan;
  plan.format = read.format;
  plan.withDuplicates = withDuplicates;
  if (!read.ok) return plan;
  std::set<StationKey> inList;
  for (int n = 1; n <= kStationCount; ++n)
    if (data[n].Frequency != 0 || data[n].Frequency2 != 0) inList.insert(KeyOf(data[n]));
  std::array<bool, 9> keyTaken{};
  int next = FindNull(data);
  for (const CsvRow& source : read.rows) {
    CsvRow row = source;
    bool placed = false;
    if (row.skip == CsvSkip::kNone && row.memoryKey != 0) {
      const MemoRecord& key = data[kMemoryKeyBase + row.memoryKey];
      if (keyTaken[static_cast<std::size_t>(row.memoryKey)] || key.Frequency != 0 ||
          key.Frequency2 != 0) {
        row.skip = CsvSkip::kMemoryKeyInUse;
      } else {
        keyTaken[static_cast<std::size_t>(row.memoryKey)] = true;
        plan.placements.push_back({kMemoryKeyBase + row.memoryKey, row.record});
        ++plan.memoryKeys;
        placed = true;
      }
    } else if (row.skip == CsvSkip::kNone) {
      const bool duplicate = inList.contains(KeyOf(row.record));
      plan.duplicates += duplicate ? 1 : 0;
      if (duplicate && !withDuplicates) {
        ++plan.skipped[static_cast<std::size_t>(CsvSkip::kDuplicate)];
        continue;  // counted, not listed line by line
      }
      if (next == 0) {
        row.skip = CsvSkip::kListFull;
      } else {
        plan.placements.push_back({next, row.record});
        ++plan.stations;
        next = FindNull(data, next + 1);
        placed = true;
      }
    }
    if (placed) {
      plan.approximated += row.approximated;
      plan.placeholders += row.placeholders;
      plan.replacedFields += static_cast<int>(row.replaced.size());
      plan.cutFields += static_cast<int>(row.cut.size());
      for (const CsvTextChange& c : row.replaced)
        if (plan.replacedExamples.size() < kCsvProblemsShown)
          plan.replacedExamples.push_back(ChangeText(row.line, c));
      for (const CsvTextChange& c : row.cut)
        if (plan.cutExamples.size() < kCsvProblemsShown)
          plan.cutExamples.push_back(ChangeText(row.line, c));
      continue;
    }
    ++plan.skipped[static_cast<std::size_t>(row.skip)];
    if (plan.problems.size() < kCsvProblemsShown)
      plan.problems.push_back(text::Arg(text::Tr("StationCsv", "%1 行目: %2"),
                                        {std::to_string(row.line), ReasonText(row)}));
  }
  return plan;
}

std::string CsvImportSummary(const CsvImportPlan& plan) {
  std::string s = text::Arg(text::Tr("StationCsv", "形式: %1"), {FormatName(plan.format)}) + "\n";
  s += text::Arg(text::Tr("StationCsv", "局として追加する行: %1"), {WithThousands(plan.stations)}) +
       "\n";
  if (plan.memoryKeys > 0)
    s += text::Arg(text::Tr("StationCsv", "メモリーに入れる行: %1"),
                   {WithThousands(plan.memoryKeys)}) +
         "\n";
  if (plan.duplicates > 0)
    s += text::Arg(plan.withDuplicates ? text::Tr("StationCsv", "既にある局: %1 (これも追加します)")
                                       : text::Tr("StationCsv", "既にある局: %1 (追加しません)"),
                   {WithThousands(plan.duplicates)}) +
         "\n";
  const int duplicates = plan.skipped[static_cast<std::size_t>(CsvSkip::kDuplicate)];
  s += text::Arg(text::Tr("StationCsv", "読み込まない行: %1"),
                 {WithThousands(plan.Skipped() - duplicates)});
  static constexpr std::pair<CsvSkip, const char*> kWhy[] = {
      {CsvSkip::kOutOfRange, FENNIX_TR_NOOP("StationCsv", "受信範囲 (25～2000 MHz) の外 %1")},
      {CsvSkip::kNoFrequency, FENNIX_TR_NOOP("StationCsv", "周波数なし %1")},
      {CsvSkip::kBadValue, FENNIX_TR_NOOP("StationCsv", "受け付けられない値 %1")},
      {CsvSkip::kListFull, FENNIX_TR_NOOP("StationCsv", "リストが一杯 %1")},
      {CsvSkip::kMemoryKeyInUse, FENNIX_TR_NOOP("StationCsv", "メモリーが使用中 %1")},
  };
  std::string why;
  for (const auto& [reason, pattern] : kWhy) {
    const int n = plan.skipped[static_cast<std::size_t>(reason)];
    if (n == 0) continue;
    if (!why.empty()) why += ListSeparator();
    why += text::Arg(text::Tr("StationCsv", pattern), {WithThousands(n)});
  }
  if (!why.empty()) s += " (" + why + ")";
  s += "\n";
  auto examples = [&](const std::vector<std::string>& list, int total) {
    for (const std::string& e : list) s += "  " + e + "\n";
    if (static_cast<std::size_t>(total) > list.size()) s += "  …\n";
  };
  if (plan.replacedFields > 0) {
    s += text::Arg(
             text::Tr("StationCsv", "文字を置き換えた欄: %1 (近い文字に %2 字、\"?\" に %3 字)"),
             {WithThousands(plan.replacedFields), WithThousands(plan.approximated),
              WithThousands(plan.placeholders)}) +
         "\n";
    examples(plan.replacedExamples, plan.replacedFields);
  }
  if (plan.cutFields > 0) {
    s += text::Arg(text::Tr("StationCsv", "欄の幅で切った文字列: %1"),
                   {WithThousands(plan.cutFields)}) +
         "\n";
    examples(plan.cutExamples, plan.cutFields);
  }
  if (!plan.problems.empty()) {
    s += "\n";
    for (const std::string& p : plan.problems) s += p + "\n";
    if (static_cast<std::size_t>(plan.Skipped() - duplicates) > plan.problems.size()) s += "…\n";
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

std::string WriteStationCsv(const MemoData& data, const StationIndex& allIndex, bool withMemoryKeys,
                            CsvEncoding encoding) {
  std::string out = encoding == CsvEncoding::kUtf8Bom ? "\xEF\xBB\xBF" : "";
  for (std::size_t i = 0; i < kCsvHeader.size(); ++i) {
    if (i != 0) out += ',';
    out += kCsvHeader[i];
  }
  out += '\n';
  for (int pos = 1; pos <= allIndex.Count() && pos <= kStationCount; ++pos) {
    const int n = allIndex[pos];
    if (n >= 1 && n <= kStationCount) WriteRow(out, data[n], 0, encoding);
  }
  if (withMemoryKeys) {
    for (int k = 1; k <= 8; ++k) {
      const MemoRecord& r = data[kMemoryKeyBase + k];
      if (r.Frequency != 0) WriteRow(out, r, k, encoding);
    }
  }
  return out;
}

CsvExport WriteOtherProgramCsv(const MemoData& data, const StationIndex& index, CsvFormat format) {
  CsvExport out;
  std::vector<const MemoRecord*> records;
  for (int pos = 1; pos <= index.Count() && pos <= kStationCount; ++pos) {
    const int n = index[pos];
    if (n < 1 || n > kStationCount) continue;
    if (data[n].Frequency2 != 0) {
      ++out.bandsLeftOut;
      continue;
    }
    records.push_back(&data[n]);
  }
  auto modeOf = [](const MemoRecord& r) -> const OtherMode& {
    return kOtherModes[r.Mode >= 0 && r.Mode <= 7 ? r.Mode : 0];
  };
  std::string& s = out.bytes;
  if (format == CsvFormat::kChirp) {
    s = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
        "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\n";
    for (const MemoRecord* r : records) {
      const std::int64_t shift = r->Shift;
      s += std::to_string(out.written) + ',' + CsvCell(Cp932ToUtf8(r->Name.View())) + ',' +
           MhzText(r->Frequency) + ',' +
           (shift > 0   ? "+"
            : shift < 0 ? "-"
                        : "") +
           ',' + MhzText((shift < 0 ? -shift : shift) * 1000) +
           ",,88.5,88.5,023,NN,023,Tone->Tone," + std::string(modeOf(*r).chirp) + ',' +
           ChirpStep(r->Step) + ",,50W," + CsvCell(Cp932ToUtf8(r->Etc.View())) + ",,,,\n";
      ++out.written;
    }
    return out;
  }
  // gqrx: the tags first (every service type used), then the bookmarks.
  std::vector<std::string> tags;
  for (const MemoRecord* r : records) {
    const std::string tag = GqrxText(Cp932ToUtf8(r->Type.View()), true);
    if (!tag.empty() && std::find(tags.begin(), tags.end(), tag) == tags.end()) tags.push_back(tag);
  }
  s = "# Tag name          ;  color\nUntagged            ; #c0c0c0\n";
  for (const std::string& tag : tags) s += tag + "; #c0c0c0\n";
  s += "\n# Frequency ; Name                     ; Modulation          ;  Bandwidth; Tags\n";
  for (const MemoRecord* r : records) {
    const std::string tag = GqrxText(Cp932ToUtf8(r->Type.View()), true);
    s += std::to_string(r->Frequency) + "; " + GqrxText(Cp932ToUtf8(r->Name.View()), false) + "; " +
         std::string(modeOf(*r).gqrx) + "; " + std::to_string(modeOf(*r).bandwidth) + "; " +
         (tag.empty() ? "Untagged" : tag) + "\n";
    ++out.written;
  }
  return out;
}

StationFileCheck CheckStationFile(std::string_view bytes) {
  StationFileCheck check;
  if (bytes.size() != kStationFileSize)
    check.damaged.push_back(text::Arg(
        text::Tr("StationCsv", "ファイルの大きさが %1 バイトです (%2 バイトのはずです)"),
        {WithThousands(static_cast<long long>(bytes.size())), WithThousands(kStationFileSize)}));
  const auto* raw = reinterpret_cast<const std::uint8_t*>(bytes.data());
  std::map<StationKey, int> first;  // keys view the decoded records, which stay in place
  const int records = static_cast<int>(bytes.size() / kMemoRecordSize);
  std::vector<MemoRecord> decoded(static_cast<std::size_t>(std::min(records, kMemoCount)));
  for (int n = 1; n < static_cast<int>(decoded.size()) && n <= kMemoryKeyBase + 8; ++n) {
    const std::uint8_t* at = raw + static_cast<std::size_t>(n) * kMemoRecordSize;
    MemoRecord& r = decoded[static_cast<std::size_t>(n)];
    r = DecodeMemoRecord(at);
    const std::string record = std::to_string(n);
    if (r.Frequency == 0 && r.Frequency2 == 0) continue;
    struct Text {
      const char* name;
      std::size_t offset, width;
    };
    static constexpr Text kTexts[] = {{kNameField, memo_layout::kName, 30},
                                      {kAddressField, memo_layout::kAddress, 20},
                                      {kTypeField, memo_layout::kType, 14},
                                      {kEtcField, memo_layout::kEtc, 50}};
    for (const Text& t : kTexts)
      if (at[t.offset] > t.width)
        check.damaged.push_back(
            text::Arg(text::Tr("StationCsv", "記録 %1: %2の長さ %3 が欄の幅 %4 を超えています"),
                      {record, text::Tr("StationCsv", t.name), std::to_string(at[t.offset]),
                       std::to_string(t.width)}));
    if (r.Frequency < 1 || r.Frequency2 < 0 || (r.Frequency2 != 0 && r.Frequency2 < r.Frequency))
      check.damaged.push_back(
          text::Arg(text::Tr("StationCsv", "記録 %1: 周波数 %2～%3 MHz は編集画面で書けない値です"),
                    {record, MhzText(r.Frequency), MhzText(r.Frequency2)}));
    if (r.Mode < 0 || r.Mode > 7)
      check.damaged.push_back(
          text::Arg(text::Tr("StationCsv", "記録 %1: 電波型式の番号 %2 は 0～7 の外です"),
                    {record, std::to_string(r.Mode)}));
    if (r.Step < 0 || r.Step > kHighestStepHz)
      check.damaged.push_back(
          text::Arg(text::Tr("StationCsv", "記録 %1: ステップ %2 kHz は 0～999.99 kHz の外です"),
                    {record, KhzText(r.Step)}));
    if (r.Shift < kLowestShiftKhz || r.Shift > kHighestShiftKhz)
      check.damaged.push_back(
          text::Arg(text::Tr("StationCsv", "記録 %1: 親子差 %2 kHz は編集画面で書けない値です"),
                    {record, std::to_string(r.Shift)}));
    if (n > kStationCount || r.Frequency < 1) continue;
    if (r.Frequency < kCsvLowestHz || r.Frequency > kCsvHighestHz ||
        (r.Frequency2 != 0 && r.Frequency2 > kCsvHighestHz))
      check.outOfRange.push_back(
          r.Frequency2 != 0
              ? text::Arg(text::Tr("StationCsv",
                                   "記録 %1: %2～%3 MHz は受信範囲 (25～2000 MHz) の外です"),
                          {record, MhzText(r.Frequency), MhzText(r.Frequency2)})
              : text::Arg(
                    text::Tr("StationCsv", "記録 %1: %2 MHz は受信範囲 (25～2000 MHz) の外です"),
                    {record, MhzText(r.Frequency)}));
    const StationKey key = KeyOf(r);
    if (const auto [earlier, added] = first.emplace(key, n); !added)
      check.duplicates.push_back(
          text::Arg(text::Tr("StationCsv", "記録 %1: 記録 %2 と同じ局です (%3, %4 MHz)"),
                    {record, std::to_string(earlier->second), Cp932ToUtf8(r.Name.View()),
                     MhzText(r.Frequency)}));
  }
  return check;
}

std::string CsvField(std::string_view text) { return CsvCell(text); }

bool SplitCsv(std::string_view text, std::vector<std::vector<std::string>>& rows,
              std::string& error) {
  std::vector<std::vector<std::string>> taken;
  error = SplitQuoted(text, ',', {}, [&](const Line& line) {
    taken.emplace_back(line.cells.begin(), line.cells.end());
  });
  if (!error.empty()) return false;
  for (auto& row : taken) rows.push_back(std::move(row));
  return true;
}

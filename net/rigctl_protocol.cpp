#include "net/rigctl_protocol.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "civ/civ.h"

namespace net {

namespace {

// Hamlib's mode bits for the modes the receiver has.
constexpr unsigned kModeAm = 0x1, kModeUsb = 0x4, kModeLsb = 0x8, kModeFm = 0x20, kModeWfm = 0x40;
constexpr unsigned kAllModes = kModeAm | kModeUsb | kModeLsb | kModeFm | kModeWfm;
// Hamlib's level bits: ATT, AF, RAWSTR, STRENGTH.
constexpr unsigned long long kLevelAtt = 1ull << 1, kLevelAf = 1ull << 3, kLevelRawStr = 1ull << 26,
                             kLevelStrength = 1ull << 30;
constexpr int kAttenuatorDb = 20;  // the receiver's attenuator
// Between the 6 kHz and the 15 kHz filters: a passband from here up asks for the wide one.
constexpr int kWideFrom = 10500;

struct ModeInfo {
  const char* name;  // Hamlib's name
  unsigned bit;
  int passband;
};
// By panel mode number 1..7: LSB, USB, AMW, A M, F M, FMN, WFM.
constexpr std::array<ModeInfo, 8> kModes = {{{"None", 0, 0},
                                             {"LSB", kModeLsb, 2400},
                                             {"USB", kModeUsb, 2400},
                                             {"AM", kModeAm, 15000},
                                             {"AM", kModeAm, 6000},
                                             {"FM", kModeFm, 15000},
                                             {"FM", kModeFm, 6000},
                                             {"WFM", kModeWfm, 150000}}};

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) ==
                  std::toupper(static_cast<unsigned char>(y));
         });
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::vector<std::string_view> Tokens(std::string_view text) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsSpace(text[i])) ++i;
    const std::size_t start = i;
    while (i < text.size() && !IsSpace(text[i])) ++i;
    if (i > start) out.push_back(text.substr(start, i - start));
  }
  return out;
}

// A whole token as a finite number.
bool ParseNumber(std::string_view token, double& value) {
  if (token.empty() || token.size() > 64) return false;
  const std::string text(token);
  char* end = nullptr;
  errno = 0;
  const double v = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || errno == ERANGE || !std::isfinite(v)) return false;
  value = v;
  return true;
}

std::string Fixed(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%f", v);
  return buf;
}

std::string Hex(unsigned long long v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "0x%llx", v);
  return buf;
}

// The answer being built, in the protocol the request asked for.
class Answer {
 public:
  Answer(bool extended, char separator) : extended_(extended), separator_(separator) {}

  void Header(std::string_view longName, const std::vector<std::string_view>& args) {
    if (!extended_) return;
    text_ += longName;
    text_ += ':';
    for (std::string_view a : args) {
      text_ += ' ';
      text_ += a;
    }
    text_ += separator_;
  }
  void Value(std::string_view key, const std::string& value) {
    if (extended_ && !key.empty()) {
      text_ += key;
      text_ += ": ";
    }
    text_ += value;
    text_ += extended_ ? separator_ : '\n';
  }
  // A block of lines sent as it stands.
  void Block(const std::string& lines) { text_ += lines; }
  // The end: in the default protocol only sets and failures report.
  std::string Done(int code, bool isSet) {
    if (extended_ || isSet || code != kOk) text_ += "RPRT " + std::to_string(code) + "\n";
    return std::move(text_);
  }

 private:
  bool extended_;
  char separator_;
  std::string text_;
};

using Handler = int (*)(const std::vector<std::string_view>& args, RigPanel& panel, Answer& out);

struct Command {
  char shortName;  // 0: long name only
  std::string_view longName;
  bool isSet;  // ends with its RPRT record in the default protocol too
  std::size_t minArgs, maxArgs;
  Handler run;
};

int GetFreq(const std::vector<std::string_view>&, RigPanel& p, Answer& out) {
  out.Value("Frequency", std::to_string(p.Frequency()));
  return kOk;
}

int SetFreq(const std::vector<std::string_view>& args, RigPanel& p, Answer&) {
  double hz = 0;
  if (!ParseNumber(args[0], hz)) return kInvalid;
  hz = std::trunc(hz);
  if (hz < p.LowerLimit() || hz > p.UpperLimit()) return kInvalid;
  p.TuneTo(static_cast<std::int32_t>(hz));
  return kOk;
}

int GetMode(const std::vector<std::string_view>&, RigPanel& p, Answer& out) {
  const int mode = p.Mode();
  const ModeInfo& m = kModes[mode >= 1 && mode <= civ::kModeCount ? mode : 0];
  out.Value("Mode", m.name);
  out.Value("Passband", std::to_string(m.passband));
  return kOk;
}

int SetMode(const std::vector<std::string_view>& args, RigPanel& p, Answer&) {
  double passband = -1;
  if (args.size() > 1 && !ParseNumber(args[1], passband)) return kInvalid;
  const int current = p.Mode();
  // The two modes of a family: the narrow one, the wide one, and the usual one for 0.
  auto pick = [&](int narrow, int wide, int usual) {
    if (passband < 0) return current == narrow || current == wide ? current : usual;
    if (passband == 0) return usual;
    return passband >= kWideFrom ? wide : narrow;
  };
  int mode;
  if (SameText(args[0], "LSB"))
    mode = 1;
  else if (SameText(args[0], "USB"))
    mode = 2;
  else if (SameText(args[0], "AM"))
    mode = pick(4, 3, 4);
  else if (SameText(args[0], "FM"))
    mode = pick(6, 5, 5);
  else if (SameText(args[0], "WFM"))
    mode = 7;
  else
    return kInvalid;
  p.SetMode(mode);
  return kOk;
}

int GetVfo(const std::vector<std::string_view>&, RigPanel& p, Answer& out) {
  out.Value("VFO", p.Window() == 2 ? "VFOB" : "VFOA");
  return kOk;
}

int WindowOf(std::string_view name, const RigPanel& p);

int SetVfo(const std::vector<std::string_view>& args, RigPanel& p, Answer&) {
  const int window = WindowOf(args[0], p);
  if (window < 0) return kInvalid;
  // Naming the window in use changes nothing (the window key would re-read the receiver and
  // drop the attenuator).
  if (window == p.Window()) return kOk;
  return p.SelectWindow(window) ? kOk : kRejected;
}

int GetLevel(const std::vector<std::string_view>& args, RigPanel& p, Answer& out) {
  const std::string_view level = args[0];
  if (SameText(level, "STRENGTH"))
    out.Value("", std::to_string(StrengthOverS9(p.SignalReading())));
  else if (SameText(level, "RAWSTR"))
    out.Value("", std::to_string(p.SignalReading()));
  else if (SameText(level, "AF"))
    out.Value("", Fixed(AfFraction(p.AfPosition())));
  else if (SameText(level, "ATT"))
    out.Value("", std::to_string(p.AttOn() ? kAttenuatorDb : 0));
  else
    return kNotAvailable;
  return kOk;
}

int SetLevel(const std::vector<std::string_view>& args, RigPanel& p, Answer&) {
  const std::string_view level = args[0];
  const bool af = SameText(level, "AF"), att = SameText(level, "ATT");
  if (!af && !att) return kNotAvailable;
  double value = 0;
  if (!ParseNumber(args[1], value)) return kInvalid;
  if (af) {
    if (value < 0 || value > 1) return kInvalid;
    p.SetAfPosition(AfPositionOf(value));
    return kOk;
  }
  if (value < 0) return kInvalid;
  const bool on = value > 0;
  if (on == p.AttOn()) return kOk;
  return p.SetAtt(on) ? kOk : kRejected;
}

int GetDcd(const std::vector<std::string_view>&, RigPanel& p, Answer& out) {
  out.Value("DCD", p.SquelchOpen() ? "1" : "0");
  return kOk;
}

int GetPtt(const std::vector<std::string_view>&, RigPanel&, Answer& out) {
  out.Value("PTT", "0");  // a receiver
  return kOk;
}

int GetPowerstat(const std::vector<std::string_view>&, RigPanel&, Answer& out) {
  // The panel is on whenever it answers; off line it still tunes.
  out.Value("Power Status", "1");
  return kOk;
}

int GetLockMode(const std::vector<std::string_view>&, RigPanel&, Answer& out) {
  // Hamlib's client asks before every mode change; nothing here locks the mode.
  out.Value("Locked", "0");
  return kOk;
}

std::string Range(const RigPanel& p) {
  return Fixed(p.LowerLimit()) + " " + Fixed(p.UpperLimit()) + " " + Hex(kAllModes) +
         " -1 -1 0x3 0x1\n";
}

int DumpState(const std::vector<std::string_view>&, RigPanel& p, Answer& out) {
  std::string s;
  s += "1\n";  // protocol version
  s += "2\n";  // model: the network rig
  s += "0\n";  // ITU region
  s += Range(p);
  s += "0 0 0 0 0 0 0\n";
  s += "0 0 0 0 0 0 0\n";  // no transmitter
  for (const std::int32_t step : civ::StepTable)
    s += Hex(kAllModes) + " " + std::to_string(step) + "\n";
  s += "0 0\n";
  // The usual filter of each mode first, as Hamlib takes the first as normal.
  s += Hex(kModeLsb | kModeUsb) + " 2400\n";
  s += Hex(kModeAm) + " 6000\n" + Hex(kModeAm) + " 15000\n";
  s += Hex(kModeFm) + " 15000\n" + Hex(kModeFm) + " 6000\n";
  s += Hex(kModeWfm) + " 150000\n";
  s += "0 0\n";
  s += "0\n0\n0\n0\n";  // RIT, XIT, IF shift, announce
  s += "\n";            // no preamplifier
  s += std::to_string(kAttenuatorDb) + " \n";
  s += "0x0\n0x0\n";  // functions
  s += Hex(kLevelAtt | kLevelAf | kLevelRawStr | kLevelStrength) + "\n";
  s += Hex(kLevelAtt | kLevelAf) + "\n";
  s += "0x0\n0x0\n";  // parameters
  // No command names a window: Hamlib's client switches to read window B, which the server
  // answers from what the panel holds.
  s += "vfo_ops=0x0\nptt_type=0x0\ntargetable_vfo=0x0\n";
  s += "has_set_vfo=1\nhas_get_vfo=1\nhas_set_freq=1\nhas_get_freq=1\n";
  s += "has_set_conf=0\nhas_get_conf=0\nhas_power2mW=0\nhas_mW2power=0\n";
  s += "done\n";
  out.Block(s);
  return kOk;
}

int DumpCaps(const std::vector<std::string_view>&, RigPanel& p, Answer& out) {
  std::string s = "Caps dump for model: 2\nModel name:\tIC-R7100\nMfg name:\tIcom\n";
  s += "Backend version:\tFennix\nRig type:\tReceiver\nPTT type:\tNone\n";
  s += "DCD type:\tRig capable\nPort type:\tNetwork link\nHas targetable VFO: N\n";
  s += "Attenuator: " + std::to_string(kAttenuatorDb) + "dB\n";
  s += "Mode list: AM USB LSB FM WFM\nVFO list: VFOA VFOB\n";
  s += "Receive ranges:\n\t" + std::to_string(p.LowerLimit()) + "Hz - " +
       std::to_string(p.UpperLimit()) + "Hz\n";
  s += "Tuning steps:";
  for (const std::int32_t step : civ::StepTable) s += " " + std::to_string(step);
  s += "\nFilters: LSB USB 2400; AM 6000 15000; FM 15000 6000; WFM 150000\n";
  s += "Get level: ATT AF RAWSTR STRENGTH\nSet level: ATT AF\n";
  s += "Can set Frequency:\tY\nCan get Frequency:\tY\nCan set Mode:\tY\nCan get Mode:\tY\n";
  s += "Can set VFO:\tY\nCan get VFO:\tY\nCan get DCD:\tY\nCan get Power Stat:\tY\n";
  s += "Can set Level:\tY\nCan get Level:\tY\n";
  out.Block(s);
  return kOk;
}

const char* WindowName(int window) { return window == 2 ? "VFOB" : "VFOA"; }

// A window named by Hamlib: 1 = A, 2 = B, 0 for the current one, -1 for none of this receiver.
// Main and Sub stand for A and B, as Hamlib's own daemon takes them on a receiver with two VFOs.
int WindowOf(std::string_view name, const RigPanel& p) {
  if (SameText(name, "VFOA") || SameText(name, "Main")) return 1;
  if (SameText(name, "VFOB") || SameText(name, "Sub")) return 2;
  if (SameText(name, "currVFO") || SameText(name, "VFO")) return p.Window();
  return -1;
}

int GetSplit(const std::vector<std::string_view>&, RigPanel&, Answer& out) {
  // A receiver: no split, and what would transmit is window A.
  out.Value("Split", "0");
  out.Value("TX VFO", "VFOA");
  return kOk;
}

int GetVfoInfo(const std::vector<std::string_view>& args, RigPanel& p, Answer& out) {
  const int window = args.empty() ? p.Window() : WindowOf(args[0], p);
  if (window < 0) return kInvalid;
  const int mode = p.WindowMode(window);
  out.Value("Freq", std::to_string(p.WindowFrequency(window)));
  out.Value("Mode", kModes[mode >= 1 && mode <= civ::kModeCount ? mode : 0].name);
  out.Value("Width", std::to_string(PassbandOf(mode)));
  out.Value("Split", "0");
  out.Value("SatMode", "0");
  return kOk;
}

std::uint32_t Crc32(std::string_view text) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const char c : text) {
    crc ^= static_cast<unsigned char>(c);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

int GetRigInfo(const std::vector<std::string_view>&, RigPanel& p, Answer& out) {
  std::string s;
  for (int window = 1; window <= 2; ++window) {
    const int mode = p.WindowMode(window);
    s += std::string("VFO=") + WindowName(window) +
         " Freq=" + std::to_string(p.WindowFrequency(window)) +
         " Mode=" + kModes[mode >= 1 && mode <= civ::kModeCount ? mode : 0].name +
         " Width=" + std::to_string(PassbandOf(mode)) +
         (window == p.Window() ? " RX=1 TX=0\n" : " RX=0 TX=0\n");
  }
  s += "Split=0 SatMode=0\nRig=IC-R7100\nApp=Fennix\nVersion=1.0\n";
  char crc[32];
  std::snprintf(crc, sizeof crc, "CRC=0x%08x\n", Crc32(s));
  out.Block(s + crc);
  return kOk;
}

int GetModes(const std::vector<std::string_view>&, RigPanel&, Answer& out) {
  out.Block(
      "AM USB LSB FM WFM\nBandwidths:\n"
      "\tAM\tNormal: 6.0000 kHz,\tNarrow: 6.0000 kHz,\tWide: 15.0000 kHz\n"
      "\tUSB\tNormal: 2.4000 kHz,\tNarrow: 0.0 Hz,\tWide: 0.0 Hz\n"
      "\tLSB\tNormal: 2.4000 kHz,\tNarrow: 0.0 Hz,\tWide: 0.0 Hz\n"
      "\tFM\tNormal: 15.0000 kHz,\tNarrow: 6.0000 kHz,\tWide: 0.0 Hz\n"
      "\tWFM\tNormal: 150.0000 kHz,\tNarrow: 0.0 Hz,\tWide: 0.0 Hz\n");
  return kOk;
}

// The panel has no on/off function that Hamlib names (its attenuator is a level).
int GetFunc(const std::vector<std::string_view>&, RigPanel&, Answer&) { return kNotAvailable; }
int SetFunc(const std::vector<std::string_view>&, RigPanel&, Answer&) { return kNotAvailable; }

int FennixScan(const std::vector<std::string_view>& args, RigPanel& p, Answer&) {
  int direction;
  if (SameText(args[0], "up"))
    direction = 1;
  else if (SameText(args[0], "down"))
    direction = -1;
  else if (SameText(args[0], "stop"))
    direction = 0;
  else
    return kInvalid;
  return p.Scan(direction) ? kOk : kRejected;
}

int FennixSweep(const std::vector<std::string_view>& args, RigPanel& p, Answer&) {
  bool start;
  if (SameText(args[0], "start"))
    start = true;
  else if (SameText(args[0], "stop"))
    start = false;
  else
    return kInvalid;
  return p.Sweep(start) ? kOk : kRejected;
}

int FennixGetSweep(const std::vector<std::string_view>&, RigPanel& p, Answer& out) {
  std::int32_t start = 0, spacing = 0;
  const std::vector<int> levels = p.SweepLevels(start, spacing);
  if (levels.empty()) return kNotAvailable;  // no sweep has ended yet
  std::string s = std::to_string(start) + " " + std::to_string(spacing);
  for (const int level : levels) s += " " + std::to_string(level);
  out.Value("Sweep", s);
  return kOk;
}

int FennixWatch(const std::vector<std::string_view>&, RigPanel&, Answer&) {
  return kOk;  // the server keeps the list of watchers
}

enum : int {
  kSetFreq,
  kGetFreq,
  kSetMode,
  kGetMode,
  kSetVfo,
  kGetVfo,
  kSetLevel,
  kGetLevel,
  kGetDcd,
  kChkVfo,
  kQuit,
  kFennixScan,
  kFennixSweep,
  kFennixWatch,
};

constexpr std::array<Command, 27> kCommands = {{
    {'F', "set_freq", true, 1, 1, SetFreq},
    {'f', "get_freq", false, 0, 0, GetFreq},
    {'M', "set_mode", true, 1, 2, SetMode},
    {'m', "get_mode", false, 0, 0, GetMode},
    {'V', "set_vfo", true, 1, 1, SetVfo},
    {'v', "get_vfo", false, 0, 0, GetVfo},
    {'L', "set_level", true, 2, 2, SetLevel},
    {'l', "get_level", false, 1, 1, GetLevel},
    {static_cast<char>(0x8b), "get_dcd", false, 0, 0, GetDcd},
    {0, "chk_vfo", false, 0, 0, nullptr},
    {'q', "quit", false, 0, 0, nullptr},
    {0, "fennix_scan", true, 1, 1, FennixScan},
    {0, "fennix_sweep", true, 1, 1, FennixSweep},
    {0, "fennix_watch", true, 1, 1, FennixWatch},
    {'t', "get_ptt", false, 0, 0, GetPtt},
    {static_cast<char>(0x88), "get_powerstat", false, 0, 0, GetPowerstat},
    {0, "get_lock_mode", false, 0, 0, GetLockMode},
    {0, "dump_state", false, 0, 0, DumpState},
    {'1', "dump_caps", true, 0, 0, DumpCaps},  // ends with RPRT like rigctld's
    {'s', "get_split_vfo", false, 0, 0, GetSplit},
    {0, "get_vfo_info", false, 0, 1, GetVfoInfo},
    {0, "get_rig_info", false, 0, 0, GetRigInfo},
    {0, "get_modes", false, 0, 0, GetModes},
    {'u', "get_func", false, 1, 1, GetFunc},
    {'U', "set_func", true, 2, 2, SetFunc},
    {'Q', "quit", false, 0, 0, nullptr},
    {0, "fennix_get_sweep", false, 0, 0, FennixGetSweep},
}};

int Find(std::string_view name, bool isLong) {
  for (std::size_t k = 0; k < kCommands.size(); ++k) {
    const Command& c = kCommands[k];
    if (isLong ? c.longName == name
               : (c.shortName != 0 && name.size() == 1 && c.shortName == name[0]))
      return static_cast<int>(k);
  }
  return -1;
}

// Whether a token can only be a command of its own, not an optional argument.
bool StartsCommand(std::string_view token) {
  const auto c = static_cast<unsigned char>(token[0]);
  if (c == '\\' || (std::ispunct(c) && c != '-' && c != '.')) return true;
  return token.size() == 1 && !std::isdigit(c) && Find(token, false) >= 0;
}

// A prefix character that asks for the extended protocol.
bool IsPrefix(char ch) {
  const auto c = static_cast<unsigned char>(ch);
  return std::ispunct(c) && c != '\\' && c != '?' && c != '_' && c != '#';
}

}  // namespace

std::vector<Request> Parse(std::string_view line) {
  std::vector<Request> out;
  std::size_t i = 0;
  auto skipSpace = [&] {
    while (i < line.size() && IsSpace(line[i])) ++i;
  };
  auto token = [&] {
    const std::size_t start = i;
    while (i < line.size() && !IsSpace(line[i])) ++i;
    return line.substr(start, i - start);
  };
  while (true) {
    skipSpace();
    if (i >= line.size()) break;
    Request r;
    if (IsPrefix(line[i])) {
      r.extended = true;
      r.separator = line[i] == '+' ? '\n' : line[i];
      ++i;
      skipSpace();
      if (i >= line.size()) {
        out.push_back(std::move(r));  // a prefix alone
        break;
      }
    }
    std::string_view name;
    bool isLong = line[i] == '\\';
    if (isLong) {
      ++i;
      const std::size_t start = i;
      while (i < line.size() && !IsSpace(line[i]) && line[i] != '\\') ++i;
      name = line.substr(start, i - start);
    } else {
      name = line.substr(i, 1);
      ++i;
    }
    r.command = Find(name, isLong);
    if (r.command < 0) {
      out.push_back(std::move(r));
      break;
    }
    const Command& c = kCommands[static_cast<std::size_t>(r.command)];
    r.quit = c.longName == "quit";
    for (std::size_t n = 0; n < c.maxArgs; ++n) {
      skipSpace();
      if (i >= line.size()) break;
      const std::size_t at = i;
      const std::string_view t = token();
      // Past the arguments a command must have, a token that reads as a command is one.
      if (n >= c.minArgs && StartsCommand(t)) {
        i = at;
        break;
      }
      r.args.emplace_back(t);
    }
    out.push_back(std::move(r));
  }
  return out;
}

std::string Failure(const Request& r, int code) {
  Answer out(r.extended, r.separator);
  if (r.command >= 0) {
    const std::vector<std::string_view> args(r.args.begin(), r.args.end());
    out.Header(kCommands[static_cast<std::size_t>(r.command)].longName, args);
  }
  return out.Done(code, false);
}

Reply Run(const Request& r, RigPanel& panel) {
  if (r.quit) return {"RPRT 0\n", true};
  if (r.command < 0) return {Failure(r, kNotAvailable)};
  const Command& command = kCommands[static_cast<std::size_t>(r.command)];
  const std::vector<std::string_view> args(r.args.begin(), r.args.end());
  if (r.command == kChkVfo) {
    // Hamlib's network client reads this one bare, without a header or an end record.
    return {r.extended ? "ChkVFO: 0\n" : "0\n"};
  }
  Answer out(r.extended, r.separator);
  out.Header(command.longName, args);
  if (args.size() < command.minArgs || args.size() > command.maxArgs)
    return {out.Done(kInvalid, command.isSet)};
  const int code = command.run(args, panel, out);
  // A failed get answers with its code alone.
  if (code != kOk && !command.isSet) return {Failure(r, code)};
  return {out.Done(code, command.isSet)};
}

Reading ReadingOf(const Request& r) {
  if (r.command == kGetDcd) return Reading::kSquelch;
  if (r.command == kGetLevel && r.args.size() == 1 &&
      (SameText(r.args[0], "STRENGTH") || SameText(r.args[0], "RAWSTR")))
    return Reading::kSignal;
  return Reading::kNone;
}

bool IsTune(const Request& r) { return r.command == kSetFreq; }

bool Writes(const Request& r) {
  return r.command == kSetMode || r.command == kSetVfo || r.command == kSetLevel ||
         r.command == kFennixScan || r.command == kFennixSweep;
}

bool IsWatch(const Request& r, bool& on) {
  if (r.command != kFennixWatch || r.args.size() != 1) return false;
  if (r.args[0] == "1" || SameText(r.args[0], "on"))
    on = true;
  else if (r.args[0] == "0" || SameText(r.args[0], "off"))
    on = false;
  else
    return false;
  return true;
}

Reply Execute(std::string_view line, RigPanel& panel) {
  Reply all;
  for (const Request& r : Parse(line)) {
    Reply one = Run(r, panel);
    all.text += one.text;
    if (one.close) {
      all.close = true;
      break;
    }
  }
  return all;
}

bool LooksLikeHttp(std::string_view line) {
  const std::vector<std::string_view> t = Tokens(line);
  if (t.empty()) return false;
  if (SameText(t[0], "Host:") || (t[0].size() > 5 && SameText(t[0].substr(0, 5), "Host:")))
    return true;
  if (t.size() < 3 || t[2].size() < 5 || !SameText(t[2].substr(0, 5), "HTTP/")) return false;
  return std::all_of(t[0].begin(), t[0].end(),
                     [](char c) { return std::isupper(static_cast<unsigned char>(c)) != 0; });
}

bool LineBuffer::Feed(std::string_view bytes) {
  // Lines already taken are dropped before the buffer grows.
  if (start_ > 0) {
    buffer_.erase(0, start_);
    start_ = 0;
  }
  for (const char c : bytes) {
    if (c == '\n') {
      lineLength_ = 0;
    } else if (++lineLength_ > kMaxLine) {
      return false;
    }
  }
  buffer_.append(bytes);
  return true;
}

bool LineBuffer::NextLine(std::string& line) {
  const std::size_t end = buffer_.find('\n', start_);
  if (end == std::string::npos) return false;
  std::size_t stop = end;
  if (stop > start_ && buffer_[stop - 1] == '\r') --stop;
  line.assign(buffer_, start_, stop - start_);
  start_ = end + 1;
  return true;
}

int StrengthOverS9(int level) {
  struct Mark {
    double level, db;
  };
  // The panel's S-meter marks; the top of the scale is where the sine of the bar peaks.
  static constexpr std::array<Mark, 9> kMarks = {{{0, -54},
                                                  {10, -48},
                                                  {30, -36},
                                                  {50, -24},
                                                  {70, -12},
                                                  {89.25, 0},
                                                  {110, 10},
                                                  {130, 20},
                                                  {206.16, 60}}};
  if (level <= 0) return -54;
  for (std::size_t k = 1; k < kMarks.size(); ++k) {
    if (level <= kMarks[k].level) {
      const Mark& a = kMarks[k - 1];
      const Mark& b = kMarks[k];
      return static_cast<int>(
          std::lround(a.db + (level - a.level) * (b.db - a.db) / (b.level - a.level)));
    }
  }
  return 60;
}

double AfFraction(int position) { return civ::AfLevel(std::clamp(position, 0, 31)) / 255.0; }

int AfPositionOf(double fraction) {
  // n = 8 × (32 − p) − 1, so p = 32 − (n + 1) / 8, taken to the nearest position.
  const double n = std::clamp(fraction, 0.0, 1.0) * 255.0;
  return std::clamp(static_cast<int>(std::lround(32.0 - (n + 1.0) / 8.0)), 0, 31);
}

const char* ModeName(int mode) {
  return kModes[mode >= 1 && mode <= civ::kModeCount ? static_cast<std::size_t>(mode) : 0].name;
}

int PassbandOf(int mode) {
  return mode >= 1 && mode <= civ::kModeCount ? kModes[static_cast<std::size_t>(mode)].passband : 0;
}

}  // namespace net

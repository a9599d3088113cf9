// fennix-sim: an IC-R7100 on a pseudo-terminal. It answers CI-V frames as the receiver does,
// echoes them as the shared CI-V line does, takes the time a real line takes, and can be made
// to misbehave for tests.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <deque>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#include "civ/civ.h"
#include "sim/frame_reader.h"
#include "sim/options.h"
#include "sim/receiver.h"
#include "sim/signals.h"

namespace sim {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::microseconds;
using std::chrono::milliseconds;
using std::chrono::nanoseconds;

volatile sig_atomic_t gStop = 0;
int gWakePipe[2] = {-1, -1};

void OnSignal(int) {
  gStop = 1;
  const char b = 0;
  [[maybe_unused]] const auto n = write(gWakePipe[1], &b, 1);
}

const Clock::time_point kStart = Clock::now();

std::int64_t MsSinceStart() {
  return std::chrono::duration_cast<milliseconds>(Clock::now() - kStart).count();
}

std::optional<speed_t> SpeedOf(int baud) {
  switch (baud) {
    case 300:
      return B300;
    case 1200:
      return B1200;
    case 2400:
      return B2400;
    case 4800:
      return B4800;
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    default:
      return std::nullopt;
  }
}

void Say(const std::string& line) {
  const std::string text = line + "\n";
  [[maybe_unused]] const auto n = write(STDOUT_FILENO, text.data(), text.size());
}

// Frames received and sent, one a line: milliseconds since start, direction, hex bytes.
class Log {
 public:
  bool Open(const std::string& path) {
    if (path.empty()) return true;
    file_ = std::fopen(path.c_str(), "w");
    return file_ != nullptr;
  }
  ~Log() {
    if (file_) std::fclose(file_);
  }
  void Write(const char* direction, const std::uint8_t* data, std::size_t n) {
    if (!file_) return;
    std::fprintf(file_, "%lld %s", static_cast<long long>(MsSinceStart()), direction);
    for (std::size_t i = 0; i < n; ++i) std::fprintf(file_, " %02X", data[i]);
    std::fputc('\n', file_);
    std::fflush(file_);
  }

 private:
  std::FILE* file_ = nullptr;
};

// The master side of the pseudo-terminal as a serial line: every byte takes its wire time,
// and a line nobody listens on swallows what is sent.
class Line {
 public:
  Line(int master, const Options& o, std::mt19937& rng, Log& log)
      : master_(master), options_(o), rng_(rng), log_(log) {
    if (o.baud > 0) byteTime_ = nanoseconds(10'000'000'000LL / o.baud);
  }

  // The peer has the slave open. Linux reports a hang-up on the master once the last
  // holder of the slave closes it, and clears it on the next open.
  bool PeerPresent() {
    pollfd p{master_, POLLIN, 0};
    if (poll(&p, 1, 0) < 0) return present_;
    const bool now = (p.revents & POLLHUP) == 0;
    if (present_ && !now) tcflush(master_, TCIOFLUSH);  // nothing stale for the next peer
    present_ = now;
    return present_;
  }

  // A received byte occupies the line for one byte time after whatever was on it.
  void Received(Clock::time_point arrival) {
    busyUntil_ = std::max(busyUntil_, arrival) + byteTime_;
  }
  void WaitForLine() { std::this_thread::sleep_until(busyUntil_); }

  // The speed set on the slave differs from ours, so the receiver hears only noise.
  bool WrongSpeed() {
    if (!options_.checkLine) return false;
    termios t{};
    if (tcgetattr(master_, &t) != 0) return false;
    const auto want = SpeedOf(options_.baud);
    return cfgetospeed(&t) != *want || cfgetispeed(&t) != *want;
  }

  // The echo is the controller's own bytes heard back on the shared line: it takes no time
  // of its own.
  void Echo(const Bytes& frame) {
    log_.Write("EC", frame.data(), frame.size());
    WriteNow(frame.data(), frame.size());
  }

  // A frame sent by the receiver, paced byte by byte (or cut into chunks with --split). An
  // answer follows the request on the line's own schedule, so that a late wake-up here does
  // not stretch the exchange; a report from the panel starts when it is made.
  void Send(const Bytes& frame, const char* direction, bool answer) {
    log_.Write(direction, frame.data(), frame.size());
    if (!answer) busyUntil_ = std::max(busyUntil_, Clock::now());
    std::size_t pos = 0;
    while (pos < frame.size()) {
      std::size_t chunk = 1;
      if (options_.split) {
        chunk = std::uniform_int_distribution<std::size_t>(1, 4)(rng_);
        busyUntil_ += milliseconds(std::uniform_int_distribution<int>(1, 5)(rng_));
      } else if (byteTime_.count() == 0) {
        chunk = frame.size();
      }
      chunk = std::min(chunk, frame.size() - pos);
      busyUntil_ += byteTime_ * static_cast<long>(chunk);
      WaitForLine();
      WriteNow(frame.data() + pos, chunk);
      pos += chunk;
    }
  }

  // Random bytes that never form part of a frame: no preamble and no end byte.
  Bytes Garbage(std::size_t n) {
    Bytes out(n);
    std::uniform_int_distribution<int> byte(0, 0xFC);
    for (auto& b : out) b = static_cast<std::uint8_t>(byte(rng_));
    return out;
  }

 private:
  void WriteNow(const std::uint8_t* data, std::size_t n) {
    if (!PeerPresent()) return;
    while (n > 0) {
      const ssize_t w = write(master_, data, n);
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) return;  // full (nobody reads) or gone: the line drops the bytes
      data += w;
      n -= static_cast<std::size_t>(w);
    }
  }

  int master_;
  const Options& options_;
  std::mt19937& rng_;
  Log& log_;
  nanoseconds byteTime_{0};
  Clock::time_point busyUntil_ = Clock::now();
  bool present_ = true;
};

class Simulator {
 public:
  Simulator(int master, const Options& o, Receiver& receiver, SignalModel& signals,
            std::mt19937& rng, Log& log)
      : master_(master),
        options_(o),
        receiver_(receiver),
        signals_(signals),
        rng_(rng),
        log_(log),
        line_(master, o, rng, log) {}

  // Serves until quit, a signal or the hang-up time.
  void Run() {
    const auto hangupAt =
        options_.hangupAfter
            ? std::optional(kStart +
                            microseconds(static_cast<std::int64_t>(*options_.hangupAfter * 1e6)))
            : std::nullopt;
    while (!gStop && !quit_) {
      const bool present = line_.PeerPresent();
      pollfd fds[3] = {{gWakePipe[0], POLLIN, 0},
                       {stdinOpen_ ? 0 : -1, POLLIN, 0},
                       {present ? master_ : -1, POLLIN, 0}};
      // While nobody has the slave open the master reports a hang-up on every poll; look
      // again now and then instead of spinning on it.
      int timeout = present ? 1000 : 50;
      if (hangupAt) {
        const auto left = std::chrono::duration_cast<milliseconds>(*hangupAt - Clock::now());
        if (left.count() <= 0) {
          Say("hangup");
          return;
        }
        timeout = std::min<int>(timeout, static_cast<int>(left.count()) + 1);
      }
      if (!held_.empty()) {
        const auto left =
            std::chrono::duration_cast<milliseconds>(held_.front().first - Clock::now());
        timeout = std::clamp(static_cast<int>(left.count()) + 1, 0, timeout);
      }
      if (poll(fds, 3, timeout) < 0 && errno != EINTR) return;
      if (fds[1].revents) ReadPanel();
      if (fds[2].revents & POLLIN) ReadLine();
      SendHeld();
    }
  }

 private:
  void ReadLine() {
    std::uint8_t buf[256];
    const ssize_t n = read(master_, buf, sizeof buf);
    if (n <= 0) return;
    const auto arrival = Clock::now();
    for (ssize_t i = 0; i < n && !gStop; ++i) {
      line_.Received(arrival);
      if (auto frame = reader_.Push(buf[i])) Handle(*frame);
    }
  }

  void Handle(const Bytes& frame) {
    log_.Write("RX", frame.data(), frame.size());
    // Our own frames coming back (a peer whose line echoes) are not the controller's.
    if (frame[3] == options_.receiver.address) return;
    line_.WaitForLine();
    if (line_.WrongSpeed()) {
      // At another speed both directions are noise: the receiver understands nothing and
      // what it sends arrives as garbage.
      const std::size_t n = frame.size() + std::uniform_int_distribution<std::size_t>(4, 12)(rng_);
      line_.Send(line_.Garbage(n), "GA", true);
      return;
    }
    if (options_.echo) line_.Echo(frame);
    if (frame[2] != options_.receiver.address) return;
    auto answer = receiver_.Answer(frame, MsSinceStart());
    if (!answer || options_.silent || Chance(options_.drop)) return;
    if (answer->size() == 6 && (*answer)[4] == civ::kOk && Chance(options_.ng))
      (*answer)[4] = civ::kNg;
    // The answer is made now (a reading is taken at the frequency tuned now); a held one goes
    // out later, and answers after it wait behind it, as from a receiver that answers in
    // order.
    const int hold = HoldFor(frame);
    if (hold > 0 || !held_.empty()) {
      auto due = Clock::now() + milliseconds(hold);
      if (!held_.empty()) due = std::max(due, held_.back().first);
      held_.emplace_back(due, std::move(*answer));
      return;
    }
    SendFrame(*answer, true);
  }

  // How long the answer to `frame` is held back (--delay).
  int HoldFor(const Bytes& frame) const {
    for (const auto& h : options_.holds)
      if (frame[4] == h.command && (h.sub < 0 || (frame.size() > 6 && frame[5] == h.sub)))
        return h.ms;
    return 0;
  }

  // Sends the held answers that are due.
  void SendHeld() {
    while (!held_.empty() && held_.front().first <= Clock::now()) {
      const Bytes frame = std::move(held_.front().second);
      held_.pop_front();
      SendFrame(frame, false);
    }
  }

  void SendFrame(const Bytes& frame, bool answer) {
    if (Chance(options_.garbage))
      line_.Send(line_.Garbage(std::uniform_int_distribution<std::size_t>(1, 8)(rng_)), "GA",
                 answer);
    line_.Send(frame, "TX", answer);
  }

  bool Chance(double p) { return p > 0 && std::uniform_real_distribution<double>(0, 1)(rng_) < p; }

  // The front panel: one command a line on stdin, one answer a line on stdout.
  void ReadPanel() {
    char buf[512];
    const ssize_t n = read(STDIN_FILENO, buf, sizeof buf);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) return;
    if (n <= 0) {
      // End of input (or a terminal we may not read in the background): keep serving.
      stdinOpen_ = false;
      return;
    }
    for (ssize_t i = 0; i < n && !quit_; ++i) {
      if (buf[i] == '\n') {
        if (panelOverflow_)
          Say("error: line too long");
        else
          Panel(panelLine_);
        panelLine_.clear();
        panelOverflow_ = false;
      } else if (panelLine_.size() < kMaxPanelLine) {
        panelLine_.push_back(buf[i]);
      } else {
        panelOverflow_ = true;
      }
    }
  }

  void Panel(std::string text) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    std::istringstream in(text);
    std::string verb;
    in >> verb;
    if (verb.empty()) return;
    if (verb == "quit") {
      Say("ok quit");
      quit_ = true;
    } else if (verb == "tune") {
      std::string mhz, extra;
      in >> mhz >> extra;
      const auto f = ParseMhz(mhz);
      if (!f || !extra.empty()) return Say("error: usage: tune MHz");
      Report(receiver_.Tune(*f));
    } else if (verb == "mode") {
      std::string name;
      std::getline(in, name);
      Report(receiver_.SetMode(name));
    } else if (verb == "signal") {
      std::string mhz, level, extra;
      in >> mhz >> level >> extra;
      const auto f = ParseMhz(mhz);
      int l = -1;
      if (level.size() <= 3 && !level.empty() &&
          level.find_first_not_of("0123456789") == std::string::npos)
        l = std::stoi(level);
      if (!f || l < 0 || l > 255 || !extra.empty())
        return Say("error: usage: signal MHz LEVEL (0..255, 0 removes)");
      signals_.SetCarrier(*f, l);
      Say("ok signal " + std::to_string(*f) + " " + std::to_string(l));
    } else {
      Say("error: unknown command '" + verb + "' (tune, mode, signal, quit)");
    }
  }

  void Report(const Receiver::PanelResult& r) {
    if (r.report) SendFrame(*r.report, false);
    Say(r.text);
  }

  static constexpr std::size_t kMaxPanelLine = 256;

  int master_;
  const Options& options_;
  Receiver& receiver_;
  SignalModel& signals_;
  std::mt19937& rng_;
  Log& log_;
  Line line_;
  FrameReader reader_;
  std::string panelLine_;
  bool panelOverflow_ = false;
  std::deque<std::pair<Clock::time_point, Bytes>> held_;
  bool stdinOpen_ = true;
  bool quit_ = false;
};

int OpenTerminal(int baud, std::string& slave) {
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return -1;
  const char* name = ptsname(master);
  if (!name) return -1;
  slave = name;
  // Raw from the start: a peer that never sets the line must not have the terminal echo our
  // answers back or turn bytes into line endings.
  termios t{};
  if (tcgetattr(master, &t) == 0) {
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    if (const auto speed = SpeedOf(baud)) {
      cfsetispeed(&t, *speed);
      cfsetospeed(&t, *speed);
    }
    tcsetattr(master, TCSANOW, &t);
  }
  fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
  return master;
}

// The link is ours to replace only when it is a symbolic link; a real file is left alone.
bool MakeLink(const std::string& path, const std::string& target) {
  struct stat st {};
  if (lstat(path.c_str(), &st) == 0) {
    if (!S_ISLNK(st.st_mode)) return false;
    unlink(path.c_str());
  }
  return symlink(target.c_str(), path.c_str()) == 0;
}

void RemoveLink(const std::string& path, const std::string& target) {
  char buf[4096];
  const ssize_t n = readlink(path.c_str(), buf, sizeof buf - 1);
  if (n < 0) return;
  buf[n] = '\0';
  if (target == buf) unlink(path.c_str());  // not one a later simulator has made
}

int Main(int argc, char** argv) {
  std::string error;
  const auto options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::cerr << "fennix-sim: " << error << "\n" << kUsage;
    return 2;
  }
  if (options->help) {
    std::cout << kUsage;
    return 0;
  }
  if (options->checkLine && !SpeedOf(options->baud)) {
    std::cerr << "fennix-sim: --check-line needs a standard --baud (300 .. 115200)\n";
    return 2;
  }

  std::string stationsText(DefaultStationsText());
  if (!options->stationsFile.empty()) {
    std::ifstream in(options->stationsFile);
    if (!in) {
      std::cerr << "fennix-sim: cannot read " << options->stationsFile << "\n";
      return 2;
    }
    std::ostringstream all;
    all << in.rdbuf();
    stationsText = all.str();
  }
  auto stations = ParseStations(stationsText, error);
  if (!stations) {
    std::cerr << "fennix-sim: "
              << (options->stationsFile.empty() ? "built-in stations" : options->stationsFile)
              << ": " << error << "\n";
    return 2;
  }

  const std::uint32_t seed = options->seed ? *options->seed : std::random_device{}();
  SignalModel signals(std::move(*stations), seed);
  std::mt19937 faults(seed ^ 0x9E3779B9u);  // faults apart, so they do not move the noise
  Receiver receiver(options->receiver, signals);

  Log log;
  if (!log.Open(options->log)) {
    std::cerr << "fennix-sim: cannot write " << options->log << ": " << std::strerror(errno)
              << "\n";
    return 2;
  }

  if (pipe(gWakePipe) != 0) return 1;
  fcntl(gWakePipe[1], F_SETFL, O_NONBLOCK);
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);
  signal(SIGPIPE, SIG_IGN);
  signal(SIGTTIN, SIG_IGN);  // reading stdin from the background gives EIO, not a stop

  std::string slave;
  const int master = OpenTerminal(options->baud, slave);
  if (master < 0) {
    std::cerr << "fennix-sim: cannot open a pseudo-terminal: " << std::strerror(errno) << "\n";
    return 1;
  }
  if (!options->link.empty() && !MakeLink(options->link, slave)) {
    std::cerr << "fennix-sim: cannot make the link " << options->link << "\n";
    close(master);
    return 1;
  }
  Say(slave);

  Simulator(master, *options, receiver, signals, faults, log).Run();

  if (!options->link.empty()) RemoveLink(options->link, slave);
  close(master);
  return 0;
}

}  // namespace
}  // namespace sim

int main(int argc, char** argv) { return sim::Main(argc, argv); }

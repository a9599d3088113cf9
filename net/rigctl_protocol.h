// The rigctld text protocol that loggers, trackers and scripts speak to a shared receiver:
// commands one after another, several to a line if the client likes, each answered in the
// default response protocol or, after its own punctuation prefix, in the extended one. Pure
// code: the panel is reached only through RigPanel.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace net {

// The panel as the protocol sees it. Every action goes through the panel's own routines, so
// the readout, the rows and the band scope follow as they follow the keys.
class RigPanel {
 public:
  virtual ~RigPanel() = default;
  virtual std::int32_t Frequency() const = 0;  // the current window's
  virtual std::int32_t LowerLimit() const = 0;
  virtual std::int32_t UpperLimit() const = 0;
  // Tunes the current window to `hz`, which lies inside the limits.
  virtual void TuneTo(std::int32_t hz) = 0;
  virtual int Mode() const = 0;  // 1..7, anything else has no name
  virtual void SetMode(int mode) = 0;
  virtual int Window() const = 0;  // 1 = A, 2 = B
  // What a window (1 = A, 2 = B) holds, current or not.
  virtual std::int32_t WindowFrequency(int window) const {
    return window == Window() ? Frequency() : 0;
  }
  virtual int WindowMode(int window) const { return window == Window() ? Mode() : 0; }
  // False when the panel cannot switch (off line).
  virtual bool SelectWindow(int window) = 0;
  virtual int SignalReading() const = 0;  // the last reading, 0..255
  virtual bool SquelchOpen() const = 0;
  virtual int AfPosition() const = 0;  // AF_TrackBar: 0 top (loudest) .. 31
  virtual void SetAfPosition(int position) = 0;
  virtual bool AttOn() const = 0;
  // False when the panel cannot switch it (off line).
  virtual bool SetAtt(bool on) = 0;
  // Off line the readings are what they are: nothing new will come.
  virtual bool OnLine() const { return true; }
  // How many signal (or squelch) readings the panel has taken so far.
  virtual std::uint32_t ReadingsTaken(bool /*squelch*/) const { return 0; }
  // The serial line's speed in bit/s, 0 when nothing waits on it.
  virtual std::int32_t LineBaud() const { return 0; }
  // Asks the receiver for a signal (or squelch) reading now rather than at the next poll.
  virtual void AskReading(bool /*squelch*/) {}
  // The scan and the sweep as their keys start and stop them: direction 1 up, -1 down, 0 stop.
  // False when the panel cannot do it now (off line).
  virtual bool Scan(int /*direction*/) { return false; }
  virtual int ScanDirection() const { return 0; }  // 1 up, -1 down, 0 stopped
  virtual bool Sweep(bool /*start*/) { return false; }
  virtual bool Sweeping() const { return false; }
  // The last sweep's levels 0..255 from its low edge up, and that edge and its spacing (Hz).
  virtual std::vector<int> SweepLevels(std::int32_t& /*start*/, std::int32_t& /*spacing*/) const {
    return {};
  }
};

// Hamlib's error numbers the protocol answers with.
enum RigError : int {
  kOk = 0,
  kInvalid = -1,        // bad or missing argument
  kTimeout = -5,        // no fresh reading came in time
  kIo = -6,             // the serial line failed under the request
  kRejected = -9,       // the panel refuses it now (off line)
  kNotAvailable = -11,  // no such command here
};

struct Reply {
  std::string text;    // what to send back; empty for a blank line
  bool close = false;  // the client said goodbye
};

// One command of a line, with its arguments and the protocol its answer is given in.
struct Request {
  int command = -1;  // in the command table; -1: none such (answered RPRT -11)
  std::vector<std::string> args;
  bool extended = false;
  char separator = '\n';
  bool quit = false;
};

// What a request reads that must be taken after the last tune.
enum class Reading { kNone, kSignal, kSquelch };

// Splits a line (without its line break) into its commands, each taking its own arguments, as
// rigctld reads them: "+f +m +v", "F 145100000 f", "f\get_mode". A command it does not know
// ends the line, as its arguments cannot be told from the next command.
std::vector<Request> Parse(std::string_view line);
// Runs one request and gives its answer.
Reply Run(const Request& request, RigPanel& panel);
// The answer a request gets when it fails before it runs (a timeout, a serial error).
std::string Failure(const Request& request, int code);
Reading ReadingOf(const Request& request);
// A tune (set_freq), which the server may hold back for a newer one.
bool IsTune(const Request& request);
// Sends frames to the receiver when it runs (a mode, a window, a level, the scan).
bool Writes(const Request& request);
// Asks for the panel's changes to be pushed (argument "1"/"on") or no more ("0"/"off").
bool IsWatch(const Request& request, bool& on);
// Runs a whole line and gives the answers one after another.
Reply Execute(std::string_view line, RigPanel& panel);
// A line that is an HTTP request line or a Host header: a browser, not a rig client.
bool LooksLikeHttp(std::string_view line);

// Collects a connection's bytes into lines. A line longer than kMaxLine is refused, so a
// client that floods cannot make the buffer grow.
class LineBuffer {
 public:
  static constexpr std::size_t kMaxLine = 1024;

  // False when a line has grown past kMaxLine; the connection should then be dropped.
  bool Feed(std::string_view bytes);
  // The next complete line without its "\n" (and a "\r" before it); false when none.
  bool NextLine(std::string& line);
  std::size_t Pending() const { return buffer_.size() - start_; }

 private:
  std::string buffer_;
  std::size_t start_ = 0;       // where the next line begins
  std::size_t lineLength_ = 0;  // characters since the last "\n"
};

// The meter reading 0..255 in decibels over S9, along the panel's own S-meter marks: S1, 3,
// 5, 7 and 9 at the levels 10, 30, 50, 70 and 89.25 (six decibels an S unit, S0 = -54 at
// 0), +10 and +20 dB at 110 and 130, +60 dB at the top of the scale (206.2); linear between
// the marks, rounded, and +60 above the top.
int StrengthOverS9(int level);
// AF gain as a fraction 0..1 of the receiver's level 7..255, and back to the nearest slider
// position.
double AfFraction(int position);
int AfPositionOf(double fraction);
// Hamlib's name of a panel mode, "None" for a mode without a name.
const char* ModeName(int mode);
// The receiver's passband for a panel mode (Hz), 0 for a mode without a name.
int PassbandOf(int mode);

}  // namespace net

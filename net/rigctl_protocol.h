// The rigctld text protocol that loggers, trackers and scripts speak to a shared receiver:
// one command a line, answered in the default response protocol or, after a punctuation
// prefix, in the extended one. Pure code: the panel is reached only through RigPanel.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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
  // False when the panel cannot switch (off line).
  virtual bool SelectWindow(int window) = 0;
  virtual int SignalReading() const = 0;  // the last reading, 0..255
  virtual bool SquelchOpen() const = 0;
  virtual int AfPosition() const = 0;  // AF_TrackBar: 0 top (loudest) .. 31
  virtual void SetAfPosition(int position) = 0;
  virtual bool AttOn() const = 0;
  // False when the panel cannot switch it (off line).
  virtual bool SetAtt(bool on) = 0;
};

// Hamlib's error numbers the protocol answers with.
enum RigError : int {
  kOk = 0,
  kInvalid = -1,        // bad or missing argument
  kRejected = -9,       // the panel refuses it now (off line)
  kNotAvailable = -11,  // no such command here
};

struct Reply {
  std::string text;    // what to send back; empty for a blank line
  bool close = false;  // the client said goodbye
};

// Runs one line (without its line break) and gives the answer.
Reply Execute(std::string_view line, RigPanel& panel);

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
// The receiver's passband for a panel mode (Hz), 0 for a mode without a name.
int PassbandOf(int mode);

}  // namespace net

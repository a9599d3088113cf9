// The panel as the network clients share it: tune requests are held and only the newest goes
// to the receiver, once the line has taken the last one, and a reading after a tune is one
// taken at the new frequency. A window switch is held too: Hamlib's client opens with "V VFOB",
// "f", "V VFOA" to learn window B's frequency, which the panel knows without pressing the
// window key twice.
#pragma once

#include <optional>

#include "net/rigctl_protocol.h"

namespace net {

class TuneQueue : public RigPanel {
 public:
  explicit TuneQueue(RigPanel& panel) : panel_(panel) {}

  // A tune or a window switch waits here; a newer one replaces it.
  bool Pending() const { return pending_.has_value() || window_ != 0; }
  bool WindowPending() const { return window_ != 0; }
  bool TunePending() const { return pending_.has_value(); }
  // Switches the waiting window, then sends the waiting tune.
  void Flush();
  // Whether a reading of this kind may be answered now: none waits off line, and after a tune
  // only a reading taken since its frequency frame went out will do; the receiver is asked
  // for one at once, so the answer does not wait for the next poll.
  bool Fresh(Reading kind);

  std::int32_t Frequency() const override;
  std::int32_t LowerLimit() const override { return panel_.LowerLimit(); }
  std::int32_t UpperLimit() const override { return panel_.UpperLimit(); }
  void TuneTo(std::int32_t hz) override;
  int Mode() const override { return panel_.WindowMode(Window()); }
  void SetMode(int mode) override;
  int Window() const override { return window_ != 0 ? window_ : panel_.Window(); }
  std::int32_t WindowFrequency(int window) const override;
  int WindowMode(int window) const override { return panel_.WindowMode(window); }
  bool SelectWindow(int window) override;
  int SignalReading() const override { return panel_.SignalReading(); }
  bool SquelchOpen() const override { return panel_.SquelchOpen(); }
  int AfPosition() const override { return panel_.AfPosition(); }
  void SetAfPosition(int position) override;
  bool AttOn() const override { return panel_.AttOn(); }
  bool SetAtt(bool on) override;
  bool OnLine() const override { return panel_.OnLine(); }
  std::uint32_t ReadingsTaken(bool squelch) const override { return panel_.ReadingsTaken(squelch); }
  void AskReading(bool squelch) override { panel_.AskReading(squelch); }
  std::int32_t LineBaud() const override { return panel_.LineBaud(); }
  bool Scan(int direction) override;
  int ScanDirection() const override { return panel_.ScanDirection(); }
  bool Sweep(bool start) override;
  bool Sweeping() const override { return panel_.Sweeping(); }
  std::vector<int> SweepLevels(std::int32_t& start, std::int32_t& spacing) const override {
    return panel_.SweepLevels(start, spacing);
  }

 private:
  // The receiver moved: the readings it held are of the old frequency.
  void Moved();
  void FlushWindow();

  RigPanel& panel_;
  std::optional<std::int32_t> pending_;
  int window_ = 0;  // the window asked for and not yet switched to, 0 for none
  bool awaitSignal_ = false, awaitSquelch_ = false;
  bool askedSignal_ = false, askedSquelch_ = false;
  std::uint32_t signalBase_ = 0, squelchBase_ = 0;
};

}  // namespace net

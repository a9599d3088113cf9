#include "net/tune_queue.h"

#include <utility>

namespace net {

void TuneQueue::FlushWindow() {
  if (window_ == 0) return;
  const int window = std::exchange(window_, 0);
  if (panel_.SelectWindow(window)) Moved();
}

void TuneQueue::Flush() {
  FlushWindow();
  if (!pending_) return;
  const std::int32_t hz = *pending_;
  // Taken off first: a tune whose frame fails is not tried again.
  pending_.reset();
  panel_.TuneTo(hz);
  Moved();
}

void TuneQueue::Moved() {
  signalBase_ = panel_.ReadingsTaken(false);
  squelchBase_ = panel_.ReadingsTaken(true);
  awaitSignal_ = awaitSquelch_ = true;
  askedSignal_ = askedSquelch_ = false;
}

bool TuneQueue::Fresh(Reading kind) {
  if (kind == Reading::kNone || !panel_.OnLine()) return true;
  if (Pending()) return false;
  const bool squelch = kind == Reading::kSquelch;
  bool& await = squelch ? awaitSquelch_ : awaitSignal_;
  // Counted as a difference, so that the counter may wrap.
  if (await && panel_.ReadingsTaken(squelch) - (squelch ? squelchBase_ : signalBase_) == 0) {
    bool& asked = squelch ? askedSquelch_ : askedSignal_;
    if (!asked) {
      asked = true;
      panel_.AskReading(squelch);
    }
    return false;
  }
  await = false;
  return true;
}

std::int32_t TuneQueue::Frequency() const { return WindowFrequency(Window()); }

std::int32_t TuneQueue::WindowFrequency(int window) const {
  // A held tune is for the window it will be sent in.
  return pending_ && window == Window() ? *pending_ : panel_.WindowFrequency(window);
}

void TuneQueue::TuneTo(std::int32_t hz) {
  FlushWindow();  // the tune is for the window named before it
  pending_ = hz;
}

// What changes the receiver goes after the tune asked for before it, as it was asked.
void TuneQueue::SetMode(int mode) {
  Flush();
  panel_.SetMode(mode);
}

bool TuneQueue::SelectWindow(int window) {
  // A held tune goes to the window it was asked for in.
  if (pending_) Flush();
  if (!panel_.OnLine()) return false;  // off line the window cannot change
  window_ = window == panel_.Window() ? 0 : window;
  // A window the panel has not been in yet has no frequency to answer with: it is read.
  if (window_ != 0 && panel_.WindowFrequency(window_) == 0) FlushWindow();
  return true;
}

void TuneQueue::SetAfPosition(int position) {
  Flush();
  panel_.SetAfPosition(position);
}

bool TuneQueue::SetAtt(bool on) {
  Flush();
  return panel_.SetAtt(on);
}

bool TuneQueue::Scan(int direction) {
  FlushWindow();
  pending_.reset();  // the scan moves on from where the panel is
  return panel_.Scan(direction);
}

bool TuneQueue::Sweep(bool start) {
  Flush();
  return panel_.Sweep(start);
}

}  // namespace net

#include "net/tune_queue.h"

namespace net {

void TuneQueue::Flush() {
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
}

bool TuneQueue::Fresh(Reading kind) {
  if (kind == Reading::kNone || !panel_.OnLine()) return true;
  if (pending_) return false;
  const bool squelch = kind == Reading::kSquelch;
  bool& await = squelch ? awaitSquelch_ : awaitSignal_;
  // Counted as a difference, so that the counter may wrap.
  if (await && panel_.ReadingsTaken(squelch) - (squelch ? squelchBase_ : signalBase_) == 0)
    return false;
  await = false;
  return true;
}

std::int32_t TuneQueue::WindowFrequency(int window) const {
  return pending_ && window == panel_.Window() ? *pending_ : panel_.WindowFrequency(window);
}

// What changes the receiver goes after the tune asked for before it, as it was asked.
void TuneQueue::SetMode(int mode) {
  Flush();
  panel_.SetMode(mode);
}

bool TuneQueue::SelectWindow(int window) {
  Flush();
  const bool done = panel_.SelectWindow(window);
  if (done) Moved();
  return done;
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
  pending_.reset();  // the scan moves on from where the panel is
  return panel_.Scan(direction);
}

bool TuneQueue::Sweep(bool start) {
  Flush();
  return panel_.Sweep(start);
}

}  // namespace net

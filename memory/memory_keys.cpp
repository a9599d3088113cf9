#include "memory/memory_keys.h"

#include "panel/tuning.h"
#include "scan/identification.h"
#include "scope/band_scope.h"
#include "stations/station_list.h"

MemoRecord& MemoryKeys::Record(int key) { return stations_->Data[kMemoryKeyBase + key]; }

const MemoRecord& MemoryKeys::Memory(int key) const {
  return stations_->Data[kMemoryKeyBase + key];
}

bool MemoryKeys::HoldsCurrent(const MemoRecord& m) const {
  const Tuning& t = *tuning_;
  return m.Frequency == t.CurrentFrequency() && m.Mode == t.Mode[t.Window] &&
         m.Step == t.CurrentStep();
}

bool MemoryKeys::WithinLimits(std::int32_t frequency) const {
  return frequency >= tuning_->LowerLimit && frequency <= tuning_->UpperLimit;
}

std::string MemoryKeys::Caption(int key) const {
  const std::int32_t f = Memory(key).Frequency;
  return WithinLimits(f) ? FrequencyText(f) : "F" + std::to_string(key);
}

void MemoryKeys::M_ButtonClick(int key) {
  M_ButtonClickSub(key);
  view_->FocusTrackBar();
}

void MemoryKeys::M_SpeedButtonClick() {
  view_->FocusTrackBar();
  if (MemoRequest) {
    MemoRequest = false;
    view_->ShowStoreKey(false);
    M_ButtonClickColorSub();
    return;
  }
  MemoRequest = true;
  ShowStoreMode();
}

void MemoryKeys::ShowStoreMode() {
  view_->ShowStoreKey(MemoRequest);
  if (!MemoRequest) {
    M_ButtonClickColorSub();
    return;
  }
  view_->ShowMemoryStrip(0, MemoryKeysView::Strip::kYellow);
  // Red marks the keys a store would erase.
  for (int key = 1; key <= kKeys; ++key)
    view_->ShowMemoryStrip(key, HoldsCurrent(Memory(key)) ? MemoryKeysView::Strip::kRed
                                                          : MemoryKeysView::Strip::kYellow);
}

void MemoryKeys::M_SpeedButtonRelease() {
  if (!MemoRequest) return;
  MemoRequest = false;
  view_->ShowStoreKey(false);
  M_ButtonClickColorSub();
}

void MemoryKeys::M_ButtonClickSub(int key) {
  if (key < 1 || key > kKeys) return;
  identification_->SelectIdxModeOff();
  Tuning& t = *tuning_;
  MemoRecord& m = Record(key);
  if (MemoRequest) {
    stations_->DataChanged = true;
    if (HoldsCurrent(m)) {
      m.Frequency = m.Mode = m.Step = 0;
    } else {
      m.Frequency = t.CurrentFrequency();
      m.Mode = t.Mode[t.Window];
      m.Step = t.CurrentStep();
    }
    MemoRequest = false;
    M_SpeedButtonPrint();
    view_->ShowStoreKey(false);
    M_ButtonClickColorSub();
    return;
  }
  // An empty memory (frequency 0) or one outside the receiver's range does nothing.
  if (!WithinLimits(m.Frequency)) return;
  if (bandScope_->Sweeping()) bandScope_->BandLoop_Stop();
  t.Frequency[t.Window] = m.Frequency;
  t.ChannelSend();
  t.Mode[t.Window] = static_cast<std::uint16_t>(m.Mode);
  t.ChannelModeOut();
  // The step is the panel's own: no step command goes to the receiver.
  t.Step[t.Window] = m.Step;
  view_->RedrawPanel();
  bandScope_->BandSet();
}

void MemoryKeys::M_SpeedButtonPrint() {
  for (int key = 1; key <= kKeys; ++key) view_->ShowMemoryCaption(key, Caption(key));
  // The strips say what "&M" says: silver strips under an armed store key would let the next
  // memory key store over a memory the user meant to recall.
  ShowStoreMode();
}

void MemoryKeys::M_ButtonClickColorSub() {
  for (int key = 0; key <= kKeys; ++key)
    view_->ShowMemoryStrip(key, MemoryKeysView::Strip::kNormal);
}

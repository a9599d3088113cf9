// The band scope: a bar graph of signal levels over a window of equally spaced frequencies
// around the tuned frequency. A sweep tunes the receiver to each point in turn, reads the
// level there and draws its bar; between sweeps the bar under the marker follows every
// signal reading.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "base/scan_control.h"

class Host;
class Identification;
class Knob;
class Link;
class Meter;
class ScanEngine;
class Tuning;

// Where the marker track bar goes so that its thumbs line up with the bars: from the left
// edge and width of Band_Panel, for N points.
struct MarkerTrackLayout {
  int left = 0;
  int width = 0;
};
MarkerTrackLayout MarkerTrackGeometry(int panelLeft, int panelWidth, int points);

// One bar on the scope picture, in the picture's coordinates: columns x .. x + width - 1;
// light from `top` down to the red part, red above the black part, black standing on the
// row above `bottom`.
struct ScopeBar {
  int x = 0;
  int width = 0;
  int top = 0;
  int bottom = 0;
  int black = 0;
  int red = 0;
};
// Bar k (1..points) for a level, from the width of the marker track bar, the picture's height
// and its offset inside Band_Panel; with `sColor` the part above the ceiling is red.
ScopeBar BandScopeBar(int k, int level, int points, int trackWidth, int imageHeight, int imageLeft,
                      int imageTop, bool sColor);
// The bar's height for a level in a picture of the given height (the sine curve of the meter).
int ScopeBarHeight(int level, int imageHeight);

// What the band scope shows.
class BandScopeView {
 public:
  virtual ~BandScopeView() = default;
  // The width lamps: the one of the width 1 (H), 2 (M) or 3 (L) lime, the others silver.
  virtual void ShowWidthLamps(int bandScope) = 0;
  // The picture cleared and the marker track bar laid out for N points (its maximum N).
  virtual void ShowScopeCleared(int points) = 0;
  // The marker's position; setting it from the program never counts as a user move.
  virtual void ShowMarker(int position) = 0;
  virtual void ShowBar(int point, int level, int points, bool sColor) = 0;
  // "DEMO" over the picture, after the port failed to open.
  virtual void ShowDemoText() = 0;
  virtual void ShowLoopLamp(bool on) = 0;
  virtual void FocusTrackBar() = 0;
  // The window's first, centre and last frequency, under the picture.
  virtual void ShowWindowLabels(std::int32_t first, std::int32_t centre, std::int32_t last) = 0;
};

// Another owner of a sweep (the band survey): the scope's chain tunes its points, reads them
// and hands each reading over. Every key that ends the scope's sweep ends this one too.
class SweepClient {
 public:
  virtual ~SweepClient() = default;
  // The level read at point `index` (0 first) of the plan.
  virtual void SweepReading(int index, int level) = 0;
  // The plan's last point was read: true to start the next pass at once.
  virtual bool SweepPassDone() = 0;
  // The sweep is over (its passes done, or a key, a tune or the stop key ended it).
  virtual void SweepEnded() = 0;
};

struct SweepPlan {
  std::int32_t start = 0;
  std::int32_t step = 0;
  int points = 0;
  int dwell = 100;  // ms between tuning a point and asking for its level
};

class BandScopeEngine : public BandScopeControl {
 public:
  static constexpr int kWidthH = 1, kWidthM = 2, kWidthL = 3;
  static constexpr int kMaxPoints = 51;

  int BandScope = kWidthM;  // width setting, from the settings file
  int BandPoints = 31;      // N; a width outside 1..3 leaves the one before
  std::int32_t SweepStart = 0;
  std::int32_t SweepEnd = 0;
  std::int32_t SweepFreq = 0;
  int SweepIndex = 1;    // the point the next reading is drawn at
  int SweepDwell = 100;  // ms between tuning a point and asking for its level
  int SweepMarker = 16;  // where the marker goes back to when the sweep ends
  bool SweepRunning = false;
  bool SweepLoop = false;
  int Marker = 16;  // the position of BandTrackBar, 1..N
  // The levels of the last complete sweep from its low edge up, that edge and the spacing, for
  // the network port.
  std::vector<int> LastSweep;
  std::int32_t LastSweepStart = 0;
  std::int32_t LastSweepStep = 0;

  void Bind(Host& host, Tuning& tuning, Link& link, Meter& meter, Knob& knob, ScanEngine& scan,
            Identification& identification, BandScopeView& view) {
    host_ = &host;
    tuning_ = &tuning;
    link_ = &link;
    meter_ = &meter;
    knob_ = &knob;
    scan_ = &scan;
    identification_ = &identification;
    view_ = &view;
  }

  // Also true while the first point settles, before SweepRunning is set.
  bool Sweeping() const override { return SweepRunning || starting_; }

  // The width keys "H", "M", "L".
  void BandWH_ButtonClick() { WidthKey(kWidthH); }
  void BandWMButtonClick() { WidthKey(kWidthM); }
  void BandWL_ButtonClick() { WidthKey(kWidthL); }
  void Band_ButtonSet();
  void BandScopeInit() override;
  // A new window centred on the tuned frequency, kept inside the receiver's limits.
  void BandSet() override;
  // Start a sweep over the current window (port open only).
  void BandScan();
  void BandRun_BitBtnClick() override;
  void Band_L_BitBtnClick();
  void Band_R_BitBtnClick();
  // The tuning step moved the frequency: the marker follows.
  void Band_Up() override;
  void Band_Down() override;
  void BandLoop_BitBtnClick();
  void BandLoop_Start();
  // Ends the loop and a running sweep at once; the receiver goes back to the tuned frequency.
  void BandLoop_Stop() override;
  // The user moved the marker: tune there.
  void BandTrackBarChange(int position);
  void BandScopePrintSub(int k, int level);
  void BandScopePrintDemo() override;
  // The signal reading's share: the sweep's next point, or the bar under the marker.
  void PrintSignal() override;
  // Where the converter lands the frequency: the marker's point of the re-centred window.
  std::int32_t ConverterLanding(std::int32_t current) const override;
  // Start-up and activation: the window follows the tuned frequency and the marker stands on
  // its point. A sweep under way keeps its window.
  void FollowTunedFrequency();
  // The tuned frequency's point in the current window (the step must be 1 or more).
  int TunedPoint() const;
  // Marker set by the program, kept within 1..N as the track bar keeps it.
  void SetMarker(int position);
  int MiddlePoint() const { return (BandPoints + 1) / 2; }
  // The level drawn at point k of the current window, -1 for none.
  int BarLevel(int k) const;

  // A sweep for another owner over `plan` (port open only; false otherwise). A sweep under
  // way, the scope's or another owner's, ends first. BandLoop_Stop ends it.
  bool StartClientSweep(SweepClient& client, const SweepPlan& plan);
  // The owner whose sweep runs, if any.
  const SweepClient* Client() const { return client_; }

 private:
  void WidthKey(int bandScope);
  void AutoModeWarning();
  void SweepNext(int level);
  // Tunes the sweep's point SweepFreq, waits the dwell and asks for its level, unless the
  // sweep was ended or started again meanwhile.
  void SweepPoint();
  // Ends a sweep under way at once: the tuned frequency is sent again, the marker goes back
  // and polling runs.
  void EndSweep();
  // The window moved: bars of frequencies still in it move with them, the others go; the
  // labels follow.
  void WindowMoved();
  // A shifted window, kept inside the limits as BandSet keeps it.
  void ShiftWindow(std::int64_t start, std::int64_t frequency);
  // The current window's step, or DefaultStep in place of 0.
  std::int32_t SweepStepSize() const;

  // The other owner's sweep: its next point tuned, settled and asked for.
  void ClientPoint();
  void ClientNext(int level);
  // The other owner's sweep is dropped without a word to the receiver (a scope sweep starts).
  void DropClient();

  SweepClient* client_ = nullptr;
  SweepPlan plan_;
  int clientIndex_ = 0;

  // Counts sweeps begun and ended: a sweep step that comes back from its dwell to another
  // count belongs to a sweep that is over.
  unsigned sweepRun_ = 0;
  bool starting_ = false;  // the first point is settling
  // What the picture's bars belong to: the window they were read in, and each point's level.
  std::int32_t barsStart_ = 0;
  std::int32_t barsStep_ = 0;
  int barsPoints_ = 0;
  std::array<int, kMaxPoints + 1> levels_{};

  Host* host_ = nullptr;
  Tuning* tuning_ = nullptr;
  Link* link_ = nullptr;
  Meter* meter_ = nullptr;
  Knob* knob_ = nullptr;
  ScanEngine* scan_ = nullptr;
  Identification* identification_ = nullptr;
  BandScopeView* view_ = nullptr;
};

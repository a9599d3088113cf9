// The main window's side of the recorder: what it tells goes to the scan log's window and the
// menu, and a failure to a message box that does not wait, so the scan goes on behind it.
#pragma once

#include <functional>
#include <string>

#include "record/recorder.h"

class QWidget;

class RecorderUi : public RecorderView {
 public:
  explicit RecorderUi(QWidget* owner) : owner_(owner) {}
  std::function<void(const std::string& path)> onSaved;
  std::function<void(bool on)> onByHand;

  void ShowRecordingSaved(const std::string& path) override {
    if (onSaved) onSaved(path);
  }
  void ShowRecordingFailed(const std::string& message) override;
  void ShowRecordingByHand(bool on) override {
    if (onByHand) onByHand(on);
  }

 private:
  QWidget* owner_;
};

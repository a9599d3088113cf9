// The application shell's own state and decisions: how the program is being left, and what
// the user is told about an exception.
#pragma once

#include <exception>
#include <functional>
#include <optional>
#include <string>

class Shell {
 public:
  enum : int { kUndecided = 0, kSave = 1, kDiscard = 2 };
  int ExitChoice = kUndecided;

  // "終 了": leave and save a changed station list.
  void Exit1() { ExitChoice = kSave; }

  // "保存なし終了": leave without saving; a changed list asks first. `askSave` shows the
  // confirmation and returns the choice it left (kUndecided when closed without one).
  // Returns true when the main window should close.
  bool Exit2(bool dataChanged, const std::function<int()>& askSave) {
    ExitChoice = kDiscard;
    if (dataChanged) ExitChoice = askSave();
    return ExitChoice != kUndecided;
  }
};

// The message box text for an exception reaching the application: the serial component's
// errors have fixed texts; everything else is ignored (no value).
std::optional<std::string> ApplicationErrorMessage(std::exception_ptr error);

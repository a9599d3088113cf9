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

  // The close box or Alt+F4. A choice already made by an exit menu stands; an unchanged list
  // closes at once (nothing to save); a changed one asks as "保存なし終了" does. Returns
  // true when the main window should close.
  bool CloseBox(bool dataChanged, const std::function<int()>& askSave) {
    if (ExitChoice != kUndecided || !dataChanged) return true;
    ExitChoice = askSave();
    return ExitChoice != kUndecided;
  }

  // What the desktop session's end does with the station list.
  enum class SessionEnd {
    kNothing,       // unchanged, or the user already chose how to leave
    kSave,          // the user chose "保 存": save now
    kDiscard,       // the user chose "破 棄"
    kKeepRecovery,  // no one to ask: the file stays, the edits go to the recovery file
    kCancel,        // the question was closed: the session should not end
  };
  // `canAsk` tells whether the session lets the program show the question; it is asked only
  // when there is something to ask about.
  SessionEnd EndSession(bool dataChanged, const std::function<bool()>& canAsk,
                        const std::function<int()>& askSave) {
    if (!dataChanged || ExitChoice != kUndecided) return SessionEnd::kNothing;
    if (!canAsk()) {
      // The recovery file keeps the edits; leaving afterwards saves nothing more.
      ExitChoice = kDiscard;
      return SessionEnd::kKeepRecovery;
    }
    ExitChoice = askSave();
    if (ExitChoice == kSave) return SessionEnd::kSave;
    if (ExitChoice == kDiscard) return SessionEnd::kDiscard;
    return SessionEnd::kCancel;
  }
};

// The message box text for an exception reaching the application: the serial component's
// errors have fixed texts; everything else is ignored (no value).
std::optional<std::string> ApplicationErrorMessage(std::exception_ptr error);

// The serial component's exceptions. The application's exception handler turns them into
// the three message boxes the user sees.
#pragma once

#include <stdexcept>
#include <string>

#include "base/text.h"

class ECommError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;

 protected:
  static std::string WithCode(const std::string& pattern, int code) {
    return text::Arg(pattern, {std::to_string(code)});
  }
};

class ECommOpenError : public ECommError {
 public:
  explicit ECommOpenError(int errorCode)
      : ECommError(WithCode(text::Tr("Comm", "オープンエラー ErrorCode = %1"), errorCode)),
        ErrorCode(errorCode) {}
  int ErrorCode;
};

class ECommReadWriteError : public ECommError {
 public:
  explicit ECommReadWriteError(int errorCode)
      : ECommError(WithCode(text::Tr("Comm", "入出力エラー ErrorCode = %1"), errorCode)),
        ErrorCode(errorCode) {}
  int ErrorCode;
};

// A network port that could not be reached; the message is the whole text the user reads.
class ECommConnectError : public ECommError {
 public:
  using ECommError::ECommError;
};

// The messages of the component's plain ECommError, thrown as text::Tr("Comm", ...).
inline constexpr const char* kCommNotOpen = FENNIX_TR_NOOP("Comm", "通信が開始されていない。");
inline constexpr const char* kCommWriteTooLong = FENNIX_TR_NOOP("Comm", "送信データ長が長すぎる。");

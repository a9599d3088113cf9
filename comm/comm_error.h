// The serial component's exceptions. The application's exception handler turns them into
// the three message boxes the user sees.
#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>

class ECommError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;

 protected:
  static std::string WithCode(const char* pattern, int code) {
    char text[96];
    std::snprintf(text, sizeof text, pattern, code);
    return text;
  }
};

class ECommOpenError : public ECommError {
 public:
  explicit ECommOpenError(int errorCode)
      : ECommError(WithCode("オープンエラー ErrorCode = %d", errorCode)), ErrorCode(errorCode) {}
  int ErrorCode;
};

class ECommReadWriteError : public ECommError {
 public:
  explicit ECommReadWriteError(int errorCode)
      : ECommError(WithCode("入出力エラー ErrorCode = %d", errorCode)), ErrorCode(errorCode) {}
  int ErrorCode;
};

// A network port that could not be reached; the message is the whole text the user reads.
class ECommConnectError : public ECommError {
 public:
  using ECommError::ECommError;
};

// The messages of the component's plain ECommError.
inline constexpr const char* kCommNotOpen = "通信が開始されていない。";
inline constexpr const char* kCommWriteTooLong = "送信データ長が長すぎる。";

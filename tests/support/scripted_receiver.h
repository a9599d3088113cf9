// A receiver for engine tests: a Port on the virtual clock that records every frame written,
// answers like an IC-R7100 after a short delay (or as a test scripts it), and hands its
// bytes to the reply parser as they fall due, inside whatever wait is running.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/host.h"
#include "base/virtual_host.h"
#include "civ/civ.h"

class Link;

class ScriptedReceiver : public Port {
 public:
  struct Written {
    std::uint32_t at;
    std::string hex;
  };

  ScriptedReceiver(VirtualHost& host, Link& link);

  void Open(int comPort, std::int32_t baudRate) override;
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  void Write(const civ::Bytes& frame) override;
  int Read(std::uint8_t* buffer, int size) override;
  int InQueue() override { return static_cast<int>(inbox_.size()); }

  // Puts bytes on the line after `delayMs` (hex text such as "FEFEE034FBFD").
  void Send(const std::string& hex, int delayMs = 0);
  // Hex texts of the frames written, in order (and with their times).
  std::vector<std::string> Frames() const;
  const std::vector<Written>& Log() const { return written_; }
  void ClearLog() { written_.clear(); }

  // The receiver's state and manners.
  bool openFails = false;
  bool silent = false;     // answers nothing
  bool echo = false;       // repeats every frame first, as a shared CI-V line does
  bool ng = false;         // refuses every set command
  bool readFails = false;  // reads throw, as from a device that has gone
  int replyDelayMs = 5;
  std::int32_t lower = 25000000, upper = 1999999900;
  std::int32_t frequency = 145000000;
  std::string mode = "0501";
  int squelch = 0, signal = 0;
  int opens = 0;
  int lastComPort = 0;
  std::int32_t lastBaudRate = 0;
  // A test's own answer; returning nullopt falls back to the receiver's.
  std::function<std::optional<std::string>(const std::string& frameHex)> script;

 private:
  std::optional<std::string> Answer(const std::string& hex);
  void Tick(std::uint32_t now);

  VirtualHost& host_;
  Link& link_;
  bool open_ = false;
  std::deque<std::uint8_t> inbox_;
  std::vector<std::pair<std::uint32_t, civ::Bytes>> pending_;
  std::vector<Written> written_;
};

civ::Bytes HexBytes(const std::string& hex);

// The serial component as the link's port: the receiver's line settings before each open,
// and reads that take only what is waiting.
#pragma once

#include <functional>
#include <string>

#include "base/host.h"
#include "civ/civ.h"
#include "comm/comm.h"

class CommPort : public Port {
 public:
  // `devicePath` names the device of COM n (the settings' mapping).
  CommPort(TComm& comm, std::function<std::string(int comPort)> devicePath)
      : comm_(comm), devicePath_(std::move(devicePath)) {}

  void Open(int comPort, std::int32_t baudRate) override;
  // A network port that could not be reached: why, for the user. The link goes off line
  // silently, as for a local device, but a host that does not answer must be told.
  std::function<void(const std::string& device, const std::string& reason)> onNetFailure;
  void Close() override { comm_.Close(); }
  bool IsOpen() const override { return comm_.IsOpen(); }
  void Write(const civ::Bytes& frame) override { comm_.Write(frame.data(), frame.size()); }
  int Read(std::uint8_t* buffer, int size) override;
  int InQueue() override { return comm_.IsOpen() ? comm_.InQueueCount() : 0; }

 private:
  TComm& comm_;
  std::function<std::string(int)> devicePath_;
};

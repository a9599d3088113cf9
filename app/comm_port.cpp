#include "app/comm_port.h"

#include <algorithm>

void CommPort::Open(int comPort, std::int32_t baudRate) {
  comm_.SetPort(static_cast<std::uint8_t>(comPort));
  comm_.SetDevice(devicePath_ ? devicePath_(comPort) : std::string());
  comm_.SetBaudRate(baudRate);
  comm_.SetByteSize(cbs8);
  comm_.SetParityBits(cpbNone);
  comm_.SetStopBits(csb1);
  comm_.SetFlowControls(TCommFlowControls{cfcRtsCts});
  try {
    comm_.Open();
  } catch (const ECommOpenError&) {
    const std::string device = comm_.Device();
    const std::string reason = NetFailureText(comm_.LastNetFailure());
    if (IsNetDevice(device) && !reason.empty() && onNetFailure) onNetFailure(device, reason);
    throw;
  }
}

int CommPort::Read(std::uint8_t* buffer, int size) {
  if (!comm_.IsOpen()) return 0;
  // Never wait for bytes that are not there yet: the parser takes what has arrived.
  const int waiting = std::min(size, comm_.InQueueCount());
  if (waiting <= 0) return 0;
  return static_cast<int>(comm_.Read(buffer, static_cast<std::size_t>(waiting)));
}

// The link to the receiver: port choice, reply reassembly and acknowledgement state, polling
// interval. The reply parser, polling and on/off-line supervision grow around this state.
#pragma once

#include <cstdint>
#include <string>

#include "civ/civ.h"

class Link {
 public:
  int ComPort = 1;
  int BaudIndex = 4;  // 9600 bit/s
  // The communication dialog's pending choice while it is open.
  int NewComPort = 1;
  int NewBaudIndex = 4;

  int ReceiverModel = 0;
  // The address replies must come from. Computed at start-up before the settings are read,
  // so it is always the IC-R7100's.
  std::string ReceiverAddressText = "34";

  std::string ReceiveText;
  bool ReceiveBusy = false;
  int AckState = 0;  // 0 none yet, 1 OK, 2 NG
  bool StartMode = true;
  int IntTime = 200;

  std::uint8_t ReceiverAddress() const { return civ::ReceiverAddress(ReceiverModel); }
  std::int32_t BaudRate() const {
    return BaudIndex >= 0 && BaudIndex < static_cast<int>(civ::BaudRateTable.size())
               ? civ::BaudRateTable[static_cast<std::size_t>(BaudIndex)]
               : civ::BaudRateTable[4];
  }
};

// The link to the receiver: opening the port and learning the tuning range, bringing the
// receiver and the panel into step, polling squelch and signal, the reply parser, and going
// on and off line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "civ/civ.h"

class BandScopeControl;
class Host;
class IdentificationControl;
class Meter;
class ScanEngine;
class Tuning;

// What the link shows.
class LinkView {
 public:
  virtual ~LinkView() = default;
  virtual void ShowAck(bool ng) = 0;  // OK_Panel: silver after OK, red after NG
  virtual void FocusTrackBar() = 0;
};

class Link {
 public:
  // ReceiveText keeps fewer than this many characters between chunks. Bytes are taken from
  // the port in chunks small enough that this holds even when a burst arrives at once.
  static constexpr std::size_t kReceiveTextLimit = 250;
  static constexpr int kMaxChunkBytes = (kReceiveTextLimit - 2) / 2;

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

  void Bind(Host& host, Tuning& tuning, Meter& meter, ScanEngine& scan, LinkView& view) {
    host_ = &host;
    tuning_ = &tuning;
    meter_ = &meter;
    scan_ = &scan;
    view_ = &view;
  }
  // The identification, which learns of the receiver's own frequency changes.
  void BindIdentification(IdentificationControl& identification) {
    identification_ = &identification;
  }
  // The band scope, cleared or showing its demonstration after the on-line key.
  void BindBandScope(BandScopeControl& bandScope) { bandScope_ = &bandScope; }

  std::uint8_t ReceiverAddress() const { return civ::ReceiverAddress(ReceiverModel); }
  std::int32_t BaudRate() const;

  void ComOpen();
  void ComStartRead();
  void RadioStartSend();
  void RadioReadSend();
  void RadioWriteSend();
  void SquelchSend();
  void RadioSignal();
  void Timer1Timer();
  // The reply parser: `size` bytes are waiting at the port.
  void Comm1CommReceive(int size);
  void OnLine_ButtonClick();
  // Run every Host::kWatchMs: while the port is open and a request has gone unanswered
  // for max(IntTime, kWatchFloorMs) ms, polling starts again, so that one reply lost on the
  // line cannot freeze the polling and a scan that waits for its squelch reading.
  static constexpr int kWatchFloorMs = 500;
  void WatchPolling();
  // The port vanished under us (cable pulled, device gone): off line, as the key would.
  void PortLost();

 private:
  void ParseChunk(int size);
  void Dispatch(std::string_view frame);
  void SetFrequencyFromReply(std::string_view data, bool transceive);
  void SetModeFromReply(std::string_view frame);

  Host* host_ = nullptr;
  Tuning* tuning_ = nullptr;
  Meter* meter_ = nullptr;
  ScanEngine* scan_ = nullptr;
  LinkView* view_ = nullptr;
  IdentificationControl* identification_ = nullptr;
  BandScopeControl* bandScope_ = nullptr;
  bool reparsePosted_ = false;
  std::uint32_t lastParseTick_ = 0;
};

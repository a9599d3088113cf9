// The link to the receiver: opening the port and learning the tuning range, bringing the
// receiver and the panel into step, polling squelch and signal, the reply parser, and going
// on and off line.
#pragma once

#include <cstdint>
#include <deque>
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
  // Going on line (start-up or the on-line key) found no receiver: the port would not open
  // (`portOpened` false) or nothing answered the band-edge request. Told once per attempt.
  virtual void ShowNoAnswer(bool portOpened) = 0;
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
  // The port and speed of the last attempt to open the line; while it is open, what it runs
  // on, whatever the communication dialog has chosen since.
  int LineComPort = 0;
  std::int32_t LineBaudRate = 0;

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
  // Sends the frequency frame (the converter's shift already added). Every reading asked for
  // before it belongs to the frequency the receiver was on and is dropped when it comes.
  void FrequencySend(std::int64_t value);
  // The receiver was tuned elsewhere by a frame other than the frequency frame (the window
  // switched): readings asked for before it are dropped too.
  void Retuned() { ++generation_; }
  // A step's wait after tuning: `ms` with the polling held back (a poll now would read the
  // new channel before it settled and start a second chain) and the look-out quiet. True
  // when no frequency was sent meanwhile, so the caller's chain is still the newest and may
  // ask for its reading; false when a newer step or a tune has replaced it.
  bool Settle(int ms);
  // How many times the receiver has been tuned; a reading belongs to one of these.
  std::uint32_t Generation() const { return generation_; }
  // The frequency of the last frequency frame, as it went out (the converter's shift in it).
  std::int64_t SentFrequency() const { return sentFrequency_; }
  void Timer1Timer();
  // The reply parser: `size` bytes are waiting at the port.
  void Comm1CommReceive(int size);
  void OnLine_ButtonClick();
  // Run every Host::kWatchMs: while the port is open and a request has gone unanswered
  // for max(IntTime, kWatchFloorMs) ms, polling starts again, so that one reply lost on the
  // line cannot freeze the polling and a scan that waits for its squelch reading. It never
  // fires inside a step's wait (Settle), where silence is the engine's own doing.
  static constexpr int kWatchFloorMs = 500;
  void WatchPolling();
  // The port vanished under us (cable pulled, device gone): off line, as the key would.
  void PortLost();

 private:
  void ParseChunk(int size);
  void Dispatch(std::string_view frame);
  void SetFrequencyFromReply(std::string_view data, bool transceive);
  void SetModeFromReply(std::string_view frame);
  // A reading request on the line: what it asked for, and the tuning it was sent at.
  enum class Reading : char { Squelch, Signal };
  void Asked(Reading kind);
  // Whether a reading reply belongs to the frequency the receiver is on now. The receiver
  // answers in order, so the reply answers the oldest request of its kind; requests ahead of
  // that one were lost.
  bool Current(Reading kind);

  Host* host_ = nullptr;
  Tuning* tuning_ = nullptr;
  Meter* meter_ = nullptr;
  ScanEngine* scan_ = nullptr;
  LinkView* view_ = nullptr;
  IdentificationControl* identification_ = nullptr;
  BandScopeControl* bandScope_ = nullptr;
  bool reparsePosted_ = false;
  std::uint32_t lastParseTick_ = 0;
  struct Request {
    Reading kind;
    std::uint32_t generation;
    std::uint32_t tick;
  };
  // Reading requests not answered yet, oldest first; bounded for a receiver that never
  // answers.
  static constexpr std::size_t kMaxUnanswered = 32;
  std::deque<Request> unanswered_;
  std::uint32_t generation_ = 0;
  std::int64_t sentFrequency_ = 0;
  // The generation of the last reading request, for a reply that matches none.
  std::uint32_t lastAskedGeneration_ = 0;
  int settling_ = 0;
};

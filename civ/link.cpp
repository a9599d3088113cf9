#include "civ/link.h"

#include <algorithm>

#include "base/host.h"
#include "base/scan_control.h"
#include "panel/meter.h"
#include "panel/tuning.h"
#include "scan/scan_engine.h"

namespace {

// Characters from 1-based position `from`, `count` of them, or fewer at the end of the text.
std::string_view Mid(std::string_view text, std::size_t from, std::size_t count) {
  if (from < 1 || from > text.size()) return {};
  return text.substr(from - 1, count);
}

}  // namespace

std::int32_t Link::BaudRate() const {
  return BaudIndex >= 0 && BaudIndex < static_cast<int>(civ::BaudRateTable.size())
             ? civ::BaudRateTable[static_cast<std::size_t>(BaudIndex)]
             : civ::BaudRateTable[4];
}

void Link::ComOpen() {
  // What was left of a frame when the port last closed belongs to no reply on the new line.
  ReceiveText.clear();
  unanswered_.clear();
  LineComPort = ComPort;
  LineBaudRate = BaudRate();
  Port* port = host_->GetPort();
  if (!port) return;
  try {
    port->Open(ComPort, BaudRate());
  } catch (...) {
    // A port that cannot be opened leaves the program off line, without a message.
    port->Close();
  }
}

void Link::ComStartRead() {
  if (!host_->PortOpen()) {
    tuning_->LowerLimit = Tuning::kFallbackLower;
    tuning_->UpperLimit = Tuning::kFallbackUpper;
    tuning_->Frequency[1] = tuning_->Frequency[2] = Tuning::kFallbackLower;
    view_->ShowNoAnswer(false);
  } else {
    auto offLine = [this] {
      tuning_->LowerLimit = Tuning::kFallbackLower;
      tuning_->UpperLimit = Tuning::kFallbackUpper;
      if (Port* port = host_->GetPort()) port->Close();
      host_->TimerStart();
    };
    tuning_->LowerLimit = tuning_->UpperLimit = 0;
    try {
      host_->Delay(50);
      host_->WriteFrame(civ::ReadBandEdgesFrame(ReceiverAddress()));
      host_->Delay(200);
    } catch (...) {
      // A line that fails here gives no answer either: off line with the default range, as
      // for a silent receiver, and the error is still reported.
      offLine();
      tuning_->PrintScale(200);
      throw;
    }
    if (tuning_->LowerLimit == 0 || tuning_->UpperLimit == 0) {
      offLine();
      view_->ShowNoAnswer(true);
    } else {
      // The receiver is put on window A, so the panel's current window is A too; otherwise
      // its frequency and mode would land in window B.
      tuning_->Window = 1;
      tuning_->Win_Set(civ::kWindowA);
    }
  }
  tuning_->PrintScale(200);
}

void Link::RadioStartSend() {
  if (StartMode)
    RadioReadSend();
  else
    RadioWriteSend();
}

void Link::RadioReadSend() {
  if (!host_->PortOpen()) return;
  host_->TimerStop();
  host_->Delay(50);
  host_->WriteFrame(civ::ReadFrequencyFrame(ReceiverAddress()));
  host_->Delay(50);
  host_->TimerStop();
  host_->WriteFrame(civ::ReadModeFrame(ReceiverAddress()));
}

void Link::RadioWriteSend() {
  if (!host_->PortOpen()) return;
  host_->TimerStop();
  host_->Delay(50);
  tuning_->ChannelSend();
  host_->TimerStop();
  host_->Delay(50);
  tuning_->ChannelModeOut();
  host_->TimerStop();
  host_->Delay(50);
  tuning_->ChannelStepOut2();
}

void Link::SquelchSend() {
  if (!host_->PortOpen()) return;
  host_->TimerStop();
  host_->WriteFrame(civ::ReadSquelchFrame(ReceiverAddress()));
  Asked(Reading::Squelch);
}

void Link::RadioSignal() {
  if (!host_->PortOpen()) return;
  host_->TimerStop();
  host_->WriteFrame(civ::ReadSignalFrame(ReceiverAddress()));
  Asked(Reading::Signal);
}

void Link::Asked(Reading kind) {
  if (unanswered_.size() >= kMaxUnanswered) unanswered_.pop_front();
  unanswered_.push_back({kind, generation_, host_->TickCount()});
  lastAskedGeneration_ = generation_;
}

bool Link::Current(Reading kind) {
  const auto it = std::find_if(unanswered_.begin(), unanswered_.end(),
                               [kind](const Request& r) { return r.kind == kind; });
  if (it == unanswered_.end()) {
    // Asked for by nobody we know of (its request given up as lost, or bytes from before):
    // it can be placed only while nothing was tuned since the last request.
    return lastAskedGeneration_ == generation_;
  }
  const std::uint32_t generation = it->generation;
  unanswered_.erase(unanswered_.begin(), it + 1);
  return generation == generation_;
}

void Link::FrequencySend(std::int64_t value) {
  if (!host_->PortOpen()) return;
  host_->WriteFrame(civ::SetFrequencyFrame(value));
  sentFrequency_ = value;
  ++generation_;
}

bool Link::Settle(int ms) {
  const std::uint32_t generation = generation_;
  struct Hold {
    int& count;
    ~Hold() { --count; }
  } hold{++settling_};
  host_->Delay(ms);
  return generation == generation_;
}

void Link::Timer1Timer() {
  const bool open = host_->PortOpen();
  if (open != tuning_->WindowLampsLit) tuning_->PrintWindow();
  // Inside a step's wait the step asks for its own reading when the wait is over.
  if (settling_ > 0) return;
  if ((scan_->ScanState > 0 || scan_->BandScan) && !open) meter_->PrintSquelch();
  SquelchSend();
  RadioSignal();
}

void Link::Comm1CommReceive(int size) {
  // A parse already running (this one was raised inside one of its waits) leaves the bytes
  // queued for the next one.
  if (ReceiveBusy) return;
  // Bytes that came while it ran, or the rest of a large burst, are parsed next, from the
  // event loop, so that a chain of replies and answers never keeps a wait from ending; also
  // after a parse that ended in an error.
  auto parseRestLater = [this] {
    Port* port = host_->GetPort();
    if (!reparsePosted_ && port && port->IsOpen() && port->InQueue() > 0) {
      reparsePosted_ = true;
      host_->Post([this] {
        reparsePosted_ = false;
        Port* p = host_->GetPort();
        if (p && p->IsOpen()) Comm1CommReceive(p->InQueue());
      });
    }
  };
  try {
    ParseChunk(std::min(size, kMaxChunkBytes));
  } catch (...) {
    try {
      parseRestLater();
    } catch (...) {
      // The first error is the one to report.
    }
    throw;
  }
  parseRestLater();
}

void Link::ParseChunk(int size) {
  ReceiveBusy = true;
  host_->TimerStop();

  std::size_t from = 1;
  // Every way out, a read or write that throws included, restarts the polling, drops the
  // frames handled and opens the parser again; otherwise one error would stop it for good.
  struct Finish {
    Link& link;
    const std::size_t& from;
    ~Finish() {
      if (link.scan_->ScanState == 0) link.host_->SetTimerInterval(link.IntTime);
      link.host_->TimerStart();
      link.lastParseTick_ = link.host_->TickCount();
      link.ReceiveText.erase(0, std::min(from - 1, link.ReceiveText.size()));
      link.ReceiveBusy = false;
    }
  } finish{*this, from};

  std::uint8_t bytes[kMaxChunkBytes];
  int n = 0;
  if (Port* port = host_->GetPort(); port && size > 0) n = std::max(0, port->Read(bytes, size));
  const std::string chunk = civ::FrameText(bytes, static_cast<std::size_t>(n));
  if (ReceiveText.size() + chunk.size() >= kReceiveTextLimit)
    ReceiveText = chunk;
  else
    ReceiveText += chunk;

  const std::size_t start = ReceiveText.find("FEFE");
  if (start != std::string::npos) {
    ReceiveText.erase(0, start);
    const std::size_t length = ReceiveText.size();
    if (length > 10) {
      // A copy, so that what a handler does to the text cannot move the frames under us.
      const std::string text = ReceiveText;
      for (std::size_t i = 1; i + 1 <= length; ++i) {
        if (text[i - 1] != 'F' || text[i] != 'D') continue;
        const std::string_view frame = Mid(text, from, i - from);
        from = i + 2;
        if (frame.substr(0, 4) != "FEFE") continue;
        Dispatch(frame);
      }
    }
  }
}

void Link::Dispatch(std::string_view frame) {
  const std::string_view addresses = Mid(frame, 5, 4);
  const std::string_view command = Mid(frame, 9, 2);
  const std::string_view data = frame.size() > 10 ? frame.substr(10) : std::string_view();

  if (addresses.substr(0, 2) == "00" && addresses.substr(2) == ReceiverAddressText) {
    if (command == "00") {
      SetFrequencyFromReply(data, true);
    } else if (command == "01") {
      SetModeFromReply(frame);
    }
    return;
  }
  if (addresses.substr(0, 2) != "E0" || addresses.substr(2) != ReceiverAddressText) return;

  if (command == "02") {
    const std::string_view lower = Mid(frame, 11, 10);
    const std::string_view upper = Mid(frame, 23, 10);
    if (Mid(frame, 21, 2) == "2D" && civ::IsDigits(lower) && civ::IsDigits(upper)) {
      tuning_->LowerLimit = civ::BcdTextToFrequency(lower);
      tuning_->UpperLimit = civ::BcdTextToFrequency(upper);
      tuning_->SetTrackBarRange(false);
    }
  } else if (command == "03") {
    SetFrequencyFromReply(data, false);
  } else if (command == "04") {
    SetModeFromReply(frame);
  } else if (command == "15") {
    const std::string_view sub = Mid(frame, 11, 2);
    if (sub == "01" && frame.size() == 14) {
      const std::string_view digits = Mid(frame, 13, 2);
      if (civ::IsDigits(digits) && Current(Reading::Squelch)) {
        meter_->SquelchStatus = civ::DigitsValue(digits);
        meter_->PrintSquelch();
      }
    } else if (sub == "02" && frame.size() == 16) {
      const std::string_view digits = Mid(frame, 13, 4);
      if (civ::IsDigits(digits) && Current(Reading::Signal)) {
        meter_->SignalLevel = meter_->SignalPeak = civ::DigitsValue(digits);
        meter_->PrintSignal();
      }
    }
  } else if (command == "FB") {
    AckState = 1;
    view_->ShowAck(false);
  } else if (command == "FA") {
    AckState = 2;
    view_->ShowAck(true);
    RadioWriteSend();
  }
}

void Link::SetFrequencyFromReply(std::string_view data, bool transceive) {
  if (!civ::IsDigits(data)) return;
  std::int32_t f = civ::BcdTextToFrequency(data);
  if (transceive && tuning_->ConvertOn) f -= tuning_->ConvertShift;
  tuning_->Frequency[tuning_->Window] = f;
  tuning_->PrintDial();
  if (transceive) {
    identification_->SelectIdxModeOff();
    identification_->AutoMode_IdxChk();
  }
}

void Link::SetModeFromReply(std::string_view frame) {
  const int mode = civ::ModeFromCodeText(Mid(frame, 11, 4));
  if (mode > 0) tuning_->Mode[tuning_->Window] = static_cast<std::uint16_t>(mode);
  tuning_->PrintMode();
}

void Link::OnLine_ButtonClick() {
  host_->TimerStop();
  view_->FocusTrackBar();
  scan_->ST_SC_ButtonClick();
  const bool wasOpen = host_->PortOpen();
  if (wasOpen) {
    if (Port* port = host_->GetPort()) port->Close();
    host_->TimerStart();
    meter_->SignalLevel = 0;
    meter_->PrintSignal();
  } else {
    ComOpen();
    ComStartRead();
  }
  identification_->AutoMode_IdxChk();
  identification_->SelectIdxModeOff();
  if (!host_->PortOpen()) {
    if (wasOpen)
      bandScope_->BandScopeInit();
    else
      bandScope_->BandScopePrintDemo();
  }
}

void Link::WatchPolling() {
  if (!host_->PortOpen() || host_->TimerEnabled() || settling_ > 0) return;
  const std::uint32_t now = host_->TickCount();
  const std::uint32_t quiet = static_cast<std::uint32_t>(std::max(IntTime, kWatchFloorMs));
  // A reading asked for that long ago is lost; or nothing was sent or received for that long
  // while the timer waits for a reply (an acknowledgement that never came).
  const bool lost = !unanswered_.empty() && now - unanswered_.front().tick >= quiet;
  if (lost || (now - host_->LastWriteTick() >= quiet && now - lastParseTick_ >= quiet)) {
    unanswered_.clear();
    host_->TimerStart();
  }
}

void Link::PortLost() {
  Port* port = host_->GetPort();
  if (!port || !port->IsOpen()) return;
  port->Close();
  host_->TimerStart();
  meter_->SignalLevel = 0;
  meter_->PrintSignal();
  tuning_->PrintWindow();
}

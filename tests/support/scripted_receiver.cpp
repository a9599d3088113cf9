#include "scripted_receiver.h"

#include <algorithm>

#include "civ/link.h"
#include "comm/comm_error.h"

civ::Bytes HexBytes(const std::string& hex) {
  civ::Bytes out;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    out.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return out;
}

ScriptedReceiver::ScriptedReceiver(VirtualHost& host, Link& link) : host_(host), link_(link) {
  host_.SetPort(this);
  host_.onTime = [this](std::uint32_t now) { Tick(now); };
}

void ScriptedReceiver::Open(int comPort, std::int32_t baudRate) {
  lastComPort = comPort;
  lastBaudRate = baudRate;
  if (openFails) throw ECommOpenError(-1);
  open_ = true;
  ++opens;
}

void ScriptedReceiver::Write(const civ::Bytes& frame) {
  const std::string hex = civ::FrameText(frame);
  written_.push_back({host_.TickCount(), hex});
  if (echo) Send(hex, 0);
  std::optional<std::string> reply = script ? script(hex) : std::nullopt;
  if (!reply && !silent) reply = Answer(hex);
  if (reply && !reply->empty()) Send(*reply, replyDelayMs);
}

int ScriptedReceiver::Read(std::uint8_t* buffer, int size) {
  if (readFails) throw ECommReadWriteError(5);
  int n = 0;
  while (n < size && !inbox_.empty()) {
    buffer[n++] = inbox_.front();
    inbox_.pop_front();
  }
  return n;
}

void ScriptedReceiver::Send(const std::string& hex, int delayMs) {
  pending_.emplace_back(host_.TickCount() + static_cast<std::uint32_t>(delayMs), HexBytes(hex));
}

std::vector<std::string> ScriptedReceiver::Frames() const {
  std::vector<std::string> out;
  for (const auto& w : written_) out.push_back(w.hex);
  return out;
}

void ScriptedReceiver::Tick(std::uint32_t now) {
  bool arrived = false;
  // Due bytes arrive in the order they were sent.
  auto due = std::stable_partition(pending_.begin(), pending_.end(),
                                   [now](const auto& p) { return p.first <= now; });
  std::vector<std::pair<std::uint32_t, civ::Bytes>> ready(pending_.begin(), due);
  pending_.erase(pending_.begin(), due);
  for (const auto& [at, bytes] : ready) {
    if (!open_) continue;
    inbox_.insert(inbox_.end(), bytes.begin(), bytes.end());
    arrived = true;
  }
  if (arrived) link_.Comm1CommReceive(InQueue());
}

std::optional<std::string> ScriptedReceiver::Answer(const std::string& hex) {
  // FE FE to from command ...: only frames for us from the controller.
  if (hex.size() < 12 || hex.substr(0, 4) != "FEFE" || hex.substr(4, 2) != "34" ||
      hex.substr(6, 2) != "E0")
    return std::nullopt;
  const std::string head = "FEFEE034";
  const std::string command = hex.substr(8, 2);
  const std::string data = hex.substr(10, hex.size() - 12);
  auto bcd = [](std::int32_t f) {
    const auto b = civ::FrequencyToBcd(f);
    return civ::FrameText(b.data(), b.size());
  };
  auto ack = [&] { return head + (ng ? "FA" : "FB") + "FD"; };
  if (command == "02") return head + "02" + bcd(lower) + "2D" + bcd(upper) + "FD";
  if (command == "03") return head + "03" + bcd(frequency) + "FD";
  if (command == "04") return head + "04" + mode + "FD";
  if (command == "00") {
    frequency = civ::BcdTextToFrequency(data);
    return std::string();  // a set-frequency frame gets no answer
  }
  if (command == "06") {
    mode = data;
    return ack();
  }
  if (command == "07" || command == "10" || command == "11" || command == "14" || command == "13")
    return ack();
  auto padded = [](int value, std::size_t width) {
    std::string digits = std::to_string(value);
    return std::string(width - std::min(width, digits.size()), '0') + digits;
  };
  if (command == "15" && data == "01") return head + "1501" + padded(squelch % 100, 2) + "FD";
  if (command == "15" && data == "02") return head + "1502" + padded(signal % 10000, 4) + "FD";
  return head + "FAFD";
}

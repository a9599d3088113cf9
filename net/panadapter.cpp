#include "net/panadapter.h"

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>

#include "base/ini_file.h"
#include "base/text.h"
#include "civ/link.h"
#include "panel/tuning.h"
#include "scan/scan_engine.h"
#include "scope/band_scope.h"

namespace net {

namespace {

constexpr const char* kSection = "PANADAPTER";
using Clock = std::chrono::steady_clock;

int LeftMs(Clock::time_point deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

// poll() in slices, so that a stop does not wait for a silent server.
int PollSliced(pollfd& p, Clock::time_point deadline, const std::atomic<bool>& stopping) {
  for (;;) {
    const int left = LeftMs(deadline);
    if (left == 0 || stopping.load()) return 0;
    const int n = ::poll(&p, 1, std::min(left, 100));
    if (n != 0) return n;
  }
}

}  // namespace

void ReadPanadapterSettings(const IniFile& ini, PanadapterSettings& settings) {
  settings.Enable = ini.ReadInteger(kSection, "Enable", settings.Enable ? 1 : 0) != 0;
  const std::string address = ini.ReadString(kSection, "Address", settings.Address);
  if (!address.empty()) settings.Address = address;
  const int port = ini.ReadInteger(kSection, "Port", settings.Port);
  if (port >= 1 && port <= 65535) settings.Port = port;
  settings.Offset = ini.ReadInteger(kSection, "Offset", settings.Offset);
  settings.BothWays = ini.ReadInteger(kSection, "BothWays", settings.BothWays ? 1 : 0) != 0;
}

void WritePanadapterSettings(IniFile& ini, const PanadapterSettings& settings) {
  ini.WriteInteger(kSection, "Enable", settings.Enable ? 1 : 0);
  ini.WriteString(kSection, "Address", settings.Address);
  ini.WriteInteger(kSection, "Port", settings.Port);
  ini.WriteInteger(kSection, "Offset", settings.Offset);
  ini.WriteInteger(kSection, "BothWays", settings.BothWays ? 1 : 0);
}

// ---------------------------------------------------------------------------------------------
// PanadapterClient

void PanadapterClient::Start(const std::string& host, int port, int pollMs) {
  Stop();
  {
    std::lock_guard hold(lock_);
    stop_ = false;
    reading_.reset();
  }
  stopping_.store(false);
  state_.store(State::kConnecting);
  thread_ = std::thread([this, host, port, pollMs] { Run(host, port, pollMs); });
}

void PanadapterClient::Stop() {
  {
    std::lock_guard hold(lock_);
    stop_ = true;
  }
  stopping_.store(true);
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
  state_.store(State::kOff);
}

void PanadapterClient::Tune(std::int64_t hz) {
  {
    std::lock_guard hold(lock_);
    pendingTune_ = hz;
    tunes_.fetch_add(1);
  }
  wake_.notify_all();
}

std::optional<PanadapterClient::Reading> PanadapterClient::TakeReading() {
  std::lock_guard hold(lock_);
  std::optional<Reading> out = reading_;
  reading_.reset();
  return out;
}

bool PanadapterClient::Rest(int ms) {
  std::unique_lock hold(lock_);
  return wake_.wait_for(hold, std::chrono::milliseconds(ms), [this] { return stop_; });
}

int PanadapterClient::Connect(const std::string& host, int port) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return -1;
  int fd = -1;
  const auto deadline = Clock::now() + std::chrono::milliseconds(kAnswerMs);
  for (addrinfo* a = found; a && fd < 0; a = a->ai_next) {
    fd = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
    if (fd < 0) continue;
    bool connected = ::connect(fd, a->ai_addr, a->ai_addrlen) == 0;
    if (!connected && errno == EINPROGRESS) {
      pollfd p{fd, POLLOUT, 0};
      if (PollSliced(p, deadline, stopping_) > 0) {
        int error = 0;
        socklen_t length = sizeof error;
        ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length);
        connected = error == 0;
      }
    }
    if (!connected) {
      ::close(fd);
      fd = -1;
    }
  }
  ::freeaddrinfo(found);
  if (fd >= 0) {
    int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  }
  return fd;
}

bool PanadapterClient::Ask(int fd, const std::string& request, std::string& answer) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(kAnswerMs);
  std::size_t sent = 0;
  while (sent < request.size()) {
    const ssize_t n = ::send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) return false;
    pollfd p{fd, POLLOUT, 0};
    if (PollSliced(p, deadline, stopping_) <= 0) return false;
  }
  for (;;) {
    const std::size_t end = received_.find('\n');
    if (end != std::string::npos) {
      answer = received_.substr(0, end);
      received_.erase(0, end + 1);
      if (!answer.empty() && answer.back() == '\r') answer.pop_back();
      return true;
    }
    if (received_.size() > 1024) return false;  // no server of ours talks in such lines
    pollfd p{fd, POLLIN, 0};
    if (PollSliced(p, deadline, stopping_) <= 0) return false;
    char buffer[512];
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) {
      if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      return false;
    }
    received_.append(buffer, static_cast<std::size_t>(n));
  }
}

void PanadapterClient::Run(std::string host, int port, int pollMs) {
  int fd = -1;
  auto drop = [&] {
    if (fd >= 0) ::close(fd);
    fd = -1;
    received_.clear();
    state_.store(State::kRetrying);
  };
  auto nextPoll = Clock::now();
  for (;;) {
    if (fd < 0) {
      fd = Connect(host, port);
      if (fd < 0) {
        state_.store(State::kRetrying);
        if (Rest(kRetryMs)) break;
        continue;
      }
      state_.store(State::kFollowing);
      std::lock_guard hold(lock_);
      // The newest frequency goes out again on a fresh connection: the SDR may have moved.
      if (!pendingTune_ && lastSent_) pendingTune_ = lastSent_;
    }
    std::optional<std::int64_t> tune;
    std::uint32_t tunes = 0;
    {
      std::unique_lock hold(lock_);
      wake_.wait_until(hold, pollMs > 0 ? nextPoll : Clock::now() + std::chrono::hours(1),
                       [this] { return stop_ || pendingTune_.has_value(); });
      if (stop_) break;
      tune = pendingTune_;
      pendingTune_.reset();
      tunes = tunes_.load();
    }
    std::string answer;
    if (tune) {
      if (!Ask(fd, "F " + std::to_string(*tune) + "\n", answer)) {
        std::lock_guard hold(lock_);
        if (!pendingTune_) pendingTune_ = tune;  // sent again once connected
        drop();
        continue;
      }
      lastSent_ = tune;
    }
    if (pollMs > 0 && Clock::now() >= nextPoll) {
      nextPoll = Clock::now() + std::chrono::milliseconds(pollMs);
      if (!Ask(fd, "f\n", answer)) {
        drop();
        continue;
      }
      char* end = nullptr;
      const long long hz = std::strtoll(answer.c_str(), &end, 10);
      if (end != answer.c_str() && hz > 0) {
        std::lock_guard hold(lock_);
        reading_ = Reading{hz, tunes};
      }
    }
  }
  if (fd >= 0) ::close(fd);
}

// ---------------------------------------------------------------------------------------------
// Panadapter

void Panadapter::Apply(int pollMs) {
  followed_.reset();
  if (!Settings.Enable) {
    client_.Stop();
    return;
  }
  client_.Start(Settings.Address, Settings.Port, Settings.BothWays ? pollMs : 0);
}

std::int64_t Panadapter::ReceiverFrequency() {
  if (link_->Generation() != seenGeneration_) {
    seenGeneration_ = link_->Generation();
    return link_->SentFrequency();
  }
  return static_cast<std::int64_t>(tuning_->Frequency[tuning_->Window]) +
         (tuning_->ConvertOn ? tuning_->ConvertShift : 0);
}

void Panadapter::Tick() {
  if (!Settings.Enable || !tuning_) return;
  const bool busy = scan_->Scanning() || scan_->BandScan || bandScope_->Sweeping();
  if (Settings.BothWays && !busy) {
    // Only a reading taken after the last tune we sent: an older one shows where we were.
    const auto reading = client_.TakeReading();
    if (reading && reading->afterTunes == client_.Tunes()) {
      const std::int64_t receiver = reading->hz - Settings.Offset;
      const std::int64_t panel = receiver - (tuning_->ConvertOn ? tuning_->ConvertShift : 0);
      if (receiver != followed_ && panel >= tuning_->LowerLimit && panel <= tuning_->UpperLimit) {
        followed_ = receiver;
        tuning_->TuneManually(static_cast<std::int32_t>(panel));
        seenGeneration_ = link_->Generation();  // that frame is the SDR's own frequency
        return;
      }
    }
  }
  const std::int64_t receiver = ReceiverFrequency();
  if (receiver == followed_) return;
  followed_ = receiver;
  client_.Tune(receiver + Settings.Offset);
}

std::string Panadapter::StateText() const {
  if (!Settings.Enable) return {};
  const std::string where = " " + Settings.Address + ":" + std::to_string(Settings.Port);
  switch (client_.GetState()) {
    case PanadapterClient::State::kFollowing:
      return text::Tr("Panadapter", "パンアダプター連動中:") + where;
    case PanadapterClient::State::kConnecting:
    case PanadapterClient::State::kRetrying:
      return text::Tr("Panadapter", "パンアダプター接続待ち:") + where;
    case PanadapterClient::State::kOff:
      break;
  }
  return {};
}

}  // namespace net

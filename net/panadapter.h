// The SDR panadapter that follows the panel: a client of a rigctld-protocol server (gqrx's
// remote control, SDR++'s rigctl server, Hamlib's rigctld) that is told every frequency the
// receiver is tuned to, and, when asked to, tunes the panel to where the SDR was tuned.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

class BandScopeEngine;
class IniFile;
class Link;
class ScanEngine;
class Tuning;

namespace net {

// Section "PANADAPTER" of the settings file.
struct PanadapterSettings {
  bool Enable = false;
  std::string Address = "127.0.0.1";
  int Port = 4532;
  std::int32_t Offset = 0;  // Hz added to the receiver's frequency (an IF, an up-converter)
  bool BothWays = false;    // the panel follows the SDR too
};
// Missing or unusable values keep what `settings` holds.
void ReadPanadapterSettings(const IniFile& ini, PanadapterSettings& settings);
void WritePanadapterSettings(IniFile& ini, const PanadapterSettings& settings);

// The connection to the server, on a thread of its own: the window thread only leaves the
// newest frequency and takes the newest reading, and never waits for the network. A server
// that is not there, or goes away, is tried again every kRetryMs without a word.
class PanadapterClient {
 public:
  enum class State { kOff, kConnecting, kFollowing, kRetrying };
  static constexpr int kRetryMs = 3000;
  static constexpr int kAnswerMs = 2000;  // for each answer, and for connecting

  PanadapterClient() = default;
  ~PanadapterClient() { Stop(); }
  PanadapterClient(const PanadapterClient&) = delete;
  PanadapterClient& operator=(const PanadapterClient&) = delete;

  // (Re)starts the connection. With `pollMs` > 0 the SDR's frequency is read (f) that often.
  void Start(const std::string& host, int port, int pollMs);
  void Stop();
  // The SDR is to be tuned to `hz`; only the newest frequency not yet sent goes out (F).
  void Tune(std::int64_t hz);
  // How many tunes were asked for so far.
  std::uint32_t Tunes() const { return tunes_.load(); }

  struct Reading {
    std::int64_t hz = 0;
    std::uint32_t afterTunes = 0;  // Tunes() when it was read: tunes asked for later are newer
  };
  // The SDR's frequency read since the last call, if any.
  std::optional<Reading> TakeReading();
  State GetState() const { return state_.load(); }

 private:
  void Run(std::string host, int port, int pollMs);
  // Waits for the stop, at most `ms`; true when stopped.
  bool Rest(int ms);
  int Connect(const std::string& host, int port);
  // One request and its one-line answer; false when the connection failed.
  bool Ask(int fd, const std::string& request, std::string& answer);

  std::thread thread_;
  mutable std::mutex lock_;
  std::condition_variable wake_;
  bool stop_ = false;
  std::optional<std::int64_t> pendingTune_;
  std::optional<Reading> reading_;
  std::string received_;                  // client thread only: bytes after the last answer
  std::optional<std::int64_t> lastSent_;  // client thread only
  std::atomic<std::uint32_t> tunes_{0};
  std::atomic<State> state_{State::kOff};
  std::atomic<bool> stopping_{false};  // lets a wait on the network end early
};

// The panel's side: each tick (the polling interval) hands the receiver's frequency on when it
// changed, and with BothWays takes the SDR's own changes while no scan or sweep runs.
class Panadapter {
 public:
  PanadapterSettings Settings;

  void Bind(Tuning& tuning, Link& link, ScanEngine& scan, BandScopeEngine& bandScope) {
    tuning_ = &tuning;
    link_ = &link;
    scan_ = &scan;
    bandScope_ = &bandScope;
  }
  // Starts or stops the client by the settings; `pollMs` is the polling interval.
  void Apply(int pollMs);
  void Tick();
  PanadapterClient::State GetState() const { return client_.GetState(); }
  // One line for the on-line lamp's tooltip; empty while it is off.
  std::string StateText() const;

 private:
  // The frequency the receiver is tuned to: the last frequency frame when one went out since
  // the last tick (a scan or sweep step), else the panel's own with the converter's shift.
  std::int64_t ReceiverFrequency();

  Tuning* tuning_ = nullptr;
  Link* link_ = nullptr;
  ScanEngine* scan_ = nullptr;
  BandScopeEngine* bandScope_ = nullptr;
  PanadapterClient client_;
  std::uint32_t seenGeneration_ = 0;
  std::optional<std::int64_t> followed_;  // the receiver frequency the SDR was last given
};

}  // namespace net

// The network control port under a real TCP client: latency from a set-frequency request to
// its frame at the serial port, from a signal reading to the answer that carries it, requests
// answered per second, and tune-then-read pairs against a receiver behind a line with a wire
// time. The panel's engine is the real one; except in the last, the serial port records what
// is written (wire time itself is not counted).
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/engine_wiring.h"
#include "app/host_qt.h"
#include "civ/link.h"
#include "fuzz/link_harness.h"
#include "net/panel_rig.h"
#include "net/rigctl_server_qt.h"
#include "panel/meter.h"
#include "panel/tuning.h"
#include "scan/scan_engine.h"

namespace {

using Clock = std::chrono::steady_clock;

double Micros(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

// A serial port that notes when a frequency frame is written and hands out queued replies.
class RecordingPort : public Port {
 public:
  void Open(int, std::int32_t) override { open_ = true; }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  void Write(const civ::Bytes& frame) override {
    if (frame.size() > 4 && frame[4] == civ::kCmdSetFrequency)
      lastFrequencyFrame.store(Clock::now().time_since_epoch().count());
  }
  int Read(std::uint8_t* buffer, int size) override {
    int n = 0;
    while (n < size && !input.empty()) {
      buffer[n++] = input.front();
      input.pop_front();
    }
    return n;
  }
  int InQueue() override { return static_cast<int>(input.size()); }

  std::atomic<Clock::rep> lastFrequencyFrame{0};
  std::deque<std::uint8_t> input;

 private:
  bool open_ = true;
};

struct QuietView : NullViews, net::PanelRigView {
  void ShowAfPosition(int) override {}
};

// The engine as the main window wires it, with the server listening on a free port.
struct Bench {
  Bench() {
    host.SetPort(&port);
    BindEngine(host, tuning, link, meter, knob, scan, identification, bandScope, stations, view,
               view);
    rig.Bind(host, tuning, meter, view);
    rig.BindScan(scan, bandScope, link);
    // The panel's own polling runs meanwhile, as it does in the program.
    host.SetTimerHandler([this] { link.Timer1Timer(); });
    host.TimerStart();
    tuning.LowerLimit = Tuning::kFallbackLower;
    tuning.UpperLimit = Tuning::kFallbackUpper;
    tuning.Frequency[1] = 145000000;
    server.Start("127.0.0.1", 0, nullptr);
  }

  // Runs `client` on a thread of its own while the window thread serves.
  template <typename F>
  void Run(F client) {
    QEventLoop loop;
    std::thread t([&] {
      client(server.Port());
      QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
    });
    loop.exec();
    t.join();
  }

  QtHost host;
  RecordingPort port;
  Tuning tuning;
  Link link;
  Meter meter;
  Knob knob;
  ScanEngine scan;
  Identification identification;
  BandScopeEngine bandScope;
  StationList stations;
  QuietView view;
  net::PanelRig rig;
  RigctlServer server{rig};
};

// A blocking client.
class Client {
 public:
  explicit Client(int port) {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    int one = 1;
    setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  }
  ~Client() { close(fd_); }
  void Send(const std::string& s) { [[maybe_unused]] auto n = send(fd_, s.data(), s.size(), 0); }
  // One answer line.
  std::string Line() {
    while (true) {
      if (const auto nl = buffer_.find('\n'); nl != std::string::npos) {
        std::string line = buffer_.substr(0, nl);
        buffer_.erase(0, nl + 1);
        return line;
      }
      char chunk[4096];
      const ssize_t n = recv(fd_, chunk, sizeof chunk, 0);
      if (n <= 0) return {};
      buffer_.append(chunk, static_cast<std::size_t>(n));
    }
  }

 private:
  int fd_ = -1;
  std::string buffer_;
};

void Report(benchmark::State& state, std::vector<double> us) {
  if (us.empty()) return;
  std::sort(us.begin(), us.end());
  double sum = 0;
  for (double v : us) sum += v;
  state.counters["mean_us"] = sum / static_cast<double>(us.size());
  state.counters["p50_us"] = us[us.size() / 2];
  state.counters["p99_us"] = us[us.size() * 99 / 100];
  state.counters["max_us"] = us.back();
}

void BM_SetFrequencyToFrame(benchmark::State& state) {
  Bench b;
  std::vector<double> us;
  for (auto _ : state) {
    b.Run([&](int port) {
      Client c(port);
      // Spaced wider than a tune's frames take at 9600 bit/s, so that no tune waits for the
      // line and the figure is the server's own.
      for (int i = 0; i < 200; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
        const Clock::rep before = b.port.lastFrequencyFrame.load();
        const auto sent = Clock::now();
        c.Send("F " + std::to_string(145000000 + (i % 100) * 12500) + "\n");
        c.Line();  // RPRT 0, given before the frame goes out
        while (b.port.lastFrequencyFrame.load() == before) std::this_thread::yield();
        const Clock::time_point written{Clock::duration{b.port.lastFrequencyFrame.load()}};
        us.push_back(Micros(written - sent));
      }
    });
  }
  Report(state, us);
}
BENCHMARK(BM_SetFrequencyToFrame)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_SignalReadingToStrengthAnswer(benchmark::State& state) {
  Bench b;
  std::vector<double> us;
  std::atomic<Clock::rep> readAt{0};
  std::atomic<int> value{0};
  // The receiver's signal replies arrive every 5 ms and go through the reply parser.
  QTimer replies;
  int level = 100;
  QObject::connect(&replies, &QTimer::timeout, [&] {
    level = level == 100 ? 130 : 100;
    const int tens = level % 100;
    for (const std::uint8_t byte :
         {0xFE, 0xFE, 0xE0, 0x34, 0x15, 0x02, level / 100, (tens / 10) << 4 | tens % 10, 0xFD})
      b.port.input.push_back(byte);
    readAt.store(Clock::now().time_since_epoch().count());
    value.store(level);
    b.link.Comm1CommReceive(b.port.InQueue());
  });
  replies.start(5);
  for (auto _ : state) {
    b.Run([&](int port) {
      Client c(port);
      int seen = 0;
      while (us.size() < 1000) {
        c.Send("l STRENGTH\n");
        const int answer = std::stoi(c.Line());
        const auto now = Clock::now();
        if (answer != seen && answer == net::StrengthOverS9(value.load())) {
          if (seen != 0) {
            const Clock::time_point read{Clock::duration{readAt.load()}};
            us.push_back(Micros(now - read));
          }
          seen = answer;
        }
      }
    });
  }
  Report(state, us);
}
BENCHMARK(BM_SignalReadingToStrengthAnswer)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_GetFrequencyRequestsPerSecond(benchmark::State& state) {
  Bench b;
  constexpr int kRequests = 20000;
  for (auto _ : state) {
    b.Run([&](int port) {
      Client c(port);
      for (int i = 0; i < kRequests; ++i) {
        c.Send("f\n");
        c.Line();
      }
    });
  }
  state.SetItemsProcessed(state.iterations() * kRequests);
}
BENCHMARK(BM_GetFrequencyRequestsPerSecond)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// A receiver behind a CI-V line of `baud`: one wire for both directions, ten bits a byte, each
// frame and each reply in turn. The signal level tells the channel it was read on.
class WirePort : public Port {
 public:
  explicit WirePort(int baud) : byteTime_(std::chrono::microseconds(10'000'000 / baud)) {}
  static int LevelOf(std::int32_t hz) { return 20 + static_cast<int>(hz / 12500 % 200); }
  Clock::duration WireTime(int bytes) const { return byteTime_ * bytes; }

  void Open(int, std::int32_t) override { open_ = true; }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  void Write(const civ::Bytes& frame) override {
    Clock::time_point t = std::max(Clock::now(), busyUntil_) + WireTime(int(frame.size()));
    civ::Bytes reply{0xFE, 0xFE, 0xE0, 0x34, 0xFB, 0xFD};
    if (frame.size() == 11 && frame[4] == civ::kCmdSetFrequency) {
      std::int32_t hz = 0, weight = 1;
      for (int i = 5; i < 10; ++i, weight *= 100)
        hz += ((frame[i] >> 4) * 10 + (frame[i] & 15)) * weight;
      tunedHz = hz;
    } else if (frame.size() == 7 && frame[4] == 0x15 && frame[5] == 0x02) {
      const int level = LevelOf(tunedHz), tens = level % 100;
      reply = {0xFE,
               0xFE,
               0xE0,
               0x34,
               0x15,
               0x02,
               std::uint8_t(level / 100),
               std::uint8_t((tens / 10) << 4 | tens % 10),
               0xFD};
    } else if (frame.size() == 7 && frame[4] == 0x15 && frame[5] == 0x01) {
      reply = {0xFE, 0xFE, 0xE0, 0x34, 0x15, 0x01, 0x01, 0xFD};
    }
    t += WireTime(int(reply.size()));
    busyUntil_ = t;
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(t - Clock::now());
    QTimer::singleShot(std::max<int>(0, int(wait.count())), Qt::PreciseTimer, [=, this] {
      while (Clock::now() < t) std::this_thread::yield();
      input.insert(input.end(), reply.begin(), reply.end());
      if (onReply) onReply();
    });
  }
  int Read(std::uint8_t* buffer, int size) override {
    int n = 0;
    for (; n < size && !input.empty(); ++n) {
      buffer[n] = input.front();
      input.pop_front();
    }
    return n;
  }
  int InQueue() override { return static_cast<int>(input.size()); }

  std::atomic<std::int32_t> tunedHz{145000000};
  std::deque<std::uint8_t> input;
  std::function<void()> onReply;

 private:
  Clock::duration byteTime_;
  Clock::time_point busyUntil_ = Clock::now();
  bool open_ = true;
};

// A script scanner's loop: tune, read, next channel. Each answer must be the level of the
// channel just tuned; the latency runs from the tune request to the reading's answer.
void BM_TuneThenReadPairs(benchmark::State& state) {
  Bench b;
  WirePort wire(static_cast<int>(state.range(0)));
  b.host.SetPort(&wire);
  wire.onReply = [&] { b.link.Comm1CommReceive(wire.InQueue()); };
  std::vector<double> us;
  int stale = 0;
  constexpr int kPairs = 200;
  const auto start = Clock::now();
  for (auto _ : state) {
    b.Run([&](int port) {
      Client c(port);
      for (int i = 1; i <= kPairs; ++i) {
        const std::int32_t hz = 145000000 + (i % 150) * 12500;
        const auto sent = Clock::now();
        c.Send("F " + std::to_string(hz) + "\nl RAWSTR\n");
        c.Line();  // RPRT 0
        const std::string reading = c.Line();
        us.push_back(Micros(Clock::now() - sent));
        if (reading != std::to_string(WirePort::LevelOf(hz))) ++stale;
      }
    });
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  Report(state, us);
  state.counters["pairs_per_s"] = kPairs / seconds;
  state.counters["stale"] = stale;
  // One step on the wire: the frequency frame and its reply, a signal query and its reply.
  state.counters["wire_us"] = Micros(wire.WireTime(11 + 6 + 7 + 9));
}
BENCHMARK(BM_TuneThenReadPairs)
    ->Arg(9600)
    ->Arg(19200)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  std::signal(SIGPIPE, SIG_IGN);
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// The network control port under a real TCP client: latency from a set-frequency request to
// its frame at the serial port, from a signal reading to the answer that carries it, and
// requests answered per second. The panel's engine is the real one; the serial port records
// what is written (wire time itself is not counted).
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
      for (int i = 0; i < 2000; ++i) {
        const auto sent = Clock::now();
        c.Send("F " + std::to_string(145000000 + (i % 100) * 12500) + "\n");
        c.Line();  // RPRT 0
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

}  // namespace

int main(int argc, char** argv) {
  std::signal(SIGPIPE, SIG_IGN);
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

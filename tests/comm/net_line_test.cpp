#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "comm/comm.h"
#include "comm/net_line.h"
#include "comm/telnet.h"

namespace {

TEST(NetAddress, ParsesOnlyWellFormedNetworkPorts) {
  struct Case {
    const char* device;
    bool ok, rfc2217;
    const char* host;
    int port;
  } cases[] = {
      {"tcp://pi.local:3001", true, false, "pi.local", 3001},
      {"RFC2217://10.0.0.2:7000", true, true, "10.0.0.2", 7000},
      {"rfc2217://[::1]:65535", true, true, "::1", 65535},
      {"tcp://host:0", false},
      {"tcp://host:65536", false},
      {"tcp://:3001", false},
      {"tcp://host", false},
      {"tcp://::1:3001", false},
      {"tcp://host:30a1", false},
      {"/dev/ttyUSB0", false},
      {"tcp://a b:1", false},
  };
  for (const Case& c : cases) {
    const auto address = ParseNetAddress(c.device);
    ASSERT_EQ(address.has_value(), c.ok) << c.device;
    if (!c.ok) continue;
    EXPECT_EQ(address->rfc2217, c.rfc2217) << c.device;
    EXPECT_EQ(address->host, c.host) << c.device;
    EXPECT_EQ(address->port, c.port) << c.device;
  }
}

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += static_cast<char>(v);
  return s;
}

TEST(TelnetReader, SeparatesDataFromCommandsAndAnswersOnlyChanges) {
  using namespace telnet;
  struct Case {
    const char* what;
    std::string in, data, reply;
  } cases[] = {
      {"doubled IAC is one data byte", Bytes({0xFE, kIac, kIac, 0xFD}), Bytes({0xFE, 0xFF, 0xFD}),
       ""},
      {"agreed option: no answer", Bytes({kIac, kDo, kComPortOption, kIac, kWill, kBinary}), "",
       ""},
      {"echo refused, unknown DO refused", Bytes({kIac, kWill, 1, kIac, kDo, 24}), "",
       Bytes({kIac, kDont, 1, kIac, kWont, 24})},
      {"withdrawn binary is acknowledged", Bytes({kIac, kWont, kBinary, 0x41}), "A",
       Bytes({kIac, kDont, kBinary})},
      {"sub-negotiation carries no data",
       Bytes({0x41, kIac, kSb, kComPortOption, 101, 0, 0, 0x25, 0x80, kIac, kSe, 0x42}), "AB", ""},
      {"NOP skipped", Bytes({kIac, 241, 0x43}), "C", ""},
  };
  for (const Case& c : cases) {
    Reader reader;
    std::string data, reply;
    // Fed a byte at a time too, as TCP may cut it anywhere.
    for (char b : c.in) reader.Feed(std::string_view(&b, 1), data, reply);
    EXPECT_EQ(data, c.data) << c.what;
    EXPECT_EQ(reply, c.reply) << c.what;
  }
  Reader reader;
  std::string data, reply;
  reader.Feed(Bytes({kIac, kSb, kComPortOption, 101, 0, 0, 0x25, 0x80, kIac, kSe}), data, reply);
  EXPECT_EQ(reader.ReportedBaud(), 9600u);
}

TEST(Telnet, LineCommandsEscapeTheirValues) {
  telnet::LineSettings line;
  line.baud = 0x0000FFFF;  // an IAC inside the value must be doubled
  const std::string wire = telnet::SetLine(line);
  EXPECT_EQ(wire.substr(0, 10), Bytes({255, 250, 44, 1, 0, 0, 255, 255, 255, 255}));
  EXPECT_EQ(telnet::Escape(Bytes({1, 255, 2})), Bytes({1, 255, 255, 2}));
}

// A listening socket on a free loopback port.
struct Listener {
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  int port = 0;
  explicit Listener(int backlog = 4) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::listen(fd, backlog);
    socklen_t n = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &n);
    port = ntohs(a.sin_port);
  }
  ~Listener() { ::close(fd); }
};

std::string ReadSome(int fd, std::size_t want) {
  std::string got;
  char b[256];
  while (got.size() < want) {
    const ssize_t n = ::recv(fd, b, sizeof b, 0);
    if (n <= 0) break;
    got.append(b, static_cast<std::size_t>(n));
  }
  return got;
}

TEST(TCommNetwork, Rfc2217CarriesFramesBothWaysAndSetsTheLineOnceAgreed) {
  Listener server;
  TComm comm;
  std::atomic<int> announced{0};
  comm.OnCommReceive = [&](TComm&, std::uint16_t) { ++announced; };
  comm.SetDevice("rfc2217://127.0.0.1:" + std::to_string(server.port));
  comm.SetBaudRate(4800);
  comm.Open();
  ASSERT_TRUE(comm.IsOpen());
  const int peer = ::accept(server.fd, nullptr, nullptr);
  const std::string greeting = telnet::Greeting();
  EXPECT_EQ(ReadSome(peer, greeting.size()), greeting);
  // The server agrees; the line follows, 4800 bit/s 8N1 with RTS/CTS.
  ::send(peer, Bytes({255, 253, 44}).data(), 3, 0);
  const std::string line = ReadSome(peer, 38);
  EXPECT_EQ(line.substr(0, 10), Bytes({255, 250, 44, 1, 0, 0, 0x12, 0xC0, 255, 240}));
  EXPECT_NE(line.find(Bytes({255, 250, 44, 5, 3, 255, 240})), std::string::npos);

  comm.WriteString(Bytes({0xFE, 0xFF, 0xFD}));
  EXPECT_EQ(ReadSome(peer, 4), Bytes({0xFE, 0xFF, 0xFF, 0xFD}));
  ::send(peer, Bytes({0xFE, 255, 255, 0xFD}).data(), 4, 0);
  for (int i = 0; i < 200 && comm.InQueueCount() < 3; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  std::uint8_t got[3] = {};
  ASSERT_EQ(comm.Read(got, 3), 3u);
  EXPECT_EQ(got[1], 0xFF);
  EXPECT_GE(announced.load(), 1);

  // The far end going away is a vanished device: reported once, as an I/O error.
  std::atomic<int> lost{0};
  comm.Close();
  comm.OnHandlerException = [&](std::exception_ptr) { ++lost; };
  comm.Open();
  const int second = ::accept(server.fd, nullptr, nullptr);
  ::close(second);
  for (int i = 0; i < 200 && comm.Watching(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_FALSE(comm.Watching());
  EXPECT_EQ(lost.load(), 1);
  ::close(peer);
}

TEST(TCommNetwork, FailuresAreToldAndASilentHostWithinItsTimeOut) {
  TComm comm;
  comm.SetDevice("tcp://no-such-host.invalid:3001");
  EXPECT_THROW(comm.Open(), ECommOpenError);
  EXPECT_EQ(comm.LastNetFailure(), NetFailure::kUnknownHost);
  comm.SetDevice("tcp://host");
  EXPECT_THROW(comm.Open(), ECommOpenError);
  EXPECT_EQ(comm.LastNetFailure(), NetFailure::kBadAddress);
  {
    Listener closed;
    comm.SetDevice("tcp://127.0.0.1:" + std::to_string(closed.port));
  }
  EXPECT_THROW(comm.Open(), ECommOpenError);
  EXPECT_EQ(comm.LastNetFailure(), NetFailure::kRefused);

  // A full accept queue drops further handshakes: the host does not answer.
  Listener busy(0);
  std::vector<int> queued;
  for (int i = 0; i < 4; ++i) {
    queued.push_back(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0));
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<std::uint16_t>(busy.port));
    ::connect(queued.back(), reinterpret_cast<sockaddr*>(&a), sizeof a);
  }
  comm.SetDevice("tcp://127.0.0.1:" + std::to_string(busy.port));
  comm.SetConnectTimeout(300);
  int waits = 0;
  comm.OnConnectWait = [&] {
    ++waits;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  };
  const auto start = std::chrono::steady_clock::now();
  EXPECT_THROW(comm.Open(), ECommOpenError);
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(comm.LastNetFailure(), NetFailure::kNoAnswer);
  EXPECT_LT(took, std::chrono::milliseconds(1000));
  EXPECT_GT(waits, 5);  // the caller's thread kept running its own work
  for (int fd : queued) ::close(fd);
}

}  // namespace

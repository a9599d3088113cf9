// TComm against a pseudo-terminal: what reaches the line, what arrives, and how the watcher
// behaves when the port closes or the device vanishes.
#include "comm/comm.h"

#include <gtest/gtest.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <random>

#include "pty_pair.h"

namespace {

std::vector<unsigned char> RandomBytes(std::size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  std::vector<unsigned char> bytes(n);
  for (auto& b : bytes) b = static_cast<unsigned char>(rng());
  return bytes;
}

double ProcessCpuMs() {
  timespec t{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

}  // namespace

TEST(TComm, DefaultsMatchThePublishedProperties) {
  TComm comm;
  EXPECT_EQ(comm.Port(), 1);
  EXPECT_EQ(comm.BaudRate(), 9600);
  EXPECT_EQ(comm.BaudRateUserDefined(), 9600);
  EXPECT_EQ(comm.ParityBits(), cpbNone);
  EXPECT_EQ(comm.byteSize(), cbs8);
  EXPECT_EQ(comm.StopBits(), csb1);
  EXPECT_EQ(comm.FlowControls(), TCommFlowControls{cfcRtsCts});
  EXPECT_EQ(comm.InQueueSize(), 4096);
  EXPECT_EQ(comm.OutQueueSize(), 4096);
  EXPECT_EQ(comm.XoffLimit(), 1024);  // InQueueSize - ReceiveNotifySize 3072
  EXPECT_EQ(comm.XonLimit(), 1024);
  EXPECT_TRUE(comm.EventMask().Empty());
  EXPECT_EQ(comm.Handle(), -1);
  EXPECT_EQ(TCommFlowControls{cfcXonXoff}.Bits(), 4u);
  EXPECT_EQ(TCommEventMask{evTxempty}.Bits(), 4u);  // the platform's transmit-empty bit
}

TEST(TComm, OpenAndCloseAreIdempotent) {
  PtyPair pty;
  TComm comm;
  comm.SetDevice(pty.SlavePath());
  comm.Open();
  int handle = comm.Handle();
  ASSERT_GE(handle, 0);
  comm.Open();
  EXPECT_EQ(comm.Handle(), handle);
  comm.Close();
  EXPECT_EQ(comm.Handle(), -1);
  comm.Close();
  EXPECT_EQ(comm.Handle(), -1);
}

TEST(TComm, OpenRefusesMissingBusyAndUnusableDevices) {
  TComm comm;
  comm.SetDevice("/nonexistent/ttyFENNIX");
  try {
    comm.Open();
    FAIL() << "opened a missing device";
  } catch (const ECommOpenError& e) {
    EXPECT_EQ(e.ErrorCode, -1);
    EXPECT_STREQ(e.what(), "オープンエラー ErrorCode = -1");
  }
  EXPECT_EQ(comm.Handle(), -1);

  int fdsBefore = CountEntries("/proc/self/fd");
  comm.SetDevice("/dev/null");  // not a terminal
  EXPECT_THROW(comm.Open(), ECommOpenError);
  EXPECT_EQ(comm.Handle(), -1);

  PtyPair pty;
  comm.SetDevice(pty.SlavePath());
  comm.SetByteSize(cbs4);  // no Linux line sends four data bits
  EXPECT_THROW(comm.Open(), ECommOpenError);
  EXPECT_EQ(comm.Handle(), -1);
  comm.SetByteSize(cbs8);
  fdsBefore += 2;  // the pty pair
  EXPECT_EQ(CountEntries("/proc/self/fd"), fdsBefore);

  comm.Open();
  TComm second;
  second.SetDevice(pty.SlavePath());
  EXPECT_THROW(second.Open(), ECommOpenError);
  EXPECT_EQ(second.Handle(), -1);
  comm.Close();
  EXPECT_NO_THROW(second.Open());  // free again once the first one let go
}

// Each case checks the control flags under "shown": pseudo-terminals force 8 data bits and
// no parity enable, so those bits are checked on the settings TComm builds, and everything
// the pseudo-terminal keeps (speed, PARODD, CMSPAR, CSTOPB, CRTSCTS, IXON/IXOFF) on the line.
struct LineCase {
  const char* name;
  std::function<void(TComm&)> set;
  std::function<void(const termios2& line, tcflag_t shown)> check;
};

void ExpectCflag(const termios2& l, tcflag_t field, tcflag_t want, tcflag_t shown) {
  EXPECT_EQ(l.c_cflag & field & shown, want & shown);
}

TEST(TComm, SettingsReachTheLineAtOpenAndAtOnceWhileOpen) {
  constexpr tcflag_t kParity = PARENB | PARODD | CMSPAR;
  const std::vector<LineCase> cases = {
      {"4800 bit/s", [](TComm& c) { c.SetBaudRate(4800); },
       [](const termios2& l, tcflag_t) {
         EXPECT_EQ(l.c_cflag & CBAUD, tcflag_t{B4800});
         EXPECT_EQ(l.c_ospeed, 4800u);
       }},
      {"-1 selects BaudRateUserDefined",
       [](TComm& c) {
         c.SetBaudRateUserDefined(1200);
         c.SetBaudRate(-1);
       },
       [](const termios2& l, tcflag_t) {
         EXPECT_EQ(l.c_cflag & CBAUD, tcflag_t{B1200});
         EXPECT_EQ(l.c_ospeed, 1200u);
       }},
      {"14400 has no constant", [](TComm& c) { c.SetBaudRate(14400); },
       [](const termios2& l, tcflag_t) {
         EXPECT_EQ(l.c_cflag & CBAUD, tcflag_t{BOTHER});
         EXPECT_EQ(l.c_ospeed, 14400u);
         EXPECT_EQ(l.c_ispeed, 14400u);
       }},
      {"128000", [](TComm& c) { c.SetBaudRate(128000); },
       [](const termios2& l, tcflag_t) { EXPECT_EQ(l.c_ospeed, 128000u); }},
      {"cbs7", [](TComm& c) { c.SetByteSize(cbs7); },
       [](const termios2& l, tcflag_t shown) { ExpectCflag(l, CSIZE, CS7, shown); }},
      {"cbs5", [](TComm& c) { c.SetByteSize(cbs5); },
       [](const termios2& l, tcflag_t shown) { ExpectCflag(l, CSIZE, CS5, shown); }},
      {"odd", [](TComm& c) { c.SetParityBits(cpbOdd); },
       [=](const termios2& l, tcflag_t shown) {
         ExpectCflag(l, kParity, PARENB | PARODD, shown);
         EXPECT_TRUE(l.c_iflag & INPCK);
       }},
      {"even", [](TComm& c) { c.SetParityBits(cpbEven); },
       [=](const termios2& l, tcflag_t shown) { ExpectCflag(l, kParity, PARENB, shown); }},
      {"mark", [](TComm& c) { c.SetParityBits(cpbMark); },
       [=](const termios2& l, tcflag_t shown) {
         ExpectCflag(l, kParity, PARENB | PARODD | CMSPAR, shown);
       }},
      {"space", [](TComm& c) { c.SetParityBits(cpbSpace); },
       [=](const termios2& l, tcflag_t shown) { ExpectCflag(l, kParity, PARENB | CMSPAR, shown); }},
      {"two stop bits", [](TComm& c) { c.SetStopBits(csb2); },
       [](const termios2& l, tcflag_t) { EXPECT_TRUE(l.c_cflag & CSTOPB); }},
      {"one and a half stop bits send two", [](TComm& c) { c.SetStopBits(csb15); },
       [](const termios2& l, tcflag_t) { EXPECT_TRUE(l.c_cflag & CSTOPB); }},
      {"no handshake", [](TComm& c) { c.SetFlowControls({}); },
       [](const termios2& l, tcflag_t) {
         EXPECT_FALSE(l.c_cflag & CRTSCTS);
         EXPECT_FALSE(l.c_iflag & (IXON | IXOFF));
       }},
      {"XON/XOFF", [](TComm& c) { c.SetFlowControls({cfcXonXoff}); },
       [](const termios2& l, tcflag_t) {
         EXPECT_FALSE(l.c_cflag & CRTSCTS);
         EXPECT_EQ(l.c_iflag & (IXON | IXOFF), tcflag_t{IXON | IXOFF});
         EXPECT_EQ(l.c_cc[VSTART], 0x11);
         EXPECT_EQ(l.c_cc[VSTOP], 0x13);
       }},
  };
  for (bool whileOpen : {false, true}) {
    for (const LineCase& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (whileOpen ? ", set while open" : ", set before Open"));
      PtyPair pty;
      TComm comm;
      comm.SetDevice(pty.SlavePath());
      if (whileOpen) comm.Open();
      c.set(comm);
      if (!whileOpen) comm.Open();
      c.check(pty.Line(), ~tcflag_t{CSIZE | PARENB});
      termios2 built{};
      ASSERT_EQ(comm.LineSettings(built), 0);
      c.check(built, ~tcflag_t{0});
    }
  }
}

TEST(TComm, DefaultLineIsRaw9600With8N1AndRtsCts) {
  PtyPair pty;
  TComm comm;
  comm.SetDevice(pty.SlavePath());
  comm.Open();
  termios2 l = pty.Line();
  EXPECT_EQ(l.c_ospeed, 9600u);
  EXPECT_EQ(l.c_cflag & (PARODD | CMSPAR | CSTOPB | CRTSCTS), tcflag_t{CRTSCTS});
  EXPECT_FALSE(l.c_lflag & (ICANON | ECHO | ISIG | IEXTEN));
  EXPECT_FALSE(l.c_oflag & OPOST);
  EXPECT_FALSE(l.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP | IXON));
  // Raw means every byte value passes untouched in both directions.
  std::vector<unsigned char> all(256);
  for (int i = 0; i < 256; ++i) all[i] = static_cast<unsigned char>(i);
  ASSERT_EQ(comm.Write(all.data(), all.size()), all.size());
  EXPECT_EQ(pty.Receive(all.size()), all);
  pty.Send(all);
  std::vector<unsigned char> back(256);
  EXPECT_EQ(comm.Read(back.data(), back.size()), back.size());
  EXPECT_EQ(back, all);
}

TEST(TComm, SettingsWhileClosedAreOnlyStored) {
  PtyPair pty;
  TComm comm;
  comm.SetDevice(pty.SlavePath());
  comm.Open();
  comm.Close();
  comm.SetBaudRate(4800);
  comm.SetStopBits(csb2);
  EXPECT_EQ(pty.Line().c_ospeed, 9600u);
  EXPECT_FALSE(pty.Line().c_cflag & CSTOPB);
  EXPECT_EQ(comm.BaudRate(), 4800);
  comm.Open();
  EXPECT_EQ(pty.Line().c_ospeed, 4800u);
  EXPECT_TRUE(pty.Line().c_cflag & CSTOPB);
}

TEST(TComm, WriteLimitsAndClosedPort) {
  TComm comm;
  char byte = 'x';
  for (auto call : {std::function<void()>([&] { comm.Write(&byte, 1); }),
                    std::function<void()>([&] { comm.Read(&byte, 1); }),
                    std::function<void()>([&] { comm.WriteString("abc"); })}) {
    try {
      call();
      FAIL() << "no error on a closed port";
    } catch (const ECommError& e) {
      EXPECT_STREQ(e.what(), "通信が開始されていない。");
    }
  }

  PtyPair pty;
  comm.SetDevice(pty.SlavePath());
  comm.Open();
  auto whole = RandomBytes(comm.OutQueueSize(), 1);
  EXPECT_EQ(comm.Write(whole.data(), whole.size()), whole.size());
  EXPECT_EQ(pty.Receive(whole.size()), whole);

  auto tooLong = RandomBytes(comm.OutQueueSize() + 1u, 2);
  try {
    comm.Write(tooLong.data(), tooLong.size());
    FAIL() << "accepted a write longer than OutQueueSize";
  } catch (const ECommError& e) {
    EXPECT_STREQ(e.what(), "送信データ長が長すぎる。");
  }
  EXPECT_TRUE(pty.Receive(1, 50).empty());  // nothing of it went out

  comm.SetOutQueueSize(8);
  EXPECT_THROW(comm.WriteString("123456789"), ECommError);
  EXPECT_EQ(comm.WriteString("12345678"), 8u);
  EXPECT_EQ(pty.Receive(8), (std::vector<unsigned char>{'1', '2', '3', '4', '5', '6', '7', '8'}));
}

TEST(TComm, ReadGivesUpAfterItsTimeOutWithWhatCame) {
  PtyPair pty;
  TComm comm;
  comm.SetDevice(pty.SlavePath());
  comm.Open();
  pty.Send({1, 2, 3});
  unsigned char buffer[10];
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(comm.Read(buffer, sizeof buffer), 3u);
  auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(900));
  EXPECT_LT(waited, std::chrono::milliseconds(3000));
}

TEST(TComm, ReceivesManyChunksInOrderWithNothingLost) {
  PtyPair pty;
  TComm comm;
  comm.SetDevice(pty.SlavePath());
  std::mutex lock;
  std::vector<unsigned char> received;
  std::atomic<int> emptyCalls{0};
  comm.OnCommReceive = [&](TComm& sender, std::uint16_t size) {
    if (size == 0) ++emptyCalls;
    std::vector<unsigned char> chunk(size);
    chunk.resize(sender.Read(chunk.data(), chunk.size()));
    std::lock_guard<std::mutex> guard(lock);
    received.insert(received.end(), chunk.begin(), chunk.end());
  };
  comm.Open();

  std::mt19937 rng(7);
  std::vector<std::vector<unsigned char>> chunks(10000);
  std::size_t total = 0;
  for (auto& c : chunks) {
    c = RandomBytes(1 + rng() % 40, static_cast<unsigned>(rng()));
    total += c.size();
  }
  std::thread farEnd([&] {
    for (const auto& c : chunks) pty.Send(c);
  });
  farEnd.join();
  EXPECT_TRUE(WaitFor(
      [&] {
        std::lock_guard<std::mutex> guard(lock);
        return received.size() >= total;
      },
      20000));
  comm.Close();

  std::vector<unsigned char> sent;
  for (const auto& c : chunks) sent.insert(sent.end(), c.begin(), c.end());
  EXPECT_EQ(received, sent);
  EXPECT_EQ(emptyCalls.load(), 0);
}

TEST(TComm, QueuedBytesStayAndAreAnnouncedAgainOnlyWhenMoreArrive) {
  PtyPair pty;
  TComm comm;
  comm.SetDevice(pty.SlavePath());
  comm.Open();  // no handler at all
  pty.Send({1, 2, 3, 4, 5});
  EXPECT_TRUE(WaitFor([&] { return comm.InQueueCount() == 5; }, 2000));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(comm.InQueueCount(), 5);
  comm.Close();

  // A handler that reads nothing, as the busy reply parser does.
  std::mutex lock;
  std::vector<int> sizes;
  comm.OnCommReceive = [&](TComm&, std::uint16_t size) {
    std::lock_guard<std::mutex> guard(lock);
    sizes.push_back(size);
  };
  auto calls = [&] {
    std::lock_guard<std::mutex> guard(lock);
    return sizes.size();
  };
  comm.Open();
  pty.Send({1, 2, 3});
  ASSERT_TRUE(WaitFor([&] { return calls() == 1; }));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(calls(), 1u);  // left-over bytes alone do not wake the watcher again
  pty.Send({4, 5});
  ASSERT_TRUE(WaitFor([&] { return calls() == 2; }));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  std::lock_guard<std::mutex> guard(lock);
  EXPECT_EQ(sizes, (std::vector<int>{3, 5}));
}

TEST(TComm, HandlerExceptionsGoToTheHookAndTheLoopGoesOn) {
  PtyPair pty;
  TComm comm;
  comm.SetDevice(pty.SlavePath());
  std::atomic<int> calls{0};
  std::mutex lock;
  std::vector<std::string> errors;
  comm.OnCommReceive = [&](TComm& sender, std::uint16_t size) {
    std::vector<unsigned char> chunk(size);
    sender.Read(chunk.data(), chunk.size());
    ++calls;
    throw std::runtime_error("parser failed");
  };
  comm.OnHandlerException = [&](std::exception_ptr error) {
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      std::lock_guard<std::mutex> guard(lock);
      errors.push_back(e.what());
    }
  };
  comm.Open();
  pty.Send({1});
  ASSERT_TRUE(WaitFor([&] { return calls == 1; }));
  pty.Send({2});
  ASSERT_TRUE(WaitFor([&] { return calls == 2; }));
  comm.Close();
  {
    std::lock_guard<std::mutex> guard(lock);
    EXPECT_EQ(errors, (std::vector<std::string>{"parser failed", "parser failed"}));
  }

  comm.OnHandlerException = nullptr;  // unset: swallowed, and the watcher still lives
  comm.Open();
  pty.Send({3});
  ASSERT_TRUE(WaitFor([&] { return calls == 3; }));
  pty.Send({4});
  EXPECT_TRUE(WaitFor([&] { return calls == 4; }));
}

TEST(TComm, CloseReleasesAWaitingWatcherPromptly) {
  PtyPair pty;
  TComm comm;
  comm.SetDevice(pty.SlavePath());
  comm.OnCommReceive = [](TComm&, std::uint16_t) {};
  comm.Open();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));  // the watcher is blocked by now
  auto start = std::chrono::steady_clock::now();
  comm.Close();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
}

TEST(TComm, CloseFromInsideTheHandler) {
  PtyPair pty;
  int fdsBefore = CountEntries("/proc/self/fd");
  TComm comm;
  comm.SetDevice(pty.SlavePath());
  std::atomic<int> calls{0};
  comm.OnCommReceive = [&](TComm& sender, std::uint16_t) {
    sender.Close();
    ++calls;
  };
  comm.Open();
  pty.Send({1});
  ASSERT_TRUE(WaitFor([&] { return calls == 1; }));
  EXPECT_EQ(comm.Handle(), -1);
  comm.Open();  // and the port can be opened again, and closed as usual
  EXPECT_GE(comm.Handle(), 0);
  pty.Send({2});
  ASSERT_TRUE(WaitFor([&] { return calls == 2; }));
  EXPECT_EQ(comm.Handle(), -1);
  comm.OnCommReceive = nullptr;
  comm.Open();
  comm.Close();
  EXPECT_EQ(CountEntries("/proc/self/fd"), fdsBefore);
}

TEST(TComm, ThousandOpenCloseCyclesLeakNoDescriptorOrThread) {
  PtyPair pty;
  TComm comm;
  comm.SetDevice(pty.SlavePath());
  comm.OnCommReceive = [](TComm&, std::uint16_t) {};
  comm.Open();  // a first thread may start helpers of the runtime (sanitizers do)
  comm.Close();
  int fds = CountEntries("/proc/self/fd");
  int threads = CountEntries("/proc/self/task");
  for (int i = 0; i < 1000; ++i) {
    comm.Open();
    comm.Close();
  }
  EXPECT_EQ(CountEntries("/proc/self/fd"), fds);
  EXPECT_EQ(CountEntries("/proc/self/task"), threads);
}

TEST(TComm, VanishedDeviceIsReportedOnceWithoutSpinningAndCanComeBack) {
  namespace fs = std::filesystem;
  fs::path link = fs::temp_directory_path() / ("fennix-comm-" + std::to_string(::getpid()));
  fs::remove(link);
  auto pty = std::make_unique<PtyPair>();
  fs::create_symlink(pty->SlavePath(), link);

  TComm comm;
  comm.SetDevice(link.string());
  std::atomic<int> receives{0};
  std::atomic<int> reports{0};
  std::atomic<int> code{0};
  comm.OnCommReceive = [&](TComm& sender, std::uint16_t size) {
    std::vector<unsigned char> chunk(size);
    sender.Read(chunk.data(), chunk.size());
    ++receives;
  };
  comm.OnHandlerException = [&](std::exception_ptr error) {
    try {
      std::rethrow_exception(error);
    } catch (const ECommReadWriteError& e) {
      code = e.ErrorCode;
    } catch (...) {
    }
    ++reports;
  };
  comm.Open();
  pty->CloseMaster();
  ASSERT_TRUE(WaitFor([&] { return reports >= 1; }, 3000));
  double cpuBefore = ProcessCpuMs();
  std::this_thread::sleep_for(std::chrono::seconds(1));
  EXPECT_LT(ProcessCpuMs() - cpuBefore, 50.0);
  EXPECT_EQ(reports.load(), 1);
  EXPECT_EQ(code.load(), EIO);
  EXPECT_FALSE(comm.Watching());
  EXPECT_GE(comm.Handle(), 0);  // still open until the owner closes it
  EXPECT_THROW(comm.WriteString("x"), ECommReadWriteError);

  auto start = std::chrono::steady_clock::now();
  comm.Close();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
  EXPECT_EQ(comm.Handle(), -1);

  // The device comes back (under the same name, as a by-id link does).
  pty = std::make_unique<PtyPair>();
  fs::remove(link);
  fs::create_symlink(pty->SlavePath(), link);
  comm.Open();
  EXPECT_TRUE(comm.Watching());
  pty->Send({42});
  EXPECT_TRUE(WaitFor([&] { return receives == 1; }));
  comm.Close();
  fs::remove(link);
  EXPECT_EQ(reports.load(), 1);
}

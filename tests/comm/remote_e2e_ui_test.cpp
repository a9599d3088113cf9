// End to end through the network: ser2net in front of fennix-sim's terminal as the remote
// receiver, and Hamlib's rigctld dummy as the SDR panadapter.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>

#include <QPushButton>
#include <QTest>
#include <cstdio>

#include "panel/lamp_widget.h"
#include "support/sim_e2e.h"

namespace {

namespace fs = std::filesystem;

int FreePort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
  socklen_t n = sizeof a;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &n);
  ::close(fd);
  return ntohs(a.sin_port);
}

// A program of the system's, run in the foreground until the object goes.
struct Child {
  pid_t pid = -1;
  explicit Child(std::vector<std::string> args) {
    pid = fork();
    if (pid == 0) {
      std::vector<char*> argv;
      for (auto& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      execvp(argv[0], argv.data());
      _exit(127);
    }
  }
  void Stop() {
    if (pid > 0) {
      kill(pid, SIGTERM);
      waitpid(pid, nullptr, 0);
    }
    pid = -1;
  }
  ~Child() { Stop(); }
};

std::string Shell(const std::string& command) {
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char b[128];
    while (fgets(b, sizeof b, p)) out += b;
    pclose(p);
  }
  return out;
}

class RemoteEndToEnd : public SimEndToEnd {
 protected:
  // ser2net with a raw and a telnet (RFC 2217) accepter on the simulator's terminal.
  void StartSer2net() {
    std::ofstream(config_) << "%YAML 1.1\n---\n"
                           << "connection: &raw\n  accepter: tcp,127.0.0.1," << raw_
                           << "\n  connector: serialdev," << sim_->slave() << ",9600n81,local\n"
                           << "connection: &tel\n  accepter: telnet(rfc2217),tcp,127.0.0.1,"
                           << telnet_ << "\n  connector: serialdev," << sim_->slave()
                           << ",9600n81,local\n";
    ser2net_ = std::make_unique<Child>(
        std::vector<std::string>{"ser2net", "-n", "-c", config_.string(), "-P", pid_.string()});
    WaitForPort(telnet_);
  }
  void WaitForPort(int port) {
    for (int i = 0; i < 100; ++i) {
      const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
      sockaddr_in a{};
      a.sin_family = AF_INET;
      a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
      a.sin_port = htons(static_cast<std::uint16_t>(port));
      const bool up = ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
      ::close(fd);
      if (up) return;
      usleep(30000);
    }
  }
  void UseDevice(const std::string& device) { setenv("FENNIX_COM1", device.c_str(), 1); }
  void TearDown() override {
    SimEndToEnd::TearDown();
    ser2net_.reset();
    fs::remove(config_);
    fs::remove(pid_);
  }

  int raw_ = FreePort(), telnet_ = FreePort();
  fs::path config_ = fs::temp_directory_path() / (tag_ + "-ser2net.yaml");
  fs::path pid_ = fs::temp_directory_path() / (tag_ + "-ser2net.pid");
  std::unique_ptr<Child> ser2net_;
};

TEST_F(RemoteEndToEnd, RawLinePollsAndScansToTheCarrier) {
  StartSim({}, "146.000 200 12000 always\n");
  StartSer2net();
  UseDevice("tcp://127.0.0.1:" + std::to_string(raw_));
  StartProgram();
  ASSERT_TRUE(form_->Comm1.IsOpen());
  EXPECT_TRUE(form_->Comm1.IsNetwork());
  // Polling runs: squelch and signal requests keep reaching the receiver.
  ASSERT_TRUE(WaitFor([&] { return std::ranges::count(ReceivedHex(), "FEFE34E01501FD") > 3; }));
  form_->scan.ResumeMode = ScanEngine::kInfinite;
  form_->tuning.Step[1] = 20000;
  form_->tuning.TrackBar1Change(1459);
  Wait(300);
  QTest::mouseClick(form_->UP_SC_Button, Qt::LeftButton);
  ASSERT_TRUE(WaitFor([&] { return form_->scan.ScanState == 0; }, 8000));
  EXPECT_EQ(form_->tuning.Frequency[1], 146000000);
  EXPECT_EQ(messages_, 0);
}

// The simulator answers only at the speed the program set through RFC 2217 (4800 bit/s,
// while ser2net opened the line at 9600).
TEST_F(RemoteEndToEnd, Rfc2217SetsTheRemoteSpeedAndADroppedLineGoesOffLine) {
  StartSim({"--check-line", "--baud", "4800"});
  StartSer2net();
  UseDevice("rfc2217://127.0.0.1:" + std::to_string(telnet_));
  std::ofstream(getenv("FENNIX_INI")) << "[COM]\nBaud=3\n";
  StartProgram();
  ASSERT_TRUE(form_->Comm1.IsOpen());
  EXPECT_EQ(form_->tuning.UpperLimit, 1999999900);  // the band edges came back whole

  // The connection drops: one message, off line; the on-line key brings it back.
  ser2net_->Stop();
  ASSERT_TRUE(WaitFor([&] { return !form_->Comm1.IsOpen(); }));
  Wait(300);
  EXPECT_EQ(messages_, 1);
  StartSer2net();
  QTest::mouseClick(form_->OnLine_Button, Qt::LeftButton);
  EXPECT_TRUE(form_->Comm1.IsOpen());
  std::ofstream(getenv("FENNIX_INI")) << "";
}

TEST_F(RemoteEndToEnd, AHostThatIsNotThereIsToldOnce) {
  StartSim();
  UseDevice("/nonexistent");
  StartProgram();
  UseDevice("tcp://127.0.0.1:" + std::to_string(raw_));  // nothing listens
  QTest::mouseClick(form_->OnLine_Button, Qt::LeftButton);
  Wait(200);
  EXPECT_FALSE(form_->Comm1.IsOpen());
  EXPECT_EQ(messages_, 1);
}

TEST_F(RemoteEndToEnd, PanadapterFollowsThePanelAndBack) {
  StartSim({}, "146.000 200 12000 always\n");
  const int port = FreePort();
  Child rigctld({"rigctld", "-m", "1", "-T", "127.0.0.1", "-t", std::to_string(port)});
  WaitForPort(port);
  StartProgram();
  ASSERT_TRUE(form_->Comm1.IsOpen());
  auto& settings = form_->panadapter.Settings;
  settings = {true, "127.0.0.1", port, 1000, true};
  form_->panadapter.Apply(form_->link.IntTime);
  const std::string rigctl = "rigctl -m 2 -r 127.0.0.1:" + std::to_string(port) + " ";
  auto sdr = [&] { return std::atoll(Shell(rigctl + "f").c_str()); };

  // F1 holds 433.500 MHz for the recall below.
  form_->tuning.TuneManually(433500000);
  form_->memoryKeys.M_SpeedButtonClick();
  form_->memoryKeys.M_ButtonClick(1);

  // A scan that stops on the carrier: the SDR ends there, offset added.
  form_->scan.ResumeMode = ScanEngine::kInfinite;
  form_->tuning.Step[1] = 20000;
  form_->tuning.TrackBar1Change(1459);
  Wait(300);
  QTest::mouseClick(form_->UP_SC_Button, Qt::LeftButton);
  ASSERT_TRUE(WaitFor([&] { return form_->scan.ScanState == 0; }, 8000));
  EXPECT_TRUE(WaitFor([&] { return sdr() == 146001000; }));

  // A memory recall.
  form_->memoryKeys.M_ButtonClick(1);
  EXPECT_TRUE(WaitFor([&] { return sdr() == 433501000; }));
  EXPECT_NE(form_->OnLineLampPanel->toolTip().indexOf("127.0.0.1"), -1);

  // A click on the SDR's waterfall tunes the panel.
  Shell(rigctl + "F 145501000");
  EXPECT_TRUE(WaitFor([&] { return form_->tuning.Frequency[1] == 145500000; }));
}

}  // namespace

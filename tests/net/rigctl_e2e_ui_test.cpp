// The network control port end to end: the main window with its real server, Hamlib's own
// client (rigctl, model 2) and raw sockets, with the program on line to fennix-sim.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QProcess>
#include <QSlider>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "app/application_qt.h"
#include "app/main_form.h"
#include "net/rigctl_server_qt.h"
#include "support/sim_e2e.h"

namespace {

namespace fs = std::filesystem;

int FreePort() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost, 0);
  return probe.serverPort();
}

class NetPort : public SimEndToEnd {
 protected:
  void SetUp() override {
    ini_ = std::getenv("FENNIX_INI");
    fs::remove(ini_);
    port_ = FreePort();
  }
  void TearDown() override {
    SimEndToEnd::TearDown();
    fs::remove(ini_);
  }
  void WriteSettings(int enable, int port) {
    std::ofstream(ini_) << "[NET]\nEnable=" << enable << "\nAddress=127.0.0.1\nPort=" << port
                        << "\n";
  }
  void StartSim() { SimEndToEnd::StartSim({"--baud", "0"}); }
  // A raw client, connected.
  std::unique_ptr<QTcpSocket> Connect() {
    auto s = std::make_unique<QTcpSocket>();
    s->connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port_));
    WaitFor([&] { return s->state() == QAbstractSocket::ConnectedState; });
    return s;
  }
  // Sends a request and waits for `lines` lines of answer.
  std::string Ask(QTcpSocket& s, const std::string& request, int lines = 1) {
    s.write(request.data(), static_cast<qint64>(request.size()));
    std::string answer;
    WaitFor([&] {
      answer += s.readAll().toStdString();
      return std::count(answer.begin(), answer.end(), '\n') >= lines ||
             s.state() != QAbstractSocket::ConnectedState;
    });
    return answer;
  }
  bool Dropped(QTcpSocket& s) {
    return WaitFor([&] { return s.state() == QAbstractSocket::UnconnectedState; });
  }

  std::string ini_;
  int port_ = 0;
};

TEST_F(NetPort, HamlibsClientTunesReadsAndSwitchesWindows) {
  const QString rigctl = QStandardPaths::findExecutable("rigctl");
  if (rigctl.isEmpty()) GTEST_SKIP() << "rigctl (libhamlib-utils) is not installed";
  WriteSettings(1, port_);
  StartSim();
  StartProgram();
  ASSERT_TRUE(form_->Comm1.IsOpen());
  ASSERT_TRUE(form_->rigctl && form_->rigctl->Listening());
  EXPECT_TRUE(form_->MenuNetPort->isChecked());

  QProcess client;
  client.start(rigctl, {"-m", "2", "-r", QString("127.0.0.1:%1").arg(port_), "F", "145500000", "f",
                        "M", "FM", "15000", "m", "l", "STRENGTH", "get_dcd", "V", "VFOB", "v"});
  ASSERT_TRUE(WaitFor([&] { return client.state() == QProcess::NotRunning; }, 20000));
  EXPECT_EQ(client.exitCode(), 0) << client.readAllStandardError().toStdString();
  std::istringstream out(client.readAllStandardOutput().toStdString());
  std::vector<std::string> lines;
  for (std::string line; std::getline(out, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "145500000");
  EXPECT_EQ(lines[1], "FM");
  EXPECT_EQ(lines[2], "15000");
  const int strength = std::stoi(lines[3]);
  EXPECT_GE(strength, -54);
  EXPECT_LE(strength, 60);
  EXPECT_TRUE(lines[4] == "0" || lines[4] == "1") << lines[4];
  EXPECT_EQ(lines[5], "VFOB");

  // The panel followed, and the receiver got the frames the keys would have sent.
  // The last window asked for is taken a moment later, unless asked back meanwhile.
  EXPECT_TRUE(WaitFor([&] { return form_->tuning.Window == 2 && Sent("FEFE34E007E001FD"); }));
  EXPECT_EQ(form_->tuning.Frequency[1], 145500000);
  EXPECT_TRUE(Sent("FEFE34E0000000504501FD"));  // 145.5 MHz
  EXPECT_TRUE(Sent("FEFE34E0060501FD"));        // F M
  EXPECT_TRUE(Sent("FEFE34E007E001FD"));        // window B
}

TEST_F(NetPort, ATuneFromTheNetworkStopsTheScanAndShowsOnThePanel) {
  WriteSettings(1, port_);
  StartSim();
  StartProgram();
  form_->scan.UP_SC_ButtonClick();
  ASSERT_EQ(form_->scan.ScanState, ScanEngine::kUp);
  auto c = Connect();
  EXPECT_EQ(Ask(*c, "F 433920000\n"), "RPRT 0\n");
  EXPECT_EQ(form_->scan.ScanState, 0);
  EXPECT_EQ(form_->TrackBar1->value(), 4339);
  EXPECT_EQ(Ask(*c, "L AF 1\n"), "RPRT 0\n");
  EXPECT_EQ(form_->AF_TrackBar->value(), 0);
  EXPECT_TRUE(WaitFor([&] { return Sent("FEFE34E014010255FD"); }));
  EXPECT_EQ(Ask(*c, "L ATT 20\n"), "RPRT 0\n");
  EXPECT_TRUE(form_->meter.AttOn);
  EXPECT_TRUE(WaitFor([&] { return Sent("FEFE34E01120FD"); }));
  // Once the new frequency has been read, a signal reading is answered as it stands.
  Ask(*c, "l STRENGTH\n");
  form_->meter.SignalPeak = 130;
  EXPECT_EQ(Ask(*c, "l STRENGTH\n"), "20\n");
}

TEST_F(NetPort, ClientsThatMisbehaveCostOnlyTheirOwnConnection) {
  WriteSettings(1, port_);
  StartProgram();  // off line: the port serves the panel all the same
  ASSERT_TRUE(form_->rigctl->Listening());
  const std::int32_t before = form_->tuning.Frequency[1];

  auto good = Connect();
  auto leaver = Connect();
  // One goes away in the middle of a line; its half line is never run.
  leaver->write("F 1455");
  Wait(50);
  leaver->abort();
  EXPECT_EQ(Ask(*good, "f\n"), std::to_string(before) + "\n");

  // A line of 100 kB: that client is dropped, the other goes on.
  auto flooder = Connect();
  const std::string big(100 * 1024, '7');
  flooder->write(big.data(), static_cast<qint64>(big.size()));
  EXPECT_TRUE(Dropped(*flooder));
  EXPECT_EQ(Ask(*good, "+f\n", 3),
            "get_freq:\nFrequency: " + std::to_string(before) + "\nRPRT 0\n");

  // Random bytes: whatever they are taken for, the server and the panel stay.
  auto noise = Connect();
  std::mt19937 random(7);
  std::string bytes(64 * 1024, '\0');
  for (char& b : bytes) b = static_cast<char>(random() & 0xFF);
  noise->write(bytes.data(), static_cast<qint64>(bytes.size()));
  Wait(500);
  noise->abort();
  EXPECT_EQ(Ask(*good, "v\n"), "VFOA\n");
  EXPECT_GE(form_->tuning.Frequency[1], form_->tuning.LowerLimit);
  EXPECT_LE(form_->tuning.Frequency[1], form_->tuning.UpperLimit);

  // At most four at once: a fifth is turned away.
  std::vector<std::unique_ptr<QTcpSocket>> more;
  for (int i = 0; i < 3; ++i) more.push_back(Connect());
  EXPECT_TRUE(WaitFor([&] { return form_->rigctl->Clients() == 4; }));
  auto fifth = Connect();
  EXPECT_TRUE(Dropped(*fifth));
  EXPECT_EQ(fifth->readAll().toStdString(), "RPRT -11\n");  // told, not reset
  EXPECT_EQ(Ask(*more.back(), "t\n"), "0\n");
  // A newcomer takes the place of a connection silent long enough.
  form_->rigctl->SetIdleLimit(200);
  Wait(300);
  EXPECT_EQ(Ask(*good, "t\n"), "0\n");
  auto sixth = Connect();
  EXPECT_EQ(Ask(*sixth, "v\n"), "VFOA\n");
  EXPECT_EQ(more.front()->state(), QAbstractSocket::UnconnectedState);
  EXPECT_EQ(Ask(*good, "q\n"), "RPRT 0\n");
  EXPECT_TRUE(Dropped(*good));
}

TEST_F(NetPort, EveryPipelinedRequestIsAnsweredInOrderAndABrowserRunsNothing) {
  WriteSettings(1, port_);
  StartProgram();
  const std::int32_t before = form_->tuning.Frequency[1];
  // Two clients pipelining more than a turn's worth each.
  auto a = Connect();
  auto b = Connect();
  std::string pollA, pollB, expectA, expectB;
  for (int i = 0; i < 450; ++i) {
    pollA += "t\n";
    expectA += "0\n";
    pollB += "+f +v\n";
    expectB += "get_freq:\nFrequency: " + std::to_string(before) +
               "\nRPRT 0\nget_vfo:\nVFO: VFOA\nRPRT 0\n";
  }
  a->write(pollA.data(), static_cast<qint64>(pollA.size()));
  b->write(pollB.data(), static_cast<qint64>(pollB.size()));
  std::string gotA, gotB;
  EXPECT_TRUE(WaitFor([&] {
    gotA += a->readAll().toStdString();
    gotB += b->readAll().toStdString();
    return gotA.size() >= expectA.size() && gotB.size() >= expectB.size();
  }));
  EXPECT_EQ(gotA, expectA);
  EXPECT_EQ(gotB, expectB);

  // A page posting to the port: the connection closes before any of it runs.
  auto web = Connect();
  const std::string post =
      "POST / HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 21\r\n\r\nF 433500000\nL AF 1\n";
  web->write(post.data(), static_cast<qint64>(post.size()));
  EXPECT_TRUE(Dropped(*web));
  EXPECT_EQ(web->readAll().toStdString(), "");
  EXPECT_EQ(Ask(*a, "f l AF\n"), std::to_string(before) + "\n0.027451\n");
}

TEST_F(NetPort, AgainstTheReceiverTunesReadingsWatchSweepAndALostLine) {
  WriteSettings(1, port_);
  StartSim();
  StartProgram();
  auto tracker = Connect();
  auto logger = Connect();
  // A tracker's burst of tunes: each is answered, and only the newest reaches the receiver.
  const std::size_t tunedBefore = Tuned().size();
  std::string burst, answers;
  for (int i = 0; i < 200; ++i) {
    burst += "F " + std::to_string(145000000 + 12500 * i) + "\n";
    answers += "RPRT 0\n";
  }
  EXPECT_EQ(Ask(*tracker, burst + "f\n", 201), answers + "147487500\n");
  EXPECT_TRUE(WaitFor([&] { return !Tuned().empty() && Tuned().back() == 147487500; }));
  EXPECT_LT(Tuned().size() - tunedBefore, 50u);

  // A scanner's tune-then-read: the reading comes from a reply received after the tune.
  const std::uint32_t readings = form_->meter.SignalReadings;
  const std::string fresh = Ask(*tracker, "F 433500000 l RAWSTR\n", 2);
  EXPECT_EQ(fresh.rfind("RPRT 0\n", 0), 0u) << fresh;
  EXPECT_GT(form_->meter.SignalReadings, readings);
  EXPECT_EQ(Tuned().back(), 433500000);

  // A watcher follows the panel; a client runs the scan and the sweep.
  auto watcher = Connect();
  std::string pushed;
  auto told = [&](const std::string& text) {
    return WaitFor([&] {
      pushed += watcher->readAll().toStdString();
      return pushed.find(text) != std::string::npos;
    });
  };
  watcher->write("\\fennix_watch on\n");
  EXPECT_TRUE(told("RPRT 0\nfennix_watch: Freq=" + std::to_string(form_->tuning.Frequency[1]) +
                   " Mode=FM Width=15000 VFO=VFOA DCD="));
  EXPECT_EQ(Ask(*tracker, "F 433920000\n"), "RPRT 0\n");
  EXPECT_TRUE(told("fennix_watch: Freq=433920000 "));
  EXPECT_EQ(Ask(*tracker, "\\fennix_scan up\n"), "RPRT 0\n");
  EXPECT_EQ(form_->scan.ScanState, ScanEngine::kUp);
  EXPECT_TRUE(told(" Scan=up "));
  EXPECT_EQ(Ask(*tracker, "\\fennix_scan stop\n"), "RPRT 0\n");
  EXPECT_EQ(form_->scan.ScanState, 0);
  EXPECT_TRUE(told(" Scan=stop "));

  EXPECT_EQ(Ask(*tracker, "\\fennix_get_sweep\n"), "RPRT -11\n");  // none yet
  EXPECT_EQ(Ask(*tracker, "\\fennix_sweep start\n"), "RPRT 0\n");
  EXPECT_TRUE(told(" Sweep=1\n"));
  ASSERT_TRUE(WaitFor([&] { return !form_->bandScope.SweepRunning; }, 15000));
  std::istringstream sweep(Ask(*tracker, "\\fennix_get_sweep\n"));
  std::int32_t start = 0, spacing = 0;
  sweep >> start >> spacing;
  EXPECT_EQ(start, form_->bandScope.LastSweepStart);
  EXPECT_EQ(spacing, form_->tuning.CurrentStep());
  int levels = 0;
  for (int level; sweep >> level; ++levels) EXPECT_TRUE(level >= 0 && level <= 255) << level;
  EXPECT_EQ(levels, form_->bandScope.BandPoints);

  // The adapter pulled out under a burst: told once, and the port serves the panel off line.
  EXPECT_EQ(Ask(*logger, "F 145100000\n"), "RPRT 0\n");
  sim_.reset();
  burst.clear();
  for (int i = 0; i < 40; ++i) burst += (i % 2 ? "M FM 15000\n" : "L AF 0.5\n");
  answers = Ask(*logger, burst, 40);
  EXPECT_EQ(std::count(answers.begin(), answers.end(), '\n'), 40) << answers;
  EXPECT_TRUE(WaitFor([&] { return !form_->Comm1.IsOpen(); }));
  Wait(300);
  EXPECT_EQ(messages_, 1);
  EXPECT_EQ(Ask(*logger, "f\n"), "145100000\n");
}

TEST_F(NetPort, APortInUseIsToldOnceAndTheProgramGoesOn) {
  QTcpServer squatter;
  ASSERT_TRUE(squatter.listen(QHostAddress::LocalHost, 0));
  WriteSettings(1, squatter.serverPort());
  int boxes = 0;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (QWidget* box = QApplication::activeModalWidget()) {
      ++boxes;
      box->close();
    }
  });
  closer.start(20);
  StartProgram();
  Wait(300);
  EXPECT_EQ(boxes, 1);
  EXPECT_FALSE(form_->MenuNetPort->isChecked());
  EXPECT_FALSE(form_->rigctl->Listening());
  EXPECT_TRUE(form_->netSettings.Enable);  // the wish stays for the next start
  closer.stop();
}

TEST_F(NetPort, TheMenuItemSwitchesAtOnceAndTheSectionIsWrittenLast) {
  std::ofstream(ini_) << "[NET]\nPort=" << port_ << "\n";
  StartProgram();
  EXPECT_FALSE(form_->MenuNetPort->isChecked());
  EXPECT_FALSE(form_->rigctl && form_->rigctl->Listening());
  form_->MenuNetPort->trigger();
  ASSERT_TRUE(form_->rigctl->Listening());
  auto c = Connect();
  EXPECT_EQ(Ask(*c, "\\chk_vfo\n"), "0\n");
  form_->MenuNetPort->trigger();
  EXPECT_FALSE(form_->rigctl->Listening());
  EXPECT_TRUE(Dropped(*c));
  form_->MenuNetPort->trigger();
  form_->close();
  std::ifstream in(ini_);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto model = text.find("[Model]");
  const auto net = text.find("[NET]");
  ASSERT_NE(model, std::string::npos);
  ASSERT_NE(net, std::string::npos);
  EXPECT_LT(net, model) << "an existing section keeps its place";
  EXPECT_NE(text.find("Enable=1\n"), std::string::npos);
  EXPECT_NE(text.find("Address=127.0.0.1\n"), std::string::npos);
}

TEST_F(NetPort, ANewFileGetsTheSectionAfterTheOthers) {
  StartProgram();
  form_->close();
  std::ifstream in(ini_);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto model = text.find("[Model]");
  const auto net = text.find("[NET]\nEnable=0\nAddress=127.0.0.1\nPort=4532\n");
  ASSERT_NE(model, std::string::npos);
  ASSERT_NE(net, std::string::npos) << text;
  EXPECT_GT(net, model);
}

}  // namespace

// The server's scheduling against a panel whose readings the test hands out.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <QThread>

#include "net/rigctl_server_qt.h"

namespace {

class HeldPanel : public net::RigPanel {
 public:
  std::int32_t frequency = 145000000;
  std::uint32_t readings = 0;

  std::int32_t Frequency() const override { return frequency; }
  std::int32_t LowerLimit() const override { return 25000000; }
  std::int32_t UpperLimit() const override { return 1299999900; }
  void TuneTo(std::int32_t hz) override { frequency = hz; }
  int Mode() const override { return 5; }
  void SetMode(int) override {}
  int Window() const override { return 1; }
  bool SelectWindow(int) override { return true; }
  int SignalReading() const override { return 42; }
  bool SquelchOpen() const override { return false; }
  int AfPosition() const override { return 31; }
  void SetAfPosition(int) override {}
  bool AttOn() const override { return false; }
  bool SetAtt(bool) override { return true; }
  std::uint32_t ReadingsTaken(bool squelch) const override { return squelch ? 0 : readings; }
};

template <typename F>
bool WaitFor(F done, int ms = 5000) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::msleep(2);
  }
  return done();
}

std::string Read(QTcpSocket& s, std::size_t bytes, int ms = 5000) {
  std::string got;
  WaitFor([&] { return (got += s.readAll().toStdString()).size() >= bytes; }, ms);
  return got;
}

TEST(RigctlServer, AReadingAfterATuneWaitsForOneTakenAfterItAndNobodyWaitsBehindIt) {
  HeldPanel panel;
  RigctlServer server(panel);
  ASSERT_TRUE(server.Start("127.0.0.1", 0, nullptr));
  QTcpSocket scanner, logger;
  scanner.connectToHost("127.0.0.1", server.Port());
  logger.connectToHost("127.0.0.1", server.Port());
  ASSERT_TRUE(WaitFor([&] { return server.Clients() == 2; }));

  // No reading comes: the other client is answered meanwhile, and this one times out.
  QElapsedTimer t;
  t.start();
  scanner.write("F 433920000\nl RAWSTR\n");
  logger.write("f\n");
  EXPECT_EQ(Read(logger, 10), "433920000\n");
  EXPECT_EQ(Read(scanner, 7, 300), "RPRT 0\n");
  EXPECT_EQ(Read(scanner, 8), "RPRT -5\n");
  EXPECT_GE(t.elapsed(), RigctlServer::kFreshReadingMs);
  EXPECT_EQ(panel.frequency, 433920000);

  // A reading taken after the tune is the answer, as soon as it is there.
  scanner.write("F 145000000 +l RAWSTR\n");
  EXPECT_EQ(Read(scanner, 7), "RPRT 0\n");
  EXPECT_TRUE(WaitFor([&] { return panel.frequency == 145000000; }));
  ++panel.readings;
  EXPECT_EQ(Read(scanner, 28), "get_level: RAWSTR\n42\nRPRT 0\n");
}

}  // namespace

// The window thread's side of the serial link: notifications arrive there, queued and in
// order, and errors reach the application's handler there too.
#include "comm/comm_notifier_qt.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <random>

#include "pty_pair.h"

namespace {

bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done() && std::chrono::steady_clock::now() < deadline) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::usleep(200);
  }
  return done();
}

struct Link {
  PtyPair pty;
  TComm comm;
  CommNotifier notifier{comm};
  Link() { comm.SetDevice(pty.SlavePath()); }
};

}  // namespace

TEST(CommNotifier, DeliversEveryByteInOrderOnTheWindowThread) {
  Link link;
  std::vector<unsigned char> received;
  int offThread = 0;
  link.notifier.onReceive = [&](int size) {
    if (QThread::currentThread() != QCoreApplication::instance()->thread()) ++offThread;
    std::vector<unsigned char> chunk(static_cast<std::size_t>(size));
    chunk.resize(link.comm.Read(chunk.data(), chunk.size()));
    received.insert(received.end(), chunk.begin(), chunk.end());
  };
  link.comm.Open();

  std::mt19937 rng(3);
  std::vector<unsigned char> sent;
  std::thread farEnd([&] {
    std::mt19937 sizes(4);
    std::vector<unsigned char> all(60000);
    for (auto& b : all) b = static_cast<unsigned char>(rng());
    sent = all;
    for (std::size_t at = 0; at < all.size();) {
      std::size_t n = std::min<std::size_t>(1 + sizes() % 64, all.size() - at);
      link.pty.Send({all.begin() + static_cast<long>(at), all.begin() + static_cast<long>(at + n)});
      at += n;
    }
  });
  // The reader is this thread, so it pumps while the far end writes.
  EXPECT_TRUE(PumpUntil([&] { return received.size() >= 60000; }));
  farEnd.join();
  EXPECT_EQ(received, sent);
  EXPECT_EQ(offThread, 0);
}

TEST(CommNotifier, ErrorsReachTheHandlerOnTheWindowThread) {
  Link link;
  std::vector<std::string> errors;
  int offThread = 0;
  link.notifier.onReceive = [&](int size) {
    std::vector<unsigned char> chunk(static_cast<std::size_t>(size));
    link.comm.Read(chunk.data(), chunk.size());
    throw std::runtime_error("parser failed");
  };
  link.notifier.onError = [&](std::exception_ptr error) {
    if (QThread::currentThread() != QCoreApplication::instance()->thread()) ++offThread;
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      errors.push_back(e.what());
    }
  };
  link.comm.Open();
  link.pty.Send({1, 2});
  ASSERT_TRUE(PumpUntil([&] { return errors.size() == 1; }));
  link.pty.CloseMaster();
  ASSERT_TRUE(PumpUntil([&] { return errors.size() == 2; }));
  PumpUntil([] { return false; }, 200);  // and nothing more follows
  EXPECT_EQ(errors, (std::vector<std::string>{"parser failed", "入出力エラー ErrorCode = 5"}));
  EXPECT_EQ(offThread, 0);
}

TEST(CommNotifier, NothingIsDeliveredForAPortClosedMeanwhile) {
  Link link;
  int calls = 0;
  link.notifier.onReceive = [&](int) { ++calls; };
  link.comm.Open();
  link.pty.Send({1, 2, 3});
  QThread::msleep(100);  // the notification is posted but not yet run
  link.comm.Close();
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(calls, 0);
}

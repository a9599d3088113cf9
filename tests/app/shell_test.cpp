// Leaving the program, the user's messages for exceptions, and the virtual clock.
#include "app/shell.h"

#include <gtest/gtest.h>

#include <tuple>

#include "base/virtual_host.h"
#include "comm/comm_error.h"

namespace {

TEST(ShellExit, SaveAndDiscardPaths) {
  Shell shell;
  int asked = 0;
  auto ask = [&](int answer) {
    return [&asked, answer] {
      ++asked;
      return answer;
    };
  };
  // Unchanged list: leaves at once without asking, and nothing is saved.
  EXPECT_TRUE(shell.Exit2(false, ask(Shell::kSave)));
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(shell.ExitChoice, Shell::kDiscard);
  // Changed list: the question decides; closing it without a choice keeps running.
  EXPECT_FALSE(shell.Exit2(true, ask(Shell::kUndecided)));
  EXPECT_EQ(shell.ExitChoice, Shell::kUndecided);
  EXPECT_TRUE(shell.Exit2(true, ask(Shell::kSave)));
  EXPECT_EQ(shell.ExitChoice, Shell::kSave);
  EXPECT_TRUE(shell.Exit2(true, ask(Shell::kDiscard)));
  EXPECT_EQ(shell.ExitChoice, Shell::kDiscard);
  EXPECT_EQ(asked, 3);
  shell.Exit1();
  EXPECT_EQ(shell.ExitChoice, Shell::kSave);
}

TEST(ShellExit, CloseBoxAndSessionEndNeverDropAChangedListUnasked) {
  using End = Shell::SessionEnd;
  // ExitChoice before, list changed, the answer (-1: must not be asked), session end, after.
  const std::tuple<int, bool, int, End, int> cases[] = {
      {Shell::kUndecided, false, -1, End::kNothing, Shell::kUndecided},
      {Shell::kSave, true, -1, End::kNothing, Shell::kSave},
      {Shell::kUndecided, true, Shell::kSave, End::kSave, Shell::kSave},
      {Shell::kUndecided, true, Shell::kDiscard, End::kDiscard, Shell::kDiscard},
      {Shell::kUndecided, true, Shell::kUndecided, End::kCancel, Shell::kUndecided},
  };
  for (const auto& [before, changed, answer, session, after] : cases) {
    auto ask = [answer] { return answer < 0 ? (ADD_FAILURE(), 0) : answer; };
    Shell box, end;
    box.ExitChoice = end.ExitChoice = before;
    EXPECT_EQ(box.CloseBox(changed, ask), after != Shell::kUndecided || !changed);
    auto yes = [] { return true; };
    EXPECT_EQ(end.EndSession(changed, yes, ask), session);
    EXPECT_EQ(box.ExitChoice, after);
    EXPECT_EQ(end.ExitChoice, after);
  }
}

TEST(ShellErrors, SerialErrorsHaveFixedTextsOthersAreSilent) {
  auto message = [](auto&& e) { return ApplicationErrorMessage(std::make_exception_ptr(e)); };
  EXPECT_EQ(message(ECommOpenError(-1)), "COMポートがオープンできません。");
  EXPECT_EQ(message(ECommReadWriteError(5)), "COMポートでデータが入出力できません。");
  EXPECT_EQ(message(ECommError(kCommNotOpen)), "データーが送れません。");
  EXPECT_EQ(message(std::runtime_error("x")), std::nullopt);
  EXPECT_EQ(message(42), std::nullopt);
  EXPECT_EQ(ApplicationErrorMessage(nullptr), std::nullopt);
  EXPECT_STREQ(ECommOpenError(-1).what(), "オープンエラー ErrorCode = -1");
  EXPECT_STREQ(ECommReadWriteError(12).what(), "入出力エラー ErrorCode = 12");
}

TEST(VirtualClock, DelayRunsTheTimerAndDeliveriesInsideTheWait) {
  VirtualHost host;
  int ticks = 0;
  std::vector<std::uint32_t> deliveries;
  host.SetTimerHandler([&] { ++ticks; });
  host.onTime = [&](std::uint32_t now) {
    if (now % 100 == 0) deliveries.push_back(now);
  };
  const std::uint32_t start = host.TickCount();
  host.SetTimerInterval(200);
  host.TimerStart();
  host.Delay(1000);
  EXPECT_EQ(host.TickCount(), start + 1000);
  EXPECT_EQ(ticks, 5);
  EXPECT_EQ(deliveries.size(), 10u);
  // A stopped timer stays quiet.
  host.TimerStop();
  host.Delay(1000);
  EXPECT_EQ(ticks, 5);
}

}  // namespace

// Historical speed on a clock the test keeps: how long a run's words and tape blocks take, that
// the interface is let in while the machine waits, and that Stop, the option switched off and a
// step by the operator are never kept waiting.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/pacing.h"
#include "tests/support/fake_devices.h"

namespace ormlax::testing {
namespace {

class TestClock : public PaceClock {
 public:
  Microseconds Now() override { return now; }
  void SleepUntil(Microseconds time) override {
    sleeps.push_back(time - now);
    now = std::max(now, time);
  }
  Microseconds now{1'000'000};
  std::vector<Microseconds> sleeps;
};

struct PacedMachine : FakeDeviceMachine {
  PacedMachine() : pacer(s, op, clock) {
    cpu.SetPacer(&pacer);
    cpu.SetRunSlice(std::chrono::microseconds(5000));
    s.HistoricalSpeed = true;
  }
  Microseconds Elapsed() const { return clock.now - Microseconds(1'000'000); }
  TestClock clock;
  Pacer pacer;
};

TEST(Pacing, ARunTakesTheMachinesTimeForEachWordAndBlock) {
  struct Case {
    const char* name;
    std::vector<const char*> words;  // from 0; the last one stops
    Microseconds time;               // taken before the stop word
  };
  const Case cases[] = {
      {"simple words", {"B00100A00101", "H00102000000", "900000000000"}, 2 * kSimpleWordTime},
      {"a multiplication and a division",
       {"L00100M00101", "D00101000000", "900000000000"},
       2 * kSimpleWordTime + kMultiplicationTime + kDivisionTime},
      {"a block read and one written",
       {"1-0000000000", "0000007-0100", "900000000000"},
       2 * kSimpleWordTime + 2 * kTapeBlockTime},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PacedMachine m;
    int at = 0;
    for (const char* w : c.words) m.Mem(at++) = W(w);
    m.Mem(100) = W("050000000000");
    m.Mem(101) = W("025000000000");
    m.cpu.Run();
    EXPECT_EQ(m.s.LastStop, StopReason::StopInstruction);
    EXPECT_EQ(m.Elapsed(), c.time);
    // Never asleep for long without a look at the interface.
    ASSERT_FALSE(m.clock.sleeps.empty());
    for (const Microseconds sleep : m.clock.sleeps) EXPECT_LE(sleep, Pacer::kLookEvery);
    EXPECT_GE(m.op.yields, static_cast<int>(m.clock.sleeps.size()));
  }
}

TEST(Pacing, StopEndsTheWaitAndNeitherStepsNorTheOptionOffAreEverPaced) {
  PacedMachine m;
  m.Load(0, {"D00100000000", "000000U00000"});
  m.Mem(100) = W("025000000000");
  m.s.rL = W("050000000000");
  m.op.SetIdleAction([&] { m.cpu.Stop(); });
  m.cpu.Run();
  EXPECT_EQ(m.s.LastStop, StopReason::StopButton);
  EXPECT_EQ(m.cpu.WordsExecuted(), 1u);
  EXPECT_LT(m.Elapsed(), kSimpleWordTime + kDivisionTime);  // cut short by Stop

  const Microseconds before = m.clock.now;
  m.cpu.SingleStep();
  m.cpu.SingleStep();
  EXPECT_EQ(m.clock.now, before);

  m.op.SetIdleAction(nullptr);
  m.s.HistoricalSpeed = false;
  m.cpu.SetWordLimit(1000);
  m.cpu.Run();
  EXPECT_EQ(m.s.LastStop, StopReason::WordLimit);
  EXPECT_EQ(m.clock.now, before);
}

TEST(Pacing, AMachineHeldLongerThanItsLeewayStartsAfreshInsteadOfRushing) {
  PacedMachine m;
  m.pacer.Spend(kSimpleWordTime);  // not running: nothing
  EXPECT_TRUE(m.clock.sleeps.empty());
  m.s.Running = true;
  m.pacer.Spend(kSimpleWordTime);
  EXPECT_EQ(m.Elapsed(), kSimpleWordTime);
  m.clock.now += Microseconds(1'000'000);  // held by a message box for a second
  const Microseconds held = m.clock.now;
  m.pacer.Spend(kSimpleWordTime);
  EXPECT_EQ(m.clock.now, held + kSimpleWordTime);
}

}  // namespace
}  // namespace ormlax::testing

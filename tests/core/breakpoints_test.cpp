// Breakpoints on execution and on store, with counts and enable switches, met by runs with the
// default time slice and with a yield after every word, on both models.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "core/breakpoints.h"
#include "tests/support/machine_fixture.h"

namespace ormlax::testing {
namespace {

struct Slice {
  bool modelII;
  std::chrono::microseconds slice;
};

class BreakpointStops : public ::testing::TestWithParam<Slice> {
 protected:
  BreakpointStops() : m(GetParam().modelII) {
    m.cpu.SetRunSlice(GetParam().slice);
    m.cpu.SetBreakpoints(&b);
    m.cpu.SetWordLimit(1000);
    // A loop: 10 adds 1 to rA and stores it at 102, 11 goes back to 10.
    m.Load(10, {"A00101H00102", "000000U00010"});
    m.Mem(101) = W("000000000001");
    m.s.rCC = 10;
  }
  std::string At(int location) { return FormatAddress(m.s, location); }

  MachineFixture m;
  Breakpoints b;
};

INSTANTIATE_TEST_SUITE_P(Models, BreakpointStops,
                         ::testing::Values(Slice{false, std::chrono::microseconds(5000)},
                                           Slice{true, std::chrono::microseconds(5000)},
                                           Slice{false, std::chrono::microseconds(0)},
                                           Slice{true, std::chrono::microseconds(0)}),
                         [](const auto& info) {
                           return std::string(info.param.modelII ? "OrmlaxII" : "OrmlaxI") +
                                  (info.param.slice.count() > 0 ? "DefaultSlice"
                                                                : "YieldEveryWord");
                         });

TEST_P(BreakpointStops, StopOnTheCountedHitWithTheLocationsTheKindsSay) {
  struct Case {
    BreakpointKind kind;
    int location;
    int count;
    std::uint64_t words;  // executed before the stop
    int rCC;
    const char* stored;  // at 102 when it stops
  };
  const Case cases[] = {
      // Before the word at 11 runs, rCC at 11: the first time, and the third.
      {BreakpointKind::Execute, 11, 1, 1, 11, "000000000001"},
      {BreakpointKind::Execute, 11, 3, 5, 11, "000000000003"},
      // A run that starts at a breakpoint leaves it; it stops there when it comes back.
      {BreakpointKind::Execute, 10, 1, 2, 10, "000000000001"},
      // After the word that wrote 102: the first time, and the second.
      {BreakpointKind::Store, 102, 1, 1, 11, "000000000001"},
      {BreakpointKind::Store, 102, 2, 3, 11, "000000000002"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(BreakpointKindText(c.kind)) + " " + std::to_string(c.location) + ":" +
                 std::to_string(c.count));
    b.Clear();
    m.op.messages.clear();
    m.s.rA = kZeroWord;
    m.s.rCC = 10;
    const std::uint64_t before = m.cpu.WordsExecuted();
    const int number = b.Add(c.kind, c.location, c.count);
    m.cpu.Run();
    EXPECT_EQ(m.cpu.WordsExecuted() - before, c.words);
    EXPECT_EQ(m.s.rCC, c.rCC);
    EXPECT_EQ(m.Mem(102), W(c.stored));
    EXPECT_FALSE(m.s.Running);
    const StopReason reason = c.kind == BreakpointKind::Execute ? StopReason::ExecuteBreakpoint
                                                                : StopReason::StoreBreakpoint;
    EXPECT_EQ(m.s.LastStop, reason);
    const std::string named = std::string(BreakpointKindText(c.kind)) + " breakpoint " +
                              std::to_string(number) + " at " + At(c.location) + ", hit " +
                              std::to_string(c.count);
    EXPECT_EQ(StopDescription(m.s, &b), named);
    EXPECT_EQ(m.op.messages, std::vector<std::string>{"Stopped by " + named});
    EXPECT_EQ(b.Find(number)->Hits, c.count);
  }
}

TEST_P(BreakpointStops, RunGoesOnToTheNextCountedHitAndOnlyEnabledOnesStop) {
  const int off = b.Add(BreakpointKind::Execute, 11, 1);
  b.SetEnabled(off, false);
  const int two = b.Add(BreakpointKind::Store, 102, 2);
  m.cpu.Run();
  EXPECT_EQ(m.s.LastStop, StopReason::StoreBreakpoint);
  EXPECT_EQ(m.Mem(102), W("000000000002"));
  EXPECT_EQ(b.Find(off)->Hits, 0);
  // Run again: the next stop is on hit 4.
  m.cpu.Run();
  EXPECT_EQ(m.s.LastStop, StopReason::StoreBreakpoint);
  EXPECT_EQ(m.Mem(102), W("000000000004"));
  EXPECT_EQ(b.Find(two)->Hits, 4);
  // Switched on, the execute breakpoint counts from 0 and stops first; changed, it stops at 10.
  b.SetEnabled(off, true);
  m.cpu.Run();
  EXPECT_EQ(m.s.LastStop, StopReason::ExecuteBreakpoint);
  EXPECT_EQ(m.s.rCC, 11);
  ASSERT_TRUE(b.Change(off, BreakpointKind::Execute, 10, 1));
  b.Remove(two);
  m.cpu.Run();
  EXPECT_EQ(m.s.LastStop, StopReason::ExecuteBreakpoint);
  EXPECT_EQ(m.s.rCC, 10);
  EXPECT_EQ(m.Mem(102), W("000000000005"));
  // None left: the run goes on to the word limit.
  b.Clear();
  m.cpu.Run();
  EXPECT_EQ(m.s.LastStop, StopReason::WordLimit);
  EXPECT_TRUE(b.List().empty());
  EXPECT_EQ(b.Add(BreakpointKind::Store, 5, 1), 1);  // numbering starts again
}

// One hit a word however many of its stores reach the location;
// a word that stops the machine anyway counts its hit and keeps its own reason.
TEST_P(BreakpointStops, AWordCountsOneHitAndAnotherStopKeepsItsReason) {
  m.Load(20, {"H00102J00102", "H00102900000"});
  m.s.rCC = 20;
  const int number = b.Add(BreakpointKind::Store, 102, 1);
  m.cpu.Run();
  EXPECT_EQ(m.s.LastStop, StopReason::StoreBreakpoint);
  EXPECT_EQ(b.Find(number)->Hits, 1);
  EXPECT_EQ(m.s.rCC, 21);
  b.Change(number, BreakpointKind::Store, 102, 1);
  m.cpu.Run();
  EXPECT_EQ(m.s.LastStop, StopReason::StopInstruction);
  EXPECT_EQ(b.Find(number)->Hits, 1);
  EXPECT_EQ(StopDescription(m.s, &b), "stop instruction");
}

}  // namespace
}  // namespace ormlax::testing

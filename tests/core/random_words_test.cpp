// Robustness: random words, random memory and random console settings, executed by every kind of
// step on both models with the fake devices attached. Whatever the program, the machine must keep
// its state within bounds (and, in the sanitizer build, show no undefined behaviour).
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "tests/support/fake_devices.h"
#include "tests/support/random_words.h"

namespace ormlax::testing {
namespace {

constexpr std::uint32_t kSeed = 20240611;
constexpr int kTrials = 20;
constexpr int kActionsPerTrial = 8000;

// The first broken invariant of the machine, or an empty text.
std::string BrokenInvariant(const MachineState& s, const FakeDevices& d) {
  auto address = [](int a) { return a == -1 || (a >= 0 && a < kMaxMemorySize); };
  if (s.rCC < 0 || s.rCC >= s.MemorySize) return "rCC " + std::to_string(s.rCC);
  if (!address(s.CurrentAddress)) return "CurrentAddress " + std::to_string(s.CurrentAddress);
  if (!address(s.NextAddress)) return "NextAddress " + std::to_string(s.NextAddress);
  if (s.ConsoleLocation < 0 || s.ConsoleLocation >= kMaxMemorySize) return "ConsoleLocation";
  for (RegisterStatus r : {s.rVStatus, s.rYStatus, s.rIStatus}) {
    if (r != RegisterStatus::Cleared && r != RegisterStatus::InUse) return "register status";
  }
  for (LampColour c : s.Lamp) {
    if (static_cast<int>(c) > static_cast<int>(LampColour::Yellow)) return "lamp colour";
  }
  if (!d.tapes.badCalls.empty()) return "tape unit called with " + d.tapes.badCalls.front();
  return {};
}

void Randomise(FakeDeviceMachine& f, Random& r) {
  MachineState& s = f.s;
  if (s.IsModelII) SetOperatingAsI(s, r.Chance(25));
  s.HasIInstruction = r.Chance(50);
  s.ProgramDebug = r.Chance(50);
  s.StopOnComma = r.Chance(50);
  s.FiftyBreak = static_cast<FiftyBreakMode>(r.Below(3));
  for (bool& sw : s.QTSwitches) sw = r.Chance(15);
  s.DefaultServo = r.Below(s.IsModelII ? 16 : 10);
  for (Word& w : s.Memory) w = r.AnyWord();
  for (Word* w : {&s.rA, &s.rX, &s.rL, &s.rF, &s.rCR, &s.KeyboardWord}) *w = r.AnyWord();
  for (Word& w : s.rV) w = r.AnyWord();
  for (Word& w : s.rY) w = r.AnyWord();
  for (Word& w : s.rI) w = r.AnyWord();
  s.rVStatus = r.Chance(50) ? RegisterStatus::InUse : RegisterStatus::Cleared;
  s.rYStatus = r.Chance(50) ? RegisterStatus::InUse : RegisterStatus::Cleared;
  s.rIStatus = r.Chance(50) ? RegisterStatus::InUse : RegisterStatus::Cleared;
  s.rCC = r.Below(s.MemorySize);
  ShowLocation(s, r.Below(s.MemorySize));
  for (std::size_t i = 0; i < 16; ++i) {
    f.tapes.ready[i] = r.Chance(80);
    f.tapes.writeProtected[i] = r.Chance(20);
  }
  f.typewriter.busyAfterPrint = r.Below(4);
  f.keyboard.word = r.AnyWord();
  f.keyboard.continueInSingleStep = r.Chance(20);
}

class RandomWords : public ::testing::TestWithParam<bool> {};

INSTANTIATE_TEST_SUITE_P(Models, RandomWords, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "OrmlaxII" : "OrmlaxI"; });

TEST_P(RandomWords, MachineStateStaysWithinBounds) {
  Random r(kSeed + (GetParam() ? 1 : 0));
  std::uint64_t words = 0;
  for (int trial = 0; trial < kTrials; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    FakeDeviceMachine f{GetParam()};
    Randomise(f, r);
    std::string broken;

    // The operator: releases a hold with a random button (or changes the Go to / No go choice
    // first), sometimes presses Run again during a run or Stop at any time. Every yield checks
    // the state as it stands between two words or inside a held instruction.
    f.op.SetIdleAction([&] {
      if (broken.empty()) broken = BrokenInvariant(f.s, f);
      if (f.s.InQTStop && f.s.WaitingAtStop) {
        switch (r.Below(6)) {
          case 0:
            f.cpu.Run();
            break;
          case 1:
            f.cpu.SingleStep();
            break;
          case 2:
            f.cpu.SingleInstruction();
            break;
          case 3:
            f.s.Panel.QTGo =
                f.s.Panel.QTGo == QTGoChoice::GoTo ? QTGoChoice::NoGo : QTGoChoice::GoTo;
            break;
          default:
            f.cpu.Stop();
            break;
        }
      } else if (f.s.Running && r.Chance(2)) {
        f.cpu.Run();
      } else if (r.Chance(5)) {
        f.cpu.Stop();
      }
    });

    for (int action = 0; action < kActionsPerTrial && broken.empty(); ++action) {
      const int kind = r.Below(100);
      if (kind < 5 && !f.s.HalfStepPending) {  // SCICR with a random word
        f.s.rCR = r.AnyWord();
        f.s.ExecuteFromCR = true;
      }
      if (kind < 40) {
        f.cpu.SingleStep();
        ++words;
      } else if (kind < 70) {
        f.cpu.SingleInstruction();
        ++words;
      } else {
        f.cpu.SetWordLimit(1 + static_cast<std::uint64_t>(r.Below(64)));
        f.cpu.Run();
      }
      if (broken.empty()) broken = BrokenInvariant(f.s, f);
      if (broken.empty() && (f.s.Running || f.s.WaitingAtStop || f.s.InQTStop)) {
        broken = "the machine is still running or held after the button returned";
      }
      // Keep the records from growing without bound.
      f.op.messages.clear();
      f.op.requests.clear();
      f.op.fuseWindows.clear();
      f.calls.clear();
      f.tapes.written.clear();
      f.typewriter.printed.clear();
      f.keyboard.yieldsWhenOpened.clear();
    }
    words += f.cpu.WordsExecuted();
    ASSERT_EQ(broken, "") << "seed " << kSeed;
  }
  // Enough work for the test to mean something (a Single Instruction counts as a word here).
  EXPECT_GT(words, 150000u);
  RecordProperty("words", std::to_string(words));
}

}  // namespace
}  // namespace ormlax::testing

// The fast run against plain stepping: two machines get the same random program and the same
// console actions, one running with its decode cache and one decoding every word afresh, one
// StepWord after another. After every action the whole machine state, the calls to the units, the
// messages and the breakpoints' hits must be the same. The programs store into their own words
// and the next ones, overflow into the trap, transfer, stop on switches and wait in holds; the
// console switches options between runs, feeds rCR, steps by words and by instructions, sets
// breakpoints, and edits memory while stopped and while held.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "core/breakpoints.h"
#include "tests/support/fake_devices.h"
#include "tests/support/machine_fixture.h"
#include "tests/support/random_words.h"
#include "tests/support/state_difference.h"

namespace ormlax::testing {
namespace {

constexpr std::uint32_t kSeed = 19580211;
constexpr int kTrials = 120;
constexpr int kActionsPerTrial = 50;

// A plausible program around locations 0-59 with its data at 100-139: operations the machine
// knows, mostly ones that go on, and addresses mostly there, so that the program stores into its
// own words, transfers among them and reads its data. Now and then anything at all.
Word ProgramWord(Random& r) {
  if (r.Chance(3)) return r.AnyWord();
  // Weighted by repetition: arithmetic, loads and stores, transfers; now and then the rest.
  constexpr std::string_view kOps =
      "AAAASSSBBBHHHCCLLKXXMMNPDDEFGJQQQTTTTUUUUR0-;.VWYZI,59134678O*";
  Word w;
  for (std::size_t half = 0; half < 2; ++half) {
    char* p = w.chars.data() + 6 * half;
    p[0] = r.From(kOps);
    p[1] = r.Chance(60) ? '0' : r.From("0123456789'&( -FH-ABCDEFG");
    const int address =
        r.Chance(60) ? r.Below(60) : (r.Chance(85) ? 100 + r.Below(40) : r.Below(10000));
    char digits[5];
    std::snprintf(digits, sizeof digits, "%04d", address);
    for (std::size_t i = 0; i < 4; ++i) p[2 + i] = r.Chance(98) ? digits[i] : r.Character();
  }
  return w;
}

Word DataWord(Random& r) {
  Word w;
  switch (r.Below(4)) {
    case 0:  // near the top of the range: additions overflow
      w = Word::FromText("09999999999" + std::string(1, static_cast<char>('0' + r.Below(10))));
      break;
    case 1:  // digits worth 10 to 12 in places
    case 2:
      for (std::size_t i = 0; i < Word::kLength; ++i) {
        w[i] = i == 0 ? (r.Chance(50) ? '-' : '0') : r.From(r.Chance(10) ? "'&(" : "0123456789");
      }
      break;
    default:
      w = r.AnyWord();
      break;
  }
  return w;
}

// One of the two machines, with its devices, breakpoints and the operator's own bookkeeping.
struct Twin {
  Twin(bool modelII, bool fast, std::uint32_t seed) : m(modelII), r(seed) {
    m.cpu.SetFastRun(fast);
    // Long slices, so that the fast run executes whole batches between its looks at the clock.
    m.cpu.SetRunSlice(std::chrono::hours(1));
    m.cpu.SetWordLimit(500);
    m.cpu.SetBreakpoints(&breakpoints);
    m.op.SetIdleAction([this] { AtAHold(); });
  }

  // The operator at a hold decides by what the machine shows, never by the dice, so that both
  // machines are treated alike as long as they are alike.
  void AtAHold() {
    MachineState& s = m.s;
    if (!s.InQTStop || !s.WaitingAtStop) return;
    if (++holds > 40) {
      m.cpu.Stop();
      return;
    }
    const unsigned h = static_cast<unsigned>(s.rA[11]) * 7u + static_cast<unsigned>(s.rCC) * 3u +
                       static_cast<unsigned>(holds);
    switch (h % 8) {
      case 0:
        m.cpu.Run();
        break;
      case 1:
        m.cpu.SingleStep();
        break;
      case 2:
        m.cpu.SingleInstruction();
        break;
      case 3:
        s.Panel.QTGo = s.Panel.QTGo == QTGoChoice::GoTo ? QTGoChoice::NoGo : QTGoChoice::GoTo;
        break;
      case 4:  // the held word itself is stored into, then the run goes on
        s.Memory[static_cast<std::size_t>(s.rCC)] = Word::FromText("B00100U00002");
        m.cpu.Run();
        break;
      case 5:  // the next word is stored into
        s.Memory[static_cast<std::size_t>((s.rCC + 1) % s.MemorySize)] =
            Word::FromText("A00101H00000");
        m.cpu.Run();
        break;
      case 6:  // an option switched while held: the rest of the word sees it
        if (s.IsModelII) SetOperatingAsI(s, !s.OperatingAsI);
        s.HasIInstruction = !s.HasIInstruction;
        m.cpu.Run();
        break;
      default:
        m.cpu.Stop();
        break;
    }
  }

  void SetUp() {
    MachineState& s = m.s;
    if (s.IsModelII) SetOperatingAsI(s, r.Chance(25));
    s.HasIInstruction = r.Chance(50);
    s.ProgramDebug = r.Chance(30);
    s.StopOnComma = r.Chance(30);
    s.FiftyBreak = static_cast<FiftyBreakMode>(r.Below(3));
    for (bool& sw : s.QTSwitches) sw = r.Chance(8);
    s.DefaultServo = r.Below(s.IsModelII ? 16 : 10);
    for (int a = 0; a < 60; ++a) s.Memory[static_cast<std::size_t>(a)] = ProgramWord(r);
    for (int a = 100; a < 140; ++a) s.Memory[static_cast<std::size_t>(a)] = DataWord(r);
    for (Word* w : {&s.rA, &s.rX, &s.rL, &s.rF}) *w = DataWord(r);
    for (Word& w : s.rV) w = DataWord(r);
    for (Word& w : s.rY) w = DataWord(r);
    s.rCC = r.Below(60);
    ShowLocation(s, r.Chance(50) ? r.Below(60) : 100 + r.Below(40));
    for (std::size_t i = 0; i < 16; ++i) {
      m.tapes.ready[i] = r.Chance(85);
      m.tapes.writeProtected[i] = r.Chance(15);
    }
    m.typewriter.busyAfterPrint = r.Below(3);
    m.keyboard.word = DataWord(r);
    m.keyboard.continueInSingleStep = r.Chance(20);
  }

  // The next console action: the dice decide what, the same way for both machines.
  void Act() {
    MachineState& s = m.s;
    holds = 0;
    const int kind = r.Below(100);
    if (kind < 45) {
      m.cpu.SetWordLimit(1 + static_cast<std::uint64_t>(r.Below(3000)));
      m.cpu.Run();
    } else if (kind < 57) {
      m.cpu.SingleStep();
    } else if (kind < 65) {
      m.cpu.SingleInstruction();
    } else if (kind < 70) {  // SCICR
      s.rCR = ProgramWord(r);
      s.ExecuteFromCR = true;
    } else if (kind < 78) {  // Store at the console
      s.Memory[static_cast<std::size_t>(r.Chance(70) ? r.Below(60) : 100 + r.Below(40))] =
          r.Chance(70) ? ProgramWord(r) : DataWord(r);
    } else if (kind < 84) {  // a switch
      switch (r.Below(6)) {
        case 0:
          if (s.IsModelII) SetOperatingAsI(s, !s.OperatingAsI);
          break;
        case 1:
          s.HasIInstruction = !s.HasIInstruction;
          break;
        case 2:
          s.StopOnComma = !s.StopOnComma;
          break;
        case 3:
          s.FiftyBreak = static_cast<FiftyBreakMode>(r.Below(3));
          break;
        case 4:
          if (r.Chance(50)) {
            s.QTSwitches.fill(false);
          } else {
            s.QTSwitches[static_cast<std::size_t>(r.Below(11))] = true;
          }
          break;
        default:
          s.DefaultServo = r.Below(s.IsModelII ? 16 : 10);
          break;
      }
    } else if (kind < 95) {  // a breakpoint
      const auto kindOf = r.Chance(50) ? BreakpointKind::Execute : BreakpointKind::Store;
      const int location = r.Chance(70) ? r.Below(60) : 100 + r.Below(40);
      const int count = 1 + r.Below(3);
      const int pick = r.Below(4);
      const auto& list = breakpoints.List();
      if (pick == 0 || list.empty()) {
        breakpoints.Add(kindOf, location, count);
      } else {
        const int number =
            list[static_cast<std::size_t>(r.Below(static_cast<int>(list.size())))].Number;
        if (pick == 1) breakpoints.Remove(number);
        if (pick == 2) breakpoints.SetEnabled(number, !breakpoints.Find(number)->Enabled);
        if (pick == 3) breakpoints.Change(number, kindOf, location, count);
      }
    } else {  // rCC typed at the console
      s.rCC = r.Below(60);
    }
  }

  FakeDeviceMachine m;
  Breakpoints breakpoints;
  Random r;
  int holds = 0;
};

// What differs between the two machines after an action, or an empty text.
std::string Difference(Twin& fast, Twin& plain) {
  std::string d = FirstDifference(fast.m.s, plain.m.s);
  if (!d.empty()) return d;
  if (fast.m.calls != plain.m.calls) return "calls to the units";
  if (fast.m.op.messages != plain.m.op.messages) return "messages";
  if (fast.m.op.fuseWindows != plain.m.op.fuseWindows) return "fuse windows";
  if (fast.m.op.keyboardWindows != plain.m.op.keyboardWindows) return "keyboard windows";
  if (fast.m.op.yields != plain.m.op.yields) return "yields to the interface";
  if (fast.m.cpu.WordsExecuted() != plain.m.cpu.WordsExecuted()) return "words executed";
  if (fast.m.tapes.written != plain.m.tapes.written) return "blocks written";
  if (fast.m.typewriter.printed != plain.m.typewriter.printed) return "words printed";
  const auto& a = fast.breakpoints.List();
  const auto& b = plain.breakpoints.List();
  if (a.size() != b.size()) return "breakpoints";
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].Hits != b[i].Hits) return "hits of breakpoint " + std::to_string(a[i].Number);
  }
  if (fast.m.s.LastStop == StopReason::ExecuteBreakpoint ||
      fast.m.s.LastStop == StopReason::StoreBreakpoint) {
    if (fast.breakpoints.StopText(fast.m.s) != plain.breakpoints.StopText(plain.m.s)) {
      return "the breakpoint that stopped the run";
    }
  }
  return {};
}

class FastRun : public ::testing::TestWithParam<bool> {};

INSTANTIATE_TEST_SUITE_P(Models, FastRun, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "OrmlaxII" : "OrmlaxI"; });

TEST_P(FastRun, BehavesAsPlainSteppingOnRandomPrograms) {
  std::uint64_t words = 0;
  int breakpointStops = 0, holds = 0;
  for (int trial = 0; trial < kTrials; ++trial) {
    const std::uint32_t seed = kSeed + static_cast<std::uint32_t>(trial) * 2 + (GetParam() ? 1 : 0);
    Twin fast(GetParam(), true, seed);
    Twin plain(GetParam(), false, seed);
    fast.SetUp();
    plain.SetUp();
    for (int action = 0; action < kActionsPerTrial; ++action) {
      fast.Act();
      plain.Act();
      const std::string d = Difference(fast, plain);
      ASSERT_EQ(d, "") << "seed " << seed << ", action " << action;
      const StopReason stop = fast.m.s.LastStop;
      breakpointStops +=
          stop == StopReason::ExecuteBreakpoint || stop == StopReason::StoreBreakpoint ? 1 : 0;
      holds += fast.holds > 0 ? 1 : 0;
      // Keep the records from growing without bound.
      for (Twin* t : {&fast, &plain}) {
        t->m.calls.clear();
        t->m.op.messages.clear();
        t->m.op.requests.clear();
        t->m.tapes.written.clear();
        t->m.typewriter.printed.clear();
      }
    }
    words += fast.m.cpu.WordsExecuted();
  }
  // The programs did what the test is for.
  EXPECT_GT(words, 150000u);
  EXPECT_GT(breakpointStops, 30);
  EXPECT_GT(holds, 30);
  RecordProperty("words", std::to_string(words));
  RecordProperty("breakpoint_stops", std::to_string(breakpointStops));
  RecordProperty("holds", std::to_string(holds));
}


// Two moments the random programs seldom meet. A store by the left half into the location the
// console shows is shown while the right half's message is up, even though that half ends at once
// (a servo the model lacks).
TEST(FastRunMoments, TheConsoleShowsALeftHalfsStoreDuringTheRightHalfsMessage) {
  struct Watching : ScriptedOperator {
    const MachineState* s = nullptr;
    std::vector<Word> shown;
    MessageAnswer ShowMessage(const MessageRequest& request) override {
      shown.push_back(s->Panel.Contents);
      return ScriptedOperator::ShowMessage(request);
    }
  };
  MachineFixture m(false);
  Watching op;
  op.s = &m.s;
  Processor cpu(m.s, op);
  m.Load(0, {"H000501A0000"});
  m.s.rA = W("0STORED00050");
  ShowLocation(m.s, 50);
  cpu.Run();
  EXPECT_EQ(m.s.LastStop, StopReason::InvalidOpcode);
  EXPECT_EQ(op.shown, std::vector<Word>{W("0STORED00050")});
}

// An option switched while the left half holds the machine: the right half is decoded with the
// address width the switch leaves (0234 with three digits is 234).
TEST(FastRunMoments, TheRightHalfSeesTheAddressWidthSwitchedDuringAHold) {
  MachineFixture m(true);
  m.Load(0, {"Q30000B01234"});
  m.Mem(234) = W("000000000234");
  m.Mem(1234) = W("000000001234");
  m.s.QTSwitches[3] = true;
  m.s.rA = W("000000000001");
  m.op.SetIdleAction([&] {
    if (!m.s.InQTStop) return;
    SetOperatingAsI(m.s, true);
    m.cpu.Stop();
  });
  m.cpu.Run();
  EXPECT_EQ(m.s.rA, W("000000000234"));
}

}  // namespace
}  // namespace ormlax::testing

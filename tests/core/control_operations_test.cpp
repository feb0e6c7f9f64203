// Transfers, comparisons with their conditional stop, the return word, shifts and stops, on both
// models.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/machine_fixture.h"

namespace ormlax::testing {
namespace {

class ControlOperations : public ::testing::TestWithParam<bool> {
 protected:
  bool ModelII() const { return GetParam(); }
  // A three- or four-digit address as the panel writes it.
  std::string Addr(int a) const {
    std::string d = std::to_string(a);
    const std::size_t width = ModelII() ? 4 : 3;
    return d.size() < width ? std::string(width - d.size(), '0') + d : d;
  }
  // Steps the word at `at` with Single Step.
  void StepAt(int at, const std::string& word) {
    m.Load(at, {word});
    m.s.rCC = at;
    m.cpu.SingleStep();
  }

  MachineFixture m{ModelII()};
};

INSTANTIATE_TEST_SUITE_P(Models, ControlOperations, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "OrmlaxII" : "OrmlaxI"; });

TEST_P(ControlOperations, TransferTargetIsTheRightHandAddressAfterBothHalvesRan) {
  struct Case {
    std::string word;
    int rCC;       // after the step
    bool loaded;   // rA holds the word at 200
    bool invalid;  // lamp 6
  };
  const std::vector<Case> cases = {
      {"U00100B00200", 200, true, false},
      {"B00200U00300", 300, true, false},
      {"000000U00050", 50, false, false},
      {"U00100000ABC", 11, false, true},  // right-hand address field not a number
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.word);
    MachineFixture f{ModelII()};
    f.Load(200, {"000000000777"});
    f.Load(10, {c.word});
    f.s.rCC = 10;
    f.cpu.SingleStep();
    EXPECT_EQ(f.s.rCC, c.rCC);
    EXPECT_EQ(f.s.rA, W(c.loaded ? "000000000777" : "000000000000"));
    EXPECT_EQ(f.s.Lamp[kInvalidAddressLamp], c.invalid ? LampColour::Red : LampColour::Grey);
    EXPECT_EQ(f.s.Lamp[kRunningLamp], LampColour::Yellow);
  }
}

TEST_P(ControlOperations, ComparisonsTestCharactersAndCodesNotValues) {
  const std::string outside1 = "~00000000000";  // "~" is not in the code
  const std::string outside2 = std::string("\x80") + "00000000000";
  const std::string nul = std::string(1, '\0') + "00000000000";
  struct Case {
    char op;
    std::string rA, rL;
    bool transfer;
  };
  const std::vector<Case> cases = {
      {'Q', "012345678901", "012345678901", true},
      {'Q', "000000000000", "-00000000000", false},  // same value, other characters
      {'Q', "000000000001", "000000000002", false},
      {'T', "000000000005", "-00000000009", true},  // "0" (code 3) above "-" (code 2)
      {'T', "-00000000009", "000000000005", false},
      {'T', "000000000002", "000000000001", true},
      {'T', "000000000001", "000000000002", false},
      {'T', "012345678901", "012345678901", false},
      {'T', "A00000000000", "900000000000", true},  // a letter ranks above the digits
      {'T', "00000000000(", "000000000009", true},  // "(" (15) above "9" (12)
      {'T', "0000000000 0", "0000000000i0", true},  // space (1) above "i" (0)
      {'T', "n00000000000", "=00000000000", true},
      {'T', outside1, "i00000000000", false},  // a character outside the code ranks lowest
      {'T', "i00000000000", outside1, true},
      {'T', outside2, "i00000000000", false},
      {'T', "i00000000000", nul, true},
      {'T', outside1, outside2, false},  // neither has a code: equal rank
      {'T', outside1, "~00000000001", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, c.op) + " rA=" + c.rA + " rL=" + c.rL);
    MachineFixture f{ModelII()};
    f.s.rA = W(c.rA);
    f.s.rL = W(c.rL);
    f.Load(10, {std::string("000000") + c.op + "00050"});
    f.s.rCC = 10;
    f.cpu.SingleStep();
    EXPECT_EQ(f.s.rCC, c.transfer ? 50 : 11);
    EXPECT_EQ(f.op.yields, 0);
  }
}

// What the console shows while a Q or T holds the machine.
struct HoldView {
  bool seen = false;
  LampColour lamp3 = LampColour::Grey;
  bool running = true, inQTStop = false, waiting = false, holdControls = false;
  QTGoChoice choice = QTGoChoice::None;
  std::array<std::string, 2> labels;
  bool rCCShown = false;
  Word rCR = kZeroWord;
};

HoldView Capture(const MachineState& s) {
  return {true,         s.Lamp[kQTStopLamp], s.Running,
          s.InQTStop,   s.WaitingAtStop,     s.Panel.HoldControlsEnabled,
          s.Panel.QTGo, s.Panel.QTGoLabels,  !s.Panel.rCCBlank,
          s.rCR};
}

TEST_P(ControlOperations, ConditionalStopHoldsWhenItsSwitchIsOn) {
  struct Case {
    std::vector<int> switches;  // QTSwitches entries on (10 = All)
    std::string instruction;    // right-hand half, target 50
    bool condition;             // rA = rL (Q) or rA above rL (T)
    bool holds;
  };
  const std::vector<Case> cases = {
      {{}, "Q30050", true, false},      {{3}, "Q30050", true, true},  {{3}, "Q40050", true, false},
      {{3}, "Q30050", false, true},     {{0}, "Q00050", true, true},  {{9}, "T90050", true, true},
      {{9}, "TA0050", true, false},     {{3}, "T30050", false, true}, {{10}, "Q 0050", true, true},
      {{10}, "QA0050", false, true},    {{10}, "Q70050", true, true}, {{10}, "T-0050", false, true},
      {{3, 10}, "Q30050", false, true}, {{}, "T50050", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.instruction + (c.condition ? " condition true" : " condition false"));
    MachineFixture f{ModelII()};
    for (int sw : c.switches) f.s.QTSwitches[static_cast<std::size_t>(sw)] = true;
    const bool isQ = c.instruction[0] == 'Q';
    f.s.rA = W(isQ || c.condition ? "000000000007" : "000000000001");
    f.s.rL = W(isQ == c.condition ? "000000000007" : "000000000003");
    const std::string word = "000000" + c.instruction;
    f.Load(41, {word});
    f.s.rCC = 41;
    HoldView view;
    f.op.QueueAction([&] {
      view = Capture(f.s);
      f.cpu.Stop();
    });
    f.cpu.SingleStep();

    EXPECT_EQ(view.seen, c.holds);
    if (c.holds) {
      EXPECT_EQ(view.lamp3, LampColour::Red);
      EXPECT_FALSE(view.running);
      EXPECT_TRUE(view.inQTStop);
      EXPECT_TRUE(view.waiting);
      EXPECT_TRUE(view.holdControls);
      EXPECT_EQ(view.choice, c.condition ? QTGoChoice::GoTo : QTGoChoice::NoGo);
      EXPECT_EQ(view.labels[0], Addr(50));
      EXPECT_EQ(view.labels[1], Addr(42));
      EXPECT_TRUE(view.rCCShown);
      EXPECT_EQ(view.rCR, W(word));
    }
    // Released by Stop: the preset choice decides.
    EXPECT_EQ(f.s.rCC, c.condition ? 50 : 42);
    EXPECT_FALSE(f.s.InQTStop);
    EXPECT_FALSE(f.s.WaitingAtStop);
    EXPECT_EQ(f.s.Lamp[kQTStopLamp], LampColour::Grey);
    EXPECT_EQ(f.s.Panel.QTGoLabels[0], "");
    EXPECT_EQ(f.s.Panel.QTGoLabels[1], "");
    EXPECT_EQ(f.s.Panel.QTGo, QTGoChoice::None);
    EXPECT_FALSE(f.s.Panel.HoldControlsEnabled);
  }
}

TEST_P(ControlOperations, ComparisonWithInvalidTargetStopsWithoutHolding) {
  for (const char* word : {"000000Q3ABCD", "Q30000000ABC"}) {
    SCOPED_TRACE(word);
    MachineFixture f{ModelII()};
    f.s.QTSwitches[3] = true;
    f.s.QTSwitches[kQTAll] = true;
    f.op.SetIdleAction([&] { f.cpu.Stop(); });
    f.Load(10, {word});
    f.s.rCC = 10;
    f.cpu.SingleStep();
    EXPECT_EQ(f.op.yields, 0);
    EXPECT_EQ(f.s.Lamp[kInvalidAddressLamp], LampColour::Red);
    EXPECT_EQ(f.s.rCC, 11);
  }
}

TEST_P(ControlOperations, OperatorCanChangeTheChoiceWhileHeld) {
  struct Case {
    bool condition;
    QTGoChoice chosen;
    int rCC;
  };
  const std::vector<Case> cases = {
      {true, QTGoChoice::NoGo, 42},
      {false, QTGoChoice::GoTo, 50},
      {true, QTGoChoice::GoTo, 50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.chosen));
    MachineFixture f{ModelII()};
    f.s.QTSwitches[kQTAll] = true;
    f.s.rL = W(c.condition ? "000000000000" : "000000000001");
    f.Load(41, {"000000Q00050"});
    f.s.rCC = 41;
    f.op.QueueAction([&] { f.s.Panel.QTGo = c.chosen; });  // the hold goes on
    f.op.QueueAction([&] { f.cpu.Stop(); });
    f.cpu.SingleStep();
    EXPECT_EQ(f.op.yields, 2);
    EXPECT_EQ(f.s.rCC, c.rCC);
  }
}

TEST_P(ControlOperations, GoToLandsOnTheTargetForScicrWordsAndTargetZero) {
  struct Case {
    const char* name;
    bool fromCR;
    std::string word;
    int rCC;
  };
  const std::vector<Case> cases = {
      {"SCICR", true, "Q30000A00050", 50},
      {"target 0", false, "Q30000000000", 0},
      {"SCICR, target 0", true, "Q30000000000", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MachineFixture f{ModelII()};
    f.s.QTSwitches[3] = true;
    f.s.rCC = 10;
    f.PlaceNextWord(c.word, c.fromCR);
    f.op.SetIdleAction([&] { f.cpu.Stop(); });
    f.cpu.SingleStep();
    EXPECT_EQ(f.op.yields, 1);
    EXPECT_EQ(f.s.rCC, c.rCC);
  }
}

TEST_P(ControlOperations, NoGoAtTheTopOfMemoryWrapsToZero) {
  const int top = m.s.MemorySize - 1;
  m.s.QTSwitches[kQTAll] = true;
  m.s.rL = W("000000000001");
  m.op.SetIdleAction([&] { m.cpu.Stop(); });
  StepAt(top, "000000Q00050");
  EXPECT_EQ(m.op.yields, 1);
  EXPECT_EQ(m.s.rCC, 0);
}

TEST_P(ControlOperations, ReturnWordHoldsTheNextLocation) {
  const int top = m.s.MemorySize - 1;
  struct Case {
    int rCC;
    std::string stored;
  };
  const std::vector<Case> cases = {
      {41, "000000U00042"},
      {0, "000000U00001"},
      {top, ModelII() ? "000000U10000" : "000000U01000"},  // rCC + 1 is not reduced
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rCC);
    MachineFixture f{ModelII()};
    f.Load(c.rCC, {"R00300000000"});
    f.s.rCC = c.rCC;
    f.cpu.SingleStep();
    EXPECT_EQ(f.Mem(300), W(c.stored));
    // Executed, the return word transfers to rCC + 1 within the model's address field.
    f.s.rCC = 300;
    f.cpu.SingleStep();
    EXPECT_EQ(f.s.rCC, (c.rCC + 1) % f.s.MemorySize);
  }
}

TEST_P(ControlOperations, ReturnWordAndTransferMakeASubroutineCall) {
  StepAt(41, "R00300U00300");
  EXPECT_EQ(m.s.rCC, 300);
  EXPECT_EQ(m.Mem(300), W("000000U00042"));  // the transfer keeps what R stored
  m.cpu.SingleStep();
  EXPECT_EQ(m.s.rCC, 42);
}

TEST_P(ControlOperations, ReturnWordWithInvalidAddressStoresNothing) {
  m.s.rCC = 41;
  m.ExecuteAlone("R00A00");
  EXPECT_EQ(m.s.Lamp[kInvalidAddressLamp], LampColour::Red);
  for (int a = 0; a < kMaxMemorySize; ++a) ASSERT_EQ(m.Mem(a), kZeroWord) << a;
}

TEST_P(ControlOperations, ShiftsMoveRAByTheModifiersCount) {
  struct Case {
    std::string rA, instruction, result;
  };
  const std::vector<Case> cases = {
      {"012345678901", "-30000", "000012345678"},
      {"012345678901", "030000", "045678901000"},
      {"012345678901", ";20000", "234567890100"},
      {"012345678901", ".20000", "000123456789"},
      {"012345678901", ";A0000", "123456789010"},  // no digit value: one place
      {"012345678901", ";(0000", "000000000000"},  // twelve places
      {"012345678901", ".(0000", "000000000000"},
      {"012345678901", "000000", "012345678901"},  // "00" does nothing
      {"012345678901", "-00000", "012345678901"},
      {"012345678901", ";00000", "012345678901"},
      {"012345678901", ".00000", "012345678901"},
      {"-12345678901", "0 0000", "-23456789010"},
      {"-12345678901", "0'0000", "-10000000000"},
      {"-12345678901", "0&0000", "-00000000000"},
      {"-12345678901", "0(0000", "-00000000000"},  // eleven places at most
      {"-12345678901", "-'0000", "-00000000001"},
      {"-12345678901", "-(0000", "-00000000000"},
      {"-12345678901", "-A0000", "-01234567890"},
      {"-12345678901", ".10000", "0-1234567890"},  // the sign moves into the digits
      {"-12345678901", ";10000", "123456789010"},
      {"-12345678901", ";&0000", "100000000000"},
      {"-12345678901", ".&0000", "00000000000-"},
      {"A12345678901", "090000", "A01000000000"},
      {"012345678901", "-3ABCD", "000012345678"},  // no address is examined
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.instruction + " of " + c.rA);
    MachineFixture f{ModelII()};
    f.s.rA = W(c.rA);
    f.s.Running = true;
    f.ExecuteAlone(c.instruction);
    EXPECT_EQ(f.s.rA.Text(), c.result);
    EXPECT_TRUE(f.s.Running);
    EXPECT_EQ(f.s.Lamp[kInvalidAddressLamp], LampColour::Grey);
    EXPECT_EQ(f.s.Lamp[kInvalidOpcodeLamp], LampColour::Grey);
  }
}

TEST_P(ControlOperations, StopInstructionIsTheConsolesStop) {
  m.s.Running = true;
  m.s.WaitingAtStop = true;
  m.s.Lamp[kRunningLamp] = LampColour::Green;
  m.s.Panel.rSRBlank = false;
  m.ExecuteAlone("900000");
  EXPECT_FALSE(m.s.Running);
  EXPECT_FALSE(m.s.WaitingAtStop);
  EXPECT_EQ(m.s.Lamp[kRunningLamp], LampColour::Red);
  EXPECT_TRUE(m.s.Panel.rSRBlank);
  EXPECT_TRUE(m.op.messages.empty());
}

TEST_P(ControlOperations, StopWithAnotherModifierIsAnInvalidOpcode) {
  for (const char* instruction : {"910000", "9 0000", "9A0000", "9-0000", "9(0000"}) {
    SCOPED_TRACE(instruction);
    MachineFixture f{ModelII()};
    f.s.Running = true;
    f.ExecuteAlone(instruction);
    EXPECT_FALSE(f.s.Running);
    EXPECT_EQ(f.s.Lamp[kInvalidOpcodeLamp], LampColour::Red);
    ASSERT_EQ(f.op.messages.size(), 1u);
    EXPECT_EQ(f.op.messages[0], "\"" + std::string(instruction, 2) + "\" is not a valid opcode");
  }
}

TEST_P(ControlOperations, StopsEndTheRunAfterTheRestOfTheirWord) {
  struct Case {
    const char* name;
    std::string word;
    bool stopOnComma;
    int rCC;
    LampColour breakpointLamp;
    bool runningLampRed;  // "90" turns the Running lamp red; the breakpoint stop only its own
  };
  // 10: the word under test, its right half stores rA at 200; 11: a stop.
  const std::vector<Case> cases = {
      {"90", "900000H00200", false, 11, LampColour::Grey, true},
      {"comma, StopOnComma", ",00000H00200", true, 11, LampColour::Red, false},
      {"comma, no StopOnComma", ",00000H00200", false, 12, LampColour::Grey, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MachineFixture f{ModelII()};
    f.s.StopOnComma = c.stopOnComma;
    f.s.rA = W("000000000042");
    f.Load(10, {c.word, "900000000000"});
    f.s.rCC = 10;
    f.cpu.Run();
    EXPECT_EQ(f.Mem(200), W("000000000042"));
    EXPECT_EQ(f.s.rCC, c.rCC);
    EXPECT_FALSE(f.s.Running);
    EXPECT_EQ(f.s.Lamp[kBreakpointStopLamp], c.breakpointLamp);
    if (c.runningLampRed) {
      EXPECT_EQ(f.s.Lamp[kRunningLamp], LampColour::Red);
    }
  }
}

}  // namespace
}  // namespace ormlax::testing

// The instruction cycle: one word per step, decoding of the modifiers, overflow handling, invalid
// operations and invalid addresses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/machine_fixture.h"

namespace ormlax {
namespace {

using ormlax::testing::MachineFixture;
using ormlax::testing::W;

std::vector<int> RedLamps(const MachineState& s) {
  std::vector<int> red;
  for (int i = 0; i < kLampCount; ++i) {
    if (s.Lamp[static_cast<std::size_t>(i)] == LampColour::Red) red.push_back(i);
  }
  return red;
}

// The lamps lit red, the Running lamp apart.
std::vector<int> ErrorLamps(const MachineState& s) {
  std::vector<int> red = RedLamps(s);
  std::erase(red, static_cast<int>(kRunningLamp));
  return red;
}

std::string InvalidOpcodeText(const std::string& firstTwo) {
  return "\"" + firstTwo + "\" is not a valid opcode";
}

std::string ModelName(const ::testing::TestParamInfo<bool>& info) {
  return info.param ? "OrmlaxII" : "OrmlaxI";
}

class CycleOnBothModels : public ::testing::TestWithParam<bool> {};
INSTANTIATE_TEST_SUITE_P(Models, CycleOnBothModels, ::testing::Values(false, true), ModelName);

// ---------------------------------------------------------------------------------------------
// StepWord

TEST_P(CycleOnBothModels, EveryStepStartsWithTheLampsOfThePreviousWordPutOut) {
  MachineFixture m(GetParam());
  m.s.Lamp.fill(LampColour::Red);
  m.s.Running = false;
  m.cpu.StepWord(false);  // location 0 holds 000000000000, a no-operation
  for (int i = 0; i < kLampCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(m.s.Lamp[static_cast<std::size_t>(i)],
              i == kRunningLamp ? LampColour::Yellow : LampColour::Grey);
  }

  m.s.Lamp.fill(LampColour::Red);
  m.s.Running = true;
  m.cpu.StepWord(true);
  for (int i = 0; i < kLampCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(m.s.Lamp[static_cast<std::size_t>(i)],
              i == kRunningLamp ? LampColour::Green : LampColour::Grey);
  }
  EXPECT_EQ(m.s.rCC, 2);
}

TEST_P(CycleOnBothModels, RightHalfRunsWhateverTheLeftHalfDid) {
  struct Case {
    const char* left;
    bool stops;
    int rCCAfter;
  };
  const Case cases[] = {
      {"900000", true, 21},    // stop
      {"*00000", true, 21},    // invalid opcode
      {"B0XYZW", true, 21},    // invalid address
      {"U00000", false, 100},  // transfer to the right half's address, after the right half
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.left);
    MachineFixture m(GetParam());
    m.Load(20, {std::string(c.left) + "B00100"});
    m.Load(100, {"0RIGHT000001"});
    m.s.rCC = 20;
    m.s.Running = true;
    m.cpu.StepWord(true);
    EXPECT_EQ(m.s.rA, W("0RIGHT000001"));
    EXPECT_EQ(m.s.rX, W("0RIGHT000001"));
    EXPECT_EQ(m.s.Running, !c.stops);
    EXPECT_EQ(m.s.rCC, c.rCCAfter);
  }
}

TEST(StepWord, ControlCounterAdvancesAndWrapsAtTheEndOfMemory) {
  struct Case {
    bool modelII;
    bool operatingAsI;
    int from;
    int to;
  };
  const Case cases[] = {
      {false, false, 41, 42}, {false, false, 999, 0}, {true, false, 999, 1000},
      {true, false, 9999, 0}, {true, true, 999, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "model II " << c.modelII << " as I " << c.operatingAsI << " from " << c.from);
    MachineFixture m(c.modelII);
    if (c.operatingAsI) SetOperatingAsI(m.s, true);
    m.s.rCC = c.from;
    m.cpu.StepWord(false);
    EXPECT_EQ(m.s.rCC, c.to);
  }
}

TEST_P(CycleOnBothModels, TakenTransferWritesBackTheCurrentAndTargetWords) {
  struct Case {
    const char* what;
    int at;
    const char* word;
    int rCCAfter;
    std::vector<std::pair<int, const char*>> memoryAfter;
  };
  // rA holds 0STORED00000, rL differs from rA, rY words 0-9 hold 0RY00000000k.
  const Case cases[] = {
      {"store into the current word, which is the target",
       100,
       "U00000H00100",
       100,
       {{100, "U00000H00100"}}},
      {"store into the target word", 50, "U00000H00300", 300, {{300, "0TARGET00000"}}},
      {"block store over both",
       105,
       "U00000Z10100",
       100,
       {{100, "0TARGET00000"},
        {101, "0RY000000001"},
        {105, "U00000Z10100"},
        {109, "0RY000000009"}}},
      {"store before the transfer stays", 50, "H00050U00300", 300, {{50, "0STORED00000"}}},
      {"transfer not taken: the store stays", 50, "Q00000H00300", 51, {{300, "0STORED00000"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MachineFixture m(GetParam());
    m.Load(c.at, {c.word});
    m.Load(300, {"0TARGET00000"});
    if (c.at != 100) m.Load(100, {"0TARGET00000"});
    m.s.rA = W("0STORED00000");
    m.s.rL = W("000000000001");
    for (int k = 0; k < 10; ++k)
      m.s.rY[static_cast<std::size_t>(k)] = W("0RY00000000" + std::to_string(k));
    m.s.rYStatus = RegisterStatus::InUse;
    m.s.rCC = c.at;
    m.s.Running = true;
    m.cpu.StepWord(true);
    EXPECT_EQ(m.s.rCC, c.rCCAfter);
    for (const auto& [at, text] : c.memoryAfter) {
      SCOPED_TRACE(at);
      EXPECT_EQ(m.Mem(at), W(text));
    }
  }
}

TEST_P(CycleOnBothModels, ScicrExecutesTheControlRegisterOnceWithoutAdvancing) {
  MachineFixture m(GetParam());
  m.Load(20, {"F00200000000"});  // the word at rCC: loads rF when it runs
  m.Load(100, {"0OPERAND0001"});
  m.Load(200, {"0ATRCC000000"});
  m.s.rCC = 20;
  m.s.rCR = W("B00100000000");
  m.s.ExecuteFromCR = true;
  m.s.Running = true;

  m.cpu.StepWord(true);
  EXPECT_EQ(m.s.rA, W("0OPERAND0001"));
  EXPECT_EQ(m.s.rF, W("000000000000"));  // the word at rCC did not run
  EXPECT_EQ(m.s.rCC, 20);
  EXPECT_TRUE(m.s.Panel.rCRBlank);
  EXPECT_FALSE(m.s.ExecuteFromCR);

  m.cpu.StepWord(true);  // the next step takes the word at rCC again
  EXPECT_EQ(m.s.rF, W("0ATRCC000000"));
  EXPECT_EQ(m.s.rCC, 21);
}

TEST_P(CycleOnBothModels, ScicrWordThatTransfersMovesControl) {
  MachineFixture m(GetParam());
  m.Load(20, {"F00200000000"});
  m.s.rCC = 20;
  m.s.rCR = W("000000U00300");
  m.s.ExecuteFromCR = true;
  m.cpu.StepWord(false);
  EXPECT_EQ(m.s.rCC, 300);
  EXPECT_EQ(m.Mem(20), W("F00200000000"));
  EXPECT_EQ(m.s.Lamp[kRunningLamp], LampColour::Yellow);
}

// ---------------------------------------------------------------------------------------------
// Decoding

TEST(Decoding, FModifierMasksOnlyItsOperationsAndOnlyOnOrmlaxII) {
  // rF 000000111111: a "1" (even code) turns the operand's character into "0".
  struct Case {
    bool modelII;
    const char* instruction;
    const char* rA;
    const char* rL;
  };
  const char* full = "012345678912";
  const char* masked = "012345000000";
  const Case cases[] = {
      {true, "AF0100", masked, "000000000000"},
      {true, "BF0100", full, "000000000000"},   // B has no F modifier
      {true, "LF0100", "000000000000", full},   // nor has L
      {false, "AF0100", full, "000000000000"},  // ORMLAX I: no F modifier at all
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.instruction << " model II " << c.modelII);
    MachineFixture m(c.modelII);
    m.Load(100, {full});
    m.s.rF = W("000000111111");
    m.ExecuteAlone(c.instruction);
    EXPECT_EQ(m.s.rA, W(c.rA));
    EXPECT_EQ(m.s.rL, W(c.rL));
  }
}

TEST_P(CycleOnBothModels, CountIsTheModifiersDigitValueOrOne) {
  struct Case {
    const char* instruction;
    const char* rA;
  };
  const Case cases[] = {
      {";00000", "012345678901"}, {";30000", "345678901000"},
      {";'0000", "010000000000"},                              // "'" is worth 10
      {";(0000", "000000000000"}, {";X0000", "123456789010"},  // no digit value: one place
      {"--0000", "001234567890"}, {"0A0000", "023456789010"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.instruction);
    MachineFixture m(GetParam());
    m.s.rA = W("012345678901");
    m.ExecuteAlone(c.instruction);
    EXPECT_EQ(m.s.rA, W(c.rA));
  }
}

// ---------------------------------------------------------------------------------------------
// Overflow

// Location 0 loads rF from 501, so a trap shows as the marker in rF.
constexpr const char* kTrapMarker = "0MARK0000001";

void PrepareTrap(MachineFixture& m) {
  m.Load(0, {"F00501000000"});
  m.Load(501, {kTrapMarker});
}

TEST_P(CycleOnBothModels, MinusModifierOnTheLastInstructionStopsOnOverflowInsteadOfTrapping) {
  struct Case {
    const char* word;
    const char* rA;
    const char* rX;
    const char* rL;
    const char* operand;
    bool stops;
  };
  const char* big = "099999999999";
  const char* one = "000000000001";
  const char* twelve = "0(0000000000";  // 1.2: a product of two overflows
  const Case cases[] = {
      {"000000A-0100", big, one, one, one, true},
      {"000000S-0100", big, one, one, "-00000000001", true},
      {"000000X-0000", big, one, one, one, true},
      {"000000D-0100", big, one, "050000000000", "050000000000", true},
      {"000000M-0100", big, one, twelve, twelve, true},
      {"000000N-0100", big, one, twelve, twelve, true},
      {"000000P-0100", big, one, twelve, twelve, true},
      {"000000A00100", big, one, one, one, false},
      {"000000AF0100", big, one, one, one, false},
      {"A00100H-0300", big, one, one, one, false},  // H does not take "-"
      {"A-0100H00300", big, one, one, one, false},  // only the last instruction counts
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.word);
    MachineFixture m(GetParam());
    PrepareTrap(m);
    m.Load(10, {c.word});
    m.Load(100, {c.operand});
    m.s.rA = W(c.rA);
    m.s.rX = W(c.rX);
    m.s.rL = W(c.rL);
    m.s.rCC = 10;
    m.s.Running = true;
    m.cpu.StepWord(true);
    if (c.stops) {
      EXPECT_FALSE(m.s.Running);
      EXPECT_TRUE(m.s.OverflowFlag);
      EXPECT_EQ(m.s.Lamp[kOverflowLamp], LampColour::Red);
      EXPECT_NE(m.s.rF, W(kTrapMarker));
      EXPECT_EQ(m.s.rCC, 11);
      EXPECT_FALSE(m.s.MinusModifier);
    } else {
      EXPECT_TRUE(m.s.Running);
      EXPECT_FALSE(m.s.OverflowFlag);
      EXPECT_EQ(m.s.Lamp[kOverflowLamp], LampColour::Grey);
      EXPECT_EQ(m.s.rF, W(kTrapMarker));
    }
  }
}

TEST(CheckOverflow, TrapSkipsOneMoreWordOnOrmlaxIIUnlessOperatingAsI) {
  struct Case {
    bool modelII;
    bool operatingAsI;
    int from;
    int rCCAfter;
  };
  const Case cases[] = {
      {false, false, 10, 11}, {false, false, 999, 0}, {true, false, 10, 12},
      {true, false, 9998, 0}, {true, false, 9999, 1}, {true, true, 10, 11},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "model II " << c.modelII << " as I " << c.operatingAsI << " from " << c.from);
    MachineFixture m(c.modelII);
    if (c.operatingAsI) SetOperatingAsI(m.s, true);
    PrepareTrap(m);
    m.Load(c.from, {"000000A00100"});
    m.Load(100, {"000000000001"});
    m.s.rA = W("099999999999");
    m.s.rCC = c.from;
    m.s.Running = true;
    m.cpu.StepWord(true);
    EXPECT_EQ(m.s.rF, W(kTrapMarker));
    EXPECT_EQ(m.s.rCC, c.rCCAfter);
    EXPECT_TRUE(m.s.Running);
  }
}

TEST_P(CycleOnBothModels, TransferRequestedByTheTrapWordIsNotTaken) {
  const bool modelII = GetParam();
  MachineFixture m(modelII);
  m.Load(0, {"F00501U00300"});
  m.Load(501, {kTrapMarker});
  m.Load(10, {"000000A00100"});
  m.Load(100, {"000000000001"});
  m.s.rA = W("099999999999");
  m.s.rCC = 10;
  m.s.Running = true;
  m.cpu.StepWord(true);
  const int next = modelII ? 12 : 11;
  EXPECT_EQ(m.s.rF, W(kTrapMarker));
  EXPECT_EQ(m.s.rCC, next);
  m.cpu.StepWord(true);
  EXPECT_EQ(m.s.rCC, next + 1);
}

// ---------------------------------------------------------------------------------------------
// Invalid operations and addresses

TEST(ReportInvalidOpcode, ShowsTheFirstTwoCharactersAndTheRestOfTheWordRuns) {
  struct Case {
    bool modelII;
    const char* instruction;
  };
  const Case cases[] = {
      {false, "*00100"}, {true, "*00100"},  {false, "O00100"}, {true, "O00100"},
      {true, "i00100"},  {true, " 00100"},  {true, "#00100"},  {false, "9A0000"},
      {true, "910000"},  {false, "I00100"},  // ORMLAX I without the I instruction
      {false, "1A0000"},                     // servo 10 exists only on ORMLAX II
      {true, "1G0000"},  {false, "1X0000"}, {true, "200000"},  {true, "600000"},
      {false, "700100"}, {false, "800000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << '"' << c.instruction << "\" model II " << c.modelII);
    MachineFixture m(c.modelII);
    m.Load(10, {std::string(c.instruction) + "B00100"});
    m.Load(100, {"0RIGHT000001"});
    m.s.rCC = 10;
    m.s.Running = true;
    m.cpu.StepWord(true);
    EXPECT_EQ(m.op.messages,
              std::vector<std::string>{InvalidOpcodeText(std::string(c.instruction, 2))});
    EXPECT_EQ(RedLamps(m.s), (std::vector<int>{kInvalidOpcodeLamp, kRunningLamp}));
    EXPECT_FALSE(m.s.Running);
    EXPECT_EQ(m.s.rA, W("0RIGHT000001"));
    EXPECT_EQ(m.s.rCC, 11);
  }
}

TEST(ReportInvalidOpcode, MessageQuotesTheOperationAndModifier) {
  MachineFixture m(false);
  m.s.Running = true;
  m.cpu.ReportInvalidOpcode(Instruction::FromText("*00100"));
  ASSERT_EQ(m.op.messages.size(), 1u);
  EXPECT_EQ(m.op.messages[0], "\"*0\" is not a valid opcode");
  EXPECT_EQ(m.op.requests[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(m.s.Lamp[kInvalidOpcodeLamp], LampColour::Red);
  EXPECT_EQ(m.s.Lamp[kRunningLamp], LampColour::Red);
  EXPECT_FALSE(m.s.Running);
}

TEST_P(CycleOnBothModels, InvalidAddressLightsLampSixAndDoesNothingElse) {
  const bool modelII = GetParam();
  std::string ops = "ABCDEFGHJLMNPRSVWZ";
  if (modelII) ops += 'I';
  for (const char op : ops) {
    // The last three (ORMLAX I) or four (ORMLAX II) characters are not a number.
    const char modifier = (op == 'V' || op == 'W' || op == 'Z') ? '1' : '0';
    const std::string instruction = std::string{op, modifier} + "XYZW";
    SCOPED_TRACE(instruction);
    MachineFixture m(modelII);
    m.Load(10, {instruction + "000000"});
    m.s.rA = W("0((((0000001");  // a "(" in rA: the divide fault must not be looked at
    m.s.rX = W("022222222222");
    m.s.rL = W("033333333333");
    m.s.rF = W("044444444444");
    m.s.rV.fill(W("055555555555"));
    m.s.rY.fill(W("066666666666"));
    m.s.rYStatus = RegisterStatus::InUse;
    const MachineState before = m.s;
    m.s.rCC = 10;
    m.s.Running = true;
    m.cpu.StepWord(true);
    EXPECT_EQ(ErrorLamps(m.s), std::vector<int>{kInvalidAddressLamp});
    EXPECT_FALSE(m.s.Running);
    EXPECT_TRUE(m.op.messages.empty());
    EXPECT_TRUE(m.op.fuseWindows.empty());
    EXPECT_EQ(m.s.rA, before.rA);
    EXPECT_EQ(m.s.rX, before.rX);
    EXPECT_EQ(m.s.rL, before.rL);
    EXPECT_EQ(m.s.rF, before.rF);
    EXPECT_EQ(m.s.rV, before.rV);
    EXPECT_EQ(m.s.rY, before.rY);
    EXPECT_EQ(m.s.rVStatus, before.rVStatus);
    EXPECT_FALSE(m.s.OverflowFlag);
    EXPECT_TRUE(m.s.Memory == before.Memory);
    EXPECT_EQ(m.s.rCC, 11);
  }
}

TEST_P(CycleOnBothModels, TransferToAnAddressFieldOfLettersStopsWithInvalidAddress) {
  struct Case {
    const char* word;
    const char* rA;
    const char* rL;
  };
  const Case cases[] = {
      {"U00000ABCDEF", "000000000001", "000000000001"},
      {"U0000000WXYZ", "000000000001", "000000000001"},  // right half a no-operation
      {"Q0000000WXYZ", "000000000001", "000000000001"},
      {"T0000000WXYZ", "000000000002", "000000000001"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.word);
    MachineFixture m(GetParam());
    m.Load(10, {c.word});
    m.s.rA = W(c.rA);
    m.s.rL = W(c.rL);
    m.s.rCC = 10;
    m.s.Running = true;
    m.cpu.StepWord(true);
    EXPECT_EQ(ErrorLamps(m.s), std::vector<int>{kInvalidAddressLamp});
    EXPECT_TRUE(m.op.messages.empty());
    EXPECT_EQ(m.s.rCC, 11);
    EXPECT_EQ(m.s.rA, W(c.rA));
  }
}

TEST_P(CycleOnBothModels, MemoryDisplayIsRefreshedUnlessTheInstructionEndedAtOnce) {
  struct Case {
    const char* instruction;
    bool refreshed;
  };
  const Case cases[] = {
      {"H00100", true},
      {"*00100", true},   // an invalid opcode still completes the instruction
      {"1X0000", false},  // an invalid servo character ends it at once
      {"D00200", false},  // the divide fault ends it at once
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.instruction);
    MachineFixture m(GetParam());
    m.Load(100, {"0SHOWN000000"});
    m.Load(200, {"0000'0000000"});
    m.s.rA = W("0000(0000000");
    m.s.rL = W("050000000000");
    m.s.ConsoleLocation = 100;
    m.s.Panel.Contents = W("0TYPED000000");
    m.ExecuteAlone(c.instruction);
    EXPECT_EQ(m.s.Panel.Contents, c.refreshed ? m.Mem(100) : W("0TYPED000000"));
  }
}

}  // namespace
}  // namespace ormlax

// Register transfers, addition and subtraction, multiplication, division and extraction, and the
// F mask of ORMLAX II.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/machine_fixture.h"

namespace ormlax {
namespace {

using ormlax::testing::MachineFixture;
using ormlax::testing::W;

// The lamps lit red, the Running lamp apart.
std::vector<int> ErrorLamps(const MachineState& s) {
  std::vector<int> red;
  for (int i = 0; i < kLampCount; ++i) {
    if (i != kRunningLamp && s.Lamp[static_cast<std::size_t>(i)] == LampColour::Red) {
      red.push_back(i);
    }
  }
  return red;
}

std::string ModelName(const ::testing::TestParamInfo<bool>& info) {
  return info.param ? "OrmlaxII" : "OrmlaxI";
}

class OnBothModels : public ::testing::TestWithParam<bool> {};
INSTANTIATE_TEST_SUITE_P(Models, OnBothModels, ::testing::Values(false, true), ModelName);

// The registers and location 100 before each case, chosen so that every one differs.
struct Registers {
  const char* rA = "011111111111";
  const char* rX = "022222222222";
  const char* rL = "033333333333";
  const char* rF = "044444444444";
  const char* m = "0TEXT5555555";  // location 100: transfers do not care what a word holds
};

void Set(MachineFixture& f, const Registers& r) {
  f.s.rA = W(r.rA);
  f.s.rX = W(r.rX);
  f.s.rL = W(r.rL);
  f.s.rF = W(r.rF);
  f.Load(100, {r.m});
}

void ExpectRegisters(MachineFixture& f, const Registers& r) {
  EXPECT_EQ(f.s.rA, W(r.rA)) << "rA";
  EXPECT_EQ(f.s.rX, W(r.rX)) << "rX";
  EXPECT_EQ(f.s.rL, W(r.rL)) << "rL";
  EXPECT_EQ(f.s.rF, W(r.rF)) << "rF";
  EXPECT_EQ(f.Mem(100), W(r.m)) << "(m)";
}

// ---------------------------------------------------------------------------------------------
// Register transfers

TEST_P(OnBothModels, RegisterTransfersMoveWholeWords) {
  const Registers in;
  struct Case {
    const char* instruction;
    Registers out;
  };
  const Case cases[] = {
      {"B00100", {.rA = in.m, .rX = in.m}},
      {"C00100", {.rA = "000000000000", .m = in.rA}},
      {"F00100", {.rF = in.m}},
      {"G00100", {.m = in.rF}},
      {"H00100", {.m = in.rA}},
      {"J00100", {.m = in.rX}},
      {"K00100", {.rA = "000000000000", .rL = in.rA}},
      {"L00100", {.rX = in.m, .rL = in.m}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.instruction);
    MachineFixture f(GetParam());
    Set(f, in);
    f.s.Running = true;
    f.ExecuteAlone(c.instruction);
    ExpectRegisters(f, c.out);
    EXPECT_TRUE(f.s.Running);
    EXPECT_TRUE(ErrorLamps(f.s).empty());
    EXPECT_FALSE(f.s.OverflowFlag);
  }
}

TEST(IInstruction, StoresRLOnOrmlaxIIAndOnOrmlaxIOnlyWithTheOption) {
  struct Case {
    bool modelII;
    bool hasI;
    bool stores;
  };
  const Case cases[] = {{true, false, true}, {false, true, true}, {false, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "model II " << c.modelII << " with I " << c.hasI);
    MachineFixture f(c.modelII);
    f.s.HasIInstruction = c.hasI;
    const Registers in;
    Set(f, in);
    f.ExecuteAlone("I00100");
    EXPECT_EQ(f.Mem(100), W(c.stores ? in.rL : in.m));
    EXPECT_EQ(f.op.messages.size(), c.stores ? 0u : 1u);
  }
}

// ---------------------------------------------------------------------------------------------
// Addition and subtraction

TEST_P(OnBothModels, AddSubtractAndX) {
  struct Case {
    const char* instruction;
    const char* rA;
    const char* rX;
    const char* m;
    const char* rAAfter;
    const char* rXAfter;
    bool overflow;
  };
  const Case cases[] = {
      {"A00100", "000000000005", "000000000000", "000000000007", "000000000012", "000000000007",
       false},
      {"A00100", "099999999999", "000000000000", "000000000001", "000000000000", "000000000001",
       true},
      {"A00100", "000000000005", "000000000000", "-00000000007", "-00000000002", "-00000000007",
       false},
      {"S00100", "000000000005", "000000000000", "000000000007", "-00000000002", "-00000000007",
       false},
      // A word equal to rA: zero digits with rA's sign.
      {"S00100", "-00000000005", "000000000000", "-00000000005", "-00000000000", "000000000005",
       false},
      {"S00100", "000000000005", "000000000000", "000000000005", "000000000000", "-00000000005",
       false},
      {"S00100", "-99999999999", "000000000000", "000000000001", "-00000000000", "-00000000001",
       true},
      {"X00000", "000000000005", "000000000007", "000000000000", "000000000012", "000000000007",
       false},
      {"X00000", "099999999999", "000000000001", "000000000000", "000000000000", "000000000001",
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.instruction << " rA " << c.rA << " (m) " << c.m);
    MachineFixture f(GetParam());
    f.s.rA = W(c.rA);
    f.s.rX = W(c.rX);
    f.Load(100, {c.m});
    SetOverflow(f.s, !c.overflow);  // every addition sets or clears the indicator
    f.ExecuteAlone(c.instruction);
    EXPECT_EQ(f.s.rA, W(c.rAAfter));
    EXPECT_EQ(f.s.rX, W(c.rXAfter));
    EXPECT_EQ(f.Mem(100), W(c.m));
    EXPECT_EQ(f.s.OverflowFlag, c.overflow);
    EXPECT_EQ(f.s.Lamp[kOverflowLamp], c.overflow ? LampColour::Red : LampColour::Grey);
  }
}

TEST(HModifier, StoresTheSumBackOnOrmlaxIIOnly) {
  struct Case {
    bool modelII;
    const char* instruction;
    const char* rAAfter;
    bool storedBack;
  };
  const Case cases[] = {
      {true, "AH0100", "000000000012", true},
      {true, "SH0100", "-00000000002", true},
      {false, "AH0100", "000000000012", false},
      {false, "SH0100", "-00000000002", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.instruction << " model II " << c.modelII);
    MachineFixture f(c.modelII);
    f.s.rA = W("000000000005");
    f.Load(100, {"000000000007"});
    f.ExecuteAlone(c.instruction);
    EXPECT_EQ(f.s.rA, W(c.rAAfter));
    EXPECT_EQ(f.Mem(100), c.storedBack ? W(c.rAAfter) : W("000000000007"));
  }
}

// ---------------------------------------------------------------------------------------------
// Multiplication and division

TEST_P(OnBothModels, MultiplyAndDivide) {
  struct Case {
    const char* instruction;
    const char* rL;
    const char* m;
    const char* rAAfter;
    const char* rXAfter;
    bool overflow;
  };
  const Case cases[] = {
      {"M00100", "050000000000", "050000000000", "025000000000", "050000000000", false},
      {"N00100", "050000000000", "050000000000", "-25000000000", "-50000000000", false},
      {"M00100", "-50000000000", "050000000000", "-25000000000", "050000000000", false},
      // 0.123456789015 exactly: halves go toward plus infinity.
      {"M00100", "050000000000", "024691357803", "012345678902", "024691357803", false},
      {"M00100", "-50000000000", "024691357803", "-12345678901", "024691357803", false},
      // -0.012345678901 rounds to the nearest eleven digits.
      {"M00100", "-10000000000", "012345678901", "-01234567890", "012345678901", false},
      // "'" is worth 10 in a product: 1.0 x 0.5.
      {"M00100", "0'0000000000", "050000000000", "050000000000", "050000000000", false},
      // 1.2 x 1.2 = 1.44: the eleven digits below 1 are kept.
      {"M00100", "0(0000000000", "0(0000000000", "044000000000", "0(0000000000", true},
      {"P00100", "000000000001", "000000000001", "000000000000", "000000000001", false},
      {"P00100", "012345678901", "010000000000", "001234567890", "010000000000", false},
      {"P00100", "-12345678901", "010000000000", "-01234567890", "-10000000000", false},
      {"P00100", "099999999999", "099999999999", "099999999998", "000000000001", false},
      {"D00100", "050000000000", "025000000000", "050000000000", "050000000000", false},
      {"D00100", "050000000000", "050000000000", "000000000000", "000000000000", true},
      // 2/3: rA rounded, rX truncated.
      {"D00100", "030000000000", "020000000000", "066666666667", "066666666666", false},
      {"D00100", "030000000000", "-20000000000", "-66666666667", "-66666666666", false},
      {"D00100", "-30000000000", "020000000000", "-66666666667", "-66666666666", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.instruction << " rL " << c.rL << " (m) " << c.m);
    MachineFixture f(GetParam());
    f.s.rA = W("011111111111");
    f.s.rF = W("044444444444");
    f.s.rL = W(c.rL);
    f.Load(100, {c.m});
    f.s.Running = true;
    f.ExecuteAlone(c.instruction);
    EXPECT_EQ(f.s.rA, W(c.rAAfter));
    EXPECT_EQ(f.s.rX, W(c.rXAfter));
    EXPECT_EQ(f.s.rL, W(c.rL));
    EXPECT_EQ(f.s.rF, W("000000000000"));
    EXPECT_EQ(f.s.OverflowFlag, c.overflow);
    EXPECT_TRUE(f.s.Running);
  }
}

TEST_P(OnBothModels, InvalidOperandStopsWithLampFiveAndKeepsTheOperandInRX) {
  struct Case {
    const char* instruction;
    const char* rL;
    const char* m;
    const char* rXAfter;
  };
  const Case cases[] = {
      {"M00100", "050000000000", "0A0000000000", "0A0000000000"},
      {"M00100", "0ABC00000000", "050000000000", "050000000000"},  // rL invalid
      {"N00100", "050000000000", "0A0000000000", "-A0000000000"},
      {"P00100", "050000000000", "0000000000X0", "0000000000X0"},
      {"P00100", "05000000000 ", "050000000000", "050000000000"},
      {"D00100", "050000000000", "0A0000000000", "0A0000000000"},
      {"D00100", "0A0000000000", "050000000000", "050000000000"},
      {"D00100", "000000000000", "050000000000", "050000000000"},  // zero divisor
      {"D00100", "-00000000000", "050000000000", "050000000000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.instruction << " rL " << c.rL << " (m) " << c.m);
    MachineFixture f(GetParam());
    f.s.rA = W("011111111111");
    f.s.rF = W("044444444444");
    f.s.rL = W(c.rL);
    f.Load(100, {c.m});
    f.s.Running = true;
    f.ExecuteAlone(c.instruction);
    EXPECT_EQ(f.s.rX, W(c.rXAfter));
    EXPECT_EQ(f.s.rA, W("011111111111"));
    EXPECT_EQ(f.s.rF, W("044444444444"));
    EXPECT_FALSE(f.s.Running);
    EXPECT_EQ(f.s.Lamp[kInvalidOperandLamp], LampColour::Red);
    EXPECT_TRUE(f.op.messages.empty());
    EXPECT_TRUE(f.op.fuseWindows.empty());
  }
}

TEST_P(OnBothModels, DivideFaultBlowsTheFuseWhenTheFirstParenthesisFacesAnApostrophe) {
  struct Case {
    const char* rA;
    const char* m;
    bool blows;
    const char* rAAfter;  // when it divides: (m) / 0.5
  };
  const Case cases[] = {
      {"0000(0000000", "0000'0000000", true, ""},
      {"(00000000000", "'00000000000", true, ""},  // the sign position counts as well
      {"0000(0000000", "025000000000", false, "050000000000"},
      {"0000(0000000", "00000'000000", false, "000020000000"},  // "'" one place along
      {"00(0(0000000", "0000'0000000", false, "000200000000"},  // only the first "(" counts
      {"0000'0000000", "0000(0000000", false, "000240000000"},  // the other way round
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "rA " << c.rA << " (m) " << c.m);
    MachineFixture f(GetParam());
    f.s.rA = W(c.rA);
    f.s.rX = W("022222222222");
    f.s.rF = W("044444444444");
    f.s.rL = W("050000000000");
    f.Load(100, {c.m});
    f.s.Running = true;
    f.s.WaitingAtStop = true;
    f.s.Panel.rSRBlank = false;
    f.ExecuteAlone("D00100");
    if (c.blows) {
      EXPECT_EQ(f.s.FuseReason, 2);
      EXPECT_EQ(f.op.fuseWindows, std::vector<int>{2});
      EXPECT_EQ(ErrorLamps(f.s), std::vector<int>{kInvalidOperandLamp});
      EXPECT_EQ(f.s.Lamp[kRunningLamp], LampColour::Red);
      EXPECT_FALSE(f.s.Running);
      EXPECT_FALSE(f.s.WaitingAtStop);
      EXPECT_TRUE(f.s.Panel.rSRBlank);  // the console's Stop follows the window
      EXPECT_EQ(f.s.rA, W("000000000000"));
      EXPECT_EQ(f.s.rX, W("022222222222"));
      EXPECT_EQ(f.s.rF, W("044444444444"));
      EXPECT_EQ(f.Mem(100), W(c.m));
    } else {
      EXPECT_TRUE(f.op.fuseWindows.empty());
      EXPECT_TRUE(f.s.Running);
      EXPECT_EQ(f.s.rA, W(c.rAAfter));
      EXPECT_EQ(f.s.rF, W("000000000000"));
    }
    EXPECT_TRUE(f.op.messages.empty());
  }
}

TEST(DivideFault, LooksAtTheUnmaskedWord) {
  MachineFixture f(true);
  f.s.rA = W("0000(0000000");
  f.s.rL = W("050000000000");
  f.s.rF = W("000010000000");  // masks position 5 of the operand to "0"
  f.Load(100, {"0000'0000000"});
  f.ExecuteAlone("DF0100");
  EXPECT_EQ(f.op.fuseWindows, std::vector<int>{2});
  EXPECT_EQ(f.s.rA, W("000000000000"));
}

// Notes what the machine looks like while the fault window is open.
class WatchingOperator : public ormlax::testing::ScriptedOperator {
 public:
  std::function<void()> onFuseWindow;
  void ShowFuseWindow(int reason) override {
    if (onFuseWindow) onFuseWindow();
    ScriptedOperator::ShowFuseWindow(reason);
  }
};

TEST(DivideFault, WindowOpensWithLampFiveLitBeforeRAIsCleared) {
  auto installation = MakeInstallation(false, ".");
  MachineState& s = installation->Machine;
  WatchingOperator op;
  Processor cpu(s, op);
  s.rA = W("0000(0000000");
  s.rL = W("050000000000");
  s.Memory[100] = W("0000'0000000");
  int reasonSeen = 0;
  LampColour lampSeen = LampColour::Grey;
  Word rASeen;
  op.onFuseWindow = [&] {
    reasonSeen = s.FuseReason;
    lampSeen = s.Lamp[kInvalidOperandLamp];
    rASeen = s.rA;
  };
  cpu.ExecuteInstruction(Instruction::FromText("D00100"));
  EXPECT_EQ(op.fuseWindows, std::vector<int>{2});
  EXPECT_EQ(reasonSeen, 2);
  EXPECT_EQ(lampSeen, LampColour::Red);
  EXPECT_EQ(rASeen, W("0000(0000000"));
  EXPECT_EQ(s.rA, W("000000000000"));
}

TEST(DivideFault, InARunStopsAfterTheWord) {
  MachineFixture f(false);
  f.Load(0, {"D00100B00101", "H00200000000"});
  f.Load(100, {"0000'0000000", "0NEXT0000000"});
  f.s.rA = W("0000(0000000");
  f.s.rL = W("050000000000");
  f.cpu.Run();
  EXPECT_EQ(f.op.fuseWindows, std::vector<int>{2});
  EXPECT_EQ(f.s.rA, W("0NEXT0000000"));  // the right half still ran
  EXPECT_EQ(f.s.rCC, 1);
  EXPECT_EQ(f.Mem(200), W("000000000000"));
}

// ---------------------------------------------------------------------------------------------
// Extraction and the F mask

TEST(Extract, RFSelectsByTheParityOfItsCodes) {
  // "1" has code 4 (even), "0" code 3 (odd), "i" 0, "-" 2; "a" has no code.
  const char* m = "123456789'&(";
  struct Case {
    bool modelII;
    const char* instruction;
    const char* rF;
    const char* rAAfter;
    const char* mAfter;
  };
  const Case cases[] = {
      {false, "E00100", "111111000000", "123456GHIJKL", m},
      {false, "E00100", "i-0a11000000", "12CD56GHIJKL", m},
      {true, "E00100", "i-0a11000000", "12CD56GHIJKL", m},
      {true, "EF0100", "i-0a11000000", "AB34EF789'&(", "AB34EF789'&("},  // inverted, stored back
      {false, "EF0100", "i-0a11000000", "12CD56GHIJKL", m},  // no F modifier on ORMLAX I
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.instruction << " rF " << c.rF << " model II " << c.modelII);
    MachineFixture f(c.modelII);
    f.s.rA = W("ABCDEFGHIJKL");
    f.s.rF = W(c.rF);
    f.Load(100, {m});
    f.ExecuteAlone(c.instruction);
    EXPECT_EQ(f.s.rA, W(c.rAAfter));
    EXPECT_EQ(f.Mem(100), W(c.mAfter));
    EXPECT_EQ(f.s.rF, W(c.rF));
  }
}

TEST(FMask, AppliesToTheOperandOfEachArithmeticOperation) {
  // rF positions: 2 "i", 3 "1", 5 "-" have even codes (masked to 0); 4 "a" has no code and 6 "2"
  // an odd one (kept).
  const char* rF = "0i1a-2000000";
  const char* m = "099999999999";
  const char* masked = "000909999999";
  struct Case {
    const char* instruction;
    const char* rAAfter;
    const char* rXAfter;
  };
  const Case cases[] = {
      {"AF0100", masked, masked},
      {"SF0100", "-00909999999", "-00909999999"},
      {"BF0100", m, m},  // B has no F modifier
      // 0.5 x 0.00909999999 = 0.004549999995: the half goes up, toward plus infinity.
      {"MF0100", "000455000000", masked},
      {"NF0100", "-00454999999", "-00909999999"},
      {"PF0100", "000454999999", "050000000000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.instruction);
    MachineFixture f(true);
    f.s.rF = W(rF);
    f.s.rL = W("050000000000");
    f.Load(100, {m});
    f.ExecuteAlone(c.instruction);
    EXPECT_EQ(f.s.rA, W(c.rAAfter));
    EXPECT_EQ(f.s.rX, W(c.rXAfter));
    EXPECT_EQ(f.Mem(100), W(m));
  }
}

TEST(FMask, DivideTakesTheMaskedDividend) {
  MachineFixture f(true);
  f.s.rF = W("000000111111");
  f.s.rL = W("050000000000");
  f.Load(100, {"012345678912"});  // masked: 012345000000, 0.12345 / 0.5 = 0.2469
  f.ExecuteAlone("DF0100");
  EXPECT_EQ(f.s.rA, W("024690000000"));
  EXPECT_EQ(f.s.rX, W("024690000000"));
  EXPECT_EQ(f.s.rF, W("000000000000"));
}

TEST(FMask, OnlyTheFModifiedInstructionIsMasked) {
  MachineFixture f(true);
  f.s.rF = W("000000111111");
  f.Load(10, {"AF0100A00100"});
  f.Load(100, {"012345678912"});
  f.s.rCC = 10;
  f.cpu.StepWord(false);
  EXPECT_EQ(f.s.rA, W("024690678912"));  // 012345000000 + 012345678912
  EXPECT_EQ(f.s.rX, W("012345678912"));
}

}  // namespace
}  // namespace ormlax

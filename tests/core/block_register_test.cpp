// The block registers rV (V, W) and rY (Y, Z), their program-logic warnings and the memory fuse.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/machine_fixture.h"

namespace ormlax {
namespace {

using ormlax::testing::MachineFixture;
using ormlax::testing::W;

// A word that names where it came from: a two-character tag and a ten-digit number.
Word Tagged(const char* tag, int n) {
  std::string digits = std::to_string(n);
  return W(tag + std::string(10 - digits.size(), '0') + digits);
}

const Word kOld = W("0OLD00000000");

// No lamp but the Running lamp is lit.
bool ErrorLampsGrey(const MachineState& s) {
  for (int i = 0; i < kLampCount; ++i) {
    if (i != kRunningLamp && s.Lamp[static_cast<std::size_t>(i)] != LampColour::Grey) return false;
  }
  return true;
}
const Word kFuseWord = W("Z4Z4Z4Z4Z4Z4");

// ---------------------------------------------------------------------------------------------
// V and W

TEST(VAndW, OrmlaxIMovesTwoWordsWhateverTheModifier) {
  for (const char* load : {"V00100", "V50100"}) {
    SCOPED_TRACE(load);
    MachineFixture f(false);
    f.Load(100, {"0FIRST000000", "0SECOND00000", "0THIRD000000"});
    f.s.rV.fill(kOld);
    f.ExecuteAlone(load);
    EXPECT_EQ(f.s.rV[0], W("0FIRST000000"));
    EXPECT_EQ(f.s.rV[1], W("0SECOND00000"));
    EXPECT_EQ(f.s.rV[2], kOld);
    EXPECT_EQ(f.s.rVStatus, RegisterStatus::InUse);

    f.ExecuteAlone("W50200");
    EXPECT_EQ(f.Mem(200), W("0FIRST000000"));
    EXPECT_EQ(f.Mem(201), W("0SECOND00000"));
    EXPECT_EQ(f.Mem(202), W("000000000000"));
    EXPECT_EQ(f.s.rVStatus, RegisterStatus::InUse);
  }
}

struct BlockCase {
  const char* instruction;
  bool operatingAsI;
  int first;     // first location moved
  int words;     // how many words move
  bool pastEnd;  // stops with "Invalid address" after the words that fit
};

TEST(VAndW, OrmlaxIILoadsTheCountOfWords) {
  const BlockCase cases[] = {
      {"V10100", false, 100, 1, false},  {"V30100", false, 100, 3, false},
      {"V'0100", false, 100, 10, false},  // "'" is worth 10
      {"V59997", false, 9997, 3, true},  {"V50100", true, 100, 1, false},
      {"V00100", true, 100, 1, false},  // operating as an ORMLAX I: always one word
      {"V00100", false, 100, 0, false},  {"V&0100", false, 100, 0, false},
      {"VX0100", false, 100, 0, false},
  };
  for (const BlockCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.instruction << " as I " << c.operatingAsI);
    MachineFixture f(true);
    if (c.operatingAsI) SetOperatingAsI(f.s, true);
    for (int a = 0; a < 12; ++a) {
      f.Mem(100 + a) = Tagged("0M", 100 + a);
      f.Mem(9988 + a) = Tagged("0M", 9988 + a);
    }
    f.s.rV.fill(kOld);
    f.s.Running = true;
    f.ExecuteAlone(c.instruction);
    for (int i = 0; i < 10; ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(f.s.rV[static_cast<std::size_t>(i)],
                i < c.words ? Tagged("0M", c.first + i) : kOld);
    }
    EXPECT_EQ(f.s.Lamp[kInvalidAddressLamp], c.pastEnd ? LampColour::Red : LampColour::Grey);
    EXPECT_EQ(f.s.Running, !c.pastEnd);
    // Running past the end leaves the status alone; otherwise rV counts as loaded.
    EXPECT_EQ(f.s.rVStatus, c.pastEnd ? RegisterStatus::Cleared : RegisterStatus::InUse);
    EXPECT_TRUE(f.op.messages.empty());
  }
}

TEST(VAndW, OrmlaxIIStoresTheCountOfWords) {
  const BlockCase cases[] = {
      {"W10200", false, 200, 1, false},  {"W30200", false, 200, 3, false},
      {"W'0200", false, 200, 10, false}, {"W59997", false, 9997, 3, true},
      {"W50200", true, 200, 1, false},   {"W00200", false, 200, 0, false},
      {"W&0200", false, 200, 0, false},
  };
  for (const BlockCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.instruction << " as I " << c.operatingAsI);
    MachineFixture f(true);
    if (c.operatingAsI) SetOperatingAsI(f.s, true);
    for (int i = 0; i < 10; ++i) f.s.rV[static_cast<std::size_t>(i)] = Tagged("0V", i);
    f.s.Running = true;
    f.ExecuteAlone(c.instruction);
    for (int i = 0; i < c.words; ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(f.Mem(c.first + i), Tagged("0V", i));
    }
    if (c.first + c.words <= 9999) {
      EXPECT_EQ(f.Mem(c.first + c.words), W("000000000000"));
    }
    EXPECT_EQ(f.Mem(c.first - 1), W("000000000000"));
    EXPECT_EQ(f.s.Lamp[kInvalidAddressLamp], c.pastEnd ? LampColour::Red : LampColour::Grey);
    EXPECT_EQ(f.s.Running, !c.pastEnd);
    EXPECT_EQ(f.s.rVStatus, RegisterStatus::Cleared);  // W does not change the status
    EXPECT_TRUE(f.op.messages.empty());
  }
}

// ---------------------------------------------------------------------------------------------
// Y and Z

struct YZCase {
  bool modelII;
  bool operatingAsI;
  const char* instruction;
  int first;
  int words;
  bool pastEnd;
};

TEST(YAndZ, YLoadsBlocksOfTenFromTheAddressRoundedDown) {
  const YZCase cases[] = {
      {false, false, "Y00123", 120, 10, false}, {false, false, "Y00120", 120, 10, false},
      {false, false, "Y50129", 120, 10, false},  // the modifier means nothing on ORMLAX I
      {true, false, "Y30100", 100, 30, false},  {true, false, "Y30105", 100, 30, false},
      {true, false, "Y60100", 100, 60, false},  {true, false, "Y10199", 190, 10, false},
      {true, true, "Y30100", 100, 10, false},   {true, false, "Y69950", 9950, 50, true},
      {true, false, "Y70100", 100, 0, false},   {true, false, "Y00100", 100, 0, false},
      {true, false, "Y(0100", 100, 0, false},
  };
  for (const YZCase& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.instruction << " model II " << c.modelII << " as I " << c.operatingAsI);
    MachineFixture f(c.modelII);
    if (c.operatingAsI) SetOperatingAsI(f.s, true);
    for (int a = 0; a < kMaxMemorySize; ++a) f.Mem(a) = Tagged("0M", a);
    f.s.rY.fill(kOld);
    f.s.Running = true;
    f.ExecuteAlone(c.instruction);
    for (int i = 0; i < 60; ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(f.s.rY[static_cast<std::size_t>(i)],
                i < c.words ? Tagged("0M", c.first + i) : kOld);
    }
    EXPECT_EQ(f.s.Lamp[kInvalidAddressLamp], c.pastEnd ? LampColour::Red : LampColour::Grey);
    EXPECT_EQ(f.s.Running, !c.pastEnd);
    EXPECT_EQ(f.s.rYStatus, RegisterStatus::InUse);  // in every case
  }
}

TEST(YAndZ, YWithAnInvalidAddressStillMarksRYInUse) {
  for (const bool modelII : {false, true}) {
    SCOPED_TRACE(modelII);
    MachineFixture f(modelII);
    f.s.rY.fill(kOld);
    f.ExecuteAlone("Y1XYZW");
    EXPECT_EQ(f.s.Lamp[kInvalidAddressLamp], LampColour::Red);
    EXPECT_EQ(f.s.rY[0], kOld);
    EXPECT_EQ(f.s.rYStatus, RegisterStatus::InUse);
  }
}

TEST(YAndZ, ZStoresBlocksOfTenAtTheAddressRoundedDown) {
  const YZCase cases[] = {
      {false, false, "Z00123", 120, 10, false}, {true, false, "Z20105", 100, 20, false},
      {true, false, "Z60100", 100, 60, false},  {true, true, "Z30100", 100, 10, false},
      {true, false, "Z69950", 9950, 50, true},  {true, false, "Z70100", 100, 0, false},
      {true, false, "Z00100", 100, 0, false},
  };
  for (const YZCase& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.instruction << " model II " << c.modelII << " as I " << c.operatingAsI);
    MachineFixture f(c.modelII);
    if (c.operatingAsI) SetOperatingAsI(f.s, true);
    for (int i = 0; i < 60; ++i) f.s.rY[static_cast<std::size_t>(i)] = Tagged("0Y", i);
    f.s.rYStatus = RegisterStatus::InUse;
    f.s.Running = true;
    f.ExecuteAlone(c.instruction);
    for (int i = 0; i < c.words; ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(f.Mem(c.first + i), Tagged("0Y", i));
    }
    if (c.first + c.words <= 9999) {
      EXPECT_EQ(f.Mem(c.first + c.words), W("000000000000"));
    }
    EXPECT_EQ(f.Mem(c.first - 1), W("000000000000"));
    EXPECT_EQ(f.s.Lamp[kInvalidAddressLamp], c.pastEnd ? LampColour::Red : LampColour::Grey);
    EXPECT_EQ(f.s.Running, !c.pastEnd);
    EXPECT_TRUE(f.op.fuseWindows.empty());
  }
}

// ---------------------------------------------------------------------------------------------
// Program-logic warnings

TEST(BlockWarnings, ShownAndStopOnlyWithSpecialFunctions) {
  struct Case {
    bool modelII;
    bool operatingAsI;
    const char* instruction;
    bool registerLoaded;  // rV and rY "in use" before the instruction
    std::vector<std::string> messages;
    int storedAt;  // a location the store must still reach, or -1
  };
  const Case cases[] = {
      {false, false, "W00200", false, {"Storing empty rV"}, 200},
      {true, false, "W20200", false, {"Storing empty rV"}, 201},
      {false, false, "Z00200", false, {"Storing empty rY"}, 209},
      {true, false, "Z10200", false, {"Storing empty rY"}, 209},
      {true, false, "V00100", true, {"ORMLAX II has no V0 instruction"}, -1},
      {true, false, "W00200", true, {"ORMLAX II has no W0 instruction"}, -1},
      {true, false, "W00200", false, {"Storing empty rV", "ORMLAX II has no W0 instruction"}, -1},
      {true, false, "Y70100", true, {"ORMLAX II has no Y7 instruction"}, -1},
      {true, false, "Y00100", true, {"ORMLAX II has no Y0 instruction"}, -1},
      {true, false, "Z70200", true, {"ORMLAX II has no Z7 instruction"}, -1},
      {true, false, "Z00200", false, {"Storing empty rY", "ORMLAX II has no Z0 instruction"}, -1},
      {true, false, "V&0100", true, {"ORMLAX II has no V& instruction"}, -1},
      {true, false, "W(0200", true, {"ORMLAX II has no W( instruction"}, -1},
      {true, false, "Y'0100", true, {"ORMLAX II has no Y' instruction"}, -1},
      {true, false, "ZX0200", true, {"ORMLAX II has no ZX instruction"}, -1},
      // No warning:
      {false, false, "W00200", true, {}, 201},
      {false, false, "Z00200", true, {}, 209},
      {true, false, "W'0200", true, {}, 209},
      {true, false, "Z60200", true, {}, 259},
      {true, true, "V00100", true, {}, -1},  // operating as an ORMLAX I the count is 1
      {true, true, "Z00200", true, {}, 209},
      {false, false, "V00100", false, {}, -1},
      {false, false, "Y00100", false, {}, -1},
  };
  for (const Case& c : cases) {
    for (const bool debug : {false, true}) {
      SCOPED_TRACE(::testing::Message()
                   << c.instruction << " model II " << c.modelII << " as I " << c.operatingAsI
                   << " in use " << c.registerLoaded << " debug " << debug);
      MachineFixture f(c.modelII);
      if (c.operatingAsI) SetOperatingAsI(f.s, true);
      f.s.ProgramDebug = debug;
      const RegisterStatus status =
          c.registerLoaded ? RegisterStatus::InUse : RegisterStatus::Cleared;
      f.s.rVStatus = f.s.rYStatus = status;
      f.s.rV.fill(W("0RV000000000"));
      f.s.rY.fill(W("0RY000000000"));
      f.s.Running = true;
      f.ExecuteAlone(c.instruction);
      const bool warned = debug && !c.messages.empty();
      EXPECT_EQ(f.op.messages, warned ? c.messages : std::vector<std::string>{});
      for (const MessageRequest& r : f.op.requests) EXPECT_EQ(r.buttons, MessageButtons::Ok);
      EXPECT_EQ(f.s.Running, !warned);
      if (c.storedAt >= 0) {
        const Word expected = c.instruction[0] == 'W' ? W("0RV000000000") : W("0RY000000000");
        EXPECT_EQ(f.Mem(c.storedAt), expected);
      }
      EXPECT_TRUE(ErrorLampsGrey(f.s));
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Memory fuse

void FillFuseWords(MachineFixture& f, int first, int count) {
  for (int a = first; a < first + count; ++a) f.Mem(a) = kFuseWord;
}

TEST(MemoryFuse, ZBringingOrmlaxIToSevenHundredFuseWordsBlowsIt) {
  struct Case {
    bool modelII;
    bool operatingAsI;
    int preloaded;  // fuse words at 300 onwards
    int preloadAt;
    const char* instruction;
    bool rYHoldsFuseWords;
    bool blows;
  };
  const Case cases[] = {
      {false, false, 690, 300, "Z00100", true, true},    // 690 + 10 = 700
      {false, false, 689, 300, "Z00100", true, false},   // 699
      {false, false, 700, 300, "Z00100", false, true},   // the count is taken after every Z
      {false, false, 700, 300, "Z00XYZ", false, true},   // even one with an invalid address
      {false, false, 700, 1000, "Z00100", true, false},  // only locations 0-999 count
      {false, false, 700, 300, "Z00300", false, false},  // the Z overwrites ten of them: 690
      {true, false, 690, 300, "Z10100", true, false},    // never on ORMLAX II
      {true, false, 9000, 300, "Z60100", true, false},
      {true, true, 690, 300, "Z00100", true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.instruction << " model II " << c.modelII << " as I " << c.operatingAsI
                 << " preloaded " << c.preloaded << " at " << c.preloadAt);
    MachineFixture f(c.modelII);
    if (c.operatingAsI) SetOperatingAsI(f.s, true);
    FillFuseWords(f, c.preloadAt, c.preloaded);
    f.s.rY.fill(c.rYHoldsFuseWords ? kFuseWord : W("0RY000000000"));
    f.s.rYStatus = RegisterStatus::InUse;
    f.s.rA = W("011111111111");
    f.s.rV.fill(W("0RV000000000"));
    f.s.rVStatus = RegisterStatus::InUse;
    f.s.rCC = 50;
    f.s.Running = true;
    f.s.WaitingAtStop = true;
    f.ExecuteAlone(c.instruction);
    if (c.blows) {
      EXPECT_EQ(f.op.fuseWindows, std::vector<int>{1});
      EXPECT_EQ(f.s.FuseReason, 1);
      EXPECT_FALSE(f.s.Running);
      EXPECT_FALSE(f.s.WaitingAtStop);
      int nonZero = 0;
      for (const Word& w : f.s.Memory) nonZero += w == W("000000000000") ? 0 : 1;
      EXPECT_EQ(nonZero, 0);
      EXPECT_EQ(f.s.rCC, 0);
      EXPECT_EQ(f.s.rA, W("000000000000"));
      EXPECT_EQ(f.s.rV[0], W("000000000000"));
      EXPECT_EQ(f.s.rY[0], W("000000000000"));
      EXPECT_EQ(f.s.rVStatus, RegisterStatus::Cleared);
      EXPECT_EQ(f.s.rYStatus, RegisterStatus::Cleared);
    } else {
      EXPECT_TRUE(f.op.fuseWindows.empty());
      EXPECT_EQ(f.s.FuseReason, 0);
      EXPECT_EQ(f.Mem(c.preloadAt + c.preloaded - 1), kFuseWord);
      EXPECT_EQ(f.s.rCC, 50);
      EXPECT_EQ(f.s.rA, W("011111111111"));
    }
    EXPECT_TRUE(f.op.messages.empty());
  }
}

TEST(MemoryFuse, WindowOpensBeforeMemoryIsCleared) {
  class WatchingOperator : public ormlax::testing::ScriptedOperator {
   public:
    std::function<void()> onFuseWindow;
    void ShowFuseWindow(int reason) override {
      onFuseWindow();
      ScriptedOperator::ShowFuseWindow(reason);
    }
  };
  auto installation = MakeInstallation(false, ".");
  MachineState& s = installation->Machine;
  WatchingOperator op;
  Processor cpu(s, op);
  for (int a = 0; a < 700; ++a) s.Memory[static_cast<std::size_t>(a)] = kFuseWord;
  s.rYStatus = RegisterStatus::InUse;
  s.rY.fill(kFuseWord);
  int reasonSeen = 0;
  Word wordSeen;
  op.onFuseWindow = [&] {
    reasonSeen = s.FuseReason;
    wordSeen = s.Memory[699];
  };
  cpu.ExecuteInstruction(Instruction::FromText("Z00100"));
  EXPECT_EQ(op.fuseWindows, std::vector<int>{1});
  EXPECT_EQ(reasonSeen, 1);
  EXPECT_EQ(wordSeen, kFuseWord);
  EXPECT_EQ(s.Memory[699], W("000000000000"));
}

TEST(MemoryFuse, OnlyAZInstructionCountsTheFuseWords) {
  MachineFixture f(false);
  FillFuseWords(f, 300, 700);
  f.s.rV.fill(kFuseWord);
  f.s.rVStatus = RegisterStatus::InUse;
  // Stores and loads of every other kind leave the fuse alone.
  for (const char* instruction : {"H00100", "W00102", "C00104", "Y00300", "V00300", "B00300"}) {
    SCOPED_TRACE(instruction);
    f.ExecuteAlone(instruction);
    EXPECT_TRUE(f.op.fuseWindows.empty());
  }
  f.Load(10, {"000000Z00700"});
  f.s.rCC = 10;
  f.s.Running = true;
  f.cpu.StepWord(true);
  EXPECT_EQ(f.op.fuseWindows, std::vector<int>{1});
  EXPECT_FALSE(f.s.Running);
  EXPECT_EQ(f.Mem(300), W("000000000000"));
  EXPECT_EQ(f.Mem(10), W("000000000000"));
}

}  // namespace
}  // namespace ormlax

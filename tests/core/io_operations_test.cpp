// The input-output instructions 1-8 against fake tape units, typewriter and keyboard, on both
// models.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/fake_devices.h"

namespace ormlax::testing {
namespace {

using Calls = std::vector<std::string>;

class IoOperations : public ::testing::TestWithParam<bool> {
 protected:
  bool ModelII() const { return GetParam(); }
};

INSTANTIATE_TEST_SUITE_P(Models, IoOperations, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "OrmlaxII" : "OrmlaxI"; });

// rI loaded with words that name their place, so a store shows where each word went.
void FillInputRegister(MachineState& s) {
  for (int i = 0; i < 60; ++i) {
    s.rI[static_cast<std::size_t>(i)] = W("0RI" + std::to_string(1000 + i) + "00000");
  }
  s.rIStatus = RegisterStatus::InUse;
}

TEST_P(IoOperations, TapeInstructionsSequenceTheServoPrimitives) {
  struct Case {
    std::string instruction;
    Calls calls;
    int defaultServo = 0;
  };
  std::vector<Case> cases = {
      {"130000", {"ready 3 read", "read 3 forward"}},
      {"230000", {"ready 3 read", "read 3 backward"}},
      {"330100", {"ready 3 read", "read 3 forward"}},
      {"430100", {"ready 3 read", "read 3 backward"}},
      {"530100", {"ready 3 write", "write 3 0100"}},
      {"730100", {"ready 3 write", "write 3 0100"}},
      {"630000", {"rewind 3"}},
      {"830000", {"unload 3"}},
      {"1-0000", {"ready 0 read", "read 0 forward"}},
      {"290000", {"ready 9 read", "read 9 backward"}},
      {"5-0940", {"ready 0 write", "write 0 0940"}},
      {"1 0000", {"ready 7 read", "read 7 forward"}, 7},  // blank: the default servo
      {"5 0100", {"ready 0 write", "write 0 0100"}, 0},
      {"8 0000", {"unload 9"}, 9},
  };
  if (ModelII()) {
    cases.push_back({"1A0000", {"ready 10 read", "read 10 forward"}});
    cases.push_back({"7F0200", {"ready 15 write", "write 15 0200"}});
    cases.push_back({"6 0000", {"rewind 12"}, 12});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.instruction);
    FakeDeviceMachine f{ModelII()};
    f.s.DefaultServo = c.defaultServo;
    f.s.rIStatus = RegisterStatus::InUse;
    f.s.Running = true;
    f.ExecuteAlone(c.instruction);
    EXPECT_EQ(f.calls, c.calls);
    EXPECT_TRUE(f.s.Running);
    EXPECT_TRUE(f.op.messages.empty());
    EXPECT_TRUE(f.tapes.badCalls.empty());
  }
}

TEST_P(IoOperations, WriteHandsTheUnitTheSixtyWordsFromTheAddress) {
  FakeDeviceMachine f{ModelII()};
  for (int i = 0; i < 62; ++i) f.Mem(99 + i) = W("0W" + std::to_string(100000000 + i) + "0");
  f.ExecuteAlone("530100");
  ASSERT_EQ(f.tapes.written.size(), 1u);
  ASSERT_EQ(f.tapes.written[0].size(), 60u);
  EXPECT_EQ(f.tapes.written[0].front(), f.Mem(100));
  EXPECT_EQ(f.tapes.written[0].back(), f.Mem(159));
}

TEST_P(IoOperations, ConsoleVariantsUseTheKeyboardAndTypewriter) {
  struct Case {
    std::string instruction;
    FiftyBreakMode fifty;
    Calls calls;
    bool running;
    LampColour fiftyLamp;
  };
  const std::string printed = "print 0PRINTED0000";
  const std::vector<Case> cases = {
      {"100200", FiftyBreakMode::Normal, {"keyboard"}, true, LampColour::Grey},
      {"500300", FiftyBreakMode::Normal, {printed}, true, LampColour::Grey},
      {"500300", FiftyBreakMode::Skip, {}, true, LampColour::Grey},
      {"500300", FiftyBreakMode::Stop, {printed}, false, LampColour::Red},
      {"300400", FiftyBreakMode::Normal, {}, true, LampColour::Grey},  // store only
      {"400400", FiftyBreakMode::Normal, {}, true, LampColour::Grey},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.instruction + " " + std::to_string(static_cast<int>(c.fifty)));
    FakeDeviceMachine f{ModelII()};
    f.s.FiftyBreak = c.fifty;
    f.s.Running = true;
    f.Mem(300) = W("0PRINTED0000");
    f.keyboard.word = W("0TYPED000042");
    FillInputRegister(f.s);
    f.ExecuteAlone(c.instruction);
    EXPECT_EQ(f.calls, c.calls);
    EXPECT_EQ(f.s.Running, c.running);
    EXPECT_EQ(f.s.Lamp[kFiftyStopLamp], c.fiftyLamp);
    EXPECT_TRUE(f.op.messages.empty());
    if (c.instruction[0] == '1') {
      EXPECT_EQ(f.Mem(200), W("0TYPED000042"));
    }
    if (c.instruction[0] == '3' || c.instruction[0] == '4') {
      EXPECT_EQ(f.Mem(400), f.s.rI[0]);
      EXPECT_EQ(f.Mem(459), f.s.rI[59]);
      EXPECT_EQ(f.s.rIStatus, RegisterStatus::Cleared);
    }
  }
}

TEST_P(IoOperations, InvalidInputOutputInstructionsAreInvalidOpcodes) {
  std::vector<std::string> invalid = {"200100", "600100", "700100", "800100", "1G0100",
                                      "5a0100", "3*0100", "6.0100", "950100", "9 0100"};
  if (!ModelII()) {
    for (const char* i : {"1A0100", "2B0100", "5C0100", "6F0100"}) invalid.push_back(i);
  }
  for (const std::string& instruction : invalid) {
    SCOPED_TRACE(instruction);
    FakeDeviceMachine f{ModelII()};
    f.s.Running = true;
    f.s.rIStatus = RegisterStatus::InUse;
    f.ExecuteAlone(instruction);
    EXPECT_TRUE(f.calls.empty());
    EXPECT_FALSE(f.s.Running);
    EXPECT_EQ(f.s.Lamp[kInvalidOpcodeLamp], LampColour::Red);
    EXPECT_EQ(f.s.Lamp[kRunningLamp], LampColour::Red);
    ASSERT_EQ(f.op.messages.size(), 1u);
    EXPECT_EQ(f.op.messages[0], "\"" + instruction.substr(0, 2) + "\" is not a valid opcode");
    EXPECT_EQ(f.s.rIStatus, RegisterStatus::InUse);
  }
}

TEST_P(IoOperations, StoringRIMarksItClearedAndTheReadRefillsIt) {
  FakeDeviceMachine f{ModelII()};
  FillInputRegister(f.s);
  const Word first = f.s.rI[0], last = f.s.rI[59];
  f.ExecuteAlone("330100");
  EXPECT_EQ(f.Mem(100), first);
  EXPECT_EQ(f.Mem(159), last);
  EXPECT_EQ(f.Mem(160), kZeroWord);
  // The read that follows the store brought in a new block.
  EXPECT_EQ(f.s.rI[0], FakeTapeUnits::BlockWord(3, 1, 0));
  EXPECT_EQ(f.s.rIStatus, RegisterStatus::InUse);
}

TEST_P(IoOperations, StoreWithInvalidAddressStoresNothingAndReadsNothing) {
  struct Case {
    std::string instruction;
    RegisterStatus after;  // "4" marks rI cleared before it tests the address
  };
  const std::vector<Case> cases = {{"330A00", RegisterStatus::InUse},
                                   {"430A00", RegisterStatus::Cleared},
                                   {"300A00", RegisterStatus::InUse},
                                   {"400A00", RegisterStatus::Cleared}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.instruction);
    FakeDeviceMachine f{ModelII()};
    FillInputRegister(f.s);
    f.s.Running = true;
    f.ExecuteAlone(c.instruction);
    EXPECT_TRUE(f.calls.empty());
    EXPECT_FALSE(f.s.Running);
    EXPECT_EQ(f.s.Lamp[kInvalidAddressLamp], LampColour::Red);
    EXPECT_EQ(f.s.rIStatus, c.after);
    for (int a = 0; a < kMaxMemorySize; ++a) ASSERT_EQ(f.Mem(a), kZeroWord) << a;
  }
}

TEST_P(IoOperations, StoreNearTheTopOfMemory) {
  FakeDeviceMachine f{ModelII()};
  FillInputRegister(f.s);
  f.s.Running = true;
  if (!ModelII()) {
    // Three address digits reach 999 at most; the block runs on into places above 999.
    f.ExecuteAlone("339999");
    EXPECT_EQ(f.Mem(999), W("0RI100000000"));
    EXPECT_EQ(f.Mem(1058), W("0RI105900000"));
    EXPECT_TRUE(f.s.Running);
    EXPECT_EQ(f.calls, (Calls{"ready 3 read", "read 3 forward"}));
    return;
  }
  // Locations 9950-9999 take rI words 0-49; then the store stops with Invalid address.
  f.ExecuteAlone("339950");
  EXPECT_EQ(f.Mem(9950), W("0RI100000000"));
  EXPECT_EQ(f.Mem(9999), W("0RI104900000"));
  EXPECT_EQ(f.Mem(0), kZeroWord);
  EXPECT_EQ(f.s.Lamp[kInvalidAddressLamp], LampColour::Red);
  EXPECT_FALSE(f.s.Running);
  EXPECT_TRUE(f.calls.empty());
}

TEST_P(IoOperations, StoringFromClearedRIWarnsWithSpecialFunctions) {
  struct Case {
    std::string instruction;
    bool debug;
    RegisterStatus status;
    bool warns;
  };
  const std::vector<Case> cases = {
      {"330100", true, RegisterStatus::Cleared, true},
      {"430100", true, RegisterStatus::Cleared, true},
      {"300100", true, RegisterStatus::Cleared, true},
      {"330100", true, RegisterStatus::InUse, false},
      {"430100", true, RegisterStatus::InUse, false},
      {"330100", false, RegisterStatus::Cleared, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.instruction + (c.debug ? " debug" : "") +
                 (c.status == RegisterStatus::Cleared ? " cleared" : " in use"));
    FakeDeviceMachine f{ModelII()};
    FillInputRegister(f.s);
    const Word first = f.s.rI[0];
    f.s.rIStatus = c.status;
    f.s.ProgramDebug = c.debug;
    f.s.Running = true;
    f.ExecuteAlone(c.instruction);
    EXPECT_EQ(f.op.messages, c.warns ? Calls{"Storing from cleared rI"} : Calls{});
    EXPECT_EQ(f.s.Running, !c.warns);
    EXPECT_EQ(f.Mem(100), first);  // the store happens all the same
    if (c.instruction[1] != '0') {
      EXPECT_EQ(f.calls.size(), 2u);  // and so does the read
    }
  }
}

TEST_P(IoOperations, ServoNotReadyEndsTheInstructionAtOnce) {
  struct Case {
    std::string instruction;
    bool writeProtectedOnly;  // the servo is ready for reading, not for writing
    Calls calls;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"130000", false, {"ready 3 read"}, "Servo 3 not ready"},
      {"230000", false, {"ready 3 read"}, "Servo 3 not ready"},
      {"330100", false, {"ready 3 read"}, "Servo 3 not ready"},
      {"430100", false, {"ready 3 read"}, "Servo 3 not ready"},
      {"530100", false, {"ready 3 write"}, "Servo 3 not ready"},
      {"730100", true, {"ready 3 write"}, "Servo 3 not ready"},
      {"1-0000", false, {"ready 0 read"}, "Servo - not ready"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.instruction);
    FakeDeviceMachine f{ModelII()};
    const int servo = c.instruction[1] == '-' ? 0 : c.instruction[1] - '0';
    if (c.writeProtectedOnly) {
      f.tapes.writeProtected[static_cast<std::size_t>(servo)] = true;
    } else {
      f.tapes.ready[static_cast<std::size_t>(servo)] = false;
    }
    FillInputRegister(f.s);
    ShowLocation(f.s, 100);  // the console shows location 100
    f.s.Running = true;
    f.s.Lamp[kRunningLamp] = LampColour::Green;
    f.ExecuteAlone(c.instruction);
    EXPECT_EQ(f.calls, c.calls);
    EXPECT_EQ(f.op.messages, Calls{c.message});
    EXPECT_FALSE(f.s.Running);
    EXPECT_EQ(f.s.Lamp[kRunningLamp], LampColour::Red);
    // Ended at once: the console's contents box is not refreshed, even where the store changed
    // location 100.
    EXPECT_EQ(f.s.Panel.Contents, kZeroWord);
  }
}

TEST_P(IoOperations, CompletedInstructionRefreshesTheConsolesContents) {
  FakeDeviceMachine f{ModelII()};
  FillInputRegister(f.s);
  ShowLocation(f.s, 100);
  f.ExecuteAlone("330100");
  EXPECT_EQ(f.s.Panel.Contents, W("0RI100000000"));
}

TEST_P(IoOperations, ReadyIsNotAskedForRewinds) {
  for (const char* instruction : {"630000", "830000"}) {
    SCOPED_TRACE(instruction);
    FakeDeviceMachine f{ModelII()};
    f.tapes.ready[3] = false;
    f.s.Running = true;
    f.ExecuteAlone(instruction);
    EXPECT_EQ(f.calls, Calls{std::string(instruction[0] == '6' ? "rewind 3" : "unload 3")});
    EXPECT_TRUE(f.s.Running);
    EXPECT_TRUE(f.op.messages.empty());
  }
}

TEST_P(IoOperations, WriteAddressIsTestedBeforeTheServo) {
  struct Case {
    std::string instruction;
    bool refused;
  };
  std::vector<Case> cases = {{"5-0A00", true}, {"7-0A00", true}, {"5-0999", false}};
  if (ModelII()) {
    cases.push_back({"5-9940", false});  // the block ends at 9999
    cases.push_back({"5-9941", true});
    cases.push_back({"739999", true});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.instruction);
    FakeDeviceMachine f{ModelII()};
    f.tapes.ready.fill(false);  // a refused write must not even ask the unit
    f.s.Running = true;
    f.ExecuteAlone(c.instruction);
    if (c.refused) {
      EXPECT_TRUE(f.calls.empty());
      EXPECT_TRUE(f.op.messages.empty());
      EXPECT_EQ(f.s.Lamp[kInvalidAddressLamp], LampColour::Red);
    } else {
      EXPECT_EQ(f.calls, Calls{"ready 0 write"});
      EXPECT_EQ(f.s.Lamp[kInvalidAddressLamp], LampColour::Grey);
    }
    EXPECT_FALSE(f.s.Running);
    EXPECT_TRUE(f.tapes.badCalls.empty());
  }
}

TEST_P(IoOperations, ConsoleInstructionsWithInvalidAddressDoNothing) {
  for (FiftyBreakMode mode : {FiftyBreakMode::Skip, FiftyBreakMode::Normal, FiftyBreakMode::Stop}) {
    for (const char* instruction : {"100A00", "500A00"}) {
      SCOPED_TRACE(std::string(instruction) + " " + std::to_string(static_cast<int>(mode)));
      FakeDeviceMachine f{ModelII()};
      f.s.FiftyBreak = mode;
      f.s.Running = true;
      f.ExecuteAlone(instruction);
      EXPECT_TRUE(f.calls.empty());
      EXPECT_EQ(f.s.Lamp[kInvalidAddressLamp], LampColour::Red);
      EXPECT_EQ(f.s.Lamp[kFiftyStopLamp], LampColour::Grey);
      EXPECT_FALSE(f.s.Running);
    }
  }
}

TEST_P(IoOperations, KeyboardWaitsForTheTypewriterToEmpty) {
  FakeDeviceMachine f{ModelII()};
  f.typewriter.HoldFor(3);
  f.keyboard.word = W("0ABC00000000");
  f.s.Running = true;
  f.ExecuteAlone("100200");
  EXPECT_EQ(f.op.yields, 3);
  EXPECT_EQ(f.keyboard.yieldsWhenOpened, std::vector<int>{3});
  EXPECT_EQ(f.Mem(200), W("0ABC00000000"));
  EXPECT_TRUE(f.s.Running);
}

TEST_P(IoOperations, KeyboardAfterPrintingWaitsWithinTheSameWord) {
  FakeDeviceMachine f{ModelII()};
  f.typewriter.busyAfterPrint = 2;
  f.Mem(300) = W("0HELLO000000");
  f.Load(10, {"500300100200", "900000000000"});
  f.s.rCC = 10;
  f.cpu.Run();
  EXPECT_EQ(f.calls, (Calls{"print 0HELLO000000", "keyboard"}));
  ASSERT_EQ(f.keyboard.yieldsWhenOpened.size(), 1u);
  EXPECT_EQ(f.keyboard.yieldsWhenOpened[0], 2);  // both yields inside word 10
  EXPECT_EQ(f.s.rCC, 12);
}

TEST_P(IoOperations, KeyboardLeavingTheMachineStoppedEndsInTheStopAction) {
  struct Case {
    const char* name;
    bool singleStep;   // "Continue in single-step"
    bool stopWaiting;  // Stop pressed while waiting for the typewriter
    bool stops;
  };
  const std::vector<Case> cases = {
      {"entered", false, false, false},
      {"continue in single-step", true, false, true},
      {"Stop while waiting", false, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeDeviceMachine f{ModelII()};
    f.keyboard.word = W("0KEYED000001");
    f.keyboard.continueInSingleStep = c.singleStep;
    if (c.stopWaiting) {
      f.typewriter.HoldFor(2);
      f.op.QueueAction([&] { f.cpu.Stop(); });
      f.op.QueueAction([] {});
    }
    // 10: read the keyboard into 200, then store rA at 201; 11: nothing; 12: stop.
    f.Load(10, {"100200H00201", "000000000000", "900000000000"});
    f.s.rA = W("000000000005");
    f.s.rCC = 10;
    f.cpu.Run();
    EXPECT_EQ(f.Mem(200), W("0KEYED000001"));
    EXPECT_EQ(f.Mem(201), W("000000000005"));  // the rest of the word ran
    EXPECT_EQ(f.s.rCC, c.stops ? 11 : 13);
    EXPECT_FALSE(f.s.Running);
    EXPECT_FALSE(f.s.WaitingAtStop);
    EXPECT_EQ(f.s.Lamp[kRunningLamp], LampColour::Red);
    EXPECT_TRUE(f.s.Panel.rSRBlank);
  }
}

TEST_P(IoOperations, KeyboardStopActionWhenNotRunning) {
  FakeDeviceMachine f{ModelII()};
  f.s.Running = false;
  f.s.Lamp[kRunningLamp] = LampColour::Yellow;
  f.s.Panel.rSRBlank = false;
  f.ExecuteAlone("100200");
  EXPECT_EQ(f.calls, Calls{"keyboard"});
  EXPECT_EQ(f.s.Lamp[kRunningLamp], LampColour::Red);
  EXPECT_TRUE(f.s.Panel.rSRBlank);
}

}  // namespace
}  // namespace ormlax::testing

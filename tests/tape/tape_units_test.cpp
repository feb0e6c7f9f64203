// The servo table's block primitives on real tape files, alone and through the tape instructions.
#include "tape/tape_units.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "core/processor.h"
#include "tests/support/file_size_limit.h"
#include "tests/tape/tape_test_support.h"

namespace ormlax::testing {
namespace {

void FillMemory(MachineState& s, int at, int b) {
  for (int j = 0; j < 60; ++j) s.Memory[static_cast<std::size_t>(at + j)] = BlockWord(b, j);
}

std::string Suffix(char id) {
  return std::string("\r\non Servo  ") + id;
}

TEST(ServoIdentity, IdentifiersAndMessageSuffix) {
  const std::pair<int, char> cases[] = {{0, '-'}, {1, '1'}, {9, '9'}, {10, 'A'}, {15, 'F'}};
  for (const auto& [servo, id] : cases) {
    SCOPED_TRACE(servo);
    EXPECT_EQ(ServoIdentifier(servo), id);
    EXPECT_EQ(ServoMessageSuffix(servo), std::string("\r\non Servo  ") + id);
  }
}

TEST(ServoShapes, StateShapeByStateAndInUseShapeByPosition) {
  struct Case {
    ServoState state;
    int position;
    LampColour stateShape, inUseShape;
  };
  const Case cases[] = {
      {ServoState::Empty, 0, LampColour::Grey, LampColour::Grey},
      {ServoState::ReadWrite, 1, LampColour::Green, LampColour::Grey},
      {ServoState::ReadWrite, 7, LampColour::Green, LampColour::Yellow},
      {ServoState::WriteProtected, 2, LampColour::Cyan, LampColour::Yellow},
      {ServoState::Unloaded, 0, LampColour::Red, LampColour::Grey},
      {ServoState::Unloaded, 1, LampColour::Red, LampColour::Grey},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.state) * 100 + c.position);
    ServoUnit unit;
    unit.State = c.state;
    unit.Position = c.position;
    EXPECT_EQ(ServoStateColour(unit), c.stateShape);
    EXPECT_EQ(ServoInUseColour(unit), c.inUseShape);
  }
}

TEST(ServoReadiness, ReadyByStateAndDirection) {
  TapeRig rig(true);
  WriteTape(rig.folder / "t.tap", 1);
  rig.Mount(1, "t.tap");
  rig.Mount(10, "t.tap", true);
  rig.Mount(15, "u.tap");
  rig.tapes.UnloadTape(15);
  struct Case {
    int servo;
    bool forWrite;
    const char* notReady;  // nullptr: ready
  };
  const Case cases[] = {
      {0, false, "Servo - not ready"},
      {1, false, nullptr},
      {1, true, nullptr},
      {10, false, nullptr},
      {10, true, "Servo A not ready"},
      {15, false, "Servo F not ready"},
      {15, true, "Servo F not ready"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.servo << (c.forWrite ? " write" : " read"));
    rig.op.messages.clear();
    rig.s.Running = true;
    rig.s.Lamp[kRunningLamp] = LampColour::Green;
    EXPECT_EQ(rig.tapes.CheckServoReady(c.servo, c.forWrite), c.notReady == nullptr);
    if (c.notReady == nullptr) {
      EXPECT_TRUE(rig.op.messages.empty());
      EXPECT_TRUE(rig.s.Running);
    } else {
      EXPECT_EQ(rig.op.messages, std::vector<std::string>{c.notReady});
      EXPECT_FALSE(rig.s.Running);
      EXPECT_EQ(rig.s.Lamp[kRunningLamp], LampColour::Red);
    }
  }
}

TEST(TapeTransfers, WritingMovesTheEndOfDataAndARemountFindsTheWholeFile) {
  TapeRig rig;
  rig.Mount(0, "t.tap");  // a blank tape
  for (int b = 1; b <= 3; ++b) {
    FillMemory(rig.s, 100, b);
    rig.tapes.WriteTapeBlock(0, 100);
  }
  EXPECT_EQ(rig.Unit(0).EndOfData, 19);
  EXPECT_EQ(ServoInUseColour(rig.Unit(0)), LampColour::Yellow);
  rig.tapes.RewindTape(0);
  FillMemory(rig.s, 200, 9);
  rig.tapes.WriteTapeBlock(0, 200);
  EXPECT_EQ(rig.Unit(0).EndOfData, 7);
  EXPECT_EQ(ReadBytes(rig.folder / "t.tap"), BlockBytes(9) + BlockBytes(2) + BlockBytes(3));

  rig.tapes.RewindTape(0);
  rig.tapes.ReadTapeBlock(0, true);
  EXPECT_EQ(rig.s.rI, BlockWords(9));
  EXPECT_EQ(rig.s.rIStatus, RegisterStatus::InUse);
  rig.s.Running = true;
  rig.tapes.ReadTapeBlock(0, true);
  EXPECT_EQ(rig.op.messages, std::vector<std::string>{"Reading past end of data" + Suffix('-')});
  EXPECT_EQ(rig.Unit(0).State, ServoState::Unloaded);
  EXPECT_EQ(rig.Unit(0).Position, 0);
  EXPECT_FALSE(rig.Unit(0).File.IsOpen());
  EXPECT_EQ(rig.Unit(0).FileName, (rig.folder / "t.tap").string());
  EXPECT_EQ(rig.s.rI, BlockWords(9));  // nothing transferred
  EXPECT_EQ(rig.s.rIStatus, RegisterStatus::Cleared);
  EXPECT_TRUE(rig.s.Running);  // the run goes on

  rig.Mount(0, "t.tap");
  EXPECT_EQ(rig.Unit(0).EndOfData, 19);
  for (int b : {9, 2, 3}) {
    rig.tapes.ReadTapeBlock(0, true);
    EXPECT_EQ(rig.s.rI, BlockWords(b));
  }
  EXPECT_EQ(rig.op.messages.size(), 1u);
}

TEST(TapeTransfers, ReadingBackwardGivesTheBlockJustReadForward) {
  TapeRig rig;
  WriteTape(rig.folder / "t.tap", 3);
  rig.Mount(7, "t.tap");
  rig.tapes.ReadTapeBlock(7, true);
  rig.tapes.ReadTapeBlock(7, true);
  ASSERT_EQ(rig.Unit(7).Position, 13);

  rig.tapes.ReadTapeBlock(7, false);
  EXPECT_EQ(rig.s.rI, BlockWords(2));
  EXPECT_EQ(rig.Unit(7).Position, 7);
  EXPECT_EQ(rig.s.rIStatus, RegisterStatus::InUse);
  rig.tapes.ReadTapeBlock(7, false);
  EXPECT_EQ(rig.s.rI, BlockWords(1));
  EXPECT_EQ(rig.Unit(7).Position, 1);
  EXPECT_EQ(ServoInUseColour(rig.Unit(7)), LampColour::Grey);
  rig.tapes.ReadTapeBlock(7, true);
  EXPECT_EQ(rig.s.rI, BlockWords(1));
  EXPECT_EQ(ServoInUseColour(rig.Unit(7)), LampColour::Yellow);
  EXPECT_TRUE(rig.op.messages.empty());
}

TEST(TapeTransfers, ReadingBackwardAtTheBeginningUnloads) {
  TapeRig rig(true);
  WriteTape(rig.folder / "t.tap", 2);
  rig.Mount(10, "t.tap");
  rig.s.rI = BlockWords(5);
  rig.s.rIStatus = RegisterStatus::InUse;
  rig.s.Running = true;
  rig.tapes.ReadTapeBlock(10, false);
  EXPECT_EQ(rig.op.messages,
            std::vector<std::string>{"Attempt to read past beginning of tape" + Suffix('A')});
  EXPECT_EQ(rig.Unit(10).State, ServoState::Unloaded);
  EXPECT_EQ(rig.Unit(10).EndOfData, 13);
  EXPECT_EQ(rig.s.rI, BlockWords(5));
  EXPECT_EQ(rig.s.rIStatus, RegisterStatus::Cleared);
  EXPECT_TRUE(rig.s.Running);
}

TEST(TapeCapacity, Block1950IsTheLastThatCanBeRead) {
  TapeRig rig;
  WriteTape(rig.folder / "full.tap", 1950);
  rig.Mount(0, "full.tap");
  ASSERT_EQ(rig.Unit(0).EndOfData, 11701);
  for (int b = 1; b <= 1950; ++b) rig.tapes.ReadTapeBlock(0, true);
  ASSERT_TRUE(rig.op.messages.empty());
  EXPECT_EQ(rig.s.rI, BlockWords(1950));
  EXPECT_EQ(rig.Unit(0).Position, 11701);
  // Past the capacity and the data at once: the end of data is what the operator is told.
  rig.tapes.ReadTapeBlock(0, true);
  EXPECT_EQ(rig.op.messages, std::vector<std::string>{"Reading past end of data" + Suffix('-')});
  EXPECT_EQ(rig.Unit(0).State, ServoState::Unloaded);
  EXPECT_EQ(rig.s.rI, BlockWords(1950));
}

TEST(TapeCapacity, AFileLongerThanAFullTapeIsNotMounted) {
  TapeRig rig;
  WriteTape(rig.folder / "long.tap", 1951);
  EXPECT_FALSE(MountTape(rig.servos, 0, rig.op, rig.folder.Path(), "long.tap", false));
  EXPECT_EQ(rig.op.messages,
            std::vector<std::string>{"The tape\r\n" + (rig.folder / "long.tap").string() +
                                     "\r\nis longer than a full tape (1950 blocks)"});
  EXPECT_EQ(rig.Unit(0).State, ServoState::Empty);
}

TEST(TapeCapacity, Block1950IsTheLastThatCanBeWritten) {
  TapeRig rig;
  WriteTape(rig.folder / "t.tap", 1949);
  rig.Mount(0, "t.tap");
  for (int b = 1; b <= 1949; ++b) rig.tapes.ReadTapeBlock(0, true);
  ASSERT_TRUE(rig.op.messages.empty());
  FillMemory(rig.s, 500, 1950);
  rig.tapes.WriteTapeBlock(0, 500);
  ASSERT_TRUE(rig.op.messages.empty());
  EXPECT_EQ(rig.Unit(0).EndOfData, 11701);
  EXPECT_EQ(fs::file_size(rig.folder / "t.tap"), 1450800u);
  rig.tapes.ReadTapeBlock(0, false);
  EXPECT_EQ(rig.s.rI, BlockWords(1950));
  rig.tapes.ReadTapeBlock(0, true);
  EXPECT_EQ(rig.s.rI, BlockWords(1950));

  FillMemory(rig.s, 500, 1951);
  rig.tapes.WriteTapeBlock(0, 500);
  EXPECT_EQ(rig.op.messages,
            std::vector<std::string>{"Attempt to write past end of tape" + Suffix('-')});
  EXPECT_EQ(rig.Unit(0).State, ServoState::Unloaded);
  EXPECT_EQ(rig.Unit(0).EndOfData, 11701);
  EXPECT_EQ(fs::file_size(rig.folder / "t.tap"), 1450800u);
}

TEST(TapeRewind, EmptyServoUnchangedUnloadedServoRewoundButNotReady) {
  TapeRig rig;
  rig.tapes.RewindTape(4);
  rig.tapes.UnloadTape(4);
  EXPECT_EQ(rig.Unit(4).State, ServoState::Empty);
  EXPECT_EQ(rig.Unit(4).Position, 0);

  WriteTape(rig.folder / "t.tap", 2);
  rig.Mount(5, "t.tap");
  rig.tapes.ReadTapeBlock(5, true);
  rig.tapes.ReadTapeBlock(5, true);
  rig.tapes.RewindTape(5);
  EXPECT_EQ(rig.Unit(5).Position, 1);
  EXPECT_EQ(ServoInUseColour(rig.Unit(5)), LampColour::Grey);
  rig.tapes.ReadTapeBlock(5, true);
  EXPECT_EQ(rig.s.rI, BlockWords(1));

  rig.tapes.UnloadTape(5);
  EXPECT_EQ(rig.Unit(5).State, ServoState::Unloaded);
  EXPECT_EQ(rig.Unit(5).Position, 0);
  EXPECT_EQ(rig.Unit(5).FileName, (rig.folder / "t.tap").string());
  rig.tapes.RewindTape(5);
  EXPECT_EQ(rig.Unit(5).Position, 1);
  EXPECT_EQ(rig.Unit(5).State, ServoState::Unloaded);
  EXPECT_FALSE(rig.tapes.CheckServoReady(5, false));
  EXPECT_EQ(rig.op.messages, std::vector<std::string>{"Servo 5 not ready"});
}

TEST(TapeInstructions, ReadingPastTheEndOfDataThenNotReadyOnServoA) {
  TapeRig rig(true);
  WriteTape(rig.folder / "t.tap", 2);
  rig.Mount(10, "t.tap");
  Processor cpu(rig.s, rig.op, Peripherals{&rig.tapes});
  rig.s.Running = true;
  cpu.ExecuteInstruction(Instruction::FromText("1A0000"));
  cpu.ExecuteInstruction(Instruction::FromText("1A0000"));
  EXPECT_EQ(rig.s.rI, BlockWords(2));
  EXPECT_TRUE(rig.op.messages.empty());
  cpu.ExecuteInstruction(Instruction::FromText("1A0000"));
  EXPECT_EQ(rig.op.messages, std::vector<std::string>{"Reading past end of data" + Suffix('A')});
  EXPECT_EQ(ServoStateColour(rig.Unit(10)), LampColour::Red);
  EXPECT_TRUE(rig.s.Running);
  cpu.ExecuteInstruction(Instruction::FromText("1A0000"));
  ASSERT_EQ(rig.op.messages.size(), 2u);
  EXPECT_EQ(rig.op.messages[1], "Servo A not ready");
  EXPECT_FALSE(rig.s.Running);
}

TEST(TapeInstructions, WriteProtectedTapeReadsButRefusesAWrite) {
  TapeRig rig;
  WriteTape(rig.folder / "t.tap", 1);
  rig.Mount(3, "t.tap", true);
  EXPECT_EQ(rig.Unit(3).State, ServoState::WriteProtected);
  Processor cpu(rig.s, rig.op, Peripherals{&rig.tapes});
  rig.s.Running = true;
  cpu.ExecuteInstruction(Instruction::FromText("130000"));
  EXPECT_EQ(rig.s.rI, BlockWords(1));
  EXPECT_TRUE(rig.op.messages.empty());

  FillMemory(rig.s, 100, 7);
  cpu.ExecuteInstruction(Instruction::FromText("530100"));
  EXPECT_EQ(rig.op.messages, std::vector<std::string>{"Servo 3 not ready"});
  EXPECT_FALSE(rig.s.Running);
  EXPECT_EQ(rig.s.Lamp[kRunningLamp], LampColour::Red);
  EXPECT_EQ(ReadBytes(rig.folder / "t.tap"), BlockBytes(1));
  EXPECT_EQ(rig.Unit(3).Position, 7);
}

TEST(TapeHostErrors, AFileCutShortUnderTheServoUnloadsItWithAMessage) {
  TapeRig rig;
  WriteTape(rig.folder / "t.tap", 2);
  rig.Mount(0, "t.tap");
  rig.tapes.ReadTapeBlock(0, true);
  fs::resize_file(rig.folder / "t.tap", 744 + 300);  // block 2 is now cut short
  rig.tapes.ReadTapeBlock(0, true);
  ASSERT_EQ(rig.op.messages.size(), 1u);
  const std::string& text = rig.op.messages[0];
  EXPECT_TRUE(text.starts_with("The tape file\r\n" + (rig.folder / "t.tap").string() +
                               "\r\ncannot be read"))
      << text;
  EXPECT_TRUE(text.ends_with(Suffix('-'))) << text;
  EXPECT_EQ(rig.Unit(0).State, ServoState::Unloaded);
  EXPECT_EQ(rig.s.rI, BlockWords(1));
  EXPECT_EQ(rig.s.rIStatus, RegisterStatus::Cleared);
}

TEST(TapeHostErrors, AWriteTheHostRefusesUnloadsTheServoWithAMessage) {
  TapeRig rig;
  rig.Mount(2, "t.tap");
  FillMemory(rig.s, 100, 4);
  {
    FileSizeLimit limit(1000);  // the second block does not fit, as on a full disk
    rig.tapes.WriteTapeBlock(2, 100);
    rig.tapes.WriteTapeBlock(2, 100);
  }
  const std::string path = (rig.folder / "t.tap").string();
  EXPECT_EQ(rig.op.messages,
            std::vector<std::string>{"The tape file\r\n" + path + "\r\ncannot be written (" +
                                     std::strerror(EFBIG) + ")" + Suffix('2')});
  EXPECT_EQ(rig.tapes.HostFileErrors(), rig.op.messages);
  EXPECT_EQ(rig.Unit(2).State, ServoState::Unloaded);
  EXPECT_EQ(rig.Unit(2).EndOfData, 7);
  EXPECT_EQ(fs::file_size(path), 744u);  // the first block only, whole
  EXPECT_EQ(rig.s.Memory[100], BlockWord(4, 0));
}

}  // namespace
}  // namespace ormlax::testing

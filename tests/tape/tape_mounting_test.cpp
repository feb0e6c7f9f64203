// Mounting as one operation: what the servo window, the command line and the tests all call.
#include "tape/tape_mounting.h"

#include <gtest/gtest.h>

#include "installation/console_operations.h"
#include "tests/tape/tape_test_support.h"

namespace ormlax::testing {
namespace {

TEST(MountTape, NamesMountsAndReplacesWhatTheServoHeld) {
  TapeRig rig;
  WriteTape(rig.folder / "a.tap", 2);
  WriteTape(rig.folder / "b.tap", 1);
  ASSERT_TRUE(MountTape(rig.servos, 3, rig.op, rig.folder.Path(), "a.tap", false));
  EXPECT_EQ(rig.Unit(3).State, ServoState::ReadWrite);
  EXPECT_EQ(rig.Unit(3).EndOfData, 13);
  EXPECT_EQ(rig.Unit(3).FileName, (rig.folder / "a.tap").string());
  EXPECT_FALSE(rig.Unit(3).File.IsReadOnly());

  // Another tape on the same servo takes the place of the first, write-protected and opened for
  // reading only.
  ASSERT_TRUE(MountTape(rig.servos, 3, rig.op, rig.folder.Path(), "b.tap", true));
  EXPECT_EQ(rig.Unit(3).State, ServoState::WriteProtected);
  EXPECT_EQ(rig.Unit(3).EndOfData, 7);
  EXPECT_TRUE(rig.Unit(3).File.IsReadOnly());
  EXPECT_TRUE(rig.op.messages.empty());

  // A missing file: the blank-tape question, answered by its default button (Yes).
  ASSERT_TRUE(MountTape(rig.servos, 4, rig.op, rig.folder.Path(), "new.tap", false));
  EXPECT_EQ(rig.op.messages,
            std::vector<std::string>{"File new.tap not present.\r\nIs this a blank tape?"});
  EXPECT_EQ(rig.Unit(4).EndOfData, 1);
  EXPECT_TRUE(fs::exists(rig.folder / "new.tap"));

  // Answered No: nothing is mounted and no file is made.
  rig.op.QueueAnswer(MessageAnswer::No);
  EXPECT_FALSE(MountTape(rig.servos, 5, rig.op, rig.folder.Path(), "other.tap", false));
  EXPECT_EQ(rig.Unit(5).State, ServoState::Empty);
  EXPECT_FALSE(fs::exists(rig.folder / "other.tap"));
}

TEST(MountTape, TheServoHoldingAFileIsFoundByAnyNameOfIt) {
  TapeRig rig;
  WriteTape(rig.folder / "a.tap", 1);
  fs::create_directory(rig.folder / "sub");
  fs::create_symlink(rig.folder / "a.tap", rig.folder / "link.tap");
  rig.Mount(7, "a.tap");
  EXPECT_EQ(ServoHoldingFile(rig.servos, rig.folder / "a.tap"), 7);
  EXPECT_EQ(ServoHoldingFile(rig.servos, rig.folder / "sub" / ".." / "a.tap"), 7);
  EXPECT_EQ(ServoHoldingFile(rig.servos, rig.folder / "link.tap"), 7);
  EXPECT_EQ(ServoHoldingFile(rig.servos, rig.folder / "b.tap"), -1);
  // An unloaded tape keeps its name: its file is still the servo's.
  rig.tapes.UnloadTape(7);
  EXPECT_EQ(ServoHoldingFile(rig.servos, rig.folder / "a.tap"), 7);
  EXPECT_TRUE(DismountTape(rig.Unit(7), 7, rig.op));
  EXPECT_EQ(ServoHoldingFile(rig.servos, rig.folder / "a.tap"), -1);
}

TEST(SwitchOff, ClosesEveryTapeFile) {
  TapeRig rig(true);
  for (int servo : {0, 9, 15}) rig.Mount(servo, "t" + std::to_string(servo) + ".tap");
  EXPECT_TRUE(SwitchOff(*rig.installation).empty());
  for (const ServoUnit& unit : rig.servos) EXPECT_FALSE(unit.File.IsOpen());
}

TEST(DumpMemory, NeverOverwritesATapeAndSaysWhy) {
  TapeRig rig;
  WriteTape(rig.folder / "t.tap", 1);
  rig.Mount(2, "t.tap", true);
  rig.s.Memory[5] = Word::FromText("B00010A00011");
  std::string error;
  EXPECT_FALSE(DumpMemory(*rig.installation, "t.tap", error));
  EXPECT_EQ(error, "The memory dump could not be written to\r\n" + (rig.folder / "t.tap").string() +
                       "\r\n(it is the tape on Servo  2)");
  EXPECT_EQ(ReadBytes(rig.folder / "t.tap"), BlockBytes(1));
  ASSERT_TRUE(DumpMemory(*rig.installation, "memdump.txt", error)) << error;
  EXPECT_EQ(ReadBytes(rig.folder / "memdump.txt"),
            "000  000000  000000\n001  000000  000000\n002  000000  000000\n003  000000  "
            "000000\n004  000000  000000\n005  B00010  A00011\n");
}

}  // namespace
}  // namespace ormlax::testing

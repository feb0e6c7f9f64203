// The servo window model: proposal of the assembled program, selection with the dismount
// question, naming and mounting, and the state of its controls along the way.
#include "tape/servo_window.h"

#include <gtest/gtest.h>

#include "tests/tape/tape_test_support.h"

namespace ormlax::testing {
namespace {

const char* const kDismountQuestion =
    "There is already a tape\r\nmounted on this servo.\r\nUnmount it?";

// The controls after a refresh: step 1 only.
void ExpectRefreshed(const ServoWindow& w) {
  EXPECT_EQ(w.SelectedServo, ServoWindow::kNoServo);
  EXPECT_EQ(w.labInstEnabled, (std::array<bool, 2>{true, false}));
  EXPECT_FALSE(w.txtFileNameEnabled);
  EXPECT_FALSE(w.chkReadOnly);
  EXPECT_FALSE(w.chkReadOnlyEnabled);
  EXPECT_FALSE(w.cmdMountEnabled);
}

TEST(ServoWindowOpening, ProposesTheAssembledProgramOnce) {
  TapeRig rig;
  std::string lastAssembled = "payroll";
  rig.window.labOrEnabled = true;
  rig.window.Open(lastAssembled);
  ExpectRefreshed(rig.window);
  EXPECT_FALSE(rig.window.labOrEnabled);
  EXPECT_EQ(rig.window.txtFileName, "payroll.obj");
  EXPECT_EQ(lastAssembled, "");

  ServoWindow again(rig.servos, rig.op, rig.folder.Path(), false);
  again.Open(lastAssembled);
  EXPECT_EQ(again.txtFileName, "");
}

TEST(ServoWindowMounting, NamingAndMountingStepByStep) {
  TapeRig rig;
  WriteTape(rig.folder / "data.tap", 1);
  std::string none;
  rig.window.Open(none);
  rig.window.SelectServo(4);
  EXPECT_EQ(rig.window.SelectedServo, 4);
  EXPECT_EQ(rig.window.labInstEnabled, (std::array<bool, 2>{false, true}));
  EXPECT_TRUE(rig.window.txtFileNameEnabled);
  EXPECT_FALSE(rig.window.cmdMountEnabled);

  rig.window.txtFileName = "data.tap";
  rig.window.NameFile();
  EXPECT_TRUE(rig.op.messages.empty());
  EXPECT_FALSE(rig.window.labInstEnabled[1]);
  EXPECT_TRUE(rig.window.chkReadOnlyEnabled);
  EXPECT_TRUE(rig.window.cmdMountEnabled);

  rig.window.chkReadOnly = true;
  rig.window.Mount();
  const ServoUnit& unit = rig.Unit(4);
  EXPECT_EQ(unit.State, ServoState::WriteProtected);
  EXPECT_EQ(unit.Position, 1);
  EXPECT_EQ(unit.EndOfData, 7);
  EXPECT_EQ(unit.FileName, (rig.folder / "data.tap").string());
  EXPECT_TRUE(unit.File.IsOpen());
  EXPECT_EQ(rig.window.shaServo(4), LampColour::Cyan);
  EXPECT_EQ(rig.window.shaInUse(4), LampColour::Grey);
  EXPECT_TRUE(rig.window.labOrEnabled);
  ExpectRefreshed(rig.window);
  EXPECT_EQ(rig.window.txtFileName, "");
  EXPECT_TRUE(rig.op.messages.empty());
}

TEST(ServoWindowMounting, NamesAreTakenFromTheWorkingFolderUnlessAbsolute) {
  TapeRig rig;
  TempFolder elsewhere;
  WriteTape(elsewhere / "abs.tap", 2);
  fs::create_directory(rig.folder / "sub");
  WriteTape(rig.folder / "sub" / "rel.tap", 3);
  struct Case {
    std::string typed;
    fs::path expected;
    int endOfData;
  };
  const Case cases[] = {
      {(elsewhere / "abs.tap").string(), elsewhere / "abs.tap", 13},
      {"sub/rel.tap", rig.folder / "sub" / "rel.tap", 19},
  };
  int servo = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    rig.Mount(servo, c.typed);
    EXPECT_EQ(rig.Unit(servo).FileName, c.expected.string());
    EXPECT_EQ(rig.Unit(servo).EndOfData, c.endOfData);
    EXPECT_EQ(rig.Unit(servo).State, ServoState::ReadWrite);
    ++servo;
  }
}

TEST(ServoWindowMounting, BlankTapeQuestionYesMountsAnEmptyTapeNoClearsTheName) {
  TapeRig rig;
  std::string none;
  rig.window.Open(none);
  rig.window.SelectServo(0);
  rig.window.txtFileName = "fresh.tap";
  rig.op.QueueAnswer(MessageAnswer::No);
  rig.window.NameFile();
  ASSERT_EQ(rig.op.messages.size(), 1u);
  EXPECT_EQ(rig.op.messages[0], "File fresh.tap not present.\r\nIs this a blank tape?");
  EXPECT_EQ(rig.op.requests[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(rig.op.requests[0].icon, MessageIcon::Question);
  EXPECT_EQ(rig.window.txtFileName, "");
  EXPECT_FALSE(rig.window.cmdMountEnabled);
  EXPECT_TRUE(rig.window.labInstEnabled[1]);
  EXPECT_FALSE(rig.Unit(0).BlankTape);

  rig.window.txtFileName = "fresh.tap";
  rig.op.QueueAnswer(MessageAnswer::Yes);
  rig.window.NameFile();
  EXPECT_TRUE(rig.Unit(0).BlankTape);
  EXPECT_TRUE(rig.window.cmdMountEnabled);
  EXPECT_FALSE(fs::exists(rig.folder / "fresh.tap"));
  rig.window.Mount();
  EXPECT_EQ(rig.Unit(0).State, ServoState::ReadWrite);
  EXPECT_EQ(rig.Unit(0).EndOfData, 1);
  EXPECT_TRUE(fs::exists(rig.folder / "fresh.tap"));
  EXPECT_EQ(rig.op.messages.size(), 2u);
}

TEST(ServoWindowMounting, RefusedFilesLeaveTheServoEmpty) {
  TapeRig rig;
  WriteBytes(rig.folder / "odd.tap", std::string(745, 'x'));
  WriteBytes(rig.folder / "lines.tap", std::string(744, 'x'));
  fs::create_directory(rig.folder / "folder.tap");
  struct Case {
    const char* name;
    bool nameAccepted;    // the name step lets the mount button be used
    bool blankQuestion;   // the name step asks whether it is a blank tape (answered Yes)
    std::string message;  // the start of the last message
  };
  const fs::path& dir = rig.folder.Path();
  const Case cases[] = {
      {"odd.tap", false, false,
       "The tape\r\n" + (dir / "odd.tap").string() + "\r\nis not a ORMLAX tape"},
      {"lines.tap", true, false,
       (dir / "lines.tap").string() + " does not appear to be a valid tape file"},
      // A folder is not a file: refused without being opened.
      {"folder.tap", false, false,
       "The tape file\r\n" + (dir / "folder.tap").string() +
           "\r\ncannot be a tape (it is a folder)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    rig.op.messages.clear();
    std::string none;
    rig.window.Open(none);
    rig.window.SelectServo(6);
    rig.window.txtFileName = c.name;
    if (c.blankQuestion) rig.op.QueueAnswer(MessageAnswer::Yes);
    rig.window.NameFile();
    EXPECT_EQ(rig.window.cmdMountEnabled, c.nameAccepted);
    // A name refused at once stays in the box, selected, so that typing replaces it.
    EXPECT_EQ(rig.window.txtFileName, c.name);
    EXPECT_EQ(rig.window.txtFileNameSelected, !c.nameAccepted);
    if (c.nameAccepted) rig.window.Mount();
    ASSERT_FALSE(rig.op.messages.empty());
    EXPECT_EQ(rig.op.messages.size(), c.blankQuestion ? 2u : 1u);
    EXPECT_TRUE(rig.op.messages.back().starts_with(c.message)) << rig.op.messages.back();
    const ServoUnit& unit = rig.Unit(6);
    EXPECT_EQ(unit.State, ServoState::Empty);
    EXPECT_EQ(unit.Position, 0);
    EXPECT_EQ(unit.FileName, "");
    EXPECT_FALSE(unit.File.IsOpen());
  }
}

TEST(ServoWindowSelection, DismountQuestionNoKeepsTheTapeYesEmptiesTheServo) {
  TapeRig rig;
  WriteTape(rig.folder / "t.tap", 2);
  rig.Mount(2, "t.tap");
  rig.tapes.ReadTapeBlock(2, true);

  std::string none;
  rig.window.Open(none);
  rig.window.SelectServo(2);  // unanswered: the default button
  ASSERT_EQ(rig.op.messages.size(), 1u);
  EXPECT_EQ(rig.op.messages[0], kDismountQuestion);
  EXPECT_EQ(rig.op.requests[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(rig.op.requests[0].icon, MessageIcon::Question);
  EXPECT_EQ(rig.op.requests[0].defaultAnswer, MessageAnswer::No);
  ExpectRefreshed(rig.window);
  EXPECT_EQ(rig.Unit(2).State, ServoState::ReadWrite);
  EXPECT_EQ(rig.Unit(2).Position, 7);
  EXPECT_TRUE(rig.Unit(2).File.IsOpen());

  rig.op.QueueAnswer(MessageAnswer::Yes);
  rig.window.SelectServo(2);
  EXPECT_EQ(rig.op.messages.size(), 2u);
  const ServoUnit& unit = rig.Unit(2);
  EXPECT_EQ(unit.State, ServoState::Empty);
  EXPECT_FALSE(unit.File.IsOpen());
  EXPECT_EQ(unit.Position, 0);
  EXPECT_EQ(unit.EndOfData, 0);
  EXPECT_EQ(unit.FileName, "");
  EXPECT_EQ(rig.window.shaServo(2), LampColour::Grey);
  EXPECT_EQ(rig.window.shaInUse(2), LampColour::Grey);
  EXPECT_EQ(rig.window.SelectedServo, 2);
  EXPECT_EQ(rig.window.labInstEnabled, (std::array<bool, 2>{false, true}));
  EXPECT_TRUE(rig.window.txtFileNameEnabled);
  EXPECT_EQ(fs::file_size(rig.folder / "t.tap"), 2u * 744);  // the file itself is kept
}

TEST(ServoWindowSelection, AnUnloadedServoIsSelectedWithoutAQuestion) {
  TapeRig rig;
  WriteTape(rig.folder / "t.tap", 1);
  rig.Mount(1, "t.tap");
  rig.tapes.UnloadTape(1);
  std::string none;
  rig.window.Open(none);
  rig.window.SelectServo(1);
  EXPECT_TRUE(rig.op.messages.empty());
  EXPECT_EQ(rig.window.SelectedServo, 1);
}

TEST(ServoWindowSelection, OnlyTheModelsServosCanBeSelected) {
  for (bool modelII : {false, true}) {
    SCOPED_TRACE(modelII);
    TapeRig rig(modelII);
    EXPECT_EQ(rig.window.ServoCount(), modelII ? 16 : 10);
    rig.window.SelectServo(10);
    EXPECT_EQ(rig.window.SelectedServo, modelII ? 10 : ServoWindow::kNoServo);
  }
}

}  // namespace
}  // namespace ormlax::testing

// The desk's state: the source and target boxes, files mounted on the tape units, the reset, and
// the choice of plugboard.
#include "offline/offline_state.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "offline/name_acceptance.h"
#include "offline/offline_messages.h"
#include "offline/plugboard_choice.h"
#include "offline/standard_boards.h"
#include "tape/tape_mounting.h"
#include "tape/tape_recognition.h"
#include "tests/offline/offline_test_support.h"

namespace ormlax {
namespace {

using testing::TapeOf;

class OffLineStateTest : public testing::OffLineDeskTest {};

TEST_F(OffLineStateTest, TheSourceIsATapeWhenItsLengthIsWholeBlocks) {
  Write("one.tap", std::string(744, 'x'));
  Write("short.txt", std::string(100, 'x'));
  Write("empty.tap", "");
  std::filesystem::create_directory(folder / "dir");
  struct Case {
    std::string name;
    NameAcceptance acceptance;
    SourceKind kind;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"one.tap", NameAcceptance::Accepted, SourceKind::OrmlaxTape, {}},
      {"short.txt", NameAcceptance::Accepted, SourceKind::OtherFile, {}},
      {"empty.tap", NameAcceptance::Accepted, SourceKind::OrmlaxTape, {}},
      {Path("one.tap"), NameAcceptance::Accepted, SourceKind::OrmlaxTape, {}},
      {"", NameAcceptance::Ignored, SourceKind::None, {}},
      {"none.tap", NameAcceptance::Missing, SourceKind::None, {"There is no such tape"}},
      {"dir",
       NameAcceptance::NotAFile,
       SourceKind::None,
       {"The tape file\r\n" + Path("dir") + "\r\ncannot be used (it is a folder)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    op.messages.clear();
    state.Source = SourceKind::OrmlaxTape;  // from an earlier name: forgotten first
    state.SourcePath = "earlier";
    EXPECT_EQ(AcceptSource(desk, c.name), c.acceptance);
    EXPECT_EQ(state.Source, c.kind);
    EXPECT_EQ(state.SourcePath,
              c.kind == SourceKind::None ? "" : FullPathOf(folder.Path(), c.name).string());
    EXPECT_EQ(op.messages, c.messages);
  }
}

TEST_F(OffLineStateTest, AnExistingTargetIsKeptUnlessTheOperatorAgreesToOverwriteIt) {
  Write("one.tap", std::string(744, 'x'));
  Write("short.txt", std::string(100, 'x'));
  struct Case {
    std::string name;
    MessageAnswer answer;
    TargetKind kind;
    bool asked;
  };
  const Case cases[] = {
      {"new.tap", MessageAnswer::No, TargetKind::Overwritable, false},
      {"one.tap", MessageAnswer::No, TargetKind::KeptTape, true},
      {"short.txt", MessageAnswer::No, TargetKind::KeptFile, true},
      {"one.tap", MessageAnswer::Yes, TargetKind::Overwritable, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetOffLineState(state, board);
    op.requests.clear();
    if (c.asked) op.QueueAnswer(c.answer);
    EXPECT_EQ(AcceptTarget(desk, c.name), NameAcceptance::Accepted);
    EXPECT_EQ(state.Target, c.kind);
    EXPECT_EQ(state.MayOverwrite, c.kind == TargetKind::Overwritable);
    EXPECT_EQ(state.TargetPath, Path(c.name));
    ASSERT_EQ(op.requests.size(), c.asked ? 1u : 0u);
    if (c.asked) {
      EXPECT_EQ(op.requests[0].text, "That tape is in use; overwrite?");
      EXPECT_EQ(op.requests[0].buttons, MessageButtons::YesNo);
      EXPECT_EQ(op.requests[0].icon, MessageIcon::Question);
      EXPECT_EQ(op.requests[0].defaultAnswer, MessageAnswer::No);
    }
  }
  // A target once accepted stays until the next reset.
  EXPECT_EQ(AcceptTarget(desk, "other.tap"), NameAcceptance::Ignored);
  EXPECT_EQ(state.TargetPath, Path("one.tap"));
}

// A file on a tape unit is refused under every spelling of its name, as a source and as a
// target, while it is mounted and after it was unloaded (the unit keeps its name).
TEST_F(OffLineStateTest, ATapeOnATapeUnitIsRefusedUnderAnySpellingOfItsName) {
  Write("x.tap", TapeOf({}));
  std::filesystem::create_directory(folder / "sub");
  std::filesystem::create_symlink(folder / "x.tap", folder / "link.tap");
  std::filesystem::create_hard_link(folder / "x.tap", folder / "hard.tap");
  ASSERT_TRUE(MountTape(servos, 3, op, folder.Path(), "x.tap", false));
  for (const bool unloaded : {false, true}) {
    if (unloaded) {
      servos[3].File.Close();
      servos[3].State = ServoState::Unloaded;
    }
    for (const std::string& name : std::vector<std::string>{
             "x.tap", "./x.tap", "sub/../x.tap", "link.tap", "hard.tap", Path("x.tap")}) {
      SCOPED_TRACE(name + (unloaded ? " (unloaded)" : ""));
      ResetOffLineState(state, board);
      op.messages.clear();
      EXPECT_EQ(AcceptSource(desk, name), NameAcceptance::Mounted);
      EXPECT_EQ(AcceptTarget(desk, name), NameAcceptance::Mounted);
      EXPECT_EQ(state.Source, SourceKind::None);
      EXPECT_EQ(state.Target, TargetKind::None);
      const std::string full = FullPathOf(folder.Path(), name).string();
      EXPECT_EQ(op.messages, std::vector<std::string>(2, full + "\r\nis mounted on ORMLAX"));
    }
  }
  // Another file beside it is not refused.
  Write("y.tap", TapeOf({}));
  EXPECT_EQ(AcceptSource(desk, "y.tap"), NameAcceptance::Accepted);
  EXPECT_EQ(AcceptTarget(desk, "sub/../y2.tap"), NameAcceptance::Accepted);
}

TEST_F(OffLineStateTest, TheResetForgetsSourceTargetLampsAndTheListedBoard) {
  ASSERT_TRUE(WriteStandardBoards(folder.Path(), op));
  ChoosePlugboardOption(desk, PlugboardChoice::Straight);
  state.Source = SourceKind::OrmlaxTape;
  state.SourcePath = "s";
  state.Target = TargetKind::Overwritable;
  state.TargetPath = "t";
  state.MayOverwrite = true;
  state.PrinterPaused = true;
  state.BreakpointLamp = LampColour::Red;
  state.StopLamp = LampColour::Red;
  state.BreakpointSwitch = true;
  board.BoardNumber = 5;
  ResetOffLineState(state, board);
  EXPECT_EQ(state.Source, SourceKind::None);
  EXPECT_EQ(state.SourcePath, "");
  EXPECT_EQ(state.Target, TargetKind::None);
  EXPECT_EQ(state.TargetPath, "");
  EXPECT_FALSE(state.MayOverwrite);
  EXPECT_FALSE(state.PrinterPaused);
  EXPECT_EQ(state.BreakpointLamp, LampColour::Grey);
  EXPECT_EQ(state.StopLamp, LampColour::Grey);
  EXPECT_EQ(board.BoardNumber, kNoBoardNumber);
  // What stays: the switch, the option and the board.
  EXPECT_TRUE(state.BreakpointSwitch);
  EXPECT_EQ(state.Choice, PlugboardChoice::Straight);
  EXPECT_EQ(board.BoardFileName, "1.pgb");
  EXPECT_TRUE(board.Usable());
}

TEST_F(OffLineStateTest, ChoosingABoardByOptionAndFromTheList) {
  ASSERT_TRUE(WriteStandardBoards(folder.Path(), op));
  testing::BoardFile user;
  user.name = "Payroll";
  Write("5.pgb", user.Text());

  EXPECT_FALSE(ChoosePlugboardOption(desk, PlugboardChoice::Straight));
  EXPECT_EQ(WhichBoardText(board), "Using 1.pgb Straight");
  EXPECT_TRUE(board.Usable());

  EXPECT_TRUE(ChoosePlugboardOption(desk, PlugboardChoice::User));  // the editor opens
  EXPECT_FALSE(board.Usable());

  EXPECT_FALSE(ChooseListedBoard(desk, 0));
  EXPECT_EQ(state.Choice, PlugboardChoice::Split);
  EXPECT_EQ(WhichBoardText(board), "Using 0.pgb 1-to-1 split");
  EXPECT_EQ(board.BoardNumber, 0);

  EXPECT_TRUE(ChooseListedBoard(desk, 5));  // the editor opens on board 5
  EXPECT_EQ(state.Choice, PlugboardChoice::User);
  EXPECT_EQ(board.BoardNumber, 5);
  EXPECT_EQ(WhichBoardText(board), "Using 5.pgb Payroll");

  EXPECT_TRUE(UseBoard(desk, 5));  // as the editor leaves it after saving
  EXPECT_TRUE(board.Usable());
  EXPECT_FALSE(UseBoard(desk, 9));
  EXPECT_EQ(WhichBoardText(board), "");
  EXPECT_EQ(op.messages, std::vector<std::string>{"Cannot open plugboard file 9.pgb"});
}

}  // namespace
}  // namespace ormlax

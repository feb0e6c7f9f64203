// The off-line window's behaviour: boxes emptied after an operation that ran to its end and kept
// after a refusal, the key-to-tape button's prerequisite, the plugboard list, the buttons
// enabled during a printer run paused at a breakpoint, and when the window closes.
#include "offline/offline_window.h"

#include <gtest/gtest.h>

#include "offline/plugboard_choice.h"
#include "offline/standard_boards.h"
#include "tape/tape_mounting.h"
#include "tests/offline/offline_test_support.h"

namespace ormlax {
namespace {

using testing::Blockette;
using testing::BoardFile;
using testing::CrLfLines;
using testing::StopBlockette;
using testing::TapeOf;

class OffLineWindowTest : public testing::OffLineDeskTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteStandardBoards(folder.Path(), op));
    window.Open();
  }
  void Name(const std::string& source, const std::string& target) {
    window.txtSource = source;
    window.NameSource();
    window.txtTarget = target;
    window.LeaveTarget();
  }
  std::vector<bool> Enabled() const {
    std::vector<bool> enabled;
    for (int k = 0; k < kOffLineButtons; ++k) enabled.push_back(window.ButtonEnabled(k));
    return enabled;
  }
  OffLineOutcome Click(OffLineButton button) {
    return window.Click(button, [this] { ++ormtypersOpened; });
  }

  OffLineWindow window{desk};
  int ormtypersOpened = 0;
};

TEST_F(OffLineWindowTest, OpeningResetsTheDeskButKeepsTheBoardAndItsOption) {
  ChoosePlugboardOption(desk, PlugboardChoice::Straight);
  state.Source = SourceKind::OrmlaxTape;
  state.SourcePath = Path("x");
  state.StopLamp = LampColour::Red;
  board.BoardNumber = 4;
  window.txtSource = "x";
  window.Open();
  EXPECT_EQ(state.Source, SourceKind::None);
  EXPECT_EQ(state.StopLamp, LampColour::Grey);
  EXPECT_EQ(board.BoardNumber, -1);
  EXPECT_EQ(window.txtSource, "");
  EXPECT_EQ(state.Choice, PlugboardChoice::Straight);
  EXPECT_EQ(window.WhichBoard(), "Using 1.pgb Straight");
  EXPECT_EQ(Enabled(), std::vector<bool>(8, true));
}

TEST_F(OffLineWindowTest, ANameOnATapeUnitEmptiesItsBoxAndAKeptTargetTakesNoOtherName) {
  Write("on3.tap", "");
  Write("kept.txt", "text");
  servos[3].FileName = Path("on3.tap");
  window.txtSource = "on3.tap";
  window.NameSource();
  EXPECT_EQ(window.txtSource, "");
  EXPECT_EQ(op.messages.back(), Path("on3.tap") + "\r\nis mounted on ORMLAX");

  op.QueueAnswer(MessageAnswer::No);
  window.txtTarget = "kept.txt";
  window.NameTarget();
  EXPECT_EQ(state.Target, TargetKind::KeptFile);
  EXPECT_TRUE(window.TargetAccepted());
  window.txtTarget = "other.txt";
  window.LeaveTarget();
  EXPECT_EQ(state.TargetPath, Path("kept.txt"));
}

// A conversion that ran to its end empties both boxes; one refused by its message leaves them.
TEST_F(OffLineWindowTest, TheBoxesAreEmptiedOnlyAfterAnOperationRanToItsEnd) {
  Write("in.txt", "HELLO");
  Name("in.txt", "out.tap");
  EXPECT_EQ(Click(OffLineButton::TapeToText), OffLineOutcome::Refused);  // not a tape
  EXPECT_EQ(window.txtSource, "in.txt");
  EXPECT_EQ(window.txtTarget, "out.tap");
  EXPECT_EQ(Click(OffLineButton::TextToTape), OffLineOutcome::Completed);
  EXPECT_EQ(window.txtSource, "");
  EXPECT_EQ(window.txtTarget, "");
  EXPECT_EQ(state.Target, TargetKind::None);
  EXPECT_EQ(Read("out.tap").size(), 744u);
  EXPECT_EQ(Enabled(), std::vector<bool>(8, true));
}

TEST_F(OffLineWindowTest, TheOrmtyperNeedsATargetAndResetsTheDeskWhenItCloses) {
  EXPECT_EQ(Click(OffLineButton::Ormtyper), OffLineOutcome::Refused);
  EXPECT_EQ(ormtypersOpened, 0);
  EXPECT_EQ(op.messages, std::vector<std::string>{
                             "This function requires an output tape.\r\nIt can add to an existing "
                             "ORMLAX tape."});
  Name("", "typed.tap");
  EXPECT_EQ(Click(OffLineButton::Ormtyper), OffLineOutcome::Completed);
  EXPECT_EQ(ormtypersOpened, 1);
  EXPECT_EQ(state.Target, TargetKind::None);
  EXPECT_EQ(window.txtTarget, "");
}

TEST_F(OffLineWindowTest, TheListShowsTheBoardsInNumberOrderAndAPickChoosesOne) {
  for (const int n : {12, 4, 7}) {
    BoardFile f;
    f.name = "Board " + std::to_string(n);
    Write(std::to_string(n) + ".pgb", f.Text());
  }
  EXPECT_EQ(window.ListCaption(), "List plugboards");
  EXPECT_EQ(Click(OffLineButton::ListPlugboards), OffLineOutcome::Completed);
  EXPECT_TRUE(window.ListShown);
  EXPECT_EQ(window.ListCaption(), "Close list");
  std::vector<std::string> texts;
  for (const PlugboardEntry& e : window.List) texts.push_back(e.Text);
  EXPECT_EQ(texts,
            (std::vector<std::string>{"1-to-1 split (0.pgb)", "Straight (1.pgb)", "Board 4 (4.pgb)",
                                      "Board 7 (7.pgb)", "Board 12 (12.pgb)"}));
  // Board 0 chooses its option, loads it and hides the list.
  EXPECT_FALSE(window.PickListed(0));
  EXPECT_FALSE(window.ListShown);
  EXPECT_EQ(window.ListCaption(), "List plugboards");
  EXPECT_EQ(state.Choice, PlugboardChoice::Split);
  EXPECT_EQ(window.WhichBoard(), "Using 0.pgb 1-to-1 split");
  // A user board opens the editor on it.
  Click(OffLineButton::ListPlugboards);
  EXPECT_TRUE(window.PickListed(3));
  EXPECT_EQ(state.Choice, PlugboardChoice::User);
  EXPECT_EQ(board.BoardNumber, 7);
  // "Close list" hides it again.
  Click(OffLineButton::ListPlugboards);
  Click(OffLineButton::ListPlugboards);
  EXPECT_FALSE(window.ListShown);
  EXPECT_TRUE(window.List.empty());
}

// While a run waits at a breakpoint only "HSP (Normal)" can be clicked, and the boxes and the
// plugboard choice are out of use; its click resumes the run, which then goes on to its end.
TEST_F(OffLineWindowTest, APausedRunIsResumedByItsOwnButton) {
  Write("in.tap",
        TapeOf({Blockette("ONE"), Blockette("TWO b"), Blockette("THREE"), StopBlockette()}));
  ChoosePlugboardOption(desk, PlugboardChoice::Straight);
  state.BreakpointSwitch = true;
  Name("in.tap", "out.txt");
  std::vector<bool> enabledWhilePaused;
  bool controlsWhilePaused = true;
  bool pausedFlag = false;
  LampColour lampWhilePaused = LampColour::Grey;
  OffLineOutcome resumed = OffLineOutcome::Refused;
  op.QueueAction([&] {
    enabledWhilePaused = Enabled();
    controlsWhilePaused = window.DeskControlsEnabled();
    lampWhilePaused = state.BreakpointLamp;
    pausedFlag = state.PrinterPaused;
    resumed = Click(OffLineButton::PrintNormal);
    // The run goes on after this click returns: its own button stays the only one.
    EXPECT_EQ(Enabled(),
              (std::vector<bool>{false, false, false, false, true, false, false, false}));
  });
  op.SetIdleAction([&] { state.EndPausedRun = true; });  // a second wait would be a fault
  EXPECT_EQ(Click(OffLineButton::PrintNormal), OffLineOutcome::Completed);
  EXPECT_EQ(enabledWhilePaused,
            (std::vector<bool>{false, false, false, false, true, false, false, false}));
  EXPECT_FALSE(controlsWhilePaused);
  EXPECT_EQ(lampWhilePaused, LampColour::Red);
  EXPECT_TRUE(pausedFlag);
  EXPECT_EQ(resumed, OffLineOutcome::Resumed);
  EXPECT_EQ(op.yields, 1);
  const std::vector<std::string> lines = CrLfLines(Read("out.txt"));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2].substr(0, 5), "THREE");
  EXPECT_EQ(Enabled(), std::vector<bool>(8, true));
  EXPECT_TRUE(window.DeskControlsEnabled());
  EXPECT_EQ(window.txtSource, "");
  EXPECT_FALSE(window.Closed);
}

// "Exit" while a run waits at a breakpoint ends the run there; the window closes once it has.
TEST_F(OffLineWindowTest, ExitDuringAPauseEndsTheRunAndThenCloses) {
  Write("in.tap", TapeOf({Blockette("ONE"), Blockette("TWO b"), Blockette("THREE")}));
  ChoosePlugboardOption(desk, PlugboardChoice::Straight);
  state.BreakpointSwitch = true;
  Name("in.tap", "out.txt");
  bool closedAtOnce = true;
  op.QueueAction([&] { closedAtOnce = window.Exit(); });
  EXPECT_EQ(Click(OffLineButton::PrintNormal), OffLineOutcome::Completed);
  EXPECT_FALSE(closedAtOnce);
  EXPECT_TRUE(window.Closed);
  EXPECT_FALSE(state.EndPausedRun);
  const std::vector<std::string> lines = CrLfLines(Read("out.txt"));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].substr(0, 3), "ONE");
  // With nothing running, Exit closes at once.
  window.Open();
  EXPECT_TRUE(window.Exit());
  EXPECT_TRUE(window.Closed);
}

// A skip to a channel that is not punched slews the paper to trash and closes the window.
TEST_F(OffLineWindowTest, PaperSlewedToTrashClosesTheWindowAfterTheRun) {
  Write("in.tap", TapeOf({Blockette("|SKIP"), StopBlockette()}));
  ChoosePlugboardOption(desk, PlugboardChoice::Straight);
  Name("in.tap", "out.txt");
  EXPECT_EQ(Click(OffLineButton::PrintNormal), OffLineOutcome::EndedByMessage);
  EXPECT_EQ(op.messages.back(),
            "Skip to channel 2, but no punch\r\nin carriage tape.  Paper slewed to trash!");
  EXPECT_TRUE(window.Closed);
  EXPECT_FALSE(state.CloseRequested);
}

}  // namespace
}  // namespace ormlax

// "HSP (Normal)": blockettes through the plugboard, the carriage tape, the printer stop and
// breakpoint characters, the refusals, and the end of a run, to a text file and to a printer.
#include "offline/print_normal.h"

#include <gtest/gtest.h>

#include "offline/offline_messages.h"
#include "offline/plugboard_choice.h"
#include "offline/plugboard_file.h"
#include "tests/offline/offline_test_support.h"
#include "tests/support/file_size_limit.h"

namespace ormlax {
namespace {

using testing::Blockette;
using testing::BoardFile;
using testing::CrLfLines;
using testing::PrintedLine;
using testing::TapeOf;

// Number field: 12 digits of n.
std::string Digits(long n) {
  const std::string d = std::to_string(n);
  return std::string(12 - d.size(), '0') + d;
}

// A blockette of a 20-character text and a 12-digit number field at positions 21-32.
std::string Record(const std::string& text, long n) {
  std::string t = text;
  t.resize(20, ' ');
  return Blockette(t + Digits(n));
}

class PrintNormalTest : public testing::OffLineDeskTest {
 protected:
  void UseBoardFile(const BoardFile& file, int n = 5) {
    Write(std::to_string(n) + ".pgb", file.Text());
    ASSERT_TRUE(LoadPlugboard(board, n, folder.Path(), op));
  }
  // A form of 20 lines: channel 1 and 7 on line 1, an automatic skip from line 15 to line 20;
  // the text at 1-20, the number field at 101-112 with leading zeros suppressed on normal lines
  // (from 21, ended at 32) and from 25 on multiline lines; ML1 prints 1-10, ML2 11-32.
  static BoardFile ReportBoard() {
    BoardFile file;
    file.Wire(1, 1, 20, 1).Wire(1, 21, 32, 101);
    file.Wire(2, 1, 10, 5);
    file.Wire(3, 11, 20, 5).Wire(3, 21, 32, 101);
    file.rows[8][21] = "N+";
    file.rows[8][25] = "M+";
    file.rows[8][32] = "N";
    file.formLength = "20";
    file.channels = {"1", "", "", "", "15", "20", "1"};
    file.name = "Report";
    return file;
  }
  std::vector<std::string> Printed() { return CrLfLines(Read("out.txt")); }
};

TEST_F(PrintNormalTest, AWholeReportThroughMultilinesZeroSuppressionAndSkips) {
  UseBoardFile(ReportBoard());
  std::vector<std::string> tape = {Record("@TITLE", 0)};
  for (int n = 1; n <= 14; ++n) tape.push_back(Record("ITEM " + std::to_string(n), n * 111));
  tape.push_back(Record("rFIRST    SECOND", 42));  // multiline
  tape.push_back(Record("@rSKIPPED", 0));          // to the next form, then multiline
  tape.push_back(Record("BREAK b HERE", 7));       // the switch is off: printed
  std::string stop = Blockette("NOT PRINTED");
  stop[119] = 's';
  tape.push_back(stop);
  tape.push_back(Record("NEVER", 1));
  Write("report.tap", TapeOf(tape));
  Choose("report.tap", "out.txt");

  EXPECT_EQ(PrintTapeNormal(desk), OffLineOutcome::Completed);
  EXPECT_TRUE(op.messages.empty()) << op.messages.front();

  std::vector<std::string> expected;
  expected.push_back(PrintedLine({{2, "TITLE"}, {112, "0"}}));  // "@" prints as a space
  for (int n = 1; n <= 14; ++n) {
    const std::string number = std::to_string(n * 111);
    expected.push_back(PrintedLine(
        {{1, "ITEM " + std::to_string(n)}, {113 - static_cast<int>(number.size()), number}}));
    // Printing line 14 brings the paper to line 15: an automatic skip to line 20.
    if (n == 13) expected.insert(expected.end(), 5, "");
  }
  expected.push_back(PrintedLine({{6, "FIRST"}}));                               // ML1, line 1
  expected.push_back(PrintedLine({{5, "SECOND"}, {101, "0000"}, {111, "42"}}));  // ML2
  expected.insert(expected.end(), 18, "");  // lines 3-20: to channel 1 of the next form
  expected.push_back(PrintedLine({{7, "SKIPPED"}}));
  expected.push_back(PrintedLine({{101, "0000"}}));
  expected.push_back(PrintedLine({{1, "BREAK   HERE"}, {112, "7"}}));
  EXPECT_EQ(Printed(), expected);

  // The run's end: source and target forgotten, the "HSP Stop" lamp lit.
  EXPECT_EQ(state.Source, SourceKind::None);
  EXPECT_EQ(state.Target, TargetKind::None);
  EXPECT_EQ(state.StopLamp, LampColour::Red);
  EXPECT_EQ(state.BreakpointLamp, LampColour::Grey);
  EXPECT_EQ(board.BoardNumber, kNoBoardNumber);
  EXPECT_TRUE(board.Usable());  // the board stays
}

TEST_F(PrintNormalTest, ToThePrinterAFormIsAPageInTheMonospacedFont) {
  UseBoardFile(ReportBoard());
  std::vector<std::string> tape = {Record("@TITLE", 0)};
  for (int n = 1; n <= 14; ++n) tape.push_back(Record("ITEM", n));
  tape.push_back(Record("ONE MORE", 0));   // on line 1 of the second form
  tape.push_back(Record("@rSKIPPED", 0));  // from line 2 to line 1 of the third
  Write("report.tap", TapeOf(tape));
  Choose("report.tap", "out.txt");
  // The same tape into a file, for comparison.
  ASSERT_EQ(PrintTapeNormal(desk), OffLineOutcome::Completed);
  const std::vector<std::string> file = Printed();

  testing::RecordingPrinter printer;
  desk.Printer = &printer;
  Choose("report.tap", "unused");
  state.Target = TargetKind::None;
  op.QueueAnswer(MessageAnswer::Ok);
  EXPECT_EQ(PrintTapeNormal(desk), OffLineOutcome::Completed);
  ASSERT_EQ(op.messages.size(), 1u);
  EXPECT_EQ(op.requests[0].text, offline_text::kDefaultPrinterQuestion);
  EXPECT_EQ(op.requests[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(op.requests[0].defaultAnswer, MessageAnswer::Cancel);

  EXPECT_EQ(printer.fontsTried, (std::vector<std::string>{"Sans", "Serif", "Mono", "Sans"}));
  EXPECT_EQ(printer.fontAtForm, "Mono");
  EXPECT_EQ(printer.columns, 130);
  EXPECT_EQ(printer.lines, 20);
  EXPECT_EQ(printer.font, "Sans");  // given back after the run
  EXPECT_EQ(printer.size, 9);
  EXPECT_EQ(printer.ended, 1);
  // The lines of the file, with a new page where the paper passed the end of the form in a skip:
  // after the first form, the line on the second and its 19 blank lines.
  std::vector<std::string> expected = file;
  ASSERT_GT(expected.size(), 40u);
  expected.insert(expected.begin() + 40, testing::RecordingPrinter::kNewPage);
  EXPECT_EQ(printer.events, expected);
}

TEST_F(PrintNormalTest, WhatRefusesARunBeforeAnythingIsWritten) {
  Write("t.tap", TapeOf({Record("X", 1)}));
  Write("text.txt", "not a tape");
  Write("kept.txt", "keep me");
  struct Case {
    const char* what;
    std::function<void()> set;
    std::vector<std::string> messages;
    OffLineOutcome outcome;
  };
  const std::string question(offline_text::kDefaultPrinterQuestion);
  const Case cases[] = {
      {"no source",
       [&] {
         Choose("t.tap", "out.txt");
         state.Source = SourceKind::None;
       },
       {std::string(offline_text::kNeedsOrmlaxInput)},
       OffLineOutcome::Refused},
      {"a source that is not a tape",
       [&] { Choose("text.txt", "out.txt"); },
       {std::string(offline_text::kNeedsOrmlaxInput)},
       OffLineOutcome::Refused},
      {"no board loaded",
       [&] {
         Choose("t.tap", "out.txt");
         board = Plugboard{};
       },
       {std::string(offline_text::kNoUsableBoard)},
       OffLineOutcome::Refused},
      {"a board that failed to load, and no target",
       [&] {
         Choose("t.tap", "out.txt");
         state.Target = TargetKind::None;
         LoadPlugboard(board, 9, folder.Path(), op);
         op.messages.clear();
       },
       {std::string(offline_text::kNoUsableBoard)},
       OffLineOutcome::Refused},
      {"the printer declined",
       [&] {
         Choose("t.tap", "out.txt");
         state.Target = TargetKind::None;
       },
       {question},
       OffLineOutcome::Refused},
      {"no printer in this front end",
       [&] {
         Choose("t.tap", "out.txt");
         state.Target = TargetKind::None;
         op.QueueAnswer(MessageAnswer::Ok);
       },
       {question, std::string(offline_text::kNoPrinter)},
       OffLineOutcome::HostFailure},
      {"a kept target",
       [&] {
         Choose("t.tap", "kept.txt");
         state.Target = TargetKind::KeptFile;
         state.MayOverwrite = false;
       },
       {std::string(offline_text::kOverwriteNotAllowed)},
       OffLineOutcome::Refused},
      {"the target is the source",
       [&] { Choose("t.tap", "t.tap"); },
       {std::string(offline_text::kSameFile)},
       OffLineOutcome::Refused},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    UseBoardFile(ReportBoard());
    op.messages.clear();
    c.set();
    const OffLineState before = state;
    EXPECT_EQ(PrintTapeNormal(desk), c.outcome);
    EXPECT_EQ(op.messages, c.messages);
    EXPECT_FALSE(std::filesystem::exists(folder / "out.txt"));
    EXPECT_EQ(Read("kept.txt"), "keep me");
    EXPECT_EQ(Read("t.tap"), TapeOf({Record("X", 1)}));
    EXPECT_EQ(state.SourcePath, before.SourcePath);  // nothing reset
    EXPECT_EQ(state.TargetPath, before.TargetPath);
  }
}

TEST_F(PrintNormalTest, AMultilineBlocketteWithoutMultilinesWiredEndsTheRun) {
  BoardFile file;
  file.Wire(1, 1, 20, 1);
  UseBoardFile(file);
  // The "r" after a control character marks a multiline blockette too.
  for (const char* second : {"rMULTI", "?rMULTI"}) {
    SCOPED_TRACE(second);
    op.messages.clear();
    Write("t.tap", TapeOf({Record("FIRST", 0), Record(second, 0), Record("THIRD", 0)}));
    Choose("t.tap", "out.txt");
    EXPECT_EQ(PrintTapeNormal(desk), OffLineOutcome::EndedByMessage);
    EXPECT_EQ(op.messages,
              std::vector<std::string>{
                  "Multiline character on tape, but no\r\nmultiline wired on plugboard"});
    EXPECT_EQ(Printed(), std::vector<std::string>{PrintedLine({{1, "FIRST"}})});
    EXPECT_EQ(state.Source, SourceKind::None);  // the run ended: reset
  }
}

TEST_F(PrintNormalTest, ASkipToAChannelPunchedNowhereSlewsAWholeForm) {
  struct Case {
    std::vector<std::string> channels;
    std::string blockette;
    std::string message;
    int blankLines;  // before the blockette's own line
    std::string printed;
  };
  const std::string tail = ", but no punch\r\nin carriage tape.  Paper slewed to trash!";
  const Case cases[] = {
      {{"", "", "", "", "", "", "1"}, "@X", "Skip to channel 1" + tail, 5, PrintedLine({{2, "X"}})},
      {{"1", "2", "", "", "", "", "1"},
       "=X",
       "Skip to channel 4" + tail,
       5,
       PrintedLine({{2, "X"}})},
      // Channel 5 on line 2 starts an automatic skip after the first line, with no channel 6.
      {{"1", "", "", "", "2", "", "1"},
       "X",
       "Automatic skip started" + tail,
       0,
       PrintedLine({{1, "X"}})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    BoardFile file;
    file.Wire(1, 1, 20, 1).formLength = "5";
    file.channels = c.channels;
    UseBoardFile(file);
    op.messages.clear();
    state.CloseRequested = false;
    Write("t.tap", TapeOf({Record(c.blockette, 0), testing::StopBlockette()}));
    Choose("t.tap", "out.txt");
    EXPECT_EQ(PrintTapeNormal(desk), OffLineOutcome::EndedByMessage);
    EXPECT_EQ(op.messages, std::vector<std::string>{c.message});
    EXPECT_TRUE(state.CloseRequested);
    const std::vector<std::string> lines = Printed();
    ASSERT_EQ(lines.size(), 1u + 5u);  // the line and a whole form of blank lines
    const std::size_t at = static_cast<std::size_t>(c.blankLines);
    EXPECT_EQ(lines[at], c.printed);
    for (std::size_t l = 0; l < lines.size(); ++l) {
      if (l != at) {
        EXPECT_EQ(lines[l], "") << l;
      }
    }
  }
}

TEST_F(PrintNormalTest, ABreakpointPausesTheRunWhileTheDeskStaysLive) {
  BoardFile file;
  file.Wire(1, 1, 20, 1);
  UseBoardFile(file);
  Write("t.tap", TapeOf({Record("FIRST", 0), Record("PAUSE b HERE", 0), Record("LAST", 0),
                         testing::StopBlockette()}));
  Choose("t.tap", "out.txt");
  state.BreakpointSwitch = true;
  bool pausedAsSeen = false;
  op.QueueAction([&] {
    pausedAsSeen = state.PrinterPaused && state.BreakpointLamp == LampColour::Red;
    // The desk is live: choosing a board that loads nothing does not touch the paused run.
    ChoosePlugboardOption(desk, PlugboardChoice::User);
    board.CarriageTape.clear();
    EXPECT_EQ(PrintTapeNormal(desk), OffLineOutcome::Resumed);  // "HSP (Normal)" again
  });
  EXPECT_EQ(PrintTapeNormal(desk), OffLineOutcome::Completed);
  EXPECT_TRUE(pausedAsSeen);
  EXPECT_EQ(op.yields, 1);
  EXPECT_FALSE(op.ActionsPending());
  EXPECT_EQ(Printed(), (std::vector<std::string>{PrintedLine({{1, "FIRST"}}),
                                                 PrintedLine({{1, "PAUSE   HERE"}}),
                                                 PrintedLine({{1, "LAST"}})}));
  EXPECT_EQ(state.BreakpointLamp, LampColour::Red);  // the switch is on: its lamp ends the run
  EXPECT_EQ(state.StopLamp, LampColour::Grey);
  EXPECT_FALSE(state.PrinterPaused);

  // Without the switch the run does not pause; a paused run can also be ended where it waits.
  UseBoardFile(file);
  Choose("t.tap", "out.txt");
  state.BreakpointSwitch = false;
  EXPECT_EQ(PrintTapeNormal(desk), OffLineOutcome::Completed);
  EXPECT_EQ(op.yields, 1);
  Choose("t.tap", "out.txt");
  state.BreakpointSwitch = true;
  op.QueueAction([&] { state.EndPausedRun = true; });
  EXPECT_EQ(PrintTapeNormal(desk), OffLineOutcome::Completed);
  EXPECT_EQ(Printed(), std::vector<std::string>{PrintedLine({{1, "FIRST"}})});
}

TEST_F(PrintNormalTest, AFullDiskIsReportedAndNothingIsReset) {
  BoardFile file;
  file.Wire(1, 1, 120, 1);
  UseBoardFile(file);
  std::vector<std::string> tape(600, Record("LINE", 1));
  Write("t.tap", TapeOf(tape));
  Choose("t.tap", "out.txt");
  OffLineOutcome outcome;
  {
    const testing::FileSizeLimit limit(20000);
    outcome = PrintTapeNormal(desk);
  }
  EXPECT_EQ(outcome, OffLineOutcome::HostFailure);
  ASSERT_EQ(op.messages.size(), 1u);
  EXPECT_EQ(op.messages[0],
            "The tape file\r\n" + Path("out.txt") + "\r\ncannot be written (File too large)");
  EXPECT_EQ(state.TargetPath, Path("out.txt"));
  EXPECT_EQ(state.StopLamp, LampColour::Grey);
}

TEST(BlockettePrinting, RoutingZeroSuppressionAndSpecialCharacters) {
  Plugboard board;
  board.FormLength = 66;
  for (int i = 0; i < 20; ++i) board.Wiring[1][static_cast<std::size_t>(i)] = std::to_string(i + 1);
  struct Case {
    const char* what;
    std::map<int, std::string> marks;   // zero suppression row, by tape position
    std::map<int, std::string> wiring;  // extra normal entries, by tape position
    std::string blockette;
    std::string printed;  // print positions 1-20
  };
  const Case cases[] = {
      {"N+ at 5 over 000120", {{5, "N+"}}, {}, "ABCD000120XYZ", "ABCD   120XYZ"},
      {"an N entry ends the field there",
       {{5, "N+"}, {10, "N"}},
       {},
       "ABCD000000000",
       "ABCD     0000"},
      {"M marks leave normal blockettes alone", {{5, "M+"}}, {}, "ABCD000120", "ABCD000120"},
      {"NM+ applies to both", {{1, "NM+"}}, {}, "0007", "   7"},
      {"the special characters print as spaces", {}, {}, "AiBrCcDtEsFbGnH", "A B C D E F GnH"},
      {"a position wired twice prints the higher tape position",
       {},
       {{15, "2"}},
       "ABCDEFGHIJKLMNOP",
       "AOCDEFGHIJKLMN P"},
      {"positions outside 1-130 and text are not printed",
       {},
       {{1, "0"}, {2, "131"}, {3, "x"}},
       "ABCD",
       "   D"},
      {"a fraction is rounded", {}, {{1, "19.6"}}, "ABCD", " BCD               A"},
      {"a short blockette prints what it has", {}, {}, "AB", "AB"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Plugboard b = board;
    for (const auto& [p, e] : c.marks) b.Wiring[8][static_cast<std::size_t>(p - 1)] = e;
    for (const auto& [p, e] : c.wiring) b.Wiring[1][static_cast<std::size_t>(p - 1)] = e;
    std::string expected = c.printed;
    expected.resize(130, ' ');
    EXPECT_EQ(PrintBlockette(b, c.blockette, false), expected);
  }
}

TEST(BlockettePrinting, AMultilineBlockettePrintsOneLinePerMultilineRow) {
  Plugboard board;
  board.MultilineCount = 3;
  board.Wiring[2][0] = "001";
  board.Wiring[3][1] = "002";
  board.Wiring[4][2] = "130";
  const std::string text = PrintBlockette(board, "rBC", true);
  EXPECT_EQ(text, std::string(130, ' ') + "\r\n " + "B" + std::string(128, ' ') + "\r\n" +
                      std::string(129, ' ') + "C");
}

TEST(BlockettePrinting, WrapLineKeepsTheLineOnTheForm) {
  struct Case {
    int x, n, line;
  };
  for (const Case c : {Case{66, 66, 66}, Case{67, 66, 1}, Case{1, 66, 1}, Case{0, 66, 66},
                       Case{-1, 66, 65}, Case{133, 66, 1}, Case{5, 1, 1}}) {
    EXPECT_EQ(WrapLine(c.x, c.n), c.line) << c.x << " on " << c.n;
  }
}

}  // namespace
}  // namespace ormlax

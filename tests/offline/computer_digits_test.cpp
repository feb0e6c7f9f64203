// "HSP (Comp. Dig.)": the marks of the special characters, pages of 30 blockettes, and the board
// it always uses.
#include "offline/computer_digits.h"

#include <gtest/gtest.h>

#include "offline/offline_messages.h"
#include "offline/plugboard_choice.h"
#include "offline/standard_boards.h"
#include "tests/offline/offline_test_support.h"

namespace ormlax {
namespace {

using testing::Blockette;
using testing::CrLfLines;
using testing::TapeOf;

TEST(SplitDigits, ThirteenCharactersPrintAsMarksOnTheCodeLine) {
  struct Case {
    std::string blockette, characters, codes;
  };
  const Case cases[] = {
      {"AB CD", "AB CD", "  6  "},
      {"i", " ", "5"},
      {"r", " ", "E"},
      {"c", " ", "C"},
      {"@", " ", "D"},
      {"t", " ", "N"},
      {"\"", " ", "O"},
      {"|", " ", "P"},
      {"?", " ", "M"},
      {"s", " ", "V"},
      {"b", " ", "W"},
      {"=", " ", "T"},
      {"n", " ", "n"},
      {"09-.;,'&(#$*%:+/)", "09-.;,'&(#$*%:+/)", std::string(17, ' ')},
      {"A\x80Z", "A Z", " n "},  // not a machine character: printed as the illegal one
  };
  for (const Case& c : cases) {
    const SplitLine split = SplitDigits(c.blockette);
    EXPECT_EQ(split.Characters, c.characters) << c.blockette;
    EXPECT_EQ(split.Codes, c.codes) << c.blockette;
  }
}

class ComputerDigitsTest : public testing::OffLineDeskTest {
 protected:
  void SetUp() override { ASSERT_TRUE(WriteStandardBoards(folder.Path(), op)); }

  // 36 blockettes: the first of letters and spaces, then words "WORDnn" + six letters.
  void WriteTape() {
    std::vector<std::string> tape = {Blockette("TWO WORDS")};
    for (int k = 2; k <= 36; ++k) {
      std::string word = "WORD" + std::string(k < 10 ? "0" : "") + std::to_string(k) + "ABCDEF";
      std::string b;
      for (int w = 0; w < 10; ++w) b += word;
      tape.push_back(b);
    }
    Write("t.tap", TapeOf(tape));
  }
  static std::vector<std::string> Expected() {
    std::vector<std::string> lines;
    std::string first = "TWO WORDS" + std::string(120 - 9 + 9, ' ');
    first.resize(129, ' ');
    lines.push_back(first);
    std::string marks = "   6     ";  // a mark under every space
    for (int w = 0; w < 10; ++w) {
      if (w == 0) {
        marks += "666";
      } else {
        marks += " " + std::string(12, '6');
      }
    }
    lines.push_back(marks);
    for (int k = 2; k <= 36; ++k) {
      std::string word = "WORD" + std::string(k < 10 ? "0" : "") + std::to_string(k) + "ABCDEF";
      std::string line = word;
      for (int w = 1; w < 10; ++w) line += " " + word;
      lines.push_back(line);
      lines.push_back(std::string(129, ' '));
      if (k == 30) lines.insert(lines.end(), 6, "");  // a page of 30 blockettes in a file
    }
    return lines;
  }
};

TEST_F(ComputerDigitsTest, ThirtyBlockettesToAPageIntoAFile) {
  WriteTape();
  ChoosePlugboardOption(desk, PlugboardChoice::Split);
  Choose("t.tap", "out.txt");
  EXPECT_EQ(PrintComputerDigits(desk), OffLineOutcome::Completed);
  EXPECT_TRUE(op.messages.empty());
  const std::vector<std::string> lines = CrLfLines(Read("out.txt"));
  EXPECT_EQ(lines, Expected());
  ASSERT_GT(lines.size(), 66u);
  EXPECT_EQ(lines[60], "");  // the 61st line is the first of six empty lines
  EXPECT_EQ(state.Source, SourceKind::None);
  EXPECT_EQ(state.StopLamp, LampColour::Red);
}

TEST_F(ComputerDigitsTest, OnThePrinterAPageHoldsThirtyBlockettes) {
  WriteTape();
  testing::RecordingPrinter printer;
  desk.Printer = &printer;
  ChoosePlugboardOption(desk, PlugboardChoice::Split);
  Choose("t.tap", "unused");
  state.Target = TargetKind::None;
  op.QueueAnswer(MessageAnswer::Ok);
  EXPECT_EQ(PrintComputerDigits(desk), OffLineOutcome::Completed);
  std::vector<std::string> expected = Expected();
  expected.erase(expected.begin() + 61, expected.begin() + 66);
  expected[60] = testing::RecordingPrinter::kNewPage;
  EXPECT_EQ(printer.events, expected);
  EXPECT_EQ(printer.columns, 129);
  EXPECT_EQ(printer.lines, 60);
  EXPECT_EQ(printer.fontAtForm, "Mono");
  EXPECT_EQ(printer.font, "Sans");
}

TEST_F(ComputerDigitsTest, AlwaysThroughTheSplitBoard) {
  Write("t.tap", TapeOf({Blockette("X")}));
  const std::string message(offline_text::kSplitBoardOnly);
  EXPECT_EQ(message,
            "Computer digit printouts always use\r\nthe \"1-to-1 split\" plugboard and\r\nits "
            "associated carriage tape");
  for (const PlugboardChoice choice :
       {PlugboardChoice::None, PlugboardChoice::Straight, PlugboardChoice::User}) {
    SCOPED_TRACE(static_cast<int>(choice));
    op.messages.clear();
    state.Choice = choice;
    board = Plugboard{};
    Choose("t.tap", "out.txt");
    EXPECT_EQ(PrintComputerDigits(desk), OffLineOutcome::Completed);
    EXPECT_EQ(op.messages, std::vector<std::string>{message});
    EXPECT_EQ(state.Choice, PlugboardChoice::Split);
    EXPECT_EQ(WhichBoardText(board), "Using 0.pgb 1-to-1 split");
  }
  op.messages.clear();
  Choose("t.tap", "out.txt");
  EXPECT_EQ(PrintComputerDigits(desk), OffLineOutcome::Completed);
  EXPECT_TRUE(op.messages.empty());
}

TEST_F(ComputerDigitsTest, StopsAtTheFirstEmptyBlockette) {
  std::string bytes = testing::RecordBytes(Blockette("ONE")) + std::string(124, '\0');
  bytes.resize(744, '\0');
  Write("t.tap", bytes);
  ChoosePlugboardOption(desk, PlugboardChoice::Split);
  Choose("t.tap", "out.txt");
  EXPECT_EQ(PrintComputerDigits(desk), OffLineOutcome::Completed);
  EXPECT_EQ(CrLfLines(Read("out.txt")).size(), 2u);
}

}  // namespace
}  // namespace ormlax

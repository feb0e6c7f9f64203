// "HSP (DTMB)": the words of a block in two columns with their marks, the page header with the
// job name, and whole printouts.
#include "offline/dtmb.h"

#include <gtest/gtest.h>

#include "tests/offline/offline_test_support.h"

namespace ormlax {
namespace {

using testing::Blockette;
using testing::CrLfLines;
using testing::TapeOf;

TEST(FormatDtmbWord, HalvesBlanksAndMarks) {
  struct Case {
    std::string word, line1, line2;
  };
  const Case cases[] = {
      {"B00100C00200", "B  100  C  200", std::string(14, ' ')},
      {"000000000123", "  -     00 123", std::string(14, ' ')},
      {"000000000000", "  -       -   ", std::string(14, ' ')},
      {"ABCDEFGHIJKO", "ABCDEF  GHIJKO", std::string(13, ' ') + "."},
      {"X Obrsc?it|=", "X O           ", " V.BRS  CQXTIE"},
      {"-00012300000", "-0 012  30 000", std::string(14, ' ')},
      {"A0B0C0D0E0F0", "A B0C0  D E0F0", std::string(14, ' ')},
  };
  for (const Case& c : cases) {
    std::string line1 = "<";
    std::string line2 = ">";
    FormatDtmbWord(Word::FromText(c.word), line1, line2);
    EXPECT_EQ(line1, "<" + c.line1) << c.word;
    EXPECT_EQ(line2, ">" + c.line2) << c.word;
  }
}

TEST(DtmbHeader, TheJobNameCentredAndTheDateAtTheRight) {
  struct Case {
    std::optional<std::string> answer;
    std::string line;
  };
  const std::string date = "07-04-1961";
  const Case cases[] = {
      {"", "  PAGE $" + std::string(15, ' ') + "(NO JOB NAME)" + std::string(19, ' ') + date},
      {std::nullopt,
       "  PAGE $" + std::string(15, ' ') + "(NO JOB NAME)" + std::string(19, ' ') + date},
      {std::string(31, 'x'),
       "  PAGE $" + std::string(14, ' ') + "(LONG JOB NAME)" + std::string(18, ' ') + date},
      {std::string(30, 'x'),
       "  PAGE $" + std::string(6, ' ') + std::string(30, 'X') + std::string(11, ' ') + date},
      {"abc!", "  PAGE $" + std::string(19, ' ') + "ABC " + std::string(24, ' ') + date},
      {"Pay\troll", "  PAGE $" + std::string(17, ' ') + "PAY ROLL" + std::string(22, ' ') + date},
  };
  for (const Case& c : cases) {
    testing::ScriptedOperator op;
    op.QueueText(c.answer);
    const std::string header = DtmbHeader(op, date);
    EXPECT_EQ(header, c.line + "\r\n\r\n") << c.answer.value_or("(cancelled)");
    EXPECT_EQ(c.line.size(), 65u);
    EXPECT_EQ(op.prompts, std::vector<std::string>{"Job Name"});
  }
}

class DtmbTest : public testing::OffLineDeskTest {
 protected:
  // Three blocks: blockettes 0-2 of every block hold B00100C00200, blockettes 3-5 hold
  // 000000000123; the first word of block 2 is X Obrsc?it|=.
  void WriteTape() {
    std::vector<std::string> tape;
    for (int b = 1; b <= 3; ++b) {
      for (int r = 0; r < 6; ++r) {
        std::string blockette;
        for (int w = 0; w < 10; ++w) blockette += r < 3 ? "B00100C00200" : "000000000123";
        if (b == 2 && r == 0) blockette.replace(0, 12, "X Obrsc?it|=");
        tape.push_back(blockette);
      }
    }
    Write("t.tap", TapeOf(tape));
  }
  // The lines of page n of that tape.
  static std::vector<std::string> Page(int n) {
    const std::string number = std::to_string(n);
    std::vector<std::string> lines = {"  PAGE " + number + std::string(15, ' ') + "(NO JOB NAME)" +
                                          std::string(19, ' ') + "07-04-1961",
                                      ""};
    for (int g = 0; g < 3; ++g) {
      for (int j = 0; j < 10; ++j) {
        const bool special = n == 2 && g == 0 && j == 0;
        const std::string g1 = std::to_string(g) + "   ";
        lines.push_back(g1 + (special ? "X O           " : "B  100  C  200") +
                        std::string(17, ' ') + g1 + "  -     00 123");
        lines.push_back("    " + std::string(special ? " V.BRS  CQXTIE" : std::string(14, ' ')) +
                        std::string(21 + 14, ' '));
      }
    }
    return lines;
  }
};

TEST_F(DtmbTest, APagePerBlockIntoAFile) {
  WriteTape();
  Choose("t.tap", "out.txt");
  EXPECT_EQ(PrintDtmb(desk), OffLineOutcome::Completed);
  EXPECT_EQ(op.prompts, std::vector<std::string>{"Job Name"});
  std::vector<std::string> expected;
  for (int n = 1; n <= 3; ++n) {
    const std::vector<std::string> page = Page(n);
    expected.insert(expected.end(), page.begin(), page.end());
    expected.push_back("");  // every page is followed by a line end of its own
  }
  const std::vector<std::string> lines = CrLfLines(Read("out.txt"));
  EXPECT_EQ(lines, expected);
  ASSERT_GT(lines.size(), 2u);
  EXPECT_EQ(lines[2].size(), 53u);
  EXPECT_EQ(state.StopLamp, LampColour::Red);
  EXPECT_EQ(state.Source, SourceKind::None);
}

TEST_F(DtmbTest, OnThePrinterAPagePerBlock) {
  WriteTape();
  testing::RecordingPrinter printer;
  desk.Printer = &printer;
  Choose("t.tap", "unused");
  state.Target = TargetKind::None;
  op.QueueAnswer(MessageAnswer::Ok);
  EXPECT_EQ(PrintDtmb(desk), OffLineOutcome::Completed);
  std::vector<std::string> expected;
  for (int n = 1; n <= 3; ++n) {
    const std::vector<std::string> page = Page(n);
    expected.insert(expected.end(), page.begin(), page.end());
    expected.push_back(testing::RecordingPrinter::kNewPage);
  }
  EXPECT_EQ(printer.events, expected);
  EXPECT_EQ(printer.columns, 53);
  EXPECT_EQ(printer.lines, 62);
}

TEST_F(DtmbTest, PagesAreNumberedAndTheTapeRunsOut) {
  WriteTape();
  Choose("t.tap", "unused");
  offline::SourceTape source;
  ASSERT_TRUE(source.Open(desk));
  const std::string header = "  PAGE $" + std::string(57, ' ') + "\r\n\r\n";
  for (int n : {1, 12, 300}) {
    const std::string page = BuildDtmbPage(n, header, source);
    ASSERT_FALSE(page.empty()) << n;
    const std::vector<std::string> lines = CrLfLines(page);
    ASSERT_EQ(lines.size(), 62u);
    EXPECT_EQ(lines[0], "  PAGE " + std::to_string(n) + std::string(57, ' '));
  }
  EXPECT_EQ(BuildDtmbPage(4, header, source), "");  // a fourth call finds the tape exhausted
}

}  // namespace
}  // namespace ormlax

// The host printer on Qt Print Support: the three printouts rendered into PDF files hold, page
// for form, what the same runs write into text files; the monospaced font; the messages when
// there is nothing to print on.
#include "printing/qt_host_printer.h"

#include <gtest/gtest.h>

#include <QPrinterInfo>
#include <charconv>
#include <cstdlib>
#include <sstream>

#include "offline/computer_digits.h"
#include "offline/dtmb.h"
#include "offline/plugboard_choice.h"
#include "offline/plugboard_file.h"
#include "offline/print_normal.h"
#include "offline/select_font.h"
#include "offline/standard_boards.h"
#include "tests/offline/offline_test_support.h"

namespace ormlax {
namespace {

using testing::Blockette;
using testing::BoardFile;
using testing::CrLfLines;
using testing::TapeOf;

std::string RightTrimmed(std::string line) {
  line.erase(line.find_last_not_of(' ') + 1);
  return line;
}

// The pages of a PDF file as pdftotext lays them out, a character a column of `pitch` points;
// each page its lines without trailing blanks.
std::vector<std::vector<std::string>> PdfPages(const std::filesystem::path& pdf, double pitch) {
  const std::filesystem::path text = pdf.string() + ".txt";
  // Written without the locale, which the Qt application has set from the environment.
  char number[32];
  const auto end =
      std::to_chars(number, number + sizeof number, pitch, std::chars_format::fixed, 6);
  const std::string command = "pdftotext -layout -fixed " + std::string(number, end.ptr) + " '" +
                              pdf.string() + "' '" + text.string() + "'";
  if (std::system(command.c_str()) != 0) {
    ADD_FAILURE() << "pdftotext failed (poppler-utils is installed by the install script): "
                  << command;
    return {};
  }
  std::vector<std::vector<std::string>> pages(1);
  std::istringstream in(testing::ReadBytes(text));
  std::string line;
  while (std::getline(in, line)) {
    while (!line.empty() && line[0] == '\f') {
      pages.emplace_back();
      line.erase(0, 1);
    }
    pages.back().push_back(RightTrimmed(line));
  }
  while (!pages.empty() && pages.back().size() <= 1 &&
         (pages.back().empty() || pages.back()[0].empty())) {
    pages.pop_back();
  }
  return pages;
}

// The lines of a page that hold something.
std::vector<std::string> Printed(const std::vector<std::string>& lines) {
  std::vector<std::string> printed;
  for (const std::string& l : lines) {
    if (!RightTrimmed(l).empty()) printed.push_back(RightTrimmed(l));
  }
  return printed;
}

class QtPrinterTest : public testing::OffLineDeskTest {
 protected:
  void SetUp() override { ASSERT_TRUE(WriteStandardBoards(folder.Path(), op)); }

  // Runs the printout into "out.txt" and into "out.pdf"; the forms of the text file
  // (`formLines` lines each) must be the pages of the PDF, line for line and column for column.
  void ExpectPagesAreForms(OffLineOutcome (*print)(OffLineDesk&), int formLines, int forms) {
    Choose("t.tap", "out.txt");
    ASSERT_EQ(print(desk), OffLineOutcome::Completed);
    const std::vector<std::string> file = CrLfLines(Read("out.txt"));

    const std::unique_ptr<QtHostPrinter> printer = QtHostPrinter::PdfFile(folder / "out.pdf");
    desk.Printer = printer.get();
    Choose("t.tap", "unused");
    state.Target = TargetKind::None;
    op.QueueAnswer(MessageAnswer::Ok);
    ASSERT_EQ(print(desk), OffLineOutcome::Completed);
    desk.Printer = nullptr;
    const std::vector<std::vector<std::string>> pages =
        PdfPages(folder / "out.pdf", printer->FormPitchPoints());
    ASSERT_EQ(pages.size(), static_cast<std::size_t>(forms));
    for (int f = 0; f < forms; ++f) {
      SCOPED_TRACE("page " + std::to_string(f + 1));
      const auto from = file.begin() + std::min<std::ptrdiff_t>(f * formLines, file.size());
      const auto to = file.begin() + std::min<std::ptrdiff_t>((f + 1) * formLines, file.size());
      const std::vector<std::string> form = Printed(std::vector<std::string>(from, to));
      const std::vector<std::string> page = Printed(pages[static_cast<std::size_t>(f)]);
      ASSERT_EQ(page.size(), form.size());
      ASSERT_FALSE(form.empty());
      // The page's left margin, in columns, is the same on every line.
      const std::size_t margin = page[0].find_first_not_of(' ') - form[0].find_first_not_of(' ');
      for (std::size_t l = 0; l < form.size(); ++l) {
        EXPECT_EQ(page[l], std::string(margin, ' ') + form[l]) << "line " << l;
      }
    }
  }
};

TEST_F(QtPrinterTest, APlugboardPrintoutIsAFormToAPage) {
  BoardFile file;
  file.Wire(1, 1, 20, 1).Wire(1, 21, 32, 101).Wire(2, 1, 10, 5).Wire(3, 11, 32, 5);
  file.rows[8][21] = "N+";
  file.rows[8][32] = "N";
  file.rows[8][11] = "M+";
  file.formLength = "30";
  file.channels = {"1", "", "", "", "25", "30", "1"};
  Write("5.pgb", file.Text());
  ASSERT_TRUE(UseBoard(desk, 5));
  std::vector<std::string> tape = {Blockette("@HEADING  A|B?C=D\"E$F*G")};
  for (int n = 1; n <= 40; ++n) {
    const std::string number = std::to_string(n * 1234);
    tape.push_back(Blockette("ITEM " + std::to_string(n) +
                             std::string(15 - std::to_string(n).size(), ' ') +
                             std::string(12 - number.size(), '0') + number));
    if (n % 15 == 0) tape.push_back(Blockette("rMULTI    0000000042 LINE"));
  }
  tape.push_back(Blockette("@LAST PAGE"));
  tape.push_back(testing::StopBlockette());
  Write("t.tap", TapeOf(tape));
  ExpectPagesAreForms(PrintTapeNormal, 30, 3);
}

TEST_F(QtPrinterTest, AComputerDigitPrintoutOfTwoPages) {
  std::vector<std::string> tape;
  for (int k = 0; k < 36; ++k) {
    tape.push_back(Blockette("BLOCKETTE " + std::to_string(k) + " irctsb@|?=n\" END", '7'));
  }
  Write("t.tap", TapeOf(tape));
  ChoosePlugboardOption(desk, PlugboardChoice::Split);
  ExpectPagesAreForms(PrintComputerDigits, 66, 2);
}

TEST_F(QtPrinterTest, ADtmbPrintoutOfThreeBlocks) {
  std::vector<std::string> tape;
  for (int r = 0; r < 18; ++r) {
    std::string blockette;
    for (int w = 0; w < 10; ++w) blockette += r % 2 ? "B00100C00200" : "00000012X Ob";
    tape.push_back(blockette);
  }
  Write("t.tap", TapeOf(tape));
  ExpectPagesAreForms(PrintDtmb, 63, 3);
}

TEST_F(QtPrinterTest, TheMonospacedFontIsChosenAndGivenBack) {
  const std::unique_ptr<QtHostPrinter> printer = QtHostPrinter::PdfFile(folder / "f.pdf");
  const std::string before = printer->FontName();
  SelectMonospacedFont(*printer);
  EXPECT_EQ(printer->FontName(), "DejaVu Sans Mono");  // the only one the test's fonts have
  EXPECT_DOUBLE_EQ(printer->TextWidth("i"), printer->TextWidth("W"));
  EXPECT_GT(printer->TextWidth("i"), 0);
  EXPECT_NE(before, printer->FontName());
}

TEST_F(QtPrinterTest, NothingToPrintOnIsAClearMessage) {
  const std::unique_ptr<QtHostPrinter> unwritable =
      QtHostPrinter::PdfFile(folder / "no" / "such" / "out.pdf");
  std::string why;
  EXPECT_FALSE(unwritable->BeginDocument(why));
  EXPECT_EQ(why, "The PDF file\r\n" + (folder / "no" / "such" / "out.pdf").string() +
                     "\r\ncannot be written (No such file or directory)");

  const std::unique_ptr<QtHostPrinter> host = QtHostPrinter::DefaultPrinter();
  host->FontCount();  // the application exists from here on
  if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "this host has a default printer";
  Write("t.tap", TapeOf({Blockette("X")}));
  ASSERT_TRUE(UseBoard(desk, 1));
  desk.Printer = host.get();
  Choose("t.tap", "unused");
  state.Target = TargetKind::None;
  op.QueueAnswer(MessageAnswer::Ok);
  EXPECT_EQ(PrintTapeNormal(desk), OffLineOutcome::HostFailure);
  EXPECT_EQ(op.messages.back(),
            "There is no default printer on this computer:\r\nset one up, or print into a file");
  EXPECT_EQ(state.SourcePath, Path("t.tap"));  // nothing reset: the run can be made again
}

}  // namespace
}  // namespace ormlax

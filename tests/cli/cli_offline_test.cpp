// The off-line commands of the real ormlax-cli, run through the shell: the example report, the
// conversions, the printer's questions answered by the options, and the exit statuses.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "tests/cli/cli_test_support.h"

namespace ormlax::cli {
namespace {

namespace fs = std::filesystem;
using testing::TapeBytes;

// The blockettes as a tape, padded to whole blocks with blockettes of zeros.
std::string Tape(std::vector<std::string> blockettes) {
  while (blockettes.size() % 6 != 0) blockettes.push_back(std::string(120, '0'));
  std::string bytes;
  for (std::string b : blockettes) {
    b.resize(120, ' ');
    bytes += std::string("\x7a\x00", 2) + b + "\r\n";
  }
  return bytes;
}

// Words separated by runs of blanks, for text read back from a PDF file.
std::vector<std::string> Fields(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line, '\n')) {
    std::istringstream words(line);
    std::string word, joined;
    while (words >> word) joined += (joined.empty() ? "" : " ") + word;
    if (!joined.empty()) lines.push_back(joined);
  }
  return lines;
}

class CliOffLine : public testing::CliFolderTest {
 protected:
  // "cli ARGS" in the test's folder, standard error to "err"; no printer can be reached.
  int Cli(const std::string& args) { return Shell("\"$CLI\" " + args + " >out 2>err </dev/null"); }
  int Shell(const std::string& line) {
    const fs::path script = dir_.string() + ".sh";
    std::ofstream(script) << "cd '" << dir_.string()
                          << "' || exit 99\nexport CUPS_SERVER=" << dir_.string()
                          << "/no-cups.sock\nCLI='" << ORMLAX_CLI << "'\n"
                          << line << "\n";
    const int status = std::system(("timeout 60 bash '" + script.string() + "'").c_str());
    fs::remove(script);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::vector<std::string> ErrLines() {
    std::vector<std::string> lines;
    std::istringstream in(ReadFile("err"));
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
  }
};

TEST_F(CliOffLine, TheExampleReportIsPrintedIntoATextFileAndAPdf) {
  const fs::path example = fs::path(ORMLAX_SOURCE_DIR) / "examples" / "offline";
  for (const char* name : {"report.words", "5.pgb", "make-report.sh"}) {
    fs::copy_file(example / name, dir_ / name);
  }
  ASSERT_EQ(Shell("bash make-report.sh \"$CLI\" >out 2>err"), 0) << ReadFile("err");
  std::ifstream in(example / "expected-report.txt", std::ios::binary);
  std::stringstream expected;
  expected << in.rdbuf();
  EXPECT_EQ(ReadFile("report.txt"), expected.str());
  EXPECT_EQ(ErrLines(), (std::vector<std::string>{
                            "message: File report.tape not present. / Is this a blank tape?",
                            "stopped: stop instruction",
                            "message: The output will go to the default printer"}));

  ASSERT_EQ(Shell("pdftotext -layout report.pdf report.pdf.txt"), 0);
  const std::string pdf = ReadFile("report.pdf.txt");
  EXPECT_EQ(std::count(pdf.begin(), pdf.end(), '\f'), 1) << "one form, one page";
  std::string file = expected.str();
  std::erase(file, '\r');
  EXPECT_EQ(Fields(pdf), Fields(file));
  EXPECT_EQ(Fields(file).front(), "ORMLAX STORES - STOCK REPORT");
}

TEST_F(CliOffLine, ConversionsBetweenTapesAndText) {
  WriteFile("in.txt", "B00100C00200\r\n000000000001\n");
  EXPECT_EQ(Cli("text-to-tape in.txt t.tap"), 0) << ReadFile("err");
  EXPECT_EQ(ReadFile("t.tap"), TapeBytes({"B00100C00200", "000000000001"}));
  EXPECT_EQ(Cli("tape-to-text t.tap t.txt"), 0) << ReadFile("err");
  std::string words = "B00100C00200\r\n000000000001\r\n";
  for (int w = 2; w < 60; ++w) words += "000000000000\r\n";
  EXPECT_EQ(ReadFile("t.txt"), words);
  EXPECT_EQ(Cli("tape-to-asm t.tap prog"), 0);
  EXPECT_EQ(ErrLines(),
            std::vector<std::string>{"message: Adding \".asm\" to the target tape name"});
  EXPECT_TRUE(ReadFile("prog.asm").starts_with("\tB0 0100\t\tC0 0200\r\n\t00 0000\t\t00 0001\r\n"));
  // Every command starts with the standard boards in the folder.
  EXPECT_TRUE(fs::exists(dir_ / "0.pgb"));
  EXPECT_TRUE(fs::exists(dir_ / "1.pgb"));
}

TEST_F(CliOffLine, MessagesAndExitStatuses) {
  WriteFile("t.tap", Tape({"HELLO", "s"}));
  WriteFile("kept.txt", "keep");
  WriteFile("PROG.asm", "my source");
  WriteFile("long.txt", std::string(1950 * 720 + 1, 'A'));
  fs::create_directory(dir_ / "folder");
  struct Case {
    std::string args;
    int status;
    std::vector<std::string> err;
  };
  const std::string same =
      "message: The target is the source file itself: / it would be emptied before it is read";
  const Case cases[] = {
      {"tape-to-text nosuch.tap out.txt",
       1,
       {"message: There is no such tape",
        "message: This function requires a ORMLAX source tape / and will overwrite the target "
        "tape"}},
      {"tape-to-text t.tap kept.txt",
       1,
       {"message: That tape is in use; overwrite?",
        "message: Overwriting the target tape not allowed"}},
      {"tape-to-text --overwrite t.tap ./t.tap",
       1,
       {"message: That tape is in use; overwrite?", same}},
      {"tape-to-asm t.tap PROG",
       1,
       {"message: Adding \".asm\" to the target tape name",
        "message: " + (dir_ / "PROG.asm").string() + " / already exists. Replace it?"}},
      {"text-to-tape long.txt new.tap",
       1,
       {"message: The text is longer than one tape holds / (1950 blocks of 720 characters)"}},
      {"print t.tap", 1, {"message: The output will go to the default printer"}},
      {"print --printer t.tap",
       2,
       {"message: The output will go to the default printer",
        "message: There is no default printer on this computer: / set one up, or print into a "
        "file"}},
      {"print --board 9 t.tap out.txt",
       1,
       {"message: Cannot open plugboard file 9.pgb", "message: No usable plugboard is loaded"}},
      {"print folder out.txt",
       2,
       {"message: The tape file / " + (dir_ / "folder").string() +
        " / cannot be used (it is a folder)"}},
      {"print --pdf kept.txt t.tap",
       2,
       {"ormlax-cli: the PDF file kept.txt exists; --overwrite replaces it"}},
      {"print --pdf t.tap t.tap", 2, {"ormlax-cli: the PDF file t.tap is the source"}},
      {"print --nosuch t.tap", 2, {"ormlax-cli: unknown option --nosuch"}},
      {"tape-to-text t.tap", 2, {"ormlax-cli: give SRC and DST"}},
      {"print-dtmb --board 1 t.tap", 2, {"ormlax-cli: unknown option --board"}},
      {"print --board x t.tap", 2, {"ormlax-cli: --board must be a board number from 0 to 32767"}},
      {"print --pdf p.pdf t.tap out.txt",
       2,
       {"ormlax-cli: the output goes to DST or to the printer, not both"}},
      {"print --dir nosuch t.tap out.txt", 2, {"ormlax-cli: no folder nosuch"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    EXPECT_EQ(Cli(c.args), c.status);
    std::vector<std::string> err = ErrLines();
    if (c.status == 2 && err.size() > c.err.size()) err.resize(c.err.size());  // the usage follows
    EXPECT_EQ(err, c.err);
    EXPECT_EQ(ReadFile("kept.txt"), "keep");
    EXPECT_EQ(ReadFile("PROG.asm"), "my source");
    EXPECT_EQ(ReadFile("t.tap"), Tape({"HELLO", "s"}));
    EXPECT_FALSE(fs::exists(dir_ / "out.txt"));
    EXPECT_FALSE(fs::exists(dir_ / "new.tap"));
  }
  // --overwrite answers Yes to both questions about an existing target.
  EXPECT_EQ(Cli("tape-to-text --overwrite t.tap kept.txt"), 0);
  EXPECT_TRUE(ReadFile("kept.txt").starts_with("HELLO       \r\n"));
  EXPECT_EQ(Cli("tape-to-asm --overwrite t.tap PROG"), 0);
  EXPECT_TRUE(ReadFile("PROG.asm").starts_with("\tHE LLO \t\t       \r\n")) << ReadFile("PROG.asm");
}

TEST_F(CliOffLine, ThePrintoutsAndTheirOptions) {
  WriteFile("t.tap", Tape({"@FIRST", "PAUSE b HERE", "LAST", "s"}));
  // Board 1 is the default; each breakpoint pauses the run and the command line resumes it.
  EXPECT_EQ(Cli("print --breakpoints t.tap p.txt"), 0) << ReadFile("err");
  EXPECT_EQ(ErrLines(),
            std::vector<std::string>{
                "breakpoint: the run paused at a breakpoint character and was resumed"});
  const auto line = [](std::string text) {
    text.resize(130, ' ');
    return text + "\r\n";
  };
  EXPECT_EQ(ReadFile("p.txt"), line(" FIRST") + line("PAUSE   HERE") + line("LAST"));

  // Computer digits always go through board 0, and say so when another was chosen.
  EXPECT_EQ(Cli("print-cd --board 1 t.tap cd.txt"), 0);
  EXPECT_EQ(ErrLines(),
            (std::vector<std::string>{
                "message: Computer digit printouts always use / the \"1-to-1 split\" plugboard "
                "and / its associated carriage tape"}));
  const std::string cd = ReadFile("cd.txt");
  EXPECT_TRUE(cd.starts_with(" FIRST      ")) << cd;
  EXPECT_EQ(cd.substr(131, 12), "D     666666");  // marks under "@" and the blanks
  EXPECT_EQ(Cli("print-cd t.tap cd.txt --overwrite"), 0);
  EXPECT_EQ(ErrLines(), std::vector<std::string>{"message: That tape is in use; overwrite?"});

  // The job name box answered by --job; without it, empty.
  EXPECT_EQ(Cli("print-dtmb --job payroll t.tap d.txt"), 0);
  EXPECT_EQ(ErrLines(), std::vector<std::string>{"message: Job Name"});
  const std::string dtmb = ReadFile("d.txt");
  EXPECT_EQ(dtmb.substr(0, 8 + 18 + 7), "  PAGE 1" + std::string(18, ' ') + "PAYROLL");
  EXPECT_EQ(Cli("print-dtmb t.tap d2.txt"), 0);
  EXPECT_NE(ReadFile("d2.txt").find("(NO JOB NAME)"), std::string::npos);

  // Help for each command.
  for (const char* command :
       {"tape-to-text", "text-to-tape", "tape-to-asm", "print", "print-cd", "print-dtmb"}) {
    EXPECT_EQ(Cli(std::string("help ") + command), 0);
    EXPECT_TRUE(ReadFile("out").starts_with(std::string("usage: ormlax-cli ") + command + " ["))
        << ReadFile("out");
  }
}

}  // namespace
}  // namespace ormlax::cli

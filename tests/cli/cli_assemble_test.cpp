// "ormlax-cli assemble" through the real program: exit statuses and messages, the help, a folder
// it may not write in, the example programs assembled and run, and a program of several
// thousand words loaded by the generated loader and run end to end.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/cli/cli_test_support.h"
#include "tests/support/test_folder.h"

namespace ormlax::cli {
namespace {

using testing::TapeBytes;
namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

class CliAssemble : public testing::CliFolderTest {
 protected:
  // Runs `line` in the test's folder with bash, "$CLI" standing for the real program. Returns
  // the exit status.
  int Shell(const std::string& line) {
    const fs::path script = dir_.string() + ".sh";
    std::ofstream(script, std::ios::binary)
        << "cd '" << dir_.string() << "' || exit 99\nCLI='" << ORMLAX_CLI << "'\n"
        << line << "\n";
    const int status = std::system(("bash '" + script.string() + "'").c_str());
    fs::remove(script);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // The program with `args`, standard output to "out" and standard error to "err".
  int Cli(const std::string& args, const std::string& prefix = "") {
    return Shell(prefix + " timeout 120 \"$CLI\" " + args + " >out 2>err </dev/null");
  }
  std::string Out() { return ReadFile("out"); }
  std::string Err() { return ReadFile("err"); }
  void CopyExample(const std::string& name) {
    fs::copy_file(fs::path(ORMLAX_EXAMPLES) / name, dir_ / name,
                  fs::copy_options::overwrite_existing);
  }
};

const std::string kProgram = "START\tB X\t90\r\nX\t|000000\t|000001\r\n";

TEST_F(CliAssemble, ExitStatusAndMessages) {
  WriteFile("prog.asm", kProgram);
  WriteFile("bad.asm", "\tB NOSUCH\t90\r\n");
  struct Case {
    const char* args;
    int status;
    std::string err;
  };
  const Case cases[] = {
      {"assemble prog", 0, ""},
      {"assemble --model II --overflow --loader --keep prog.asm", 0, ""},
      {"assemble bad", 1, "message: Errors in assembly / See bad.lst\n"},
      {"assemble '<filename>'", 2,
       "message: You must enter a file name to be assembled / The file type must be \".asm\"\n"},
      {"assemble nosuch", 2, "message: No such input file\n"},
      {"assemble --dir nosuch prog", 2, "ormlax-cli: no folder nosuch\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    EXPECT_EQ(Cli(c.args), c.status);
    EXPECT_EQ(Err(), c.err);
    EXPECT_EQ(Out(), "");
  }
  EXPECT_TRUE(fs::exists(dir_ / "bad.lst"));
  EXPECT_FALSE(fs::exists(dir_ / "bad.obj"));
  // The options reached the run: the intermediates kept, the overflow routine, the loader.
  EXPECT_TRUE(ReadFile("prog.i2").starts_with("\tR00003\tU00001\t0\r\n"));
  EXPECT_TRUE(ReadFile("prog.lst")
                  .starts_with("A loading routine for this program has been generated\r\n\r\n"
                               "The temporary intermediate files have been preserved\r\n"));
  EXPECT_NE(ReadFile("prog.lst").find("\r\n   4   START\tB X   \t90    \t\r\n"),
            std::string::npos);  // ORMLAX II's four digits
}

TEST_F(CliAssemble, UsageErrorsShowTheUsage) {
  for (const char* args : {"assemble", "assemble a b", "assemble --model III a",
                           "assemble --frobnicate a", "assemble --dir"}) {
    SCOPED_TRACE(args);
    EXPECT_EQ(Cli(args), 2);
    EXPECT_TRUE(Err().starts_with("ormlax-cli: ")) << Err();
    EXPECT_NE(Err().find("usage: ormlax-cli assemble"), std::string::npos) << Err();
  }
  EXPECT_EQ(Cli("help assemble"), 0);
  EXPECT_TRUE(
      Out().starts_with("usage: ormlax-cli assemble [--model I|II] [--dir DIR] "
                        "[--overflow] [--loader] [--keep] NAME\n"))
      << Out();
  EXPECT_EQ(Cli("help"), 0);
  EXPECT_NE(Out().find("  assemble  "), std::string::npos) << Out();
}

// A folder whose owner may not write in it. The superuser may write anywhere, so as root the
// program runs as an ordinary user for this test.
TEST_F(CliAssemble, AFolderItMayNotWriteInLosesNothing) {
  WriteFile("prog.asm", kProgram);
  WriteFile("prog.lst", "an earlier listing");
  fs::permissions(dir_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                            fs::perms::others_read | fs::perms::others_exec);
  std::string prefix;
  if (::geteuid() == 0) {
    prefix = "setpriv --reuid=65534 --regid=65534 --clear-groups";
    if (Shell(prefix + " test -x '" + std::string(ORMLAX_CLI) + "'") != 0) {
      GTEST_SKIP() << "an ordinary user cannot run the program here";
    }
  } else {
    fs::permissions(dir_, fs::perms::owner_write, fs::perm_options::remove);
  }
  const fs::path errPath = ormlax::testing::TestFolder("ormlax_asm_ro_err");
  const int status = Shell(prefix + " \"$CLI\" assemble prog 2>'" + errPath.string() + "'");
  std::ifstream errFile(errPath);
  std::string err((std::istreambuf_iterator<char>(errFile)), std::istreambuf_iterator<char>());
  fs::remove(errPath);
  fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
  EXPECT_EQ(status, 2);
  EXPECT_EQ(err, "message: The file / " + (dir_ / "prog.i2").string() +
                     " / cannot be written (Permission denied)\n");
  EXPECT_EQ(ReadFile("prog.lst"), "an earlier listing");
  EXPECT_FALSE(fs::exists(dir_ / "prog.obj"));
}

struct Example {
  const char* name;
  const char* assemble;  // the options
  const char* run;       // the options of the run, before the tape
  std::string paper;
};

std::string ReportPaper() {
  return "THE ORMLAX ASSEMBLER\n"
         "\n"
         "A source line describes one machine word: a label, then two instructions\n"
         "or a keyword and its operand, each field ended by a tab. A line that\n"
         "begins with a semicolon is a comment.\n"
         "The assembler reads the source in four passes. Pass one lays the lines\n"
         "out and counts their locations, pass two resolves the program points\n"
         "defined before a reference, pass three those defined after it, and pass\n"
         "four the symbols. Then it writes the object tape and the listing.\n"
         "A text line gives words of twelve characters, padded with the ignore\n"
         "code. Its label names the first word, and the label followed by ZZ\n"
         "names the last one.\n"
         "An automatic constant is written where it is used: a plus sign, a letter\n"
         "that says which groups of three digits the value fills, and the value.\n"
         "Each different one becomes a word after the program.\n"
         "Working storage is placed after the program and its constants. The\n"
         "loader clears it, reads every block of the program to its place, and\n"
         "starts the program at location 0. A program of up to sixty words needs\n"
         "no loader: the console's loading word reads its only block.\n"
         "The listing shows every line with its location and its errors, the\n"
         "constants, the working storage and a cross-reference of the symbols.\n"
         "\n"
         "111 words of text.\n";
}

TEST_F(CliAssemble, TheExamplesAssembleAndRun) {
  const Example examples[] = {
      {"greeting", "", "",
       "Hello from the ORMLAX I.\n"
       "Model   Words   Digits\n"
       "I       1000    3\n"
       "II      10000   4\n"},
      {"table", "--overflow", "",
       "N       SQUARE  1/N\n"
       "01      001     1.0000000000\n"
       "02      004     .50000000000\n"
       "03      009     .33333333333\n"
       "04      016     .25000000000\n"
       "05      025     .20000000000\n"
       "06      036     .16666666667\n"
       "07      049     .14285714286\n"
       "08      064     .12500000000\n"
       "09      081     .11111111111\n"},
      {"tapejob", "--loader", "--mount 1=records.tap",
       "First record\nSecond record\nThird record\n"},
      {"report", "--loader", "", ReportPaper()},
  };
  for (const Example& e : examples) {
    SCOPED_TRACE(e.name);
    CopyExample(std::string(e.name) + ".asm");
    ASSERT_EQ(Cli(std::string("assemble ") + e.assemble + " " + e.name), 0) << Err();
    EXPECT_EQ(Err(), "");
    EXPECT_EQ(Cli(std::string("run ") + e.run + " " + e.name + ".obj"), 0) << Err();
    EXPECT_EQ(Out(), e.paper);
    EXPECT_TRUE(Err().ends_with("stopped: stop instruction\n")) << Err();
  }
  // The tape job's records, each a block: its two words of text and zeros.
  EXPECT_EQ(ReadFile("records.tap"), TapeBytes({"%FIRST RECOR", "Driiiiiiiiii"}) +
                                         TapeBytes({"%SECOND RECO", "RDriiiiiiiii"}) +
                                         TapeBytes({"%THIRD RECOR", "Driiiiiiiiii"}));
}

// A program of 7300 words (with its constants) and 500 words of working storage on ORMLAX II:
// its loader is longer than a block. Once loaded, it writes memory 0 to 7799 to the tape on servo
// 1, so the tape shows where every word landed, and prints "loaded".
TEST_F(CliAssemble, AProgramOfSeveralThousandWordsLoadsWholeWithTheGeneratedLoader) {
  constexpr int kData = 7288;
  constexpr int kBlocks = 130;  // 7298 words, 2 constants and 500 of working storage
  std::string source =
      "WRITE\t51 0000\t00\twrite a block from the address in the left half\r\n"
      "\tB WRITE\tA +B060\r\n"
      "\tH WRITE\tB COUNT\tthe next block's address\r\n"
      "\tS +D001\tH COUNT\r\n"
      "\tL ZERO\t00\r\n"
      "\t00\tT WRITE\tmore to write?\r\n"
      "\t50 DONE\t90\r\n"
      "COUNT\t|000000\t|000" +
      std::to_string(kBlocks) +
      "\r\n"
      "ZERO\t|000000\t|000000\r\n"
      "DONE\tTXT\tLOADEDr\r\n";
  for (int k = 1; k <= kData; ++k) {
    char line[40];
    std::snprintf(line, sizeof line, "\t|D%05d\t|E%05d\r\n", k, k);
    source += line;
  }
  source += "BUF\tWS\t500\r\n";
  WriteFile("long.asm", source);
  ASSERT_EQ(Cli("assemble --model II --loader --keep long"), 0) << Err();
  EXPECT_EQ(Cli("run --model II --mount 1=image.tap long.obj"), 0) << Err();
  EXPECT_EQ(Out(), "loaded\n");

  // The image: each word of ".i5" at its location, then the working storage cleared.
  Texts image;
  std::ifstream words(dir_ / "long.i5", std::ios::binary);
  for (std::string line; std::getline(words, line);) image.push_back(line.substr(0, 12));
  ASSERT_EQ(image.size(), 7300u);
  image.resize(kBlocks * 60, "000000000000");
  const std::string tape = ReadFile("image.tap");
  ASSERT_EQ(tape.size(), static_cast<std::size_t>(kBlocks) * 744);
  EXPECT_EQ(tape, TapeBytes(image));
}

}  // namespace
}  // namespace ormlax::cli

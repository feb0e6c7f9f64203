// End-to-end runs of small programs from tape files, as "ormlax-cli run" does them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/run_command.h"
#include "cli/run_options.h"
#include "tests/cli/cli_test_support.h"

namespace ormlax::cli {
namespace {

using testing::TapeBytes;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
  // The last line written to standard error.
  std::string LastErrorLine() const {
    std::string text = err;
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text.substr(text.rfind('\n') + 1);
  }
};

class CliRun : public testing::CliFolderTest {
 protected:
  Outcome Run(std::vector<std::string> args, const std::string& typed = "") {
    args.insert(args.begin(), {"--dir", dir_.string()});
    RunOptions options;
    std::string error;
    Outcome o;
    if (!ParseRunOptions(args, options, error)) {
      o.status = kUsageOrFileError;
      o.err = error;
      return o;
    }
    std::istringstream input(typed);
    std::ostringstream out, err;
    CommandStreams streams{input, out, err, false};
    o.status = RunCommand(options, streams);
    o.out = out.str();
    o.err = err.str();
    return o;
  }
};

TEST_F(CliRun, LoadsAProgramFromTapePrintsAndStops) {
  // The loading word reads block 1 into rI and stores it at 0; the program prints word 10.
  WriteFile("hello.obj",
            TapeBytes({"500010900000", "", "", "", "", "", "", "", "", "", "HELLO WORLDr"}));
  const Outcome o = Run({"hello.obj"});
  EXPECT_EQ(o.status, kStoppedOnStopInstruction);
  EXPECT_EQ(o.out, "hello world\n");
  EXPECT_EQ(o.LastErrorLine(), "stopped: stop instruction");
}

TEST_F(CliRun, ReadsDataTapesAndWritesAResultTapeByteForByte) {
  // ORMLAX II: read a block from servo 1 into 100.., add its first two words, write 100..159
  // (the sum in place of the first word) to servo 2, rewind it, stop.
  const std::vector<std::string> program = {
      "110000300100",  // read servo 1 forward; store rI at 0100
      "B00100A00101",  // rA := (100); rA += (101)
      "H00100520100",  // (100) := rA; write 0100.. to servo 2
      "620000900000",  // rewind servo 2; stop
  };
  std::vector<std::string> data(60, "000000000000");
  data[0] = "000000001234";
  data[1] = "-00000000034";
  data[59] = "LAST WORD  .";
  WriteFile("data.tap", TapeBytes(data));
  WriteFile("code.obj", TapeBytes(program));
  const Outcome o = Run({"--model", "II", "--mount", "1=data.tap:ro", "--mount", "2=result.tap",
                         "--mount", "3=code.obj", "--start", "130000300000"});
  ASSERT_EQ(o.status, kStoppedOnStopInstruction) << o.err;
  std::vector<std::string> expected = data;
  expected[0] = "000000001200";
  EXPECT_EQ(ReadFile("result.tap"), TapeBytes(expected));
  EXPECT_EQ(ReadFile("data.tap"), TapeBytes(data));  // read only, unchanged
}

TEST_F(CliRun, KeyboardWordsComeFromTheInputLineByLine) {
  WriteFile("echo.obj", TapeBytes({"100100500100", "100101500101", "900000000000"}));
  const Outcome o = Run({"echo.obj"}, "abc\nh00012\n");
  EXPECT_EQ(o.status, kStoppedOnStopInstruction) << o.err;
  EXPECT_EQ(o.out, "000000000abc000000h00012");
}

TEST_F(CliRun, EndOfInputClosesTheKeyboardWindowKeepingTheLastWord) {
  WriteFile("echo.obj", TapeBytes({"100100100101", "500100500101", "900000000000"}));
  const Outcome o = Run({"echo.obj"}, "x7\n");
  EXPECT_EQ(o.status, kStoppedOnStopInstruction) << o.err;
  EXPECT_EQ(o.out, "0000000000x70000000000x7");
}

TEST_F(CliRun, ProgramErrorsLightALampStopAndExitWithOne) {
  struct Case {
    const char* word;
    const char* message;  // empty when none is expected
    const char* reason;
  } cases[] = {
      {"*00100000000", "message: \"*0\" is not a valid opcode", "stopped: invalid opcode"},
      {"B00A10000000", "", "stopped: invalid address"},
      {"L00010M00011", "", "stopped: invalid operand"},
      {",00000000000", "", "stopped: breakpoint"},
      {"1 0000000000", "message: Servo - not ready", "stopped: servo not ready"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.word);
    WriteFile("words.obj", TapeBytes({c.word, "900000000000", "", "", "", "", "", "", "", "",
                                      "000000000001", "0A0000000000"}));
    Outcome o = Run({"--comma-stop", "--start", "130000300000", "--mount", "3=words.obj"});
    EXPECT_EQ(o.status, kStoppedOtherwise);
    EXPECT_EQ(o.LastErrorLine(), c.reason);
    if (*c.message) {
      EXPECT_NE(o.err.find(std::string(c.message) + "\n"), std::string::npos) << o.err;
    }
  }
}

TEST_F(CliRun, ReadingPastTheEndOfDataUnloadsTheServo) {
  WriteFile("prog.obj", TapeBytes({"1 0000000000", "U00000000000"}));
  const Outcome o = Run({"prog.obj"});
  EXPECT_EQ(o.status, kStoppedOtherwise);
  // The first read of the loop meets the end of the one-block tape, the next finds it unloaded.
  EXPECT_NE(o.err.find("message: Reading past end of data / on Servo  -\n"), std::string::npos)
      << o.err;
  EXPECT_NE(o.err.find("message: Servo - not ready\n"), std::string::npos);
  EXPECT_EQ(o.LastErrorLine(), "stopped: servo not ready");
}

TEST_F(CliRun, FiftyBreakSkipsOrStopsThePrint) {
  WriteFile("p.obj", TapeBytes({"500010500010", "900000000000", "", "", "", "", "", "", "", "",
                                "ABCDEFGHIJKL"}));
  Outcome skip = Run({"--fifty", "skip", "p.obj"});
  EXPECT_EQ(skip.status, kStoppedOnStopInstruction);
  EXPECT_EQ(skip.out, "");
  Outcome stop = Run({"--fifty", "stop", "p.obj"});
  EXPECT_EQ(stop.status, kStoppedOtherwise);
  EXPECT_EQ(stop.out, "abcdefghijklabcdefghijkl");  // both halves print, then the run stops
  EXPECT_EQ(stop.LastErrorLine(), "stopped: 50 stop");
}

TEST_F(CliRun, PaperRunsOut) {
  WriteFile("p.obj", TapeBytes({"500010500010", "500010900000", "", "", "", "", "", "", "", "",
                                "LINEriiiiiii"}));
  const Outcome o = Run({"--paper", "2", "p.obj"});
  EXPECT_EQ(o.status, kStoppedOnStopInstruction);
  EXPECT_EQ(o.out, "line\nline\n");
}

TEST_F(CliRun, TheMemoryFuseBlowsOnOrmlaxI) {
  // Twelve blocks of "Z4Z4Z4Z4Z4Z4" stored at 100-819, then a Z instruction: the count reaches
  // 720 and the fuse blows, clearing memory.
  std::vector<std::string> tape = {"1 0000000000"};
  for (int k = 0; k < 12; ++k) {
    char w[13];
    std::snprintf(w, sizeof w, "300%03d%s", 100 + 60 * k, k < 11 ? "1 0000" : "000000");
    tape.push_back(w);
  }
  tape.push_back("Z00050000000");
  tape.resize(60, "000000000000");
  tape.resize(60 * 13, "Z4Z4Z4Z4Z4Z4");
  WriteFile("fuse.obj", TapeBytes(tape));
  const Outcome o = Run({"fuse.obj", "--dump", "m.txt"});
  EXPECT_EQ(o.status, kStoppedOtherwise) << o.err;
  EXPECT_NE(o.err.find("fuse: A fuse has blown!!! / The entire memory has been filled with "
                       "\"Z4Z4Z4Z4Z4Z4\"\n"),
            std::string::npos)
      << o.err;
  EXPECT_EQ(o.LastErrorLine(), "stopped: fuse blown");
  EXPECT_EQ(ReadFile("m.txt"), "");
}

TEST_F(CliRun, RefusedTapesAndBadOptionsExitWithTwo) {
  WriteFile("short.obj", std::string(745, '0'));
  Outcome o = Run({"short.obj"});
  EXPECT_EQ(o.status, kUsageOrFileError);
  EXPECT_NE(o.err.find("is not a ORMLAX tape"), std::string::npos) << o.err;
  EXPECT_EQ(Run({"--model", "III"}).status, kUsageOrFileError);
  EXPECT_EQ(Run({"--mount", "A=x.obj"}).status, kUsageOrFileError);  // no servo A on ORMLAX I
  EXPECT_EQ(Run({"--input", "absent.txt"}).status, kUsageOrFileError);
  EXPECT_EQ(Run({"--input", "."}).status, kUsageOrFileError);
}

TEST_F(CliRun, AMissingTapeIsBlankAndTheDumpIsWritten) {
  const Outcome o = Run({"--mount", "5=new.tap", "--start", "550000900000", "--dump", "m.txt"});
  EXPECT_EQ(o.status, kStoppedOnStopInstruction) << o.err;
  EXPECT_EQ(ReadFile("new.tap"), TapeBytes({}));  // locations 0-59, all cleared
  EXPECT_EQ(ReadFile("m.txt"), "");  // memory is all zeros: rCR's word never reached memory
}

TEST_F(CliRun, TheStartWordIsTakenAsGiven) {
  // Lower case stays lower case: "b" is the breakpoint code, no operation of the machine.
  const Outcome lower = Run({"--start", "b00100000000"});
  EXPECT_EQ(lower.status, kStoppedOtherwise);
  EXPECT_NE(lower.err.find("message: \"b0\" is not a valid opcode\n"), std::string::npos)
      << lower.err;
  // A short word is filled with zeros on the left: "9" is 000000000009, which does not stop.
  const Outcome shortWord = Run({"--start", "9", "--max-words", "10"});
  EXPECT_EQ(shortWord.status, kWordLimitReached);
}

TEST_F(CliRun, TheWordLimitEndsAnEndlessLoop) {
  const Outcome o = Run({"--start", "U00000000000", "--max-words", "1000"});
  EXPECT_EQ(o.status, kWordLimitReached);
  EXPECT_EQ(o.LastErrorLine(), "stopped: word limit reached");
}

TEST(CliProgram, ExitStatusAndUsageFromTheRealProgram) {
  const std::string cli = ORMLAX_CLI;
  EXPECT_EQ(WEXITSTATUS(std::system((cli + " run --model X 2>/dev/null").c_str())), 2);
  EXPECT_EQ(WEXITSTATUS(std::system((cli + " run --start 900000000000 2>/dev/null").c_str())), 0);
  EXPECT_EQ(WEXITSTATUS(
                std::system((cli + " run --start ,00000000000 --comma-stop 2>/dev/null").c_str())),
            1);
}

}  // namespace
}  // namespace ormlax::cli

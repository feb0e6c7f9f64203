// The real ormlax-cli run through the shell: a run cut by the word limit, saved and restored
// (once or several times), prints and writes what one whole run does; --registers; refusals.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/cli/cli_test_support.h"
#include "tests/installation/session_test_support.h"

namespace ormlax::cli {
namespace {

using ormlax::testing::LoopProgram;
using testing::TapeBytes;
namespace fs = std::filesystem;

std::string DataTape() {
  std::vector<std::string> words;
  for (int k = 0; k < 10; ++k) {
    words.push_back("DATA000000" + std::to_string(k) + "r");
    words.resize(words.size() + 59);
  }
  return TapeBytes(words);
}

class CliSession : public testing::CliFolderTest {
 protected:
  // Runs ormlax-cli with `args` in the test's folder: standard output to `out`, standard error
  // to `err`, no input, never for longer than a minute. Returns the exit status.
  int Cli(const std::string& args, const std::string& out = "out", const std::string& err = "err") {
    const std::string line = "cd '" + dir_.string() + "' && timeout 60 '" + ORMLAX_CLI + "' " +
                             args + " >" + out + " 2>" + err + " </dev/null";
    const int status = std::system(line.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // The program and its data tape in the folder `sub`.
  void SetUpLoop(const std::string& sub) {
    fs::create_directories(dir_ / sub);
    WriteFile(sub + "/loop.obj", TapeBytes(LoopProgram()));
    WriteFile(sub + "/data.tap", DataTape());
  }
};

TEST_F(CliSession, ARunCutByTheWordLimitIsSavedAndContinuedToTheEndOfTheWholeRun) {
  const std::string tapes = "--mount 1=out.tap --mount 2=data.tap:ro";
  struct Case {
    std::string paper;       // a --paper option, or nothing
    std::vector<int> words;  // the word limits of the runs before the last
  } cases[] = {
      {"", {23}},
      {"--paper 13", {5, 38}},
      {"", {1, 1, 57}},
      {"--paper 3", {40}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.paper + " cut after " + std::to_string(c.words.front()) + " words, " +
                 std::to_string(c.words.size()) + " saves");
    SetUpLoop("whole");
    SetUpLoop("cut");
    ASSERT_EQ(Cli("run --dir whole " + tapes + " " + c.paper + " --dump dump.txt loop.obj",
                  "whole/stdout"),
              0)
        << ReadFile("err");

    std::string printed;
    for (std::size_t run = 0; run <= c.words.size(); ++run) {
      const bool first = run == 0, last = run == c.words.size();
      std::string args = "run --dir cut ";
      args += first ? tapes + " " + c.paper + " loop.obj" : "--restore s.session";
      args += last ? " --dump dump.txt"
                   : " --save s.session --max-words " + std::to_string(c.words[run]);
      const int status = Cli(args);
      printed += ReadFile("out");
      const std::string err = ReadFile("err");
      ASSERT_EQ(status, last ? 0 : 3) << args << "\n" << err;
      // A restored run asks nothing: its tapes are mounted as they were.
      if (!first) {
        EXPECT_EQ(err.find("message:"), std::string::npos) << err;
      }
    }
    EXPECT_EQ(printed, ReadFile("whole/stdout"));
    EXPECT_EQ(ReadFile("cut/out.tap"), ReadFile("whole/out.tap"));
    EXPECT_EQ(ReadFile("cut/data.tap"), DataTape());
    EXPECT_EQ(ReadFile("cut/dump.txt"), ReadFile("whole/dump.txt"));
    fs::remove_all(dir_ / "whole");
    fs::remove_all(dir_ / "cut");
  }
}

TEST_F(CliSession, RegistersAndLitLampsFollowTheStoppedLine) {
  WriteFile("add.obj", TapeBytes({"B00010A00011", "900000000000", "", "", "", "", "", "", "", "",
                                  "000000000005", "-0000000000\x01"}));
  WriteFile("comma.obj", TapeBytes({"L00010,00000", "900000000000", "", "", "", "", "", "", "", "",
                                    "HELLO WORLD."}));
  ASSERT_EQ(Cli("run --registers add.obj"), 0);
  EXPECT_EQ(ReadFile("err"),
            "stopped: stop instruction\n"
            "rA 00000000000\\x01\n"
            "rX -0000000000\\x01\n"
            "rL 000000000000\n"
            "rF 000000000000\n"
            "rCC 002\n"
            "lamps Running\n");
  ASSERT_EQ(Cli("run --model II --comma-stop --registers comma.obj"), 1);
  EXPECT_EQ(ReadFile("err"),
            "stopped: breakpoint\n"
            "rA 000000000000\n"
            "rX HELLO WORLD.\n"
            "rL HELLO WORLD.\n"
            "rF 000000000000\n"
            "rCC 0001\n"
            "lamps Breakpoint stop, Running\n");
}

TEST_F(CliSession, RefusedSessionsAndFilesExitWithTwoAndSaySo) {
  SetUpLoop(".");
  ASSERT_EQ(Cli("run --model II --mount 1=ii.tap --mount 2=data.tap --max-words 10 --save "
                "ii.session loop.obj"),
            3)
      << ReadFile("err");
  ASSERT_EQ(Cli("run --mount 1=i.tap --mount 2=data.tap --max-words 10 --save i.session loop.obj"),
            3);
  const std::string dir = dir_.string();
  const std::string written = ReadFile("i.tap");  // a run restored from i.session writes on
  const struct {
    std::string args;
    std::string err;  // the whole of standard error, or its first line for a usage error
  } cases[] = {
      {"run --restore ii.session", "ormlax-cli: " + dir +
                                       "/ii.session is a session of the ORMLAX "
                                       "II; this installation is an ORMLAX I\n"},
      {"run --restore none.session",
       "ormlax-cli: There is no session file " + dir + "/none.session\n"},
      {"run --restore loop.obj",
       "ormlax-cli: " + dir + "/loop.obj is not an ORMLAX session file\n"},
      {"run --restore i.session --fifty stop",
       "ormlax-cli: --fifty cannot be given with --restore: the session holds the switches"},
      {"run --restore i.session --save", "ormlax-cli: --save needs a value"},
      {"run --restore i.session --save data.tap",
       "stopped: stop instruction\nerror: The session file " + dir +
           "/data.tap cannot be written: it is the tape on Servo  2\n"},
      {"run --restore i.session --save no/such/s.session",
       "stopped: stop instruction\nerror: The session file " + dir +
           "/no/such/s.session cannot be written: No such file or directory\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    WriteFile("i.tap", written);
    EXPECT_EQ(Cli(c.args), 2);
    const std::string err = ReadFile("err");
    EXPECT_EQ(err.substr(0, c.err.back() == '\n' ? err.size() : err.find('\n')), c.err);
  }
  WriteFile("i.tap", written);
  fs::remove(dir_ / "data.tap");
  EXPECT_EQ(Cli("run --restore i.session"), 2);
  EXPECT_EQ(ReadFile("err"), "ormlax-cli: The tape " + dir +
                                 "/data.tap on Servo  2 is gone since the session was saved\n");
  EXPECT_EQ(ReadFile("out"), "");
}

}  // namespace
}  // namespace ormlax::cli

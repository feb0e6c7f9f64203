// The real ormlax-cli, run through the shell as a script would run it: closed standard streams,
// full disks, odd files, endless input, terminals, and the help.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "installation/program_version.h"
#include "tests/cli/cli_test_support.h"

namespace ormlax::cli {
namespace {

using testing::TapeBytes;
namespace fs = std::filesystem;

constexpr int kTimedOut = 124;  // what timeout(1) answers when the program had to be killed

// A bound on the program's memory, so that a fault that makes it grow cannot take the machine's
// memory with it. The address sanitizer reserves more than any bound allows, so it goes without.
#ifdef __SANITIZE_ADDRESS__
constexpr const char* kMemoryBound = "";
#else
constexpr const char* kMemoryBound = "ulimit -v 4000000;";
#endif

// Words 0-59 of a program that prints word 10 and writes its own block to servo 1.
std::vector<std::string> PrintAndWriteProgram() {
  return {"500010510000", "900000000000", "", "", "", "", "", "", "", "", "HELLO WORLDr"};
}

class CliProgram : public testing::CliFolderTest {
 protected:
  // Runs `line` in the test's folder with bash, "cli" standing for the real program, and never
  // for longer than a minute. Returns the exit status.
  int Shell(const std::string& line) {
    const fs::path script = dir_.string() + ".sh";
    WriteFileAt(script, "cd '" + dir_.string() + "' || exit 99\nCLI='" + std::string(ORMLAX_CLI) +
                            "'\ncli() { timeout 60 \"$CLI\" \"$@\"; }\n" + line + "\n");
    const int status = std::system(("bash '" + script.string() + "'").c_str());
    fs::remove(script);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // "cli ARGS" with standard output to "out", standard error to "err" and no input; `prefix`
  // comes before it (limits, another user).
  int Cli(const std::string& args, const std::string& prefix = "") {
    return Shell(prefix + " timeout 60 \"$CLI\" " + args + " >out 2>err </dev/null");
  }
  std::string Out() { return ReadFile("out"); }
  std::string Err() { return ReadFile("err"); }
  std::vector<std::string> ErrLines() {
    std::vector<std::string> lines;
    std::string text = Err();
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t end = text.find('\n', at);
      lines.push_back(text.substr(at, end - at));
      at = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
  }
  // Whether `name` mounts as a tape: a run that mounts it and stops at once.
  bool Mounts(const std::string& name) {
    return Shell("cli run --mount 1=" + name + " --start 900000000000 >/dev/null 2>&1") == 0;
  }
  void WriteFileAt(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
};

TEST_F(CliProgram, ClosedStandardStreamsNeverReachATape) {
  const std::string program = TapeBytes(PrintAndWriteProgram());
  for (const char* closing : {">&-", "2>&-", ">&- 2>&-", "<&- >&- 2>&-"}) {
    SCOPED_TRACE(closing);
    WriteFile("prog.tap", program);
    fs::remove(dir_ / "result.tap");
    EXPECT_EQ(Shell(std::string("cli run --mount 1=result.tap prog.tap ") + closing), 0);
    EXPECT_EQ(ReadFile("prog.tap"), program);
    EXPECT_EQ(ReadFile("result.tap"), program);  // memory 0-59 is the program's block
    EXPECT_TRUE(Mounts("result.tap"));
  }
}

// A disk that fills up while a program writes: the tape keeps its whole blocks and mounts again,
// the run says what failed and ends with status 2. On a small file system of its own where the
// test may make one, otherwise with the host's limit on the size of a file.
TEST_F(CliProgram, AFullDiskLeavesWholeBlocksAndExitsWithTwo) {
  WriteFile("loop.tap", TapeBytes({"510000U00000"}));  // writes block after block, for ever
  fs::create_directory(dir_ / "small");
  const bool tmpfs = ::mount("tmpfs", (dir_ / "small").c_str(), "tmpfs", 0, "size=64k") == 0;
  const std::string prefix = tmpfs ? "" : "trap '' XFSZ; ulimit -f 64;";
  const int status = Cli("run --mount 1=small/r.tap loop.tap", prefix);
  const std::uintmax_t size = fs::file_size(dir_ / "small" / "r.tap");
  const bool mounts = Mounts("small/r.tap");
  if (tmpfs) ::umount((dir_ / "small").c_str());

  EXPECT_EQ(status, 2) << Err();
  EXPECT_GT(size, 0u);
  EXPECT_EQ(size % 744, 0u) << size;
  EXPECT_TRUE(mounts);
  const std::vector<std::string> lines = ErrLines();
  ASSERT_GE(lines.size(), 2u) << Err();
  EXPECT_EQ(lines.back(), "stopped: servo not ready");
  const std::string& failure = lines[lines.size() - 2];
  const std::string reason = std::strerror(tmpfs ? ENOSPC : EFBIG);
  EXPECT_EQ(failure, "error: The tape file / " + (dir_ / "small" / "r.tap").string() +
                         " / cannot be written (" + reason + ") / on Servo  1")
      << Err();
}

TEST_F(CliProgram, AFailedTapeWriteIsAnErrorEvenWhenTheProgramStopsNormally) {
  WriteFile("three.tap", TapeBytes({"510000510000", "510000900000"}));
  // The file may not pass 2048 bytes: the third block cannot be written.
  EXPECT_EQ(Cli("run --mount 1=r.tap three.tap", "trap '' XFSZ; ulimit -f 2;"), 2) << Err();
  const std::vector<std::string> lines = ErrLines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines.back(), "stopped: stop instruction");
  EXPECT_TRUE(lines[lines.size() - 2].starts_with("error: The tape file / ")) << Err();
  EXPECT_EQ(fs::file_size(dir_ / "r.tap"), 2u * 744);
}

TEST_F(CliProgram, OnlyARegularFileCanBeATape) {
  ASSERT_EQ(::mkfifo((dir_ / "pipe.tap").c_str(), 0600), 0);
  fs::create_directory(dir_ / "folder.tap");
  struct Case {
    std::string args;
    std::string reason;
  };
  const Case cases[] = {
      {"--mount 1=pipe.tap --start 900000000000", "it is a pipe"},
      {"pipe.tap", "it is a pipe"},
      {"--mount 2=folder.tap --start 900000000000", "it is a folder"},
      {"--mount 3=/dev/null --start 900000000000", "it is a device"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const int status = Cli("run " + c.args);
    ASSERT_NE(status, kTimedOut) << "the program waited on the file";
    EXPECT_EQ(status, 2);
    EXPECT_NE(Err().find("cannot be a tape (" + c.reason + ")"), std::string::npos) << Err();
  }
}

// A file its owner may only read. The superuser may write any file, so as root the program runs
// as an ordinary user for this test.
TEST_F(CliProgram, AReadOnlyFileMountsWriteProtectedOnly) {
  WriteFile("ro.tap", TapeBytes({"900000000000"}));
  fs::permissions(dir_ / "ro.tap",
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  std::string prefix;
  if (::geteuid() == 0) {
    prefix = "setpriv --reuid=65534 --regid=65534 --clear-groups";
    if (Shell(prefix + " test -x '" + std::string(ORMLAX_CLI) + "'") != 0) {
      GTEST_SKIP() << "an ordinary user cannot run the program here";
    }
  }
  // Reads its block into rI and stores it at 0, where the run goes on: the stop instruction.
  EXPECT_EQ(Cli("run --mount 1=ro.tap:ro --start 110000300000", prefix), 0) << Err();
  EXPECT_EQ(Cli("run --mount 1=ro.tap --start 900000000000", prefix), 2);
  EXPECT_NE(Err().find("cannot be opened (" + std::string(std::strerror(EACCES)) + ")"),
            std::string::npos)
      << Err();
}

TEST_F(CliProgram, AFileLongerThanAFullTapeIsRefusedAtOnce) {
  // Two thousand million bytes, a whole number of blocks, and nothing on the disk.
  const int fd = ::open((dir_ / "big.tap").c_str(), O_CREAT | O_WRONLY, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, off_t{744} * 2'700'000), 0);
  ::close(fd);
  std::string full;
  for (int b = 0; b < 1951; ++b) full += TapeBytes({});
  WriteFile("long.tap", full);
  for (const char* name : {"big.tap", "long.tap"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Cli(std::string("run --mount 1=") + name + " --start 900000000000"), 2);
    EXPECT_NE(Err().find("is longer than a full tape (1950 blocks)"), std::string::npos) << Err();
  }
}

TEST_F(CliProgram, AMisalignedFileIsNotATape) {
  // Every line counts 121 characters besides NUL bytes, but the first ends a byte early and the
  // second makes up for it with a second NUL: reads at the fixed places would take CR and LF.
  std::string bytes = TapeBytes({"000000000001"});
  bytes.erase(1, 1);
  bytes.insert(124 + 1, std::string(1, '\0'));
  ASSERT_EQ(bytes.size(), 744u);
  WriteFile("mis.tap", bytes);
  EXPECT_EQ(Cli("run --mount 1=mis.tap --start 900000000000"), 2);
  EXPECT_NE(Err().find(" does not appear to be a valid tape file"), std::string::npos) << Err();
}

TEST_F(CliProgram, WhatIsTypedKeepsOnlyCharactersATapeCanHold) {
  // Reads a keyboard word to 020, writes memory 0-59 to servo 1, stops.
  WriteFile("key.tap", TapeBytes({"100020510000", "900000000000"}));
  WriteFile("typed.txt", std::string("AB\0CD\r\n", 7));
  EXPECT_EQ(Cli("run --input typed.txt --mount 1=r.tap key.tap"), 0) << Err();
  EXPECT_EQ(ReadFile("r.tap").substr(124 * 2 + 2, 12), "00000000ABCD");
  EXPECT_TRUE(Mounts("r.tap"));
}

TEST_F(CliProgram, EndlessKeyboardInputIsReadInBoundedPieces) {
  WriteFile("keys.tap", TapeBytes({"100100U00000"}));  // reads keyboard words for ever
  WriteFile("long.txt", std::string(3'000'000, 'q'));  // one line of three million characters
  for (const char* input : {"/dev/zero", "long.txt"}) {
    SCOPED_TRACE(input);
    const int status =
        Cli(std::string("run --max-words 2000 --input ") + input + " keys.tap", kMemoryBound);
    EXPECT_EQ(status, 3) << Err();
    EXPECT_EQ(ErrLines().back(), "stopped: word limit reached");
  }
}

TEST_F(CliProgram, AMemoryDumpIsNeverWrittenOverATape) {
  const std::string tape = TapeBytes({"000000000001"});
  for (const char* mount : {"1=t.tap", "1=t.tap:ro"}) {
    SCOPED_TRACE(mount);
    WriteFile("t.tap", tape);
    EXPECT_EQ(Cli(std::string("run --mount ") + mount + " --start 900000000000 --dump t.tap"), 2);
    EXPECT_EQ(ReadFile("t.tap"), tape);
    const std::vector<std::string> lines = ErrLines();
    ASSERT_EQ(lines.size(), 2u) << Err();
    EXPECT_EQ(lines[0], "stopped: stop instruction");
    EXPECT_EQ(lines[1], "error: The memory dump could not be written to / " +
                            (dir_ / "t.tap").string() + " / (it is the tape on Servo  1)");
  }
}

TEST_F(CliProgram, AFailedDumpComesAfterHowTheRunStopped) {
  EXPECT_EQ(Cli("run --start 900000000000 --dump gone/m.txt"), 2);
  const std::vector<std::string> lines = ErrLines();
  ASSERT_EQ(lines.size(), 2u) << Err();
  EXPECT_EQ(lines[0], "stopped: stop instruction");
  EXPECT_TRUE(lines[1].starts_with("error: The memory dump could not be written to / ")) << Err();
}

TEST_F(CliProgram, AMissingProgramTapeIsAUsageErrorAndAMissingMountABlankTape) {
  EXPECT_EQ(Cli("run nosuch.tap"), 2);
  EXPECT_EQ(Err(), "ormlax-cli: there is no program tape nosuch.tap in " + dir_.string() + "\n");
  EXPECT_FALSE(fs::exists(dir_ / "nosuch.tap"));
  EXPECT_EQ(Cli("run --mount 4=new.tap --start 900000000000"), 0) << Err();
  EXPECT_TRUE(fs::exists(dir_ / "new.tap"));
}

TEST_F(CliProgram, ThePaperRunsOutOnlyWhenAskedTo) {
  WriteFile("lines.tap", TapeBytes({"500010U00000", "", "", "", "", "", "", "", "", "",
                                    "LINEriiiiiii"}));   // prints a line for ever
  EXPECT_EQ(Cli("run --max-words 40001 lines.tap"), 3);  // the loading word, then 40000
  EXPECT_EQ(Out().size(), 40000u * 5);
  EXPECT_EQ(Err().find("paper"), std::string::npos) << Err();

  EXPECT_EQ(Cli("run --max-words 401 --paper 100 lines.tap"), 3);
  EXPECT_EQ(Out().size(), 100u * 5);
  EXPECT_EQ(ErrLines().front(),
            "paper: the paper ran out after 100 lines; what is printed later is lost");
}

TEST_F(CliProgram, ControlBytesReachATerminalOnlyEscaped) {
  // Word 10 holds an escape sequence that would turn a terminal red; the left half of word 2 is
  // an invalid operation with an escape in it.
  WriteFile("esc.tap", TapeBytes({"500010U00002", "",
                                  "\x1b"
                                  "00000900000",
                                  "", "", "", "", "", "", "", "\x1b[31mHIr    "}));
  const std::string paper = "\x1b[31mhi\n    ";
  EXPECT_EQ(Cli("run esc.tap"), 1);
  EXPECT_EQ(Out(), paper);  // redirected: byte for byte
  EXPECT_EQ(ErrLines().front(), "message: \"\\x1b0\" is not a valid opcode");

  // On a terminal (script(1) gives the program one) the paper is escaped and ends its line.
  const int status = Shell("script -qec \"'" + std::string(ORMLAX_CLI) +
                           "' run esc.tap 2>/dev/null\" /dev/null >tty </dev/null");
  ASSERT_EQ(status, 1);
  std::string shown = ReadFile("tty");
  std::erase(shown, '\r');
  EXPECT_EQ(shown, "\\x1b[31mhi\n    \n");
}

TEST_F(CliProgram, HelpForTheProgramAndEachCommand) {
  EXPECT_EQ(Cli("help"), 0);
  EXPECT_NE(Out().find("  run           runs one program on a fresh installation\n"),
            std::string::npos)
      << Out();
  EXPECT_EQ(Cli("help run"), 0);
  EXPECT_TRUE(Out().starts_with("usage: ormlax-cli run [--model I|II]")) << Out();
  const std::string runUsage = Out();
  EXPECT_EQ(Cli("run --help"), 0);
  EXPECT_EQ(Out(), runUsage);
  EXPECT_EQ(Cli("help nosuch"), 2);
  EXPECT_TRUE(Err().starts_with("ormlax-cli: no command nosuch\n")) << Err();
  EXPECT_EQ(Cli("frobnicate"), 2);
  EXPECT_TRUE(Err().starts_with("ormlax-cli: unknown command frobnicate\n")) << Err();
  EXPECT_EQ(Cli(""), 2);
  EXPECT_TRUE(Err().starts_with("usage: ormlax-cli COMMAND")) << Err();
}

TEST_F(CliProgram, VersionIsTheProgramsOwnAndListedInTheHelp) {
  EXPECT_EQ(Cli("--version"), 0);
  EXPECT_EQ(Out(), std::string("ormlax-cli ") + kProgramVersion + "\n");
  EXPECT_EQ(Err(), "");
  EXPECT_EQ(Cli("help"), 0);
  EXPECT_NE(Out().find("  --version "), std::string::npos) << Out();
  // Only the program takes it: after a command it is that command's unknown option.
  EXPECT_EQ(Cli("run --version"), 2);
  EXPECT_NE(Err().find("unknown option --version"), std::string::npos) << Err();
}

// A loop: word 0 adds 1 from location 10 to rA and stores it at 11, word 1 goes back to 0.
std::string CountingLoop() {
  return TapeBytes(
      {"A00010H00011", "000000U00000", "", "", "", "", "", "", "", "", "000000000001"});
}

TEST_F(CliProgram, BreakpointsStopTheRunAndNameThemselves) {
  WriteFile("loop.tap", CountingLoop());
  struct Case {
    const char* options;
    const char* named;
  };
  const Case cases[] = {
      {"--break 1:3", "execute breakpoint 1 at 001, hit 3"},
      {"--break-store 11:2 --break 500", "store breakpoint 1 at 011, hit 2"},
      {"--break 500 --break-store 11", "store breakpoint 2 at 011, hit 1"},
      {"--model II --break 1", "execute breakpoint 1 at 0001, hit 1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.options);
    EXPECT_EQ(Cli("run " + std::string(c.options) + " loop.tap"), 1);
    EXPECT_EQ(ErrLines(), (std::vector<std::string>{"message: Stopped by " + std::string(c.named),
                                                    "stopped: " + std::string(c.named)}));
  }
  for (const char* bad : {"--break 1000", "--break 5:0", "--break x",
                          "--break-store 1:", "--model II --break-store 10000", "--break"}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(Cli("run " + std::string(bad) + " loop.tap"), 2);
    EXPECT_TRUE(Err().starts_with("ormlax-cli: --break")) << Err();
  }
}

TEST_F(CliProgram, ATraceShowsEachWordAndSaysWhenItIsFull) {
  fs::create_directories(dir_ / "job");
  WriteFileAt(dir_ / "job" / "loop.tap", CountingLoop());
  EXPECT_EQ(Cli("run --dir job --trace trace.txt --break 1:2 loop.tap"), 1) << Err();
  const std::string zero = "000000000000";
  const auto line = [&](const char* where, const char* rA, const char* rX) {
    return std::string(where) + "  rA " + rA + "  rX " + rX + "  rL " + zero + "  rF " + zero +
           "\n";
  };
  EXPECT_EQ(ReadFile("job/trace.txt"),
            "ORMLAX I trace: after each word its location, the word, rA, rX, rL and rF; at most "
            "100000 words\n" +
                line("rCR  1 0000300000", "000000000000", "000000000000") +
                line("000  A00010H00011", "000000000001", "000000000001") +
                line("001  000000U00000", "000000000001", "000000000001") +
                line("000  A00010H00011", "000000000002", "000000000001"));

  // The bound: the first 100000 words, a note in the file and a line on standard error.
  EXPECT_EQ(Cli("run --dir job --trace trace.txt --max-words 100010 loop.tap"), 3);
  const std::string trace = ReadFile("job/trace.txt");
  EXPECT_EQ(std::count(trace.begin(), trace.end(), '\n'), 100002);
  EXPECT_TRUE(trace.ends_with("\ntrace ended: the bound of 100000 words is reached\n"));
  EXPECT_EQ(ErrLines(),
            (std::vector<std::string>{"stopped: word limit reached",
                                      "trace: the trace holds the first 100000 words only: its "
                                      "bound is reached"}));

  // Where no trace can be written, the run does not start.
  EXPECT_EQ(Cli("run --trace nosuch/trace.txt job/loop.tap"), 2);
  EXPECT_EQ(Err(), "ormlax-cli: The trace file " + (dir_ / "nosuch/trace.txt").string() +
                       " cannot be written: No such file or directory\n");
  EXPECT_EQ(Cli("run --trace job/loop.tap job/loop.tap"), 2);
  EXPECT_EQ(Err(), "ormlax-cli: The trace file " + (dir_ / "job/loop.tap").string() +
                       " cannot be written: it is the tape on Servo  -\n");
  EXPECT_EQ(ReadFile("job/loop.tap"), CountingLoop());
}

TEST_F(CliProgram, HistoricalSpeedPrintsTheSameAtTheMachinesPace) {
  // "HI" and a return take a tenth of a second each on the typewriter; ignore codes take none.
  WriteFile("hi.tap",
            TapeBytes({"500010900000", "", "", "", "", "", "", "", "", "", "HIriiiiiiiii"}));
  EXPECT_EQ(Cli("run hi.tap"), 0);
  EXPECT_EQ(Out(), "hi\n");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Cli("run --historical hi.tap"), 0);
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(Out(), "hi\n");
  EXPECT_EQ(Err(), "stopped: stop instruction\n");
  EXPECT_GE(took, std::chrono::milliseconds(300));
}

// The user's guide's reference shows the list of commands and each command's help exactly as the
// program prints them, each in a code block of its own.
TEST_F(CliProgram, TheGuideShowsTheHelpAsTheProgramPrintsIt) {
  std::ifstream file(std::string(ORMLAX_GUIDE) + "/cli.md");
  std::stringstream guide;
  guide << file.rdbuf();
  ASSERT_FALSE(guide.str().empty()) << ORMLAX_GUIDE << "/cli.md";
  std::vector<std::string> topics = {""};
  for (const Command& c : Commands()) topics.push_back(c.name);
  for (const std::string& topic : topics) {
    ASSERT_EQ(Cli("help " + topic), 0) << topic;
    EXPECT_NE(guide.str().find("```\n" + Out() + "```\n"), std::string::npos)
        << "the guide lacks the help of \"" << topic << "\" as printed:\n"
        << Out();
  }
}
}  // namespace
}  // namespace ormlax::cli

// The word trace: a file compared line by line for a small program (a word fed by SCICR, the
// overflow trap, a word stepped by instructions), its bound, and a file it cannot write.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/trace_file.h"
#include "tests/support/machine_fixture.h"
#include "tests/support/test_folder.h"

namespace ormlax::testing {
namespace {

namespace fs = std::filesystem;

class WordTraceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = ormlax::testing::TestFolder("ormlax_trace_" + std::string(info->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  std::vector<std::string> Lines(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  fs::path dir_;
};

TEST_F(WordTraceTest, EachWordIsALineWithItsLocationAndTheRegistersItLeft) {
  MachineFixture m(false);
  m.Load(0, {"J00103000000"});  // the overflow routine
  m.Load(10, {"A00101H00102", "K00000L00101", "900000000000"});
  m.Mem(100) = W("099999999999");
  m.Mem(101) = W("000000000001");
  m.s.rF = W("0AB\\\n0000000");  // a backslash and a line feed, written as escapes
  TraceFile trace(dir_ / "trace.txt", m.s);
  ASSERT_TRUE(trace.IsOpen());
  m.cpu.SetTrace(&trace);
  // SCICR: B loads rA and rX, U goes to 10.
  m.s.rCR = W("B00100U00010");
  m.s.ExecuteFromCR = true;
  m.cpu.Run();  // through the trap at 0 to the stop at 12
  m.s.rCC = 11;
  m.cpu.SingleInstruction();  // K: half a word is no word yet
  m.cpu.SingleInstruction();  // L: now the word is done
  ASSERT_TRUE(trace.Close());

  const std::string f = "  rF 0AB\\\\\\x0A0000000";
  EXPECT_EQ(
      Lines(dir_ / "trace.txt"),
      (std::vector<std::string>{
          "ORMLAX I trace: after each word its location, the word, rA, rX, rL and rF; at most "
          "100000 words",
          "rCR  B00100U00010  rA 099999999999  rX 099999999999  rL 000000000000" + f,
          "010  A00101H00102  rA 000000000000  rX 000000000001  rL 000000000000" + f,
          "000  J00103000000  rA 000000000000  rX 000000000001  rL 000000000000" + f,
          "011  K00000L00101  rA 000000000000  rX 000000000001  rL 000000000001" + f,
          "012  900000000000  rA 000000000000  rX 000000000001  rL 000000000001" + f,
          "011  K00000L00101  rA 000000000000  rX 000000000001  rL 000000000001" + f,
      }));
  EXPECT_EQ(trace.Words(), 6u);
  EXPECT_FALSE(trace.BoundReached());
}

TEST_F(WordTraceTest, TheBoundEndsTheTraceWithANoteAndTheRunGoesOn) {
  MachineFixture m(true);
  m.Load(0, {"000000U00000"});
  TraceFile trace(dir_ / "bounded.txt", m.s, 3);
  m.cpu.SetTrace(&trace);
  m.cpu.SetWordLimit(10);
  m.cpu.Run();
  EXPECT_EQ(m.s.LastStop, StopReason::WordLimit);
  EXPECT_EQ(m.cpu.WordsExecuted(), 10u);
  EXPECT_TRUE(trace.BoundReached());
  EXPECT_EQ(m.cpu.Trace(), nullptr);  // let go once it has ended
  ASSERT_TRUE(trace.Close());
  const std::vector<std::string> lines = Lines(dir_ / "bounded.txt");
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[1].substr(0, 18), "0000  000000U00000");
  EXPECT_EQ(lines[4], "trace ended: the bound of 3 words is reached");
}

TEST_F(WordTraceTest, AFileThatCannotBeWrittenSaysSo) {
  MachineFixture m(false);
  const std::pair<fs::path, std::string> cases[] = {
      {dir_, "it is a folder"},
      {dir_ / "no folder" / "trace.txt", "No such file or directory"},
  };
  for (const auto& [path, reason] : cases) {
    TraceFile trace(path, m.s);
    EXPECT_FALSE(trace.IsOpen());
    EXPECT_EQ(trace.Failure(), "The trace file " + path.string() + " cannot be written: " + reason);
    EXPECT_FALSE(trace.AfterWord(0, kZeroWord, m.s));
    EXPECT_FALSE(trace.Close());
  }
}

// An earlier trace of the name stays whole until the new one is closed, and is replaced then.
TEST_F(WordTraceTest, AnEarlierTraceIsReplacedOnlyWhenTheNewOneIsWhole) {
  MachineFixture m(false);
  m.Load(0, {"000000U00000"});
  const fs::path path = dir_ / "trace.txt";
  std::ofstream(path, std::ios::binary) << "the earlier trace\n";
  {
    TraceFile trace(path, m.s, 2);
    m.cpu.SetTrace(&trace);
    m.cpu.SetWordLimit(1);
    m.cpu.Run();
    EXPECT_EQ(Lines(path), std::vector<std::string>{"the earlier trace"});
    m.cpu.Run();  // the second word reaches the bound: the trace is whole and takes its place
    EXPECT_EQ(Lines(path).size(), 4u);
    EXPECT_TRUE(trace.Close());
  }
  {
    TraceFile trace(path, m.s);
    m.cpu.SetTrace(&trace);
    m.cpu.Run();
    EXPECT_EQ(Lines(path).size(), 4u);  // still the trace before, while this one is written
  }                                     // destroyed: closed, and in place
  EXPECT_EQ(Lines(path).size(), 2u);
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir_)) ++files;
  EXPECT_EQ(files, 1u) << "no temporary file is left";
}

}  // namespace
}  // namespace ormlax::testing

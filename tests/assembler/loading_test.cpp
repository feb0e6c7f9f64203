// Object tapes loaded and run on the machine they were assembled for, from memory full of
// garbage: every word must end up at its location, the working storage must be cleared, and
// the program must start at its first word. This is the proof that the loading routine, in one
// block or with its bootstrap, loads.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "console/panel_operations.h"
#include "installation/assembly_operations.h"
#include "installation/simulator.h"
#include "tape/tape_mounting.h"
#include "tests/support/scripted_operator.h"
#include "tests/support/test_folder.h"

namespace ormlax::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kGarbage = "GARBAGE!WORD";

std::string DataWord(int k) {
  char text[32];
  std::snprintf(text, sizeof text, "D%05dE%05d", k % 100000, k % 100000);
  return text;
}

struct Case {
  const char* what;
  bool modelII;
  int words;    // the program's: a stop, then data words
  int storage;  // words of working storage
  bool loader;
  bool overflow;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.what;
}

class Loading : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    dir_ = ormlax::testing::TestFolder(std::string("ormlax_asm_loading_") + GetParam().what);
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_P(Loading, EveryWordLandsAtItsLocationAndStorageIsCleared) {
  const Case& c = GetParam();
  std::string source = "\t90\t00\r\n";  // the program stops at once: what matters is memory
  for (int k = 1; k < c.words; ++k) {
    const std::string w = DataWord(k);
    source += "\t|" + w.substr(0, 6) + "\t|" + w.substr(6) + "\r\n";
  }
  if (c.storage > 0) source += "BUF\tWS\t" + std::to_string(c.storage) + "\r\n";
  std::ofstream(dir_ / "prog.asm", std::ios::binary) << source;

  auto ormlax = MakeInstallation(c.modelII, dir_, 1);
  ScriptedOperator op;
  AssemblyOptions options;
  options.InsertLoader = c.loader;
  options.InsertOverflowCode = c.overflow;
  ASSERT_EQ(Assemble(*ormlax, op, "prog", options), AssemblyOutcome::Assembled) << op.messages[0];

  MachineState& s = ormlax->Machine;
  s.Memory.fill(Word::FromText(kGarbage));
  s.rI.fill(Word::FromText(kGarbage));
  Simulator sim(*ormlax, op);
  ASSERT_TRUE(MountTape(ormlax->Servos, 0, op, dir_, "prog.obj", false));
  s.rCC = 0;
  LoadProgramFromServo(s);
  sim.Cpu().SetWordLimit(100000);
  sim.Cpu().Run();

  const int start = c.overflow ? 4 : 0;
  EXPECT_EQ(s.LastStop, StopReason::StopInstruction) << StopReasonText(s.LastStop);
  EXPECT_EQ(s.rCC, start + 1);
  EXPECT_TRUE(op.messages.empty()) << op.messages[0];
  if (c.overflow) {
    EXPECT_EQ(s.Memory[0].Text(), "R00003U00001");
  }
  EXPECT_EQ(s.Memory[static_cast<std::size_t>(start)].Text(), "900000000000");
  int misplaced = 0;
  for (int k = 1; k < c.words; ++k) {
    const std::size_t at = static_cast<std::size_t>(start + k);
    if (s.Memory[at].Text() != DataWord(k) && ++misplaced <= 3) {
      ADD_FAILURE() << "location " << at << " holds " << s.Memory[at].Text();
    }
  }
  EXPECT_EQ(misplaced, 0);
  int uncleared = 0;
  for (int k = 0; k < c.storage; ++k) {
    const std::size_t at = static_cast<std::size_t>(start + c.words + k);
    if (s.Memory[at] != kZeroWord && ++uncleared <= 3) {
      ADD_FAILURE() << "working storage at " << at << " holds " << s.Memory[at].Text();
    }
  }
  EXPECT_EQ(uncleared, 0);
}

INSTANTIATE_TEST_SUITE_P(
    ObjectTapes, Loading,
    ::testing::Values(Case{"OneBlockWithoutLoader", false, 50, 5, false, false},
                      Case{"LoaderFortyWords", false, 40, 0, true, false},
                      Case{"LoaderTwoMiddleBlocksAndStorage", false, 130, 50, true, false},
                      Case{"LoaderFullMemoryOfOrmlaxOne", false, 1000, 0, true, false},
                      Case{"ProgramShorterThanItsLoader", false, 3, 300, true, false},
                      Case{"ShortProgramWithOverflowRoutine", false, 2, 200, true, true},
                      Case{"LongProgramWithStorage", true, 7300, 500, true, false},
                      Case{"LongProgramWithOverflowRoutine", true, 7300, 0, true, true},
                      Case{"LongestLoadableProgram", true, 9960, 0, true, false},
                      Case{"LongProgramAndStorageFillingMemory", true, 7200, 2800, true, false}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.what); });

}  // namespace
}  // namespace ormlax::testing

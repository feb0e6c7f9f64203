// What the session tests share: an installation with its simulator in a folder of the test's
// own, and a small program that prints, reads a write-protected tape and writes another.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "installation/console_operations.h"
#include "installation/session_file.h"
#include "installation/simulator.h"
#include "tape/tape_mounting.h"
#include "tests/cli/cli_test_support.h"
#include "tests/support/scripted_operator.h"

namespace ormlax::testing {

namespace fs = std::filesystem;
using cli::testing::TapeBytes;

// One installation switched on in `folder`, with the operator of the tests.
struct Station {
  Station(bool modelII, const fs::path& folder, std::uint32_t seed)
      : ormlax(MakeInstallation(modelII, folder, seed)), sim(*ormlax, op) {}
  ~Station() { SwitchOff(*ormlax); }

  Installation& O() { return *ormlax; }
  MachineState& M() { return ormlax->Machine; }

  // The session as SaveSession writes it, read back from the file.
  std::string SessionText(const std::string& name = "state.session") {
    std::string error;
    EXPECT_TRUE(SaveSession(*ormlax, name, error)) << error;
    std::ifstream in(ormlax->WorkingFolder / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  std::unique_ptr<Installation> ormlax;
  ScriptedOperator op;
  Simulator sim;
};

// Eight times round a loop: count in location 50, print "NO" shifted (the shift lock stays on
// for the count, printed as symbols) and the count, write the first block to servo 1, read a
// block from servo 2 and print its first word; then read back the first two blocks written and
// print their counts. The same words work on both models (their address fields are below 1000).
inline std::vector<std::string> LoopProgram() {
  std::vector<std::string> words = {
      "B00050A00051", "H00050500053", "500050500054", "510000120000",
      "300200500200", "K00000B00052", "000000T00000", "610000110000",
      "300300500350", "110000300300", "500350900000",
  };
  words.resize(50);
  words.insert(words.end(),
               {"000000000000", "000000000001", "000000000008", "$NOiiiiiiiii", "?iiiiiiiiiir"});
  return words;
}
// The words the program runs: seven a time round the loop, then four.
inline constexpr int kLoopProgramWords = 7 * 8 + 4;

// Ten blocks whose first words are DATA0000000r to DATA0000009r.
inline std::string DataTape() {
  std::vector<std::string> words;
  for (int k = 0; k < 10; ++k) {
    words.push_back("DATA000000" + std::to_string(k) + "r");
    words.resize(words.size() + 59);
  }
  return TapeBytes(words);
}

// A folder of the test's own, `sub` inside it.
class SessionFolderTest : public cli::testing::CliFolderTest {
 protected:
  fs::path Folder(const std::string& sub) {
    fs::create_directories(dir_ / sub);
    return dir_ / sub;
  }
  static void WriteAt(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string ReadAt(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  // The loop program in memory, its data tape on servo 2 write-protected, a blank tape on
  // servo 1, the typewriter on with `paper` lines of paper.
  static void SetUpLoop(Station& st, int paper) {
    WriteAt(st.O().WorkingFolder / "data.tap", DataTape());
    const std::vector<std::string> program = LoopProgram();
    for (std::size_t i = 0; i < program.size(); ++i) {
      st.M().Memory[i] = Word::FromText(program[i].empty() ? "000000000000" : program[i]);
    }
    ASSERT_TRUE(MountTape(st.O().Servos, 1, st.op, st.O().WorkingFolder, "out.tap", false));
    ASSERT_TRUE(MountTape(st.O().Servos, 2, st.op, st.O().WorkingFolder, "data.tap", true));
    st.sim.Ormprinter().State().PaperLeft = paper;
    st.sim.Ormprinter().PressPower();
  }
};

}  // namespace ormlax::testing

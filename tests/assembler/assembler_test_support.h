// What the assembler tests share: a folder of their own, a source written into it, one run of
// the assembler on it, and the files the run wrote.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "assembler/assembly_run.h"
#include "tests/support/scripted_operator.h"
#include "tests/support/test_folder.h"

namespace ormlax::testing {

namespace fs = std::filesystem;

// Source lines joined with CR LF, the last one ended too.
inline std::string Source(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& l : lines) text += l + "\r\n";
  return text;
}

// "Keep intermediates" and any other options checked.
inline AssemblyOptions Keep(bool overflow = false, bool loader = false) {
  AssemblyOptions o;
  o.KeepIntermediates = true;
  o.InsertOverflowCode = overflow;
  o.InsertLoader = loader;
  return o;
}

class AssemblerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    for (char& c : name) {
      if (c == '/') c = '_';
    }
    dir_ = ormlax::testing::TestFolder("ormlax_asm_" + name);
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    memory_.fill(Word::FromText("MEMORYWORD00"));
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dir_, ec);
  }

  void WriteFile(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }
  std::string ReadFile(const std::string& name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  bool Exists(const std::string& name) const { return fs::exists(dir_ / name); }

  // The lines of a text file the assembler wrote; every line must end with CR LF.
  std::vector<std::string> FileLines(const std::string& name) const {
    const std::string text = ReadFile(name);
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
      const std::size_t end = text.find("\r\n", at);
      if (end == std::string::npos) {
        ADD_FAILURE() << name << " has a line not ended by CR LF: " << text.substr(at);
        break;
      }
      lines.push_back(text.substr(at, end - at));
      at = end + 2;
    }
    return lines;
  }

  // Writes `source` as NAME.asm and assembles the name typed.
  AssemblyOutcome Assemble(const std::string& source, AssemblyOptions options = {},
                           bool modelII = false, const std::string& typed = "prog",
                           const std::string& file = "prog.asm") {
    WriteFile(file, source);
    return Run(typed, options, modelII);
  }
  // Assembles the name typed with what is in the folder.
  AssemblyOutcome Run(const std::string& typed, AssemblyOptions options = {},
                      bool modelII = false) {
    op_.messages.clear();
    AssemblyContext context{AssemblyModel{modelII ? 4 : 3, modelII ? 10000 : 1000},
                            std::span<Word, kBlockWords>(memory_),
                            servos_,
                            dir_,
                            lastAssembled_,
                            op_};
    return AssembleProgram(context, typed, options);
  }
  fs::path dir_;
  std::array<Word, kBlockWords> memory_;
  ServoUnits servos_;
  std::string lastAssembled_;
  ScriptedOperator op_;
};

}  // namespace ormlax::testing

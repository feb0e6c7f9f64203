// What the command-line tests share: tapes built from words, and a folder of their own.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include "tests/support/test_folder.h"

namespace ormlax::cli::testing {

namespace fs = std::filesystem;

// The bytes of a tape holding `words` (an empty one stands for a cleared word), padded with
// cleared words to whole blocks of 60.
inline std::string TapeBytes(std::vector<std::string> words) {
  for (std::string& w : words) {
    if (w.empty()) w = "000000000000";
  }
  while (words.empty() || words.size() % 60 != 0) words.push_back("000000000000");
  std::string bytes;
  for (std::size_t r = 0; r < words.size() / 10; ++r) {
    bytes += std::string("\x7a\x00", 2);
    for (std::size_t w = 0; w < 10; ++w) bytes += words[r * 10 + w];
    bytes += "\r\n";
  }
  return bytes;
}

// A test with a fresh folder of its own, named for the test.
class CliFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = ormlax::testing::TestFolder("ormlax_cli_" + std::string(info->test_suite_name()) + "_" +
                                       info->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  void WriteFile(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }
  std::string ReadFile(const std::string& name) {
    std::ifstream in(dir_ / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  fs::path dir_;
};

}  // namespace ormlax::cli::testing

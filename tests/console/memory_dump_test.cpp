#include "console/memory_dump.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "installation/installation.h"
#include "tests/support/test_folder.h"

namespace ormlax {
namespace {

TEST(MemoryDump, ClearedMemoryGivesAnEmptyDump) {
  auto ormlax = MakeInstallation(false, ".");
  EXPECT_EQ(MemoryDumpText(ormlax->Machine), "");
}

TEST(MemoryDump, LinesRunToTheLastWordInUseInGroupsOfTen) {
  auto ormlax = MakeInstallation(false, ".");
  MachineState& s = ormlax->Machine;
  s.Memory[5] = Word::FromText("B00010A00011");
  s.Memory[12] = Word::FromText("000000000001");
  std::string expected;
  for (int a = 0; a <= 12; ++a) {
    char line[32];
    if (a == 5) {
      expected += "005  B00010  A00011\n";
    } else if (a == 12) {
      expected += "012  000000  000001\n";
    } else {
      std::snprintf(line, sizeof line, "%03d  000000  000000\n", a);
      expected += line;
    }
    if (a == 9) expected += "\n";
  }
  EXPECT_EQ(MemoryDumpText(s), expected);
}

TEST(MemoryDump, OrmlaxIIWritesFourDigitLocationsUpToTheTop) {
  auto ormlax = MakeInstallation(true, ".");
  MachineState& s = ormlax->Machine;
  s.Memory[9999] = Word::FromText("Z4Z4Z4Z4Z4Z4");
  const std::string text = MemoryDumpText(s);
  EXPECT_EQ(text.substr(0, 20), "0000  000000  000000");
  EXPECT_EQ(text.substr(text.size() - 22), "9999  Z4Z4Z4  Z4Z4Z4\n\n");
}

TEST(MemoryDump, WritesTheFileOrReportsWhyNot) {
  auto ormlax = MakeInstallation(false, ".");
  ormlax->Machine.Memory[0] = Word::FromText("000000000009");
  const auto folder = ormlax::testing::TestFolder("ormlax_dump_test");
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  std::string error;
  ASSERT_TRUE(WriteMemoryDump(ormlax->Machine, folder / kMemoryDumpFileName, error)) << error;
  std::ifstream in(folder / kMemoryDumpFileName, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  EXPECT_EQ(content.str(), "000  000000  000009\n");

  EXPECT_FALSE(WriteMemoryDump(ormlax->Machine, folder / "missing" / "memdump.txt", error));
  EXPECT_NE(error.find("could not be written"), std::string::npos);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace ormlax

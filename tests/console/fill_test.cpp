#include "console/fill.h"

#include <gtest/gtest.h>

#include "installation/installation.h"

namespace ormlax {
namespace {

struct FillCase {
  bool modelII;
  int rcc;
  const char* nextCC;
  const char* sr;
};

TEST(Fill, TypesTheWordAtRccAndAimsAnInputInstructionAtTheNext) {
  const FillCase cases[] = {
      {true, 999, "1000", "101000"},
      {false, 999, "000", "100000"},
      {false, 41, "042", "100042"},
      {true, 9999, "0000", "100000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rcc);
    auto ormlax = MakeInstallation(c.modelII, ".");
    MachineState& s = ormlax->Machine;
    s.Memory[static_cast<std::size_t>(c.rcc)] = Word::FromText("HELLO1234567");
    std::mt19937 random(1);
    Typewriter typewriter(random);
    typewriter.State().PaperLeft = 100;
    typewriter.PressPower();
    s.rCC = c.rcc;
    Fill(s, typewriter);
    EXPECT_EQ(typewriter.State().Paper, "hello1234567\r\n");
    EXPECT_EQ(FormatAddress(s, s.rCC), c.nextCC);
    EXPECT_EQ(s.rSR.Text(), c.sr);
    EXPECT_FALSE(s.Panel.rSRBlank);
    EXPECT_EQ(typewriter.State().PaperLeft, 99);
  }
}

}  // namespace
}  // namespace ormlax

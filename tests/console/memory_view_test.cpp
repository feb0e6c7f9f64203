#include "console/memory_view.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "console/panel_operations.h"
#include "installation/installation.h"

namespace ormlax {
namespace {

struct MemoryViewTest : ::testing::Test {
  std::unique_ptr<Installation> ormlaxI = MakeInstallation(false, ".");
  std::unique_ptr<Installation> ormlaxII = MakeInstallation(true, ".");
};

TEST_F(MemoryViewTest, InstructionsAreNamedForTheModel) {
  struct Case {
    const char* word;
    bool modelII;
    const char* left;
    const char* right;
  };
  const Case cases[] = {
      {"B00100A00101", false, "Bring", "Add"},
      {"900000U00042", true, "Stop", "Transfer"},
      // Servo A exists on the larger model only.
      {"1A0000500200", true, "Read forward", "Print"},
      {"1A0000500200", false, "(invalid)", "Print"},
      // The letter O is no operation on either model.
      {"O00000000000", true, "(invalid)", "No operation"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.word);
    MachineState& s = (c.modelII ? ormlaxII : ormlaxI)->Machine;
    s.Memory[7] = Word::FromText(c.word);
    const MemoryRow row = DescribeLocation(s, 7);
    EXPECT_EQ(row.Word, c.word);
    EXPECT_EQ(row.Left.Text, std::string(c.word).substr(0, 6));
    EXPECT_EQ(row.Right.Text, std::string(c.word).substr(6));
    EXPECT_EQ(row.Left.Name, c.left);
    EXPECT_EQ(row.Right.Name, c.right);
    EXPECT_FALSE(row.Left.Description.empty());
  }
}

TEST_F(MemoryViewTest, RowsHaveTheAddressWidthAndStopAtTheEndOfMemory) {
  const std::vector<MemoryRow> rows = DescribeMemory(ormlaxI->Machine, 996, 10);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows.front().Address, "996");
  EXPECT_EQ(rows.back().Address, "999");
  EXPECT_EQ(DescribeMemory(ormlaxII->Machine, 42, 1).front().Address, "0042");
}

TEST_F(MemoryViewTest, StoringFollowsTheConsolesStore) {
  MachineState& s = ormlaxI->Machine;
  ShowLocation(s, 12);
  ASSERT_TRUE(StoreTypedWord(s, 12, "B00100H00200"));
  EXPECT_EQ(s.Memory[12].Text(), "B00100H00200");
  EXPECT_EQ(s.Panel.Contents.Text(), "B00100H00200") << "the panel shows the word at Location";
  ASSERT_TRUE(StoreTypedWord(s, 13, ""));
  EXPECT_EQ(s.Memory[13].Text(), "            ");

  EXPECT_FALSE(StoreTypedWord(s, 1000, "000000000001")) << "outside the ORMLAX I's memory";
  s.Panel.ControlsEnabled = false;  // as during a run
  EXPECT_FALSE(MemoryEditable(s));
  EXPECT_FALSE(StoreTypedWord(s, 12, "000000000001"));
  EXPECT_EQ(s.Memory[12].Text(), "B00100H00200");
}

TEST_F(MemoryViewTest, AWatchMarksTheWordsTheLastRunChanged) {
  MachineState& s = ormlaxII->Machine;
  MemoryWatch watch;
  EXPECT_TRUE(watch.Add(s, 100));
  EXPECT_TRUE(watch.Add(s, 200));
  EXPECT_FALSE(watch.Add(s, 100)) << "followed already";
  EXPECT_FALSE(watch.Add(s, 10000));

  // During a run a change shows at the next refresh, and stays.
  s.Memory[200] = Word::FromText("000000000042");
  watch.Look(s, false);
  ASSERT_EQ(watch.Entries().size(), 2u);
  EXPECT_FALSE(watch.Entries()[0].Changed);
  EXPECT_TRUE(watch.Entries()[1].Changed);
  EXPECT_EQ(watch.Entries()[1].Seen.Text(), "000000000042");
  s.Memory[200] = Word::FromText("000000000000");  // put back before the stop
  watch.Look(s, false);
  EXPECT_TRUE(watch.Entries()[1].Changed);

  // At the stop the marks are what the run changed overall, and they last until the next stop.
  s.Memory[100] = Word::FromText("000000000007");
  watch.Look(s, true);
  EXPECT_TRUE(watch.Entries()[0].Changed);
  EXPECT_FALSE(watch.Entries()[1].Changed) << "200 holds what it held at the stop before";
  watch.Look(s, false);
  EXPECT_TRUE(watch.Entries()[0].Changed);
  watch.Look(s, true);
  EXPECT_FALSE(watch.Entries()[0].Changed) << "a step that changed nothing";

  watch.Remove(100);
  ASSERT_EQ(watch.Entries().size(), 1u);
  EXPECT_EQ(watch.Entries()[0].Location, 200);
}

}  // namespace
}  // namespace ormlax

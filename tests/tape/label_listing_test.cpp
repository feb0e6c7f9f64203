// The listing of mounted tapes: one line per servo of the model.
#include "tape/label_listing.h"

#include <gtest/gtest.h>

#include "tests/tape/tape_test_support.h"

namespace ormlax::testing {
namespace {

TEST(MountedTapeLabels, NoTapesOnORMLAXI) {
  TapeRig rig;
  const std::vector<std::string> expected = {"-  (No tape mounted)", "1  (No tape mounted)",
                                             "2  (No tape mounted)", "3  (No tape mounted)",
                                             "4  (No tape mounted)", "5  (No tape mounted)",
                                             "6  (No tape mounted)", "7  (No tape mounted)",
                                             "8  (No tape mounted)", "9  (No tape mounted)"};
  EXPECT_EQ(MountedTapeLabels(rig.servos, false), expected);
}

TEST(MountedTapeLabels, MountedTapesShowTheirFullPath) {
  TapeRig rig(true);
  WriteTape(rig.folder / "b.tap", 1);
  rig.Mount(11, "b.tap");
  rig.Mount(0, "zero.tap");
  const auto lines = MountedTapeLabels(rig.servos, true);
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[0], "-  " + (rig.folder / "zero.tap").string());
  EXPECT_EQ(lines[11], "B  " + (rig.folder / "b.tap").string());
  EXPECT_EQ(lines[10], "A  (No tape mounted)");
  EXPECT_EQ(lines[15], "F  (No tape mounted)");
}

TEST(MountedTapeLabels, ATapeUnloadedByTheProgramIsNotListed) {
  TapeRig rig;
  WriteTape(rig.folder / "t.tap", 1);
  rig.Mount(3, "t.tap");
  rig.tapes.ReadTapeBlock(3, true);
  rig.tapes.ReadTapeBlock(3, true);  // past the end of data: unloaded
  ASSERT_EQ(rig.Unit(3).State, ServoState::Unloaded);
  ASSERT_FALSE(rig.Unit(3).FileName.empty());
  EXPECT_EQ(MountedTapeLabels(rig.servos, false)[3], "3  (No tape mounted)");
}

}  // namespace
}  // namespace ormlax::testing

#include "console/panel_operations.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "console/panel_fields.h"
#include "core/clear_operations.h"
#include "installation/installation.h"

namespace ormlax {
namespace {

TEST(PanelFields, WordFieldTyping) {
  struct Case {
    const char* name;
    std::string shown;
    std::string edited;
    std::optional<std::size_t> caret;
    std::string result;
  };
  using namespace std::string_literals;
  const Case cases[] = {
      {"emptied field stays empty", "000000000ABC", "", 0, ""},
      {"typing into an emptied field", "", "7", 1, "000000000007"},
      {"typed letters in upper case", "", "abc", 3, "000000000ABC"},
      {"a whole word typed over a selection", "000000000000", "b00100h00200", 12, "B00100H00200"},
      {"the oldest character leaves at the left", "", "1234567890123", 13, "234567890123"},
      {"not checked against the character set", "", "a-b*", 4, "00000000A-B*"},
      {"codes already in the field keep their case", "000000000ABr", "000000000ABrc", 13,
       "00000000ABrC"},
      {"typed in the middle stays there", "000000000ABC", "000000000ABxC", 12, "00000000ABXC"},
      {"a deletion fills up from the left", "000000000ABC", "000000000AB", 11, "0000000000AB"},
      {"NUL, CR and LF are dropped", "000000000000", "000000000000a\0b\r\nc"s, 18, "000000000ABC"},
      {"a paste of nothing a tape holds leaves an empty field empty", "", "\0\r\n"s, 3, ""},
      {"the same with the caret unknown", "000000000ABr", "000000000ABrc", std::nullopt,
       "00000000ABrC"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(EditedWordField(c.shown, c.edited, c.caret), c.result);
  }
}

TEST(PanelFields, TheCaretTellsWhichOfTwoEqualCharactersIsNew) {
  // "r" typed in front of the code r: the new one is the first of the two.
  const FieldEdit before = FindEdit("0000000000rA", "0000000000rrA", 11);
  EXPECT_EQ(before.head, "0000000000");
  EXPECT_EQ(before.typed, "r");
  EXPECT_EQ(before.tail, "rA");
  EXPECT_EQ(EditedWordField("0000000000rA", "0000000000rrA", 11), "000000000RrA");
  // Typed after it: the second one.
  EXPECT_EQ(EditedWordField("0000000000rA", "0000000000rrA", 12), "000000000rRA");
  // A caret that does not fit the edit is not trusted.
  EXPECT_EQ(EditedWordField("000000000000", "000000000000a", 2), "00000000000A");
}

TEST(PanelFields, FieldNumberKeepsOnlyPlainNumbers) {
  EXPECT_EQ(FieldNumber("42", 1000), 42);
  EXPECT_EQ(FieldNumber("1042", 1000), 42);
  EXPECT_EQ(FieldNumber("99999999999999999999", 10000), 9999);
  for (const char* bad : {"", "-1", "4a", " 5", "+5"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(FieldNumber(bad, 1000).has_value());
  }
}

struct PanelTest : ::testing::Test {
  std::unique_ptr<Installation> ormlaxI = MakeInstallation(false, ".");
  std::unique_ptr<Installation> ormlaxII = MakeInstallation(true, ".");
};

TEST_F(PanelTest, LocationStepsWrapAroundMemory) {
  MachineState& s = ormlaxI->Machine;
  LocationMinus1(s);
  EXPECT_EQ(s.ConsoleLocation, 999);
  EXPECT_EQ(s.Panel.LocationText, "999");
  LocationPlus1(s);
  EXPECT_EQ(s.Panel.LocationText, "000");

  MachineState& t = ormlaxII->Machine;
  LocationMinus1(t);
  EXPECT_EQ(t.Panel.LocationText, "9999");
  SetOperatingAsI(t, true);
  TypeLocation(t, "1999");
  EXPECT_EQ(t.Panel.LocationText, "999");
}

// Found by fuzz_typing: location 9999 shown, then "O II operating as O I" checked. The field
// showed "9999" in a 3-digit memory, and Store wrote beyond it.
TEST_F(PanelTest, NarrowingMemoryWrapsTheLocationAndRCCIntoIt) {
  MachineState& t = ormlaxII->Machine;
  TypeLocation(t, "9999");
  TypeControlCounter(t, "5432");
  TypeWordField(t, kContentsField, "b00010a00011");
  SetOperatingAsI(t, true);
  EXPECT_EQ(t.ConsoleLocation, 999);
  EXPECT_EQ(t.Panel.LocationText, "999");
  EXPECT_EQ(t.rCC, 432);
  TypeWordField(t, kContentsField, "b00010a00011");
  Store(t);
  EXPECT_EQ(t.Memory[999].Text(), "B00010A00011");
  EXPECT_EQ(t.Memory[9999], kZeroWord);
  EXPECT_EQ(t.ConsoleLocation, 0);

  // Unchecked again, nothing moves; a location within the narrowed memory stays where it is.
  TypeLocation(t, "123");
  SetOperatingAsI(t, false);
  SetOperatingAsI(t, true);
  EXPECT_EQ(t.Panel.LocationText, "123");
}

TEST_F(PanelTest, StoreAtTheLastLocationMovesToTheFirst) {
  MachineState& s = ormlaxI->Machine;
  TypeLocation(s, "999");
  TypeWordField(s, kContentsField, "b00010a00011");
  Store(s);
  EXPECT_EQ(s.Memory[999].Text(), "B00010A00011");
  EXPECT_EQ(s.ConsoleLocation, 0);
  EXPECT_EQ(WordFieldShown(s, kContentsField), "000000000000");
}

TEST_F(PanelTest, StoringAnEmptiedContentsFieldStoresSpaces) {
  MachineState& s = ormlaxI->Machine;
  TypeWordField(s, kContentsField, "");
  EXPECT_EQ(WordFieldShown(s, kContentsField), "");
  Store(s);
  EXPECT_EQ(s.Memory[0].Text(), "            ");
}

TEST_F(PanelTest, LocationFieldKeepsTheLastValidLocation) {
  MachineState& s = ormlaxI->Machine;
  TypeLocation(s, "12");
  for (const char* bad : {"", "1x", "-3"}) {
    TypeLocation(s, bad);
    EXPECT_EQ(s.ConsoleLocation, 12) << bad;
  }
  TypeControlCounter(s, "77");
  TypeControlCounter(s, "7?");
  EXPECT_EQ(s.rCC, 77);
}

TEST_F(PanelTest, RegisterFieldsEditTheRegisters) {
  MachineState& s = ormlaxI->Machine;
  TypeWordField(s, 1, "5");
  TypeWordField(s, 2, "f");
  TypeWordField(s, 3, "-1");
  TypeWordField(s, 4, "x9");
  EXPECT_EQ(s.rA.Text(), "000000000005");
  EXPECT_EQ(s.rF.Text(), "00000000000F");
  EXPECT_EQ(s.rL.Text(), "0000000000-1");
  EXPECT_EQ(s.rX.Text(), "0000000000X9");
  EXPECT_EQ(WordFieldShown(s, 1), "000000000005");
}

TEST_F(PanelTest, SpecialCharacterButtonsAppendLowerCaseCodes) {
  MachineState& s = ormlaxI->Machine;
  TypeWordField(s, kContentsField, "ABCDEFGHIJKL");
  AppendSpecialCharacter(s, 1);
  EXPECT_EQ(WordFieldShown(s, kContentsField), "BCDEFGHIJKLr");
  const char codes[] = "irctsbn";
  for (int k = 0; k < 7; ++k) AppendSpecialCharacter(s, k);
  EXPECT_EQ(WordFieldShown(s, kContentsField), std::string("IJKLr") + codes);
  AppendSpecialCharacter(s, 7);  // no such button on the panel
  EXPECT_EQ(WordFieldShown(s, kContentsField), std::string("IJKLr") + codes);
}

TEST_F(PanelTest, OnlyTheNewlyTypedCharactersTurnToUpperCase) {
  MachineState& s = ormlaxI->Machine;
  // Keys a and b, the button r, keys c and d, one at a time as the field shows them.
  const auto key = [&s](const std::string& c) {
    const std::string shown = WordFieldShown(s, kContentsField);
    TypeWordField(s, kContentsField, shown, shown + c, shown.size() + 1);
  };
  key("a");
  key("b");
  AppendSpecialCharacter(s, 1);
  key("c");
  key("d");
  EXPECT_EQ(WordFieldShown(s, kContentsField), "0000000ABrCD");
  Store(s);
  EXPECT_EQ(s.Memory[0].Text(), "0000000ABrCD");
}

TEST_F(PanelTest, LeavingTheLocationFieldShowsTheLocationInForce) {
  MachineState& s = ormlaxII->Machine;
  TypeLocation(s, "0012");
  for (const char* rejected : {"0012ab", "-5", ""}) {
    SCOPED_TRACE(rejected);
    TypeLocation(s, rejected);
    EXPECT_EQ(s.Panel.LocationText, rejected);  // the field keeps what is being typed
    LeaveLocationField(s);
    EXPECT_EQ(s.Panel.LocationText, "0012");
    EXPECT_EQ(s.ConsoleLocation, 12);
  }
}

TEST_F(PanelTest, SCICRFeedsTheContentsToTheControlRegister) {
  MachineState& s = ormlaxI->Machine;
  TypeWordField(s, kContentsField, "1 0000300000");
  SCICR(s);
  EXPECT_TRUE(s.ExecuteFromCR);
  EXPECT_EQ(s.rCR.Text(), "1 0000300000");
  EXPECT_EQ(WordFieldShown(s, 5), "1 0000300000");
}

TEST_F(PanelTest, ClearingRegistersKeepsRccAndClearingMemoryResetsIt) {
  MachineState& s = ormlaxII->Machine;
  s.rCC = 42;
  s.rA = Word::FromText("123456789012");
  s.rIStatus = RegisterStatus::InUse;
  ClearRegisters(s);
  EXPECT_EQ(s.rCC, 42);
  EXPECT_EQ(s.rA, kZeroWord);
  EXPECT_EQ(s.rIStatus, RegisterStatus::Cleared);
  s.Memory[9999] = Word::FromText("A");
  ClearMemory(s);
  EXPECT_EQ(s.rCC, 0);
  EXPECT_EQ(s.Memory[9999], kZeroWord);
}

TEST_F(PanelTest, QTSwitchesAreOnlyClearedTogether) {
  MachineState& s = ormlaxI->Machine;
  SetQTSwitch(s, 3);
  SetQTSwitch(s, kQTAll);
  SetQTSwitch(s, 3);
  EXPECT_TRUE(s.QTSwitches[3]);
  EXPECT_TRUE(s.QTSwitches[kQTAll]);
  ChooseQTGo(s, QTGoChoice::GoTo);
  ClearConditionalStop(s);
  for (bool on : s.QTSwitches) EXPECT_FALSE(on);
  EXPECT_EQ(s.Panel.QTGo, QTGoChoice::None);
}

}  // namespace
}  // namespace ormlax

#include "console/keyboard.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "console/typewriter.h"
#include "tests/support/machine_fixture.h"

namespace ormlax {
namespace {

using testing::MachineFixture;
using testing::W;

TEST(KeyboardField, TypingEntersAtTheRightInUpperCase) {
  struct Case {
    const char* name;
    std::string field;
    std::string typed;
    std::string expected;
  };
  const Case cases[] = {
      {"one letter in a fresh window", "000000000000", "A", "00000000000A"},
      {"lower case", "000000000000", "abc", "000000000ABC"},
      {"thirteen characters keep the last twelve", "000000000000", "ABCDEFGHIJKLM", "BCDEFGHIJKLM"},
      {"special codes already in the field keep their case", "0000000000rs", "t", "000000000rsT"},
      {"characters outside the machine's code are taken", "000000000000", "{}", "0000000000{}"},
      {"a deletion fills up from the left", "000000000AB", "", "0000000000AB"},
      {"NUL, CR and LF are dropped from a line", "000000000000", std::string("A\0B\r\n", 5),
       "0000000000AB"},
      {"and from the field", std::string("00000000\0AB", 11), "C", "000000000ABC"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(KeyboardFieldText(c.field, c.typed), c.expected);
  }
}

TEST(KeyboardField, EditingKeepsTwelveCharacters) {
  struct Case {
    const char* name;
    std::string shown;
    std::string edited;
    std::size_t caret;
    std::string expected;
  };
  const Case cases[] = {
      {"typed at the end", "000000000ABr", "000000000ABrc", 13, "00000000ABrC"},
      {"typed before the last character", "000000000ABC", "000000000ABqC", 12, "00000000ABQC"},
      {"typed at the far left is pushed out", "000000000ABC", "q000000000ABC", 1, "000000000ABC"},
      {"emptied", "000000000ABC", "", 0, "000000000000"},
      {"a paste with a line end", "000000000000", "000000000000x\r\ny", 16, "0000000000XY"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(EditedKeyboardField(c.shown, c.edited, c.caret), c.expected);
  }
}

TEST(KeyboardField, TypingOneKeyAtATime) {
  std::string field(kKeyboardFieldStart);
  for (const char* key : {"A", "B", "C"}) field = KeyboardFieldText(field, key);
  EXPECT_EQ(field, "000000000ABC");
}

TEST(KeyboardField, SpecialCharacterButtonDropsTheFirstCharacter) {
  std::string field = KeyboardFieldText(kKeyboardFieldStart, "ABCDEFGHIJKL");
  field = InsertSpecialCharacter(field, 1);  // "r"
  EXPECT_EQ(field, "BCDEFGHIJKLr");
  field = KeyboardFieldText(field, "x");
  EXPECT_EQ(field, "CDEFGHIJKLrX");
  EXPECT_EQ(InsertSpecialCharacter(kKeyboardFieldStart, 6), "00000000000n");
}

TEST(KeyboardField, SpecialCharacterButtons) {
  struct Case {
    int button;
    std::string caption;
    char code;
    std::string toolTip;
  };
  const Case cases[] = {
      {0, "i", 'i', "i for ignore character"},
      {1, "r", 'r', "r for return character"},
      {2, "c", 'c', "c for cent sign"},
      {3, "t", 't', "t for tab character"},
      {4, "s", 's', "s for printer stop (sigma)"},
      {5, "b", 'b', "b for printer breakpoint (beta)"},
      {6, "n", 'n', "n for illegal character (11111)"},
      {7, "X", 'i', "X for ignore character"},
      {8, "V", ' ', "V for space character"},
      {9, "R", 'r', "R for return character"},
      {10, "C", 'c', "C for cent character"},
      {11, "T", 't', "T for tab character"},
      {12, "I", '|', "I for vertical bar"},
      {13, "P", 's', "P for printer stop (sigma)"},
      {14, "B", 'b', "B for breakpoint (beta)"},
      {15, "E", '=', "E for equal sign"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    EXPECT_EQ(SpecialCharacterCaption(c.button), c.caption);
    EXPECT_EQ(SpecialCharacterCode(c.button), c.code);
    EXPECT_EQ(SpecialCharacterToolTip(c.button), c.toolTip);
  }
  EXPECT_EQ(kKeyboardCharButtons, 7);
}

// The processor takes its devices when it is made, before the keyboard that needs the machine
// and the operator can be: this hands the calls on.
struct KeyboardSocket : ConsoleKeyboard {
  void ReadConsoleWord() override { keyboard->ReadConsoleWord(); }
  ConsoleKeyboard* keyboard = nullptr;
};

// An ORMLAX I with a switched-on typewriter and the keyboard.
struct KeyboardInstruction : ::testing::Test {
  KeyboardInstruction() {
    socket.keyboard = &keyboard;
    typewriter.State().PaperLeft = 200;
    typewriter.PressPower();
  }
  std::mt19937 random{3};
  Typewriter typewriter{random};
  KeyboardSocket socket;
  MachineFixture m{false, Peripherals{nullptr, &typewriter, &socket}};
  Keyboard keyboard{m.s, m.op};
};

TEST_F(KeyboardInstruction, StoresTheEnteredWord) {
  m.op.QueueKeyboardEntry({true, "000000000ABC", false});
  m.ExecuteAlone("100100");
  EXPECT_EQ(m.Mem(100), W("000000000ABC"));
  EXPECT_EQ(m.s.KeyboardWord, W("000000000ABC"));
  ASSERT_EQ(m.op.keyboardWindows.size(), 1u);
  EXPECT_FALSE(m.op.keyboardWindows[0]);  // not running: no single-step choice
}

TEST_F(KeyboardInstruction, ClosedWindowStoresThePreviousWord) {
  m.s.KeyboardWord = W("PREVIOUSWORD");
  m.ExecuteAlone("100100");  // nothing queued: the window is closed
  EXPECT_EQ(m.Mem(100), W("PREVIOUSWORD"));
}

TEST_F(KeyboardInstruction, RunGoesOnAfterEachWord) {
  m.Load(0, {"100100100101", "900000900000"});
  m.op.QueueKeyboardEntry({true, "0000000000XY", false});  // the second window is just closed
  m.cpu.Run();
  EXPECT_EQ(m.op.keyboardWindows, (std::vector<bool>{true, true}));
  EXPECT_EQ(m.Mem(100), W("0000000000XY"));
  EXPECT_EQ(m.Mem(101), W("0000000000XY"));
  EXPECT_FALSE(m.s.Running);
}

TEST_F(KeyboardInstruction, ContinueInSingleStepStopsAfterTheWord) {
  m.Load(0, {"100100000000", "100101000000", "900000900000"});
  m.op.QueueKeyboardEntry({true, "00000000000Z", true});
  m.cpu.Run();
  EXPECT_EQ(m.Mem(100), W("00000000000Z"));
  EXPECT_EQ(m.op.keyboardWindows, (std::vector<bool>{true}));  // the second read never ran
  EXPECT_FALSE(m.s.Running);
  EXPECT_EQ(m.s.rCC, 1);
  EXPECT_EQ(m.s.Lamp[kRunningLamp], LampColour::Red);
}

TEST_F(KeyboardInstruction, WaitsForOutputHeldByAPrinterStop) {
  typewriter.PrintWord(W("ABsCD0000000"));
  ASSERT_FALSE(typewriter.PrintBufferEmpty());
  std::size_t windowsWhenStarted = 99;
  m.op.QueueAction([&] {
    windowsWhenStarted = m.op.keyboardWindows.size();
    typewriter.PressStart();
  });
  m.op.QueueKeyboardEntry({true, "000000000042", false});
  m.ExecuteAlone("100100");
  EXPECT_EQ(windowsWhenStarted, 0u);
  EXPECT_FALSE(m.op.ActionsPending());
  EXPECT_EQ(typewriter.State().Paper, "abcd0000000");
  EXPECT_EQ(m.Mem(100), W("000000000042"));
}

}  // namespace
}  // namespace ormlax

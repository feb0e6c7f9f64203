#include "console/typewriter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "console/typewriter_tables.h"
#include "tests/support/machine_fixture.h"
#include "tests/support/scripted_operator.h"

namespace ormlax {
namespace {

using testing::MachineFixture;
using testing::ScriptedOperator;
using testing::W;

constexpr auto kGrey = LampColour::Grey;
constexpr auto kRed = LampColour::Red;

// A typewriter switched on, with a roll long enough not to show the warning bar.
struct PoweredTypewriter : ::testing::Test {
  PoweredTypewriter() {
    tw.State().PaperLeft = 200;
    tw.PressPower();
  }
  const std::string& Print(std::string_view codes) {
    tw.AppendToPrintBuffer(codes);
    tw.PrintPending();
    return tw.State().Paper;
  }
  std::mt19937 random{1};
  Typewriter tw{random};
};

TEST(TypewriterPrinting, TranslatesAndInterpretsControlCodes) {
  const std::string eight(8, ' ');
  struct Case {
    const char* codes;
    std::string paper;
    int column;
    int linesUsed;
  };
  const Case cases[] = {
      {"HELLO rWORLD", "hello \r\nworld", 5, 1},
      {"$ABC?DEF", "ABCdef", 6, 0},
      {"%ABC", "Abc", 3, 0},
      {"1t2", "1" + std::string(7, ' ') + "2", 9, 0},
      {"-t", "-" + eight, 8, 0},                    // "-" prints but takes no column
      {"AB t", "ab " + std::string(6, ' '), 8, 0},  // neither does the space
      {"ABCDEFGHt", "abcdefgh" + eight, 16, 0},     // at a tab stop a tab still moves on
      {"ct", "¢" + std::string(7, ' '), 8, 0},
      {"rrt", "\r\n\r\n" + eight, 8, 2},
      {"AiB", "ab", 2, 0},
      {"$1234567890", "½\"#$%*&'()", 10, 0},
      {"+/;$+/;", "+/;@?:", 6, 0},
      {"'&(#@\"|)*:=,.", "'&(#@\"|)*:=,.", 0, 0},  // printed as they stand
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.codes);
    std::mt19937 random(1);
    Typewriter t(random);
    t.State().PaperLeft = 200;
    t.PressPower();
    t.AppendToPrintBuffer(c.codes);
    t.PrintPending();
    EXPECT_EQ(t.State().Paper, c.paper);
    EXPECT_EQ(t.State().Column, c.column);
    EXPECT_EQ(t.State().PaperLeft, 200 - c.linesUsed);
    EXPECT_TRUE(t.PrintBufferEmpty());
  }
}

TEST_F(PoweredTypewriter, ShiftLockLastsAcrossWords) {
  Print("$AB");
  EXPECT_EQ(Print("CD?E"), "ABCDe");
}

TEST(TypewriterPrinting, HaltingCodesStopPrintingUntilStart) {
  struct Case {
    const char* codes;
    bool breakpointChecked;
    int lamp;
  };
  const Case cases[] = {
      {"ABsCD", false, kPrinterStopLamp},
      {"ABnCD", false, kIllegalCharacterLamp},
      {"ABbCD", true, kPrinterBreakpointLamp},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.codes);
    std::mt19937 random(1);
    Typewriter t(random);
    t.State().PaperLeft = 200;
    t.PressPower();
    t.SetBreakpointStop(c.breakpointChecked);
    t.AppendToPrintBuffer(c.codes);
    t.PrintPending();
    EXPECT_EQ(t.State().Paper, "ab");
    EXPECT_EQ(t.Buffer().Pending(), "CD");
    EXPECT_FALSE(t.PrintBufferEmpty());
    EXPECT_TRUE(t.State().StopPending);
    EXPECT_TRUE(t.State().StartEnabled);
    for (int lamp = 0; lamp < 3; ++lamp) {
      EXPECT_EQ(t.State().shaOrmprinterLamp[lamp], lamp == c.lamp ? kRed : kGrey) << lamp;
    }

    t.PressStart();
    EXPECT_EQ(t.State().Paper, "abcd");
    EXPECT_TRUE(t.PrintBufferEmpty());
    EXPECT_FALSE(t.State().StopPending);
    EXPECT_FALSE(t.State().StartEnabled);
    for (int lamp = 0; lamp < 3; ++lamp) EXPECT_EQ(t.State().shaOrmprinterLamp[lamp], kGrey);
    EXPECT_EQ(t.State().shaOrmprinterLamp[kPowerLamp], LampColour::Green);
  }
}

TEST_F(PoweredTypewriter, BreakpointCodeIgnoredWhileUnchecked) {
  EXPECT_EQ(Print("AbB"), "ab");
  EXPECT_FALSE(tw.State().StopPending);
  EXPECT_EQ(tw.State().shaOrmprinterLamp[kPrinterBreakpointLamp], kGrey);
}

TEST_F(PoweredTypewriter, NextWordPrintsTheRestHeldByAStop) {
  Print("AsB");
  EXPECT_EQ(Print("C"), "abc");
  EXPECT_TRUE(tw.PrintBufferEmpty());
}

TEST_F(PoweredTypewriter, ComputerDigitModePrintsEveryCodeThroughItsTable) {
  tw.PressComputerDigit();
  EXPECT_TRUE(tw.State().ComputerDigit);
  EXPECT_EQ(tw.State().shaOrmprinterLamp[kComputerDigitLamp], LampColour::Yellow);
  EXPECT_EQ(Print("Air"), "aX/");
  EXPECT_EQ(tw.State().PaperLeft, 200);   // no line end
  EXPECT_EQ(Print("stb$A"), "aX/sVYZa");  // no stop, no shift
  EXPECT_FALSE(tw.State().StopPending);

  tw.PressComputerDigit();
  EXPECT_EQ(tw.State().shaOrmprinterLamp[kComputerDigitLamp], kGrey);
  EXPECT_EQ(Print("Ar"), "aX/sVYZaa\r\n");
}

TEST_F(PoweredTypewriter, PowerOffLosesWordsAndKeepsComputerDigitMode) {
  tw.PressComputerDigit();
  tw.PressPower();
  EXPECT_FALSE(tw.State().PowerOn);
  for (LampColour lamp : tw.State().shaOrmprinterLamp) EXPECT_EQ(lamp, kGrey);
  tw.PressComputerDigit();  // no effect while the power is off
  EXPECT_TRUE(tw.State().ComputerDigit);

  tw.PrintWord(W("HELLO WORLDr"));
  EXPECT_TRUE(tw.PrintBufferEmpty());
  tw.PressPower();
  EXPECT_EQ(tw.State().shaOrmprinterLamp[kPowerLamp], LampColour::Green);
  EXPECT_EQ(tw.State().Paper, "");
  EXPECT_EQ(Print("i"), "X");  // still in computer-digit mode
}

TEST_F(PoweredTypewriter, PowerOnPrintsWhatAStopHeldBack) {
  Print("AsB");
  tw.PressPower();
  tw.PressPower();
  EXPECT_EQ(tw.State().Paper, "ab");
  EXPECT_TRUE(tw.PrintBufferEmpty());
}

TEST_F(PoweredTypewriter, RunOutPaperLosesOutputUntilClear) {
  tw.State().PaperLeft = 2;
  EXPECT_EQ(Print("Ar"), "a\r\n");
  EXPECT_FALSE(tw.State().PaperBlack);
  EXPECT_EQ(Print("Br"), "a\r\nb\r\n");  // the last line
  EXPECT_TRUE(tw.State().PaperBlack);
  EXPECT_EQ(Print("C"), "a\r\nb\r\n");
  EXPECT_TRUE(tw.PrintBufferEmpty());

  ScriptedOperator op;
  op.clipboard = "old contents";
  tw.PressClear(op);
  EXPECT_EQ(op.clipboard, "a\r\nb\r\n");
  EXPECT_EQ(tw.State().Paper, "");
  EXPECT_EQ(tw.State().PaperLeft, 32767);
  EXPECT_FALSE(tw.State().PaperBlack);
  EXPECT_TRUE(tw.State().PaperWarningShown);  // until the next carriage return
  EXPECT_EQ(Print("Dr"), "d\r\n");
  EXPECT_FALSE(tw.State().PaperWarningShown);
}

TEST_F(PoweredTypewriter, ClearKeepsARollWithFiftyLinesOrMore) {
  tw.State().PaperLeft = 51;
  Print("Ar");
  ScriptedOperator op;
  tw.PressClear(op);
  EXPECT_EQ(op.clipboard, "a\r\n");
  EXPECT_EQ(tw.State().Paper, "");
  EXPECT_EQ(tw.State().PaperLeft, 50);
}

TEST_F(PoweredTypewriter, WarningBarGrowsAsThePaperRunsDown) {
  struct Case {
    int before;
    bool shown;
    double height;
  };
  const Case cases[] = {
      {51, false, 0.0},
      {50, true, 0.02},
      {26, true, 0.5},
      {2, true, 0.98},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.before);
    tw.State().PaperLeft = c.before;
    tw.State().PaperWarningShown = !c.shown;
    Print("r");
    EXPECT_EQ(tw.State().PaperWarningShown, c.shown);
    if (c.shown) {
      EXPECT_DOUBLE_EQ(tw.State().PaperWarningHeight, c.height);
    }
    EXPECT_FALSE(tw.State().PaperBlack);
  }
}

TEST(TypewriterStartUp, SwitchedOffWithARandomRoll) {
  bool sawWarning = false;
  for (unsigned seed = 0; seed < 300; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    Typewriter t(random);
    const TypewriterState& st = t.State();
    ASSERT_GE(st.PaperLeft, 20);
    ASSERT_LE(st.PaperLeft, 300);
    // The start-up paper advance shows the warning bar at once for a short roll.
    ASSERT_EQ(st.PaperWarningShown, st.PaperLeft < 50);
    if (st.PaperWarningShown) {
      sawWarning = true;
      ASSERT_DOUBLE_EQ(st.PaperWarningHeight, (50.0 - st.PaperLeft) / 50.0);
    }
    if (seed == 0) {
      EXPECT_FALSE(st.PowerOn);
      EXPECT_FALSE(st.ComputerDigit);
      EXPECT_FALSE(st.StopPending);
      EXPECT_FALSE(st.StartEnabled);
      EXPECT_FALSE(st.SectionShown);
      EXPECT_FALSE(st.PaperBlack);
      EXPECT_EQ(st.Paper, "");
      for (LampColour lamp : st.shaOrmprinterLamp) EXPECT_EQ(lamp, kGrey);
    }
  }
  EXPECT_TRUE(sawWarning);
}

TEST(TypewriterStartUp, PaperSupplyIsTheIntegerPartOf281RPlus20) {
  EXPECT_EQ(InitialPaperSupply(0.0), 20);
  EXPECT_EQ(InitialPaperSupply(0.5), 160);
  EXPECT_EQ(InitialPaperSupply(0.1), 48);
  EXPECT_EQ(InitialPaperSupply(0.9999999), 300);
}

TEST_F(PoweredTypewriter, SectionShowsForPrintedWordsAndRaisesTheHelpContext) {
  EXPECT_EQ(tw.WindowHeightTwips(), 6400);
  tw.PrintWord(W("HELLO WORLDr"));
  EXPECT_EQ(tw.State().Paper, "hello world\r\n");
  EXPECT_TRUE(tw.State().SectionShown);
  EXPECT_EQ(tw.State().HelpContextOffset, 20);
  EXPECT_EQ(tw.WindowHeightTwips(), 8400);
  tw.PrintWord(W("AAAAAAAAAAAA"));
  EXPECT_EQ(tw.State().HelpContextOffset, 20);
  tw.HideSection();
  EXPECT_FALSE(tw.State().SectionShown);
  EXPECT_EQ(tw.State().HelpContextOffset, 0);
  EXPECT_EQ(tw.WindowHeightTwips(), 6400);
}

TEST_F(PoweredTypewriter, ListenerReceivesEverythingAddedToThePaper) {
  std::string streamed;
  int pieces = 0;
  tw.SetPaperListener([&](std::string_view piece) {
    streamed.append(piece);
    ++pieces;
  });
  Print("HELLO rWORLD");
  Print("iii");  // adds nothing
  Print("$AsB");
  tw.PressStart();
  EXPECT_EQ(streamed, "hello \r\nworldAB");
  EXPECT_EQ(streamed, tw.State().Paper);
  EXPECT_EQ(pieces, 3);
}

TEST_F(PoweredTypewriter, OverlongPaperKeepsItsNewestLines) {
  tw.State().PaperLeft = 32767;
  const Word plain = W("ABCDEFGHIJKL");
  const Word lineEnd = W("ABCDEFGHIJKr");
  std::size_t printed = 0;
  for (int i = 0; printed < kPaperTextLimit + 1000; ++i) {
    tw.PrintWord(i % 64 == 63 ? lineEnd : plain);
    printed += 12 + (i % 64 == 63 ? 1 : 0);
  }
  tw.PrintWord(W("ZZZZZZZZZZZZ"));
  const std::string& paper = tw.State().Paper;
  EXPECT_LE(paper.size(), kPaperTextLimit);
  EXPECT_GE(paper.size(), kPaperTextLimit / 4);
  EXPECT_EQ(paper.substr(paper.size() - 12), "zzzzzzzzzzzz");
  EXPECT_EQ(paper.substr(0, 12), "abcdefghijkl");  // begins on a line
}

TEST(TypewriterTables, MatchTheTypewriterCodeCard) {
  // Rows of sixteen codes from code 0; "space" is the blank.
  struct Row {
    const TypewriterTable* table;
    const char* name;
    int first;
    std::vector<std::string> entries;
  };
  const std::vector<Row> rows = {
      {&UnshiftedTable,
       "unshifted",
       0,
       {"i", " ", "-", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", ";", ";", ";"}},
      {&ShiftedTable,
       "shifted",
       0,
       {"i", " ", "_", ")", "½", "\"", "#", "$", "%", "*", "&", "'", "(", ";", ";", ";"}},
      {&ComputerDigitTable,
       "computer digit",
       0,
       {"X", " ", "-", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", ";", ";", ";"}},
      {&UnshiftedTable,
       "unshifted",
       16,
       {"r", ",", ".", ";", "a", "b", "c", "d", "e", "f", "g", "h", "i", ";", ";", ";"}},
      {&ShiftedTable,
       "shifted",
       16,
       {"r", ",", ".", ":", "A", "B", "C", "D", "E", "F", "G", "H", "I", ";", ";", ";"}},
      {&ComputerDigitTable,
       "computer digit",
       16,
       {"/", ",", ".", ";", "a", "b", "c", "d", "e", "f", "g", "h", "i", ";", ";", ";"}},
      {&UnshiftedTable,
       "unshifted",
       32,
       {"t", ";", ";", ";", "j", "k", "l", "m", "n", "o", "p", "q", "r", "$", ";", "8"}},
      {&ShiftedTable,
       "shifted",
       32,
       {"t", ";", ";", ";", "J", "K", "L", "M", "N", "O", "P", "Q", "R", "$", ";", "8"}},
      {&ComputerDigitTable,
       "computer digit",
       32,
       {"V", ";", ";", ")", "j", "k", "l", "m", "n", "o", "p", "q", "r", "Z", ";", "8"}},
      {&UnshiftedTable,
       "unshifted",
       48,
       {"s", "b", ";", "+", "/", "s", "t", "u", "v", "w", "x", "y", "z", "%", ";", "n"}},
      {&ShiftedTable,
       "shifted",
       48,
       {"s", "b", ";", "@", "?", "S", "T", "U", "V", "W", "X", "Y", "Z", "%", ";", "n"}},
      {&ComputerDigitTable,
       "computer digit",
       48,
       {"s", "Y", ";", "+", "/", "s", "t", "u", "v", "w", "x", "y", "z", "-", ";", "n"}},
  };
  ASSERT_EQ(rows.size(), 12u);
  for (const Row& row : rows) {
    ASSERT_EQ(row.entries.size(), 16u);
    for (int k = 0; k < 16; ++k) {
      const int code = row.first + k;
      EXPECT_EQ((*row.table)[code], row.entries[k]) << row.name << " code " << code;
    }
  }
}

TEST_F(PoweredTypewriter, EveryTranslatedCharacterPrintsThroughTheShiftTables) {
  // The letters, digits, "+", "/" and ";", unshifted and then under a shift lock.
  const std::string codes = "0123456789;ABCDEFGHIJKLMNOPQR+/STUVWXYZ";
  const std::string unshifted = "0123456789;abcdefghijklmnopqr+/stuvwxyz";
  const std::string shifted = ")½\"#$%*&'(:ABCDEFGHIJKLMNOPQR@?STUVWXYZ";
  EXPECT_EQ(Print(codes), unshifted);
  EXPECT_EQ(Print("$" + codes), unshifted + shifted);
  EXPECT_EQ(tw.State().Column, 78);
}

TEST(TypewriterOutputInstruction, PrintsThroughTheFiftyInstruction) {
  std::mt19937 random(1);
  Typewriter tw(random);
  tw.State().PaperLeft = 200;
  MachineFixture m(false, Peripherals{nullptr, &tw, nullptr});
  m.Load(100, {"HELLO rWORLD"});

  m.ExecuteAlone("500100");  // power off: lost
  EXPECT_EQ(tw.State().Paper, "");
  EXPECT_TRUE(tw.State().SectionShown);
  tw.PressPower();
  EXPECT_EQ(tw.State().Paper, "");

  m.ExecuteAlone("500100");
  EXPECT_EQ(tw.State().Paper, "hello \r\nworld");
  EXPECT_EQ(tw.State().PaperLeft, 199);
}

}  // namespace
}  // namespace ormlax

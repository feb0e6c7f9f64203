// The machine's 64-character code, digit values and the tables derived from the code.
#include "core/character_code.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>

namespace ormlax {
namespace {

// The code table written out row by row, sixteen codes to a row.
constexpr std::array<std::array<char, 16>, 4> kCodeRows = {{
    {'i', ' ', '-', '0', '1', '2', '3', '4', '5', '6', '7', '8', '9', '\'', '&', '('},
    {'r', ',', '.', ';', 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', '#', 'c', '@'},
    {'t', '"', '|', ')', 'J', 'K', 'L', 'M', 'N', 'O', 'P', 'Q', 'R', '$', '*', '?'},
    {'s', 'b', ':', '+', '/', 'S', 'T', 'U', 'V', 'W', 'X', 'Y', 'Z', '%', '=', 'n'},
}};

TEST(CharacterTableTest, HasSixtyFourDistinctCharacters) {
  ASSERT_EQ(CharacterTable.size(), 64u);
  const std::set<char> distinct(CharacterTable.begin(), CharacterTable.end());
  EXPECT_EQ(distinct.size(), 64u);
}

TEST(CharacterTableTest, EveryCharacterHasItsCodeRowByRow) {
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 16; ++column) {
      const int code = row * 16 + column;
      const char c = kCodeRows[row][column];
      SCOPED_TRACE(::testing::Message() << "code " << code << " '" << c << "'");
      EXPECT_EQ(CharacterTable[code], c);
      EXPECT_EQ(CodeOf(c), code);
    }
  }
}

TEST(CharacterTableTest, IgnoreAndIllegalCharactersEndTheCodeAndDigitsStartAtThree) {
  EXPECT_EQ(CodeOf('i'), 0);
  EXPECT_EQ(CodeOf('n'), 63);
  EXPECT_EQ(CodeOf('0'), 3);
  EXPECT_EQ(CodeOf('9'), 12);
}

TEST(CharacterTableTest, CharactersOutsideTheCodeHaveNoCode) {
  for (const char c : {'a', 'd', 'z', 'j', '!', '<', '>', '[', '_', '\\', '\t', '\0', '\x7f'}) {
    SCOPED_TRACE(::testing::Message() << "character " << static_cast<int>(c));
    EXPECT_EQ(CodeOf(c), -1);
  }
  // Bytes above 127 must not be read as negative indexes or as table characters.
  for (int byte = 128; byte < 256; ++byte) {
    SCOPED_TRACE(byte);
    EXPECT_EQ(CodeOf(static_cast<char>(byte)), -1);
    EXPECT_EQ(DigitValue(static_cast<char>(byte)), -1);
  }
}

TEST(DigitValueTest, ThirteenCharactersAreWorthZeroToTwelve) {
  const std::array<std::pair<char, int>, 13> cases = {{{'0', 0},
                                                       {'1', 1},
                                                       {'2', 2},
                                                       {'3', 3},
                                                       {'4', 4},
                                                       {'5', 5},
                                                       {'6', 6},
                                                       {'7', 7},
                                                       {'8', 8},
                                                       {'9', 9},
                                                       {'\'', 10},
                                                       {'&', 11},
                                                       {'(', 12}}};
  for (const auto& [c, value] : cases) {
    SCOPED_TRACE(::testing::Message() << "'" << c << "'");
    EXPECT_EQ(DigitValue(c), value);
  }
}

TEST(DigitValueTest, EveryOtherCharacterHasNone) {
  int withValue = 0;
  for (int code = 0; code < 64; ++code) {
    const char c = CharacterTable[code];
    if (code >= 3 && code <= 15) {
      ++withValue;
      continue;
    }
    SCOPED_TRACE(::testing::Message() << "code " << code << " '" << c << "'");
    EXPECT_EQ(DigitValue(c), -1);
  }
  EXPECT_EQ(withValue, 13);
  for (const char c : {'a', '!', '\0', ')'}) EXPECT_EQ(DigitValue(c), -1) << c;
}

TEST(OverprintTableTest, ThirteenCodesHaveAnEntryAndTheRestAreBlank) {
  ASSERT_EQ(OverprintTable.size(), 64u);
  const std::array<std::pair<int, char>, 13> entries = {{{0, '5'},
                                                         {1, '6'},
                                                         {16, 'E'},
                                                         {30, 'C'},
                                                         {31, 'D'},
                                                         {32, 'N'},
                                                         {33, 'O'},
                                                         {34, 'P'},
                                                         {47, 'M'},
                                                         {48, 'V'},
                                                         {49, 'W'},
                                                         {62, 'T'},
                                                         {63, 'n'}}};
  std::array<char, 64> expected;
  expected.fill(' ');
  for (const auto& [code, entry] : entries) expected[code] = entry;
  for (int code = 0; code < 64; ++code) {
    SCOPED_TRACE(::testing::Message() << "code " << code << " '" << CharacterTable[code] << "'");
    EXPECT_EQ(OverprintTable[code], expected[code]);
  }
}

TEST(SpecialCharacterLegendTest, HoldsTheSixteenTexts) {
  const std::array<std::string, 16> expected = {
      "i for ignore character",
      "r for return character",
      "c for cent sign",
      "t for tab character",
      "s for printer stop (sigma)",
      "b for printer breakpoint (beta)",
      "n for illegal character (11111)",
      "X for ignore character",
      "V for space character",
      "R for return character",
      "C for cent character",
      "T for tab character",
      "I for vertical bar",
      "P for printer stop (sigma)",
      "B for breakpoint (beta)",
      "E for equal sign",
  };
  ASSERT_EQ(SpecialCharacterLegend.size(), expected.size());
  for (std::size_t entry = 0; entry < expected.size(); ++entry) {
    SCOPED_TRACE(::testing::Message() << "entry " << entry + 1);
    EXPECT_EQ(SpecialCharacterLegend[entry], expected[entry]);
  }
}

}  // namespace
}  // namespace ormlax

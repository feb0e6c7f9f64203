// Words read as fractions and written back, negation, address fields and digit words.
#include "core/word_value.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "tests/support/machine_fixture.h"

namespace ormlax {
namespace {

using ormlax::testing::W;

// `digits` x 10^-decimals in units of 10^-22.
Int128 Value(std::int64_t digits, int decimals) {
  Int128 v = digits;
  for (int i = decimals; i < 22; ++i) v *= 10;
  return v;
}

// Decimal text of a count of units, so that failures print readably.
std::string Text(Int128 v) {
  if (v == 0) return "0";
  const bool negative = v < 0;
  std::string s;
  for (Int128 a = negative ? -v : v; a != 0; a /= 10)
    s.insert(s.begin(), static_cast<char>('0' + static_cast<int>(a % 10)));
  return negative ? "-" + s : s;
}

TEST(WordToFractionTest, ReadsSignAndElevenDigitsAsAFraction) {
  struct Case {
    std::string_view word;
    Int128 value;
  };
  const Case cases[] = {
      {"000000000000", 0},
      {"-50000000000", Value(-5, 1)},
      {"050000000000", Value(5, 1)},
      {"000000000001", Value(1, 11)},
      {"-00000000001", Value(-1, 11)},
      {"099999999999", Value(99999999999, 11)},
      {"012345678901", Value(12345678901, 11)},
      {"-98765432109", Value(-98765432109, 11)},
      // Digits worth 10, 11 and 12.
      {"0(0000000000", Value(12, 1)},
      {"0'&(00000000", Value(1122, 3)},
      {"-0000000000(", Value(-12, 11)},
      {"0(((((((((((", Value(133333333332, 11)},
      // Only "-" makes a word negative; any other sign character reads as positive.
      {"A12345678901", Value(12345678901, 11)},
      {" 50000000000", Value(5, 1)},
      {"n00000000007", Value(7, 11)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.word);
    const Fraction f = WordToFraction(W(c.word));
    EXPECT_TRUE(f.valid);
    EXPECT_EQ(Text(f.units), Text(c.value));
  }
}

TEST(WordToFractionTest, ADigitPositionWithoutADigitValueMakesTheWordInvalid) {
  for (const std::string_view word :
       {"0A0000000000", "00000000000A", "-0000 000000", "00000i000000", "0000000000)0",
        "01234567890n", "0-0000000000"}) {
    SCOPED_TRACE(word);
    EXPECT_FALSE(WordToFraction(W(word)).valid);
  }
}

TEST(FractionToWordTest, WritesTruncatedDigitsOfTheRequestedWidth) {
  struct Case {
    Int128 value;
    int width;
    std::string_view word;
  };
  const Case cases[] = {
      {0, 12, "000000000000"},
      {Value(25, 2), 12, "025000000000"},
      {Value(-25, 2), 12, "-25000000000"},
      {Value(1, 11), 12, "000000000001"},
      {Value(-99999999999, 11), 12, "-99999999999"},
      // Digits past the eleventh are cut off, never rounded, on either sign.
      {Value(123456789019, 12), 12, "012345678901"},
      {Value(-123456789019, 12), 12, "-12345678901"},
      {Value(999999999999999, 15), 12, "099999999999"},
      {Value(5, 12), 12, "000000000000"},
      {Value(-5, 12), 12, "-00000000000"},
      // Width 23: the sign and 22 digits of a double-length product.
      {1, 23, "00000000000000000000001"},
      {Value(-5, 1), 23, "-5000000000000000000000"},
      {static_cast<Int128>(1234567890123456789) * 1000 + 12, 23, "01234567890123456789012"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << Text(c.value) << " width " << c.width);
    bool overflow = false;
    EXPECT_EQ(FractionToWord(c.value, c.width, overflow), c.word);
    EXPECT_FALSE(overflow);
  }
}

TEST(FractionToWordTest, AValueOfOneOrMoreSetsOverflowAndKeepsTheFraction) {
  struct Case {
    Int128 value;
    int width;
    std::string_view word;
  };
  const Case cases[] = {
      {Value(1, 0), 12, "000000000000"},
      {Value(-1, 0), 12, "-00000000000"},
      {Value(15, 1), 12, "050000000000"},
      {Value(-15, 1), 12, "-50000000000"},
      {Value(275, 2), 12, "075000000000"},
      {Value(100000000000001, 14), 12, "000000000000"},
      {Value(199999999999, 11), 12, "099999999999"},
      {Value(144, 2), 23, "04400000000000000000000"},
      {Value(1, 0) + 1, 23, "00000000000000000000001"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << Text(c.value) << " width " << c.width);
    bool overflow = false;
    EXPECT_EQ(FractionToWord(c.value, c.width, overflow), c.word);
    EXPECT_TRUE(overflow);
  }
}

TEST(FractionToWordTest, AValueBelowOneLeavesAnEarlierOverflowStanding) {
  bool overflow = true;
  EXPECT_EQ(FractionToWord(Value(25, 2), 12, overflow), "025000000000");
  EXPECT_TRUE(overflow);
}

TEST(NegateWordTest, FlipsTheSignAndKeepsTheDigitPositions) {
  struct Case {
    std::string_view word, negated;
  };
  const Case cases[] = {
      {"000000000001", "-00000000001"},
      {"-00000000001", "000000000001"},
      {"000000000000", "-00000000000"},
      {"-A00B00C00'(", "0A00B00C00'("},
      // A sign character other than "-" counts as positive, so it becomes "-".
      {"A00000000001", "-00000000001"},
      {" 12345678901", "-12345678901"},
      {"912345678901", "-12345678901"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.word);
    EXPECT_EQ(NegateWord(W(c.word)), W(c.negated));
  }
}

TEST(AddressOfTest, ReadsTheLastThreeOrFourCharacters) {
  struct Case {
    std::string_view instruction;
    int modelI;   // three address digits
    int modelII;  // four address digits
  };
  const Case cases[] = {
      {"B00123", 123, 123},
      {"B00000", 0, 0},
      {"B09999", 999, 9999},
      {"B01000", 0, 1000},
      {"B0012A", -1, -1},
      {"B001A3", -1, -1},
      // Character 3 is no part of a three-digit address.
      {"B0X123", 123, -1},
      {"B0-123", 123, -1},
      {"B00-12", -1, -1},
      {"B00'12", -1, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.instruction);
    const Instruction i = Instruction::FromText(c.instruction);
    EXPECT_EQ(AddressOf(i, 3), c.modelI);
    EXPECT_EQ(AddressOf(i, 4), c.modelII);
  }
}

TEST(AddressOfTest, OfAWordIsTheRightHandInstructionsAddress) {
  const Word w = W("B00123H04567");
  EXPECT_EQ(AddressOf(w, 3), 567);
  EXPECT_EQ(AddressOf(w, 4), 4567);
  EXPECT_EQ(AddressOf(W("B00123H0456X"), 4), -1);
  EXPECT_EQ(AddressOf(W("B00123H0X456"), 3), 456);
}

TEST(SignedDigitsWordTest, WritesSignAndTheLowElevenDigits) {
  struct Case {
    bool negative;
    std::uint64_t digits;
    std::string_view word;
  };
  const Case cases[] = {
      {false, 0, "000000000000"},
      {true, 0, "-00000000000"},
      {false, 1, "000000000001"},
      {false, 99999999999, "099999999999"},
      {true, 99999999999, "-99999999999"},
      {false, 12345678909, "012345678909"},
      {true, 90817263544, "-90817263544"},
      {false, 1234567890, "001234567890"},
      {false, 10203040506, "010203040506"},
      {false, 98765432107, "098765432107"},
      // Above eleven digits only the low eleven are kept.
      {false, 100000000000, "000000000000"},
      {true, 123456789012345, "-56789012345"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.word);
    EXPECT_EQ(SignedDigitsWord(c.negative, c.digits), W(c.word));
  }
}

TEST(SignedDigitsWordTest, EveryDigitLandsInItsOwnPosition) {
  for (int position = 0; position < 11; ++position) {
    std::uint64_t place = 1;
    for (int i = 0; i < position; ++i) place *= 10;
    for (int digit = 1; digit <= 9; ++digit) {
      std::string expected = "000000000000";
      expected[static_cast<std::size_t>(11 - position)] = static_cast<char>('0' + digit);
      SCOPED_TRACE(expected);
      EXPECT_EQ(SignedDigitsWord(false, static_cast<std::uint64_t>(digit) * place), W(expected));
    }
  }
}

}  // namespace
}  // namespace ormlax

// Addition on the characters of words, and rounded and exact products and quotients.
#include "core/decimal_arithmetic.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <utility>

#include "core/character_code.h"
#include "tests/support/machine_fixture.h"

namespace ormlax {
namespace {

using ormlax::testing::W;

struct SumCase {
  std::string_view a, b, sum;
  bool overflow;
};

TEST(DecimalAddTest, AddsAndSubtractsDigitByDigit) {
  const SumCase cases[] = {
      {"000000000005", "000000000007", "000000000012", false},
      {"-00000000005", "-00000000007", "-00000000012", false},
      {"012345678901", "087654321098", "099999999999", false},
      // Unlike signs: the larger magnitude gives the sign.
      {"000000000005", "-00000000007", "-00000000002", false},
      {"-00000000007", "000000000005", "-00000000002", false},
      {"000000000001", "-10000000000", "-09999999999", false},
      {"-00000000001", "099999999999", "099999999998", false},
      // Equal magnitudes give zero digits with a's sign.
      {"-00000000005", "000000000005", "-00000000000", false},
      {"000000000005", "-00000000005", "000000000000", false},
      // Borrows that run through every position.
      {"010000000000", "-00000000001", "009999999999", false},
      {"-00000000001", "010000000000", "009999999999", false},
      // Carries out of the top digit: the low eleven digits stay and overflow is set.
      {"099999999999", "000000000001", "000000000000", true},
      {"000000000001", "099999999999", "000000000000", true},
      {"-99999999999", "-00000000001", "-00000000000", true},
      {"060000000000", "050000000000", "010000000000", true},
  };
  for (const auto& c : cases) {
    for (const bool before : {false, true}) {
      SCOPED_TRACE(::testing::Message() << c.a << " + " << c.b << ", overflow before " << before);
      bool overflow = before;
      EXPECT_EQ(DecimalAdd(W(c.a), W(c.b), overflow), W(c.sum));
      EXPECT_EQ(overflow, c.overflow);
    }
  }
}

TEST(DecimalAddTest, CharactersWithoutADigitValuePassThroughAndStopTheCarry) {
  const SumCase cases[] = {
      {"0000000A0005", "000000000007", "0000000A0012", false},
      {"000000000007", "0000000A0005", "0000000A0012", false},
      {"0000000A9995", "000000000007", "0000000A0002", false},
      // A carry that reaches a letter in the top position is lost: no overflow.
      {"0A9999999999", "000000000001", "0A0000000000", false},
      // A borrow stops at a letter as well.
      {"0000001A0000", "-00000000001", "0000001A9999", false},
      {"000000000100", "-000000000B1", "0000000001B9", false},
      // a's character wins when both words have one in the same position.
      {"0000000000X5", "0000000000Y7", "0000000000X2", false},
      // The letter counts as 0 when the magnitudes are compared.
      {"0A0000000001", "-00000000002", "-A0000000001", false},
      // "'", "&" and "(" add as 0 and do not pass through.
      {"00000000'005", "000000000007", "000000000012", false},
      {"0000000'0095", "000000000007", "000000000102", false},
      {"0&0000000005", "0(0000000007", "000000000012", false},
      {"0(9999999999", "000000000001", "010000000000", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.a << " + " << c.b);
    bool overflow = !c.overflow;
    EXPECT_EQ(DecimalAdd(W(c.a), W(c.b), overflow), W(c.sum));
    EXPECT_EQ(overflow, c.overflow);
  }
}

TEST(DecimalAddTest, ASignOtherThanMinusOrZeroPassesThroughAndCountsAsPositive) {
  const SumCase cases[] = {
      {"A00000000005", "000000000007", "A00000000012", false},
      {"000000000005", "B00000000007", "B00000000012", false},
      {"A00000000005", "B00000000007", "A00000000012", false},
      {"A00000000005", "-00000000007", "A00000000002", false},
      {"-00000000005", "B00000000007", "B00000000002", false},
      {"'00000000005", "000000000007", "'00000000012", false},
      {"500000000005", "-00000000007", "500000000002", false},
      {"n00000000005", "-00000000005", "n00000000000", false},
      {" 99999999999", "000000000001", " 00000000000", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.a << " + " << c.b);
    bool overflow = !c.overflow;
    EXPECT_EQ(DecimalAdd(W(c.a), W(c.b), overflow), W(c.sum));
    EXPECT_EQ(overflow, c.overflow);
  }
}

// The addition done the long way, one character at a time, as the machine's adder is described.
Word ReferenceAdd(const Word& a, const Word& b, bool& overflow) {
  constexpr std::string_view kThirteen = "0123456789'&(";
  const auto passes = [&](char c) { return kThirteen.find(c) == std::string_view::npos; };
  const auto digit = [](char c) { return c >= '0' && c <= '9' ? c - '0' : 0; };
  const char sa = a[0], sb = b[0];
  // Working copies: sign "-" or "0", and the plain digits with anything else as 0.
  int wa[12] = {}, wb[12] = {};
  char signA = sa == '-' ? '-' : '0', signB = sb == '-' ? '-' : '0';
  std::int64_t magA = 0, magB = 0;
  for (int p = 1; p < 12; ++p) {
    wa[p] = digit(a[p]);
    wb[p] = digit(b[p]);
    magA = magA * 10 + wa[p];
    magB = magB * 10 + wb[p];
  }
  const bool subtract = signA != signB;
  if (subtract && magA < magB) {
    std::swap(wa, wb);
    std::swap(signA, signB);
  }
  Word r;
  int carry = 0;
  for (int p = 11; p >= 1; --p) {
    if (subtract) {
      int d = wa[p] - wb[p] - carry;
      if (d < 0) {
        d += 10;
        carry = 1;
      } else {
        carry = 0;
      }
      r[p] = static_cast<char>('0' + d);
    } else {
      const int s = wa[p] + wb[p] + carry;
      r[p] = static_cast<char>('0' + s % 10);
      carry = s / 10;
    }
    if (passes(a[p])) {
      r[p] = a[p];
      carry = 0;
    } else if (passes(b[p])) {
      r[p] = b[p];
      carry = 0;
    }
  }
  if (sa != '-' && sa != '0') {
    r[0] = sa;
  } else if (sb != '-' && sb != '0') {
    r[0] = sb;
  } else {
    r[0] = signA;
  }
  overflow = carry != 0;
  return r;
}

// Random words, mostly plain signed numbers, some with characters of every kind.
class WordSource {
 public:
  explicit WordSource(std::uint32_t seed) : rng_(seed) {}

  int Percent() { return static_cast<int>(rng_() % 100); }
  char AnyCharacter() { return CharacterTable[rng_() % CharacterTable.size()]; }
  char Digit() { return static_cast<char>('0' + rng_() % 10); }

  char Sign() {
    const int p = Percent();
    if (p < 45) return '0';
    if (p < 90) return '-';
    return AnyCharacter();
  }

  // Eleven plain digits, in one of several shapes that make long carries and borrows likely.
  void FillDigits(Word& w) {
    const int shape = Percent();
    for (std::size_t p = 1; p < 12; ++p) {
      if (shape < 50) {
        w[p] = Digit();
      } else if (shape < 80) {
        w[p] = Percent() < 80 ? '9' : '0';
      } else {
        w[p] = Percent() < 80 ? '0' : Digit();
      }
    }
  }

  Word Number() {
    Word w;
    w[0] = Sign();
    FillDigits(w);
    return w;
  }

  // A number with some digit positions replaced by letters, control characters, "'", "&", "(".
  Word Mixed() {
    Word w = Number();
    for (std::size_t p = 1; p < 12; ++p) {
      const int roll = Percent();
      if (roll < 8) {
        w[p] = "'&("[rng_() % 3];
      } else if (roll < 20) {
        w[p] = AnyCharacter();
      }
    }
    return w;
  }

  std::pair<Word, Word> Pair() {
    const int kind = Percent();
    if (kind < 60) return {Number(), Number()};
    if (kind < 70) {
      // Equal magnitudes, either sign.
      Word a = Number();
      Word b = a;
      b[0] = Sign();
      return {a, b};
    }
    if (kind < 85) return {Mixed(), Number()};
    if (kind < 92) return {Number(), Mixed()};
    return {Mixed(), Mixed()};
  }

 private:
  std::mt19937 rng_;
};

bool AllPlainDigits(const Word& w) {
  for (std::size_t p = 1; p < 12; ++p)
    if (!IsDecimalDigit(w[p])) return false;
  return true;
}

TEST(DecimalAddTest, AgreesWithTheCharacterByCharacterAdderOnRandomWords) {
  WordSource source(20240611);
  constexpr int kPairs = 200000;
  int plainPairs = 0;
  int mixedPairs = 0;
  int overflows = 0;
  int failures = 0;
  for (int i = 0; i < kPairs && failures < 10; ++i) {
    const auto [a, b] = source.Pair();
    (AllPlainDigits(a) && AllPlainDigits(b) ? plainPairs : mixedPairs)++;
    bool expectedOverflow = false;
    const Word expected = ReferenceAdd(a, b, expectedOverflow);
    bool overflow = i % 2 == 0;
    const Word sum = DecimalAdd(a, b, overflow);
    if (sum != expected || overflow != expectedOverflow) {
      ++failures;
      ADD_FAILURE() << a.Text() << " + " << b.Text() << ": got " << sum.Text() << " overflow "
                    << overflow << ", expected " << expected.Text() << " overflow "
                    << expectedOverflow;
    }
    overflows += expectedOverflow ? 1 : 0;
  }
  // Both the all-digit words and the words with other characters must have been tried in bulk.
  EXPECT_GT(plainPairs, kPairs / 2);
  EXPECT_GT(mixedPairs, kPairs / 5);
  EXPECT_GT(overflows, kPairs / 50);
}

struct ProductCase {
  std::string_view l, x, result;
  bool overflow;
};

TEST(RoundedProductTest, RoundsToTheNearestElevenDigitsWithHalvesTowardPlusInfinity) {
  const ProductCase cases[] = {
      {"050000000000", "050000000000", "025000000000", false},
      {"-50000000000", "050000000000", "-25000000000", false},
      {"-50000000000", "-50000000000", "025000000000", false},
      {"099999999999", "099999999999", "099999999998", false},
      // Positive results: below the half down, from the half up.
      {"010000000000", "012345678904", "001234567890", false},
      {"010000000000", "012345678905", "001234567891", false},
      {"050000000000", "024691357803", "012345678902", false},
      // Negative results: below the half toward zero, the exact half toward zero too, past it
      // away from zero.
      {"-10000000000", "012345678901", "-01234567890", false},
      {"-10000000000", "012345678905", "-01234567890", false},
      {"-50000000000", "024691357803", "-12345678901", false},
      {"-10000000000", "012345678906", "-01234567891", false},
      {"-60000000000", "000000000001", "-00000000001", false},
      {"-50000000000", "000000000001", "000000000000", false},
      {"-00000000001", "000000000001", "000000000000", false},
      // Results that round to a magnitude of 1 overflow and keep the eleven digits below.
      {"0(0000000000", "083333333333", "000000000000", true},
      {"0(0000000000", "-83333333333", "-00000000000", true},
      {"099601593625", "0'0400000000", "000000000000", true},
      {"-99601593625", "0'0400000000", "-99999999999", false},
      {"0(0000000000", "0(0000000000", "044000000000", true},
      // Digits worth 10-12 multiply at their worth.
      {"00'000000000", "050000000000", "005000000000", false},
      {"0&0000000000", "-50000000000", "-55000000000", false},
      {"0000000000(0", "010000000000", "000000000012", false},
      // A sign that is not "-" counts as positive.
      {"A50000000000", "050000000000", "025000000000", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.l << " x " << c.x);
    Word result = W("XXXXXXXXXXXX");
    bool overflow = false;
    ASSERT_TRUE(RoundedProduct(W(c.l), W(c.x), result, overflow));
    EXPECT_EQ(result, W(c.result));
    EXPECT_EQ(overflow, c.overflow);
  }
}

TEST(DoubleLengthProductTest, SplitsTheTruncatedProductIntoTwoSignedWords) {
  struct Case {
    std::string_view l, x, high, low;
    bool overflow;
  };
  const Case cases[] = {
      {"000000000001", "000000000001", "000000000000", "000000000001", false},
      {"-00000000001", "000000000001", "-00000000000", "-00000000001", false},
      {"012345678901", "010987654321", "001356500521", "022251181221", false},
      {"-12345678901", "010987654321", "-01356500521", "-22251181221", false},
      {"-12345678901", "-10987654321", "001356500521", "022251181221", false},
      {"099999999999", "099999999999", "099999999998", "000000000001", false},
      // No rounding: the half stays in the low word.
      {"-50000000000", "024691357803", "-12345678901", "-50000000000", false},
      {"0(0000000000", "0(0000000000", "044000000000", "000000000000", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.l << " x " << c.x);
    Word high = W("XXXXXXXXXXXX"), low = W("XXXXXXXXXXXX");
    bool overflow = false;
    ASSERT_TRUE(DoubleLengthProduct(W(c.l), W(c.x), high, low, overflow));
    EXPECT_EQ(high, W(c.high));
    EXPECT_EQ(low, W(c.low));
    EXPECT_EQ(overflow, c.overflow);
  }
}

TEST(QuotientTest, GivesRoundedAndTruncatedQuotients) {
  struct Case {
    std::string_view m, l, rounded, truncated;
    bool overflow;
  };
  const Case cases[] = {
      {"025000000000", "050000000000", "050000000000", "050000000000", false},
      {"010000000000", "030000000000", "033333333333", "033333333333", false},
      {"020000000000", "030000000000", "066666666667", "066666666666", false},
      {"-20000000000", "030000000000", "-66666666667", "-66666666666", false},
      {"020000000000", "-30000000000", "-66666666667", "-66666666666", false},
      {"-20000000000", "-30000000000", "066666666667", "066666666666", false},
      {"099999999999", "0'0000000000", "099999999999", "099999999999", false},
      {"-00000000000", "050000000000", "000000000000", "000000000000", false},
      // Exact halves of the eleventh digit go toward plus infinity.
      {"000000000001", "040000000000", "000000000003", "000000000002", false},
      {"-00000000001", "040000000000", "-00000000002", "-00000000002", false},
      {"-00000000003", "040000000000", "-00000000007", "-00000000007", false},
      {"012345678901", "040000000000", "030864197253", "030864197252", false},
      {"-12345678901", "040000000000", "-30864197252", "-30864197252", false},
      // Past the half a negative quotient rounds away from zero.
      {"-00000000001", "0(0000000000", "-00000000001", "-00000000000", false},
      // Digits worth 10-12.
      {"0&0000000000", "0(0000000000", "091666666667", "091666666666", false},
      // |q| >= 1: overflow, and only the fractional part is kept.
      {"050000000000", "050000000000", "000000000000", "000000000000", true},
      {"-50000000000", "050000000000", "-00000000000", "-00000000000", true},
      {"075000000000", "050000000000", "050000000000", "050000000000", true},
      {"-75000000000", "050000000000", "-50000000000", "-50000000000", true},
      {"075000000000", "-50000000000", "-50000000000", "-50000000000", true},
      {"0'0000000000", "020000000000", "000000000000", "000000000000", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.m << " / " << c.l);
    Word rounded = W("XXXXXXXXXXXX"), truncated = W("XXXXXXXXXXXX");
    bool overflow = false;
    ASSERT_TRUE(Quotient(W(c.m), W(c.l), rounded, truncated, overflow));
    EXPECT_EQ(rounded, W(c.rounded));
    EXPECT_EQ(truncated, W(c.truncated));
    EXPECT_EQ(overflow, c.overflow);
  }
}

TEST(QuotientTest, AZeroDivisorIsRefusedAndChangesNothing) {
  for (const std::string_view divisor : {"000000000000", "-00000000000", "A00000000000"}) {
    SCOPED_TRACE(divisor);
    const Word before = W("XXXXXXXXXXXX");
    Word rounded = before, truncated = before;
    bool overflow = false;
    EXPECT_FALSE(Quotient(W("025000000000"), W(divisor), rounded, truncated, overflow));
    EXPECT_EQ(rounded, before);
    EXPECT_EQ(truncated, before);
    EXPECT_FALSE(overflow);
  }
}

TEST(ProductAndQuotientTest, AnOperandWithoutDigitValuesIsRefusedAndChangesNothing) {
  const std::pair<std::string_view, std::string_view> operands[] = {
      {"0A0000000000", "050000000000"}, {"050000000000", "00000000000A"},
      {"-0000 000000", "050000000000"}, {"050000000000", "0)0000000000"},
      {"0n0000000000", "0i0000000000"},
  };
  const Word before = W("XXXXXXXXXXXX");
  for (const auto& [first, second] : operands) {
    SCOPED_TRACE(::testing::Message() << first << ", " << second);
    Word one = before, two = before;
    bool overflow = false;
    EXPECT_FALSE(RoundedProduct(W(first), W(second), one, overflow));
    EXPECT_FALSE(DoubleLengthProduct(W(first), W(second), one, two, overflow));
    EXPECT_FALSE(Quotient(W(first), W(second), one, two, overflow));
    EXPECT_EQ(one, before);
    EXPECT_EQ(two, before);
    EXPECT_FALSE(overflow);
  }
}

}  // namespace
}  // namespace ormlax

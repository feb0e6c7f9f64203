#include "core/decimal_arithmetic.h"

#include <cstdint>
#include <cstring>

#include "core/character_code.h"
#include "core/packed_digits.h"
#include "core/word_value.h"

namespace ormlax {
namespace {

std::uint64_t Magnitude(Int128 v) {
  return static_cast<std::uint64_t>(v < 0 ? -v : v);
}

__extension__ using UInt128 = unsigned __int128;

// x / d and x % d for x below 2^90 and d from 1 to below 2^38, as the machine's products and
// quotients always are, in two divisions of 64 bits: a division of 128 bits is a slow call.
// x = h 2^26 + l; h / d gives the high part, and (h % d) 2^26 + l, below 2^64, the rest.
inline UInt128 DivideSmall(UInt128 x, std::uint64_t d, std::uint64_t& remainder) {
  constexpr int kShift = 26;
  const auto h = static_cast<std::uint64_t>(x >> kShift);
  const auto l = static_cast<std::uint64_t>(x) & ((std::uint64_t{1} << kShift) - 1);
  const std::uint64_t m = (h % d) << kShift | l;
  remainder = m % d;
  return (static_cast<UInt128>(h / d) << kShift) + m / d;
}

// Floor of n / d for d > 0 (|n| below 2^90, d below 2^38).
inline Int128 FloorDiv(Int128 n, std::uint64_t d) {
  std::uint64_t remainder = 0;
  if (n >= 0) return static_cast<Int128>(DivideSmall(static_cast<UInt128>(n), d, remainder));
  const auto q = static_cast<Int128>(DivideSmall(static_cast<UInt128>(-n), d, remainder));
  return remainder != 0 ? -q - 1 : -q;
}

// A signed count of units of the eleventh digit as a word; a magnitude of 1 or more keeps its
// low eleven digits and sets overflow.
Word ElevenDigitWord(bool negative, Int128 units, bool& overflow) {
  std::uint64_t a = Magnitude(units);
  if (a >= static_cast<std::uint64_t>(kElevenDigits)) {
    overflow = true;
    a %= kElevenDigits;
  }
  return SignedDigitsWord(negative, a);
}

}  // namespace

Word DecimalAdd(const Word& a, const Word& b, bool& overflow) {
  Word r;
  if (AddDigitWords(a, b, r, overflow)) return r;
  const bool aNegative = a[0] == '-';
  const bool bNegative = b[0] == '-';
  // Working copies: the sign and the plain digits, anything else as 0.
  Word wa, wb;
  wa[0] = aNegative ? '-' : '0';
  wb[0] = bNegative ? '-' : '0';
  for (std::size_t p = 1; p < Word::kLength; ++p) {
    wa[p] = IsDecimalDigit(a[p]) ? a[p] : '0';
    wb[p] = IsDecimalDigit(b[p]) ? b[p] : '0';
  }
  const bool subtract = aNegative != bNegative;
  if (subtract) {
    // Subtract the smaller magnitude from the larger one.
    bool smaller = false;
    for (std::size_t p = 1; p < Word::kLength; ++p) {
      if (wa[p] != wb[p]) {
        smaller = wa[p] < wb[p];
        break;
      }
    }
    if (smaller) std::swap(wa, wb);
  }
  int carry = 0;
  for (std::size_t p = Word::kLength - 1; p >= 1; --p) {
    const int x = wa[p] - '0';
    const int y = wb[p] - '0';
    if (subtract) {
      int d = x - y - carry;
      carry = d < 0 ? 1 : 0;
      if (d < 0) d += 10;
      r[p] = static_cast<char>('0' + d);
    } else {
      const int s = x + y + carry;
      carry = s / 10;
      r[p] = static_cast<char>('0' + s % 10);
    }
    // Characters without a digit value pass through and stop the carry.
    if (DigitValue(a[p]) < 0) {
      r[p] = a[p];
      carry = 0;
    } else if (DigitValue(b[p]) < 0) {
      r[p] = b[p];
      carry = 0;
    }
  }
  r[0] = packed_digits::SumSign(a, b, wa[0]);
  overflow = carry != 0;
  return r;
}

bool RoundedProduct(const Word& l, const Word& x, Word& result, bool& overflow) {
  std::int64_t nl = 0, nx = 0;
  if (!ScaledDigits(l, nl) || !ScaledDigits(x, nx)) return false;
  const Int128 p = static_cast<Int128>(nl) * nx;  // units of 10^-22
  // Nearest unit of the eleventh digit, halves toward plus infinity.
  const Int128 r = FloorDiv(p + kElevenDigits / 2, kElevenDigits);
  result = ElevenDigitWord(r < 0, r, overflow);
  return true;
}

bool DoubleLengthProduct(const Word& l, const Word& x, Word& high, Word& low, bool& overflow) {
  std::int64_t nl = 0, nx = 0;
  if (!ScaledDigits(l, nl) || !ScaledDigits(x, nx)) return false;
  const Int128 p = static_cast<Int128>(nl) * nx;
  const bool negative = p < 0;
  Int128 a = negative ? -p : p;
  if (a >= kFractionScale) {
    overflow = true;
    a %= kFractionScale;
  }
  std::uint64_t lowDigits = 0;
  const UInt128 highDigits = DivideSmall(static_cast<UInt128>(a), kElevenDigits, lowDigits);
  high = SignedDigitsWord(negative, static_cast<std::uint64_t>(highDigits));
  low = SignedDigitsWord(negative, lowDigits);
  return true;
}

bool Quotient(const Word& m, const Word& l, Word& rounded, Word& truncated, bool& overflow) {
  std::int64_t nm = 0, nl = 0;
  if (!ScaledDigits(m, nm) || !ScaledDigits(l, nl) || nl == 0) return false;
  // q = nm / nl; in units of the eleventh digit q * 10^11 = n / d.
  Int128 n = static_cast<Int128>(nm) * kElevenDigits;
  std::int64_t d = nl;
  if (d < 0) {
    n = -n;
    d = -d;
  }
  // One division gives both: t = n / d toward zero, and r, n / d rounded with halves toward plus
  // infinity, differs from it by one where the remainder is half of d or more (for n < 0: more).
  const auto ud = static_cast<std::uint64_t>(d);
  std::uint64_t remainder = 0;
  const auto q =
      static_cast<Int128>(DivideSmall(static_cast<UInt128>(n < 0 ? -n : n), ud, remainder));
  const Int128 t = n < 0 ? -q : q;
  const bool roundsAway = n < 0 ? 2 * remainder > ud : 2 * remainder >= ud;
  const Int128 r = n < 0 ? t - (roundsAway ? 1 : 0) : t + (roundsAway ? 1 : 0);
  rounded = ElevenDigitWord(r < 0, r, overflow);
  truncated = ElevenDigitWord(n < 0, t, overflow);
  return true;
}

}  // namespace ormlax

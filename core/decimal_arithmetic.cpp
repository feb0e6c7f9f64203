#include "core/decimal_arithmetic.h"

#include <cstdint>
#include <cstring>

#include "core/character_code.h"
#include "core/word_value.h"

namespace ormlax {
namespace {

std::uint64_t Magnitude(Int128 v) {
  return static_cast<std::uint64_t>(v < 0 ? -v : v);
}

// Floor of n / d for d > 0.
Int128 FloorDiv(Int128 n, Int128 d) {
  Int128 q = n / d;
  if (n % d != 0 && n < 0) --q;
  return q;
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

// The eleven digit positions of a word as digit values, one per byte, least significant digit in
// the lowest byte: positions 4-11 in `low`, positions 1-3 in the three low bytes of `high`. Holding
// them so, a carry or borrow ripples from digit to digit through the machine's own integer adder.
struct PackedDigits {
  std::uint64_t low;
  std::uint32_t high;
};

constexpr std::uint64_t kOnes64 = 0x0101010101010101ULL;
constexpr std::uint32_t kOnes32 = 0x01010101U;

template <typename T>
bool AllDigitCharacters(T chunk, T ones) {
  return (chunk & 0xF0 * ones) == 0x30 * ones &&
         ((chunk + 0x06 * ones) & 0xF0 * ones) == 0x30 * ones;
}

bool Pack(const Word& w, PackedDigits& d) {
  std::uint64_t low;
  std::uint32_t high;
  std::memcpy(&low, w.chars.data() + 4, 8);
  std::memcpy(&high, w.chars.data(), 4);
  high = (high & 0xFFFFFF00U) | 0x30U;  // the sign's place counts as a zero digit
  if (!AllDigitCharacters(low, kOnes64) || !AllDigitCharacters(high, kOnes32)) return false;
  d.low = __builtin_bswap64(low - 0x30 * kOnes64);
  d.high = __builtin_bswap32(high - 0x30 * kOnes32);
  return true;
}

void Unpack(const PackedDigits& d, char sign, Word& w) {
  const std::uint64_t low = __builtin_bswap64(d.low) + 0x30 * kOnes64;
  const std::uint32_t high = __builtin_bswap32(d.high) + 0x30 * kOnes32;
  std::memcpy(w.chars.data() + 4, &low, 8);
  std::memcpy(w.chars.data(), &high, 4);
  w[0] = sign;
}

// After a byte-wise addition with 246 added to every digit (or a subtraction), a byte with its top
// bit set produced no carry (or took a borrow): take 246 off it to leave the digit.
template <typename T>
T SettleDigits(T sum, T ones) {
  const T noCarry = (sum >> 7) & ones;
  return sum - noCarry * 0xF6;
}

// Adds the magnitudes; true when a carry leaves the top digit.
bool AddDigits(const PackedDigits& a, const PackedDigits& b, PackedDigits& r) {
  const std::uint64_t low = a.low + 0xF6 * kOnes64;
  const std::uint64_t lowSum = low + b.low;
  const std::uint32_t carry = lowSum < low ? 1 : 0;
  const std::uint32_t highSum = a.high + 0x00F6F6F6U + b.high + carry;
  r.low = SettleDigits(lowSum, kOnes64);
  r.high = SettleDigits(highSum & 0x00FFFFFFU, 0x00010101U);
  return (highSum >> 24) != 0;
}

// Subtracts the smaller magnitude `b` from the larger `a`.
void SubtractDigits(const PackedDigits& a, const PackedDigits& b, PackedDigits& r) {
  const std::uint32_t borrow = a.low < b.low ? 1 : 0;
  r.low = SettleDigits(a.low - b.low, kOnes64);
  r.high = SettleDigits((a.high - b.high - borrow) & 0x00FFFFFFU, 0x00010101U);
}

bool Smaller(const PackedDigits& a, const PackedDigits& b) {
  return a.high != b.high ? a.high < b.high : a.low < b.low;
}

// The sign character of a sum: a sign that is neither "-" nor "0" passes through, a's first.
char SumSign(const Word& a, const Word& b, char arithmeticSign) {
  if (a[0] != '-' && a[0] != '0') return a[0];
  if (b[0] != '-' && b[0] != '0') return b[0];
  return arithmeticSign;
}

}  // namespace

Word DecimalAdd(const Word& a, const Word& b, bool& overflow) {
  const bool aNegative = a[0] == '-';
  const bool bNegative = b[0] == '-';
  PackedDigits pa, pb;
  if (Pack(a, pa) && Pack(b, pb)) {
    // All positions hold digits: nothing passes through.
    Word r;
    PackedDigits sum;
    if (aNegative != bNegative) {
      const bool aSmaller = Smaller(pa, pb);
      SubtractDigits(aSmaller ? pb : pa, aSmaller ? pa : pb, sum);
      Unpack(sum, SumSign(a, b, (aSmaller ? bNegative : aNegative) ? '-' : '0'), r);
      overflow = false;
    } else {
      overflow = AddDigits(pa, pb, sum);
      Unpack(sum, SumSign(a, b, aNegative ? '-' : '0'), r);
    }
    return r;
  }
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
  Word r;
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
  r[0] = SumSign(a, b, wa[0]);
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
  high = SignedDigitsWord(negative, static_cast<std::uint64_t>(a / kElevenDigits));
  low = SignedDigitsWord(negative, static_cast<std::uint64_t>(a % kElevenDigits));
  return true;
}

bool Quotient(const Word& m, const Word& l, Word& rounded, Word& truncated, bool& overflow) {
  std::int64_t nm = 0, nl = 0;
  if (!ScaledDigits(m, nm) || !ScaledDigits(l, nl) || nl == 0) return false;
  // q = nm / nl; in units of the eleventh digit q * 10^11 = n / d.
  Int128 n = static_cast<Int128>(nm) * kElevenDigits;
  Int128 d = nl;
  if (d < 0) {
    n = -n;
    d = -d;
  }
  const Int128 r = FloorDiv(2 * n + d, 2 * d);
  const Int128 t = n / d;
  rounded = ElevenDigitWord(r < 0, r, overflow);
  truncated = ElevenDigitWord(n < 0, t, overflow);
  return true;
}

}  // namespace ormlax

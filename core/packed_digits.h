// Decimal addition of words whose eleven digit positions all hold "0" to "9" (the sign may be
// anything), done on all the digits at once. DecimalAdd uses it, and so does the fast run, which
// can have it inline.
#pragma once

#include <cstdint>
#include <cstring>

#include "core/word.h"

namespace ormlax::packed_digits {

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
inline bool AllDigitCharacters(T chunk, T ones) {
  return (chunk & 0xF0 * ones) == 0x30 * ones &&
         ((chunk + 0x06 * ones) & 0xF0 * ones) == 0x30 * ones;
}

// A word is read and written as its first eight and its last four bytes, the way a word is copied,
// so that the processor never waits for a store of a word to reach a load of it.
inline bool Pack(const Word& w, PackedDigits& d) {
  std::uint64_t first;
  std::uint32_t last;
  std::memcpy(&first, w.chars.data(), 8);
  std::memcpy(&last, w.chars.data() + 8, 4);
  std::uint64_t low = (first >> 32) | (static_cast<std::uint64_t>(last) << 32);
  std::uint32_t high = static_cast<std::uint32_t>(first);
  high = (high & 0xFFFFFF00U) | 0x30U;  // the sign's place counts as a zero digit
  if (!AllDigitCharacters(low, kOnes64) || !AllDigitCharacters(high, kOnes32)) return false;
  d.low = __builtin_bswap64(low - 0x30 * kOnes64);
  d.high = __builtin_bswap32(high - 0x30 * kOnes32);
  return true;
}

inline void Unpack(const PackedDigits& d, char sign, Word& w) {
  const std::uint64_t low = __builtin_bswap64(d.low) + 0x30 * kOnes64;
  const std::uint32_t high = ((__builtin_bswap32(d.high) + 0x30 * kOnes32) & 0xFFFFFF00U) |
                             static_cast<unsigned char>(sign);
  const std::uint64_t first = high | (low << 32);
  const auto last = static_cast<std::uint32_t>(low >> 32);
  std::memcpy(w.chars.data(), &first, 8);
  std::memcpy(w.chars.data() + 8, &last, 4);
}

// After a byte-wise addition with 246 added to every digit (or a subtraction), a byte with its top
// bit set produced no carry (or took a borrow): take 246 off it to leave the digit.
template <typename T>
inline T SettleDigits(T sum, T ones) {
  const T noCarry = (sum >> 7) & ones;
  return sum - noCarry * 0xF6;
}

// Adds the magnitudes; true when a carry leaves the top digit.
inline bool AddDigits(const PackedDigits& a, const PackedDigits& b, PackedDigits& r) {
  const std::uint64_t low = a.low + 0xF6 * kOnes64;
  const std::uint64_t lowSum = low + b.low;
  const std::uint32_t carry = lowSum < low ? 1 : 0;
  const std::uint32_t highSum = a.high + 0x00F6F6F6U + b.high + carry;
  r.low = SettleDigits(lowSum, kOnes64);
  r.high = SettleDigits(highSum & 0x00FFFFFFU, 0x00010101U);
  return (highSum >> 24) != 0;
}

// Subtracts the smaller magnitude `b` from the larger `a`.
inline void SubtractDigits(const PackedDigits& a, const PackedDigits& b, PackedDigits& r) {
  const std::uint32_t borrow = a.low < b.low ? 1 : 0;
  r.low = SettleDigits(a.low - b.low, kOnes64);
  r.high = SettleDigits((a.high - b.high - borrow) & 0x00FFFFFFU, 0x00010101U);
}

inline bool Smaller(const PackedDigits& a, const PackedDigits& b) {
  return a.high != b.high ? a.high < b.high : a.low < b.low;
}

// The sign character of a sum: a sign that is neither "-" nor "0" passes through, a's first.
inline char SumSign(const Word& a, const Word& b, char arithmeticSign) {
  if (a[0] != '-' && a[0] != '0') return a[0];
  if (b[0] != '-' && b[0] != '0') return b[0];
  return arithmeticSign;
}

}  // namespace ormlax::packed_digits

namespace ormlax {

// a + b as DecimalAdd makes it, when both words have digits in all eleven places; false, and
// nothing done, otherwise.
inline bool AddDigitWords(const Word& a, const Word& b, Word& r, bool& overflow) {
  using namespace packed_digits;
  PackedDigits pa, pb;
  if (!Pack(a, pa) || !Pack(b, pb)) return false;
  const bool aNegative = a[0] == '-';
  const bool bNegative = b[0] == '-';
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
  return true;
}

}  // namespace ormlax

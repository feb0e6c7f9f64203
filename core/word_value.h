// Conversions between words and numbers: fractions, negation and address fields.
#pragma once

#include <cstdint>

#include "core/word.h"

namespace ormlax {

__extension__ using Int128 = __int128;

// Fractions are held exactly, as a signed count of units of 10^-22: enough for a product of two
// eleven-digit fractions without any rounding.
inline constexpr Int128 kFractionScale = static_cast<Int128>(10'000'000'000'000) * 1'000'000'000;
inline constexpr std::int64_t kElevenDigits = 100'000'000'000;  // 10^11

// The value of a word read as the fraction +-0.d2...d12, where a digit may be worth up to 12.
struct Fraction {
  Int128 units = 0;  // in units of 10^-22
  bool valid = false;
};

// The word's eleven digit positions as a signed integer scaled by 10^11 (digits worth up to 12),
// or false when a digit position holds a character without a digit value.
bool ScaledDigits(const Word& w, std::int64_t& value);

Fraction WordToFraction(const Word& w);

// Truncates |value| to `width` - 1 digits after a sign ("-" or "0"). Width 12 gives a word, width
// 23 the sign and 22 digits of a double-length product. A value of 1 or more drops its integer
// part and sets `overflow`; otherwise `overflow` is left alone.
std::string FractionToWord(Int128 units, int width, bool& overflow);

// Writes a number below 10^11 as eleven digits.
void WriteElevenDigits(char* p, std::uint64_t value);

// A word from a sign and the low eleven decimal digits of `digits`.
Word SignedDigitsWord(bool negative, std::uint64_t digits);

// The word with its sign flipped; a sign that is not "-" counts as positive.
inline Word NegateWord(const Word& w) {
  Word r = w;
  r[0] = w[0] == '-' ? '0' : '-';
  return r;
}

// The number in the last `addressDigits` characters, or -1 when they are not all digits.
inline int AddressOf(const char* field_end, int addressDigits) {
  int value = 0;
  for (const char* p = field_end - addressDigits; p != field_end; ++p) {
    const auto d = static_cast<unsigned>(*p - '0');
    if (d > 9) return -1;
    value = value * 10 + static_cast<int>(d);
  }
  return value;
}
inline int AddressOf(const Instruction& i, int addressDigits) {
  return AddressOf(i.chars.data() + Instruction::kLength, addressDigits);
}
inline int AddressOf(const Word& w, int addressDigits) {
  return AddressOf(w.chars.data() + Word::kLength, addressDigits);
}

}  // namespace ormlax

// Conversions between words and numbers: fractions, negation and address fields.
#pragma once

#include <cstdint>
#include <cstring>

#include "core/character_code.h"
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
  // Worked on as the first eight and the last four bytes, as a word is copied: a single byte
  // stored into a copy would keep the processor waiting when the copy is read whole.
  std::uint64_t first;
  std::uint32_t last;
  std::memcpy(&first, w.chars.data(), 8);
  std::memcpy(&last, w.chars.data() + 8, 4);
  const unsigned char sign = w[0] == '-' ? '0' : '-';
  first = (first & ~std::uint64_t{0xFF}) | sign;
  Word r;
  std::memcpy(r.chars.data(), &first, 8);
  std::memcpy(r.chars.data() + 8, &last, 4);
  return r;
}

// T's comparison: at the first position where the two words' characters differ in code, whether
// a's code is the greater one (a character without a code ranks below every one with a code);
// false for words equal in every code.
inline bool GreaterByCode(const Word& a, const Word& b) {
  std::size_t p = 0;
  // Equal characters have equal codes: skip the first eight at once when they are the same.
  if (std::memcmp(a.chars.data(), b.chars.data(), 8) == 0) p = 8;
  for (; p < Word::kLength; ++p) {
    if (a[p] == b[p]) continue;
    const int ca = CodeOf(a[p]);
    const int cb = CodeOf(b[p]);
    if (ca != cb) return ca > cb;
  }
  return false;
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

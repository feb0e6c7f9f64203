#include "core/word_value.h"

#include <cstring>

#include "core/character_code.h"

namespace ormlax {

namespace {

constexpr std::uint64_t kOnes8 = 0x0101010101010101ULL;

// Eight characters, all of them "0" to "9".
bool EightDecimalDigits(std::uint64_t chunk) {
  return (chunk & 0xF0 * kOnes8) == 0x30 * kOnes8 &&
         ((chunk + 0x06 * kOnes8) & 0xF0 * kOnes8) == 0x30 * kOnes8;
}

// The number eight decimal digit characters write, the first in the lowest byte.
std::uint64_t EightDigitsValue(std::uint64_t chunk) {
  std::uint64_t v = chunk - 0x30 * kOnes8;
  v = (v * 10 + (v >> 8)) & 0x00FF00FF00FF00FFULL;
  v = (v * 100 + (v >> 16)) & 0x0000FFFF0000FFFFULL;
  return (v * 10000 + (v >> 32)) & 0xFFFFFFFFULL;
}

}  // namespace

bool ScaledDigits(const Word& w, std::int64_t& value) {
  // Plain decimal digits, the common case, eight at a time; the word as its first eight and last
  // four bytes, the way a word is copied.
  std::uint64_t first;
  std::uint32_t last;
  std::memcpy(&first, w.chars.data(), 8);
  std::memcpy(&last, w.chars.data() + 8, 4);
  const std::uint64_t head = (first >> 8) | (static_cast<std::uint64_t>(last) << 56);
  // The last three characters, with "0" before them to make eight.
  const std::uint64_t tail = 0x3030303030ULL | (static_cast<std::uint64_t>(last >> 8) << 40);
  if (EightDecimalDigits(head) && EightDecimalDigits(tail)) {
    const auto n =
        static_cast<std::int64_t>(EightDigitsValue(head) * 1000 + EightDigitsValue(tail));
    value = w[0] == '-' ? -n : n;
    return true;
  }
  std::int64_t n = 0;
  for (std::size_t p = 1; p < Word::kLength; ++p) {
    const int d = DigitValue(w[p]);
    if (d < 0) return false;
    n = n * 10 + d;
  }
  value = w[0] == '-' ? -n : n;
  return true;
}

Fraction WordToFraction(const Word& w) {
  std::int64_t n = 0;
  if (!ScaledDigits(w, n)) return {};
  return {static_cast<Int128>(n) * kElevenDigits, true};
}

std::string FractionToWord(Int128 units, int width, bool& overflow) {
  const bool negative = units < 0;
  Int128 a = negative ? -units : units;
  if (a >= kFractionScale) {
    overflow = true;
    a %= kFractionScale;
  }
  std::string s(1, negative ? '-' : '0');
  Int128 place = kFractionScale;
  while (static_cast<int>(s.size()) < width) {
    if (place > 1) {
      place /= 10;
      s.push_back(static_cast<char>('0' + static_cast<int>(a / place)));
      a %= place;
    } else {
      s.push_back('0');  // past 22 digits the exact value has only zeros
    }
  }
  return s;
}

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;

// A number below 10^8 as eight digit characters, first digit in the lowest byte.
std::uint64_t EightDigitsText(std::uint32_t v) {
  const std::uint64_t x = (v / 10000) | (static_cast<std::uint64_t>(v % 10000) << 32);
  const std::uint64_t hundreds = ((x * 5243) >> 19) & 0x0000007F0000007FULL;
  const std::uint64_t y = hundreds | ((x - hundreds * 100) << 16);
  const std::uint64_t tens = ((y * 103) >> 10) & 0x000F000F000F000FULL;
  return (tens | ((y - tens * 10) << 8)) | 0x30 * kOnes;
}

}  // namespace

void WriteElevenDigits(char* p, std::uint64_t value) {
  const auto tail = static_cast<unsigned>(value % 1000);
  const std::uint64_t head = EightDigitsText(static_cast<std::uint32_t>(value / 1000));
  std::memcpy(p, &head, 8);
  p[8] = static_cast<char>('0' + tail / 100);
  p[9] = static_cast<char>('0' + tail / 10 % 10);
  p[10] = static_cast<char>('0' + tail % 10);
}

Word SignedDigitsWord(bool negative, std::uint64_t digits) {
  // Made in two registers and stored as the first eight and last four bytes, the way a word is
  // copied: bytes stored one by one would keep the processor waiting when the word is read.
  constexpr auto kLimit = static_cast<std::uint64_t>(kElevenDigits);
  const std::uint64_t value = digits < kLimit ? digits : digits % kLimit;
  const auto tail = static_cast<std::uint32_t>(value % 1000);
  const std::uint64_t head = EightDigitsText(static_cast<std::uint32_t>(value / 1000));
  const std::uint32_t tailText =
      (0x30 + tail / 100) | (0x30 + tail / 10 % 10) << 8 | (0x30 + tail % 10) << 16;
  const std::uint64_t first = static_cast<unsigned char>(negative ? '-' : '0') | (head << 8);
  const std::uint32_t last = static_cast<std::uint32_t>(head >> 56) | (tailText << 8);
  Word w;
  std::memcpy(w.chars.data(), &first, 8);
  std::memcpy(w.chars.data() + 8, &last, 4);
  return w;
}

}  // namespace ormlax

#include "core/word_value.h"

#include <cstring>

#include "core/character_code.h"

namespace ormlax {

bool ScaledDigits(const Word& w, std::int64_t& value) {
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
  Word w;
  w[0] = negative ? '-' : '0';
  WriteElevenDigits(w.chars.data() + 1, digits % static_cast<std::uint64_t>(kElevenDigits));
  return w;
}

}  // namespace ormlax

// Words and instructions: fixed runs of machine characters held as their display characters.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

namespace ormlax {

// A fixed number of machine characters. Position 0 is the first (leftmost) character.
template <std::size_t N>
struct MachineText {
  static constexpr std::size_t kLength = N;
  std::array<char, N> chars{};

  // The text padded on the right with spaces, or cut to N characters.
  static constexpr MachineText FromText(std::string_view text) {
    MachineText t;
    for (std::size_t i = 0; i < N; ++i) t.chars[i] = i < text.size() ? text[i] : ' ';
    return t;
  }
  // N copies of one character.
  static constexpr MachineText Filled(char c) {
    MachineText t;
    t.chars.fill(c);
    return t;
  }

  constexpr char& operator[](std::size_t i) { return chars[i]; }
  constexpr char operator[](std::size_t i) const { return chars[i]; }
  std::string Text() const { return std::string(chars.data(), N); }
  std::string_view View() const { return std::string_view(chars.data(), N); }

  friend constexpr bool operator==(const MachineText& a, const MachineText& b) {
    if (std::is_constant_evaluated() || N != 12) return a.chars == b.chars;
    // A word as its first eight and last four bytes, the way it is copied.
    std::uint64_t a8, b8;
    std::uint32_t a4, b4;
    std::memcpy(&a8, a.chars.data(), 8);
    std::memcpy(&b8, b.chars.data(), 8);
    std::memcpy(&a4, a.chars.data() + N - 4, 4);
    std::memcpy(&b4, b.chars.data() + N - 4, 4);
    return ((a8 ^ b8) | (a4 ^ b4)) == 0;
  }
};

// A word: sign character and eleven digit positions.
using Word = MachineText<12>;
// An instruction: operation, modifier and address field; two make a word.
using Instruction = MachineText<6>;

// The cleared word "000000000000".
inline constexpr Word kZeroWord = Word::Filled('0');

inline Instruction LeftInstruction(const Word& w) {
  Instruction i;
  std::copy_n(w.chars.begin(), 6, i.chars.begin());
  return i;
}
inline Instruction RightInstruction(const Word& w) {
  Instruction i;
  std::copy_n(w.chars.begin() + 6, 6, i.chars.begin());
  return i;
}

}  // namespace ormlax

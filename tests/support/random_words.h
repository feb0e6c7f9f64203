// Random words for the tests that run random programs: mostly two plausible instructions, now and
// then any bytes at all.
#pragma once

#include <cstdint>
#include <random>
#include <string_view>

#include "core/character_code.h"
#include "core/word.h"

namespace ormlax::testing {

// Operation characters the instruction set knows, and a few it does not.
constexpr std::string_view kOperations = "0123456789-;.,ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::string_view kModifiers = "0123456789'&( -FH-ABCDEFG";

class Random {
 public:
  explicit Random(std::uint32_t seed) : g_(seed) {}
  int Below(int n) { return static_cast<int>(g_() % static_cast<std::uint32_t>(n)); }
  bool Chance(int percent) { return Below(100) < percent; }

  // A character from the code, a digit, or any byte at all (NUL and values above 127 included).
  char Character() {
    switch (Below(3)) {
      case 0:
        return CharacterTable[static_cast<std::size_t>(Below(64))];
      case 1:
        return static_cast<char>('0' + Below(10));
      default:
        return static_cast<char>(static_cast<unsigned char>(Below(256)));
    }
  }
  char From(std::string_view set) {
    return set[static_cast<std::size_t>(Below(static_cast<int>(set.size())))];
  }

  // Mostly two instructions with plausible operations and addresses, sometimes pure noise.
  Word AnyWord() {
    Word w;
    if (Chance(30)) {
      for (char& c : w.chars) c = Character();
      return w;
    }
    for (std::size_t half = 0; half < 2; ++half) {
      char* p = w.chars.data() + 6 * half;
      p[0] = Chance(85) ? From(kOperations) : Character();
      p[1] = Chance(70) ? From(kModifiers) : Character();
      const bool high = Chance(10);  // near the top of memory
      for (int i = 2; i < 6; ++i) {
        p[i] = Chance(92) ? static_cast<char>('0' + Below(10)) : Character();
      }
      if (high) p[2] = p[3] = '9';
    }
    return w;
  }

 private:
  std::mt19937 g_;
};

}  // namespace ormlax::testing

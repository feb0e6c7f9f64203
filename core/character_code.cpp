#include "core/character_code.h"

namespace ormlax {

const std::array<std::string, 16> SpecialCharacterLegend = {
    "i for ignore character",
    "r for return character",
    "c for cent sign",
    "t for tab character",
    "s for printer stop (sigma)",
    "b for printer breakpoint (beta)",
    "n for illegal character (11111)",
    "X for ignore character",
    "V for space character",
    "R for return character",
    "C for cent character",
    "T for tab character",
    "I for vertical bar",
    "P for printer stop (sigma)",
    "B for breakpoint (beta)",
    "E for equal sign",
};

std::string KeepTapeCharacters(std::string_view text) {
  std::string kept;
  kept.reserve(text.size());
  for (const char c : text) {
    if (IsTapeCharacter(c)) kept.push_back(c);
  }
  return kept;
}

}  // namespace ormlax

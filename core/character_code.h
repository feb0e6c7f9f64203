// The machine's 64-character code and the tables derived from it.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace ormlax {

// The 64 display characters in code order: the position of a character is its code.
inline constexpr std::string_view CharacterTable =
    "i -0123456789'&(r,.;ABCDEFGHI#c@t\"|)JKLMNOPQR$*?sb:+/STUVWXYZ%=n";

// Entry k is what the off-line printer overprints for the character of code k.
inline constexpr std::string_view OverprintTable =
    "56              E             CDNOP            MVW            Tn";

// The thirteen characters that have a digit value, in value order (0 to 12).
inline constexpr std::string_view DigitCharacters = "0123456789'&(";

// Legend texts: entries 1-7 name the console's special-character buttons, 8-16 the key-to-tape
// device's. Index 0 here is entry 1.
extern const std::array<std::string, 16> SpecialCharacterLegend;

// The codes the special-character buttons insert, button k the character at position k. The
// keyboard window and the panel have buttons 0-6, the key-to-tape device all 16.
inline constexpr std::string_view SpecialCharacterCodes = "irctsbni rct|sb=";
inline constexpr int kKeyboardCharButtons = 7;

// A tape holds any byte in a word but NUL, CR and LF (its records end in CR LF), so nothing else
// may enter memory from outside.
constexpr bool IsTapeCharacter(char c) {
  return c != '\0' && c != '\r' && c != '\n';
}
// The text without the bytes a tape cannot hold.
std::string KeepTapeCharacters(std::string_view text);

namespace detail {
struct CodeTables {
  std::array<signed char, 256> code{};
  std::array<signed char, 256> digit{};
  constexpr CodeTables() {
    for (auto& c : code) c = -1;
    for (auto& d : digit) d = -1;
    for (std::size_t i = 0; i < CharacterTable.size(); ++i)
      code[static_cast<unsigned char>(CharacterTable[i])] = static_cast<signed char>(i);
    for (std::size_t i = 0; i < DigitCharacters.size(); ++i)
      digit[static_cast<unsigned char>(DigitCharacters[i])] = static_cast<signed char>(i);
  }
};
inline constexpr CodeTables kCodeTables{};
}  // namespace detail

// Code 0-63 of a display character, or -1 when it has none.
constexpr int CodeOf(char c) {
  return detail::kCodeTables.code[static_cast<unsigned char>(c)];
}

// Digit value 0-12 of a display character, or -1 when it has none.
constexpr int DigitValue(char c) {
  return detail::kCodeTables.digit[static_cast<unsigned char>(c)];
}

// True for the plain decimal digits 0-9.
constexpr bool IsDecimalDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace ormlax

// The assembler's source language: lines and fields, labels, numbers, instruction fields,
// symbol expressions and text words.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/word.h"

namespace ormlax {

inline constexpr char kTab = '\t';

// False for a comment line: one that begins with ";", or holds nothing but blanks once its tabs
// are removed.
bool IsCodeLine(std::string_view line);

// Every pair of adjacent tabs becomes one tab, in one pass from the left, and the line is split
// at every tab that remains. Fields are numbered from 0.
std::vector<std::string> SplitCodeLine(std::string_view line);
// The text split at every tab, nothing collapsed.
std::vector<std::string> SplitAtTabs(std::string_view text);
std::string JoinWithTabs(const std::vector<std::string>& fields);

// The text without its blanks at both ends.
std::string_view TrimBlanks(std::string_view text);
// The text padded on the right with `pad` to `width` characters; a longer text stays whole.
std::string PadRight(std::string_view text, std::size_t width, char pad = ' ');

// The value of a label that is a program point: blanks, an optional sign, digits, an optional
// fraction and blanks, rounded half to even. Nothing for a label of any other form.
std::optional<std::int64_t> ProgramPointValue(std::string_view label);
// The leading decimal number of the text (after blanks: an optional sign, digits and an optional
// fraction) rounded half to even; 0 when the text does not begin with one. Values beyond a
// million million are held at that bound.
std::int64_t LeadingNumber(std::string_view text);

// Characters 3 onward of an instruction field, without the blanks around them.
std::string_view AddressPart(std::string_view field);
// An address part that begins with an upper-case letter, "$" or "+" is a symbol expression.
bool IsSymbolExpression(std::string_view addressPart);
// A program point reference in the given direction ('B' or 'F'): a digit followed by the letter.
bool IsProgramPointReference(std::string_view addressPart, char direction);
// An automatic constant reference: "+" followed by a letter "A" to "L" (and its value).
bool IsConstantReference(std::string_view addressPart);

// A symbol expression split into its name and its offset: the name ends at the first "+" or "-"
// from the second character on.
struct SymbolExpression {
  std::string Name;
  std::int64_t Offset = 0;
};
SymbolExpression SplitExpression(std::string_view expression);

// A number written with at least four digits and leading zeros; a negative one as "-" followed by
// at least four digits.
std::string FourDigits(std::int64_t value);

// The words of a text line: every "!" removed, padded with the ignore character "i" to whole
// words of 12 characters. An empty text has no words.
std::vector<Word> TextWords(std::string_view text);

}  // namespace ormlax

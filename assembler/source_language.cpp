#include "assembler/source_language.h"

#include <algorithm>
#include <cstddef>

namespace ormlax {
namespace {

constexpr std::int64_t kNumberBound = 1'000'000'000'000;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::size_t SkipBlanks(std::string_view text, std::size_t at) {
  while (at < text.size() && text[at] == ' ') ++at;
  return at;
}

// A decimal number at the start of the text: sign, integer digits and fraction digits, and where
// it ends. Nothing when no digit is there.
struct DecimalText {
  bool negative = false;
  std::string_view integer;
  std::string_view fraction;
  std::size_t end = 0;
};

std::optional<DecimalText> ReadDecimal(std::string_view text, std::size_t at) {
  DecimalText d;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) d.negative = text[at++] == '-';
  const std::size_t integerStart = at;
  while (at < text.size() && IsDigit(text[at])) ++at;
  d.integer = text.substr(integerStart, at - integerStart);
  if (at < text.size() && text[at] == '.') {
    const std::size_t fractionStart = ++at;
    while (at < text.size() && IsDigit(text[at])) ++at;
    d.fraction = text.substr(fractionStart, at - fractionStart);
  }
  if (d.integer.empty() && d.fraction.empty()) return std::nullopt;
  d.end = at;
  return d;
}

// The number rounded half to even, held within the bound.
std::int64_t Rounded(const DecimalText& d) {
  std::int64_t value = 0;
  for (char c : d.integer) {
    value = std::min(value * 10 + (c - '0'), kNumberBound);
  }
  if (!d.fraction.empty()) {
    const char first = d.fraction[0];
    const bool restNonZero =
        std::any_of(d.fraction.begin() + 1, d.fraction.end(), [](char c) { return c != '0'; });
    const bool up = first > '5' || (first == '5' && (restNonZero || value % 2 == 1));
    if (up) value = std::min(value + 1, kNumberBound);
  }
  return d.negative ? -value : value;
}

}  // namespace

bool IsCodeLine(std::string_view line) {
  if (!line.empty() && line[0] == ';') return false;
  return std::any_of(line.begin(), line.end(), [](char c) { return c != ' ' && c != kTab; });
}

std::vector<std::string> SplitAtTabs(std::string_view text) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = text.find(kTab, start);
    if (tab == std::string_view::npos) {
      fields.emplace_back(text.substr(start));
      return fields;
    }
    fields.emplace_back(text.substr(start, tab - start));
    start = tab + 1;
  }
}

std::vector<std::string> SplitCodeLine(std::string_view line) {
  std::string collapsed;
  collapsed.reserve(line.size());
  for (std::size_t i = 0; i < line.size(); ++i) {
    collapsed.push_back(line[i]);
    if (line[i] == kTab && i + 1 < line.size() && line[i + 1] == kTab) ++i;
  }
  return SplitAtTabs(collapsed);
}

std::string JoinWithTabs(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line.push_back(kTab);
    line += fields[i];
  }
  return line;
}

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string PadRight(std::string_view text, std::size_t width, char pad) {
  std::string padded(text);
  if (padded.size() < width) padded.append(width - padded.size(), pad);
  return padded;
}

std::optional<std::int64_t> ProgramPointValue(std::string_view label) {
  const std::size_t start = SkipBlanks(label, 0);
  const auto d = ReadDecimal(label, start);
  if (!d || d->integer.empty()) return std::nullopt;
  if (SkipBlanks(label, d->end) != label.size()) return std::nullopt;
  return Rounded(*d);
}

std::int64_t LeadingNumber(std::string_view text) {
  const auto d = ReadDecimal(text, SkipBlanks(text, 0));
  return d ? Rounded(*d) : 0;
}

std::string_view AddressPart(std::string_view field) {
  return field.size() <= 2 ? std::string_view() : TrimBlanks(field.substr(2));
}

bool IsSymbolExpression(std::string_view addressPart) {
  if (addressPart.empty()) return false;
  const char c = addressPart[0];
  return (c >= 'A' && c <= 'Z') || c == '$' || c == '+';
}

bool IsProgramPointReference(std::string_view addressPart, char direction) {
  return addressPart.size() == 2 && IsDigit(addressPart[0]) && addressPart[1] == direction;
}

bool IsConstantReference(std::string_view addressPart) {
  return addressPart.size() >= 2 && addressPart[0] == '+' && addressPart[1] >= 'A' &&
         addressPart[1] <= 'L';
}

SymbolExpression SplitExpression(std::string_view expression) {
  const std::size_t sign = expression.find_first_of("+-", 1);
  SymbolExpression e;
  e.Name = std::string(expression.substr(0, sign));
  if (sign != std::string_view::npos) {
    const std::int64_t magnitude = LeadingNumber(expression.substr(sign + 1));
    e.Offset = expression[sign] == '-' ? -magnitude : magnitude;
  }
  return e;
}

std::string FourDigits(std::int64_t value) {
  const bool negative = value < 0;
  std::string digits = std::to_string(negative ? -value : value);
  if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
  return negative ? "-" + digits : digits;
}

std::vector<Word> TextWords(std::string_view text) {
  std::string kept;
  kept.reserve(text.size() + Word::kLength);
  for (char c : text) {
    if (c != '!') kept.push_back(c);
  }
  if (kept.size() % Word::kLength != 0) {
    kept.append(Word::kLength - kept.size() % Word::kLength, 'i');
  }
  std::vector<Word> words;
  words.reserve(kept.size() / Word::kLength);
  for (std::size_t at = 0; at < kept.size(); at += Word::kLength) {
    words.push_back(Word::FromText(std::string_view(kept).substr(at, Word::kLength)));
  }
  return words;
}

}  // namespace ormlax

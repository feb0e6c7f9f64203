#include "offline/leading_number.h"

#include <algorithm>

namespace ormlax::offline {

std::optional<long> PlugboardNumber(std::string_view text) {
  constexpr long kBound = 1'000'000'000;
  std::size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  long whole = 0;
  bool digits = false;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    whole = std::min(whole * 10 + (text[at] - '0'), kBound);
    digits = true;
  }
  bool roundUp = false;
  if (at < text.size() && text[at] == '.') {
    ++at;
    if (at < text.size() && text[at] >= '0' && text[at] <= '9') {
      roundUp = text[at] >= '5';
      digits = true;
    }
  }
  if (!digits) return std::nullopt;
  const long magnitude = std::min(whole + (roundUp ? 1 : 0), kBound);
  return negative ? -magnitude : magnitude;
}

}  // namespace ormlax::offline

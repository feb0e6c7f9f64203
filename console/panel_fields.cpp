#include "console/panel_fields.h"

#include <cctype>

namespace ormlax {

std::string ShiftIntoWordField(std::string_view field, std::string_view added) {
  std::string text = "000000000000";
  text.append(field);
  text.append(added);
  return text.substr(text.size() - 12);
}

std::string WordFieldText(std::string_view typed) {
  if (typed.empty()) return {};
  std::string upper(typed);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return ShiftIntoWordField("", upper);
}

std::optional<int> FieldNumber(std::string_view text, int modulus) {
  if (text.empty() || modulus <= 0) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = (value * 10 + (c - '0')) % modulus;
  }
  return value;
}

}  // namespace ormlax

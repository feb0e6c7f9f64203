// Typing rules of the console panel's text fields.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ormlax {

// A word field after a change: typed letters in upper case, and when not empty the last 12
// characters of "000000000000" followed by the text, so new characters enter at the right.
std::string WordFieldText(std::string_view typed);

// The same rule without changing the case: for the special-character codes, which stay lower case.
std::string ShiftIntoWordField(std::string_view field, std::string_view added);

// The non-negative number a Location or rCC field holds, reduced modulo `modulus`; nothing when
// the text is not a plain number (empty, letters, a sign).
std::optional<int> FieldNumber(std::string_view text, int modulus);

}  // namespace ormlax

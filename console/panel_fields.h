// Typing rules of the console's text fields: the word fields of the panel and the keyboard
// window's field share one rule; the Location and rCC fields hold numbers.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ormlax {

// What an edit did to a field: the edited text is `head`, then the characters the operator typed
// or pasted, then `tail`; head and tail are what the field showed before, unchanged.
struct FieldEdit {
  std::string_view head;
  std::string_view typed;
  std::string_view tail;
};

// Tells the newly typed characters of `edited` from those `shown` already had. `caret`, where
// the caret stands after the edit (just after what was typed), settles which of two equal
// characters is the new one; without it the change is taken as late in the text as it can be.
FieldEdit FindEdit(std::string_view shown, std::string_view edited,
                   std::optional<std::size_t> caret = std::nullopt);

// Typed or pasted characters as they enter a word field: letters in upper case, and only the
// characters a tape can hold.
std::string TypedCharacters(std::string_view typed);

// The word-field rule: the characters already in the field keep their case, the new ones are
// TypedCharacters, and the whole is the last 12 characters of "000000000000" followed by the
// text, so new characters enter at the right and push the oldest out at the left.
std::string WordFieldAfterEdit(const FieldEdit& edit);

// A word field of the panel after the operator changed it from `shown` to `edited`; an emptied
// field stays empty.
std::string EditedWordField(std::string_view shown, std::string_view edited,
                            std::optional<std::size_t> caret = std::nullopt);

// The last 12 characters of "000000000000", the field and `added`, with no change of case: for
// the special-character codes, which stay lower case.
std::string ShiftIntoWordField(std::string_view field, std::string_view added);

// The non-negative number a Location or rCC field holds, reduced modulo `modulus`; nothing when
// the text is not a plain number (empty, letters, a sign).
std::optional<int> FieldNumber(std::string_view text, int modulus);

}  // namespace ormlax

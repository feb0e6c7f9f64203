#include "console/panel_fields.h"

#include <algorithm>

#include "core/character_code.h"

namespace ormlax {
namespace {

constexpr std::string_view kClearedWord = "000000000000";

// Upper case for the letters a to z only, whatever the host's locale.
constexpr char UpperCase(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::size_t CommonPrefix(std::string_view a, std::string_view b, std::size_t limit) {
  std::size_t n = 0;
  while (n < limit && a[n] == b[n]) ++n;
  return n;
}

std::size_t CommonSuffix(std::string_view a, std::string_view b, std::size_t limit) {
  std::size_t n = 0;
  while (n < limit && a[a.size() - 1 - n] == b[b.size() - 1 - n]) ++n;
  return n;
}

}  // namespace

FieldEdit FindEdit(std::string_view shown, std::string_view edited,
                   std::optional<std::size_t> caret) {
  const std::size_t shorter = std::min(shown.size(), edited.size());
  std::size_t head = 0;
  std::size_t tail = 0;
  if (caret && *caret <= edited.size() && edited.size() - *caret <= shown.size() &&
      shown.ends_with(edited.substr(*caret))) {
    // Everything after the caret was there before.
    tail = edited.size() - *caret;
    head = CommonPrefix(shown, edited, std::min(shorter - tail, *caret));
  } else {
    head = CommonPrefix(shown, edited, shorter);
    tail = CommonSuffix(shown, edited, shorter - head);
  }
  return FieldEdit{edited.substr(0, head), edited.substr(head, edited.size() - head - tail),
                   edited.substr(edited.size() - tail)};
}

std::string TypedCharacters(std::string_view typed) {
  std::string text = KeepTapeCharacters(typed);
  std::transform(text.begin(), text.end(), text.begin(), UpperCase);
  return text;
}

std::string WordFieldAfterEdit(const FieldEdit& edit) {
  std::string text(edit.head);
  text += TypedCharacters(edit.typed);
  text += edit.tail;
  return ShiftIntoWordField("", text);
}

std::string EditedWordField(std::string_view shown, std::string_view edited,
                            std::optional<std::size_t> caret) {
  const FieldEdit edit = FindEdit(shown, edited, caret);
  // Nothing left, or only bytes no tape can hold pasted into an emptied field.
  if (edit.head.empty() && edit.tail.empty() && TypedCharacters(edit.typed).empty()) return {};
  return WordFieldAfterEdit(edit);
}

std::string ShiftIntoWordField(std::string_view field, std::string_view added) {
  std::string text(kClearedWord);
  text.append(field);
  text.append(added);
  return text.substr(text.size() - kClearedWord.size());
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

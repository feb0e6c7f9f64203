#include "console/keyboard.h"

#include "console/panel_fields.h"
#include "core/character_code.h"

namespace ormlax {
namespace {

constexpr std::size_t kFieldLength = kKeyboardFieldStart.size();

// The last 12 characters of "000000000000" followed by the text.
std::string LastTwelve(std::string text) {
  text.insert(0, kKeyboardFieldStart);
  return text.substr(text.size() - kFieldLength);
}

}  // namespace

std::string KeyboardFieldText(std::string_view field, std::string_view typed) {
  const std::string kept = KeepTapeCharacters(field);
  return WordFieldAfterEdit(FieldEdit{kept, typed, {}});
}

std::string EditedKeyboardField(std::string_view shown, std::string_view edited,
                                std::optional<std::size_t> caret) {
  return WordFieldAfterEdit(FindEdit(shown, edited, caret));
}

std::string InsertSpecialCharacter(std::string_view field, int button) {
  std::string text(field.empty() ? field : field.substr(1));
  text.push_back(SpecialCharacterCode(button));
  return LastTwelve(std::move(text));
}

char SpecialCharacterCode(int button) {
  return SpecialCharacterCodes[static_cast<std::size_t>(button)];
}

std::string SpecialCharacterCaption(int button) {
  return SpecialCharacterToolTip(button).substr(0, 1);
}

const std::string& SpecialCharacterToolTip(int button) {
  return SpecialCharacterLegend[static_cast<std::size_t>(button)];
}

void Keyboard::ReadConsoleWord() {
  const KeyboardEntry entry = op_.OpenKeyboardWindow(s_.Running);
  if (entry.continueSingleStep) s_.Running = false;  // the instruction then stops the machine
  if (entry.entered) s_.KeyboardWord = Word::FromText(KeyboardFieldText(entry.word, ""));
}

}  // namespace ormlax

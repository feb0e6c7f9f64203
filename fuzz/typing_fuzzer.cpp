// The typing rules of the console panel's fields and of the keyboard window's field: a run of
// the operator's edits, pastes, special-character buttons, stores and steps of the location,
// each decoded from the input. Whatever is typed, the fields and the machine hold only what a
// tape can hold, a word field holds at most 12 characters and the keyboard's always 12, and the
// shown location stays within memory.
//
// The first byte chooses the model (bit 0: ORMLAX II). Then each action is a byte choosing it,
// followed by its bytes; a text is a length byte and its characters.
#include <cstddef>
#include <cstdint>

#include "console/keyboard.h"
#include "console/panel_fields.h"
#include "console/panel_operations.h"
#include "core/character_code.h"
#include "core/machine_state.h"
#include "fuzz/fuzz_support.h"

namespace ormlax::fuzz {
namespace {

// An edit of `shown` as a field makes it: characters from `from` to `to` replaced by a paste,
// the caret after the paste when the input says it is known.
struct Edit {
  std::string edited;
  std::optional<std::size_t> caret;
};

Edit EditOf(std::string_view shown, InputReader& input) {
  const std::size_t from = input.Byte() % (shown.size() + 1);
  const std::size_t to = from + input.Byte() % (shown.size() - from + 1);
  const std::string_view paste = input.Text();
  Edit e{std::string(shown.substr(0, from)) + std::string(paste) + std::string(shown.substr(to)),
         std::nullopt};
  if ((input.Byte() & 1) != 0) e.caret = from + paste.size();
  return e;
}

void CheckEdit(std::string_view shown, const Edit& e) {
  const FieldEdit found = FindEdit(shown, e.edited, e.caret);
  Require(std::string(found.head) + std::string(found.typed) + std::string(found.tail) == e.edited,
          "an edit is told apart into the edited text");
  Require(shown.starts_with(found.head) && shown.ends_with(found.tail) &&
              found.head.size() + found.tail.size() <= shown.size(),
          "what an edit kept was shown before");
}

void CheckMachine(const MachineState& s, const std::string& keyboard) {
  Require(s.ConsoleLocation >= 0 && s.ConsoleLocation < s.MemorySize,
          "the location is within memory");
  Require(s.rCC >= 0 && s.rCC < s.MemorySize, "rCC is within memory");
  for (int f = 0; f < kWordFieldCount; ++f) {
    const std::string shown = WordFieldShown(s, f);
    Require(shown.size() <= 12 && HoldsTapeCharacters(shown), "a word field holds a word");
  }
  const Word at = s.Memory[static_cast<std::size_t>(s.ConsoleLocation)];
  Require(HoldsTapeCharacters(at.View()) && HoldsTapeCharacters(s.rCR.View()) &&
              HoldsTapeCharacters(s.Panel.Contents.View()),
          "memory and rCR hold tape characters");
  Require(keyboard.size() == 12 && HoldsTapeCharacters(keyboard),
          "the keyboard field holds 12 tape characters");
}

}  // namespace
}  // namespace ormlax::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ormlax;
  using namespace ormlax::fuzz;
  InputReader input(data, size);
  MachineState s;
  SetUpModel(s, (input.Byte() & 1) != 0);
  std::string keyboard(kKeyboardFieldStart);
  while (!input.AtEnd()) {
    switch (input.Byte() % 14) {
      case 0: {
        const int field = input.Byte() % kWordFieldCount;
        const std::string shown = WordFieldShown(s, field);
        const Edit e = EditOf(shown, input);
        CheckEdit(shown, e);
        Require(EditedWordField(shown, e.edited, e.caret).size() <= 12, "a word field is short");
        TypeWordField(s, field, shown, e.edited, e.caret);
        break;
      }
      case 1: {
        const int field = input.Byte() % kWordFieldCount;
        TypeWordField(s, field, input.Text());
        break;
      }
      case 2:
        TypeLocation(s, input.Text());
        break;
      case 3:
        LeaveLocationField(s);
        break;
      case 4:
        TypeControlCounter(s, input.Text());
        break;
      case 5:
        AppendSpecialCharacter(s, input.Byte() % kKeyboardCharButtons);
        break;
      case 6:
        Store(s);
        break;
      case 7:
        LocationPlus1(s);
        break;
      case 8:
        LocationMinus1(s);
        break;
      case 9:
        SCICR(s);
        break;
      case 10: {
        const Edit e = EditOf(keyboard, input);
        CheckEdit(keyboard, e);
        keyboard = EditedKeyboardField(keyboard, e.edited, e.caret);
        break;
      }
      case 11:
        keyboard = InsertSpecialCharacter(keyboard, input.Byte() % kKeyboardCharButtons);
        break;
      case 12:
        keyboard = KeyboardFieldText(keyboard, input.Text());
        break;
      case 13: {
        const std::string_view text = input.Text();
        const int modulus = 1 + input.Byte() * 100;
        const std::optional<int> n = FieldNumber(text, modulus);
        Require(!n || (*n >= 0 && *n < modulus), "a field's number is reduced");
        if (s.IsModelII) SetOperatingAsI(s, !s.OperatingAsI);
        break;
      }
    }
    CheckMachine(s, keyboard);
  }
  return 0;
}

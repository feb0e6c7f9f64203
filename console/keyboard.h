// The console keyboard: the typing rules of its 12-character field, its special-character
// buttons, and the keyboard side of the input instruction.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/character_code.h"
#include "core/devices.h"
#include "core/machine_state.h"
#include "core/operator.h"

namespace ormlax {

// Texts of the keyboard window (frmConsoleInput).
inline constexpr std::string_view kKeyboardWindowCaption = "Console Keyboard Input";
inline constexpr std::string_view kKeyboardInstruction =
    "Type value from keyboard, then click or press Enter";  // labInst
inline constexpr std::string_view kContinueSingleStepCaption =
    "Continue in single-step";                                           // cmdSingleStep
inline constexpr std::string_view kKeyboardFieldStart = "000000000000";  // txtInput when opened

// The field after typing at its end: the last 12 characters of "000000000000", the field's text
// and the typed characters with letters in upper case, keeping only what a tape can hold. With
// nothing typed (a deletion) the field is only filled up again from the left.
std::string KeyboardFieldText(std::string_view field, std::string_view typed);

// The field after the operator changed it from `shown` to `edited` (the caret ending at `caret`,
// when known): the panel's word-field rule, and the field always holds 12 characters.
std::string EditedKeyboardField(std::string_view shown, std::string_view edited,
                                std::optional<std::size_t> caret = std::nullopt);

// The field after pressing special-character button k: the first character dropped and the
// button's code (in its own lower case) added at the right.
std::string InsertSpecialCharacter(std::string_view field, int button);

char SpecialCharacterCode(int button);
std::string SpecialCharacterCaption(int button);         // the first letter of the button's legend
const std::string& SpecialCharacterToolTip(int button);  // the button's whole legend entry

// Reads a word from the operator into the machine's KeyboardWord. Waiting for the typewriter
// and storing the word are the instruction's part.
class Keyboard : public ConsoleKeyboard {
 public:
  Keyboard(MachineState& state, Operator& op) : s_(state), op_(op) {}

  void ReadConsoleWord() override;

 private:
  MachineState& s_;
  Operator& op_;
};

}  // namespace ormlax

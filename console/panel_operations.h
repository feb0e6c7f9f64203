// The console panel's own operations on the machine state: typing into its fields, storing,
// stepping the shown location, feeding the control register and setting the options.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "core/machine_state.h"

namespace ormlax {

// The word fields txtVal 0-5: 0 Contents, 1 rA, 2 rF, 3 rL, 4 rX, 5 rCR.
inline constexpr int kContentsField = 0;
inline constexpr int kWordFieldCount = 6;

// The text field `field` shows now.
std::string WordFieldShown(const MachineState& s, int field);
// The operator changed word field `field` from `shown` (what the field showed) to `edited`, the
// caret ending at `caret` when known: only the newly typed characters are turned to upper case.
void TypeWordField(MachineState& s, int field, std::string_view shown, std::string_view edited,
                   std::optional<std::size_t> caret = std::nullopt);
// The same, from what the field shows now.
void TypeWordField(MachineState& s, int field, std::string_view edited);
// The operator changed the Location field; a text that is not a number keeps the last location.
void TypeLocation(MachineState& s, std::string_view typed);
// The Location field lost the focus: it shows the location in force again, whatever was typed.
void LeaveLocationField(MachineState& s);
// The operator changed the rCC field; a text that is not a number keeps the last rCC.
void TypeControlCounter(MachineState& s, std::string_view typed);
// Special-character button k (0-6) appends its code to the Contents field.
void AppendSpecialCharacter(MachineState& s, int button);

void Store(MachineState& s);
void LocationPlus1(MachineState& s);
void LocationMinus1(MachineState& s);
void SCICR(MachineState& s);

void SetProgramDebug(MachineState& s, bool on);
void SetStopOnComma(MachineState& s, bool on);
void SetFiftyBreak(MachineState& s, FiftyBreakMode mode);
void SetHasIInstruction(MachineState& s, bool on);
// Q/T switch 0-9, or kQTAll: set when clicked, never cleared but by ClearConditionalStop.
void SetQTSwitch(MachineState& s, int index);
void ClearConditionalStop(MachineState& s);
// The operator's Go to / No go choice during a Q/T hold.
void ChooseQTGo(MachineState& s, QTGoChoice choice);
void SelectDefaultServo(MachineState& s, int servo);

// The word that loads a program from tape: it reads the first block of the default servo's tape
// into rI and stores it at location 0 (its right half names no servo, so nothing more is read).
inline constexpr std::string_view kLoadingWord = "1 0000300000";

// The word goes into the Contents field and SCICR feeds it to the control register: the next
// step executes it.
void FeedWord(MachineState& s, const Word& word);
// Prepares the machine to load the program on the default servo: the loading word is fed, so a
// single step (or a run) reads the program's first block to location 0.
void LoadProgramFromServo(MachineState& s);

}  // namespace ormlax

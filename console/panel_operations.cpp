#include "console/panel_operations.h"

#include "console/panel_fields.h"
#include "core/character_code.h"
#include "core/devices.h"

namespace ormlax {
namespace {

// The register behind word field 1-5, or null for the Contents field.
template <typename State>
auto* RegisterOfField(State& s, int field) {
  decltype(&s.rA) none = nullptr;
  switch (field) {
    case 1:
      return &s.rA;
    case 2:
      return &s.rF;
    case 3:
      return &s.rL;
    case 4:
      return &s.rX;
    case 5:
      return &s.rCR;
    default:
      return none;
  }
}

}  // namespace

std::string WordFieldShown(const MachineState& s, int field) {
  if (field == kContentsField) return s.Panel.ContentsEmpty ? "" : s.Panel.Contents.Text();
  if (field == 5 && s.Panel.rCRBlank) return "";
  const Word* r = RegisterOfField(s, field);
  return r != nullptr ? r->Text() : "";
}

void TypeWordField(MachineState& s, int field, std::string_view edited) {
  TypeWordField(s, field, WordFieldShown(s, field), edited);
}

void TypeWordField(MachineState& s, int field, std::string_view shown, std::string_view edited,
                   std::optional<std::size_t> caret) {
  const std::string text = EditedWordField(shown, edited, caret);
  if (field == kContentsField) {
    s.Panel.Contents = Word::FromText(text);
    s.Panel.ContentsEmpty = text.empty();
    return;
  }
  if (Word* r = RegisterOfField(s, field)) {
    // An emptied register field leaves the register blank.
    *r = Word::FromText(text);
    if (field == 5) s.Panel.rCRBlank = text.empty();
  }
}

void TypeLocation(MachineState& s, std::string_view typed) {
  if (const auto location = FieldNumber(typed, s.MemorySize)) {
    ShowLocation(s, *location);
  } else {
    s.Panel.LocationText = std::string(typed);
  }
}

void LeaveLocationField(MachineState& s) {
  s.Panel.LocationText = FormatAddress(s, s.ConsoleLocation);
}

void TypeControlCounter(MachineState& s, std::string_view typed) {
  if (const auto value = FieldNumber(typed, s.MemorySize)) s.rCC = *value;
}

void AppendSpecialCharacter(MachineState& s, int button) {
  if (button < 0 || button >= kKeyboardCharButtons) return;
  const char code = SpecialCharacterCodes[static_cast<std::size_t>(button)];
  const std::string field = s.Panel.ContentsEmpty ? "" : s.Panel.Contents.Text();
  s.Panel.Contents = Word::FromText(ShiftIntoWordField(field, std::string_view(&code, 1)));
  s.Panel.ContentsEmpty = false;
}

void Store(MachineState& s) {
  s.Memory[static_cast<std::size_t>(s.ConsoleLocation)] =
      s.Panel.ContentsEmpty ? Word::Filled(' ') : s.Panel.Contents;
  LocationPlus1(s);
}

void LocationPlus1(MachineState& s) {
  ShowLocation(s, (s.ConsoleLocation + 1) % s.MemorySize);
}

void LocationMinus1(MachineState& s) {
  ShowLocation(s, (s.ConsoleLocation + s.MemorySize - 1) % s.MemorySize);
}

void SCICR(MachineState& s) {
  s.rCR = s.Panel.ContentsEmpty ? Word::Filled(' ') : s.Panel.Contents;
  s.Panel.rCRBlank = false;
  s.ExecuteFromCR = true;
}

void SetProgramDebug(MachineState& s, bool on) {
  s.ProgramDebug = on;
}
void SetStopOnComma(MachineState& s, bool on) {
  s.StopOnComma = on;
}
void SetFiftyBreak(MachineState& s, FiftyBreakMode mode) {
  s.FiftyBreak = mode;
}
void SetHasIInstruction(MachineState& s, bool on) {
  s.HasIInstruction = on;
}

void SetQTSwitch(MachineState& s, int index) {
  if (index >= 0 && index <= kQTAll) s.QTSwitches[static_cast<std::size_t>(index)] = true;
}

void ClearConditionalStop(MachineState& s) {
  s.QTSwitches.fill(false);
  s.Panel.QTGo = QTGoChoice::None;
}

void ChooseQTGo(MachineState& s, QTGoChoice choice) {
  s.Panel.QTGo = choice;
}

void SelectDefaultServo(MachineState& s, int servo) {
  if (servo >= 0 && servo < kServoCount) s.DefaultServo = servo;
}

void FeedWord(MachineState& s, const Word& word) {
  s.Panel.Contents = word;
  s.Panel.ContentsEmpty = false;
  SCICR(s);
}

void LoadProgramFromServo(MachineState& s) {
  FeedWord(s, Word::FromText(kLoadingWord));
}

}  // namespace ormlax

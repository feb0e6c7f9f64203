// The simulated machine's memory, registers, options, indicator lamps and run flags.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/stop_reason.h"
#include "core/word.h"
#include "core/word_value.h"

namespace ormlax {

enum class LampColour : std::uint8_t { Grey, Green, Cyan, Red, Yellow };

struct Rgb {
  std::uint8_t red, green, blue;
  friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr Rgb ColourOf(LampColour c) {
  switch (c) {
    case LampColour::Green:
      return {0, 255, 0};
    case LampColour::Cyan:
      return {0, 255, 255};
    case LampColour::Red:
      return {255, 0, 0};
    case LampColour::Yellow:
      return {255, 255, 0};
    case LampColour::Grey:
      break;
  }
  return {128, 128, 128};
}

// The indicator lamps of the console, by number.
enum LampNumber : int {
  kOverflowLamp = 0,
  kInvalidOpcodeLamp = 1,
  kBreakpointStopLamp = 2,
  kQTStopLamp = 3,
  kRunningLamp = 4,
  kInvalidOperandLamp = 5,
  kInvalidAddressLamp = 6,
  kFiftyStopLamp = 7,
};
inline constexpr int kLampCount = 8;
extern const std::array<const char*, kLampCount> LampLabels;

enum class FiftyBreakMode : std::uint8_t { Skip = 0, Normal = 1, Stop = 2 };
enum class QTGoChoice : std::uint8_t { None, GoTo, NoGo };
// Whether a block register has been loaded since it was last emptied.
enum class RegisterStatus : std::uint8_t { Cleared, InUse };
const char* StatusText(RegisterStatus s);  // "cleared" or "in use"

inline constexpr int kMaxMemorySize = 10000;
// Both models have ten thousand word places; block transfers stop at the last one.
inline constexpr int kLastLocation = kMaxMemorySize - 1;
inline constexpr int kQTAll = 10;  // the "All" entry of the Q/T switches

// Half a unit of the eleventh digit, 5 x 10^-12, in units of 10^-22.
inline constexpr Int128 RoundingConstant = 50'000'000'000;

// What the console panel shows besides the registers themselves.
struct PanelDisplay {
  bool rCCBlank = false;                  // the rCC box is emptied while a run goes on
  bool rCRBlank = false;                  // the rCR box is blank
  bool rSRBlank = true;                   // the rSR box is empty
  bool ControlsEnabled = true;            // the group switched by EnablePanel
  bool LocationEnabled = true;            // the Location and Contents fields
  bool HoldControlsEnabled = false;       // Single Step and Location +/- 1 during a Q/T hold
  std::string LocationText;               // the Location field
  Word Contents = kZeroWord;              // the Contents field, as typed before it is stored
  bool ContentsEmpty = false;             // the Contents field has been emptied
  std::array<std::string, 2> QTGoLabels;  // the Q/T target and rCC + 1 during a hold
  QTGoChoice QTGo = QTGoChoice::None;
};

struct MachineState {
  // Model and memory.
  bool IsModelII = false;
  int MemorySize = 1000;
  int AddressDigits = 3;
  std::string AddressFormat = "000";
  std::array<Word, kMaxMemorySize> Memory;

  // Registers.
  Word rA = kZeroWord, rX = kZeroWord, rL = kZeroWord, rF = kZeroWord, rCR = kZeroWord;
  int rCC = 0;
  Instruction rSR = Instruction::Filled(' ');
  std::array<Word, 10> rV;
  std::array<Word, 60> rY;
  std::array<Word, 60> rI;
  RegisterStatus rVStatus = RegisterStatus::Cleared;
  RegisterStatus rYStatus = RegisterStatus::Cleared;
  RegisterStatus rIStatus = RegisterStatus::Cleared;

  // Options set on the panel.
  bool OperatingAsI = false;
  bool HasIInstruction = false;
  bool ProgramDebug = false;
  bool StopOnComma = false;
  FiftyBreakMode FiftyBreak = FiftyBreakMode::Normal;
  std::array<bool, 11> QTSwitches{};
  int DefaultServo = 0;          // servo for tape instructions with a blank servo character
  bool HistoricalSpeed = false;  // run at the pace of the machine simulated

  // Indicator lamps.
  std::array<LampColour, kLampCount> Lamp{};

  // Run and cycle flags.
  bool Running = false;
  bool WaitingAtStop = false;
  bool ExecuteFromCR = false;
  bool HalfStepPending = false;
  bool InQTStop = false;
  bool OverflowFlag = false;
  bool MinusModifier = false;
  bool FModifier = false;
  int CurrentAddress = -1;
  int NextAddress = -1;
  bool TransferTaken = false;
  std::array<Word, 2> TransferSave;
  std::int32_t FuseReason = 0;
  int ConsoleLocation = 0;
  Word KeyboardWord = kZeroWord;
  // What stopped the machine first since Run, Single Step or Single Instruction last started it.
  StopReason LastStop = StopReason::None;

  PanelDisplay Panel;

  MachineState() {
    Memory.fill(kZeroWord);
    rV.fill(kZeroWord);
    rY.fill(kZeroWord);
    rI.fill(kZeroWord);
    TransferSave.fill(kZeroWord);
  }
};

// Fixes the model-dependent state for ORMLAX I or ORMLAX II.
void SetUpModel(MachineState& s, bool modelII);
// Memory size and address width for "O II operating as O I" checked or unchecked. Checked, a
// location shown or an rCC beyond the narrowed memory wraps into it.
void SetOperatingAsI(MachineState& s, bool on);
// The block register labels of the model: "rV"/"rW", "rY"/"rZ".
const char* VRegisterLabel(const MachineState& s);
const char* YRegisterLabel(const MachineState& s);

// An address written zero-padded to the model's address width.
std::string FormatAddress(const MachineState& s, int address);

inline void SetOverflow(MachineState& s, bool flag) {
  s.OverflowFlag = flag;
  s.Lamp[kOverflowLamp] = flag ? LampColour::Red : LampColour::Grey;
}
// Ends the run after the current word, and records why unless something stopped it already.
void NoteStop(MachineState& s, StopReason reason);
// Lights the lamp and ends the run; the reason is the lamp's unless another is given.
void StopWithLamp(MachineState& s, int lamp);
void StopWithLamp(MachineState& s, int lamp, StopReason reason);
inline void ResetLamps(MachineState& s) {
  s.Lamp.fill(LampColour::Grey);
  s.Lamp[kRunningLamp] = s.Running ? LampColour::Green : LampColour::Red;
}
void RefreshControlDisplay(MachineState& s, bool emptySR);
void ShowLocation(MachineState& s, int location);

}  // namespace ormlax

#include "core/machine_state.h"

namespace ormlax {

const std::array<const char*, kLampCount> LampLabels = {
    "Overflow", "Invalid opcode",  "Breakpoint stop", "Q/T stop",
    "Running",  "Invalid operand", "Invalid address", "50 stop",
};

const char* StatusText(RegisterStatus s) {
  return s == RegisterStatus::InUse ? "in use" : "cleared";
}

void SetUpModel(MachineState& s, bool modelII) {
  s.IsModelII = modelII;
  s.OperatingAsI = false;
  s.MemorySize = modelII ? 10000 : 1000;
  s.AddressDigits = modelII ? 4 : 3;
  s.AddressFormat = std::string(static_cast<std::size_t>(s.AddressDigits), '0');
}

void SetOperatingAsI(MachineState& s, bool on) {
  s.OperatingAsI = on;
  s.MemorySize = on ? 1000 : 10000;
  s.AddressDigits = on ? 3 : 4;
  s.AddressFormat = std::string(static_cast<std::size_t>(s.AddressDigits), '0');
  // Narrowed memory: the location shown and rCC wrap into it, as a typed address does.
  if (s.ConsoleLocation >= s.MemorySize) ShowLocation(s, s.ConsoleLocation % s.MemorySize);
  s.rCC %= s.MemorySize;
}

const char* VRegisterLabel(const MachineState& s) {
  return s.IsModelII ? "rW" : "rV";
}
const char* YRegisterLabel(const MachineState& s) {
  return s.IsModelII ? "rZ" : "rY";
}

std::string FormatAddress(const MachineState& s, int address) {
  std::string digits = std::to_string(address < 0 ? 0 : address);
  const auto width = static_cast<std::size_t>(s.AddressDigits);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

void NoteStop(MachineState& s, StopReason reason) {
  s.Running = false;
  if (s.LastStop == StopReason::None) s.LastStop = reason;
}

void StopWithLamp(MachineState& s, int lamp) {
  StopReason reason = StopReason::None;
  switch (lamp) {
    case kInvalidOpcodeLamp:
      reason = StopReason::InvalidOpcode;
      break;
    case kBreakpointStopLamp:
      reason = StopReason::BreakpointStop;
      break;
    case kInvalidOperandLamp:
      reason = StopReason::InvalidOperand;
      break;
    case kInvalidAddressLamp:
      reason = StopReason::InvalidAddress;
      break;
    case kFiftyStopLamp:
      reason = StopReason::FiftyStop;
      break;
    default:
      break;
  }
  StopWithLamp(s, lamp, reason);
}

void StopWithLamp(MachineState& s, int lamp, StopReason reason) {
  s.Lamp[static_cast<std::size_t>(lamp)] = LampColour::Red;
  NoteStop(s, reason);
}

void RefreshControlDisplay(MachineState& s, bool emptySR) {
  if (!s.Running) {
    s.Panel.rCCBlank = false;
    s.rCR = s.Memory[static_cast<std::size_t>(s.rCC)];
    s.Panel.rCRBlank = false;
    s.Panel.LocationEnabled = true;
  }
  if (emptySR) s.Panel.rSRBlank = true;
}

void ShowLocation(MachineState& s, int location) {
  s.ConsoleLocation = location;
  s.Panel.Contents = s.Memory[static_cast<std::size_t>(location)];
  s.Panel.ContentsEmpty = false;
  s.Panel.LocationText = FormatAddress(s, location);
}

}  // namespace ormlax

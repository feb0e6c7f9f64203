#include "core/clear_operations.h"

namespace ormlax {

void ClearCC(MachineState& s) {
  s.rCC = 0;
  RefreshControlDisplay(s, true);
}

void ClearRegisters(MachineState& s) {
  s.rA = s.rF = s.rL = s.rX = kZeroWord;
  s.rV.fill(kZeroWord);
  s.rY.fill(kZeroWord);
  s.rI.fill(kZeroWord);
  s.rVStatus = s.rYStatus = s.rIStatus = RegisterStatus::Cleared;
  RefreshControlDisplay(s, true);
}

void ClearMemory(MachineState& s) {
  s.Memory.fill(kZeroWord);
  ResetLamps(s);
  s.rCC = 0;
  RefreshControlDisplay(s, true);
  ClearRegisters(s);
}

}  // namespace ormlax

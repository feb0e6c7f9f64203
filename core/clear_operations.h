// The console's clearing operations on registers and memory.
#pragma once

#include "core/machine_state.h"

namespace ormlax {

// rCC := 0.
void ClearCC(MachineState& s);
// rA, rF, rL, rX and every word of rV, rY and rI cleared; rCC is kept.
void ClearRegisters(MachineState& s);
// All memory, rCC and the registers cleared; the lamps reset.
void ClearMemory(MachineState& s);

}  // namespace ormlax

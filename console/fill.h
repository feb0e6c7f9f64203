// Fill: types the word at rCC on the console typewriter and moves on to the next location.
#pragma once

#include "console/typewriter.h"
#include "core/machine_state.h"

namespace ormlax {

// The word at rCC and a carriage return go to the typewriter; rCC moves to the next location and
// rSR holds the keyboard input instruction for it ("10" and the location in four digits).
void Fill(MachineState& s, Typewriter& typewriter);

}  // namespace ormlax

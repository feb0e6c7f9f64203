// The registers and lamps as "ormlax-cli run --registers" shows them after the run.
#pragma once

#include <string>

#include "core/machine_state.h"

namespace ormlax::cli {

// A line each for rA, rX, rL, rF ("rA 000000000012", bytes a terminal would act on as \xHH) and
// rCC (in the model's address width), then "lamps " and the labels of the lit lamps in lamp
// order, separated by ", " ("lamps none" when every lamp is grey).
std::string RegisterLines(const MachineState& s);

}  // namespace ormlax::cli

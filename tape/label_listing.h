// The lines of the "Labels on mounted tapes" window.
#pragma once

#include <string>
#include <vector>

#include "tape/servo_unit.h"

namespace ormlax {

// One line per servo of the model, in servo-number order: the identifier, two spaces, and the
// mounted file's full path, or "(No tape mounted)" for a servo at position 0.
std::vector<std::string> MountedTapeLabels(const ServoUnits& servos, bool modelII);

}  // namespace ormlax

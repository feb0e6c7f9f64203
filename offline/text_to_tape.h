// "Text to ORMLAX": any text file packed into a tape, line ends and tabs dropped.
#pragma once

#include "offline/offline_desk.h"

namespace ormlax {

// Packs the source into the target from its start: without CR, LF and TAB, every character that
// is not a machine character made the illegal character "n", padded with "0" to whole blocks. A
// text longer than one tape holds is refused before anything is written.
OffLineOutcome ConvertTextToTape(OffLineDesk& desk);

}  // namespace ormlax

// The object tape: the finished words of ".i5" as a tape file ProgramName + ".obj", with or
// without the loading routine in front.
#pragma once

#include <span>

#include "assembler/assembly_state.h"
#include "core/word.h"
#include "tape/tape_file.h"

namespace ormlax {

// Writes the tape. With the loader, `memory` (the machine's words 0 to 59) holds the program's
// first block while the other blocks are written, and keeps it afterwards. A program with more
// words than the tape, or with the loader than memory, can hold records an error instead and
// writes nothing. False when a host file failed.
bool WriteObjectTape(AssemblyState& s, std::span<Word, kBlockWords> memory);

}  // namespace ormlax

// The object tape: the finished words of ".i5" as a tape file ProgramName + ".obj", with or
// without the loading routine in front.
#pragma once

#include <span>

#include "assembler/assembly_state.h"
#include "core/word.h"
#include "tape/new_tape_file.h"

namespace ormlax {

// Writes the tape into `tape`, begun on ProgramName + ".obj" but not yet in the old tape's place:
// the caller commits it (CommitObjectTape) once the listing is written too. With the loader,
// `memory` (the machine's words 0 to 59) holds the program's first block while the other blocks
// are written, and keeps it afterwards. A program with more words than the tape, or with the
// loader than memory, can hold records an error instead and begins no tape. False when a host
// file failed; the old object tape then stays as it was.
bool WriteObjectTape(AssemblyState& s, std::span<Word, kBlockWords> memory, NewTapeFile& tape);

// Puts a tape WriteObjectTape wrote in the place of the old one. False when the host failed.
bool CommitObjectTape(AssemblyState& s, NewTapeFile& tape);

}  // namespace ormlax

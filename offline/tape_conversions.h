// "ORMLAX to text" and "ORMLAX to asm": a tape written out as text, a word or a word's two
// instructions to a line.
#pragma once

#include <string>

#include "core/word.h"
#include "offline/offline_desk.h"

namespace ormlax {

// Writes the source tape into the target as one word of 12 characters per line.
OffLineOutcome ConvertTapeToText(OffLineDesk& desk);

// Writes the source tape into the target as assembler source, a word's two instructions on one
// line without a label. The target's name must end in ".asm"; a name without any "." gets it
// (asking before a file of that name is replaced).
OffLineOutcome ConvertTapeToAssembler(OffLineDesk& desk);

// One word as an assembler line, without its line end: TAB, operation, space, address, two TABs,
// operation, space, address.
std::string AssemblerLineOf(const Word& word);

}  // namespace ormlax

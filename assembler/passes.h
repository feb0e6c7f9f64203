// The four passes of a run, from the source file to the file of finished words, and the helpers
// they share. Each pass answers false when a host file failed (the reason is in HostFailure).
#pragma once

#include <string>
#include <string_view>

#include "assembler/assembly_state.h"

namespace ormlax {

// Pass 1, ".asm" to ".i2": lines split into fields, labels defined, text and working storage laid
// out, locations counted.
bool ReadSource(AssemblyState& s);
// Pass 2, ".i2" to ".i3": references to program points defined before them.
bool ResolveBackward(AssemblyState& s);
// Pass 3, ".i3" to ".i4", last record first: references to program points defined after them;
// then the automatic constants and the working storage are given their places.
bool ResolveForward(AssemblyState& s);
// Pass 4, ".i4" to ".i5": symbol expressions evaluated, every word finished.
bool ResolveSymbols(AssemblyState& s);

// A program point reference in the field, in the direction 'B' or 'F', replaced by the point's
// location; automatic constant references are noted in lstAuto. `location` is the line's.
std::string ResolveProgramPoint(AssemblyState& s, const std::string& field, char direction,
                                Location location);
// The finished half-word of an instruction field.
std::string ResolveField(AssemblyState& s, const std::string& field);
// The address of a symbol expression, with at least four digits.
std::string EvaluateAddress(AssemblyState& s, std::string_view expression);

// A label, left and right fields and location make one intermediate record of 124 characters
// at most.
bool FitsInRecord(std::string_view label, std::string_view left, std::string_view right,
                  Location location);

}  // namespace ormlax

// The listing, ProgramName + ".lst": option notes, the program as written with its locations and
// errors, the automatic constants, the working storage and the cross-reference.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "assembler/assembly_state.h"
#include "core/durable_file.h"

namespace ormlax {

// Writes the listing from ".i2" and the tables; it replaces an earlier listing only when it is
// whole. Clears AssemblyOk first when any error was recorded. False when a host file failed.
bool WriteListing(AssemblyState& s);

// A location right-aligned in the address width; a number with more digits keeps its last ones.
std::string RightAligned(Location location, int width);
// The length of the longest symbol name, blanks at both ends not counted.
std::size_t SymbolWidth(const AssemblyState& s);

// One line of the listing, ended by CR LF. False once a write has failed.
bool WriteListingLine(DurableFile& lst, std::string_view line);

// The cross-reference section, written after the rest of the listing.
bool WriteCrossReference(AssemblyState& s, DurableFile& lst, std::size_t symbolWidth);

}  // namespace ormlax

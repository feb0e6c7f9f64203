// The memory dump: every location up to the last one in use, one line each.
#pragma once

#include <filesystem>
#include <string>

#include "core/machine_state.h"

namespace ormlax {

inline constexpr const char* kMemoryDumpFileName = "memdump.txt";

// The dump's text: for each location from 0 to the highest one not holding "000000000000", the
// location, two spaces, the left instruction, two spaces, the right instruction; an empty line
// after every location ending in 9. Empty when all memory is cleared.
std::string MemoryDumpText(const MachineState& s);

// Writes the dump to `file`, replacing an earlier one only when the new one is whole. False, with
// a message for the operator in `error`, when the file cannot be written; the old one then stays.
bool WriteMemoryDump(const MachineState& s, const std::filesystem::path& file, std::string& error);

// The operator's message when the dump to `file` fails for `reason`.
std::string MemoryDumpFailure(const std::filesystem::path& file, const std::string& reason);

}  // namespace ormlax

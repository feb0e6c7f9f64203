// Console operations that both front ends perform on a whole installation.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "installation/installation.h"

namespace ormlax {

// "Power off": every tape file open on a servo is closed, with what the programs wrote on it put
// on disk first. The operator's messages of the tapes where the host could not put it there, in
// servo order; empty when every tape is whole on disk.
std::vector<std::string> SwitchOff(Installation& ormlax);

// Writes the memory dump to `file` (relative names lie in the working folder). A file that is
// the tape of a servo is never overwritten. False, with the operator's message in `error`, when
// the dump is refused or cannot be written.
bool DumpMemory(Installation& ormlax, const std::filesystem::path& file, std::string& error);

}  // namespace ormlax

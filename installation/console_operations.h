// Console operations that both front ends perform on a whole installation.
#pragma once

#include <filesystem>
#include <string>

#include "installation/installation.h"

namespace ormlax {

// "Power off": every tape file open on a servo is closed, so what the programs wrote stays.
void SwitchOff(Installation& ormlax);

// Writes the memory dump to `file` (relative names lie in the working folder). A file that is
// the tape of a servo is never overwritten. False, with the operator's message in `error`, when
// the dump is refused or cannot be written.
bool DumpMemory(Installation& ormlax, const std::filesystem::path& file, std::string& error);

}  // namespace ormlax

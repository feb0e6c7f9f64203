// Saving the whole installation into a session file and restoring it from one: memory,
// registers, lamps, switches, the run flags, the servos with their tapes' places, the console
// typewriter with its paper. The file is text, one field to a line (docs/session-file.md).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "installation/installation.h"

namespace ormlax {

// The first line of every session file is kSessionHeader followed by the format's version.
inline constexpr std::string_view kSessionHeader = "ORMLAX session file version ";
inline constexpr int kSessionVersion = 1;

// Writes the installation into `file` (relative names lie in the working folder), replacing an
// earlier file of that name only once the new one is whole. Refused while the machine runs or is
// held inside an instruction, and onto a file that is the tape of a servo. False, with the
// message for the operator in `error`, when the session was not saved.
bool SaveSession(Installation& ormlax, const std::filesystem::path& file, std::string& error);

// Reads `file` and makes the installation what it was when the file was saved: the tapes are
// mounted again where they stood. Refused, with the message in `error` and the installation left
// exactly as it was, for a file that is not a whole session file of this version, a session of
// the other model, a tape file that is gone or has changed size since, and while the machine runs
// or is held inside an instruction.
bool RestoreSession(Installation& ormlax, const std::filesystem::path& file, std::string& error);

}  // namespace ormlax

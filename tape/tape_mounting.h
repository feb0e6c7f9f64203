// Mounting and dismounting tapes: the operator's steps at the servo window as operations that the
// window, the command line and the tests share.
#pragma once

#include <filesystem>
#include <string>

#include "core/operator.h"
#include "tape/servo_unit.h"
#include "tape/tape_recognition.h"

namespace ormlax {

// A host file name as typed: relative names lie in the working folder, absolute ones stand.
std::filesystem::path FullPathOf(const std::filesystem::path& workingFolder,
                                 const std::string& name);

// Closes the servo's tape file, with what the programs wrote on it put on disk first. The
// operator's message when the host could not put it there, as for a block the host failed to
// write; empty when it is there (or nothing was open).
std::string CloseTapeFile(ServoUnit& unit, int servo);

// Takes the tape off servo `servo`: its file is closed as CloseTapeFile does and the servo is
// empty. False, the operator told why, when what was written could not be put on disk.
bool DismountTape(ServoUnit& unit, int servo, Operator& op);

// The name step for the servo: a missing file asks whether it is a blank tape (and marks the
// servo's choice so), a file that cannot be a tape is refused with a message.
NameStepResult NameTape(ServoUnit& unit, Operator& op, const std::filesystem::path& workingFolder,
                        const std::string& name);

// The mount step for the servo on the name: the tape is mounted write-protected or for reading
// and writing. False, the operator told why, when the file is refused.
bool MountNamedTape(ServoUnit& unit, Operator& op, const std::filesystem::path& workingFolder,
                    const std::string& name, bool writeProtected);

// Mounts a tape as the operator does it: a tape already on the servo is dismounted, then the
// name step and the mount step. False when the tape did not get mounted.
bool MountTape(ServoUnits& servos, int servo, Operator& op,
               const std::filesystem::path& workingFolder, const std::string& name,
               bool writeProtected);

// The servo whose tape is the file at `path` (mounted, or unloaded with its name kept), or -1.
int ServoHoldingFile(const ServoUnits& servos, const std::filesystem::path& path);

}  // namespace ormlax

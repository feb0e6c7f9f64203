// The names the operator types into the source and target boxes, accepted as the desk accepts
// them: relative to the working folder, never a file mounted on a tape unit.
#pragma once

#include <filesystem>
#include <string>

#include "offline/offline_desk.h"

namespace ormlax {

enum class NameAcceptance {
  Accepted,  // the file is now the source (or the target)
  Ignored,   // the box is empty, or a target was accepted before
  Mounted,   // the file is on a tape unit: the operator was told and the box is to be emptied
  Missing,   // a source that does not exist: "There is no such tape"
  NotAFile,  // a folder, a device or a pipe: the operator was told
};

// Whether the file is the tape of a tape unit (mounted, or unloaded with its name kept), under
// whatever spelling of its path or through whatever link. Tells the operator when it is.
bool IsMountedOnMachine(const ServoUnits& servos, const std::filesystem::path& path, Operator& op);

// Whether the two paths name one file: the same file on the disk, or the same name.
bool NamesSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// The source box: the source is forgotten, then the file named becomes the source, an ORMLAX
// tape when its length is a whole number of blocks.
NameAcceptance AcceptSource(OffLineDesk& desk, const std::string& boxText);

// The target box, while no target is accepted: an existing file is overwritten only when the
// operator answers Yes to "That tape is in use; overwrite?"; otherwise it is kept.
NameAcceptance AcceptTarget(OffLineDesk& desk, const std::string& boxText);

}  // namespace ormlax

// Recognising a host file as a tape, in two steps: when the operator names it (the name step)
// and when it is mounted (the mount step). Both tell the operator why a file is refused.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/operator.h"
#include "tape/tape_file.h"

namespace ormlax {

enum class TapeValidity {
  Blank,      // absent, or a file that cannot be opened for reading
  NotAFile,   // a folder, a device, a pipe: nothing that can hold a tape
  NotATape,   // a file whose length is not a whole number of blocks
  ValidTape,  // a file of whole blocks
};

// Looks at the file without opening anything but a regular file.
TapeValidity ValidateTape(const std::filesystem::path& path);

enum class NameStepResult {
  Accepted,   // a tape, ready to be mounted
  BlankTape,  // absent; the operator confirmed it is a blank tape
  NotBlank,   // absent; the operator said it is not a blank tape
  NotATape,   // refused; the operator has been told
};

// The name step: `typedName` is the name as the operator typed it, `fullPath` where it lies.
NameStepResult TapeNameStep(Operator& op, std::string_view typedName,
                            const std::filesystem::path& fullPath);

struct MountedTape {
  TapeFile File;
  std::int32_t EndOfData = 1;  // the record after the last record of data
};

// The mount step: a file marked blank is opened (created when absent) without being examined;
// any other file must be a valid tape, no longer than a full tape. A write-protected tape is
// opened for reading only. Nothing when the file is refused or the host refuses to open it; the
// operator has then been told why.
std::optional<MountedTape> TapeMountStep(Operator& op, const std::filesystem::path& fullPath,
                                         bool blankTape, bool writeProtected = false);

// "The tape file" CR LF path CR LF what went wrong, for a host refusing a tape file.
std::string HostFileMessage(const std::filesystem::path& path, std::string_view failure,
                            std::string_view reason);

}  // namespace ormlax

// "ormlax-cli run": one run of a fresh installation from a script.
#pragma once

#include <istream>
#include <ostream>

#include "cli/cli_options.h"

namespace ormlax::cli {

enum ExitStatus : int {
  kStoppedOnStopInstruction = 0,
  kStoppedOtherwise = 1,
  kUsageOrFileError = 2,
  kWordLimitReached = 3,
};

// Runs as the options say: the typewriter's paper goes to `out`, messages and the closing
// "stopped: " line to `errors`; keyboard words come from `input` unless the options name a file.
int RunCommand(const RunOptions& options, std::istream& input, std::ostream& out,
               std::ostream& errors);

}  // namespace ormlax::cli

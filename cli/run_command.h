// "ormlax-cli run": one run of a fresh installation from a script.
#pragma once

#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/run_options.h"

namespace ormlax::cli {

// Runs as the options say: the typewriter's paper goes to standard output (byte for byte, or
// made safe when it is a terminal), messages and the closing "stopped: " line to standard error;
// keyboard words come from standard input unless the options name a file.
int RunCommand(const RunOptions& options, CommandStreams& streams);

// The command as the command table calls it: parses the arguments, then runs.
int RunMain(const std::vector<std::string>& args, CommandStreams& streams);

}  // namespace ormlax::cli

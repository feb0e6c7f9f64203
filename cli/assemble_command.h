// "ormlax-cli assemble": one assembly run, as the assembler window makes it.
#pragma once

#include <string>
#include <vector>

#include "cli/commands.h"

namespace ormlax::cli {

extern const char* const kAssembleUsage;

int AssembleMain(const std::vector<std::string>& args, CommandStreams& streams);

}  // namespace ormlax::cli

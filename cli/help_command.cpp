// "ormlax-cli help": how to use the program and each of its commands.
#include "cli/commands.h"

namespace ormlax::cli {

const char* const kHelpUsage =
    "usage: ormlax-cli help [COMMAND]\n"
    "\n"
    "Shows how to use COMMAND, or lists the commands.\n";

int HelpCommand(const std::vector<std::string>& args, CommandStreams& streams) {
  if (args.empty()) {
    streams.out << ProgramUsage();
    return kSuccess;
  }
  const Command* command = args.size() == 1 ? FindCommand(args[0]) : nullptr;
  if (command == nullptr) {
    streams.err << "ormlax-cli: no command " << args[0] << "\n\n" << ProgramUsage();
    return kUsageOrFileError;
  }
  streams.out << command->usage;
  return kSuccess;
}

}  // namespace ormlax::cli

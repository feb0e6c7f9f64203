// The commands of ormlax-cli: each one lives in a file of its own and is found by name here.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace ormlax::cli {

// The exit status of every command.
enum ExitStatus : int {
  kSuccess = 0,
  kStoppedOnStopInstruction = 0,
  kStoppedOtherwise = 1,  // stopped by one of the system's messages or program errors
  kUsageOrFileError = 2,
  kWordLimitReached = 3,
};

// Where a command reads and writes.
struct CommandStreams {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  bool outIsTerminal = false;  // standard output is a terminal, not a file or a pipe
};

struct Command {
  const char* name;
  const char* summary;  // one line, for the list of commands
  const char* usage;    // the whole usage text, shown by "ormlax-cli help NAME"
  int (*run)(const std::vector<std::string>& args, CommandStreams& streams);
};

const std::vector<Command>& Commands();
// The command of that name, or null.
const Command* FindCommand(std::string_view name);

// The program's own usage: how to call it and the list of commands.
std::string ProgramUsage();

// Runs the command the arguments (without the program's name) ask for.
int RunCommandLine(const std::vector<std::string>& args, CommandStreams& streams);

// "ormlax-cli help [COMMAND]".
int HelpCommand(const std::vector<std::string>& args, CommandStreams& streams);
extern const char* const kHelpUsage;

}  // namespace ormlax::cli

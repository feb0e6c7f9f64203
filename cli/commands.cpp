#include "cli/commands.h"

#include <algorithm>

#include "cli/assemble_command.h"
#include "cli/offline_commands.h"
#include "cli/run_command.h"
#include "cli/run_options.h"
#include "installation/program_version.h"

namespace ormlax::cli {

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"run", "runs one program on a fresh installation", kRunUsage, RunMain},
      {"assemble", "assembles a source file into an object tape and a listing", kAssembleUsage,
       AssembleMain},
      {"tape-to-text", "writes a tape as text, a word to a line", kTapeToTextUsage, TapeToTextMain},
      {"text-to-tape", "packs a text file into a tape", kTextToTapeUsage, TextToTapeMain},
      {"tape-to-asm", "writes a tape as assembler source", kTapeToAsmUsage, TapeToAsmMain},
      {"print", "prints a tape through a plugboard", kPrintUsage, PrintMain},
      {"print-cd", "prints a tape as computer digits", kPrintCdUsage, PrintCdMain},
      {"print-dtmb", "prints a tape as a DTMB printout", kPrintDtmbUsage, PrintDtmbMain},
      {"help", "shows how to use a command", kHelpUsage, HelpCommand},
  };
  return commands;
}

const Command* FindCommand(std::string_view name) {
  for (const Command& c : Commands()) {
    if (name == c.name) return &c;
  }
  return nullptr;
}

std::string ProgramUsage() {
  std::string text =
      "usage: ormlax-cli COMMAND [ARGUMENTS]\n"
      "       ormlax-cli --version | --help\n"
      "\n"
      "Commands:\n";
  std::size_t width = 10;  // the column of the summaries
  for (const Command& c : Commands()) width = std::max(width, std::string_view(c.name).size() + 2);
  for (const Command& c : Commands()) {
    std::string name = c.name;
    name.resize(width, ' ');
    text += "  " + name + c.summary + "\n";
  }
  text +=
      "\n"
      "Options:\n"
      "  --version   shows the program's version\n"
      "  --help      shows this text\n"
      "\n"
      "\"ormlax-cli help COMMAND\" shows how to use a command.\n";
  return text;
}

int RunCommandLine(const std::vector<std::string>& args, CommandStreams& streams) {
  if (args.empty()) {
    streams.err << ProgramUsage();
    return kUsageOrFileError;
  }
  if (args[0] == "--help" || args[0] == "-h") {
    streams.out << ProgramUsage();
    return kSuccess;
  }
  if (args[0] == "--version") {
    streams.out << "ormlax-cli " << kProgramVersion << "\n";
    return kSuccess;
  }
  const Command* command = FindCommand(args[0]);
  if (command == nullptr) {
    streams.err << "ormlax-cli: unknown command " << args[0] << "\n\n" << ProgramUsage();
    return kUsageOrFileError;
  }
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (!rest.empty() && (rest[0] == "--help" || rest[0] == "-h")) {
    streams.out << command->usage;
    return kSuccess;
  }
  return command->run(rest, streams);
}

}  // namespace ormlax::cli

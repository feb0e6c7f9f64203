// "ormlax-cli tape-to-asm": "ORMLAX to asm".
#include "cli/offline_commands.h"
#include "cli/offline_session.h"
#include "offline/tape_conversions.h"

namespace ormlax::cli {

const char* const kTapeToAsmUsage =
    "usage: ormlax-cli tape-to-asm [--dir DIR] [--overwrite] SRC DST\n"
    "\n"
    "Writes the ORMLAX tape SRC into DST as assembler source, the two instructions of a word\n"
    "on one line (\"ORMLAX to asm\"). DST must end in \".asm\"; a name without any \".\" gets\n"
    "\".asm\" added.\n"
    "\n"
    "  --dir DIR      the folder file names are taken from (default: the current one)\n"
    "  --overwrite    an existing DST is replaced (the answer Yes to \"That tape is in use;\n"
    "                 overwrite?\", and to the question asked before an existing file of the\n"
    "                 name with \".asm\" added is replaced); without it, it is kept\n"
    "\n"
    "Messages go to standard error as \"message: \" lines. Exit status: 0 when done, 1 when one\n"
    "of the system's messages stopped it, 2 for a usage or host file error.\n";

int TapeToAsmMain(const std::vector<std::string>& args, CommandStreams& streams) {
  return RunOffLineCommand(args, streams, 0, kTapeToAsmUsage,
                           [](OffLineSession& session, const OffLineOptions&) {
                             return ConvertTapeToAssembler(session.Desk());
                           });
}

}  // namespace ormlax::cli

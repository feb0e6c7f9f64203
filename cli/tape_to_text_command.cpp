// "ormlax-cli tape-to-text": "ORMLAX to text".
#include "cli/offline_commands.h"
#include "cli/offline_session.h"
#include "offline/tape_conversions.h"

namespace ormlax::cli {

const char* const kTapeToTextUsage =
    "usage: ormlax-cli tape-to-text [--dir DIR] [--overwrite] SRC DST\n"
    "\n"
    "Writes the ORMLAX tape SRC into the text file DST, one word of 12 characters to a line\n"
    "(\"ORMLAX to text\").\n"
    "\n"
    "  --dir DIR      the folder file names are taken from (default: the current one)\n"
    "  --overwrite    an existing DST is replaced (the answer Yes to \"That tape is in use;\n"
    "                 overwrite?\"); without it, it is kept and nothing is written\n"
    "\n"
    "Messages go to standard error as \"message: \" lines. Exit status: 0 when done, 1 when one\n"
    "of the system's messages stopped it, 2 for a usage or host file error.\n";

int TapeToTextMain(const std::vector<std::string>& args, CommandStreams& streams) {
  return RunOffLineCommand(args, streams, 0, kTapeToTextUsage,
                           [](OffLineSession& session, const OffLineOptions&) {
                             return ConvertTapeToText(session.Desk());
                           });
}

}  // namespace ormlax::cli

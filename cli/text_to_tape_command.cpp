// "ormlax-cli text-to-tape": "Text to ORMLAX".
#include "cli/offline_commands.h"
#include "cli/offline_session.h"
#include "offline/text_to_tape.h"

namespace ormlax::cli {

const char* const kTextToTapeUsage =
    "usage: ormlax-cli text-to-tape [--dir DIR] [--overwrite] SRC DST\n"
    "\n"
    "Packs the text file SRC into the ORMLAX tape DST (\"Text to ORMLAX\"): line ends and tabs\n"
    "are dropped, a character that is not a machine character becomes \"n\", and the last block\n"
    "is filled with \"0\". A text longer than one tape holds is refused.\n"
    "\n"
    "  --dir DIR      the folder file names are taken from (default: the current one)\n"
    "  --overwrite    an existing DST is replaced (the answer Yes to \"That tape is in use;\n"
    "                 overwrite?\"); without it, it is kept and nothing is written\n"
    "\n"
    "Messages go to standard error as \"message: \" lines. Exit status: 0 when done, 1 when one\n"
    "of the system's messages stopped it, 2 for a usage or host file error.\n";

int TextToTapeMain(const std::vector<std::string>& args, CommandStreams& streams) {
  return RunOffLineCommand(args, streams, 0, kTextToTapeUsage,
                           [](OffLineSession& session, const OffLineOptions&) {
                             return ConvertTextToTape(session.Desk());
                           });
}

}  // namespace ormlax::cli

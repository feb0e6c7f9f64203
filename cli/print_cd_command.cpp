// "ormlax-cli print-cd": "HSP (Comp. Dig.)".
#include "cli/offline_commands.h"
#include "cli/offline_session.h"
#include "offline/computer_digits.h"
#include "offline/plugboard_choice.h"
#include "offline/standard_boards.h"

namespace ormlax::cli {

const char* const kPrintCdUsage =
    "usage: ormlax-cli print-cd [--dir DIR] [--overwrite] [--board N] [--pdf FILE] [--printer]\n"
    "                           SRC [DST]\n"
    "\n"
    "Prints the ORMLAX tape SRC as computer digits (\"HSP (Comp. Dig.)\"): each blockette as\n"
    "its ten words and, under them, the marks of its special characters; 30 blockettes to a\n"
    "page. Into the text file DST, or on the host's printer.\n"
    "\n"
    "  --dir DIR      the folder file names are taken from (default: the current one)\n"
    "  --overwrite    an existing DST (or PDF file) is replaced (the answer Yes to \"That tape\n"
    "                 is in use; overwrite?\"); without it, it is kept and nothing is written\n"
    "  --board N      the plugboard chosen before (default: 0); the printout always uses board\n"
    "                 0, \"1-to-1 split\", and says so when another was chosen\n"
    "  --pdf FILE     without DST: the printer's pages go into the PDF file FILE\n"
    "  --printer      without DST: the pages go to the host's default printer\n"
    "\n"
    "Without DST the question \"The output will go to the default printer\" is answered OK\n"
    "with --pdf or --printer, and Cancel otherwise. Messages go to standard error as\n"
    "\"message: \" lines. Exit status: 0 when done, 1 when one of the system's messages stopped\n"
    "it, 2 for a usage or host file error (no default printer among them).\n";

int PrintCdMain(const std::vector<std::string>& args, CommandStreams& streams) {
  return RunOffLineCommand(args, streams, kBoardFlag | kPrinterFlags, kPrintCdUsage,
                           [](OffLineSession& session, const OffLineOptions& options) {
                             UseBoard(session.Desk(), options.board.value_or(kSplitBoard));
                             return PrintComputerDigits(session.Desk());
                           });
}

}  // namespace ormlax::cli

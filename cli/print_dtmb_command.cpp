// "ormlax-cli print-dtmb": "HSP (DTMB)".
#include "cli/offline_commands.h"
#include "cli/offline_session.h"
#include "offline/dtmb.h"

namespace ormlax::cli {

const char* const kPrintDtmbUsage =
    "usage: ormlax-cli print-dtmb [--dir DIR] [--overwrite] [--job NAME] [--pdf FILE]\n"
    "                             [--printer] SRC [DST]\n"
    "\n"
    "Prints the ORMLAX tape SRC as a DTMB printout (\"HSP (DTMB)\"): a page per block, its 60\n"
    "words in two columns under a header with the job name, the page number and the date.\n"
    "Into the text file DST, or on the host's printer.\n"
    "\n"
    "  --dir DIR      the folder file names are taken from (default: the current one)\n"
    "  --overwrite    an existing DST (or PDF file) is replaced (the answer Yes to \"That tape\n"
    "                 is in use; overwrite?\"); without it, it is kept and nothing is written\n"
    "  --job NAME     the answer to \"Job Name\" (default: none, printed \"(NO JOB NAME)\")\n"
    "  --pdf FILE     without DST: the printer's pages go into the PDF file FILE\n"
    "  --printer      without DST: the pages go to the host's default printer\n"
    "\n"
    "Without DST the question \"The output will go to the default printer\" is answered OK\n"
    "with --pdf or --printer, and Cancel otherwise. Messages go to standard error as\n"
    "\"message: \" lines. Exit status: 0 when done, 1 when one of the system's messages stopped\n"
    "it, 2 for a usage or host file error (no default printer among them).\n";

int PrintDtmbMain(const std::vector<std::string>& args, CommandStreams& streams) {
  return RunOffLineCommand(
      args, streams, kJobFlag | kPrinterFlags, kPrintDtmbUsage,
      [](OffLineSession& session, const OffLineOptions&) { return PrintDtmb(session.Desk()); });
}

}  // namespace ormlax::cli

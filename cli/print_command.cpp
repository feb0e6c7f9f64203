// "ormlax-cli print": "HSP (Normal)".
#include "cli/offline_commands.h"
#include "cli/offline_session.h"
#include "offline/plugboard_choice.h"
#include "offline/print_normal.h"
#include "offline/standard_boards.h"

namespace ormlax::cli {

const char* const kPrintUsage =
    "usage: ormlax-cli print [--dir DIR] [--overwrite] [--board N] [--breakpoints] [--pdf FILE]\n"
    "                        [--printer] SRC [DST]\n"
    "\n"
    "Prints the ORMLAX tape SRC on the high-speed printer through a plugboard and its carriage\n"
    "tape (\"HSP (Normal)\"): into the text file DST, 130 characters to a line, or on the\n"
    "host's printer, a form to a page.\n"
    "\n"
    "  --dir DIR      the folder file names are taken from (default: the current one)\n"
    "  --overwrite    an existing DST (or PDF file) is replaced (the answer Yes to \"That tape\n"
    "                 is in use; overwrite?\"); without it, it is kept and nothing is written\n"
    "  --board N      the plugboard in the file N.pgb (default: 1, \"Straight\"; 0 is \"1-to-1\n"
    "                 split\"); both are written into DIR when they are missing there\n"
    "  --breakpoints  the \"HSP B.P.\" switch on: the run pauses at each breakpoint character\n"
    "                 \"b\" and is resumed at once, which a \"breakpoint: \" line tells\n"
    "  --pdf FILE     without DST: the printer's pages go into the PDF file FILE\n"
    "  --printer      without DST: the pages go to the host's default printer\n"
    "\n"
    "Without DST the question \"The output will go to the default printer\" is answered OK\n"
    "with --pdf or --printer, and Cancel otherwise. Messages go to standard error as\n"
    "\"message: \" lines. Exit status: 0 when done, 1 when one of the system's messages stopped\n"
    "it, 2 for a usage or host file error (no default printer among them).\n";

int PrintMain(const std::vector<std::string>& args, CommandStreams& streams) {
  return RunOffLineCommand(args, streams, kBoardFlag | kBreakpointsFlag | kPrinterFlags,
                           kPrintUsage, [](OffLineSession& session, const OffLineOptions& options) {
                             OffLineDesk& desk = session.Desk();
                             UseBoard(desk, options.board.value_or(kStraightBoard));
                             desk.State.BreakpointSwitch = options.breakpoints;
                             // Nobody sits at this desk: a run paused at a breakpoint is resumed at
                             // once, as by clicking "HSP (Normal)" again.
                             session.Op().SetWaitAction([&session, &desk] {
                               session.Op().Report(
                                   "breakpoint",
                                   "the run paused at a breakpoint character and was resumed");
                               PrintTapeNormal(desk);
                             });
                             return PrintTapeNormal(desk);
                           });
}

}  // namespace ormlax::cli

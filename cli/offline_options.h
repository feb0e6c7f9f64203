// The command line of the off-line commands (tape-to-text, text-to-tape, tape-to-asm, print,
// print-cd, print-dtmb).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ormlax::cli {

// The options a command takes besides --dir and --overwrite.
enum OffLineFlag : unsigned {
  kBoardFlag = 1,        // --board N
  kBreakpointsFlag = 2,  // --breakpoints
  kPrinterFlags = 4,     // --pdf FILE, --printer, and DST may be left out
  kJobFlag = 8,          // --job NAME
};

struct OffLineOptions {
  std::string dir = ".";
  bool overwrite = false;
  std::optional<int> board;
  bool breakpoints = false;
  std::optional<std::string> pdf;
  bool printer = false;
  std::optional<std::string> job;
  std::string source;
  std::optional<std::string> target;
};

// Parses the arguments after the command's name. False, with the reason, when they are not
// usable.
bool ParseOffLineOptions(const std::vector<std::string>& args, unsigned flags,
                         OffLineOptions& options, std::string& error);

}  // namespace ormlax::cli

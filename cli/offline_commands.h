// The off-line commands: the conversions and the high-speed printer's three printouts, each in
// a file of its own.
#pragma once

#include <string>
#include <vector>

#include "cli/commands.h"

namespace ormlax::cli {

extern const char* const kTapeToTextUsage;
extern const char* const kTextToTapeUsage;
extern const char* const kTapeToAsmUsage;
extern const char* const kPrintUsage;
extern const char* const kPrintCdUsage;
extern const char* const kPrintDtmbUsage;

int TapeToTextMain(const std::vector<std::string>& args, CommandStreams& streams);
int TextToTapeMain(const std::vector<std::string>& args, CommandStreams& streams);
int TapeToAsmMain(const std::vector<std::string>& args, CommandStreams& streams);
int PrintMain(const std::vector<std::string>& args, CommandStreams& streams);
int PrintCdMain(const std::vector<std::string>& args, CommandStreams& streams);
int PrintDtmbMain(const std::vector<std::string>& args, CommandStreams& streams);

}  // namespace ormlax::cli

// ormlax-cli: runs ORMLAX programs from the command line.
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/run_command.h"

int main(int argc, char** argv) {
  using namespace ormlax::cli;
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    std::cout << kUsage;
    return args.empty() ? kUsageOrFileError : 0;
  }
  if (args[0] != "run") {
    std::cerr << "ormlax-cli: unknown command " << args[0] << '\n' << kUsage;
    return kUsageOrFileError;
  }
  RunOptions options;
  std::string error;
  if (!ParseRunOptions({args.begin() + 1, args.end()}, options, error)) {
    std::cerr << "ormlax-cli: " << error << '\n' << kUsage;
    return kUsageOrFileError;
  }
  return RunCommand(options, std::cin, std::cout, std::cerr);
}

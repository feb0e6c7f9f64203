// ormlax-cli: runs ORMLAX programs from the command line.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "installation/standard_streams.h"

int main(int argc, char** argv) {
  ormlax::HoldStandardStreams();
  std::ios::sync_with_stdio(false);
  ormlax::cli::CommandStreams streams{std::cin, std::cout, std::cerr, ::isatty(1) == 1};
  return ormlax::cli::RunCommandLine(std::vector<std::string>(argv + 1, argv + argc), streams);
}

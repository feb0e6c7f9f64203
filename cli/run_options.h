// The command line of "ormlax-cli run".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/machine_state.h"

namespace ormlax::cli {

struct MountRequest {
  int servo = 0;
  std::string file;
  bool writeProtected = false;
};

struct RunOptions {
  bool modelII = false;
  std::string dir = ".";
  int defaultServo = 0;
  std::vector<MountRequest> mounts;
  std::optional<std::string> start;
  FiftyBreakMode fifty = FiftyBreakMode::Normal;
  bool commaStop = false;
  bool debug = false;
  std::uint64_t maxWords = 10'000'000;
  std::optional<std::string> input;
  std::optional<int> paper;  // lines of paper; without it the paper does not run out
  std::optional<std::string> dump;
  std::optional<std::string> tape;
  std::optional<std::string> save;     // the session file written after the run
  std::optional<std::string> restore;  // the session file the run goes on from
  bool registers = false;              // rA, rX, rL, rF, rCC and the lamps after the run
};

extern const char* const kRunUsage;

// Parses the arguments after "run". False, with the reason in `error`, when they are not usable.
bool ParseRunOptions(const std::vector<std::string>& args, RunOptions& options, std::string& error);

// The servo number of an identifier ("-", "1" to "9", "A" to "F"); -1 when it names none.
int ServoNumberOf(const std::string& identifier);

}  // namespace ormlax::cli

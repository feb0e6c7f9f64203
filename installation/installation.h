// One simulated installation: everything a session of the simulator works on.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "core/machine_state.h"

namespace ormlax {

struct Installation {
  // Large (memory is ten thousand words): keep it on the heap, see MakeInstallation.
  MachineState Machine;
  // The folder every relative host file name is taken from.
  std::filesystem::path WorkingFolder;
  // The program last assembled without errors; empty otherwise.
  std::string LastAssembledProgram;
};

// A freshly switched-on installation of ORMLAX I or ORMLAX II: model set up, memory and
// registers cleared, the console showing location 0.
std::unique_ptr<Installation> MakeInstallation(bool modelII, std::filesystem::path workingFolder);

}  // namespace ormlax

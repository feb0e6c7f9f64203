#include "installation/installation.h"

#include "core/clear_operations.h"

namespace ormlax {

std::unique_ptr<Installation> MakeInstallation(bool modelII, std::filesystem::path workingFolder) {
  auto installation = std::make_unique<Installation>();
  installation->WorkingFolder = std::move(workingFolder);
  MachineState& s = installation->Machine;
  SetUpModel(s, modelII);
  ClearMemory(s);
  ShowLocation(s, 0);
  return installation;
}

}  // namespace ormlax

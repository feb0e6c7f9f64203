#include "installation/installation.h"

#include <chrono>

#include "core/clear_operations.h"

namespace ormlax {

Installation::Installation(bool modelII, std::filesystem::path workingFolder, std::uint32_t seed)
    : Random(seed), Ormprinter(Random), WorkingFolder(std::move(workingFolder)) {
  SetUpModel(Machine, modelII);
  ClearMemory(Machine);
  ShowLocation(Machine, 0);
}

std::uint32_t ClockSeed() {
  return static_cast<std::uint32_t>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

std::unique_ptr<Installation> MakeInstallation(bool modelII, std::filesystem::path workingFolder,
                                               std::uint32_t seed) {
  return std::make_unique<Installation>(modelII, std::move(workingFolder), seed);
}

}  // namespace ormlax

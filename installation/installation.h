// One simulated installation: everything a session of the simulator works on.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "console/typewriter.h"
#include "core/machine_state.h"
#include "offline/offline_state.h"
#include "offline/plugboard.h"
#include "tape/servo_unit.h"

namespace ormlax {

struct Installation {
  // A freshly switched-on installation; `seed` feeds the typewriter's paper supply.
  Installation(bool modelII, std::filesystem::path workingFolder, std::uint32_t seed);
  Installation(const Installation&) = delete;
  Installation& operator=(const Installation&) = delete;

  MachineState Machine;
  ServoUnits Servos;
  std::mt19937 Random;
  Typewriter Ormprinter;  // the console typewriter
  // The folder every relative host file name is taken from.
  std::filesystem::path WorkingFolder;
  // The program last assembled without errors; empty otherwise.
  std::string LastAssembledProgram;
  // The off-line equipment's state and its current plugboard.
  OffLineState OffLine;
  Plugboard Board;
};

// A seed from the clock, for a run of the program.
std::uint32_t ClockSeed();

// A freshly switched-on installation of ORMLAX I or ORMLAX II: model set up, memory and
// registers cleared, every servo empty, the typewriter off, the console showing location 0.
// Large (memory is ten thousand words), so it lives on the heap.
std::unique_ptr<Installation> MakeInstallation(bool modelII, std::filesystem::path workingFolder,
                                               std::uint32_t seed = ClockSeed());

}  // namespace ormlax

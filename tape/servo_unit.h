// The tape units (servos): what each one holds and how its two indicator shapes look.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/devices.h"
#include "core/machine_state.h"
#include "tape/tape_file.h"

namespace ormlax {

enum class ServoState : std::int32_t {
  Empty = 0,           // no tape
  ReadWrite = 1,       // mounted, reading and writing allowed
  WriteProtected = 2,  // mounted, reading allowed, writing refused
  Unloaded = 3,        // rewound with interlock or removed after an error; file closed, not ready
};

struct ServoUnit {
  ServoState State = ServoState::Empty;
  TapeFile File;           // the open tape file; closed when none is open
  int Position = 0;        // record where the next forward block begins; 1 rewound, 0 no tape
  int EndOfData = 0;       // the record after the last record of data
  std::string FileName;    // full path of the mounted file; empty when none
  bool BlankTape = false;  // the operator confirmed that the file named is a blank tape
};

using ServoUnits = std::array<ServoUnit, kServoCount>;

// CR LF + "on Servo  " + the identifier, appended to the messages about a transfer.
std::string ServoMessageSuffix(int servo);

// The state shape: grey, green, cyan or red by state.
LampColour ServoStateColour(const ServoUnit& unit);
// The in-use shape: yellow while the tape is away from its beginning, grey otherwise.
LampColour ServoInUseColour(const ServoUnit& unit);

}  // namespace ormlax

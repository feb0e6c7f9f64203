// What a session file holds, as one record between the installation and the file's text.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "console/typewriter.h"
#include "core/machine_state.h"
#include "installation/installation.h"
#include "tape/servo_unit.h"

namespace ormlax {

struct SavedServo {
  ServoState State = ServoState::Empty;
  int Position = 0;
  int EndOfData = 0;
  std::optional<std::int64_t> Length;  // a mounted tape's file length in bytes
  bool BlankTape = false;
  std::string File;  // as written: relative to the working folder when it lies in it
  // Filled when the session is restored: where the file lies, and the file opened again.
  std::filesystem::path FullPath;
  TapeFile Opened;
};

struct SessionRecord {
  bool ModelII = false;
  MachineState Machine;
  TypewriterState Typewriter;
  std::string PrintBuffer;  // characters still waiting to be printed
  std::array<SavedServo, kServoCount> Servos;
  std::string LastAssembledProgram;
  int PaperLines = 0;  // lines of paper read so far, while the file is read
};

// The installation as a record; false, with the reason in `error`, when a mounted tape's length
// cannot be taken.
bool CaptureSession(Installation& ormlax, SessionRecord& record, std::string& error);

// Makes the installation what the record holds: every tape it had is dismounted, and the
// record's opened tapes take their places.
void CommitSession(SessionRecord& record, Installation& ormlax);

// Refuses to save or restore while the machine runs or is held inside an instruction; the
// message is for `what` ("saved", "restored").
bool SessionMachineAtRest(const Installation& ormlax, const char* what, std::string& error);

}  // namespace ormlax

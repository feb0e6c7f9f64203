// The off-line desk's state: the source and the target the operator has named, whether the
// target may be written, the printer's breakpoint switch and pause, the two lamps and the
// plugboard option chosen. One for the run; every operation that runs to its end resets it.
#pragma once

#include <cstdint>
#include <string>

#include "core/machine_state.h"
#include "offline/plugboard.h"

namespace ormlax {

enum class SourceKind : std::int32_t {
  None = 0,
  OrmlaxTape = 1,  // a file whose length is a whole number of blocks
  OtherFile = 2,
};

enum class TargetKind : std::int32_t {
  None = 0,
  KeptTape = 1,      // an existing ORMLAX tape the operator chose to keep
  KeptFile = 2,      // another existing file the operator chose to keep
  Overwritable = 3,  // a new file, or an existing one the operator agreed to overwrite
};

// The plugboard options of the desk.
enum class PlugboardChoice : std::int8_t { None = -1, Split = 0, Straight = 1, User = 2 };

struct OffLineState {
  SourceKind Source = SourceKind::None;
  std::string SourcePath;  // full path; empty when none
  TargetKind Target = TargetKind::None;
  std::string TargetPath;
  bool MayOverwrite = false;   // true exactly when the target is Overwritable
  bool PrinterPaused = false;  // a plugboard printer run waits at a breakpoint character
  // Set while a run is paused to end it there (the desk is closing); the run ends as at a
  // printer stop character.
  bool EndPausedRun = false;
  bool BreakpointSwitch = false;  // "HSP B.P.": a plugboard run pauses at breakpoint characters
  LampColour BreakpointLamp = LampColour::Grey;  // "HSP B.P."
  LampColour StopLamp = LampColour::Grey;        // "HSP Stop"
  PlugboardChoice Choice = PlugboardChoice::None;
  // A printer run met a skip to a channel that is not punched: the desk is to close when the
  // operation returns. The reset leaves it; the desk clears it when it closes.
  bool CloseRequested = false;
};

// Forgets the source and the target, turns both lamps grey, ends a pause and clears the board
// number chosen from the list. The plugboard and the option chosen stay.
void ResetOffLineState(OffLineState& state, Plugboard& board);

// Both lamps grey, as when the operator leaves the target box.
void ClearLamps(OffLineState& state);

}  // namespace ormlax

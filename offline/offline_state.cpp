#include "offline/offline_state.h"

namespace ormlax {

void ResetOffLineState(OffLineState& state, Plugboard& board) {
  state.Source = SourceKind::None;
  state.SourcePath.clear();
  state.Target = TargetKind::None;
  state.TargetPath.clear();
  state.MayOverwrite = false;
  state.PrinterPaused = false;
  state.EndPausedRun = false;
  ClearLamps(state);
  board.BoardNumber = kNoBoardNumber;
}

void ClearLamps(OffLineState& state) {
  state.BreakpointLamp = LampColour::Grey;
  state.StopLamp = LampColour::Grey;
}

}  // namespace ormlax

#include "core/stop_reason.h"

namespace ormlax {

const char* StopReasonText(StopReason reason) {
  switch (reason) {
    case StopReason::None:
      return "not stopped";
    case StopReason::StopInstruction:
      return "stop instruction";
    case StopReason::InvalidOpcode:
      return "invalid opcode";
    case StopReason::BreakpointStop:
      return "breakpoint";
    case StopReason::InvalidOperand:
      return "invalid operand";
    case StopReason::InvalidAddress:
      return "invalid address";
    case StopReason::FiftyStop:
      return "50 stop";
    case StopReason::OverflowStop:
      return "overflow";
    case StopReason::QTStop:
      return "Q/T stop";
    case StopReason::ProgramLogicWarning:
      return "program logic warning";
    case StopReason::ServoNotReady:
      return "servo not ready";
    case StopReason::FuseBlown:
      return "fuse blown";
    case StopReason::KeyboardWindow:
      return "keyboard input in single-step";
    case StopReason::NoUnit:
      return "unit not connected";
    case StopReason::StopButton:
      return "Stop button";
    case StopReason::WordLimit:
      return "word limit reached";
    case StopReason::ExecuteBreakpoint:
      return "execute breakpoint";
    case StopReason::StoreBreakpoint:
      return "store breakpoint";
  }
  return "unknown";
}

}  // namespace ormlax

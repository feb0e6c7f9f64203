// Why the machine last stopped: recorded by every stop as it happens, so that a front end can say
// why a run ended without reading the lamps or the messages.
#pragma once

#include <cstdint>

namespace ormlax {

enum class StopReason : std::uint8_t {
  None,                 // nothing has stopped the machine since it was last started
  StopInstruction,      // the stop instruction "90"
  InvalidOpcode,        // an operation (or servo character) the machine does not know
  BreakpointStop,       // "," with the breakpoint switch on
  InvalidOperand,       // multiplication or division of a word that is not a number
  InvalidAddress,       // an address field that is not a number, or a block past the memory
  FiftyStop,            // "50" with the "50 break" switch on Stop
  OverflowStop,         // an overflow on an instruction with the "-" modifier
  QTStop,               // a Q/T conditional stop held the machine
  ProgramLogicWarning,  // a warning shown with Special functions on
  ServoNotReady,        // a tape instruction for a servo that is not ready
  FuseBlown,            // one of the two simulated hardware faults
  KeyboardWindow,       // the keyboard input instruction left the machine stopped
  NoUnit,               // an input-output instruction for a unit that is not connected
  StopButton,           // the operator pressed Stop
  WordLimit,            // the run had executed as many words as it was allowed
  ExecuteBreakpoint,    // the run came to a location the desk watches for execution
  StoreBreakpoint,      // an instruction wrote a location the desk watches for stores
};

// A few words for the reason, in lower case: "stop instruction", "invalid opcode"...
const char* StopReasonText(StopReason reason);

}  // namespace ormlax

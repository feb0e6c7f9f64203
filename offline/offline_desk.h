// What every off-line operation works with: the working folder, the tape units (a file mounted on
// one is never touched), the desk's state, the current plugboard, the host printer and the
// operator. The installation hands these out (installation/offline_desk.h); tests build their own.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "core/operator.h"
#include "offline/host_printer.h"
#include "offline/offline_state.h"
#include "offline/plugboard.h"
#include "tape/servo_unit.h"

namespace ormlax {

// Today's date as mm-dd-yyyy.
std::string TodayText();

struct OffLineDesk {
  std::filesystem::path WorkingFolder;
  const ServoUnits& Servos;
  OffLineState& State;
  Plugboard& Board;
  Operator& Op;
  HostPrinter* Printer = nullptr;                  // none: output can only go to a target file
  std::function<std::string()> Today = TodayText;  // the date a DTMB header carries
};

// How an operation ended.
enum class OffLineOutcome {
  Completed,       // ran to its end; the state is reset
  EndedByMessage,  // ran to its end, but a message told of a fault on the tape or the board
  Refused,         // stopped by one of its messages before doing anything; nothing is reset
  HostFailure,     // the host could not read, write or print; the operator was told why and
                   // nothing is reset
  Resumed,         // the click let a run paused at a breakpoint go on
};

}  // namespace ormlax

// "HSP (Normal)": the source tape printed blockette by blockette through the current plugboard,
// with its carriage tape, on the host printer or into the target as a text file.
#pragma once

#include "offline/blockette_printing.h"
#include "offline/offline_desk.h"
#include "offline/printer_output.h"

namespace ormlax {

// The run. Called again while a run waits at a breakpoint character (the desk stays live while it
// waits), it lets that run go on and returns Resumed at once.
OffLineOutcome PrintTapeNormal(OffLineDesk& desk);

// Moves the paper to the next line punched in the channel (1-4; 6 for an automatic skip), from
// line `line` of the form. A channel punched nowhere is reported, a whole form of paper is
// slewed and the desk is asked to close; false then.
bool SkipToChannel(OffLineDesk& desk, const PrinterWiring& wiring, int code, int& line,
                   offline::PrinterOutput& output);

}  // namespace ormlax

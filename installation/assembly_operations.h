// The assembler and the loading of what it assembled, as operations on one installation that the
// desktop program's assembler window and ormlax-cli share.
#pragma once

#include <string>

#include "assembler/assembly_run.h"
#include "installation/installation.h"

namespace ormlax {

// One press of the Assemble button, for the installation's model and working folder: the object
// tape writer borrows memory words 0 to 59, the servos' tapes are never written over, and
// LastAssembledProgram is set or emptied. The machine must not be running.
AssemblyOutcome Assemble(Installation& ormlax, Operator& op, const std::string& name,
                         const AssemblyOptions& options);

// What the console does when the assembler window closes after a run without errors (when
// LastAssembledProgram is not empty): the typewriter section is shown, the typewriter is
// switched on unless it is on already, and the loading word is fed to the control register, so
// that a step reads the tape on the default servo to location 0. False, and nothing done, when
// no program has been assembled.
bool PrepareToLoadAssembledProgram(Installation& ormlax);

}  // namespace ormlax

// One press of the Assemble button: the checks before the run, the four passes, the object tape,
// the listing and the end of the run.
#pragma once

#include <filesystem>
#include <span>
#include <string>

#include "assembler/assembly_state.h"
#include "core/operator.h"
#include "core/word.h"
#include "tape/servo_unit.h"

namespace ormlax {

enum class AssemblyOutcome {
  Refused,           // refused before the run: no name, no source file, its tape in use
  HostFileError,     // a file could not be read or written
  ErrorsInAssembly,  // the listing shows the errors; the program is not loadable as assembled
  Assembled,         // the object tape and the listing are written
};

// What the assembler takes from the installation it works in.
struct AssemblyContext {
  AssemblyModel Model;
  // The machine's memory words 0 to 59: the object tape writer's buffer when the loader is
  // inserted, left holding the program's first block.
  std::span<Word, kBlockWords> Memory;
  // Their tapes' files are never written by the assembler.
  const ServoUnits& Servos;
  std::filesystem::path WorkingFolder;
  // The program last assembled without errors; emptied by a run that has any.
  std::string& LastAssembledProgram;
  Operator& Op;
};

// Assembles the program typed as `typedName` (any extension is replaced by ".asm"). Tells the
// operator of a refusal, a host file error or errors in assembly.
AssemblyOutcome AssembleProgram(AssemblyContext& c, const std::string& typedName,
                                const AssemblyOptions& options);

// The program name of a typed name: the file name part cut before its first ".".
std::string ProgramNameOf(const std::string& typedName);

}  // namespace ormlax

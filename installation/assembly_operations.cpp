#include "installation/assembly_operations.h"

#include "console/panel_operations.h"

namespace ormlax {

AssemblyOutcome Assemble(Installation& ormlax, Operator& op, const std::string& name,
                         const AssemblyOptions& options) {
  MachineState& s = ormlax.Machine;
  AssemblyContext context{
      AssemblyModel{s.AddressDigits, s.MemorySize},
      std::span<Word, kBlockWords>(s.Memory.data(), kBlockWords),
      ormlax.Servos,
      ormlax.WorkingFolder,
      ormlax.LastAssembledProgram,
      op,
  };
  return AssembleProgram(context, name, options);
}

bool PrepareToLoadAssembledProgram(Installation& ormlax) {
  if (ormlax.LastAssembledProgram.empty()) return false;
  Typewriter& typewriter = ormlax.Ormprinter;
  typewriter.ShowSection();
  // The Power key toggles: pressed only when the typewriter is off.
  if (!typewriter.State().PowerOn) typewriter.PressPower();
  LoadProgramFromServo(ormlax.Machine);
  return true;
}

}  // namespace ormlax

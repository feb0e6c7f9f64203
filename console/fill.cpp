#include "console/fill.h"

#include <string>

namespace ormlax {

void Fill(MachineState& s, Typewriter& typewriter) {
  const int a = s.rCC;
  typewriter.AppendToPrintBuffer(s.Memory[static_cast<std::size_t>(a)].View());
  typewriter.AppendToPrintBuffer("r");
  const int next = (a + 1) % s.MemorySize;
  s.rCC = next;
  s.Panel.rCCBlank = false;
  std::string digits = std::to_string(next);
  digits.insert(0, 4 - digits.size(), '0');
  s.rSR = Instruction::FromText("10" + digits);
  s.Panel.rSRBlank = false;
  typewriter.PrintPending();
}

}  // namespace ormlax

// The trace of a run: after each word the machine executes, where the word came from, the word,
// and the registers rA, rX, rL and rF as it left them.
#pragma once

#include <string>

#include "core/machine_state.h"

namespace ormlax {

// The location of a word fed to the control register with SCICR.
inline constexpr int kFromControlRegister = -1;

class WordTrace {
 public:
  virtual ~WordTrace() = default;
  // The word just executed. False once the trace has ended (its bound reached, or its file
  // could not be written): it is told nothing more.
  virtual bool AfterWord(int location, const Word& word, const MachineState& s) = 0;
};

// One line of the trace, without its line end:
//   0042  B00100A00101  rA 000000000012  rX 000000000007  rL 000000000000  rF 000000000000
// The location has the machine's address width ("rCR" for a word fed by SCICR); characters a
// person cannot read are written as escapes (see escaped_text.h).
std::string TraceLine(int location, const Word& word, const MachineState& s);

}  // namespace ormlax

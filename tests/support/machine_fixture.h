// A fresh machine of either model with a scripted operator, and helpers to load words.
#pragma once

#include <initializer_list>
#include <memory>
#include <string_view>

#include "core/processor.h"
#include "installation/installation.h"
#include "tests/support/scripted_operator.h"

namespace ormlax::testing {

inline Word W(std::string_view text) {
  return Word::FromText(text);
}

struct MachineFixture {
  explicit MachineFixture(bool modelII = false, Peripherals devices = {})
      : installation(MakeInstallation(modelII, ".")),
        s(installation->Machine),
        cpu(s, op, devices) {
    cpu.SetRunSlice(std::chrono::microseconds(0));  // yield after every word of a run
  }

  // Stores words at consecutive locations from `at`.
  void Load(int at, std::initializer_list<std::string_view> words) {
    for (std::string_view w : words) s.Memory[static_cast<std::size_t>(at++)] = W(w);
  }
  Word& Mem(int at) { return s.Memory[static_cast<std::size_t>(at)]; }

  // Puts the word to execute next at rCC, or into rCR as the console's SCICR does.
  void PlaceNextWord(std::string_view word, bool throughSCICR) {
    if (throughSCICR) {
      s.rCR = W(word);
      s.ExecuteFromCR = true;
    } else {
      Load(s.rCC, {word});
    }
  }

  // Executes one instruction on its own, as the instruction cycle would (NextAddress is left
  // as it is: set it first for transfers).
  void ExecuteAlone(std::string_view instruction) {
    cpu.ExecuteInstruction(Instruction::FromText(instruction));
  }

  std::unique_ptr<Installation> installation;
  MachineState& s;
  ScriptedOperator op;
  Processor cpu;
};

}  // namespace ormlax::testing

// An installation brought to life: the central computer wired to the tape units, the console
// typewriter and keyboard, all talking to one operator.
#pragma once

#include "console/keyboard.h"
#include "core/processor.h"
#include "installation/installation.h"
#include "tape/tape_units.h"

namespace ormlax {

class Simulator {
 public:
  Simulator(Installation& installation, Operator& op);

  Installation& Ormlax() { return installation_; }
  MachineState& Machine() { return installation_.Machine; }
  Processor& Cpu() { return cpu_; }
  ServoTable& Tapes() { return tapes_; }
  Typewriter& Ormprinter() { return installation_.Ormprinter; }
  Operator& Op() { return op_; }

 private:
  Installation& installation_;
  Operator& op_;
  ServoTable tapes_;
  Keyboard keyboard_;
  Processor cpu_;
};

}  // namespace ormlax

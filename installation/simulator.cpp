#include "installation/simulator.h"

namespace ormlax {

Simulator::Simulator(Installation& installation, Operator& op)
    : installation_(installation),
      op_(op),
      tapes_(installation.Servos, installation.Machine, op),
      keyboard_(installation.Machine, op),
      cpu_(installation.Machine, op, Peripherals{&tapes_, &installation.Ormprinter, &keyboard_}) {}

}  // namespace ormlax

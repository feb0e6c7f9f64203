// The installation's off-line desk: the operations of the off-line equipment work on its working
// folder, its tape units, and the off-line state and the plugboard it owns.
#pragma once

#include "installation/installation.h"
#include "offline/host_printer.h"
#include "offline/offline_desk.h"

namespace ormlax {

// The desk for the front end's operator and printer (none: output only into target files). The
// standard boards 0.pgb and 1.pgb are written into the working folder first where they are
// missing, so every off-line operation finds them.
OffLineDesk OpenOffLineDesk(Installation& ormlax, Operator& op, HostPrinter* printer);

}  // namespace ormlax

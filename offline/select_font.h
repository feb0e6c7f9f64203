// The printer set-up of every printer run.
#pragma once

#include "offline/host_printer.h"

namespace ormlax {

// Makes the first of the printer's fonts in which "i" is as wide as "W" the printer's font; when
// none is, the last font tried stays.
void SelectMonospacedFont(HostPrinter& printer);

}  // namespace ormlax

// The host process's standard streams.
#pragma once

namespace ormlax {

// Makes sure descriptors 0, 1 and 2 are open, on /dev/null where they were closed, before any
// other file is opened: otherwise a tape file opened later would take one of them, and what the
// program prints or reports would be written into the tape.
void HoldStandardStreams();

}  // namespace ormlax

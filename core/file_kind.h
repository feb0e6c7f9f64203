// What a host file that is not a regular file is, for the operator's messages.
#pragma once

namespace ormlax {

// "it is a folder", "it is a pipe", "it is a device"...; `mode` is the file's mode as the host
// reports it.
const char* NotARegularFile(unsigned mode);

}  // namespace ormlax

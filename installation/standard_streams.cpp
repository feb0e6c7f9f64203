#include "installation/standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

namespace ormlax {

void HoldStandardStreams() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1) continue;
    // The lowest free descriptor is the one that is closed.
    const int held = ::open("/dev/null", O_RDWR);
    if (held >= 0 && held != fd) ::close(held);
  }
}

}  // namespace ormlax

#include "core/file_kind.h"

#include <sys/stat.h>

namespace ormlax {

const char* NotARegularFile(unsigned mode) {
  if (S_ISDIR(mode)) return "it is a folder";
  if (S_ISFIFO(mode)) return "it is a pipe";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device";
  if (S_ISSOCK(mode)) return "it is a socket";
  return "it is not a regular file";
}

}  // namespace ormlax

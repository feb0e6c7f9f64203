#include "tape/new_tape_file.h"

#include <string_view>

namespace ormlax {

bool NewTapeFile::WriteBlock(const TapeBlock& block) {
  const std::array<char, kBlockBytes> bytes = BlockBytesOf(block);
  if (!file_.Write(std::string_view(bytes.data(), bytes.size()))) return false;
  ++blocks_;
  return true;
}

}  // namespace ormlax

#include "console/memory_dump.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace ormlax {

std::string MemoryDumpText(const MachineState& s) {
  int last = s.MemorySize - 1;
  while (last >= 0 && s.Memory[static_cast<std::size_t>(last)] == kZeroWord) --last;
  std::string text;
  for (int a = 0; a <= last; ++a) {
    const std::string_view w = s.Memory[static_cast<std::size_t>(a)].View();
    text += FormatAddress(s, a);
    text += "  ";
    text += w.substr(0, 6);
    text += "  ";
    text += w.substr(6);
    text += '\n';
    if (a % 10 == 9) text += '\n';
  }
  return text;
}

std::string MemoryDumpFailure(const std::filesystem::path& file, const std::string& reason) {
  return "The memory dump could not be written to\r\n" + file.string() + "\r\n(" + reason + ")";
}

bool WriteMemoryDump(const MachineState& s, const std::filesystem::path& file, std::string& error) {
  const std::string text = MemoryDumpText(s);
  errno = 0;
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (out) out.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (out) out.close();
  if (!out) {
    error = MemoryDumpFailure(file, errno != 0 ? std::strerror(errno) : "write error");
    return false;
  }
  return true;
}

}  // namespace ormlax

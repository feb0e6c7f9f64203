#include "console/memory_dump.h"

#include "core/durable_file.h"

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
  std::string reason;
  if (WriteWholeFile(file, MemoryDumpText(s), reason)) return true;
  error = MemoryDumpFailure(file, reason);
  return false;
}

}  // namespace ormlax

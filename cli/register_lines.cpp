#include "cli/register_lines.h"

#include "cli/terminal_text.h"

namespace ormlax::cli {

std::string RegisterLines(const MachineState& s) {
  std::string lines;
  const std::pair<const char*, const Word*> registers[] = {
      {"rA", &s.rA}, {"rX", &s.rX}, {"rL", &s.rL}, {"rF", &s.rF}};
  for (const auto& [name, word] : registers) {
    lines += std::string(name) + " " + EscapeControls(word->View(), false) + "\n";
  }
  lines += "rCC " + FormatAddress(s, s.rCC) + "\n";
  std::string lit;
  for (int lamp = 0; lamp < kLampCount; ++lamp) {
    if (s.Lamp[static_cast<std::size_t>(lamp)] == LampColour::Grey) continue;
    lit += (lit.empty() ? "" : ", ") + std::string(LampLabels[static_cast<std::size_t>(lamp)]);
  }
  return lines + "lamps " + (lit.empty() ? "none" : lit) + "\n";
}

}  // namespace ormlax::cli

#include "core/word_trace.h"

#include "core/escaped_text.h"

namespace ormlax {

std::string TraceLine(int location, const Word& word, const MachineState& s) {
  std::string line;
  if (location == kFromControlRegister) {
    line = "rCR";
    line.resize(std::max<std::size_t>(line.size(), static_cast<std::size_t>(s.AddressDigits)), ' ');
  } else {
    line = FormatAddress(s, location);
  }
  line += "  " + EscapeText(word.View());
  const std::pair<const char*, const Word*> registers[] = {
      {"rA", &s.rA}, {"rX", &s.rX}, {"rL", &s.rL}, {"rF", &s.rF}};
  for (const auto& [name, value] : registers) {
    line += "  ";
    line += name;
    line += ' ';
    line += EscapeText(value->View());
  }
  return line;
}

}  // namespace ormlax

// The cross-reference: every symbol with its definition and the words that use it, wrapped to
// lines of at most ten uses.
#include <algorithm>
#include <unordered_map>
#include <vector>

#include "assembler/listing.h"
#include "assembler/source_language.h"

namespace ormlax {

bool WriteCrossReference(AssemblyState& s, DurableFile& lst, std::size_t symbolWidth) {
  const int width = s.Model.AddressDigits;
  const std::size_t w = static_cast<std::size_t>(width);
  bool ok = true;
  const auto line = [&](const std::string& text) {
    if (ok && !WriteListingLine(lst, text)) ok = false;
  };
  line("");
  line("Cross-reference listing");
  line("Symbol" + std::string(symbolWidth >= 3 ? symbolWidth - 3 : 0, ' ') + "Def   Used");
  line("");

  // The uses of each name, blanks at both ends not counted.
  std::unordered_map<std::string, std::vector<Location>> uses;
  for (const auto& [name, location] : s.lstXref) {
    uses[std::string(TrimBlanks(name))].push_back(location);
  }
  const std::size_t limit = 11 * (w + 3) + symbolWidth;
  for (const auto& [name, location] : s.lstSymTab) {
    const std::string trimmed(TrimBlanks(name));
    std::string text = PadRight(trimmed, symbolWidth + 3);
    text += location == -1 ? std::string(w, '-') : RightAligned(location, width);
    s.lstXrefSort.Clear();
    if (const auto found = uses.find(trimmed); found != uses.end()) {
      for (Location use : found->second) s.lstXrefSort.Add(use, "");
    }
    s.lstXrefSort.RemoveEqualNeighbours();
    for (const auto& use : s.lstXrefSort) text += "   " + RightAligned(use.first, width);
    if (s.lstXrefSort.Empty()) text += std::string(w, ' ') + "(Symbol never used)";

    while (text.size() > limit) {
      const std::size_t blank = text.rfind(' ', limit - 1);
      if (blank == std::string::npos) break;
      const std::size_t end = text.find_last_not_of(' ', blank);
      if (end == std::string::npos) break;
      line(text.substr(0, end + 1));
      const std::string rest(TrimBlanks(std::string_view(text).substr(end + 1)));
      const std::size_t firstItem = std::min(rest.find(' '), rest.size());
      const std::size_t indent = 2 * w + symbolWidth + 6;
      text = std::string(indent > firstItem ? indent - firstItem : 0, ' ') + rest;
    }
    if (!TrimBlanks(text).empty()) line(text);
  }
  return ok;
}

}  // namespace ormlax

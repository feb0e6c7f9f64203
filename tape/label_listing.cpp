#include "tape/label_listing.h"

namespace ormlax {

std::vector<std::string> MountedTapeLabels(const ServoUnits& servos, bool modelII) {
  std::vector<std::string> lines;
  for (int s = 0; s < ServoCountOf(modelII); ++s) {
    const ServoUnit& unit = servos[static_cast<std::size_t>(s)];
    lines.push_back(std::string(1, ServoIdentifier(s)) + "  " +
                    (unit.Position != 0 ? unit.FileName : "(No tape mounted)"));
  }
  return lines;
}

}  // namespace ormlax

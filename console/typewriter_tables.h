// The typewriter's translation tables: entry k is what the typewriter prints for the machine
// character of code k. Entries are UTF-8 text, since a few printed characters are not ASCII.
#pragma once

#include <array>
#include <string_view>

namespace ormlax {

using TypewriterTable = std::array<std::string_view, 64>;

// Letters in lower case, digits as digits.
extern const TypewriterTable UnshiftedTable;
// Letters in upper case, digits as the symbols above them.
extern const TypewriterTable ShiftedTable;
// Every code printed as a character, control codes included.
extern const TypewriterTable ComputerDigitTable;

}  // namespace ormlax

// Numbers typed into plugboard files, read as leniently as the printer reads them.
#pragma once

#include <optional>
#include <string_view>

namespace ormlax::offline {

// The decimal number at the start of the text (after blanks; a sign and a fraction allowed),
// rounded to a whole number, half away from zero, and held within +-1000000000. Nothing when
// the text does not start with a number.
std::optional<long> PlugboardNumber(std::string_view text);

}  // namespace ormlax::offline

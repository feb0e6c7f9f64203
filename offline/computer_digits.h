// "HSP (Comp. Dig.)": every blockette printed as two lines, its characters and under them the
// marks of the thirteen special characters, 30 blockettes to a page.
#pragma once

#include <string>
#include <string_view>

#include "offline/offline_desk.h"

namespace ormlax {

struct SplitLine {
  std::string Characters;  // the blockette, a space where a mark is printed below
  std::string Codes;       // the marks, spaces elsewhere
};

// A character that is not a machine character is printed as the illegal character is: its mark
// "n" on the code line.
SplitLine SplitDigits(std::string_view blockette);

// The run. It always prints through board 0, "1-to-1 split": another choice is changed to it,
// and the operator told so.
OffLineOutcome PrintComputerDigits(OffLineDesk& desk);

}  // namespace ormlax

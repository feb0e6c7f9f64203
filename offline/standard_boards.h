// The installation's two standard boards, built into the program: board 0 "1-to-1 split" prints
// the ten words of a blockette with a blank between words, board 1 "Straight" prints tape
// position n at print position n. Both have a form of 66 lines with channels 1 and 7 on line 1.
#pragma once

#include <filesystem>

#include "core/operator.h"
#include "offline/plugboard_file.h"

namespace ormlax {

inline constexpr int kSplitBoard = 0;     // "1-to-1 split"
inline constexpr int kStraightBoard = 1;  // "Straight"

// What board 0 or board 1 holds.
PlugboardText StandardBoard(int boardNumber);

// Writes 0.pgb and 1.pgb into the folder where they are missing; a file already there is left
// as it is. False when one could not be written (the operator has been told).
bool WriteStandardBoards(const std::filesystem::path& folder, Operator& op);

}  // namespace ormlax

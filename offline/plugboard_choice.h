// Choosing the board the printer works through, as the desk's plugboard options and its list of
// boards do.
#pragma once

#include <string>

#include "offline/offline_desk.h"

namespace ormlax {

// Chooses an option: no usable board until the chosen one is loaded; "1-to-1 split" and
// "Straight" load board 0 or 1. True for "User": the plugboard editor is to open now, and it
// loads or creates the board.
bool ChoosePlugboardOption(OffLineDesk& desk, PlugboardChoice choice);

// Picks the board from the list: board 0 and board 1 choose their options; any other board is
// loaded and "User" chosen, so true: the editor is to open on it.
bool ChooseListedBoard(OffLineDesk& desk, int boardNumber);

// Makes board n the printer's board without the editor, as a board saved by the editor is:
// loaded, and its option chosen ("User" for a board other than 0 and 1). False when it could not
// be loaded (the operator has been told).
bool UseBoard(OffLineDesk& desk, int boardNumber);

// What the desk shows about the loaded board: "Using 1.pgb Straight"; empty when none is loaded.
std::string WhichBoardText(const Plugboard& board);

}  // namespace ormlax

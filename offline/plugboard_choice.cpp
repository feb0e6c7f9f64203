#include "offline/plugboard_choice.h"

#include "offline/plugboard_file.h"

namespace ormlax {

bool ChoosePlugboardOption(OffLineDesk& desk, PlugboardChoice choice) {
  desk.State.Choice = choice;
  desk.Board.FormLength = kNoUsableBoard;
  if (choice == PlugboardChoice::User) return true;
  LoadPlugboard(desk.Board, static_cast<int>(choice), desk.WorkingFolder, desk.Op);
  return false;
}

bool ChooseListedBoard(OffLineDesk& desk, int boardNumber) {
  desk.Board.BoardNumber = static_cast<std::int16_t>(boardNumber);
  if (boardNumber == 0 || boardNumber == 1) {
    return ChoosePlugboardOption(desk, static_cast<PlugboardChoice>(boardNumber));
  }
  LoadPlugboard(desk.Board, boardNumber, desk.WorkingFolder, desk.Op);
  return ChoosePlugboardOption(desk, PlugboardChoice::User);
}

bool UseBoard(OffLineDesk& desk, int boardNumber) {
  desk.State.Choice = boardNumber == 0   ? PlugboardChoice::Split
                      : boardNumber == 1 ? PlugboardChoice::Straight
                                         : PlugboardChoice::User;
  return LoadPlugboard(desk.Board, boardNumber, desk.WorkingFolder, desk.Op);
}

std::string WhichBoardText(const Plugboard& board) {
  if (board.BoardFileName.empty()) return "";
  return "Using " + board.BoardFileName + " " + board.BoardName;
}

}  // namespace ormlax

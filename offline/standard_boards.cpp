#include "offline/standard_boards.h"

#include <cstdio>
#include <system_error>

namespace ormlax {
namespace {

// A print position as the editor writes it: three digits.
std::string Position(int p) {
  char text[8];
  std::snprintf(text, sizeof text, "%03d", p);
  return text;
}

}  // namespace

PlugboardText StandardBoard(int boardNumber) {
  PlugboardText board;
  WiringColumnTexts& normal = board.Rows[0];
  if (boardNumber == kSplitBoard) {
    board.Name = "1-to-1 split";
    for (int w = 0; w < 10; ++w) {
      for (int k = 0; k < 12; ++k)
        normal[static_cast<std::size_t>(12 * w + k)] = Position(13 * w + k + 1);
    }
  } else {
    board.Name = "Straight";
    for (int n = 1; n <= kBlocketteLength; ++n)
      normal[static_cast<std::size_t>(n - 1)] = Position(n);
  }
  board.FormLength = "66";
  board.Channels[0] = "1";
  board.Channels[6] = "1";
  return board;
}

bool WriteStandardBoards(const std::filesystem::path& folder, Operator& op) {
  bool ok = true;
  for (int n : {kSplitBoard, kStraightBoard}) {
    std::error_code ec;
    if (std::filesystem::symlink_status(folder / PlugboardFileName(n), ec).type() !=
        std::filesystem::file_type::not_found) {
      continue;
    }
    ok = SavePlugboard(n, StandardBoard(n), folder, op) && ok;
  }
  return ok;
}

}  // namespace ormlax

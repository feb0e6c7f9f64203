// Plugboard files: n.pgb in the working folder, 17 lines ended by CR LF: the eight wiring rows
// ("<" + 120 entries separated by "," + ">"), the form length ("<66>"), the seven carriage
// channels ("<1,34>") and the board's name.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "core/operator.h"
#include "offline/plugboard.h"

namespace ormlax {

// "7.pgb" for board 7.
std::string PlugboardFileName(int boardNumber);

// Makes board n's file the current plugboard. A file that cannot be opened is reported ("Cannot
// open plugboard file 7.pgb") and leaves no usable board (form length -1, no file name); the
// rest of the board keeps what it held. A file that breaks the format is read leniently: missing
// lines read as empty, pieces after the 121st are ignored, numbers are read as their leading
// decimal number, punched lines outside the form are not punched.
bool LoadPlugboard(Plugboard& board, int boardNumber, const std::filesystem::path& folder,
                   Operator& op);

struct PlugboardEntry {
  std::string Text;  // "Payroll (5.pgb)"
  int BoardNumber = 0;
};

// Every regular file "*.pgb" of the folder whose name begins with a digit, in the order the
// folder lists them, as its board's name and file name. Each board is loaded to read its name; a
// board that cannot be loaded is left out. The board current before the listing stays current.
std::vector<PlugboardEntry> ListPlugboards(Plugboard& board, const std::filesystem::path& folder,
                                           Operator& op);

// One above the highest board number of the folder's "*.pgb" files, and at least 3.
int NextFreeBoardNumber(const std::filesystem::path& folder);

using WiringColumnTexts = std::array<std::string, kBlocketteLength>;

// What the editor saves: wiring rows 1-8, the form length and the channels as typed, the name.
struct PlugboardText {
  std::array<WiringColumnTexts, kWiringRows - 1> Rows;  // index 0 is wiring row 1
  std::string FormLength;
  std::array<std::string, kChannels> Channels;
  std::string Name;
};

// Writes board n's file. The old file stays as it was unless the whole new one could be
// written; when it cannot, "Cannot open plugboard file 7.pgb" and the host's reason are shown.
bool SavePlugboard(int boardNumber, const PlugboardText& text, const std::filesystem::path& folder,
                   Operator& op);

// The text of the file SavePlugboard writes.
std::string PlugboardFileText(const PlugboardText& text);

}  // namespace ormlax

// The plugboard loader: any file as board 5 is listed, loaded as the printer's board, printed
// through (a short tape of figures, into a text file) when it can be used, and opened in the
// plugboard editor for modification and saved again.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "offline/name_acceptance.h"
#include "offline/offline_desk.h"
#include "offline/plugboard_choice.h"
#include "offline/plugboard_editor.h"
#include "offline/plugboard_file.h"
#include "offline/print_normal.h"
#include "tape/tape_file.h"

namespace ormlax::fuzz {
namespace {

// Three blocks of figures, signs, letters and the printer's control characters, then a record
// that stops the printer.
std::string PrinterTape() {
  const std::string pattern = "0012345 -67890ABCDEFnrt1234567890i00000c0123s";
  std::string bytes;
  for (int r = 0; r < 3 * kBlockRecords; ++r) {
    std::string text;
    while (text.size() < kRecordCharacters) text += pattern;
    text = text.substr(static_cast<std::size_t>(r) % pattern.size(), kRecordCharacters);
    if (r == 3 * kBlockRecords - 1) text = "s" + std::string(kRecordCharacters - 1, ' ');
    bytes += std::string("z\0", 2) + text.substr(0, kRecordCharacters) + "\r\n";
  }
  return bytes;
}

}  // namespace
}  // namespace ormlax::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ormlax;
  using namespace ormlax::fuzz;
  const fs::path& folder = ScratchFolder();
  WriteFile(folder / "5.pgb", std::string_view(reinterpret_cast<const char*>(data), size));
  WriteFile(folder / "in.tap", PrinterTape());

  ServoUnits servos;
  OffLineState state;
  Plugboard board;
  QuietOperator op;
  OffLineDesk desk{
      folder, servos, state, board, op, nullptr, [] { return std::string("01-02-1962"); }};

  ListPlugboards(board, folder, op);
  if (UseBoard(desk, 5)) {
    WhichBoardText(board);
    if (board.Usable() && AcceptSource(desk, "in.tap") == NameAcceptance::Accepted &&
        AcceptTarget(desk, "out.txt") == NameAcceptance::Accepted) {
      PrintTapeNormal(desk);
    }
  }

  board.BoardNumber = 5;
  PlugboardEditor editor(board, folder, op);
  editor.Open();  // loads board 5 for modification
  editor.Done();
  return 0;
}

#include "offline/blockette_printing.h"

#include <algorithm>

#include "offline/leading_number.h"
#include "offline/text_files.h"

namespace ormlax {

using namespace offline;  // the off-line equipment's file and run helpers
namespace {

bool IsBlankedOnPrinting(char c) {
  return c == 'i' || c == 'r' || c == 'c' || c == 't' || c == 's' || c == 'b';
}

std::uint8_t PositionOf(const std::string& entry) {
  if (entry.empty()) return 0;
  const std::optional<long> p = PlugboardNumber(entry);
  return p && *p >= 1 && *p <= kPrintPositions ? static_cast<std::uint8_t>(*p) : 0;
}

std::uint8_t ZeroMarkOf(const std::string& entry) {
  std::uint8_t mark = 0;
  if (entry.find('N') != std::string::npos) mark |= kZeroMarkNormal;
  if (entry.find('M') != std::string::npos) mark |= kZeroMarkMultiline;
  if (entry.find('+') != std::string::npos) mark |= kZeroMarkStart;
  return mark;
}

}  // namespace

PrinterWiring WiringOf(const Plugboard& board) {
  PrinterWiring wiring;
  for (std::size_t row = 0; row < wiring.Positions.size(); ++row) {
    for (std::size_t i = 0; i < kBlocketteLength; ++i) {
      wiring.Positions[row][i] = PositionOf(board.Wiring[row + kNormalRow][i]);
    }
  }
  for (std::size_t i = 0; i < kBlocketteLength; ++i) {
    wiring.ZeroMarks[i] = ZeroMarkOf(board.Wiring[kZeroSuppressionRow][i]);
  }
  wiring.MultilineCount = std::clamp<int>(board.MultilineCount, 0, kMaxMultilines);
  wiring.FormLength = board.FormLength;
  wiring.CarriageTape = board.CarriageTape;
  return wiring;
}

std::vector<std::string> PrintBlocketteLines(const PrinterWiring& wiring,
                                             std::string_view blockette, bool multiline) {
  const std::size_t length = std::min<std::size_t>(blockette.size(), kBlocketteLength);
  std::array<char, kBlocketteLength> b{};
  for (std::size_t p = 0; p < length; ++p) {
    b[p] = IsBlankedOnPrinting(blockette[p]) ? ' ' : blockette[p];
  }
  const std::uint8_t kind = multiline ? kZeroMarkMultiline : kZeroMarkNormal;
  bool suppressing = false;
  for (std::size_t p = 0; p < kBlocketteLength; ++p) {
    const std::uint8_t mark = wiring.ZeroMarks[p];
    if (mark & kind) suppressing = (mark & kZeroMarkStart) != 0;
    if (!suppressing || p >= length) continue;
    if (b[p] == '0') {
      b[p] = ' ';
    } else {
      suppressing = false;
    }
  }
  const auto line = [&](std::size_t row) {
    std::string text(kPrintPositions, ' ');
    const auto& positions = wiring.Positions[row];
    for (std::size_t i = 0; i < length; ++i) {
      if (positions[i] != 0) text[positions[i] - 1u] = b[i];
    }
    return text;
  };
  std::vector<std::string> lines;
  if (!multiline) {
    lines.push_back(line(0));
  } else {
    for (int m = 1; m <= wiring.MultilineCount; ++m)
      lines.push_back(line(static_cast<std::size_t>(m)));
  }
  return lines;
}

std::string PrintBlockette(const Plugboard& board, std::string_view blockette, bool multiline) {
  std::string text;
  for (const std::string& line : PrintBlocketteLines(WiringOf(board), blockette, multiline)) {
    if (!text.empty()) text += kCrLf;
    text += line;
  }
  return text;
}

int WrapLine(int x, int n) {
  if (n < 1) return 1;
  const int r = ((x % n) + n) % n;
  return r == 0 ? n : r;
}

}  // namespace ormlax

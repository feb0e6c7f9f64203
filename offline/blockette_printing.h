// A blockette through the plugboard: special characters blanked, leading zeros suppressed where
// the board says, and each character routed to its print position on the normal line or on the
// multiline lines.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "offline/plugboard.h"

namespace ormlax {

// The board as a printer run reads it, taken once at the start of the run: print positions as
// numbers, the zero suppression marks as flags.
struct PrinterWiring {
  // Row 0 the normal line, rows 1-6 ML1-ML6: the print position (1-130) of tape position i+1,
  // or 0 where it is not printed.
  std::array<std::array<std::uint8_t, kBlocketteLength>, 1 + kMaxMultilines> Positions{};
  // The zero suppression mark at tape position i+1 (ZeroMark bits).
  std::array<std::uint8_t, kBlocketteLength> ZeroMarks{};
  int MultilineCount = 0;
  int FormLength = 0;
  std::vector<std::uint16_t> CarriageTape;
};

enum ZeroMark : std::uint8_t {
  kZeroMarkNormal = 1,     // "N": applies to normal blockettes
  kZeroMarkMultiline = 2,  // "M": applies to multiline blockettes
  kZeroMarkStart = 4,      // "+": starts a field; without it the mark ends one
};

PrinterWiring WiringOf(const Plugboard& board);

// The lines of one blockette, 130 characters each: one for a normal blockette, MultilineCount
// for a multiline one. Positions past the end of a short blockette print nothing.
std::vector<std::string> PrintBlocketteLines(const PrinterWiring& wiring,
                                             std::string_view blockette, bool multiline);

// The same lines joined by CR LF.
std::string PrintBlockette(const Plugboard& board, std::string_view blockette, bool multiline);

// The line of the form x comes to on a form of n lines: 1 to n.
int WrapLine(int x, int n);

}  // namespace ormlax

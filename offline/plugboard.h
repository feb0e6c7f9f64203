// The high-speed printer's plugboard: where each character of a blockette is printed, on the
// normal line and on up to six multiline lines, where leading zeros are suppressed, and the
// carriage control tape that goes with it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace ormlax {

inline constexpr int kWiringRows = 9;       // row 0 unused; 1 normal; 2-7 ML1-ML6; 8 zero marks
inline constexpr int kWiringColumns = 121;  // column 120 unused; column i is tape position i+1
inline constexpr int kBlocketteLength = 120;
inline constexpr int kNormalRow = 1;
inline constexpr int kZeroSuppressionRow = 8;
inline constexpr int kMaxMultilines = 6;
inline constexpr int kPrintPositions = 130;  // of one printed line
inline constexpr int kChannels = 7;
inline constexpr int kAutomaticSkipStart = 5;  // the channel that starts an automatic skip
inline constexpr int kAutomaticSkipEnd = 6;    // ... and the one it skips to
inline constexpr std::int16_t kNoBoardNumber = -1;
inline constexpr std::int16_t kNoUsableBoard = -1;  // a form length: no board could be loaded
// The longest form a board may have: the form length is a 16-bit number.
inline constexpr int kLongestForm = 32767;

// The mask of channel k (1-7) in the carriage tape.
constexpr std::uint16_t ChannelMask(int channel) {
  return static_cast<std::uint16_t>(1u << (channel - 1));
}

using WiringRow = std::array<std::string, kWiringColumns>;

struct Plugboard {
  std::int16_t BoardNumber = kNoBoardNumber;  // the board chosen from the list; -1 none
  std::string BoardFileName;                  // "7.pgb"; empty after a failed load
  std::string BoardName;
  std::array<WiringRow, kWiringRows> Wiring{};  // empty text: not wired
  std::int16_t MultilineCount = 0;
  std::int16_t FormLength = 0;  // lines on one form; below 1 no usable board is loaded
  // The channels punched on lines 0 to FormLength, a bit per channel (ChannelMask).
  std::vector<std::uint16_t> CarriageTape;

  // A board the printer can run on: a form of at least one line with its carriage tape.
  bool Usable() const {
    return FormLength >= 1 && CarriageTape.size() == static_cast<std::size_t>(FormLength) + 1;
  }
};

}  // namespace ormlax

#include "assembler/loader.h"

#include <algorithm>

#include "assembler/source_language.h"
#include "core/machine_state.h"

namespace ormlax {
namespace {

using Halves = std::vector<std::string>;

constexpr std::size_t kHalvesPerBlock = 2 * kBlockWords;

std::string Digits(Location value, std::size_t width) {
  std::string text = std::to_string(value);
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  return text.substr(text.size() - width);
}

// "3 " and the load location of middle block i.
std::string StoreMiddleBlock(Location i) {
  return "3 " + Digits(kBlockWords * i, 4);
}

// The eight words that write zeros into `count` words from `start`.
void AppendClearRoutine(Halves& halves, Location start, Location count) {
  const std::string words[] = {
      "000000000000", Digits(count, 12), "000000000001", "F00000G0" + Digits(start, 4),
      "B00003A00002", "C00003B00001",    "S00002H00001", "L00000T00003",
  };
  for (const std::string& w : words) {
    halves.push_back(w.substr(0, 6));
    halves.push_back(w.substr(6));
  }
}

// Where the clearing starts: never on the words the routine runs from. Working storage below
// them lies within the blocks the routine stores afterwards, whose padding is zeros.
void ClearStorage(Halves& halves, Location start, Location total, Location routineWords) {
  const Location from = std::max(start, routineWords);
  AppendClearRoutine(halves, from, std::max<Location>(1, total - (from - start)));
}

void PadToLeftHalf(Halves& halves) {
  if (halves.size() % 2 != 0) halves.push_back("000000");
}

std::string FinalJump(bool overflowRoutine) {
  return overflowRoutine ? "U00004" : "U00000";
}

TapeBlock BlockOf(const Halves& halves) {
  TapeBlock block;
  block.fill(kZeroWord);
  for (std::size_t w = 0; 2 * w < halves.size(); ++w) {
    const std::string right = 2 * w + 1 < halves.size() ? halves[2 * w + 1] : "000000";
    block[w] = Word::FromText(halves[2 * w] + right);
  }
  return block;
}

// The routine of the text given for it: clear, "1 0000", one "3" per middle block, the last pair.
Halves OneBlockRoutine(Location start, Location total, Location middleBlocks, bool overflowRoutine,
                       Location routineWords) {
  Halves halves;
  if (total > 0) ClearStorage(halves, start, total, routineWords);
  halves.push_back("1 0000");
  for (Location i = 1; i <= middleBlocks; ++i) halves.push_back(StoreMiddleBlock(i));
  PadToLeftHalf(halves);
  halves.push_back("300000");
  halves.push_back(FinalJump(overflowRoutine));
  return halves;
}

LoadingRoutine TwoBlockRoutine(Location start, Location total, Location middleBlocks,
                               bool overflowRoutine) {
  // Block A at 0-59: clear, read middle block 2, store 2 ... j, jump to B; its last word stores
  // the program's first block and jumps to the program.
  Halves a;
  if (total > 0) ClearStorage(a, start, total, 2 * kBlockWords);
  a.push_back("1 0000");
  const std::size_t room =
      kHalvesPerBlock - a.size() - 4;  // the jump to B (maybe padded), the pair
  Location next = 2;
  for (std::size_t n = 0; n < room && next <= middleBlocks; ++n)
    a.push_back(StoreMiddleBlock(next++));
  if (a.size() % 2 == 0) a.push_back("000000");
  a.push_back("U0" + Digits(kBlockWords, 4));
  const Location finalWord = static_cast<Location>(a.size() / 2);
  a.push_back("300000");
  a.push_back(FinalJump(overflowRoutine));

  // Block B at 60-119: store the rest, then middle block 1 over B itself and back to A.
  Halves b;
  while (next <= middleBlocks) b.push_back(StoreMiddleBlock(next++));
  PadToLeftHalf(b);
  b.push_back(StoreMiddleBlock(1));
  b.push_back("U0" + Digits(finalWord, 4));

  LoadingRoutine routine;
  routine.Blocks.push_back(BlockOf({"1 0000", StoreMiddleBlock(1), "300000", "U00000"}));
  routine.Blocks.push_back(BlockOf(b));
  routine.Blocks.push_back(BlockOf(a));
  routine.MiddleBlockOneLast = true;
  return routine;
}

}  // namespace

LoadingRoutine BuildLoadingRoutine(Location start, Location total, Location middleBlocks,
                                   bool overflowRoutine) {
  middleBlocks = std::max<Location>(middleBlocks, 1);
  const Halves text = OneBlockRoutine(start, total, middleBlocks, overflowRoutine, 0);
  if (text.size() > kHalvesPerBlock) {
    return TwoBlockRoutine(start, total, middleBlocks, overflowRoutine);
  }
  const Location routineWords = static_cast<Location>(text.size() / 2);
  LoadingRoutine routine;
  routine.Blocks.push_back(
      BlockOf(OneBlockRoutine(start, total, middleBlocks, overflowRoutine, routineWords)));
  return routine;
}

Location MostWordsLoaded(int memorySize) {
  return std::min<Location>(memorySize, (kMaxMemorySize / kBlockWords) * kBlockWords);
}

}  // namespace ormlax

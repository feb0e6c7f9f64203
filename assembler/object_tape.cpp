#include "assembler/object_tape.h"

#include <algorithm>
#include <optional>

#include "assembler/intermediate_files.h"
#include "assembler/loader.h"
#include "assembler/source_language.h"

namespace ormlax {
namespace {

constexpr Location kTapeWords = static_cast<Location>(kTapeBlocks) * kBlockWords;

TapeBlock PadBlock() {
  TapeBlock block;
  block.fill(kZeroWord);
  return block;
}

// The words of ".i5", one after the other.
class FinishedWords {
 public:
  bool Open(const std::filesystem::path& path) { return file_.OpenForReading(path); }
  std::optional<Word> Next() {
    if (!file_.Next(line_)) return std::nullopt;
    return Word::FromText(std::string_view(line_).substr(0, Word::kLength));
  }
  // The location written after the word just read.
  Location LocationOfLast() const {
    const std::size_t tab = line_.find(kTab);
    return tab == std::string::npos ? 0 : LeadingNumber(std::string_view(line_).substr(tab + 1));
  }
  const LineReader& File() const { return file_; }

 private:
  LineReader file_;
  std::string line_;
};

// The next up to 60 words as a block padded with zero words; false when none is left.
bool NextBlock(FinishedWords& words, Location& left, TapeBlock& block) {
  if (left <= 0) return false;
  block = PadBlock();
  for (std::size_t w = 0; w < kBlockWords && left > 0; ++w, --left) {
    if (const auto word = words.Next()) block[w] = *word;
  }
  return true;
}

class TapeWriter {
 public:
  TapeWriter(AssemblyState& s, NewTapeFile& tape) : s_(s), tape_(tape) {}

  bool Start(const std::filesystem::path& path) {
    if (tape_.Begin(path)) return true;
    return FailRun(s_, AssemblerFileMessage(path, "cannot be written", tape_.Reason()));
  }
  bool Write(const TapeBlock& block) {
    if (tape_.WriteBlock(block)) return true;
    return Abandon(tape_.Reason());
  }
  // A tape that could not be written whole is not left to be loaded: the old one stays.
  bool Abandon(const std::string& reason) {
    tape_.Abandon();
    return FailRun(s_, AssemblerFileMessage(tape_.Path(), "cannot be written", reason));
  }

 private:
  AssemblyState& s_;
  NewTapeFile& tape_;
};

// The location of the word at `number` (from 1) in ".i5", for an error about it.
Location LocationOfWord(AssemblyState& s, Location number) {
  FinishedWords words;
  if (!words.Open(s.FileOf(".i5"))) return 0;
  for (Location n = 1; n <= number; ++n) {
    if (!words.Next()) break;
  }
  return words.LocationOfLast();
}

bool TooManyWords(AssemblyState& s) {
  const Location most = s.Options.InsertLoader ? MostWordsLoaded(s.Model.MemorySize) : kTapeWords;
  if (s.WordCount <= most) return false;
  RecordError(s, kTooManyWordsToLoad, LocationOfWord(s, most + 1));
  s.AssemblyOk = false;
  return true;
}

}  // namespace

bool WriteObjectTape(AssemblyState& s, std::span<Word, kBlockWords> memory, NewTapeFile& file) {
  if (TooManyWords(s)) return true;
  FinishedWords words;
  if (!words.Open(s.FileOf(".i5"))) {
    return FailRun(s,
                   AssemblerFileMessage(s.FileOf(".i5"), "cannot be read", words.File().Error()));
  }
  TapeWriter tape(s, file);
  if (!tape.Start(s.FileOf(".obj"))) return false;
  Location left = s.WordCount;
  TapeBlock block;
  if (!s.Options.InsertLoader) {
    if (left == 0) return tape.Write(PadBlock());
    while (NextBlock(words, left, block)) {
      if (!tape.Write(block)) return false;
    }
  } else {
    // Memory is the buffer of the program's first block, written last.
    std::fill(memory.begin(), memory.end(), kZeroWord);
    NextBlock(words, left, block);
    std::copy(block.begin(), block.end(), memory.begin());
    const Location middleBlocks = std::max<Location>(1, (left + kBlockWords - 1) / kBlockWords);
    const LoadingRoutine routine = BuildLoadingRoutine(s.WorkingStorageStart, s.WorkingStorageTotal,
                                                       middleBlocks, s.Options.InsertOverflowCode);
    for (const TapeBlock& b : routine.Blocks) {
      if (!tape.Write(b)) return false;
    }
    std::optional<TapeBlock> firstMiddle;
    for (Location i = 1; i <= middleBlocks; ++i) {
      if (!NextBlock(words, left, block)) block = PadBlock();
      if (i == 1 && routine.MiddleBlockOneLast) {
        firstMiddle = block;
      } else if (!tape.Write(block)) {
        return false;
      }
    }
    if (firstMiddle && !tape.Write(*firstMiddle)) return false;
    std::copy(memory.begin(), memory.end(), block.begin());
    if (!tape.Write(block)) return false;
  }
  if (!words.File().Error().empty()) return tape.Abandon(words.File().Error());
  return true;
}

bool CommitObjectTape(AssemblyState& s, NewTapeFile& tape) {
  if (tape.Commit()) return true;
  return FailRun(s, AssemblerFileMessage(tape.Path(), "cannot be written", tape.Reason()));
}

}  // namespace ormlax

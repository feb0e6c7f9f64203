// Speed of the off-line equipment on a full tape of 1950 blocks: printed through a plugboard with
// zero suppression into a text file, and converted to text.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench/quiet_operator.h"
#include "offline/offline_desk.h"
#include "offline/plugboard_file.h"
#include "offline/print_normal.h"
#include "offline/tape_conversions.h"
#include "tape/tape_file.h"

namespace ormlax {
namespace {

// A folder with a full tape of numbers (each word 0 followed by its number, mostly leading
// zeros) and board 3: tape position n at print position n, leading zeros suppressed in every
// word, a form of 66 lines with an automatic skip from line 60 to line 66.
struct OffLineBench {
  OffLineBench() {
    folder = std::filesystem::temp_directory_path() / "ormlax_offline_bench";
    std::filesystem::create_directories(folder);
    TapeFile tape;
    tape.StartNewTape(folder / "full.tap");
    for (int b = 0; b < kTapeBlocks; ++b) {
      TapeBlock block;
      for (int w = 0; w < kBlockWords; ++w) {
        const std::string n = std::to_string(b * kBlockWords + w);
        block[static_cast<std::size_t>(w)] = Word::FromText(std::string(12 - n.size(), '0') + n);
      }
      tape.WriteBlock(b * kBlockRecords + 1, block);
    }
    PlugboardText board;
    for (int p = 0; p < 120; ++p) {
      const std::string n = std::to_string(p + 1);
      board.Rows[0][static_cast<std::size_t>(p)] = std::string(3 - n.size(), '0') + n;
      if (p % 12 == 0) board.Rows[7][static_cast<std::size_t>(p)] = "N+";
      if (p % 12 == 11) board.Rows[7][static_cast<std::size_t>(p)] = "N";
    }
    board.FormLength = "66";
    board.Channels = {"1", "", "", "", "60", "66", "1"};
    board.Name = "Numbers";
    SavePlugboard(3, board, folder, op);
    LoadPlugboard(plugboard, 3, folder, op);
    desk.WorkingFolder = folder;
  }
  ~OffLineBench() { std::filesystem::remove_all(folder); }

  void Name() {
    state.Source = SourceKind::OrmlaxTape;
    state.SourcePath = (folder / "full.tap").string();
    state.Target = TargetKind::Overwritable;
    state.TargetPath = (folder / "out.txt").string();
    state.MayOverwrite = true;
  }

  std::filesystem::path folder;
  ServoUnits servos;
  OffLineState state;
  Plugboard plugboard;
  QuietOperator op;
  OffLineDesk desk{folder, servos, state, plugboard, op};
};

// One iteration prints the 11700 blockettes of a full tape into a text file.
void BM_PrintFullTape(benchmark::State& state) {
  OffLineBench bench;
  for (auto _ : state) {
    bench.Name();
    if (PrintTapeNormal(bench.desk) != OffLineOutcome::Completed || bench.op.messages != 0) {
      state.SkipWithError("the tape was not printed");
      break;
    }
  }
  // 11700 lines of 130 characters and the blank lines of one automatic skip per form.
  const auto size = std::filesystem::file_size(bench.folder / "out.txt");
  if (size < 11700u * 132u) state.SkipWithError("the printout is short");
  state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_PrintFullTape)->Unit(benchmark::kMillisecond);

// One iteration writes the 117000 words of a full tape into a text file, a word to a line.
void BM_ConvertFullTape(benchmark::State& state) {
  OffLineBench bench;
  for (auto _ : state) {
    bench.Name();
    if (ConvertTapeToText(bench.desk) != OffLineOutcome::Completed) {
      state.SkipWithError("the tape was not converted");
      break;
    }
  }
  if (std::filesystem::file_size(bench.folder / "out.txt") != 117000u * 14u) {
    state.SkipWithError("the text is not the whole tape");
  }
}
BENCHMARK(BM_ConvertFullTape)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ormlax

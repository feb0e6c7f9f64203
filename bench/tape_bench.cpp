// Speed of the tape units: a program writes a full tape, rewinds it and reads it back.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <initializer_list>
#include <string_view>

#include "bench/quiet_operator.h"
#include "installation/simulator.h"
#include "tape/tape_mounting.h"

namespace ormlax {
namespace {

void Load(MachineState& s, int at, std::initializer_list<std::string_view> words) {
  for (std::string_view w : words) s.Memory[static_cast<std::size_t>(at++)] = Word::FromText(w);
}

// One iteration is the whole program on a fresh tape: 1950 blocks written, a rewind and 1950
// blocks read, on servo "-" of an ORMLAX I.
void BM_TapeRoundTrip(benchmark::State& state) {
  const auto folder = std::filesystem::temp_directory_path() / "ormlax_tape_bench";
  std::filesystem::create_directories(folder);
  auto ormlax = MakeInstallation(false, folder, 1);
  QuietOperator op;
  Simulator sim(*ormlax, op);
  MachineState& s = sim.Machine();
  Load(s, 0,
       {
           "5-0100A00900",  // write 100-159; count
           "T00000000003",  // after block 1950 go to 3
           "U00000000000",
           "6-0000B00901",  // rewind; count from 0 again
           "1-0000A00900",  // read a block; count
           "T00000000007",  // after block 1950 go to 7
           "U00000000004",
           "900000000000",
       });
  Load(s, 900, {"000000000001", "000000000000"});
  for (int i = 0; i < 60; ++i)
    s.Memory[static_cast<std::size_t>(100 + i)] = Word::FromText("DATA WORD 60");

  std::uint64_t blocks = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(folder / "round.tap");
    // Absent: a blank tape (the question's default); a tape left from before is dismounted.
    MountTape(ormlax->Servos, 0, op, folder, "round.tap", false);
    s.rCC = 0;
    s.rA = kZeroWord;
    s.rL = Word::FromText("000000001949");
    state.ResumeTiming();
    sim.Cpu().Run();
    state.PauseTiming();
    if (s.LastStop != StopReason::StopInstruction || s.rA != Word::FromText("000000001950")) {
      state.SkipWithError("the program did not write and read 1950 blocks");
      break;
    }
    blocks += 2 * 1950;
    state.ResumeTiming();
  }
  state.counters["blocks_per_second"] =
      benchmark::Counter(static_cast<double>(blocks), benchmark::Counter::kIsRate);
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_TapeRoundTrip)->Unit(benchmark::kMillisecond);

// Mounting a full tape of 1950 blocks: both steps, every record checked.
void BM_MountFullTape(benchmark::State& state) {
  const auto folder = std::filesystem::temp_directory_path() / "ormlax_mount_bench";
  std::filesystem::create_directories(folder);
  {
    TapeFile tape;
    tape.StartNewTape(folder / "full.tap");
    TapeBlock block;
    block.fill(Word::FromText("DATA WORD 60"));
    for (int b = 0; b < kTapeBlocks; ++b) tape.WriteBlock(1 + b * kBlockRecords, block);
  }
  auto ormlax = MakeInstallation(false, folder, 1);
  QuietOperator op;
  for (auto _ : state) {
    if (!MountTape(ormlax->Servos, 1, op, folder, "full.tap", true)) {
      state.SkipWithError("the full tape did not mount");
      break;
    }
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_MountFullTape)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ormlax

// Speed of the tape units: a program writes a full tape, rewinds it and reads it back.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <initializer_list>
#include <string_view>

#include "bench/quiet_operator.h"
#include "installation/simulator.h"
#include "tape/servo_window.h"

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
    ServoWindow window(ormlax->Servos, op, folder, false);
    std::string none;
    window.Open(none);
    window.SelectServo(0);
    window.txtFileName = "round.tap";
    window.NameFile();  // absent: a blank tape (the question's default)
    window.Mount();
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
    // Dismount: the next iteration starts from an empty servo.
    ormlax->Servos[0].File.Close();
    ormlax->Servos[0].State = ServoState::Empty;
    state.ResumeTiming();
  }
  state.counters["blocks_per_second"] =
      benchmark::Counter(static_cast<double>(blocks), benchmark::Counter::kIsRate);
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_TapeRoundTrip)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ormlax

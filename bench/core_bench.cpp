// Speed of the instruction cycle: words per second for loops of typical instructions.
#include <benchmark/benchmark.h>

#include <initializer_list>
#include <string_view>

#include "bench/quiet_operator.h"
#include "core/processor.h"
#include "installation/installation.h"

namespace ormlax {
namespace {

void Load(MachineState& s, int at, std::initializer_list<std::string_view> words) {
  for (std::string_view w : words) s.Memory[static_cast<std::size_t>(at++)] = Word::FromText(w);
}

// Runs the loop at location 0 word by word, as the run loop does, and reports words per second.
void RunLoopBenchmark(benchmark::State& state, std::initializer_list<std::string_view> program,
                      std::initializer_list<std::string_view> data) {
  auto installation = MakeInstallation(false, ".");
  MachineState& s = installation->Machine;
  Load(s, 0, program);
  Load(s, 100, data);
  QuietOperator op;
  Processor cpu(s, op);
  s.Running = true;
  for (auto _ : state) {
    cpu.StepWord(true);
  }
  if (!s.Running) state.SkipWithError("the loop stopped");
  state.SetItemsProcessed(state.iterations());
}

void BM_AddLoop(benchmark::State& state) {
  RunLoopBenchmark(state, {"B00100A00101", "S00102H00103", "T00000U00000"},
                   {"000000000005", "000000000007", "000000000003"});
}
BENCHMARK(BM_AddLoop);

void BM_MulDivLoop(benchmark::State& state) {
  RunLoopBenchmark(state, {"L00100M00101", "D00102P00101", "H00103U00000"},
                   {"050000000000", "025000000000", "012500000000"});
}
BENCHMARK(BM_MulDivLoop);

}  // namespace
}  // namespace ormlax

BENCHMARK_MAIN();

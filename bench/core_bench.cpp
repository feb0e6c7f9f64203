// Speed of the instruction cycle: words per second for loops of typical instructions.
#include <benchmark/benchmark.h>

#include <array>
#include <span>
#include <string_view>

#include "bench/quiet_operator.h"
#include "core/breakpoints.h"
#include "core/processor.h"
#include "installation/installation.h"

namespace ormlax {
namespace {

void Load(MachineState& s, int at, std::span<const std::string_view> words) {
  for (std::string_view w : words) s.Memory[static_cast<std::size_t>(at++)] = Word::FromText(w);
}

// Runs the loop at location 0 word by word, as the run loop does, and reports words per second.
void RunLoopBenchmark(benchmark::State& state, std::span<const std::string_view> program,
                      std::span<const std::string_view> data) {
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

constexpr std::array<std::string_view, 3> kAddLoop = {"B00100A00101", "S00102H00103",
                                                      "T00000U00000"};
constexpr std::array<std::string_view, 3> kAddData = {"000000000005", "000000000007",
                                                      "000000000003"};
constexpr std::array<std::string_view, 3> kMulDivLoop = {"L00100M00101", "D00102P00101",
                                                         "H00103U00000"};
constexpr std::array<std::string_view, 3> kMulDivData = {"050000000000", "025000000000",
                                                         "012500000000"};

void BM_AddLoop(benchmark::State& state) {
  RunLoopBenchmark(state, kAddLoop, kAddData);
}
BENCHMARK(BM_AddLoop);

void BM_MulDivLoop(benchmark::State& state) {
  RunLoopBenchmark(state, kMulDivLoop, kMulDivData);
}
BENCHMARK(BM_MulDivLoop);

// The same loops through Processor::Run with its default time slice: each iteration is one run
// of a million words, ended by the word limit.
constexpr std::uint64_t kWordsPerRun = 1'000'000;

void RunBenchmark(benchmark::State& state, std::span<const std::string_view> program,
                  std::span<const std::string_view> data, bool breakpoint) {
  auto installation = MakeInstallation(false, ".");
  MachineState& s = installation->Machine;
  Load(s, 0, program);
  Load(s, 100, data);
  QuietOperator op;
  Processor cpu(s, op);
  Breakpoints breakpoints;
  if (breakpoint) {
    // Armed, and never reached by the loop.
    breakpoints.Add(BreakpointKind::Execute, 500, 1);
    cpu.SetBreakpoints(&breakpoints);
  }
  cpu.SetWordLimit(kWordsPerRun);
  for (auto _ : state) {
    s.rCC = 0;
    cpu.Run();
    if (s.LastStop != StopReason::WordLimit) state.SkipWithError("the loop stopped");
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kWordsPerRun));
}

void BM_RunAddLoop(benchmark::State& state) {
  RunBenchmark(state, kAddLoop, kAddData, false);
}
BENCHMARK(BM_RunAddLoop)->Unit(benchmark::kMillisecond);

void BM_RunMulDivLoop(benchmark::State& state) {
  RunBenchmark(state, kMulDivLoop, kMulDivData, false);
}
BENCHMARK(BM_RunMulDivLoop)->Unit(benchmark::kMillisecond);

void BM_RunAddLoopBreakpoint(benchmark::State& state) {
  RunBenchmark(state, kAddLoop, kAddData, true);
}
BENCHMARK(BM_RunAddLoopBreakpoint)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ormlax

BENCHMARK_MAIN();

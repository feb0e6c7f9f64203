// Speed of the console typewriter: words printed per second, from the print buffer to the paper.
#include <benchmark/benchmark.h>

#include <array>
#include <random>

#include "console/typewriter.h"

namespace ormlax {
namespace {

void BM_TypewriterPrint(benchmark::State& state) {
  std::mt19937 random(1);
  Typewriter typewriter(random);
  typewriter.PressPower();
  TypewriterState& ts = typewriter.State();
  ts.PaperLeft = kNewRollLines;
  // Typical output: text with shifts and a line end, numbers with tabs, plain words.
  const std::array<Word, 4> words = {
      Word::FromText("$T?OTAL  -12"),
      Word::FromText("34567890123r"),
      Word::FromText("0000012t3.5t"),
      Word::FromText("RESULT%X =1r"),
  };
  std::size_t next = 0;
  for (auto _ : state) {
    typewriter.PrintWord(words[next]);
    next = (next + 1) % words.size();
    if (ts.PaperLeft < 100) ts.PaperLeft = kNewRollLines;
  }
  benchmark::DoNotOptimize(ts.Paper.data());
  if (!typewriter.PrintBufferEmpty() || ts.Paper.empty()) state.SkipWithError("nothing printed");
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TypewriterPrint);

}  // namespace
}  // namespace ormlax

// Speed of the assembler: a whole run on a large generated source, every file written.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "assembler/assembly_run.h"
#include "bench/quiet_operator.h"

namespace ormlax {
namespace {

std::string SymbolName(int n) {
  char name[16];
  std::snprintf(name, sizeof name, "S%04d", n);
  return name;
}

// 9000 instruction lines on ORMLAX II, 2000 of them labelled, each using a symbol and one of 300
// different automatic constants.
std::string LargeSource() {
  constexpr int kLines = 9000;
  constexpr int kSymbols = 2000;
  constexpr int kConstants = 300;
  std::string source = "; generated for the benchmark\r\n";
  int symbol = 0;
  for (int line = 0; line < kLines; ++line) {
    if (line % 9 == 0 || line % 9 == 5) source += SymbolName(symbol++);
    char constant[16];
    std::snprintf(constant, sizeof constant, "+%c%03d", "ABCDEFGHIJKL"[line % 12],
                  line % kConstants);
    source += "\tB " + SymbolName((line * 7) % kSymbols) + "+1\tA " + constant + "\tline " +
              std::to_string(line) + "\r\n";
  }
  source += "BUF\tWS\t100\r\n";
  return source;
}

void BM_Assemble(benchmark::State& state) {
  const auto folder = std::filesystem::temp_directory_path() / "ormlax_assembler_bench";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "large.asm", std::ios::binary) << LargeSource();
  std::array<Word, kBlockWords> memory{};
  ServoUnits servos;
  std::string lastAssembled;
  QuietOperator op;
  AssemblyContext context{AssemblyModel{4, 10000},
                          std::span<Word, kBlockWords>(memory),
                          servos,
                          folder,
                          lastAssembled,
                          op};
  AssemblyOptions options;
  options.InsertLoader = true;
  for (auto _ : state) {
    if (AssembleProgram(context, "large", options) != AssemblyOutcome::Assembled) {
      state.SkipWithError("the large source did not assemble");
      break;
    }
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_Assemble)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ormlax

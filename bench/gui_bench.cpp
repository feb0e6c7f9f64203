// Speed of a run in the real console window on the offscreen platform: words per second while
// the window stays live, and how soon a click on Stop ends the run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include "app/console_window.h"
#include "app/qt_operator.h"
#include "installation/installation.h"
#include "installation/simulator.h"

namespace ormlax::app {
namespace {

constexpr int kRunMilliseconds = 1000;

void BM_ConsoleRunAndStop(benchmark::State& state) {
  auto ormlax = MakeInstallation(false, ".", 1);
  QtOperator op;
  Simulator sim(*ormlax, op);
  ConsoleWindow window(*ormlax, sim);
  op.Attach(&window);
  window.show();
  QApplication::processEvents();
  MachineState& s = ormlax->Machine;
  s.Memory[0] = Word::FromText("A00010U00000");  // an endless loop that keeps adding
  s.Memory[10] = Word::FromText("000000000001");
  auto* run = window.findChild<QPushButton*>("cmdRun");
  auto* stop = window.findChild<QPushButton*>("cmdStop");

  double words = 0, runSeconds = 0, worstLatency = 0;
  for (auto _ : state) {
    s.rCC = 0;
    s.rA = kZeroWord;
    const std::uint64_t before = window.Machine().Cpu().WordsExecuted();
    QElapsedTimer clock;
    clock.start();
    // The operator's click on Stop arrives at a fixed moment, as a mouse event waiting in the
    // queue until the run next looks in on the interface.
    QTimer::singleShot(kRunMilliseconds, stop, [stop] {
      const QPoint centre = stop->rect().center();
      QApplication::postEvent(
          stop, new QMouseEvent(QEvent::MouseButtonPress, centre, stop->mapToGlobal(centre),
                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
      QApplication::postEvent(
          stop, new QMouseEvent(QEvent::MouseButtonRelease, centre, stop->mapToGlobal(centre),
                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    });
    run->click();
    const double elapsed = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    words += static_cast<double>(window.Machine().Cpu().WordsExecuted() - before);
    runSeconds += elapsed;
    worstLatency = std::max(worstLatency, elapsed * 1000.0 - kRunMilliseconds);
    if (s.Running) state.SkipWithError("Stop did not end the run");
  }
  state.counters["words_per_second"] = words / runSeconds;
  state.counters["stop_latency_ms"] = worstLatency;
}
BENCHMARK(BM_ConsoleRunAndStop)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace ormlax::app

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// Speed of a run in the real console window on the offscreen platform: words per second while
// the window stays live, and how soon a click on Stop ends the run, also after a program has
// printed ten million characters without a line end.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "app/console_window.h"
#include "app/qt_operator.h"
#include "installation/installation.h"
#include "installation/simulator.h"

namespace ormlax::app {
namespace {

constexpr int kRunMilliseconds = 1000;
constexpr std::uint64_t kPrintedCharacters = 10'000'000;

// The operator's click on Stop, as mouse events waiting in the queue until the run next looks
// in on the interface.
void PostClick(QPushButton* button) {
  const QPoint centre = button->rect().center();
  QApplication::postEvent(
      button, new QMouseEvent(QEvent::MouseButtonPress, centre, button->mapToGlobal(centre),
                              Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
  QApplication::postEvent(
      button, new QMouseEvent(QEvent::MouseButtonRelease, centre, button->mapToGlobal(centre),
                              Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

// A console window on a fresh ORMLAX I, shown.
struct Console {
  Console() : ormlax(MakeInstallation(false, ".", 1)), sim(*ormlax, op), window(*ormlax, sim) {
    op.Attach(&window);
    window.show();
    QApplication::processEvents();
  }
  QPushButton* Button(const char* name) { return window.findChild<QPushButton*>(name); }

  std::unique_ptr<Installation> ormlax;
  QtOperator op;
  Simulator sim;
  ConsoleWindow window;
};

void BM_ConsoleRunAndStop(benchmark::State& state) {
  Console c;
  MachineState& s = c.ormlax->Machine;
  s.Memory[0] = Word::FromText("A00010U00000");  // an endless loop that keeps adding
  s.Memory[10] = Word::FromText("000000000001");
  QPushButton* run = c.Button("cmdRun");
  QPushButton* stop = c.Button("cmdStop");

  double words = 0, runSeconds = 0, worstLatency = 0;
  for (auto _ : state) {
    s.rCC = 0;
    s.rA = kZeroWord;
    const std::uint64_t before = c.sim.Cpu().WordsExecuted();
    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(kRunMilliseconds, stop, [stop] { PostClick(stop); });
    run->click();
    const double elapsed = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    words += static_cast<double>(c.sim.Cpu().WordsExecuted() - before);
    runSeconds += elapsed;
    worstLatency = std::max(worstLatency, elapsed * 1000.0 - kRunMilliseconds);
    if (s.Running) state.SkipWithError("Stop did not end the run");
  }
  state.counters["words_per_second"] = words / runSeconds;
  state.counters["stop_latency_ms"] = worstLatency;
}
BENCHMARK(BM_ConsoleRunAndStop)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

// A program that prints a counter again and again without a line end, with the typewriter
// section shown and switched on: Stop is clicked once ten million characters are printed.
void BM_ConsoleStopAfterAnEndlessLine(benchmark::State& state) {
  Console c;
  c.Button("cmdOrmprinter")->click();
  c.Button("cmdUPPwrOn")->click();
  MachineState& s = c.ormlax->Machine;
  s.Memory[0] = Word::FromText("A00011H00010");  // add 1 to the counter at 10
  s.Memory[1] = Word::FromText("500010U00000");  // print it, and again
  s.Memory[11] = Word::FromText("000000000001");
  QPushButton* run = c.Button("cmdRun");
  QPushButton* stop = c.Button("cmdStop");
  // Two words a counter of twelve characters.
  constexpr std::uint64_t kWords = 2 * (kPrintedCharacters / 12 + 1);

  double worstLatency = 0, characters = 0, printSeconds = 0;
  for (auto _ : state) {
    s.rCC = 0;
    s.Memory[10] = kZeroWord;
    const std::uint64_t before = c.sim.Cpu().WordsExecuted();
    QElapsedTimer clock;
    clock.start();
    qint64 clickedAt = -1;
    // Looks in between words of the run, as often as the run lets the interface in.
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
      if (c.sim.Cpu().WordsExecuted() - before < kWords) return;
      watch.stop();
      clickedAt = clock.nsecsElapsed();
      PostClick(stop);
    });
    watch.start();
    run->click();
    const qint64 ended = clock.nsecsElapsed();
    watch.stop();
    if (clickedAt < 0 || s.Running) {
      state.SkipWithError("the run ended before Stop, or did not end");
      break;
    }
    worstLatency = std::max(worstLatency, static_cast<double>(ended - clickedAt) / 1e6);
    characters += static_cast<double>(std::stoull(s.Memory[10].Text()) * 12);
    printSeconds += static_cast<double>(clickedAt) / 1e9;
  }
  state.counters["stop_latency_ms"] = worstLatency;
  state.counters["characters_per_second"] = characters / printSeconds;
}
BENCHMARK(BM_ConsoleStopAfterAnEndlessLine)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

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

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTreeWidget>
#include <QtTest>

#include "app/console_window.h"
#include "app/debugging_dialog.h"
#include "app/memory_window.h"
#include "app/qt_operator.h"
#include "installation/console_operations.h"
#include "installation/installation.h"
#include "installation/simulator.h"
#include "tools/screenshots/scenes.h"

namespace ormlax::screenshots {
namespace {

constexpr std::uint32_t kSeed = 1;

void TypeInto(QWidget& window, const QString& field, const QString& text) {
  auto* edit = Child<QLineEdit>(window, field);
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

void TypeAndEnter(QWidget& window, const QString& field, const QString& text) {
  TypeInto(window, field, text);
  QTest::keyClick(Child<QLineEdit>(window, field), Qt::Key_Return);
}

QString WatchLine(app::MemoryWindow& memory) {
  auto* list = Child<QListWidget>(memory, "lstWatch");
  return list->count() > 0 ? list->item(0)->text() : QString();
}

// Presses Run with the message that ends the run answered, and tells what it said.
QString RunToTheMessage(Camera& camera, app::ConsoleWindow& console, Simulator& sim) {
  camera.ShootNextModal("");
  Click(console, "cmdRun");
  camera.Expect(QTest::qWaitFor([&] { return !sim.Machine().Running; }, 5000),
                "the run stops at the breakpoint");
  return QString::fromStdString(sim.StopText());
}

}  // namespace

void DebuggingScenes(Camera& camera, const std::filesystem::path& folder) {
  auto ormlax = MakeInstallation(false, folder, kSeed);
  app::QtOperator op;
  Simulator sim(*ormlax, op);
  app::ConsoleWindow console(*ormlax, sim);
  op.Attach(&console);
  console.show();

  // 1. The program, keyed in word after word.
  TypeAndEnter(console, "txtVal0", "B00050A00051");
  TypeAndEnter(console, "txtVal0", "H00050U00000");
  TypeInto(console, "txtLoc", "051");
  TypeAndEnter(console, "txtVal0", "000000000001");
  Click(console, "cmdClearPC");
  camera.Expect(ormlax->Machine.Memory[1].Text() == "H00050U00000" &&
                    ormlax->Machine.Memory[51].Text() == "000000000001",
                "the program is in memory");

  // 2. to 4. The desk, a store breakpoint with a count, the memory window watching 050.
  Click(console, "chkProgDebug");
  Click(console, "cmdDebug");
  auto* desk = console.findChild<app::DebuggingDialog*>("frmDebugging");
  camera.Expect(desk != nullptr && desk->isVisible(), "the Debugging window opens");
  if (desk == nullptr) return;
  Click(*desk, "optBreakStore");
  TypeInto(*desk, "txtBreakLocation", "050");
  TypeInto(*desk, "txtBreakCount", "5");
  Click(*desk, "cmdBreakAdd");
  camera.Expect(Child<QTreeWidget>(*desk, "lstBreakpoints")->topLevelItemCount() == 1,
                "one breakpoint in the list");
  Click(*desk, "cmdMemoryWindow");
  auto* memory = desk->findChild<app::MemoryWindow*>("frmMemory");
  camera.Expect(memory != nullptr && memory->isVisible(), "the memory window opens");
  if (memory == nullptr) return;
  TypeAndEnter(*memory, "txtWatch", "050");

  // 5. The run to the fifth store.
  const QString stop = RunToTheMessage(camera, console, sim);
  camera.Expect(stop == "store breakpoint 1 at 050, hit 5", "the breakpoint's stop, not " + stop);
  camera.Expect(WatchLine(*memory) == "050  000000000005 *",
                "the watch shows 5: " + WatchLine(*memory));
  camera.Expect(Child<QLineEdit>(console, "txtCC")->text() == "000", "rCC shows 000");
  TypeAndEnter(*memory, "txtMemFrom", "000");
  camera.Shoot(*desk, "debugging");
  camera.Shoot(*memory, "memory");

  // 6. Saved, run on to hit 10, restored.
  TypeInto(*desk, "txtSessionFile", "mine.txt");
  camera.ShootNextModal("");  // "The session is saved in mine.txt"
  Click(*desk, "cmdSaveSession");
  RunToTheMessage(camera, console, sim);
  camera.Expect(ormlax->Machine.Memory[50].Text() == "000000000010", "050 holds 10");
  Click(*desk, "cmdRestoreSession");
  camera.Expect(ormlax->Machine.Memory[50].Text() == "000000000005", "050 holds 5 again");
  SwitchOff(*ormlax);
}

}  // namespace ormlax::screenshots

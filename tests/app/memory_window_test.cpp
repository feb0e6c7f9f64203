// The Debugging window's memory window, opened from the console and driven by its controls.
#include <QListWidget>
#include <QTableWidget>
#include <QtTest>

#include "app/debugging_dialog.h"
#include "app/memory_window.h"
#include "tests/app/console_fixture.h"

namespace ormlax::app {
namespace {

using testing::ClickButton;
using testing::Console;

// Opens the Debugging window from the console, and the memory window from it.
MemoryWindow* OpenMemoryWindow(Console& c) {
  if (c.Find<QPushButton>("cmdDebug")->isHidden()) c.Click("chkProgDebug");
  c.Click("cmdDebug");
  auto* desk = c.window.findChild<DebuggingDialog*>("frmDebugging");
  if (!desk || !desk->isVisible()) return nullptr;
  ClickButton(desk->findChild<QPushButton*>("cmdMemoryWindow"));
  auto* memory = desk->findChild<MemoryWindow*>("frmMemory");
  return memory && memory->isVisible() ? memory : nullptr;
}

QString Cell(MemoryWindow* w, int row, int column) {
  QTableWidgetItem* item = w->findChild<QTableWidget*>("tblMemory")->item(row, column);
  return item ? item->text() : QString();
}

class MemoryWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void theDebuggingButtonComesWithSpecialFunctions() {
    Console c(false);
    QVERIFY(c.Find<QPushButton>("cmdDebug")->isHidden());
    c.Click("chkProgDebug");
    QVERIFY(!c.Find<QPushButton>("cmdDebug")->isHidden());
    QCOMPARE(c.Find<QPushButton>("cmdDebug")->text(), QString("Debugging"));
    c.Click("chkProgDebug");
    QVERIFY(c.Find<QPushButton>("cmdDebug")->isHidden());
  }

  void showsWordsAsInstructionsFromAnyLocation() {
    Console c(true);
    c.StoreWords("100", {"B00200A00201", "1A0000O00000"});
    MemoryWindow* w = OpenMemoryWindow(c);
    QVERIFY(w != nullptr);
    QCOMPARE(Cell(w, 0, 0), QString("0000"));
    auto* from = w->findChild<QLineEdit*>("txtMemFrom");
    from->selectAll();
    QTest::keyClicks(from, "100");
    QTest::keyClick(from, Qt::Key_Return);
    QCOMPARE(from->text(), QString("0100"));
    const QStringList first = {"0100", "B00200A00201", "B00200", "Bring", "A00201", "Add"};
    for (int column = 0; column < first.size(); ++column) {
      QCOMPARE(Cell(w, 0, column), first[column]);
    }
    QCOMPARE(Cell(w, 1, 3), QString("Read forward"));
    QCOMPARE(Cell(w, 1, 5), QString("(invalid)"));
    auto* table = w->findChild<QTableWidget*>("tblMemory");
    QVERIFY(!table->item(0, 3)->toolTip().isEmpty());  // the one-line description

    // The last page ends at the end of memory.
    from->selectAll();
    QTest::keyClicks(from, "9999");
    QTest::keyClick(from, Qt::Key_Return);
    QCOMPARE(Cell(w, MemoryWindow::kRows - 1, 0), QString("9999"));
  }

  void aWordTypedOverIsStoredAsTheConsoleWouldStoreIt() {
    Console c(false);
    c.StoreWords("5", {"000000000000"});  // the console's Location is now 006
    MemoryWindow* w = OpenMemoryWindow(c);
    QVERIFY(w != nullptr);
    auto* table = w->findChild<QTableWidget*>("tblMemory");
    table->setCurrentCell(6, 1);
    QCOMPARE(w->findChild<QLabel*>("labMemEdit")->text(), QString("Location 006"));
    auto* edit = w->findChild<QLineEdit*>("txtMemEdit");
    edit->setFocus();
    QTest::keyClicks(edit, "b00100h00200");  // letters in upper case, entering at the right
    QCOMPARE(edit->text(), QString("B00100H00200"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(c.ormlax->Machine.Memory[6].Text(), std::string("B00100H00200"));
    QCOMPARE(Cell(w, 6, 1), QString("B00100H00200"));
    // The panel shows its Contents at its next refresh.
    QTRY_COMPARE(c.Text("txtVal0"), QString("B00100H00200"));
  }

  // During a run nothing can be stored, and the window and its watch follow the running program.
  void aRunIsFollowedAndCannotBeTypedInto() {
    Console c(true);
    // 0000: rA := (0100) + (0101); (0100) := rA; back to 0000.
    c.StoreWords("0", {"B00100A00101", "H00100U00000"});
    c.StoreWords("101", {"000000000001"});
    c.Click("cmdClearPC");
    MemoryWindow* w = OpenMemoryWindow(c);
    QVERIFY(w != nullptr);
    auto* watch = w->findChild<QLineEdit*>("txtWatch");
    QTest::keyClicks(watch, "100");
    QTest::keyClick(watch, Qt::Key_Return);
    auto* list = w->findChild<QListWidget*>("lstWatch");
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QString("0100  000000000000"));
    w->findChild<QTableWidget*>("tblMemory")->setCurrentCell(3, 1);
    QVERIFY(w->findChild<QLineEdit*>("txtMemEdit")->isEnabled());

    bool editable = true;
    QString watched;
    c.AtTheConsoleWhen([&] { return list->item(0)->text().endsWith(" *"); },
                       [&] {
                         editable = w->findChild<QLineEdit*>("txtMemEdit")->isEnabled() ||
                                    w->findChild<QPushButton*>("cmdMemStore")->isEnabled();
                         watched = list->item(0)->text();
                         c.Click("cmdStop");
                       });
    c.Click("cmdRun");
    QVERIFY2(c.failure.isEmpty(), qPrintable(c.failure));
    QVERIFY(!editable);
    QVERIFY2(watched != "0100  000000000000 *", qPrintable(watched));
    // At the stop the watch shows the word the run left, marked as changed by it.
    const std::string left = c.ormlax->Machine.Memory[100].Text();
    QCOMPARE(list->item(0)->text(), QString::fromStdString("0100  " + left + " *"));
    QVERIFY(w->findChild<QLineEdit*>("txtMemEdit")->isEnabled());
    list->setCurrentRow(0);
    ClickButton(w->findChild<QPushButton*>("cmdWatchRemove"));
    QCOMPARE(list->count(), 0);
  }
};

}  // namespace
}  // namespace ormlax::app

QTEST_MAIN(ormlax::app::MemoryWindowTest)
#include "memory_window_test.moc"

// The Debugging window opened from the console and driven by its controls: breakpoints that stop
// runs, the trace of a run, and a session saved midway and restored into a fresh installation.
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStyleOptionViewItem>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/debugging_dialog.h"
#include "app/memory_window.h"
#include "console/memory_dump.h"
#include "tape/tape_mounting.h"
#include "tests/app/console_fixture.h"
#include "tests/app/controls.h"

namespace ormlax::app {
namespace {

namespace fs = std::filesystem;
using testing::ClickButton;
using testing::Console;

// More words than any program here runs: a breakpoint that is never met ends the run here
// instead of leaving it to run for ever.
constexpr std::uint64_t kWordGuard = 200'000;

void Load(Console& c, int at, const QStringList& words) {
  for (const QString& w : words) c.ormlax->Machine.Memory[at++] = Word::FromText(w.toStdString());
}

std::string ReadAt(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

QString LastMessage(Console& c) {
  return c.op.messages.empty() ? QString() : QString::fromStdString(c.op.messages.back());
}

// The Debugging window of a console, opened with its button (shown with Special functions).
struct Desk {
  explicit Desk(Console& console) : c(console) {
    if (c.Find<QPushButton>("cmdDebug")->isHidden()) c.Click("chkProgDebug");
    c.Click("cmdDebug");
    w = c.window.findChild<DebuggingDialog*>("frmDebugging");
    if (w == nullptr || !w->isVisible()) qFatal("the Debugging window did not open");
  }

  template <typename T = QWidget>
  T* Find(const QString& name) {
    return testing::Child<T>(*w, name);
  }
  void Click(const QString& name) { testing::Click(*w, name); }
  void Type(const QString& box, const QString& text) {
    auto* edit = Find<QLineEdit>(box);
    edit->clear();
    QTest::keyClicks(edit, text);
  }
  QTreeWidget* List() { return Find<QTreeWidget>("lstBreakpoints"); }

  void SetBreakpoint(bool store, const QString& location, const QString& count) {
    Click(store ? "optBreakStore" : "optBreakExecute");
    Type("txtBreakLocation", location);
    Type("txtBreakCount", count);
    Click("cmdBreakAdd");
  }
  // The rows of the list as they read: "on 1 store 102 5 0".
  QStringList Rows() {
    QStringList rows;
    for (int i = 0; i < List()->topLevelItemCount(); ++i) {
      QTreeWidgetItem* item = List()->topLevelItem(i);
      QStringList texts = {item->checkState(0) == Qt::Checked ? "on" : "off"};
      for (int column = 1; column < List()->columnCount(); ++column) texts << item->text(column);
      rows << texts.join(' ');
    }
    return rows;
  }
  void Select(int row) {
    QTreeWidgetItem* item = List()->topLevelItem(row);
    const QRect place = List()->visualItemRect(item);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                      QPoint(place.right() - 4, place.center().y()));
  }
  // A click on the On check box of the row.
  void Switch(int row) {
    const QModelIndex index = List()->model()->index(row, 0);
    QStyleOptionViewItem option;
    option.initFrom(List()->viewport());
    option.rect = List()->visualRect(index);
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QRect box =
        List()->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, List());
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, box.center());
  }
  QString Trace() { return Find<QLabel>("labTrace")->text(); }

  Console& c;
  DebuggingDialog* w = nullptr;
};

// A loop: 10 adds 1 to rA and stores it at 102, 11 goes back to 10.
void LoadCountingLoop(Console& c) {
  Load(c, 10, {"A00101H00102", "000000U00010"});
  Load(c, 101, {"000000000001"});
  c.ormlax->Machine.rCC = 10;
  c.window.RefreshFromState();
  c.sim.Cpu().SetWordLimit(kWordGuard);
}

class DebuggingDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void aRunStopsAtTheCountedHitOfABreakpoint_data() {
    QTest::addColumn<bool>("modelII");
    QTest::addColumn<bool>("store");
    QTest::addColumn<QString>("location");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("named");  // the breakpoint as the message names it, without hit
    QTest::addColumn<QString>("cc");
    // Before the word at 11 runs, with rCC at 11; after the word at 10 that wrote 102.
    QTest::newRow("execute, ORMLAX I")
        << false << false << "11" << 1 << "execute breakpoint 1 at 011"
        << "011";
    QTest::newRow("execute, count 3, ORMLAX II")
        << true << false << "11" << 3 << "execute breakpoint 1 at 0011"
        << "0011";
    QTest::newRow("store, count 5, ORMLAX I")
        << false << true << "102" << 5 << "store breakpoint 1 at 102"
        << "011";
    QTest::newRow("store, count 2, ORMLAX II")
        << true << true << "0102" << 2 << "store breakpoint 1 at 0102"
        << "0011";
  }
  void aRunStopsAtTheCountedHitOfABreakpoint() {
    QFETCH(bool, modelII);
    QFETCH(bool, store);
    QFETCH(QString, location);
    QFETCH(int, count);
    QFETCH(QString, named);
    QFETCH(QString, cc);
    Console c(modelII);
    LoadCountingLoop(c);
    Desk d(c);
    d.SetBreakpoint(store, location, QString::number(count));
    const QString kind = store ? "store" : "execute";
    QCOMPARE(d.Rows(),
             QStringList{QString("on 1 %1 %2 %3 0").arg(kind, named.section(' ', -1)).arg(count)});
    const StopReason reason = store ? StopReason::StoreBreakpoint : StopReason::ExecuteBreakpoint;
    // Run again from the stop: the run goes on to the next counted hit.
    for (const int round : {1, 2}) {
      c.op.messages.clear();
      c.Click("cmdRun");
      QCOMPARE(c.ormlax->Machine.LastStop, reason);
      const QString text = QString("%1, hit %2").arg(named).arg(round * count);
      QCOMPARE(LastMessage(c), "Stopped by " + text);
      QCOMPARE(c.op.messages.size(), std::size_t{1});
      QCOMPARE(QString::fromStdString(c.sim.StopText()), text);
      QCOMPARE(c.Text("txtCC"), cc);
      QCOMPARE(c.Lamp("Lamp4"), LampColour::Red);
      QCOMPARE(c.ormlax->Machine.Memory[102].Text(),
               QString::number(round * count).rightJustified(12, '0').toStdString());
      QCOMPARE(d.List()->topLevelItem(0)->text(5), QString::number(round * count));
    }
  }

  void aBadLocationOrCountIsRefusedWithAMessage_data() {
    QTest::addColumn<bool>("modelII");
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("message");
    const QString locationI = "A breakpoint's location is a number from 000 to 999";
    const QString locationII = "A breakpoint's location is a number from 0000 to 9999";
    const QString countText = "A breakpoint's count is a whole number from 1 up";
    QTest::newRow("no location") << false << ""
                                 << "1" << locationI;
    QTest::newRow("past the memory of ORMLAX I") << false << "1000"
                                                 << "1" << locationI;
    QTest::newRow("past the memory of ORMLAX II") << true << "10000"
                                                  << "1" << locationII;
    QTest::newRow("negative") << true << "-1"
                              << "1" << locationII;
    QTest::newRow("letters") << false << "1O0"
                             << "1" << locationI;
    QTest::newRow("count 0") << false << "100"
                             << "0" << countText;
    QTest::newRow("no count") << true << "100"
                              << "" << countText;
    QTest::newRow("count not a number") << false << "100"
                                        << "2x" << countText;
    QTest::newRow("count too long") << false << "100"
                                    << "99999999999" << countText;
  }
  void aBadLocationOrCountIsRefusedWithAMessage() {
    QFETCH(bool, modelII);
    QFETCH(QString, location);
    QFETCH(QString, count);
    QFETCH(QString, message);
    Console c(modelII);
    Desk d(c);
    d.SetBreakpoint(false, "5", "1");
    c.op.messages.clear();
    for (const char* button : {"cmdBreakAdd", "cmdBreakChange"}) {
      d.Select(0);
      d.Type("txtBreakLocation", location);
      d.Type("txtBreakCount", count);
      d.Click(button);
      QCOMPARE(LastMessage(c), message);
      QCOMPARE(c.sim.Breaks().List().size(), std::size_t{1});  // nothing added or changed
      const QString five = modelII ? "0005" : "005";
      QCOMPARE(d.Rows(), QStringList{"on 1 execute " + five + " 1 0"});
    }
    QCOMPARE(c.op.messages.size(), std::size_t{2});
  }

  // The list's buttons and its On check boxes, and what the runs after them do.
  void breakpointsAreChangedSwitchedRemovedAndCleared() {
    Console c(false);
    LoadCountingLoop(c);
    Desk d(c);
    for (const char* button : {"cmdBreakChange", "cmdBreakRemove", "cmdBreakClear"}) {
      QVERIFY2(!d.Find(button)->isEnabled(), button);
    }
    d.SetBreakpoint(false, "11", "1");
    d.SetBreakpoint(true, "102", "2");
    QCOMPARE(d.Rows(), (QStringList{"on 1 execute 011 1 0", "on 2 store 102 2 0"}));
    QVERIFY(d.Find("cmdBreakClear")->isEnabled());
    QVERIFY(!d.Find("cmdBreakChange")->isEnabled());

    // Word 10 writes 102 (a hit of 2), then the execute breakpoint stops the run before 11.
    c.Click("cmdRun");
    QCOMPARE(LastMessage(c), QString("Stopped by execute breakpoint 1 at 011, hit 1"));
    QCOMPARE(d.Rows(), (QStringList{"on 1 execute 011 1 1", "on 2 store 102 2 1"}));

    // Switched off, 1 counts nothing more; 2 stops the run on its second hit.
    d.Switch(0);
    QVERIFY(!c.sim.Breaks().Find(1)->Enabled);
    c.Click("cmdRun");
    QCOMPARE(LastMessage(c), QString("Stopped by store breakpoint 2 at 102, hit 2"));
    QCOMPARE(c.ormlax->Machine.Memory[102].Text(), std::string("000000000002"));
    QCOMPARE(d.Rows(), (QStringList{"off 1 execute 011 1 1", "on 2 store 102 2 2"}));

    // Choosing a breakpoint puts it into the controls; Change gives it new ones and new hits.
    d.Select(1);
    QVERIFY(d.Find<QRadioButton>("optBreakStore")->isChecked());
    QCOMPARE(d.Find<QLineEdit>("txtBreakLocation")->text(), QString("102"));
    QCOMPARE(d.Find<QLineEdit>("txtBreakCount")->text(), QString("2"));
    QVERIFY(d.Find("cmdBreakChange")->isEnabled());
    QVERIFY(d.Find("cmdBreakRemove")->isEnabled());
    d.Click("optBreakExecute");
    d.Type("txtBreakLocation", "10");
    d.Type("txtBreakCount", "1");
    d.Click("cmdBreakChange");
    QCOMPARE(d.Rows(), (QStringList{"off 1 execute 011 1 1", "on 2 execute 010 1 0"}));
    c.Click("cmdRun");  // from 11, back to 10
    QCOMPARE(LastMessage(c), QString("Stopped by execute breakpoint 2 at 010, hit 1"));
    QCOMPARE(c.Text("txtCC"), QString("010"));

    // Switched on again, 1 counts its hits afresh.
    d.Switch(0);
    QCOMPARE(d.Rows(), (QStringList{"on 1 execute 011 1 0", "on 2 execute 010 1 1"}));

    d.Select(1);
    d.Click("cmdBreakRemove");
    QCOMPARE(d.Rows(), QStringList{"on 1 execute 011 1 0"});
    QVERIFY(!d.Find("cmdBreakRemove")->isEnabled());
    d.SetBreakpoint(true, "102", "1");  // numbers are not given twice
    QCOMPARE(d.Rows(), (QStringList{"on 1 execute 011 1 0", "on 3 store 102 1 0"}));

    d.Click("cmdBreakClear");
    QVERIFY(d.Rows().isEmpty());
    QVERIFY(c.sim.Breaks().List().empty());
    QVERIFY(!d.Find("cmdBreakClear")->isEnabled());
    d.SetBreakpoint(false, "11", "4");  // numbering starts again
    QCOMPARE(d.Rows(), QStringList{"on 1 execute 011 4 0"});

    // None on: the run goes on to its limit.
    d.Switch(0);
    c.op.messages.clear();
    c.Click("cmdRun");
    QCOMPARE(c.ormlax->Machine.LastStop, StopReason::WordLimit);
    QVERIFY(c.op.messages.empty());
  }

  void aTraceHoldsEveryWordTheRunExecuted_data() {
    QTest::addColumn<bool>("modelII");
    QTest::newRow("ORMLAX I") << false;
    QTest::newRow("ORMLAX II") << true;
  }
  void aTraceHoldsEveryWordTheRunExecuted() {
    QFETCH(bool, modelII);
    Console c(modelII);
    // 0: rA := (100) + (101); 1: (103) := rA and on to 3, past the stop at 2;
    // 3: rL := (103), rA := rA - (101); 4: rF := (104), stop.
    Load(c, 0, {"B00100A00101", "H00103U00003", "900000000000", "L00103S00101", "F00104900000"});
    Load(c, 100, {"000000000005", "000000000007", "000000000000", "000000000000", "111111000000"});
    Desk d(c);
    QCOMPARE(d.Find<QLineEdit>("txtTraceFile")->text(), QString("trace.txt"));
    QCOMPARE(d.Trace(), QString("No trace"));
    d.Type("txtTraceFile", "run.trace");
    d.Click("chkTrace");
    QVERIFY(d.Find<QCheckBox>("chkTrace")->isChecked());
    QVERIFY(!d.Find("txtTraceFile")->isEnabled());
    QCOMPARE(d.Trace(), QString("Tracing: 0 words written"));
    c.Click("cmdClearPC");
    c.Click("cmdRun");
    QCOMPARE(c.ormlax->Machine.LastStop, StopReason::StopInstruction);
    QCOMPARE(d.Trace(), QString("Tracing: 4 words written"));
    d.Click("chkTrace");
    QCOMPARE(d.Trace(), QString("Trace closed: 4 words"));
    QVERIFY(d.Find("txtTraceFile")->isEnabled());
    QVERIFY(c.op.messages.empty());

    const int width = modelII ? 4 : 3;
    const auto line = [width](int at, const char* word, const char* a, const char* x, const char* l,
                              const char* f) {
      return QString("%1  %2  rA %3  rX %4  rL %5  rF %6")
          .arg(at, width, 10, QChar('0'))
          .arg(word, a, x, l, f);
    };
    const QStringList expected = {
        QString("ORMLAX %1 trace: after each word its location, the word, rA, rX, rL and rF; "
                "at most 100000 words")
            .arg(modelII ? "II" : "I"),
        line(0, "B00100A00101", "000000000012", "000000000007", "000000000000", "000000000000"),
        line(1, "H00103U00003", "000000000012", "000000000007", "000000000000", "000000000000"),
        line(3, "L00103S00101", "000000000005", "-00000000007", "000000000012", "000000000000"),
        line(4, "F00104900000", "000000000005", "-00000000007", "000000000012", "111111000000"),
    };
    const QStringList written = QString::fromStdString(ReadAt(c.folder / "run.trace")).split('\n');
    QCOMPARE(written.size(), expected.size() + 1);
    for (int i = 0; i < expected.size(); ++i) QCOMPARE(written[i], expected[i]);
    QVERIFY(written.back().isEmpty());  // the last line has its line end
  }

  void aTraceEndsAtItsBound() {
    Console c(false);
    LoadCountingLoop(c);
    Desk d(c);
    d.Click("chkTrace");
    c.Click("cmdRun");  // to the word limit, past the bound
    QCOMPARE(c.ormlax->Machine.LastStop, StopReason::WordLimit);
    QCOMPARE(d.Trace(), QString("The trace ended at its bound of 100000 words"));
    d.Click("chkTrace");
    QCOMPARE(d.Trace(), QString("The trace ended at its bound of 100000 words"));
    const std::string text = ReadAt(c.folder / "trace.txt");
    const std::string last = "trace ended: the bound of 100000 words is reached\n";
    QVERIFY(text.size() > last.size());
    QCOMPARE(text.substr(text.size() - last.size()), last);
    QCOMPARE(std::count(text.begin(), text.end(), '\n'), std::ptrdiff_t{100'002});
  }

  void aTraceThatCannotBeWrittenIsRefused_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");  // "%1" for the file's full path
    QTest::newRow("a folder") << "sub"
                              << "The trace file %1 cannot be written: it is a folder";
    QTest::newRow("a mounted tape")
        << "out.tap"
        << "The trace file %1 cannot be written: it is the tape on Servo  1";
  }
  void aTraceThatCannotBeWrittenIsRefused() {
    QFETCH(QString, file);
    QFETCH(QString, message);
    Console c(false);
    fs::create_directories(c.folder / "sub");
    QVERIFY(MountTape(c.ormlax->Servos, 1, c.op, c.folder, "out.tap", false));
    c.op.messages.clear();  // what mounting a new tape said
    Desk d(c);
    d.Type("txtTraceFile", file);
    d.Click("chkTrace");
    QCOMPARE(LastMessage(c),
             message.arg(QString::fromStdString((c.folder / file.toStdString()).string())));
    QCOMPARE(c.op.messages.size(), std::size_t{1});
    QVERIFY(!d.Find<QCheckBox>("chkTrace")->isChecked());
    QVERIFY(d.Find("txtTraceFile")->isEnabled());
    QCOMPARE(d.Trace(), QString("No trace"));
    QVERIFY(c.sim.Trace() == nullptr);
    QVERIFY(ReadAt(c.folder / "out.tap").empty());
  }

  // A program that types and writes a tape, cut by a breakpoint and saved there, is restored
  // into a fresh installation and run on: it comes to the end of the run that was never cut.
  void aSessionSavedMidwayRunsOnAfterARestore_data() {
    QTest::addColumn<bool>("modelII");
    QTest::addColumn<bool>("store");
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("cc");  // where the cut run stands
    // Before the third block is written; after the second count is stored, not yet printed.
    QTest::newRow("ORMLAX I, execute breakpoint") << false << false << "3"
                                                  << "3"
                                                  << "003";
    QTest::newRow("ORMLAX II, store breakpoint") << true << true << "50"
                                                 << "2"
                                                 << "0002";
  }
  void aSessionSavedMidwayRunsOnAfterARestore() {
    QFETCH(bool, modelII);
    QFETCH(bool, store);
    QFETCH(QString, location);
    QFETCH(QString, count);
    QFETCH(QString, cc);
    struct End {
      QString paper;
      int paperLeft = 0;
      std::string tape, dump;
      QString cc, rA, rL;
    };
    const auto endOf = [](Console& c) {
      End e;
      e.paper = c.Find<QPlainTextEdit>("txtPaper")->toPlainText();
      e.paperLeft = c.ormlax->Ormprinter.State().PaperLeft;
      e.tape = ReadAt(c.folder / "out.tap");
      c.Click("cmdMemDump");
      e.dump = ReadAt(c.folder / kMemoryDumpFileName);
      e.cc = c.Text("txtCC");
      e.rA = c.Text("txtVal1");
      e.rL = c.Text("txtVal3");
      return e;
    };
    // Five times round: count in 50, type "line" and the count, write the block from 50 to
    // servo 1; then rewind it and stop.
    const auto setUp = [](Console& c) {
      Load(c, 0,
           {"B00050A00051", "H00050500052", "500050500054", "510050K00000", "B00053T00000",
            "610000900000"});
      Load(c, 50, {"000000000000", "000000000001", "LINEiiiiiiii", "000000000005", "iiiiiiiiiiir"});
      QVERIFY(MountTape(c.ormlax->Servos, 1, c.op, c.folder, "out.tap", false));
      c.ormlax->Ormprinter.State().PaperLeft = 100;
      c.Click("cmdOrmprinter");
      c.Click("cmdUPPwrOn");
      c.Click("cmdClearPC");
      c.sim.Cpu().SetWordLimit(kWordGuard);
    };

    End whole;
    {
      Console c(modelII);
      setUp(c);
      c.Click("cmdRun");
      QCOMPARE(c.ormlax->Machine.LastStop, StopReason::StopInstruction);
      whole = endOf(c);
    }
    QStringList lines;
    for (int n = 1; n <= 5; ++n) lines << "line" + QString::number(n).rightJustified(12, '0');
    QCOMPARE(whole.paper, lines.join('\n') + '\n');
    QCOMPARE(whole.paperLeft, 95);
    QVERIFY(whole.tape.find("000000000005") != std::string::npos);

    QTemporaryDir kept;
    QVERIFY(kept.isValid());
    const fs::path keep = kept.path().toStdString();
    {
      Console c(modelII);
      setUp(c);
      Desk d(c);
      d.SetBreakpoint(store, location, count);
      c.Click("cmdRun");
      QCOMPARE(c.ormlax->Machine.LastStop,
               store ? StopReason::StoreBreakpoint : StopReason::ExecuteBreakpoint);
      QCOMPARE(c.Text("txtCC"), cc);
      d.Type("txtSessionFile", "cut.session");
      d.Click("cmdSaveSession");
      QCOMPARE(LastMessage(c), QString("The session is saved in cut.session"));
      for (const char* file : {"cut.session", "out.tap"}) {
        fs::copy_file(c.folder / file, keep / file);
      }
    }

    Console c(modelII);
    for (const char* file : {"cut.session", "out.tap"}) fs::copy_file(keep / file, c.folder / file);
    Desk d(c);
    ClickButton(d.Find<QPushButton>("cmdMemoryWindow"));
    auto* memory = d.w->findChild<MemoryWindow*>("frmMemory");
    QVERIFY(memory != nullptr && memory->isVisible());
    auto* from = memory->findChild<QLineEdit*>("txtMemFrom");
    from->selectAll();
    QTest::keyClicks(from, "50");
    QTest::keyClick(from, Qt::Key_Return);
    memory->findChild<QTableWidget*>("tblMemory")->setCurrentCell(0, 1);
    auto* edit = memory->findChild<QLineEdit*>("txtMemEdit");
    QCOMPARE(edit->text(), QString("000000000000"));
    QCOMPARE(d.Find<QLineEdit>("txtSessionFile")->text(), QString("session.txt"));
    d.Type("txtSessionFile", "cut.session");
    d.Click("cmdRestoreSession");
    QVERIFY2(c.op.messages.empty(), qPrintable(LastMessage(c)));
    // The console and the memory window show the installation restored.
    QCOMPARE(c.Text("txtCC"), cc);
    QVERIFY(c.Find<QCheckBox>("chkProgDebug")->isChecked());
    QCOMPARE(c.Lamp("shaOrmprinterLamp3"), LampColour::Green);
    QCOMPARE(c.Lamp("shaServo1"), LampColour::Green);
    const QString count50 = QString::fromStdString(c.ormlax->Machine.Memory[50].Text());
    QVERIFY(count50 != "000000000000");
    QCOMPARE(memory->findChild<QTableWidget*>("tblMemory")->item(0, 1)->text(), count50);
    QCOMPARE(edit->text(), count50);  // the word being edited is the restored one
    QVERIFY(!c.Find<QPlainTextEdit>("txtPaper")->toPlainText().isEmpty());
    QVERIFY(!c.Find("fraOrmprinter")->isHidden());  // the fresh console had it hidden
    QVERIFY(!c.Find("cmdOrmprinter")->isEnabled());

    c.sim.Cpu().SetWordLimit(kWordGuard);
    c.Click("cmdRun");
    QCOMPARE(c.ormlax->Machine.LastStop, StopReason::StopInstruction);
    const End restored = endOf(c);
    QCOMPARE(restored.paper, whole.paper);
    QCOMPARE(restored.paperLeft, whole.paperLeft);
    QVERIFY(restored.tape == whole.tape);
    QVERIFY(restored.dump == whole.dump);
    QCOMPARE(restored.cc, whole.cc);
    QCOMPARE(restored.rA, whole.rA);
    QCOMPARE(restored.rL, whole.rL);
  }

  // Restored into the console it was saved from, a session shows its own paper and typewriter
  // section, not what the console showed before.
  void theConsoleShowsThePaperOfTheSessionRestored() {
    Console c(false);
    Desk d(c);
    d.Type("txtSessionFile", "before.session");
    d.Click("cmdSaveSession");
    c.Click("cmdOrmprinter");
    c.Click("cmdUPPwrOn");
    c.Type("txtVal0", "HELLO");
    c.Click("cmdFill");
    auto* paper = c.Find<QPlainTextEdit>("txtPaper");
    const QString once = paper->toPlainText();
    QVERIFY(!once.isEmpty());
    d.Type("txtSessionFile", "after.session");
    d.Click("cmdSaveSession");
    c.Click("cmdFill");
    QCOMPARE(paper->toPlainText(), once + once);

    d.Click("cmdRestoreSession");
    QCOMPARE(paper->toPlainText(), once);
    d.Type("txtSessionFile", "before.session");
    d.Click("cmdRestoreSession");
    QCOMPARE(paper->toPlainText(), QString());
    QVERIFY(c.Find("fraOrmprinter")->isHidden());
    QVERIFY(c.Find("cmdOrmprinter")->isEnabled());
    QCOMPARE(c.window.height(), c.window.HiddenHeight());
    QCOMPARE(c.window.property("helpContext").toInt(), 4000);
    QCOMPARE(c.op.messages, (std::vector<std::string>{"The session is saved in before.session",
                                                      "The session is saved in after.session"}));
  }

  void aSessionThatCannotBeSavedIsRefused_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");  // "%1" for the file's full path
    QTest::newRow("no name") << "  "
                             << "Name the file the session is to be saved in";
    QTest::newRow("a folder") << "sub"
                              << "The session file %1 cannot be written: it is a folder";
    QTest::newRow("a mounted tape")
        << "out.tap"
        << "The session file %1 cannot be written: it is the tape on Servo  1";
  }
  void aSessionThatCannotBeSavedIsRefused() {
    QFETCH(QString, file);
    QFETCH(QString, message);
    Console c(false);
    fs::create_directories(c.folder / "sub");
    QVERIFY(MountTape(c.ormlax->Servos, 1, c.op, c.folder, "out.tap", false));
    c.op.messages.clear();  // what mounting a new tape said
    Desk d(c);
    d.Type("txtSessionFile", file);
    d.Click("cmdSaveSession");
    const QString path = QString::fromStdString((c.folder / file.toStdString()).string());
    QCOMPARE(LastMessage(c), message.contains("%1") ? message.arg(path) : message);
    QCOMPARE(c.op.messages.size(), std::size_t{1});
    QVERIFY(ReadAt(c.folder / "out.tap").empty());
    QVERIFY(fs::is_empty(c.folder / "sub"));
  }

  void aSessionThatCannotBeRestoredLeavesTheInstallationAlone_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");  // "%1" for the file's full path
    QTest::newRow("no name") << ""
                             << "Name the file the session is to be restored from";
    QTest::newRow("no such file") << "gone.session"
                                  << "There is no session file %1";
    QTest::newRow("an empty file") << "empty.session"
                                   << "%1 is not an ORMLAX session file: it is empty";
    QTest::newRow("another file") << "notes.txt"
                                  << "%1 is not an ORMLAX session file";
  }
  void aSessionThatCannotBeRestoredLeavesTheInstallationAlone() {
    QFETCH(QString, file);
    QFETCH(QString, message);
    Console c(false);
    std::ofstream(c.folder / "empty.session").flush();
    std::ofstream(c.folder / "notes.txt") << "A note, not a session\n";
    Load(c, 7, {"B00100A00101"});
    Desk d(c);
    d.Type("txtSessionFile", file);
    d.Click("cmdRestoreSession");
    const QString path = QString::fromStdString((c.folder / file.toStdString()).string());
    QCOMPARE(LastMessage(c), message.contains("%1") ? message.arg(path) : message);
    QCOMPARE(c.op.messages.size(), std::size_t{1});
    QCOMPARE(c.ormlax->Machine.Memory[7].Text(), std::string("B00100A00101"));
  }

  // A session is saved and restored only with the machine at rest.
  void aRunningMachineCannotBeSavedOrRestored() {
    Console c(false);
    LoadCountingLoop(c);
    c.sim.Cpu().SetWordLimit(0);  // until Stop
    Desk d(c);
    QStringList enabled;
    c.AtTheConsoleWhen([&] { return c.Lamp("Lamp4") == LampColour::Green; },
                       [&] {
                         for (const char* b : {"cmdSaveSession", "cmdRestoreSession"}) {
                           if (d.Find(b)->isEnabled()) enabled << b;
                         }
                         c.Click("cmdStop");
                       });
    c.Click("cmdRun");
    QVERIFY2(c.failure.isEmpty(), qPrintable(c.failure));
    QVERIFY2(enabled.isEmpty(), qPrintable(enabled.join(", ")));
    QCOMPARE(c.ormlax->Machine.LastStop, StopReason::StopButton);
    QVERIFY(d.Find("cmdSaveSession")->isEnabled());
    QVERIFY(d.Find("cmdRestoreSession")->isEnabled());
  }

  // "Historical speed" sets the pace of the runs, and a restore leaves it as the console has it,
  // either way.
  void historicalSpeedIsTheConsolesAcrossARestore() {
    Console c(false);
    Desk d(c);
    d.Type("txtSessionFile", "paced.session");
    c.Click("chkHistorical");
    QVERIFY(c.sim.HistoricalSpeed());
    d.Click("cmdSaveSession");
    c.Click("chkHistorical");
    QVERIFY(!c.sim.HistoricalSpeed());
    d.Click("cmdRestoreSession");
    QVERIFY(!c.sim.HistoricalSpeed());
    QVERIFY(!c.Find<QCheckBox>("chkHistorical")->isChecked());
    c.Click("chkHistorical");
    d.Click("cmdRestoreSession");
    QVERIFY(c.sim.HistoricalSpeed());
    QVERIFY(c.Find<QCheckBox>("chkHistorical")->isChecked());
    QCOMPARE(c.op.messages, (std::vector<std::string>{"The session is saved in paced.session"}));
  }
};

}  // namespace
}  // namespace ormlax::app

QTEST_MAIN(ormlax::app::DebuggingDialogTest)
#include "debugging_dialog_test.moc"

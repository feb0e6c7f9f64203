// A whole off-line job, done from the console as the user's guide shows it: a stock list typed
// onto a tape with the Ormtyper, a plugboard wired in the editor, and the tape printed through it
// into a text file.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "app/lamp_shape.h"
#include "tests/app/console_fixture.h"
#include "tests/app/guide_offline_job.h"
#include "tests/app/offline_fixture.h"

namespace ormlax::app {
namespace {

using testing::Child;
using testing::Click;
using testing::Console;
using testing::CrLfLines;
using testing::EnterName;
using testing::FileBytes;

// The user: each window the console opens is worked as the guide says, step by step.
struct User {
  QStringList seen;  // what each step found that it did not expect

  void Expect(bool ok, const QString& what) {
    if (!ok) seen << what;
  }

  DialogRunner Runner() {
    return [this](QDialog& dialog) {
      dialog.show();
      if (!QTest::qWaitForWindowExposed(&dialog)) seen << "a window was not shown";
      if (auto* desk = qobject_cast<OffLineDialog*>(&dialog)) {
        Desk(*desk);
      } else if (auto* typer = qobject_cast<OrmtyperDialog*>(&dialog)) {
        TypeTheStockList(*typer);
      } else if (auto* editor = qobject_cast<PlugboardDialog*>(&dialog)) {
        WireTheBoard(*editor);
      } else {
        seen << "an unexpected window " + dialog.objectName();
      }
      if (dialog.isVisible()) dialog.reject();
      return dialog.result();
    };
  }

  // 1. The data onto stock.tap; 2. the board; 3. the printout into stock.txt.
  void Desk(OffLineDialog& d) {
    EnterName(d, "txtTarget", "stock.tap");
    Click(d, "cmdOutput0");
    Click(d, "optPlugboard2");
    Expect(Child<QLabel>(d, "labWhichPB")->text() == "Using 3.pgb Stock list",
           "the board in use: " + Child<QLabel>(d, "labWhichPB")->text());
    EnterName(d, "txtSource", "stock.tap");
    EnterName(d, "txtTarget", "stock.txt");
    Click(d, "cmdOutput4");
    Expect(Child<LampShape>(d, "shaHSP0")->Colour() == LampColour::Red, "the HSP Stop lamp");
    Click(d, "cmdDone");
  }

  void TypeTheStockList(OrmtyperDialog& t) {
    Expect(Child<QLineEdit>(t, "txtFileName")->text() == "stock.tap", "the file name");
    testing::TypeTheStockList(t, [this](QWidget& w) {
      Expect(Child<QLabel>(w, "labCount")->text() == "30",
             "the count: " + Child<QLabel>(w, "labCount")->text());
    });
  }

  void WireTheBoard(PlugboardDialog& e) {
    testing::WireTheStockBoard(e, [](QWidget&) {});
  }
};

class OffLineJobTest : public QObject {
  Q_OBJECT

 private slots:
  void aStockListIsTypedWiredAndPrinted() {
    User user;
    Console c(false, user.Runner());
    c.Click("cmdOffLine");
    QVERIFY2(user.seen.isEmpty(), qPrintable(user.seen.join("; ")));
    QCOMPARE(c.op.messages, std::vector<std::string>{"Plugboard file 3.pgb written"});

    // The tape: three records of data and the printer stop, filled out to one block.
    const std::string tape = FileBytes(c.folder / "stock.tap");
    QCOMPARE(tape.size(), std::size_t(744));
    QCOMPARE(tape.substr(2, 24), std::string("BOLTS       000000001200"));
    QCOMPARE(tape.substr(2 + 3 * 124, 2), std::string("s "));

    const QStringList expected = {
        QString("BOLTS                       1200").leftJustified(130),
        QString("NUTS                          35").leftJustified(130),
        QString("WASHERS                   100000").leftJustified(130),
    };
    const QStringList printed = CrLfLines(FileBytes(c.folder / "stock.txt"));
    QCOMPARE(printed.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) QCOMPARE(printed[i], expected[i]);
  }
};

}  // namespace
}  // namespace ormlax::app

QTEST_MAIN(ormlax::app::OffLineJobTest)
#include "offline_job_test.moc"

// The Ormtyper window worked with the keys and its buttons: typing and closing, appending to a
// kept tape, aborting, and data that does not fit on the tape.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "app/ormtyper_dialog.h"
#include "tests/app/offline_fixture.h"
#include "tests/support/scripted_operator.h"
#include "tests/support/test_folder.h"

namespace ormlax::app {
namespace {

using testing::Child;
using testing::Click;
using testing::FileBytes;
using testing::TapeBytes;
using testing::WriteFileBytes;

struct Typer {
  Typer()
      : folder(ormlax::testing::TestFolder("ormlax_typer_" +
                                           std::string(QTest::currentTestFunction()))) {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
  }
  ~Typer() { std::filesystem::remove_all(folder); }

  // Opens the device on the file and shows its window.
  void Open(const std::string& name, OrmtyperTarget kind, bool mayOverwrite) {
    QVERIFY(model.Open(folder / name, kind, mayOverwrite));
    dialog = std::make_unique<OrmtyperDialog>(model);
    dialog->show();
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
  }
  QPlainTextEdit* Area() { return Child<QPlainTextEdit>(*dialog, "txtData"); }
  QString Count() { return Child<QLabel>(*dialog, "labCount")->text(); }
  std::string Data(const std::string& name) {
    std::string data;
    const std::string bytes = FileBytes(folder / name);
    for (std::size_t at = 0; at + 124 <= bytes.size(); at += 124) data += bytes.substr(at + 2, 120);
    return data;
  }

  std::filesystem::path folder;
  ormlax::testing::ScriptedOperator op;
  Ormtyper model{op};
  std::unique_ptr<OrmtyperDialog> dialog;
};

class OrmtyperDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void typedDataIsWrittenInWholeBlocks() {
    Typer t;
    t.Open("new.tap", OrmtyperTarget::Overwritable, true);
    QCOMPARE(t.dialog->windowTitle(), QString("Ormtyper (Data entry device)"));
    QCOMPARE(t.dialog->property("helpContext").toInt(), 5200);
    QCOMPARE(Child<QLineEdit>(*t.dialog, "txtFileName")->text(), QString("new.tap"));
    QCOMPARE(Child<QLabel>(*t.dialog, "labInst0")->text(),
             QString("You are typing data on the following file:"));
    QCOMPARE(t.Count(), QString("0"));
    QVERIFY(Child<QRadioButton>(*t.dialog, "optPadChar0")->isChecked());
    QCOMPARE(Child<QPushButton>(*t.dialog, "cmdChar7")->text(), QString("X"));
    QCOMPARE(Child<QPushButton>(*t.dialog, "cmdChar7")->toolTip(),
             QString("X for ignore character"));

    // Letters in upper case, no "!", no line from Enter; a word stays on its line until the next
    // character is typed.
    QTest::keyClicks(t.Area(), "hello world!x");
    QTest::keyClick(t.Area(), Qt::Key_Return);
    QCOMPARE(t.Area()->toPlainText(), QString("HELLO WORLDX"));
    QCOMPARE(t.Count(), QString("1"));
    QTest::keyClicks(t.Area(), "y");
    QCOMPARE(t.Area()->toPlainText(), QString("HELLO WORLDX\nY"));
    QTest::keyClick(t.Area(), Qt::Key_Backspace);
    QCOMPARE(t.Area()->toPlainText(), QString("HELLO WORLDX"));
    // The buttons add their codes in their own case, at the end.
    Click(*t.dialog, "cmdChar5");
    Click(*t.dialog, "cmdChar12");
    QCOMPARE(t.Area()->toPlainText(), QString("HELLO WORLDX\nb|"));
    QVERIFY(t.Area()->hasFocus());
    // A paste goes in as typing does.
    QGuiApplication::clipboard()->setText("ab!c");
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("ab!c"));
    t.Area()->paste();
    QCOMPARE(t.Area()->toPlainText(), QString("HELLO WORLDX\nb|ABC"));
    for (int i = 0; i < 3; ++i) QTest::keyClick(t.Area(), Qt::Key_Backspace);

    Click(*t.dialog, "optPadChar1");  // spaces
    Click(*t.dialog, "cmdFill");
    QCOMPARE(t.Count(), QString("10"));
    QTest::keyClicks(t.Area(), "0123456789AB");
    QCOMPARE(t.Count(), QString("11"));
    Click(*t.dialog, "optPadChar0");  // zeros for the rest
    Click(*t.dialog, "cmdDone");
    QVERIFY(!t.dialog->isVisible());
    QCOMPARE(FileBytes(t.folder / "new.tap").size(), std::size_t(744));
    const std::string data = t.Data("new.tap");
    QCOMPARE(data.substr(0, 120), "HELLO WORLDXb|" + std::string(106, ' '));
    QCOMPARE(data.substr(120), "0123456789AB" + std::string(720 - 132, '0'));
  }

  void aKeptTapeIsAppendedTo() {
    Typer t;
    WriteFileBytes(t.folder / "kept.tap", TapeBytes({"OLD"}));
    const std::string old = FileBytes(t.folder / "kept.tap");
    t.op.QueueAnswer(MessageAnswer::Yes);
    t.Open("kept.tap", OrmtyperTarget::KeptTape, false);
    QCOMPARE(t.op.messages, std::vector<std::string>{"File already exists\r\nAppend to end?"});
    QCOMPARE(t.Count(), QString("60"));
    QTest::keyClicks(t.Area(), "NEW WORD");
    Click(*t.dialog, "cmdDone");
    const std::string bytes = FileBytes(t.folder / "kept.tap");
    QCOMPARE(bytes.size(), std::size_t(2 * 744));
    QVERIFY(bytes.substr(0, 744) == old);
    QCOMPARE(t.Data("kept.tap").substr(720, 12), std::string("NEW WORD0000"));
  }

  void abortWritesNothing() {
    Typer t;
    WriteFileBytes(t.folder / "gone.tap", TapeBytes({"OLD"}));
    t.Open("gone.tap", OrmtyperTarget::Overwritable, true);  // emptied at opening
    QTest::keyClicks(t.Area(), "ABC");
    Click(*t.dialog, "cmdAbort");
    QVERIFY(!t.dialog->isVisible());
    QCOMPARE(FileBytes(t.folder / "gone.tap"), std::string());

    // The window's close control aborts too; Escape does nothing.
    Typer u;
    u.Open("other.tap", OrmtyperTarget::Overwritable, true);
    QTest::keyClicks(u.Area(), "ABC");
    QTest::keyClick(u.dialog.get(), Qt::Key_Escape);
    QVERIFY(u.dialog->isVisible());
    u.dialog->close();
    QVERIFY(u.model.Closed());
    QCOMPARE(FileBytes(u.folder / "other.tap"), std::string());
  }

  // "Close File" on a full tape writes nothing and keeps the data in the window.
  void dataThatDoesNotFitStaysInTheWindow() {
    Typer t;
    std::vector<std::string> records(1950 * 6, std::string(120, 'F'));
    WriteFileBytes(t.folder / "full.tap", TapeBytes(records));
    t.op.QueueAnswer(MessageAnswer::Yes);
    t.Open("full.tap", OrmtyperTarget::KeptTape, false);
    QCOMPARE(t.Count(), QString("117000"));
    QTest::keyClicks(t.Area(), "ONE MORE");
    Click(*t.dialog, "cmdDone");
    QCOMPARE(t.op.messages.back(), std::string("The tape cannot hold all these words:\r\nonly 0 "
                                               "more words fit on it.\r\nNothing has been "
                                               "written."));
    QVERIFY(t.dialog->isVisible());
    QCOMPARE(t.Area()->toPlainText(), QString("ONE MORE"));
    QCOMPARE(FileBytes(t.folder / "full.tap").size(), std::size_t(1950 * 744));
  }
};

}  // namespace
}  // namespace ormlax::app

QTEST_MAIN(ormlax::app::OrmtyperDialogTest)
#include "ormtyper_dialog_test.moc"

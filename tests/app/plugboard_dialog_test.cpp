// The plugboard editor window worked with the mouse and the keys: a board made cell by cell, the
// entry field following the keys and the columns scrolling together, refusals, and a standard
// board modified into a new number.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include "app/plugboard_dialog.h"
#include "offline/standard_boards.h"
#include "tests/app/offline_fixture.h"
#include "tests/support/scripted_operator.h"
#include "tests/support/test_folder.h"

namespace ormlax::app {
namespace {

using testing::Child;
using testing::Click;
using testing::FileBytes;

// An editor opened on the board of a fresh folder holding the two standard boards.
struct Editor {
  Editor()
      : folder(ormlax::testing::TestFolder("ormlax_editor_" +
                                           std::string(QTest::currentTestFunction()))) {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    WriteStandardBoards(folder, op);
  }
  ~Editor() { std::filesystem::remove_all(folder); }

  // Opens the window; `boardNumber` is the board chosen from the desk's list, if any.
  void Open(int boardNumber = -1) {
    board.BoardNumber = static_cast<std::int16_t>(boardNumber);
    model.Open();
    dialog = std::make_unique<PlugboardDialog>(model);
    dialog->show();
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
  }
  QListWidget* Column(int k) { return Child<QListWidget>(*dialog, QString("lstCol%1").arg(k)); }
  QString CellText(int row, int k) { return Column(k)->item(row - 1)->text(); }
  QLineEdit* Field() { return Child<QLineEdit>(*dialog, "txtInput"); }
  void ClickCell(int row, int k) {
    QListWidget* list = Column(k);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row - 1)).center());
  }
  // The field lies over the cell of that row and column, shown, with the focus.
  bool FieldOver(int row, int k) {
    QListWidget* list = Column(k);
    const QRect cell = list->visualItemRect(list->item(row - 1));
    const QRect onDialog(list->viewport()->mapTo(dialog.get(), cell.topLeft()), cell.size());
    return Field()->isVisible() && Field()->hasFocus() && Field()->geometry() == onDialog &&
           list->viewport()->rect().contains(cell);
  }
  void Key(Qt::Key key) { QTest::keyClick(Field(), key); }
  void Type(const QString& text) { QTest::keyClicks(Field(), text); }
  // Every column shows the same first row.
  bool ColumnsAt(int top) {
    for (int k = 0; k < PlugboardDialog::kColumns; ++k) {
      if (Column(k)->verticalScrollBar()->value() != top) return false;
      if (Column(k)->indexAt(QPoint(2, 2)).row() != top) return false;
    }
    return Child<QScrollBar>(*dialog, "vsbCol")->value() == top;
  }
  void TypeInBox(const QString& box, const QString& text) {
    auto* edit = Child<QLineEdit>(*dialog, box);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }

  std::filesystem::path folder;
  ormlax::testing::ScriptedOperator op;
  Plugboard board;
  PlugboardEditor model{board, folder, op};
  std::unique_ptr<PlugboardDialog> dialog;
};

class PlugboardDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void theWindowAsItOpens() {
    Editor e;
    e.Open();
    QCOMPARE(e.dialog->windowTitle(), QString("Create a HSP Plugboard"));
    QCOMPARE(e.dialog->objectName(), QString("frmPlugboard"));
    QCOMPARE(e.dialog->property("helpContext").toInt(), 8100);
    QCOMPARE(Child<QLineEdit>(*e.dialog, "txtPaperLength")->text(), QString("66"));
    QVERIFY(Child<QPushButton>(*e.dialog, "cmdModify")->isVisible());
    QVERIFY(Child<QLineEdit>(*e.dialog, "txtModify")->isHidden());
    QVERIFY(e.Field()->isHidden());
    QCOMPARE(e.CellText(1, 0), QString("001"));
    QCOMPARE(e.CellText(120, 0), QString("120"));
    QCOMPARE(Child<QScrollBar>(*e.dialog, "vsbCol")->maximum(), 108);
    for (int k = 0; k < PlugboardDialog::kColumns; ++k) {
      // Twelve rows shown, so that every column scrolls over the same range.
      QCOMPARE(e.Column(k)->verticalScrollBar()->maximum(), 108);
    }
    QCOMPARE(Child<QWidget>(*e.dialog, "fraCha6")->toolTip(),
             QString("Line number for top of page (usually, 1)"));
    QCOMPARE(Child<QWidget>(*e.dialog, "labCol8")->toolTip(), QString("Zero suppression"));
  }

  // A board made with the keys: digits and Enter, "+", "*", the arrows, Page Up and Page Down.
  void aBoardIsMadeWithTheKeys() {
    Editor e;
    e.Open();
    e.ClickCell(1, 1);
    QVERIFY(e.FieldOver(1, 1));
    QVERIFY(e.Column(0)->item(0)->isSelected());  // the row is highlighted in column 0
    e.Type("1");
    e.Key(Qt::Key_Return);
    QCOMPARE(e.CellText(1, 1), QString("001"));
    QVERIFY(e.FieldOver(2, 1));
    e.Type("+++");
    QCOMPARE(e.CellText(4, 1), QString("004"));
    e.Type("7*");
    QCOMPARE(e.Field()->text(), QString("8"));
    e.Key(Qt::Key_Enter);
    QCOMPARE(e.CellText(5, 1), QString("008"));
    QVERIFY(e.FieldOver(6, 1));

    // Moving the field drops what was typed.
    e.Type("9");
    e.Key(Qt::Key_Right);
    QVERIFY(e.FieldOver(6, 2));
    QCOMPARE(e.CellText(6, 1), QString(""));
    e.Key(Qt::Key_Down);
    e.Key(Qt::Key_Left);
    QVERIFY(e.FieldOver(7, 1));
    e.Key(Qt::Key_Up);
    QVERIFY(e.FieldOver(6, 1));

    e.Key(Qt::Key_PageDown);
    QVERIFY(e.ColumnsAt(12));
    QVERIFY(e.FieldOver(13, 1));
    e.Type("130");
    e.Key(Qt::Key_Return);
    QCOMPARE(e.CellText(13, 1), QString("130"));
    e.Key(Qt::Key_End);
    QVERIFY(e.ColumnsAt(108));
    QVERIFY(e.FieldOver(120, 1));
    e.Key(Qt::Key_PageUp);
    QVERIFY(e.ColumnsAt(96));
    QVERIFY(e.FieldOver(97, 1));
    e.Key(Qt::Key_Home);
    QVERIFY(e.ColumnsAt(0));
    QVERIFY(e.FieldOver(1, 1));

    // Zero suppression takes its letters in either case, N first.
    e.ClickCell(5, 8);
    e.Type("+n");
    QCOMPARE(e.Field()->text(), QString("N+"));
    e.Key(Qt::Key_Return);
    QCOMPARE(e.CellText(5, 8), QString("N+"));
    QVERIFY(e.Field()->isHidden());

    e.TypeInBox("txtBoardName", "Keys");
    e.TypeInBox("txtChannel0", "1,34");
    e.TypeInBox("txtChannel6", "1");
    Click(*e.dialog, "cmdDone");
    QCOMPARE(e.op.messages, std::vector<std::string>{"Plugboard file 3.pgb written"});
    QVERIFY(!e.dialog->isVisible());
    QCOMPARE(e.dialog->result(), int(QDialog::Accepted));
    const QStringList lines =
        QString::fromLatin1(FileBytes(e.folder / "3.pgb").c_str()).split("\r\n");
    QVERIFY2(lines[0].startsWith("<001,002,003,004,008,,,,,,,,130,"), qPrintable(lines[0]));
    QVERIFY2(lines[7].startsWith("<,,,,N+,,"), qPrintable(lines[7]));
    QCOMPARE(lines[9], QString("<1,34>"));
    QCOMPARE(lines[16], QString("Keys"));
    QCOMPARE(e.board.BoardFileName, std::string("3.pgb"));
  }

  // What the field refuses, and a "Done" that would write a board that cannot be used.
  void invalidEntriesAndAnInvalidDoneAreRefused() {
    Editor e;
    e.Open();
    e.ClickCell(3, 2);
    e.Type("131");
    e.Key(Qt::Key_Return);
    QCOMPARE(e.op.messages.back(), std::string("131 is not a valid print position"));
    QVERIFY(e.FieldOver(3, 2));
    QCOMPARE(e.Field()->text(), QString("131"));
    QCOMPARE(e.CellText(3, 2), QString(""));
    e.Type("x");
    QCOMPARE(e.op.messages.back(), std::string("Invalid character"));
    QCOMPARE(e.Field()->text(), QString("131"));
    e.ClickCell(1, 3);
    e.Type("+");
    QCOMPARE(e.op.messages.back(), std::string("Can't increment on first row"));
    // Escape does not throw the board away.
    QTest::keyClick(e.dialog.get(), Qt::Key_Escape);
    QVERIFY(e.dialog->isVisible());

    e.TypeInBox("txtBoardName", "Bad");
    e.TypeInBox("txtChannel6", "1");
    const struct {
      const char* formLength;
      std::string message;
    } cases[] = {
        {"", "Form length not specified"},
        {"sixty", "The form length must be a whole number\r\nof lines, from 1 to 32767"},
    };
    for (const auto& c : cases) {
      e.TypeInBox("txtPaperLength", c.formLength);
      if (*c.formLength == 0)
        QTest::keyClick(Child<QLineEdit>(*e.dialog, "txtPaperLength"), Qt::Key_Delete);
      Click(*e.dialog, "cmdDone");
      QCOMPARE(e.op.messages.back(), c.message);
      QVERIFY(e.dialog->isVisible());
    }
    e.TypeInBox("txtPaperLength", "66");
    e.TypeInBox("txtChannel0", "70");
    Click(*e.dialog, "cmdDone");
    QCOMPARE(e.op.messages.back(),
             std::string("Channel 1: the line numbers must be whole\r\nnumbers from 1 to 66, "
                         "separated by \",\""));
    QVERIFY(e.dialog->isVisible());
    QVERIFY(!std::filesystem::exists(e.folder / "3.pgb"));
  }

  // Board 1 loaded with "Use an existing plugboard" and saved under the next free number.
  void theStraightBoardIsModifiedIntoANewNumber() {
    Editor e;
    std::filesystem::copy_file(e.folder / "1.pgb", e.folder / "4.pgb");
    const std::string straight = FileBytes(e.folder / "1.pgb");
    e.Open();
    Click(*e.dialog, "cmdModify");
    auto* modify = Child<QLineEdit>(*e.dialog, "txtModify");
    QVERIFY(modify->isVisible());
    QVERIFY(modify->hasFocus());
    QTest::keyClicks(modify, "1");
    QTest::keyClick(modify, Qt::Key_Return);
    QCOMPARE(e.op.messages, std::vector<std::string>{
                                "1.pgb loaded, but cannot be\r\nchanged; output will go to 5.pgb"});
    QCOMPARE(Child<QLineEdit>(*e.dialog, "txtBoardName")->text(), QString("Straight"));
    QCOMPARE(Child<QLineEdit>(*e.dialog, "txtChannel6")->text(), QString("1"));
    QCOMPARE(e.CellText(120, 1), QString("120"));
    e.ClickCell(2, 1);
    QCOMPARE(e.Field()->selectedText(), QString("002"));
    e.Type("5");
    e.Key(Qt::Key_Return);
    e.TypeInBox("txtBoardName", "Straight but one");
    Click(*e.dialog, "cmdDone");
    QCOMPARE(e.op.messages.back(), std::string("Plugboard file 5.pgb written"));
    QCOMPARE(FileBytes(e.folder / "1.pgb"), straight);
    const std::string five = FileBytes(e.folder / "5.pgb");
    QVERIFY(five.rfind("<001,005,003,", 0) == 0);
    QCOMPARE(e.board.BoardName, std::string("Straight but one"));
  }

  // The scroll bar moves all nine columns; the field closes when its cell goes out of view.
  // "Clr" and "All" empty columns and hand the focus to "Done".
  void theScrollBarAndTheClearButtons() {
    Editor e;
    e.Open(1);  // board 1, picked from the list
    e.ClickCell(2, 3);
    QVERIFY(e.FieldOver(2, 3));
    Child<QScrollBar>(*e.dialog, "vsbCol")->setValue(50);
    QVERIFY(e.ColumnsAt(50));
    QVERIFY(e.Field()->isHidden());
    // Scrolling one column (the wheel, say) scrolls them all.
    e.Column(4)->verticalScrollBar()->setValue(70);
    QVERIFY(e.ColumnsAt(70));

    Click(*e.dialog, "cmdClr1");
    QCOMPARE(e.CellText(120, 1), QString(""));
    QVERIFY(Child<QPushButton>(*e.dialog, "cmdDone")->hasFocus());
    e.ClickCell(75, 8);
    e.Type("N+");
    e.Key(Qt::Key_Return);
    Click(*e.dialog, "cmdClrAll");
    QCOMPARE(e.CellText(75, 8), QString(""));
    QCOMPARE(e.CellText(75, 0), QString("075"));

    // The window's close control is "Cancel": nothing is written.
    e.dialog->close();
    QCOMPARE(e.dialog->result(), int(QDialog::Rejected));
    QVERIFY(e.model.Closed);
    QVERIFY(!std::filesystem::exists(e.folder / "3.pgb"));
  }
};

}  // namespace
}  // namespace ormlax::app

QTEST_MAIN(ormlax::app::PlugboardDialogTest)
#include "plugboard_dialog_test.moc"

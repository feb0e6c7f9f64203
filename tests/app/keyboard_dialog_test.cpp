// The console keyboard window driven through its controls: the typing rule of its field, the
// special-character buttons, and the three ways it closes.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/keyboard_dialog.h"
#include "app/machine_font.h"
#include "app/qt_operator.h"
#include "tests/app/modal_watch.h"

using ormlax::KeyboardEntry;
using ormlax::app::KeyboardDialog;

class KeyboardDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void ShowsTheInstructionAndAStartingFieldOfZeros();
  void TypingKeepsTheLastTwelveCharactersInUpperCase();
  void CharacterButtonsAppendTheirOwnCodes();
  void PastedTextKeepsOnlyTapeCharacters();
  void EnterTakesTheFieldAndIsSwallowed();
  void AClickInTheFieldEntersTheWord();
  void ContinueInSingleStepEntersTheWord();
  void TheCloseControlEntersNothing();
  void TheOperatorReturnsWhatWasTypedInTheWindow();
};

namespace {

QLineEdit* Field(QDialog& d) {
  return d.findChild<QLineEdit*>("txtInput");
}

QPushButton* Button(QDialog& d, const QString& name) {
  return d.findChild<QPushButton*>(name);
}

void Open(KeyboardDialog& d) {
  d.show();
  QVERIFY(QTest::qWaitForWindowExposed(&d));
}

}  // namespace

void KeyboardDialogTest::ShowsTheInstructionAndAStartingFieldOfZeros() {
  KeyboardDialog d(true);
  Open(d);
  QCOMPARE(d.objectName(), QString("frmConsoleInput"));
  QCOMPARE(d.windowTitle(), QString("Console Keyboard Input"));
  QCOMPARE(d.findChild<QLabel*>("labInst")->text(),
           QString("Type value from keyboard, then click or press Enter"));
  QCOMPARE(Field(d)->text(), QString("000000000000"));
  QCoreApplication::processEvents();
  QCOMPARE(Field(d)->cursorPosition(), 12);
  QVERIFY(!Field(d)->hasSelectedText());
  QVERIFY2(ormlax::app::HasEvenAdvance(Field(d)->font()), qPrintable(Field(d)->font().family()));
  QCOMPARE(Button(d, "cmdSingleStep")->text(), QString("Continue in single-step"));
  QVERIFY(Button(d, "cmdSingleStep")->isEnabled());
  QVERIFY(!d.Entry().entered);

  KeyboardDialog stopped(false);
  QVERIFY(!Button(stopped, "cmdSingleStep")->isEnabled());
}

void KeyboardDialogTest::TypingKeepsTheLastTwelveCharactersInUpperCase() {
  struct Case {
    const char* name;
    QString typed;
    int leftArrows;  // caret moved left before `after` is typed
    QString after;
    QString field;
  };
  const Case cases[] = {
      {"three letters", "ABC", 0, "", "000000000ABC"},
      {"thirteen characters", "123456789ABCD", 0, "", "23456789ABCD"},
      {"lower case", "abc", 0, "", "000000000ABC"},
      {"mixed, with space", "x-y z", 0, "", "0000000X-Y Z"},
      {"typed before the last character", "abc", 1, "q", "00000000ABQC"},
      {"typed at the far left is pushed out", "abc", 12, "q", "000000000ABC"},
  };
  for (const Case& c : cases) {
    KeyboardDialog d(true);
    Open(d);
    QTest::keyClicks(Field(d), c.typed);
    for (int i = 0; i < c.leftArrows; ++i) QTest::keyClick(Field(d), Qt::Key_Left);
    QTest::keyClicks(Field(d), c.after);
    QVERIFY2(Field(d)->text() == c.field, c.name);
    QVERIFY2(Field(d)->cursorPosition() == 12, c.name);
  }

  // A deletion fills the field up again from the left.
  KeyboardDialog d(true);
  Open(d);
  QTest::keyClicks(Field(d), "ABC");
  QTest::keyClick(Field(d), Qt::Key_Backspace);
  QCOMPARE(Field(d)->text(), QString("0000000000AB"));
  QCOMPARE(Field(d)->cursorPosition(), 12);
}

void KeyboardDialogTest::CharacterButtonsAppendTheirOwnCodes() {
  struct Case {
    QString caption;
    QString toolTip;
  };
  const Case cases[] = {
      {"i", "i for ignore character"},
      {"r", "r for return character"},
      {"c", "c for cent sign"},
      {"t", "t for tab character"},
      {"s", "s for printer stop (sigma)"},
      {"b", "b for printer breakpoint (beta)"},
      {"n", "n for illegal character (11111)"},
  };
  KeyboardDialog d(true);
  Open(d);
  QTest::keyClicks(Field(d), "123456789012");
  QString expected = "123456789012";
  for (int k = 0; k < 7; ++k) {
    QPushButton* button = Button(d, QString("cmdChar%1").arg(k));
    QVERIFY(button != nullptr);
    QCOMPARE(button->text(), cases[k].caption);
    QCOMPARE(button->toolTip(), cases[k].toolTip);
    QTest::mouseClick(button, Qt::LeftButton);
    expected = expected.mid(1) + cases[k].caption;
    QCOMPARE(Field(d)->text(), expected);
    QCOMPARE(Field(d)->cursorPosition(), 12);
  }
  QCOMPARE(expected, QString("89012irctsbn"));
  QVERIFY(Button(d, "cmdChar7") == nullptr);

  // The r button after twelve typed characters: the first one goes, the return code ends it,
  // and typing after it still turns letters to upper case but leaves the code alone.
  KeyboardDialog r(true);
  Open(r);
  QTest::keyClicks(Field(r), "abcdefghijkl");
  QTest::mouseClick(Button(r, "cmdChar1"), Qt::LeftButton);
  QCOMPARE(Field(r)->text(), QString("BCDEFGHIJKLr"));
  QTest::keyClicks(Field(r), "m");
  QCOMPARE(Field(r)->text(), QString("CDEFGHIJKLrM"));
  QVERIFY(r.isVisible());
}

void KeyboardDialogTest::PastedTextKeepsOnlyTapeCharacters() {
  KeyboardDialog d(true);
  Open(d);
  QTest::keyClicks(Field(d), "ab");
  QGuiApplication::clipboard()->setText(QString::fromLatin1("c\0d\r\ne", 6));
  QTest::keySequence(Field(d), QKeySequence::Paste);
  QCOMPARE(Field(d)->text(), QString("0000000ABCDE"));
  QTest::keyClick(Field(d), Qt::Key_Return);
  QCOMPARE(QString::fromStdString(d.Entry().word), QString("0000000ABCDE"));
}

void KeyboardDialogTest::EnterTakesTheFieldAndIsSwallowed() {
  for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
    KeyboardDialog d(true);
    Open(d);
    QTest::keyClicks(Field(d), "ABC");
    QTest::keyClick(Field(d), key);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(QDialog::Accepted));
    const KeyboardEntry e = d.Entry();
    QVERIFY(e.entered);
    QCOMPARE(QString::fromStdString(e.word), QString("000000000ABC"));
    QVERIFY(!e.continueSingleStep);  // the key pressed no button of the window
  }
}

void KeyboardDialogTest::AClickInTheFieldEntersTheWord() {
  KeyboardDialog d(false);
  Open(d);
  QTest::keyClicks(Field(d), "-12345678901");
  QTest::mouseClick(Field(d), Qt::LeftButton, {}, QPoint(5, 5));
  QVERIFY(!d.isVisible());
  QVERIFY(d.Entry().entered);
  QCOMPARE(QString::fromStdString(d.Entry().word), QString("-12345678901"));
  QVERIFY(!d.Entry().continueSingleStep);
}

void KeyboardDialogTest::ContinueInSingleStepEntersTheWord() {
  KeyboardDialog d(true);
  Open(d);
  QTest::keyClicks(Field(d), "7");
  QTest::mouseClick(Button(d, "cmdSingleStep"), Qt::LeftButton);
  QVERIFY(!d.isVisible());
  const KeyboardEntry e = d.Entry();
  QVERIFY(e.entered);
  QVERIFY(e.continueSingleStep);
  QCOMPARE(QString::fromStdString(e.word), QString("000000000007"));
}

void KeyboardDialogTest::TheCloseControlEntersNothing() {
  for (const bool escape : {false, true}) {
    KeyboardDialog d(true);
    Open(d);
    QTest::keyClicks(Field(d), "ABC");
    if (escape) {
      QTest::keyClick(Field(d), Qt::Key_Escape);
    } else {
      QVERIFY(d.close());
    }
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QVERIFY(!d.Entry().entered);
    QVERIFY(!d.Entry().continueSingleStep);
  }
}

void KeyboardDialogTest::TheOperatorReturnsWhatWasTypedInTheWindow() {
  ormlax::app::QtOperator op;
  auto watch = ormlax::app::testing::WhenModal<KeyboardDialog>([](KeyboardDialog& d) {
    QTest::keyClicks(Field(d), "w1");
    QTest::keyClick(Field(d), Qt::Key_Return);
  });
  const KeyboardEntry e = op.OpenKeyboardWindow(false);
  QVERIFY2(watch->Worked(), qPrintable(watch->Failure()));
  QVERIFY(e.entered);
  QCOMPARE(QString::fromStdString(e.word), QString("0000000000W1"));
}

QTEST_MAIN(KeyboardDialogTest)
#include "keyboard_dialog_test.moc"

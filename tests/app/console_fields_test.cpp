// The console's fields and buttons under the operator's hands: what typing and pasting put in a
// word field, where the caret goes, what Enter does, and what the Location field shows.
#include <QClipboard>
#include <QImage>
#include <QtTest>

#include "tests/app/console_fixture.h"

namespace ormlax::app {
namespace {

using testing::Console;

// The field's caret after a click at a third of its width, as an operator clicks into a field.
void ClickIntoTheMiddle(QLineEdit* field) {
  QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(field->width() / 3, field->height() / 2));
}

class ConsoleFieldsTest : public QObject {
  Q_OBJECT

 private slots:
  // Only the characters typed are turned to upper case: a code put in by a character button
  // keeps its case when typing goes on.
  void onlyTheNewlyTypedCharactersTurnToUpperCase() {
    Console c(false);
    auto* contents = c.Find<QLineEdit>("txtVal0");
    QTest::keyClicks(contents, "ab");
    c.Click("cmdChar1");
    QTest::keyClicks(contents, "cd");
    QCOMPARE(contents->text(), QString("0000000ABrCD"));
    c.Click("cmdStoreLoc");
    QCOMPARE(c.ormlax->Machine.Memory[0].Text(), std::string("0000000ABrCD"));

    // A register field follows the same rule.
    auto* rA = c.Find<QLineEdit>("txtVal1");
    QTest::keyClicks(rA, "x");
    QCOMPARE(c.ormlax->Machine.rA.Text(), std::string("00000000000X"));
  }

  // Pasted text keeps only what a tape can hold; an emptied field stays empty until typed in.
  void pastedTextKeepsOnlyTapeCharacters() {
    Console c(false);
    auto* contents = c.Find<QLineEdit>("txtVal0");
    contents->end(false);
    QGuiApplication::clipboard()->setText(QString::fromLatin1("a\0b\r\nc", 6));
    QTest::keySequence(contents, QKeySequence::Paste);
    QCOMPARE(contents->text(), QString("000000000ABC"));
    QCOMPARE(c.ormlax->Machine.Panel.Contents.Text(), std::string("000000000ABC"));

    contents->selectAll();
    QTest::keyClick(contents, Qt::Key_Delete);
    QCOMPARE(contents->text(), QString());
    QTest::keyClicks(contents, "7");
    QCOMPARE(contents->text(), QString("000000000007"));
  }

  // However the field gets the focus, and wherever it is clicked, typing goes on at its end.
  void theCaretGoesToTheEnd_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("before");  // typed first, to give the field a text of its own
    QTest::addColumn<bool>("byTab");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    QTest::newRow("Contents, clicked") << "txtVal0"
                                       << "abc" << false << "d"
                                       << "00000000ABCD";
    QTest::newRow("Contents, by Tab") << "txtVal0"
                                      << "abc" << true << "d"
                                      << "00000000ABCD";
    QTest::newRow("rX, clicked") << "txtVal4"
                                 << "abc" << false << "d"
                                 << "00000000ABCD";
    QTest::newRow("Location, clicked") << "txtLoc"
                                       << "12" << false << "3"
                                       << "123";
    QTest::newRow("Location, by Tab") << "txtLoc"
                                      << "12" << true << "3"
                                      << "123";
  }
  void theCaretGoesToTheEnd() {
    QFETCH(QString, field);
    QFETCH(QString, before);
    QFETCH(bool, byTab);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    Console c(false);
    QVERIFY(c.Activate());
    auto* f = c.Find<QLineEdit>(field);
    f->setFocus();
    QTest::keyClicks(f, before);
    c.Find<QWidget>("cmdRun")->setFocus();  // away, and back
    if (byTab) {
      f->setFocus(Qt::TabFocusReason);
    } else {
      ClickIntoTheMiddle(f);
    }
    QTRY_VERIFY_WITH_TIMEOUT(f->hasFocus(), 5000);
    QCOMPARE(f->cursorPosition(), int(f->text().size()));
    QTest::keyClicks(f, typed);
    QCOMPARE(f->text(), after);
    // A second click into the field that has the focus does the same.
    ClickIntoTheMiddle(f);
    QCOMPARE(f->cursorPosition(), int(f->text().size()));
  }

  // Enter in Contents stores the word and the focus stays there, so that a program can be keyed
  // in word after word.
  void enterInContentsStores() {
    Console c(false);
    QVERIFY(c.Activate());
    auto* contents = c.Find<QLineEdit>("txtVal0");
    ClickIntoTheMiddle(contents);
    for (const char* word : {"b00010a00011", "900000900000"}) {
      contents->selectAll();
      QTest::keyClicks(QApplication::focusWidget(), word);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    QCOMPARE(c.ormlax->Machine.Memory[0].Text(), std::string("B00010A00011"));
    QCOMPARE(c.ormlax->Machine.Memory[1].Text(), std::string("900000900000"));
    QCOMPARE(c.Text("txtLoc"), QString("002"));
    QCOMPARE(QApplication::focusWidget(), contents);
  }

  // The button with the focus looks different, whichever way the focus came to it, and Enter
  // presses it: after SCICR that is Single Step.
  void theFocusedButtonIsMarkedAndEnterPressesIt() {
    Console c(false);
    QVERIFY(c.Activate());
    auto* singleStep = c.Find<QPushButton>("cmdSingleStep");
    const QImage unfocused = singleStep->grab().toImage();
    c.StoreWords("5", {"A00007000000"});
    c.Type("txtVal0", "u00000000005");
    c.Click("cmdSCICR");
    QCOMPARE(QApplication::focusWidget(), singleStep);
    QVERIFY2(singleStep->grab().toImage() != unfocused, "the focused button looks as before");

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(c.Lamp("Lamp4"), LampColour::Yellow);  // the word in rCR was stepped
    QCOMPARE(c.Text("txtCC"), QString("005"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    QCOMPARE(c.Text("txtCC"), QString("006"));

    // With the focus elsewhere the mark goes.
    c.Find<QWidget>("cmdRun")->setFocus();
    QCOMPARE(singleStep->grab().toImage(), unfocused);
  }

  // Ormprinter disables itself: its focus goes to Run, never on to the next button (Power off),
  // which a following Enter would press.
  void showingTheTypewriterByKeyboardLeavesTheFocusOnRun() {
    Console c(false);
    QVERIFY(c.Activate());
    auto* ormprinter = c.Find<QPushButton>("cmdOrmprinter");
    ormprinter->setFocus();
    QTest::keyClick(ormprinter, Qt::Key_Return);
    QVERIFY(!ormprinter->isEnabled());
    QCOMPARE(QApplication::focusWidget(), c.Find<QWidget>("cmdRun"));
  }

  // A Location field left with text that is not a location shows the location in force again,
  // the one Store uses.
  void leavingTheLocationFieldShowsTheLocationInForce_data() {
    QTest::addColumn<QString>("typedAfter");
    QTest::addColumn<bool>("overwrite");
    QTest::newRow("letters after the number") << "ab" << false;
    QTest::newRow("a minus sign") << "-5" << true;
    QTest::newRow("emptied") << "" << true;
  }
  void leavingTheLocationFieldShowsTheLocationInForce() {
    QFETCH(QString, typedAfter);
    QFETCH(bool, overwrite);
    Console c(true);
    QVERIFY(c.Activate());
    auto* location = c.Find<QLineEdit>("txtLoc");
    location->setFocus();
    location->selectAll();
    QTest::keyClicks(location, "12");
    QCOMPARE(location->text(), QString("0012"));
    if (overwrite) {
      location->selectAll();
      QTest::keyClick(location, Qt::Key_Delete);
    }
    QTest::keyClicks(location, typedAfter);
    QCOMPARE(location->text(), overwrite ? typedAfter : "0012" + typedAfter);
    auto* contents = c.Find<QLineEdit>("txtVal0");
    contents->setFocus();
    QTRY_VERIFY_WITH_TIMEOUT(contents->hasFocus(), 5000);
    QCOMPARE(location->text(), QString("0012"));
    QTest::keyClicks(contents, "7");
    QTest::keyClick(contents, Qt::Key_Return);
    QCOMPARE(c.ormlax->Machine.Memory[12].Text(), std::string("000000000007"));
    QCOMPARE(location->text(), QString("0013"));
  }
};

}  // namespace
}  // namespace ormlax::app

QTEST_MAIN(ormlax::app::ConsoleFieldsTest)
#include "console_fields_test.moc"

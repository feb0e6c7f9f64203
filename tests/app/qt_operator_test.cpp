// The desktop program's message boxes and input box: texts, buttons, icons and default buttons
// as asked, and what the operator's answer returns.
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <functional>

#include "app/qt_operator.h"
#include "tests/app/modal_watch.h"

namespace ormlax::app {
namespace {

using testing::WhenModal;

class QtOperatorTest : public QObject {
  Q_OBJECT

 private slots:
  void aQuestionHasYesAndNoWithItsDefault() {
    QtOperator op;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString defaultButton;
    int buttons = 0;
    auto watch = WhenModal<QMessageBox>([&](QMessageBox& box) {
      text = box.text();
      icon = box.icon();
      defaultButton = box.defaultButton()->text();
      buttons = static_cast<int>(box.buttons().size());
      box.button(QMessageBox::Yes)->click();
    });
    const MessageAnswer answer =
        op.ShowMessage({"There is already a tape\r\nmounted on this servo.\r\nUnmount it?",
                        MessageButtons::YesNo, MessageIcon::Question, MessageAnswer::No});
    QVERIFY2(watch->Worked(), qPrintable(watch->Failure()));
    QCOMPARE(answer, MessageAnswer::Yes);
    QCOMPARE(text, QString("There is already a tape\nmounted on this servo.\nUnmount it?"));
    QCOMPARE(icon, QMessageBox::Question);
    QCOMPARE(buttons, 2);
    QCOMPARE(defaultButton, QMessageBox().addButton(QMessageBox::No)->text());
  }

  void enterTakesTheDefaultAndEscapeMeansNo() {
    QtOperator op;
    auto enter =
        WhenModal<QMessageBox>([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); });
    QCOMPARE(op.ShowMessage(
                 {"Question?", MessageButtons::YesNo, MessageIcon::Question, MessageAnswer::No}),
             MessageAnswer::No);
    QVERIFY2(enter->Worked(), qPrintable(enter->Failure()));
    auto escape =
        WhenModal<QMessageBox>([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    QCOMPARE(op.ShowMessage(
                 {"Question?", MessageButtons::YesNo, MessageIcon::Question, MessageAnswer::Yes}),
             MessageAnswer::No);
    QVERIFY2(escape->Worked(), qPrintable(escape->Failure()));
  }

  void aMessageHasOneOkButton() {
    QtOperator op;
    int buttons = 0;
    QMessageBox::Icon icon = QMessageBox::Question;
    auto watch = WhenModal<QMessageBox>([&](QMessageBox& box) {
      buttons = static_cast<int>(box.buttons().size());
      icon = box.icon();
      box.button(QMessageBox::Ok)->click();
    });
    QCOMPARE(op.ShowMessage({"Servo 3 not ready"}), MessageAnswer::Ok);
    QVERIFY2(watch->Worked(), qPrintable(watch->Failure()));
    QCOMPARE(buttons, 1);
    QCOMPARE(icon, QMessageBox::NoIcon);
  }

  // The input box shows its prompt and default text and returns what was typed, or nothing when
  // it is cancelled.
  void theInputBoxReturnsTheTypedText_data() {
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("answered");
    QTest::newRow("typed over the default, OK") << true << "PAYROLL" << true;
    QTest::newRow("the default, OK") << true << "" << true;
    QTest::newRow("cancelled") << false << "PAYROLL" << false;
  }
  void theInputBoxReturnsTheTypedText() {
    QFETCH(bool, accept);
    QFETCH(QString, typed);
    QFETCH(bool, answered);
    QtOperator op;
    QString name, title, label, shown;
    auto watch = WhenModal<QInputDialog>([&](QInputDialog& box) {
      name = box.objectName();
      title = box.windowTitle();
      label = box.labelText();
      auto* field = box.findChild<QLineEdit*>();
      shown = field->text();
      if (!typed.isEmpty()) {
        field->selectAll();
        QTest::keyClicks(field, typed);
      }
      if (accept) {
        QTest::keyClick(field, Qt::Key_Return);
      } else {
        QTest::keyClick(field, Qt::Key_Escape);
      }
    });
    const std::optional<std::string> answer = op.AskText("Job name?\r\nUp to 12 letters", "DTMB");
    QVERIFY2(watch->Worked(), qPrintable(watch->Failure()));
    QCOMPARE(name, QString("InputBox"));
    QCOMPARE(title, QString(kMessageBoxTitle));
    QCOMPARE(label, QString("Job name?\nUp to 12 letters"));
    QCOMPARE(shown, QString("DTMB"));
    QCOMPARE(answer.has_value(), answered);
    if (answered) QCOMPARE(QString::fromStdString(*answer), typed.isEmpty() ? "DTMB" : typed);
  }
};

}  // namespace
}  // namespace ormlax::app

QTEST_MAIN(ormlax::app::QtOperatorTest)
#include "qt_operator_test.moc"

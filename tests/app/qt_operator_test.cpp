// The desktop program's message boxes: texts, buttons, icons and default buttons as asked.
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "app/qt_operator.h"

namespace ormlax::app {
namespace {

// Runs `look` on the message box as soon as it is open.
void WhenTheBoxOpens(std::function<void(QMessageBox&)> look) {
  QTimer::singleShot(0, [look] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY(box != nullptr);
    look(*box);
  });
}

class QtOperatorTest : public QObject {
  Q_OBJECT

 private slots:
  void aQuestionHasYesAndNoWithItsDefault() {
    QtOperator op;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString defaultButton;
    WhenTheBoxOpens([&](QMessageBox& box) {
      text = box.text();
      icon = box.icon();
      defaultButton = box.defaultButton()->text();
      QCOMPARE(box.buttons().size(), 2);
      box.button(QMessageBox::Yes)->click();
    });
    const MessageAnswer answer =
        op.ShowMessage({"There is already a tape\r\nmounted on this servo.\r\nUnmount it?",
                        MessageButtons::YesNo, MessageIcon::Question, MessageAnswer::No});
    QCOMPARE(answer, MessageAnswer::Yes);
    QCOMPARE(text, QString("There is already a tape\nmounted on this servo.\nUnmount it?"));
    QCOMPARE(icon, QMessageBox::Question);
    QCOMPARE(defaultButton, QMessageBox().addButton(QMessageBox::No)->text());
  }

  void enterTakesTheDefaultAndEscapeMeansNo() {
    QtOperator op;
    WhenTheBoxOpens([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); });
    QCOMPARE(op.ShowMessage(
                 {"Question?", MessageButtons::YesNo, MessageIcon::Question, MessageAnswer::No}),
             MessageAnswer::No);
    WhenTheBoxOpens([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    QCOMPARE(op.ShowMessage(
                 {"Question?", MessageButtons::YesNo, MessageIcon::Question, MessageAnswer::Yes}),
             MessageAnswer::No);
  }

  void aMessageHasOneOkButton() {
    QtOperator op;
    int buttons = 0;
    QMessageBox::Icon icon = QMessageBox::Question;
    WhenTheBoxOpens([&](QMessageBox& box) {
      buttons = static_cast<int>(box.buttons().size());
      icon = box.icon();
      box.button(QMessageBox::Ok)->click();
    });
    QCOMPARE(op.ShowMessage({"Servo 3 not ready"}), MessageAnswer::Ok);
    QCOMPARE(buttons, 1);
    QCOMPARE(icon, QMessageBox::NoIcon);
  }
};

}  // namespace
}  // namespace ormlax::app

QTEST_MAIN(ormlax::app::QtOperatorTest)
#include "qt_operator_test.moc"

// The "Labels on mounted tapes" window: one line per servo of the model, and how it closes.
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "app/labels_dialog.h"

using ormlax::ServoState;
using ormlax::ServoUnits;
using ormlax::app::LabelsDialog;

class LabelsDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void ListsEveryServoOfTheModel();
  void AClickOnALineOrDoneCloses();
};

namespace {

QStringList Lines(LabelsDialog& d) {
  QStringList lines;
  const auto* list = d.findChild<QListWidget*>("lstLabel");
  for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
  return lines;
}

}  // namespace

void LabelsDialogTest::ListsEveryServoOfTheModel() {
  ServoUnits servos;
  LabelsDialog empty(servos, false);
  QCOMPARE(empty.windowTitle(), QString("Labels on mounted tapes"));
  QCOMPARE(empty.property("helpContext").toInt(), 5100);
  QCOMPARE(empty.findChild<QPushButton*>("cmdDone")->text(), QString("Done"));
  const QStringList none = {"-  (No tape mounted)", "1  (No tape mounted)", "2  (No tape mounted)",
                            "3  (No tape mounted)", "4  (No tape mounted)", "5  (No tape mounted)",
                            "6  (No tape mounted)", "7  (No tape mounted)", "8  (No tape mounted)",
                            "9  (No tape mounted)"};
  QCOMPARE(Lines(empty), none);

  // A tape on servo B, and one the program unloaded on servo 2 (its name is kept).
  servos[11].State = ServoState::ReadWrite;
  servos[11].Position = 7;
  servos[11].FileName = "/data/tapes/b.tap";
  servos[2].State = ServoState::Unloaded;
  servos[2].Position = 0;
  servos[2].FileName = "/data/tapes/two.tap";
  LabelsDialog modelII(servos, true);
  const QStringList lines = Lines(modelII);
  QCOMPARE(lines.size(), 16);
  QCOMPARE(lines[0], QString("-  (No tape mounted)"));
  QCOMPARE(lines[2], QString("2  (No tape mounted)"));
  QCOMPARE(lines[11], QString("B  /data/tapes/b.tap"));
  QCOMPARE(lines[15], QString("F  (No tape mounted)"));
}

void LabelsDialogTest::AClickOnALineOrDoneCloses() {
  ServoUnits servos;
  for (const int line : {0, 9, -1}) {  // -1: the Done button
    LabelsDialog d(servos, false);
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    auto* list = d.findChild<QListWidget*>("lstLabel");
    if (line < 0) {
      QTest::mouseClick(d.findChild<QPushButton*>("cmdDone"), Qt::LeftButton);
    } else {
      const QRect at = list->visualItemRect(list->item(line));
      QVERIFY(list->viewport()->rect().contains(at.center()));
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at.center());
    }
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(QDialog::Accepted));
  }
}

QTEST_MAIN(LabelsDialogTest)
#include "labels_dialog_test.moc"

// The blown-fuse window: its texts and help page for each reason, OK, and the reasons that have
// nothing to show.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "app/fuse_dialog.h"
#include "app/qt_operator.h"
#include "tests/app/modal_watch.h"

using ormlax::app::FuseDialog;

class FuseDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void ShowsTheReasonAndClosesOnOk();
  void OtherReasonsCloseAtOnce();
  void TheOperatorWaitsForOk();
};

void FuseDialogTest::ShowsTheReasonAndClosesOnOk() {
  struct Case {
    int reason;
    QString caption;
    QString why;
    int helpContext;
  };
  const Case cases[] = {
      {1, "A fuse has blown!!!", "The entire memory has been filled with \"Z4Z4Z4Z4Z4Z4\"", 7000},
      {2, "Hardware error!!!", "There has been an adder subtrahend odd-even error", 7001},
  };
  for (const Case& c : cases) {
    FuseDialog d(c.reason);
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QCOMPARE(d.objectName(), QString("frmBlowFuse"));
    QCOMPARE(d.windowTitle(), c.caption);
    QCOMPARE(d.findChild<QLabel*>("labWhy")->text(), c.why);
    QCOMPARE(d.property("helpContext").toInt(), c.helpContext);
    QPushButton* ok = d.findChild<QPushButton*>("cmdOK");
    QCOMPARE(ok->text(), QString("OK"));
    QCoreApplication::processEvents();
    QVERIFY(d.isVisible());  // it stays until the operator answers
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(QDialog::Accepted));
  }
}

void FuseDialogTest::OtherReasonsCloseAtOnce() {
  for (const int reason : {0, 3, -1}) {
    FuseDialog modal(reason);
    QCOMPARE(modal.exec(), int(QDialog::Rejected));
    QVERIFY(!modal.isVisible());

    FuseDialog shown(reason);
    shown.show();
    QTRY_VERIFY(!shown.isVisible());
  }
}

void FuseDialogTest::TheOperatorWaitsForOk() {
  ormlax::app::QtOperator op;
  QString caption;
  auto watch = ormlax::app::testing::WhenModal<FuseDialog>([&caption](FuseDialog& d) {
    caption = d.windowTitle();
    QTest::mouseClick(d.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
  });
  op.ShowFuseWindow(2);
  QVERIFY2(watch->Worked(), qPrintable(watch->Failure()));
  QCOMPARE(caption, QString("Hardware error!!!"));
}

QTEST_MAIN(FuseDialogTest)
#include "fuse_dialog_test.moc"

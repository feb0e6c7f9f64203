// The start-up window: its texts, the model each way of leaving it chooses, and its picture.
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QtTest>

#include "app/startup_window.h"
#include "tests/app/modal_watch.h"

using ormlax::app::ModelChoice;
using ormlax::app::StartupWindow;

Q_DECLARE_METATYPE(ormlax::app::ModelChoice)

class StartupWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void ShowsCaptionTitleAndDescription() {
    StartupWindow w;
    QCOMPARE(w.objectName(), QString("frmAbout"));
    QCOMPARE(w.windowTitle(), QString("ORMLAX Simulator, V1.1.70"));
    auto* title = w.findChild<QLabel*>("Label1");
    auto* simulator = w.findChild<QLabel*>("Label4");
    auto* description = w.findChild<QLabel*>("Label2");
    QVERIFY(title && simulator && description);
    QCOMPARE(title->text(), QString("ORMLAX"));
    QCOMPARE(simulator->text(), QString("SIMULATOR"));
    // "large": the title stands out from the description.
    QVERIFY(title->font().pointSizeF() >= 2 * description->font().pointSizeF());
    // One paragraph for a newcomer that names both machines.
    QVERIFY(description->wordWrap());
    QVERIFY(!description->text().contains('\n'));
    QVERIFY(description->text().contains("ORMLAX I "));
    QVERIFY(description->text().contains("ORMLAX II"));
    QVERIFY(description->text().size() > 200);
  }

  void EachButtonMakesItsChoice_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<ModelChoice>("choice");
    QTest::addColumn<int>("result");
    QTest::newRow("ORMLAX I") << "cmdO1"
                              << "ORMLAX I" << ModelChoice::OrmlaxI << int(QDialog::Accepted);
    QTest::newRow("ORMLAX II") << "cmdO2"
                               << "ORMLAX II" << ModelChoice::OrmlaxII << int(QDialog::Accepted);
    QTest::newRow("Quit") << "cmdQuit"
                          << "Quit" << ModelChoice::Quit << int(QDialog::Rejected);
  }

  // The window runs modally, as at start-up, and the button ends it.
  void EachButtonMakesItsChoice() {
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(ModelChoice, choice);
    QFETCH(int, result);
    StartupWindow w;
    auto* b = w.findChild<QPushButton*>(button);
    QVERIFY(b != nullptr);
    QCOMPARE(b->text(), caption);
    auto watch = ormlax::app::testing::WhenModal<StartupWindow>(
        [b](StartupWindow&) { QTest::mouseClick(b, Qt::LeftButton); });
    QCOMPARE(w.exec(), result);
    QVERIFY2(watch->Worked(), qPrintable(watch->Failure()));
    QCOMPARE(w.Choice(), choice);
    QVERIFY(!w.isVisible());
  }

  void ClosingTheWindowMeansOrmlaxI() {
    StartupWindow w;
    bool closed = false;
    auto watch = ormlax::app::testing::WhenModal<StartupWindow>(
        [&closed](StartupWindow& open) { closed = open.close(); });
    w.exec();
    QVERIFY2(watch->Worked(), qPrintable(watch->Failure()));
    QVERIFY(closed);
    QCOMPARE(w.Choice(), ModelChoice::OrmlaxI);
    QVERIFY(!w.isVisible());
  }

  void PictureIsDrawnWithoutErrors() {
    // A painter that is misused says so with a warning.
    QTest::failOnWarning(QRegularExpression("QPaint|QPainter|QImage|QPixmap"));
    StartupWindow w;
    auto* picture = w.findChild<QWidget*>("Image1");
    QVERIFY(picture != nullptr);
    for (const QSize size : {picture->size(), QSize(640, 440)}) {
      picture->resize(size);
      const QImage image = picture->grab().toImage();
      QCOMPARE(image.size(), size);
      QSet<QRgb> colours;
      for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) colours.insert(image.pixel(x, y));
      }
      // Gradients, reels and lamps: far more than a blank or a flat drawing has.
      QVERIFY2(colours.size() > 200, qPrintable(QString::number(colours.size())));
      // The console's lamps are lit in the machine's lamp colours.
      for (const QRgb lamp : {qRgb(0, 255, 0), qRgb(255, 0, 0)}) {
        bool near = false;
        for (const QRgb c : colours) {
          near = near || (qAbs(qRed(c) - qRed(lamp)) < 40 && qAbs(qGreen(c) - qGreen(lamp)) < 40 &&
                          qAbs(qBlue(c) - qBlue(lamp)) < 40);
        }
        QVERIFY(near);
      }
    }
  }
};

QTEST_MAIN(StartupWindowTest)
#include "startup_window_test.moc"

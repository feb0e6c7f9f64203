// The console window driven as an operator would: by its controls, found by their names.
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "app/servo_dialog.h"
#include "tests/app/console_fixture.h"

namespace ormlax::app {
namespace {

namespace fs = std::filesystem;
using testing::ClickButton;
using testing::Console;

class ConsoleWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void modelsShowTheirOwnPanel_data() {
    QTest::addColumn<bool>("modelII");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("servos");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("location");
    QTest::addColumn<int>("help");
    QTest::newRow("ORMLAX I") << false << "ORMLAX I simulator" << 10 << "chkHasI"
                              << "000" << 4000;
    QTest::newRow("ORMLAX II") << true << "ORMLAX II simulator" << 16 << "chkO2asO1"
                               << "0000" << 4010;
  }
  void modelsShowTheirOwnPanel() {
    QFETCH(bool, modelII);
    Console c(modelII);
    QCOMPARE(c.window.windowTitle(), QString(QTest::currentDataTag()) + " simulator");
    QFETCH(QString, caption);
    QCOMPARE(c.window.windowTitle(), caption);
    QFETCH(int, servos);
    QVERIFY(c.window.findChild<QRadioButton*>(QString("optServo%1").arg(servos - 1)) != nullptr);
    QVERIFY(c.window.findChild<QRadioButton*>(QString("optServo%1").arg(servos)) == nullptr);
    QCOMPARE(c.Find<QRadioButton>("optServo3")->toolTip(), QString("Use Servo 3 as default"));
    QFETCH(QString, option);
    QVERIFY(c.window.findChild<QCheckBox*>(option) != nullptr);
    QVERIFY(c.window.findChild<QCheckBox*>(modelII ? "chkHasI" : "chkO2asO1") == nullptr);
    QFETCH(QString, location);
    QCOMPARE(c.Text("txtLoc"), location);
    QCOMPARE(c.Text("txtVal0"), QString("000000000000"));
    QCOMPARE(c.Find<QLabel>("labRegName0")->text(), QString(modelII ? "rW" : "rV"));
    QCOMPARE(c.Find<QLabel>("labRegInUse2")->text(), QString("cleared"));
    QFETCH(int, help);
    QCOMPARE(c.window.property("helpContext").toInt(), help);
    QVERIFY(c.Find<QPushButton>("cmdAssemble")->isHidden());
    QVERIFY(c.Find<QPushButton>("cmdMemDump")->isHidden());
    QVERIFY(c.Find<QPushButton>("cmdOffLine")->isEnabled());
    QCOMPARE(c.Find<QPushButton>("cmdOffLine")->toolTip(),
             QString("Manually write data to a tape"));
  }

  void typedWordsAreStoredAndTheLocationSteps() {
    Console c(false);
    c.StoreWords("999", {"b00010a00011"});
    QCOMPARE(c.ormlax->Machine.Memory[999].Text(), std::string("B00010A00011"));
    QCOMPARE(c.Text("txtLoc"), QString("000"));
    c.Click("cmdLCMinus");
    QCOMPARE(c.Text("txtLoc"), QString("999"));
    QCOMPARE(c.Text("txtVal0"), QString("B00010A00011"));
    c.Type("txtVal1", "7");
    QCOMPARE(c.Text("txtVal1"), QString("000000000007"));
    QCOMPARE(c.ormlax->Machine.rA.Text(), std::string("000000000007"));
    c.Click("cmdChar1");
    QCOMPARE(c.Text("txtVal0"), QString("00010A00011r"));
  }

  void runPrintsOnTheTypewriter() {
    Console c(false);
    c.StoreWords("0", {"500010900000"});
    c.StoreWords("10", {});
    c.Type("txtVal0", "HELLO WORLD");
    c.Click("cmdChar1");  // the carriage-return code, which the keyboard cannot type
    c.Click("cmdStoreLoc");
    c.ormlax->Ormprinter.State().PaperLeft = 100;
    c.Click("cmdOrmprinter");
    c.Click("cmdUPPwrOn");
    QCOMPARE(c.Lamp("shaOrmprinterLamp3"), LampColour::Green);
    c.Type("txtLoc", "");
    c.Click("cmdClearPC");
    c.Click("cmdRun");
    QCOMPARE(c.Find<QPlainTextEdit>("txtPaper")->toPlainText(), QString("hello world\n"));
    QCOMPARE(c.Text("txtCC"), QString("001"));
    QCOMPARE(c.Lamp("Lamp4"), LampColour::Red);
    QVERIFY(c.Find<QPushButton>("cmdSingleStep")->isEnabled());
  }

  void stopEndsARunningLoop() {
    Console c(true);
    c.StoreWords("0", {"A00010U00000"});
    c.StoreWords("10", {"000000000001"});
    bool sawRunning = false;
    // Stop is pressed at a yield of the run, once the panel shows it running.
    c.AtTheConsoleWhen(
        [&] {
          return c.Lamp("Lamp4") == LampColour::Green &&
                 !c.Find<QPushButton>("cmdSingleStep")->isEnabled();
        },
        [&] {
          sawRunning = c.ormlax->Machine.Running;
          c.Click("cmdStop");
        });
    c.Click("cmdRun");
    QVERIFY2(c.failure.isEmpty(), qPrintable(c.failure));
    QVERIFY(sawRunning);
    QVERIFY(!c.ormlax->Machine.Running);
    QCOMPARE(c.Text("txtCC"), QString("0000"));  // the loop's only word
    QVERIFY(c.ormlax->Machine.rA.Text() > std::string("000000000000"));
    QCOMPARE(c.Text("txtVal1"), QString::fromStdString(c.ormlax->Machine.rA.Text()));
    QVERIFY(c.Find<QPushButton>("cmdSingleStep")->isEnabled());
  }

  // During a run the controls that would change memory or the control counter under the
  // running program are disabled: those of EnablePanel, Fill and the special characters.
  void aRunDisablesThePanelFillAndTheCharacterButtons() {
    Console c(false);
    c.StoreWords("0", {"A00010U00000"});
    const QStringList disabled = {"cmdSingleStep",  "CmdOneInst", "cmdSCICR",     "cmdStoreLoc",
                                  "cmdClearMemory", "cmdClearPC", "cmdClearRegs", "cmdExit",
                                  "cmdLCMinus",     "cmdLCPlus",  "txtLoc",       "txtVal0",
                                  "cmdFill",        "cmdChar0",   "cmdChar1",     "cmdChar2",
                                  "cmdChar3",       "cmdChar4",   "cmdChar5",     "cmdChar6"};
    QStringList enabledDuringRun;
    bool runAndStopEnabled = false;
    c.AtTheConsoleWhen([&] { return c.Lamp("Lamp4") == LampColour::Green; },
                       [&] {
                         for (const QString& name : disabled) {
                           if (c.Find<QWidget>(name)->isEnabled()) enabledDuringRun << name;
                         }
                         runAndStopEnabled = c.Find<QWidget>("cmdRun")->isEnabled() &&
                                             c.Find<QWidget>("cmdStop")->isEnabled();
                         c.Click("cmdStop");
                       });
    c.Click("cmdRun");
    QVERIFY2(c.failure.isEmpty(), qPrintable(c.failure));
    QVERIFY2(enabledDuringRun.isEmpty(), qPrintable(enabledDuringRun.join(", ")));
    QVERIFY(runAndStopEnabled);
    for (const QString& name : disabled)
      QVERIFY2(c.Find<QWidget>(name)->isEnabled(), qPrintable(name));
  }

  void conditionalStopHoldsUntilReleased_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("goTo");
    QTest::addColumn<QString>("ccAfter");
    QTest::newRow("Run, go to") << "cmdRun" << true << "021";  // past the stop at 20
    QTest::newRow("Single Step, go to") << "cmdSingleStep" << true << "011";
    QTest::newRow("Single Step, no go") << "cmdSingleStep" << false << "002";
    QTest::newRow("Stop, go to") << "cmdStop" << true << "011";
  }
  void conditionalStopHoldsUntilReleased() {
    QFETCH(QString, button);
    QFETCH(bool, goTo);
    QFETCH(QString, ccAfter);
    Console c(false);
    // 0: B (rA := rL's word) ; 1: Q3 to 011 ; 11: transfer to 20 ; 20: stop.
    c.StoreWords("0", {"B00100L00100", "Q30000000011", "900000000000"});
    c.StoreWords("11", {"U00000000020"});
    c.StoreWords("20", {"900000000000"});
    c.Click("optQT3");
    c.Click("cmdClearPC");
    bool held = false;
    // The operator acts once the panel shows the hold.
    c.AtTheConsoleWhen([&] { return c.Lamp("Lamp3") == LampColour::Red; },
                       [&] {
                         held = c.ormlax->Machine.InQTStop &&
                                c.Find<QRadioButton>("optQTGo0")->isChecked() &&
                                c.Find<QLabel>("labQTGoPC0")->text() == "011" &&
                                c.Find<QLabel>("labQTGoPC1")->text() == "002" &&
                                c.Find<QPushButton>("cmdSingleStep")->isEnabled();
                         if (!goTo) c.Click("optQTGo1");
                         c.Click(button);
                       });
    c.Click("cmdRun");
    QVERIFY2(c.failure.isEmpty(), qPrintable(c.failure));
    QVERIFY(held);
    QVERIFY(!c.ormlax->Machine.InQTStop);
    QCOMPARE(c.Lamp("Lamp3"), LampColour::Grey);
    QCOMPARE(c.Text("txtCC"), ccAfter);
    QVERIFY(!c.Find<QRadioButton>("optQTGo0")->isChecked());
    QVERIFY(c.Find<QLabel>("labQTGoPC0")->text().isEmpty());
  }

  void keyboardWindowAnswersTheInputInstruction() {
    Console c(false);
    c.StoreWords("0", {"100100900000"});
    c.op.keyboardScript = [](KeyboardDialog& d) {
      auto* field = d.findChild<QLineEdit*>("txtInput");
      QTest::keyClicks(field, "abc");
      QTest::keyClick(field, Qt::Key_Return);
    };
    c.Click("cmdClearPC");
    c.Click("cmdRun");
    QCOMPARE(c.ormlax->Machine.Memory[100].Text(), std::string("000000000ABC"));
    QCOMPARE(c.op.keyboardWindows.size(), std::size_t{1});
    QVERIFY(c.op.keyboardWindows[0]);  // "Continue in single-step" offered during a run
  }

  void bothFusesBlow() {
    Console one(false);
    QStringList words;
    for (int i = 0; i < 10; ++i) words << "Z4Z4Z4Z4Z4Z4";
    one.StoreWords("100", words);
    // 700 words through rY: Y loads ten, then seventy Z stores; the last one blows the fuse.
    QStringList program = {"Y00100000000"};
    for (int b = 0; b < 70; ++b) program << "Z00" + QString::number(200 + 10 * b) + "000000";
    one.StoreWords("0", program);
    one.Click("cmdClearPC");
    one.Click("cmdRun");
    QCOMPARE(one.op.fuseReasons,
             QStringList{"The entire memory has been filled with \"Z4Z4Z4Z4Z4Z4\""});
    QCOMPARE(one.ormlax->Machine.Memory[500], kZeroWord);

    Console two(true);
    two.StoreWords("0", {"D00010000000"});
    two.StoreWords("10", {"0'0000000000"});
    two.Type("txtVal1", "0(0000000000");
    two.Click("cmdClearPC");
    two.Click("cmdSingleStep");
    QCOMPARE(two.op.fuseReasons, QStringList{"There has been an adder subtrahend odd-even error"});
    QCOMPARE(two.Lamp("Lamp5"), LampColour::Red);
    QCOMPARE(two.Text("txtVal1"), QString("000000000000"));
  }

  void servoWindowMountsAndLabelsListTheTape() {
    std::function<int(QDialog&)> script;
    Console c(true, [&](QDialog& d) { return script(d); });
    {
      std::ofstream tape(c.folder / "data.tap", std::ios::binary);
      std::string record = std::string("\x7a\x00", 2) + std::string(120, '0') + "\r\n";
      for (int i = 0; i < 6; ++i) tape << record;
    }
    script = [&](QDialog& d) {
      d.show();
      ClickButton(d.findChild<QRadioButton*>("optServo11"));
      auto* name = d.findChild<QLineEdit*>("txtFileName");
      QTest::keyClicks(name, "data.tap");
      QTest::keyClick(name, Qt::Key_Return);
      ClickButton(d.findChild<QCheckBox*>("chkReadOnly"));
      QTest::mouseClick(d.findChild<QPushButton*>("cmdMount"), Qt::LeftButton);
      QTest::mouseClick(d.findChild<QPushButton*>("cmdDone"), Qt::LeftButton);
      return 0;
    };
    c.Click("cmdLoadServo");
    QCOMPARE(c.Lamp("shaServo11"), LampColour::Cyan);  // write-protected
    QCOMPARE(c.Lamp("shaServoInUse11"), LampColour::Grey);

    QStringList lines;
    script = [&](QDialog& d) {
      d.show();
      auto* list = d.findChild<QListWidget*>("lstLabel");
      for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
      return 0;
    };
    c.Click("cmdReadLabels");
    QCOMPARE(lines.size(), 16);
    QCOMPARE(lines[0], QString("-  (No tape mounted)"));
    QCOMPARE(lines[11], "B  " + QString::fromStdString((c.folder / "data.tap").string()));
  }

  void memoryDumpNeedsSpecialFunctions() {
    Console c(false);
    c.StoreWords("5", {"B00010A00011"});
    c.Click("chkProgDebug");
    QVERIFY(c.Find<QPushButton>("cmdMemDump")->isVisible());
    QVERIFY(c.Find<QPushButton>("cmdAssemble")->isVisible());
    c.Click("cmdMemDump");
    std::ifstream in(c.folder / "memdump.txt");
    std::string first;
    std::getline(in, first);
    QCOMPARE(first, std::string("000  000000  000000"));
    std::string line;
    while (std::getline(in, line) && line.rfind("005", 0) != 0) {
    }
    QCOMPARE(line, std::string("005  B00010  A00011"));
  }

  void typewriterSectionShowsAndHides() {
    Console c(false);
    const int shortHeight = c.window.height();
    c.Click("cmdOrmprinter");
    QVERIFY(c.window.height() > shortHeight);
    QVERIFY(!c.Find<QPushButton>("cmdOrmprinter")->isEnabled());
    QCOMPARE(c.window.property("helpContext").toInt(), 4020);
    c.Click("cmdHide");
    QCOMPARE(c.window.height(), shortHeight);
    QCOMPARE(c.window.property("helpContext").toInt(), 4000);
  }

  // Power off and the window's own close control both switch the installation off.
  void switchingOffClosesTheTapes_data() {
    QTest::addColumn<bool>("closeControl");
    QTest::newRow("Power off") << false;
    QTest::newRow("close control") << true;
  }
  void switchingOffClosesTheTapes() {
    QFETCH(bool, closeControl);
    Console c(false);
    ServoWindow model(c.ormlax->Servos, c.op, c.folder, false);
    std::string none;
    model.Open(none);
    for (const int servo : {2, 5}) {
      model.SelectServo(servo);
      model.txtFileName = "out" + std::to_string(servo) + ".tap";
      model.NameFile();
      model.Mount();
      QVERIFY(c.ormlax->Servos[std::size_t(servo)].File.IsOpen());
    }
    if (closeControl) {
      QVERIFY(c.window.close());
    } else {
      c.Click("cmdExit");
    }
    QVERIFY(!c.ormlax->Servos[2].File.IsOpen());
    QVERIFY(!c.ormlax->Servos[5].File.IsOpen());
    QVERIFY(!c.window.isVisible());
  }

  // The window works on the simulator the program gives it: a run pressed on the panel is that
  // simulator's, and its messages go to that simulator's operator.
  void theWindowWorksOnTheSimulatorItIsGiven() {
    Console c(false);
    QCOMPARE(&c.window.Machine(), &c.sim);
    c.StoreWords("0", {"110100900000"});  // read servo 1, which has no tape
    c.Click("cmdClearPC");
    const std::uint64_t before = c.sim.Cpu().WordsExecuted();
    c.Click("cmdRun");
    QCOMPARE(c.sim.Cpu().WordsExecuted(), before + 1);
    QCOMPARE(c.op.messages, std::vector<std::string>{"Servo 1 not ready"});
    QCOMPARE(c.Lamp("Lamp4"), LampColour::Red);
  }
};

}  // namespace
}  // namespace ormlax::app

QTEST_MAIN(ormlax::app::ConsoleWindowTest)
#include "console_window_test.moc"

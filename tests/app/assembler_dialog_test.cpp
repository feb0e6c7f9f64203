// The Assembler window and the job it starts at the console: assemble, load the new tape, run.
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <fstream>

#include "app/assembler_dialog.h"
#include "app/servo_dialog.h"
#include "tests/app/console_fixture.h"

namespace ormlax::app {
namespace {

using testing::ClickButton;
using testing::Console;

// Works the windows the console opens as an operator would; each step sees the window it is for.
struct Operator {
  QString name = "hello";  // what is typed in the Assembler window
  bool loader = false;     // "Insert loader" is checked
  QString proposed;        // what the servo window offered to mount
  int assemblerWindows = 0;

  DialogRunner Runner() {
    return [this](QDialog& dialog) {
      dialog.show();
      if (auto* assembler = qobject_cast<AssemblerDialog*>(&dialog)) {
        ++assemblerWindows;
        auto* txt = assembler->findChild<QLineEdit*>("txtName");
        txt->selectAll();
        QTest::keyClicks(txt, name);
        if (loader) ClickButton(assembler->findChild<QCheckBox*>("chkLoader"));
        ClickButton(assembler->findChild<QPushButton*>("cmdAssemble"));
      } else if (auto* servo = qobject_cast<ServoDialog*>(&dialog)) {
        auto* txt = servo->findChild<QLineEdit*>("txtFileName");
        proposed = txt->text();
        ClickButton(servo->findChild<QAbstractButton*>("optServo0"));
        QTest::keyClick(txt, Qt::Key_Return);
        ClickButton(servo->findChild<QPushButton*>("cmdMount"));
        ClickButton(servo->findChild<QPushButton*>("cmdDone"));
      }
      if (dialog.isVisible()) dialog.reject();
      return dialog.result();
    };
  }
};

void WriteSource(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class AssemblerDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void opensWithThePromptSelectedAndTheOptionsCleared() {
    auto ormlax = MakeInstallation(false, ".", 1);
    ormlax::testing::ScriptedOperator op;
    AssemblerDialog dialog(*ormlax, op);
    QCOMPARE(dialog.windowTitle(), QString("Assembler"));
    auto* name = dialog.findChild<QLineEdit*>("txtName");
    QCOMPARE(name->text(), QString("<filename>"));
    QCOMPARE(name->selectedText(), QString("<filename>"));
    for (const char* box : {"chkRU", "chkLoader", "chkPreserveInt"}) {
      QVERIFY2(!dialog.findChild<QCheckBox*>(box)->isChecked(), box);
    }
    QCOMPARE(dialog.findChild<QCheckBox*>("chkRU")->text(), QString("Insert overflow code"));
    QCOMPARE(dialog.findChild<QCheckBox*>("chkLoader")->text(), QString("Insert loader"));
    QCOMPARE(dialog.findChild<QCheckBox*>("chkPreserveInt")->text(), QString("Keep intermediates"));
    QVERIFY(dialog.findChild<QPushButton*>("cmdAssemble")->isDefault());
    QCOMPARE(dialog.property("helpContext").toInt(), AssemblerDialog::kHelpContext);

    // Left as it is, the prompt is refused with a message and the window closes.
    dialog.show();
    ClickButton(dialog.findChild<QPushButton*>("cmdAssemble"));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.Outcome(), AssemblyOutcome::Refused);
    QCOMPARE(op.messages, std::vector<std::string>{"You must enter a file name to be assembled\r\n"
                                                   "The file type must be \".asm\""});
  }

  // The whole job: Assembler, name, Assemble, the window closes, the typewriter is on, Load
  // Servo proposes the object tape, it is mounted, Single Step loads it and Run runs it.
  void assembleLoadAndRun() {
    Operator user;
    Console c(false, user.Runner());
    WriteSource(c.folder / "hello.asm", "START\t50 MSG\t90\r\nMSG\tTXT\tHELLO!r\r\n");
    QVERIFY(c.Find<QPushButton>("cmdAssemble")->isHidden());
    c.Click("chkProgDebug");
    QVERIFY(c.Find<QPushButton>("cmdAssemble")->isVisible());

    c.Click("cmdAssemble");
    QCOMPARE(user.assemblerWindows, 1);
    QVERIFY2(c.op.messages.empty(), c.op.messages.empty() ? "" : c.op.messages[0].c_str());
    QVERIFY(std::filesystem::exists(c.folder / "hello.obj"));
    QVERIFY(std::filesystem::exists(c.folder / "hello.lst"));
    QVERIFY(c.Find<QWidget>("fraOrmprinter")->isVisible());
    QCOMPARE(c.Lamp("shaOrmprinterLamp3"), LampColour::Green);  // the typewriter is on
    QCOMPARE(c.Text("txtVal5"), QString("1 0000300000"));       // the loading word in rCR

    c.Click("cmdLoadServo");
    QCOMPARE(user.proposed, QString("hello.obj"));
    QCOMPARE(c.Lamp("shaServo0"), LampColour::Green);
    c.Click("cmdSingleStep");
    QCOMPARE(c.sim.Machine().Memory[0], Word::FromText("500001900000"));
    c.Click("cmdRun");
    QCOMPARE(c.Find<QPlainTextEdit>("txtPaper")->toPlainText(), QString("hello\n"));
    QCOMPARE(c.sim.Machine().LastStop, StopReason::StopInstruction);

    // The proposal is made once; a second assembly leaves the typewriter on.
    c.Click("cmdLoadServo");
    QCOMPARE(user.proposed, QString(""));
    c.Click("cmdAssemble");
    QCOMPARE(c.Lamp("shaOrmprinterLamp3"), LampColour::Green);
  }

  // The longest example, more than two blocks, loaded by the loader the assembler puts in front
  // of it: Single Step reads the loader, Run reads the rest and runs the program.
  void aProgramWithTheGeneratedLoaderRunsFromTheConsole() {
    Operator user;
    user.name = "report";
    user.loader = true;
    Console c(false, user.Runner());
    std::filesystem::copy_file(std::filesystem::path(ORMLAX_EXAMPLES) / "report.asm",
                               c.folder / "report.asm");
    c.sim.Ormprinter().State().PaperLeft = 300;  // more than the report's lines
    c.Click("chkProgDebug");
    c.Click("cmdAssemble");
    QVERIFY2(c.op.messages.empty(), c.op.messages.empty() ? "" : c.op.messages[0].c_str());
    c.Click("cmdLoadServo");
    QCOMPARE(user.proposed, QString("report.obj"));
    c.Click("cmdSingleStep");
    c.Click("cmdRun");
    QCOMPARE(c.sim.Machine().LastStop, StopReason::StopInstruction);
    const QString paper = c.Find<QPlainTextEdit>("txtPaper")->toPlainText();
    QVERIFY2(paper.endsWith("\n111 words of text.\n"), qPrintable(paper.right(200)));
  }

  void errorsLeaveTheConsoleAsItWas() {
    Operator user;
    user.name = "bad.asm";
    Console c(false, user.Runner());
    WriteSource(c.folder / "bad.asm", "\tB NOWHERE\t90\r\n");
    c.Click("chkProgDebug");
    c.Click("cmdAssemble");
    QCOMPARE(c.op.messages, std::vector<std::string>{"Errors in assembly\r\nSee bad.lst"});
    QCOMPARE(c.op.requests[0].icon, MessageIcon::Exclamation);
    QVERIFY(!c.Find<QWidget>("fraOrmprinter")->isVisible());
    QVERIFY(!c.sim.Machine().ExecuteFromCR);
    QVERIFY(!std::filesystem::exists(c.folder / "bad.obj"));
  }

  // The assembler would overwrite memory 0 to 59 and rCR under a running or held program.
  void theButtonIsDisabledWhileTheMachineRunsOrIsHeld() {
    Console c(false);
    c.Click("chkProgDebug");
    c.StoreWords("0", {"000000U00000"});
    bool disabledDuringRun = false;
    c.AtTheConsoleWhen([&] { return c.sim.Machine().Running; },
                       [&] {
                         c.window.RefreshFromState();
                         disabledDuringRun = !c.Find<QPushButton>("cmdAssemble")->isEnabled();
                         c.Click("cmdStop");
                       });
    c.Click("cmdRun");
    QVERIFY2(c.failure.isEmpty(), qPrintable(c.failure));
    QVERIFY(disabledDuringRun);
    QVERIFY(c.Find<QPushButton>("cmdAssemble")->isEnabled());

    // Held at a conditional stop met by Single Step (the panel is otherwise enabled).
    c.Click("optQTA");
    c.StoreWords("0", {"Q00000000000"});
    c.Click("cmdClearPC");
    bool disabledDuringHold = false;
    c.AtTheConsoleWhen([&] { return c.sim.Machine().InQTStop; },
                       [&] {
                         c.window.RefreshFromState();
                         disabledDuringHold = !c.Find<QPushButton>("cmdAssemble")->isEnabled();
                         c.Click("cmdStop");
                       });
    c.Click("cmdSingleStep");
    QVERIFY2(c.failure.isEmpty(), qPrintable(c.failure));
    QVERIFY(disabledDuringHold);
  }
};

}  // namespace
}  // namespace ormlax::app

QTEST_MAIN(ormlax::app::AssemblerDialogTest)
#include "assembler_dialog_test.moc"

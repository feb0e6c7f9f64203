// The "ORMLAX Off-line Functions" window driven by its controls: the source and target boxes, the
// eight operations, the printer question, the plugboard options and list, and a printer run
// paused at a breakpoint.
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "app/lamp_shape.h"
#include "printing/qt_host_printer.h"
#include "tape/tape_mounting.h"
#include "tests/app/offline_fixture.h"

namespace ormlax::app {
namespace {

using testing::Child;
using testing::Click;
using testing::CrLfLines;
using testing::EnterName;
using testing::FileBytes;
using testing::OffLineFixture;
using testing::TapeBytes;
using testing::WriteFileBytes;

LampColour Lamp(QWidget& w, const char* name) {
  return Child<LampShape>(w, name)->Colour();
}

QStringList EnabledButtons(QWidget& w) {
  QStringList enabled;
  for (int k = 0; k < 8; ++k) {
    if (Child<QPushButton>(w, QString("cmdOutput%1").arg(k))->isEnabled()) {
      enabled << QString::number(k);
    }
  }
  return enabled;
}

// A board file of the standard layout with a name of its own.
std::string NamedBoard(const std::string& name) {
  std::string text;
  for (int row = 0; row < 8; ++row) text += "<" + std::string(119, ',') + ">\r\n";
  text += "<66>\r\n<1>\r\n<>\r\n<>\r\n<>\r\n<>\r\n<>\r\n<1>\r\n";
  return text + name + "\r\n";
}

class OffLineDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void theWindowAsItOpens() {
    OffLineFixture f;
    auto d = f.Open();
    QCOMPARE(d->objectName(), QString("frmOffLine"));
    QCOMPARE(d->windowTitle(), QString("ORMLAX Off-line Functions"));
    QCOMPARE(d->property("helpContext").toInt(), 8000);
    const struct {
      const char* name;
      const char* text;
    } texts[] = {
        {"labFrom", "Specify the source tape"},
        {"labTo", "Specify the target tape"},
        {"Label1", "as needed"},
        {"Label2", "as needed"},
        {"Label3", "HSP Stop"},
        {"Label4", "HSP B.P."},
    };
    for (const auto& t : texts) QCOMPARE(Child<QLabel>(*d, t.name)->text(), QString(t.text));
    const QStringList captions = {"Ormtyper",       "ORMLAX to asm",  "ORMLAX to text",
                                  "Text to ORMLAX", "HSP (Normal)",   "HSP (Comp. Dig.)",
                                  "HSP (DTMB)",     "List plugboards"};
    for (int k = 0; k < 8; ++k) {
      QCOMPARE(Child<QPushButton>(*d, QString("cmdOutput%1").arg(k))->text(), captions[k]);
    }
    QCOMPARE(Child<QPushButton>(*d, "cmdOutput0")->toolTip(),
             QString("Manually write data to a tape"));
    QCOMPARE(Child<QPushButton>(*d, "cmdOutput1")->toolTip(),
             QString("Convert a ORMLAX tape to an assembler input tape"));
    QCOMPARE(Child<QPushButton>(*d, "cmdDone")->text(), QString("Exit"));
    QCOMPARE(Child<QRadioButton>(*d, "optPlugboard0")->text(), QString("1-to-1 split"));
    QCOMPARE(Child<QRadioButton>(*d, "optPlugboard1")->text(), QString("Straight"));
    QCOMPARE(Child<QRadioButton>(*d, "optPlugboard2")->text(), QString("User"));
    QVERIFY(Child<QWidget>(*d, "lstPlugboard")->isHidden());
    QVERIFY(Child<QWidget>(*d, "linSeparator") != nullptr);
    QCOMPARE(Lamp(*d, "shaHSP0"), LampColour::Grey);
    QCOMPARE(Lamp(*d, "shaHSP1"), LampColour::Grey);
    QCOMPARE(EnabledButtons(*d).size(), 8);
    // The standard boards are there for the options.
    QVERIFY(std::filesystem::exists(f.Path("0.pgb")));
    QVERIFY(std::filesystem::exists(f.Path("1.pgb")));
  }

  // A tape mounted on a servo, a missing source, a tape, and a target that is kept.
  void theSourceAndTargetBoxes() {
    OffLineFixture f;
    WriteFileBytes(f.Path("on3.tap"), TapeBytes({"MOUNTED"}));
    WriteFileBytes(f.Path("one.tap"), TapeBytes({"ONE"}));
    WriteFileBytes(f.Path("kept.tap"), TapeBytes({"KEPT"}));
    QVERIFY(MountTape(f.ormlax->Servos, 3, f.op, f.folder, "on3.tap", false));
    auto d = f.Open();
    OffLineState& s = f.ormlax->OffLine;

    EnterName(*d, "txtSource", "on3.tap");
    QCOMPARE(f.op.messages.back(), f.Path("on3.tap").string() + "\r\nis mounted on ORMLAX");
    QCOMPARE(Child<QLineEdit>(*d, "txtSource")->text(), QString(""));
    QCOMPARE(s.Source, SourceKind::None);

    f.op.messages.clear();
    EnterName(*d, "txtSource", "none.tap");
    QCOMPARE(f.op.messages, std::vector<std::string>{"There is no such tape"});
    QCOMPARE(Child<QLineEdit>(*d, "txtSource")->text(), QString("none.tap"));
    // Leaving the box after Enter does not ask again.
    Child<QLineEdit>(*d, "txtTarget")->setFocus();
    QCOMPARE(f.op.messages.size(), std::size_t(1));

    EnterName(*d, "txtSource", "one.tap");
    QCOMPARE(s.Source, SourceKind::OrmlaxTape);
    QCOMPARE(s.SourcePath, f.Path("one.tap").string());

    f.op.QueueAnswer(MessageAnswer::No);
    EnterName(*d, "txtTarget", "kept.tap");
    QCOMPARE(f.op.messages.back(), std::string("That tape is in use; overwrite?"));
    QCOMPARE(s.Target, TargetKind::KeptTape);
    QVERIFY(!s.MayOverwrite);
    // A kept target is refused by the conversions, and takes no other name.
    Click(*d, "cmdOutput2");
    QCOMPARE(f.op.messages.back(), std::string("Overwriting the target tape not allowed"));
    auto* target = Child<QLineEdit>(*d, "txtTarget");
    target->setFocus();
    QTest::keyClicks(target, "other.tap");
    QTest::keyClick(target, Qt::Key_Return);
    QCOMPARE(target->text(), QString("kept.tap"));
    QCOMPARE(s.TargetPath, f.Path("kept.tap").string());

    // Leaving the target box turns both lamps grey.
    s.StopLamp = LampColour::Red;
    d->Repaint();
    QCOMPARE(Lamp(*d, "shaHSP0"), LampColour::Red);
    Child<QLineEdit>(*d, "txtSource")->setFocus();
    QCOMPARE(Lamp(*d, "shaHSP0"), LampColour::Grey);
  }

  // Every operation button, each on its own files; the boxes are empty after each one that ran.
  void eachOperationRuns() {
    OffLineFixture f;
    std::string program;
    for (int w = 0; w < 10; ++w) program += "B00100C00200";
    WriteFileBytes(f.Path("prog.tap"), TapeBytes({program}));
    WriteFileBytes(f.Path("note.txt"), "AB?Z!");
    f.typerScript = [](OrmtyperDialog& t) {
      QTest::keyClicks(Child<QWidget>(t, "txtData"), "ABC");
      Click(t, "cmdDone");
    };
    auto d = f.Open();

    Click(*d, "cmdOutput0");  // no target
    QCOMPARE(f.op.messages, std::vector<std::string>{"This function requires an output tape.\r\n"
                                                     "It can add to an existing ORMLAX tape."});
    QCOMPARE(f.ormtypers, 0);
    Click(*d, "optPlugboard1");  // Straight, for the printer

    f.op.QueueText("Payroll");  // the DTMB job name
    const struct {
      int button;
      const char* source;
      const char* target;
      const char* firstLine;  // of the target, from its start
    } steps[] = {
        {0, "", "typed.tap", "z"},
        {1, "prog.tap", "prog.asm", "\tB0 0100\t\tC0 0200"},
        {2, "prog.tap", "prog.txt", "B00100C00200"},
        {3, "note.txt", "note.tap", "z"},
        {4, "prog.tap", "normal.txt", "B00100C00200B00100"},
        {5, "prog.tap", "digits.txt", "B00100C00200 B00100C00200"},
        {6, "prog.tap", "dtmb.txt", "  PAGE 1"},
    };
    for (const auto& step : steps) {
      f.op.messages.clear();
      if (*step.source) EnterName(*d, "txtSource", step.source);
      EnterName(*d, "txtTarget", step.target);
      Click(*d, QString("cmdOutput%1").arg(step.button));
      const std::string written = FileBytes(f.Path(step.target));
      QVERIFY2(written.rfind(step.firstLine, 0) == 0,
               qPrintable(QString("%1: %2")
                              .arg(step.button)
                              .arg(QString::fromLatin1(written.substr(0, 40).c_str()))));
      QCOMPARE(Child<QLineEdit>(*d, "txtSource")->text(), QString(""));
      QCOMPARE(Child<QLineEdit>(*d, "txtTarget")->text(), QString(""));
      QCOMPARE(EnabledButtons(*d).size(), 8);
      if (step.button == 5) {
        QCOMPARE(f.op.messages, std::vector<std::string>{
                                    "Computer digit printouts always use\r\nthe \"1-to-1 split\" "
                                    "plugboard and\r\nits associated carriage tape"});
        QVERIFY(Child<QRadioButton>(*d, "optPlugboard0")->isChecked());
      } else {
        QVERIFY2(f.op.messages.empty(), f.Messages().c_str());
      }
    }
    QCOMPARE(f.ormtypers, 1);
    QCOMPARE(FileBytes(f.Path("typed.tap")).substr(2, 12), std::string("ABC000000000"));
    QCOMPARE(FileBytes(f.Path("note.tap")).substr(2, 6), std::string("AB?Zn0"));
    QCOMPARE(f.op.prompts, std::vector<std::string>{"Job Name"});
    QVERIFY(FileBytes(f.Path("dtmb.txt")).find("PAYROLL") != std::string::npos);

    Click(*d, "cmdOutput7");
    QVERIFY(Child<QWidget>(*d, "lstPlugboard")->isVisible());
    QCOMPARE(Child<QPushButton>(*d, "cmdOutput7")->text(), QString("Close list"));
    Click(*d, "cmdOutput7");
    QVERIFY(Child<QWidget>(*d, "lstPlugboard")->isHidden());
    QCOMPARE(Child<QPushButton>(*d, "cmdOutput7")->text(), QString("List plugboards"));
  }

  // Output to no target asks the printer question: Cancel does nothing; OK prints on the default
  // printer, or says that there is none; a PDF file stands in for a printer.
  void withoutATargetThePrinterIsAsked() {
    OffLineFixture f;
    WriteFileBytes(f.Path("in.tap"), TapeBytes({"PRINTED", "s"}));
    const QString source = "in.tap";

    auto none = QtHostPrinter::DefaultPrinter();
    {
      auto d = f.Open(none.get());
      Click(*d, "optPlugboard1");
      EnterName(*d, "txtSource", source);
      Click(*d, "cmdOutput4");  // the question's default: Cancel
      QCOMPARE(f.op.messages,
               std::vector<std::string>{"The output will go to the default printer"});
      QCOMPARE(f.op.requests.back().buttons, MessageButtons::OkCancel);
      QCOMPARE(Child<QLineEdit>(*d, "txtSource")->text(), source);
      if (QPrinterInfo::defaultPrinter().isNull()) {
        f.op.messages.clear();
        f.op.QueueAnswer(MessageAnswer::Ok);
        Click(*d, "cmdOutput4");
        QCOMPARE(f.op.messages,
                 (std::vector<std::string>{
                     "The output will go to the default printer",
                     "There is no default printer on this computer:\r\nset one up, or print into "
                     "a file"}));
        QCOMPARE(Child<QLineEdit>(*d, "txtSource")->text(), source);
      }
    }

    auto pdf = QtHostPrinter::PdfFile(f.Path("out.pdf"));
    auto d = f.Open(pdf.get());
    EnterName(*d, "txtSource", source);
    f.op.messages.clear();
    f.op.QueueAnswer(MessageAnswer::Ok);
    Click(*d, "cmdOutput4");
    QCOMPARE(f.op.messages, std::vector<std::string>{"The output will go to the default printer"});
    QCOMPARE(FileBytes(f.Path("out.pdf")).substr(0, 5), std::string("%PDF-"));
    QCOMPARE(Child<QLineEdit>(*d, "txtSource")->text(), QString(""));
    QCOMPARE(Lamp(*d, "shaHSP0"), LampColour::Red);
  }

  void theBoardsAreListedAndOneIsPicked() {
    OffLineFixture f;
    WriteFileBytes(f.Path("7.pgb"), NamedBoard("Seven"));
    WriteFileBytes(f.Path("4.pgb"), NamedBoard("Four"));
    QString modifyShown;
    auto d = f.Open();
    QCOMPARE(Child<QLabel>(*d, "labWhichPB")->text(), QString("No usable plugboard is loaded"));
    // "User" left with Cancel leaves no board to print through.
    f.editorScript = [](PlugboardDialog& e) { Click(e, "cmdAbort"); };
    Click(*d, "optPlugboard2");
    QCOMPARE(f.editors, 1);
    QCOMPARE(Child<QLabel>(*d, "labWhichPB")->text(), QString("No usable plugboard is loaded"));

    f.editorScript = [&](PlugboardDialog& e) {
      modifyShown = Child<QLineEdit>(e, "txtModify")->text() + " " +
                    Child<QLineEdit>(e, "txtBoardName")->text();
      Click(e, "cmdDone");
    };
    Click(*d, "cmdOutput7");
    auto* list = Child<QListWidget>(*d, "lstPlugboard");
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) entries << list->item(i)->text();
    QCOMPARE(entries, (QStringList{"1-to-1 split (0.pgb)", "Straight (1.pgb)", "Four (4.pgb)",
                                   "Seven (7.pgb)"}));
    // Board 1 chooses "Straight".
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    QVERIFY(Child<QRadioButton>(*d, "optPlugboard1")->isChecked());
    QCOMPARE(Child<QLabel>(*d, "labWhichPB")->text(), QString("Using 1.pgb Straight"));
    QVERIFY(list->isHidden());
    QCOMPARE(Child<QPushButton>(*d, "cmdOutput7")->text(), QString("List plugboards"));
    QCOMPARE(f.editors, 1);

    // A user board opens the editor on it.
    Click(*d, "cmdOutput7");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(3)).center());
    QCOMPARE(f.editors, 2);
    QCOMPARE(modifyShown, QString("7 Seven"));
    QVERIFY(Child<QRadioButton>(*d, "optPlugboard2")->isChecked());
    QCOMPARE(Child<QLabel>(*d, "labWhichPB")->text(), QString("Using 7.pgb Seven"));
    QVERIFY2(f.op.messages.empty(), f.Messages().c_str());  // saved unchanged: no message
  }

  // While the run waits at a breakpoint only "HSP (Normal)" and "Exit" can be used, besides the
  // switch: unticked there, the run goes on to its end without stopping again.
  void aPrinterRunPausesAtABreakpointAndResumes() {
    OffLineFixture f;
    WriteFileBytes(f.Path("in.tap"), TapeBytes({"ONE", "TWO b", "THREE", "FOUR b", "s"}));
    auto d = f.Open();
    Click(*d, "optPlugboard1");
    EnterName(*d, "txtSource", "in.tap");
    EnterName(*d, "txtTarget", "out.txt");
    Click(*d, "chkHSP_BP");
    QVERIFY(f.ormlax->OffLine.BreakpointSwitch);
    QStringList whilePaused;
    bool desksOut = false;
    f.WhenPaused([&] { return Lamp(*d, "shaHSP1") == LampColour::Red; },
                 [&] {
                   whilePaused = EnabledButtons(*d);
                   desksOut = !Child<QWidget>(*d, "txtSource")->isEnabled() &&
                              !Child<QWidget>(*d, "txtTarget")->isEnabled() &&
                              !Child<QWidget>(*d, "optPlugboard0")->isEnabled() &&
                              Child<QWidget>(*d, "cmdDone")->isEnabled() &&
                              Child<QWidget>(*d, "chkHSP_BP")->isEnabled();
                   Click(*d, "chkHSP_BP");
                   Click(*d, "cmdOutput4");
                 });
    Click(*d, "cmdOutput4");
    QVERIFY2(f.failures.isEmpty(), qPrintable(f.failures.join("; ")));
    QCOMPARE(whilePaused, QStringList{"4"});
    QVERIFY(desksOut);
    const QStringList lines = CrLfLines(FileBytes(f.Path("out.txt")));
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines[1], QString("TWO").leftJustified(130));
    QCOMPARE(lines[3], QString("FOUR").leftJustified(130));
    QCOMPARE(EnabledButtons(*d).size(), 8);
    QVERIFY(Child<QWidget>(*d, "txtSource")->isEnabled());
    QCOMPARE(Lamp(*d, "shaHSP0"), LampColour::Red);  // ended at the stop, the switch off
    QVERIFY(d->isVisible());
  }

  // "Exit" while the run waits ends the run there; the window closes when it has ended.
  void exitWhilePausedEndsTheRunAndCloses() {
    OffLineFixture f;
    WriteFileBytes(f.Path("in.tap"), TapeBytes({"ONE", "TWO b", "THREE"}));
    auto d = f.Open();
    Click(*d, "optPlugboard1");
    EnterName(*d, "txtSource", "in.tap");
    EnterName(*d, "txtTarget", "out.txt");
    Click(*d, "chkHSP_BP");
    bool openAfterExit = false;
    f.WhenPaused([&] { return Lamp(*d, "shaHSP1") == LampColour::Red; },
                 [&] {
                   Click(*d, "cmdDone");
                   openAfterExit = d->isVisible();
                 });
    Click(*d, "cmdOutput4");
    QVERIFY2(f.failures.isEmpty(), qPrintable(f.failures.join("; ")));
    QVERIFY(openAfterExit);
    QVERIFY(!d->isVisible());
    QCOMPARE(CrLfLines(FileBytes(f.Path("out.txt"))),
             QStringList{QString("ONE").leftJustified(130)});
    QVERIFY(!f.ormlax->OffLine.EndPausedRun);
  }
};

}  // namespace
}  // namespace ormlax::app

QTEST_MAIN(ormlax::app::OffLineDialogTest)
#include "offline_dialog_test.moc"

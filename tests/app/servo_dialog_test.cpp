// The "Servo Control" window driven through its controls over a servo table and a scripted
// operator: selecting, naming, mounting, the refusals and the dismount question.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "app/dialog_runner.h"
#include "app/lamp_shape.h"
#include "app/servo_dialog.h"
#include "tests/app/modal_watch.h"
#include "tests/support/scripted_operator.h"

using namespace ormlax;
using ormlax::app::LampShape;
using ormlax::app::ServoDialog;

class ServoDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void ShowsTheServosOfTheModel();
  void MountsATapeNamedByEnterOrByAClick();
  void RefusesAFileThatIsNotATape();
  void AsksWhetherAMissingFileIsABlankTape();
  void AsksBeforeDismountingAMountedTape();
  void ColoursTheShapesFromTheServoTable();
  void DoneClosesTheWindow();
};

namespace {

const char kDismountQuestion[] = "There is already a tape\r\nmounted on this servo.\r\nUnmount it?";

// Writes `length` bytes: whole blocks of valid records, then any odd bytes as spaces.
void WriteFile(const std::filesystem::path& path, std::size_t length) {
  std::string bytes;
  while (bytes.size() + 124 <= length) {
    bytes += std::string("\x7A\x00", 2) + std::string(120, '5') + "\r\n";
  }
  bytes.resize(length, ' ');
  std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

// The console opens the model before it shows the window.
ServoWindow& Opened(ServoWindow& model, std::string lastAssembled) {
  model.Open(lastAssembled);
  return model;
}

// A servo table, a scripted operator and an opened servo window model over a temporary folder.
struct Rig {
  explicit Rig(bool modelII = false, std::string lastAssembled = "")
      : model(servos, op, Folder(), modelII),
        dialog(Opened(model, std::move(lastAssembled)), modelII) {
    dialog.show();
  }

  std::filesystem::path Folder() const { return dir.path().toStdString(); }
  std::string PathOf(const std::string& name) const { return (Folder() / name).string(); }
  ServoUnit& Unit(int n) { return servos[std::size_t(n)]; }

  template <typename T>
  T* Find(const QString& name) {
    T* w = dialog.findChild<T*>(name);
    if (w == nullptr) qWarning("no control %s", qPrintable(name));
    return w;
  }
  QLineEdit* Name() { return Find<QLineEdit>("txtFileName"); }
  LampShape* Shape(const char* kind, int n) { return Find<LampShape>(kind + QString::number(n)); }
  void Select(int n) {
    QTest::mouseClick(Find<QRadioButton>(QString("optServo%1").arg(n)), Qt::LeftButton);
  }
  void TypeName(const QString& name, bool byClick) {
    QTest::keyClicks(Name(), name);
    if (byClick) {
      QTest::mouseClick(Name(), Qt::LeftButton);
    } else {
      QTest::keyClick(Name(), Qt::Key_Return);
    }
  }
  bool Enabled(const QString& name) { return Find<QWidget>(name)->isEnabled(); }
  void ExpectStepOne() {
    QVERIFY(Enabled("labInst0"));
    QVERIFY(!Enabled("labInst1"));
    QVERIFY(!Enabled("txtFileName"));
    QVERIFY(!Enabled("chkReadOnly"));
    QVERIFY(!Find<QCheckBox>("chkReadOnly")->isChecked());
    QVERIFY(!Enabled("cmdMount"));
    for (int n = 0; n < model.ServoCount(); ++n) {
      QVERIFY(!Find<QRadioButton>(QString("optServo%1").arg(n))->isChecked());
    }
  }

  QTemporaryDir dir;
  ServoUnits servos;
  testing::ScriptedOperator op;
  ServoWindow model;
  ServoDialog dialog;
};

}  // namespace

void ServoDialogTest::ShowsTheServosOfTheModel() {
  const QString ids = "-123456789ABCDEF";
  for (const bool modelII : {false, true}) {
    Rig rig(modelII, "payroll");
    const int shown = modelII ? 16 : 10;
    QCOMPARE(rig.dialog.windowTitle(), QString("Servo Control"));
    QCOMPARE(rig.dialog.property("helpContext").toInt(), modelII ? 5010 : 5000);
    QCOMPARE(rig.dialog.findChildren<QRadioButton*>().size(), shown);
    for (int n = 0; n < 16; ++n) {
      auto* opt = rig.dialog.findChild<QRadioButton*>(QString("optServo%1").arg(n));
      QCOMPARE(opt != nullptr, n < shown);
      QCOMPARE(rig.dialog.findChild<LampShape*>(QString("shaServo%1").arg(n)) != nullptr,
               n < shown);
      QCOMPARE(rig.dialog.findChild<LampShape*>(QString("shaInUse%1").arg(n)) != nullptr,
               n < shown);
      if (opt != nullptr) QCOMPARE(opt->text(), ids.mid(n, 1));
    }
    QCOMPARE(rig.Find<QLabel>("labInst0")->text(), QString("1: Select Servo by clicking"));
    QCOMPARE(rig.Find<QLabel>("labInst1")->text(),
             QString("2: Enter file to mount on this servo, including path if necessary"));
    QCOMPARE(rig.Find<QCheckBox>("chkReadOnly")->text(), QString("3: Check if write-protected"));
    QCOMPARE(rig.Find<QPushButton>("cmdMount")->text(),
             QString("4: Click here to mount this tape"));
    QCOMPARE(rig.Find<QPushButton>("cmdDone")->text(),
             QString("5: Click here to exit this process"));
    QCOMPARE(rig.Find<QLabel>("labOr")->text(), QString("Mount additional tapes or"));
    QVERIFY(!rig.Enabled("labOr"));
    QCOMPARE(rig.Name()->text(), QString("payroll.obj"));  // the program assembled last
    rig.ExpectStepOne();
  }
}

void ServoDialogTest::MountsATapeNamedByEnterOrByAClick() {
  struct Case {
    bool writeProtected;
    bool nameByClick;
    ServoState state;
    LampColour colour;
  };
  const Case cases[] = {
      {false, false, ServoState::ReadWrite, LampColour::Green},
      {true, true, ServoState::WriteProtected, LampColour::Cyan},
  };
  for (const Case& c : cases) {
    Rig rig;
    WriteFile(rig.Folder() / "data.tap", 2 * 744);
    rig.Select(3);
    QVERIFY(rig.Find<QRadioButton>("optServo3")->isChecked());
    QVERIFY(!rig.Enabled("labInst0"));
    QVERIFY(rig.Enabled("labInst1"));
    QVERIFY(rig.Enabled("txtFileName"));
    QVERIFY(!rig.Enabled("cmdMount"));

    rig.TypeName("data.tap", c.nameByClick);
    QVERIFY(rig.dialog.isVisible());
    QVERIFY(rig.op.messages.empty());
    QVERIFY(!rig.Enabled("labInst1"));
    QVERIFY(rig.Enabled("chkReadOnly"));
    QVERIFY(rig.Enabled("cmdMount"));
    if (c.writeProtected) {
      QCheckBox* box = rig.Find<QCheckBox>("chkReadOnly");
      QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));  // on its mark
      QVERIFY(box->isChecked());
    }
    QCOMPARE(rig.Shape("shaServo", 3)->Colour(), LampColour::Grey);
    QTest::mouseClick(rig.Find<QPushButton>("cmdMount"), Qt::LeftButton);

    const ServoUnit& unit = rig.Unit(3);
    QCOMPARE(unit.State, c.state);
    QCOMPARE(unit.Position, 1);
    QCOMPARE(unit.EndOfData, 13);
    QCOMPARE(unit.FileName, rig.PathOf("data.tap"));
    QVERIFY(unit.File.IsOpen());
    QCOMPARE(rig.Shape("shaServo", 3)->Colour(), c.colour);
    QCOMPARE(rig.Shape("shaInUse", 3)->Colour(), LampColour::Grey);
    QVERIFY(rig.Enabled("labOr"));
    QCOMPARE(rig.Name()->text(), QString());
    rig.ExpectStepOne();
    QVERIFY(rig.op.messages.empty());
    QVERIFY(rig.dialog.isVisible());  // further tapes can be mounted
  }
}

void ServoDialogTest::RefusesAFileThatIsNotATape() {
  for (const bool byClick : {false, true}) {
    Rig rig;
    WriteFile(rig.Folder() / "odd.tap", 745);
    WriteFile(rig.Folder() / "good.tap", 744);
    rig.Select(1);
    rig.TypeName("odd.tap", byClick);
    QCOMPARE(rig.op.messages.size(), std::size_t(1));
    QCOMPARE(rig.op.messages[0],
             "The tape\r\n" + rig.PathOf("odd.tap") + "\r\nis not a ORMLAX tape");
    QVERIFY(rig.Enabled("labInst1"));
    QVERIFY(!rig.Enabled("chkReadOnly"));
    QVERIFY(!rig.Enabled("cmdMount"));
    QCOMPARE(rig.Unit(1).State, ServoState::Empty);
    QCOMPARE(rig.Shape("shaServo", 1)->Colour(), LampColour::Grey);
    // The refused name is selected: the next name typed replaces it.
    QCOMPARE(rig.Name()->selectedText(), QString("odd.tap"));
    QTest::keyClicks(rig.Name(), "good.tap");
    QCOMPARE(rig.Name()->text(), QString("good.tap"));
    QTest::keyClick(rig.Name(), Qt::Key_Return);
    QVERIFY(rig.Enabled("cmdMount"));
    QCOMPARE(rig.op.messages.size(), std::size_t(1));
  }
}

void ServoDialogTest::AsksWhetherAMissingFileIsABlankTape() {
  for (const auto answer : {MessageAnswer::Yes, MessageAnswer::No}) {
    Rig rig(true);
    rig.Select(11);
    rig.op.QueueAnswer(answer);
    rig.TypeName("new.tap", true);
    QCOMPARE(rig.op.messages.size(), std::size_t(1));
    QCOMPARE(rig.op.messages[0], std::string("File new.tap not present.\r\nIs this a blank tape?"));
    QCOMPARE(rig.op.requests[0].buttons, MessageButtons::YesNo);
    if (answer == MessageAnswer::No) {
      QCOMPARE(rig.Name()->text(), QString());
      QVERIFY(!rig.Enabled("cmdMount"));
      QVERIFY(!std::filesystem::exists(rig.Folder() / "new.tap"));
      continue;
    }
    QVERIFY(rig.Enabled("cmdMount"));
    QTest::mouseClick(rig.Find<QPushButton>("cmdMount"), Qt::LeftButton);
    QCOMPARE(rig.op.messages.size(), std::size_t(1));
    QCOMPARE(rig.Unit(11).State, ServoState::ReadWrite);
    QCOMPARE(rig.Unit(11).EndOfData, 1);
    QVERIFY(std::filesystem::exists(rig.Folder() / "new.tap"));
    QCOMPARE(rig.Shape("shaServo", 11)->Colour(), LampColour::Green);
  }
}

void ServoDialogTest::AsksBeforeDismountingAMountedTape() {
  for (const auto answer : {MessageAnswer::Yes, MessageAnswer::No}) {
    Rig rig;
    WriteFile(rig.Folder() / "old.tap", 744);
    rig.Select(5);
    rig.TypeName("old.tap", false);
    QTest::mouseClick(rig.Find<QPushButton>("cmdMount"), Qt::LeftButton);
    QCOMPARE(rig.Unit(5).State, ServoState::ReadWrite);

    rig.op.QueueAnswer(answer);
    rig.Select(5);
    QCOMPARE(rig.op.messages.size(), std::size_t(1));
    QCOMPARE(rig.op.messages[0], std::string(kDismountQuestion));
    QCOMPARE(rig.op.requests[0].defaultAnswer, MessageAnswer::No);
    if (answer == MessageAnswer::No) {
      QCOMPARE(rig.Unit(5).State, ServoState::ReadWrite);
      QVERIFY(rig.Unit(5).File.IsOpen());
      QCOMPARE(rig.Shape("shaServo", 5)->Colour(), LampColour::Green);
      rig.ExpectStepOne();
      continue;
    }
    QCOMPARE(rig.Unit(5).State, ServoState::Empty);
    QVERIFY(!rig.Unit(5).File.IsOpen());
    QCOMPARE(rig.Unit(5).FileName, std::string());
    QCOMPARE(rig.Shape("shaServo", 5)->Colour(), LampColour::Grey);
    QVERIFY(rig.Find<QRadioButton>("optServo5")->isChecked());
    QVERIFY(rig.Enabled("txtFileName"));
    QVERIFY(rig.Enabled("labInst1"));
  }
}

void ServoDialogTest::ColoursTheShapesFromTheServoTable() {
  struct Case {
    int servo;
    ServoState state;
    int position;
    LampColour shape;
    LampColour inUse;
  };
  const Case cases[] = {
      {0, ServoState::Empty, 0, LampColour::Grey, LampColour::Grey},
      {2, ServoState::ReadWrite, 1, LampColour::Green, LampColour::Grey},
      {7, ServoState::WriteProtected, 7, LampColour::Cyan, LampColour::Yellow},
      {9, ServoState::Unloaded, 0, LampColour::Red, LampColour::Grey},
  };
  ServoUnits servos;
  for (const Case& c : cases) {
    servos[std::size_t(c.servo)].State = c.state;
    servos[std::size_t(c.servo)].Position = c.position;
  }
  testing::ScriptedOperator op;
  ServoWindow model(servos, op, ".", false);
  std::string none;
  model.Open(none);
  ServoDialog dialog(model, false);
  for (const Case& c : cases) {
    QCOMPARE(dialog.findChild<LampShape*>(QString("shaServo%1").arg(c.servo))->Colour(), c.shape);
    QCOMPARE(dialog.findChild<LampShape*>(QString("shaInUse%1").arg(c.servo))->Colour(), c.inUse);
  }
}

void ServoDialogTest::DoneClosesTheWindow() {
  Rig rig;
  rig.dialog.hide();
  const app::DialogRunner runner = app::ExecDialog();
  auto watch = app::testing::WhenModal<ServoDialog>([&rig](ServoDialog&) {
    QTest::mouseClick(rig.Find<QPushButton>("cmdDone"), Qt::LeftButton);
  });
  QCOMPARE(runner(rig.dialog), int(QDialog::Accepted));
  QVERIFY2(watch->Worked(), qPrintable(watch->Failure()));
  QVERIFY(rig.model.Closed);
  QVERIFY(!rig.dialog.isVisible());
}

QTEST_MAIN(ServoDialogTest)
#include "servo_dialog_test.moc"

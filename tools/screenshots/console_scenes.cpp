#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>
#include <fstream>

#include "app/assembler_dialog.h"
#include "app/console_window.h"
#include "app/fuse_dialog.h"
#include "app/help_window.h"
#include "app/keyboard_dialog.h"
#include "app/labels_dialog.h"
#include "app/qt_operator.h"
#include "app/servo_dialog.h"
#include "app/startup_window.h"
#include "installation/console_operations.h"
#include "installation/installation.h"
#include "installation/simulator.h"
#include "tools/screenshots/scenes.h"

namespace ormlax::screenshots {
namespace {

using app::AssemblerDialog;
using app::LabelsDialog;
using app::ServoDialog;

// The paper supply is drawn at random at switch-on: a fixed seed makes every picture the same.
constexpr std::uint32_t kSeed = 1;

// Works the windows the console opens, as the getting-started page tells the user to.
struct User {
  Camera& camera;
  QString programName;  // typed in the Assembler window
  bool shoot = true;    // photograph the windows this time

  app::DialogRunner Runner() {
    return [this](QDialog& dialog) {
      dialog.show();
      QApplication::processEvents();
      if (auto* assembler = qobject_cast<AssemblerDialog*>(&dialog)) {
        auto* name = Child<QLineEdit>(dialog, "txtName");
        name->setFocus();
        name->selectAll();
        QTest::keyClicks(name, programName);
        if (shoot) camera.Shoot(*assembler, "assembler");
        Click(dialog, "cmdAssemble");
      } else if (qobject_cast<ServoDialog*>(&dialog) != nullptr) {
        camera.Expect(Child<QLineEdit>(dialog, "txtFileName")->text() == "greeting.obj",
                      "the servo window proposes greeting.obj");
        Click(dialog, "optServo0");
        QTest::keyClick(Child<QLineEdit>(dialog, "txtFileName"), Qt::Key_Return);
        if (shoot) camera.Shoot(dialog, "servo");
        Click(dialog, "cmdMount");
        Click(dialog, "cmdDone");
      } else if (qobject_cast<LabelsDialog*>(&dialog) != nullptr) {
        if (shoot) camera.Shoot(dialog, "labels");
        Click(dialog, "cmdDone");
      } else {
        camera.Expect(false, "an unexpected window " + dialog.objectName());
      }
      if (dialog.isVisible()) dialog.reject();
      return dialog.result();
    };
  }
};

void CopyExample(const char* name, const std::filesystem::path& folder) {
  std::filesystem::copy_file(std::filesystem::path(ORMLAX_EXAMPLES) / name, folder / name,
                             std::filesystem::copy_options::overwrite_existing);
}

void TheFirstAssembledProgram(Camera& camera, const std::filesystem::path& folder) {
  CopyExample("greeting.asm", folder);
  {
    std::ofstream bad(folder / "bad.asm", std::ios::binary);
    bad << "\tB NOWHERE\t90\r\n";
  }
  auto ormlax = MakeInstallation(false, folder, kSeed);
  app::QtOperator op;
  Simulator sim(*ormlax, op);
  User user{camera, "greeting"};
  app::ConsoleWindow console(*ormlax, sim, user.Runner());
  op.Attach(&console);
  sim.Ormprinter().State().PaperLeft = 300;
  console.show();

  Click(console, "chkProgDebug");
  Click(console, "cmdAssemble");
  camera.Expect(Child<QLineEdit>(console, "txtVal5")->text() == "1 0000300000",
                "the loading word in rCR after the assembly");
  Click(console, "cmdLoadServo");
  Click(console, "cmdReadLabels");
  Click(console, "cmdSingleStep");
  Click(console, "cmdRun");
  const QString paper = Child<QPlainTextEdit>(console, "txtPaper")->toPlainText();
  camera.Expect(paper.startsWith("Hello from the ORMLAX I.\n"), "the greeting on the paper");
  camera.Shoot(console, "console-typewriter");
  Click(console, "cmdHide");
  camera.Shoot(console, "console");

  // An assembly with an error: the message box that says so.
  user.programName = "bad";
  user.shoot = false;
  camera.ShootNextModal("message");
  Click(console, "cmdAssemble");

  app::HelpWindow* help = app::ShowHelpPage(console.property("helpContext").toInt());
  camera.Shoot(*help, "help");
  app::DiscardHelpWindow();
  SwitchOff(*ormlax);
}

// Types a text into a word field the way the getting-started page says: the field emptied,
// then the keys.
void TypeInto(QWidget& console, const QString& field, const QString& text) {
  auto* edit = Child<QLineEdit>(console, field);
  edit->setFocus();
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClicks(edit, text);
}

// The first program, typed on the console: "hello world" on the typewriter.
void TheFirstProgram(Camera& camera, const std::filesystem::path& folder) {
  auto ormlax = MakeInstallation(false, folder, kSeed);
  app::QtOperator op;
  Simulator sim(*ormlax, op);
  app::ConsoleWindow console(*ormlax, sim);
  op.Attach(&console);
  sim.Ormprinter().State().PaperLeft = 300;
  console.show();
  Click(console, "cmdOrmprinter");
  Click(console, "cmdUPPwrOn");
  TypeInto(console, "txtLoc", "0");
  TypeInto(console, "txtVal0", "500003900000");
  Click(console, "cmdStoreLoc");
  TypeInto(console, "txtLoc", "3");
  TypeInto(console, "txtVal0", "HELLO WORLD");
  Click(console, "cmdChar1");  // r: a return
  Click(console, "cmdStoreLoc");
  Click(console, "cmdClearPC");
  Click(console, "cmdRun");
  const QString paper = Child<QPlainTextEdit>(console, "txtPaper")->toPlainText();
  camera.Expect(paper == "hello world\n", "hello world on the paper, not " + paper);
  camera.Shoot(console, "first-program");
  SwitchOff(*ormlax);
}

void TheSmallerWindows(Camera& camera, const std::filesystem::path& folder) {
  app::KeyboardDialog keyboard(true);
  keyboard.show();
  QTest::keyClicks(Child<QLineEdit>(keyboard, "txtInput"), "HELLO");
  Click(keyboard, "cmdChar1");  // r: a return
  camera.Shoot(keyboard, "keyboard");

  app::FuseDialog fuse(1);
  camera.Shoot(fuse, "fuse");

  app::StartupWindow startup;
  camera.Shoot(startup, "startup");

  auto ormlax = MakeInstallation(true, folder, kSeed);
  app::QtOperator op;
  Simulator sim(*ormlax, op);
  app::ConsoleWindow console(*ormlax, sim);
  op.Attach(&console);
  camera.Shoot(console, "console-2");
  SwitchOff(*ormlax);
}

}  // namespace

void ConsoleScenes(Camera& camera, const std::filesystem::path& folder) {
  TheFirstProgram(camera, folder);
  TheFirstAssembledProgram(camera, folder);
  TheSmallerWindows(camera, folder);
}

}  // namespace ormlax::screenshots

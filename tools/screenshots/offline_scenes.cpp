#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QtTest>
#include <fstream>
#include <sstream>

#include "app/console_window.h"
#include "app/lamp_shape.h"
#include "app/offline_dialog.h"
#include "app/ormtyper_dialog.h"
#include "app/plugboard_dialog.h"
#include "app/qt_operator.h"
#include "installation/console_operations.h"
#include "installation/installation.h"
#include "installation/simulator.h"
#include "tests/app/guide_offline_job.h"
#include "tools/screenshots/scenes.h"

namespace ormlax::screenshots {
namespace {

// The job of the guide's off-line page, window by window.
struct User {
  Camera& camera;

  app::DialogRunner Runner() {
    return [this](QDialog& dialog) {
      dialog.show();
      QApplication::processEvents();
      if (auto* desk = qobject_cast<app::OffLineDialog*>(&dialog)) {
        Desk(*desk);
      } else if (auto* typer = qobject_cast<app::OrmtyperDialog*>(&dialog)) {
        TypeTheStockList(*typer);
      } else if (auto* editor = qobject_cast<app::PlugboardDialog*>(&dialog)) {
        WireTheBoard(*editor);
      } else {
        camera.Expect(false, "an unexpected window " + dialog.objectName());
      }
      if (dialog.isVisible()) dialog.reject();
      return dialog.result();
    };
  }

  void Desk(QDialog& d) {
    EnterName(d, "txtTarget", "stock.tap");
    Click(d, "cmdOutput0");     // Ormtyper
    camera.ShootNextModal("");  // "Plugboard file 3.pgb written"
    Click(d, "optPlugboard2");  // User
    const QString board = Child<QLabel>(d, "labWhichPB")->text();
    camera.Expect(board == "Using 3.pgb Stock list", "the board in use: " + board);
    EnterName(d, "txtSource", "stock.tap");
    EnterName(d, "txtTarget", "stock.txt");
    camera.Shoot(d, "offline");
    Click(d, "cmdOutput4");  // HSP (Normal)
    camera.Expect(Child<app::LampShape>(d, "shaHSP0")->Colour() == LampColour::Red,
                  "the HSP Stop lamp after the printout");
    camera.Shoot(d, "offline-printed");
    Click(d, "cmdDone");
  }

  void TypeTheStockList(QDialog& t) {
    app::testing::TypeTheStockList(t, [this](QWidget& w) {
      camera.Expect(Child<QLabel>(w, "labCount")->text() == "30", "the Ormtyper's count");
      camera.Shoot(w, "ormtyper");
    });
  }

  void WireTheBoard(QDialog& e) {
    app::testing::WireTheStockBoard(e, [this](QWidget& w) {
      // Rows 7 to 18: the end of the name, and the quantity with its zero suppression.
      Child<QScrollBar>(w, "vsbCol")->setValue(6);
      camera.Shoot(w, "plugboard");
    });
  }
};

std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

void OffLineScenes(Camera& camera, const std::filesystem::path& folder) {
  auto ormlax = MakeInstallation(false, folder, 1);
  app::QtOperator op;
  Simulator sim(*ormlax, op);
  User user{camera};
  app::ConsoleWindow console(*ormlax, sim, user.Runner());
  op.Attach(&console);
  console.show();
  Click(console, "cmdOffLine");
  const std::string printed = FileText(folder / "stock.txt");
  camera.Expect(printed.starts_with("BOLTS                       1200"), "the printed stock list");
  SwitchOff(*ormlax);
}

}  // namespace ormlax::screenshots

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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
    EnterText(d, "txtTarget", "stock.tap");
    Click(d, "cmdOutput0");     // Ormtyper
    camera.ShootNextModal("");  // "Plugboard file 3.pgb written"
    Click(d, "optPlugboard2");  // User
    const QString board = Child<QLabel>(d, "labWhichPB")->text();
    camera.Expect(board == "Using 3.pgb Stock list", "the board in use: " + board);
    EnterText(d, "txtSource", "stock.tap");
    EnterText(d, "txtTarget", "stock.txt");
    camera.Shoot(d, "offline");
    Click(d, "cmdOutput4");  // HSP (Normal)
    camera.Expect(Child<app::LampShape>(d, "shaHSP0")->Colour() == LampColour::Red,
                  "the HSP Stop lamp after the printout");
    camera.Shoot(d, "offline-printed");
    Click(d, "cmdDone");
  }

  void TypeTheStockList(QDialog& t) {
    Click(t, "optPadChar1");  // spaces
    auto* area = Child<QWidget>(t, "txtData");
    for (const char* item :
         {"BOLTS       000000001200", "NUTS        000000000035", "WASHERS     000000100000"}) {
      QTest::keyClicks(area, item);
      Click(t, "cmdFill");
    }
    Click(t, "cmdChar4");  // s: the printer stop
    camera.Expect(Child<QLabel>(t, "labCount")->text() == "30", "the Ormtyper's count");
    camera.Shoot(t, "ormtyper");
    Click(t, "cmdDone");
  }

  void WireTheBoard(QDialog& e) {
    const auto cell = [&](int row, int column) {
      auto* list = Child<QListWidget>(e, QString("lstCol%1").arg(column));
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                        list->visualItemRect(list->item(row - 1)).center());
    };
    const auto field = [&] { return Child<QLineEdit>(e, "txtInput"); };
    const auto box = [&](const char* name, const char* text) {
      auto* edit = Child<QLineEdit>(e, name);
      edit->setFocus();
      QTest::keyClicks(edit, text);
    };
    box("txtBoardName", "Stock list");
    cell(1, 1);
    QTest::keyClicks(field(), "1");
    QTest::keyClick(field(), Qt::Key_Return);
    for (int i = 0; i < 11; ++i) QTest::keyClick(field(), Qt::Key_Plus);
    cell(13, 8);
    QTest::keyClicks(field(), "N+");
    QTest::keyClick(field(), Qt::Key_Return);
    cell(13, 1);
    QTest::keyClicks(field(), "21");
    QTest::keyClick(field(), Qt::Key_Return);
    for (int i = 0; i < 11; ++i) QTest::keyClick(field(), Qt::Key_Plus);
    box("txtChannel0", "1");
    box("txtChannel6", "1");
    // Rows 7 to 18: the end of the name, and the quantity with its zero suppression.
    Child<QScrollBar>(e, "vsbCol")->setValue(6);
    camera.Shoot(e, "plugboard");
    Click(e, "cmdDone");
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

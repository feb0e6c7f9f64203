// A console window on a fresh installation of its own, driven as an operator would: by its
// controls, found by their names.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/console_window.h"
#include "app/lamp_shape.h"
#include "installation/installation.h"
#include "installation/simulator.h"
#include "tests/app/gui_test_operator.h"
#include "tests/support/test_folder.h"

namespace ormlax::app::testing {

// A click where an operator would click: on a push button's face, on the indicator of a radio
// button or check box.
inline void ClickButton(QAbstractButton* b) {
  const bool indicator = qobject_cast<QPushButton*>(b) == nullptr;
  QTest::mouseClick(b, Qt::LeftButton, {}, indicator ? QPoint(6, b->height() / 2) : QPoint());
}

struct Console {
  explicit Console(bool modelII, DialogRunner runner = ExecDialog())
      : folder(ormlax::testing::TestFolder("ormlax_console_" +
                                           std::string(QTest::currentTestFunction()))),
        ormlax((std::filesystem::remove_all(folder), std::filesystem::create_directories(folder),
                MakeInstallation(modelII, folder, 7))),
        sim(*ormlax, op),
        window(*ormlax, sim, std::move(runner)) {
    window.show();
  }
  ~Console() { std::filesystem::remove_all(folder); }

  template <typename T = QWidget>
  T* Find(const QString& name) {
    T* w = window.findChild<T*>(name);
    if (w == nullptr) qFatal("no control %s", qPrintable(name));
    return w;
  }
  void Click(const QString& name) { ClickButton(Find<QAbstractButton>(name)); }
  void Type(const QString& field, const QString& text) {
    auto* f = Find<QLineEdit>(field);
    f->setFocus();
    f->end(false);
    QTest::keyClicks(f, text);
  }
  QString Text(const QString& field) { return Find<QLineEdit>(field)->text(); }
  // Stores words from location `at` by typing them on the panel.
  void StoreWords(const QString& at, const QStringList& words) {
    auto* loc = Find<QLineEdit>("txtLoc");
    loc->selectAll();
    QTest::keyClicks(loc, at);
    for (const QString& w : words) {
      auto* contents = Find<QLineEdit>("txtVal0");
      contents->clear();
      QTest::keyClicks(contents, w);
      Click("cmdStoreLoc");
    }
  }
  LampColour Lamp(const QString& name) { return Find<LampShape>(name)->Colour(); }
  // Makes the window the active one, so that its widgets take the keyboard focus.
  bool Activate() {
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
  }

  // While a run goes on (or the machine is held), waits at its yields until `ready` holds, then
  // does `act`, which should end the run or the hold. After `limit` the operator presses Stop
  // instead, and `failure` says why.
  void AtTheConsoleWhen(std::function<bool()> ready, std::function<void()> act,
                        std::chrono::milliseconds limit = std::chrono::seconds(60)) {
    auto deadline = std::make_shared<QDeadlineTimer>(limit);
    auto look = std::make_shared<std::function<void()>>();
    *look = [this, ready, act, deadline, look] {
      if (ready()) {
        act();
      } else if (deadline->hasExpired()) {
        failure = "the run never came to the state looked for";
        Click("cmdStop");
      } else {
        op.QueueAction(*look);
      }
      if (!op.ActionsPending()) *look = nullptr;  // no cycle is left behind
    };
    op.QueueAction(*look);
  }

  std::filesystem::path folder;
  GuiTestOperator op;
  std::unique_ptr<Installation> ormlax;
  Simulator sim;
  ConsoleWindow window;
  QString failure;  // what AtTheConsoleWhen gave up on
};

}  // namespace ormlax::app::testing

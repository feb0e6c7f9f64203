// The operator for the desktop program's tests: message boxes are answered from a script, a yield
// lets Qt deliver its events (timers, queued clicks) and then performs the next scripted action,
// and the keyboard and fault windows are the program's real windows, worked by a script.
#pragma once

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "app/fuse_dialog.h"
#include "app/keyboard_dialog.h"
#include "tests/support/scripted_operator.h"

namespace ormlax::app::testing {

class GuiTestOperator : public ormlax::testing::ScriptedOperator {
 public:
  // What the operator does in the next keyboard window; without one the window is closed.
  std::function<void(KeyboardDialog&)> keyboardScript;
  // The reason lines of the fault windows shown.
  QStringList fuseReasons;

  void YieldToInterface() override {
    QCoreApplication::processEvents();
    ScriptedOperator::YieldToInterface();
  }

  KeyboardEntry OpenKeyboardWindow(bool singleStepEnabled) override {
    keyboardWindows.push_back(singleStepEnabled);
    KeyboardDialog dialog(singleStepEnabled);
    dialog.show();
    if (keyboardScript) keyboardScript(dialog);
    if (dialog.isVisible()) dialog.reject();
    return dialog.Entry();
  }

  void ShowFuseWindow(int reason) override {
    fuseWindows.push_back(reason);
    FuseDialog dialog(reason);
    dialog.show();
    if (auto* why = dialog.findChild<QLabel*>("labWhy")) fuseReasons << why->text();
    QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
  }
};

}  // namespace ormlax::app::testing

// The "Debugging" window, the operator's desk beside the console: the breakpoints a run stops
// at, the trace of a run into a file, saving and restoring the whole installation, and the
// memory window. It stays open while the machine runs; the console refreshes it.
#pragma once

#include <QDialog>

#include "installation/simulator.h"

class QPushButton;

namespace ormlax::app {

class MemoryWindow;

class DebuggingDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 9000;

  DebuggingDialog(Installation& ormlax, Simulator& sim, QWidget* parent = nullptr);

  // Shows the desk from the machine state; `atStop` once a run or step has ended.
  void Refresh(bool atStop);
  MemoryWindow* Memory() { return memory_; }

 private:
  void OpenMemoryWindow();

  Installation& ormlax_;
  Simulator& sim_;
  MemoryWindow* memory_ = nullptr;
};

}  // namespace ormlax::app

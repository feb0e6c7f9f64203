// The "Debugging" window, the operator's desk beside the console: the breakpoints a run stops
// at, the trace of a run into a file, saving and restoring the whole installation, and the
// memory window. It stays open while the machine runs; the console refreshes it.
#pragma once

#include <QDialog>

#include "installation/simulator.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;
class QCheckBox;

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

 signals:
  // A session was restored: the console is to show the installation afresh.
  void Restored();

 private:
  QWidget* BuildBreakpoints();
  QWidget* BuildTrace();
  QWidget* BuildSession();
  // The kind, location and count the controls name, or nothing after a message saying what is
  // wrong with them.
  bool ReadBreakpointControls(BreakpointKind& kind, int& location, int& count);
  void AddBreakpoint();
  void ChangeBreakpoint();
  void RemoveBreakpoint();
  void ClearBreakpoints();
  void SelectBreakpoint();
  void BreakpointSwitched(QTreeWidgetItem* item, int column);
  void ShowBreakpoints();
  void ShowSelectionButtons();
  int SelectedBreakpoint() const;
  void SwitchTrace(bool on);
  void ShowTrace();
  void SaveSessionFile();
  void RestoreSessionFile();
  void OpenMemoryWindow();
  void Tell(const std::string& text);

  Installation& ormlax_;
  Simulator& sim_;
  MemoryWindow* memory_ = nullptr;
  QTreeWidget* lstBreakpoints_;
  QRadioButton* optBreakExecute_;
  QRadioButton* optBreakStore_;
  QLineEdit* txtBreakLocation_;
  QLineEdit* txtBreakCount_;
  QPushButton* cmdBreakChange_;
  QPushButton* cmdBreakRemove_;
  QPushButton* cmdBreakClear_;
  QLineEdit* txtTraceFile_;
  QCheckBox* chkTrace_;
  QLabel* labTrace_;
  QLineEdit* txtSessionFile_;
  QPushButton* cmdSaveSession_;
  QPushButton* cmdRestoreSession_;
  bool showing_ = false;  // the list is being filled: its check boxes are not the operator's
};

}  // namespace ormlax::app

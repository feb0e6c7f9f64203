// The memory window of the operator's desk: a range of locations as words and as their two
// instructions, named and described from the table of operations; a word can be typed over, as
// in the console's Contents field, whenever the console's Store could store it; and a list of
// watched locations shows which words changed. The console refreshes it with the panel.
#pragma once

#include <QDialog>

#include "console/memory_view.h"
#include "installation/installation.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace ormlax::app {

class WordField;

class MemoryWindow : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 9100;
  // Locations shown at once.
  static constexpr int kRows = 32;

  explicit MemoryWindow(Installation& ormlax, QWidget* parent = nullptr);

  // Shows memory, the watched words and whether a word can be stored, from the machine state;
  // `atStop` after a run or step has ended.
  void Refresh(bool atStop = false);
  // The first location shown.
  int First() const { return first_; }

 private:
  void ShowFrom();
  void SelectRow(int row);
  void ShowEditable();
  void StoreEdited();
  void AddWatch();
  void RemoveWatch();

  Installation& ormlax_;
  int first_ = 0;
  int selected_ = -1;  // the location being edited, or -1
  MemoryWatch watch_;
  QLineEdit* txtMemFrom_;
  QTableWidget* tblMemory_;
  QLabel* labMemEdit_;
  WordField* txtMemEdit_;
  QPushButton* cmdMemStore_;
  QLineEdit* txtWatch_;
  QListWidget* lstWatch_;
  QPushButton* cmdWatchRemove_;
};

}  // namespace ormlax::app

// The console keyboard window (frmConsoleInput): the operator types the word an input
// instruction waits for.
#pragma once

#include <QDialog>
#include <QString>
#include <string>

#include "core/operator.h"

class QLineEdit;

namespace ormlax::app {

class KeyboardDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 4100;

  explicit KeyboardDialog(bool singleStepEnabled, QWidget* parent = nullptr);

  // What the operator did; nothing entered while the window is open or after its close control.
  KeyboardEntry Entry() const { return entry_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowField(const std::string& text);
  void FieldEdited(const QString& text);
  void InsertCharacter(int button);
  void EnterWord();

  QLineEdit* input_;
  std::string shown_;  // the field as last set, to tell what the operator typed
  KeyboardEntry entry_;
};

}  // namespace ormlax::app

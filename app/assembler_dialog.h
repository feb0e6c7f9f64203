// The "Assembler" window: the name of the program to assemble, the three options, and the button
// that runs one assembly. The window closes at the end of every run and after every refusal.
#pragma once

#include <QDialog>
#include <optional>

#include "installation/assembly_operations.h"

class QCheckBox;
class QLineEdit;

namespace ormlax::app {

class AssemblerDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 6000;

  AssemblerDialog(Installation& ormlax, Operator& op, QWidget* parent = nullptr);

  // What the last press of Assemble did; nothing when the window was closed without one.
  std::optional<AssemblyOutcome> Outcome() const { return outcome_; }

 private:
  void AssembleProgram();

  Installation& ormlax_;
  Operator& op_;
  QLineEdit* name_;
  QCheckBox* overflow_;
  QCheckBox* loader_;
  QCheckBox* keep_;
  std::optional<AssemblyOutcome> outcome_;
};

}  // namespace ormlax::app

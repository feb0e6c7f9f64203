// The console typewriter's section of the panel: its paper, keys, lamps and paper-warning bar.
#pragma once

#include <QFrame>
#include <QString>
#include <array>

#include "console/typewriter.h"
#include "core/operator.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace ormlax::app {

class LampShape;

class TypewriterSection : public QFrame {
  Q_OBJECT

 public:
  TypewriterSection(Typewriter& typewriter, Operator& op, QWidget* parent = nullptr);

  // Shows the typewriter's state: lamps, keys, paper colour and warning bar, and the text printed
  // since the last refresh.
  void Refresh();

 signals:
  // A key that hands the focus back to the Run button was pressed.
  void FocusToRun();
  // The Hide key was pressed.
  void HideRequested();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void PlaceWarningBar();

  Typewriter& typewriter_;
  Operator& op_;
  QString pending_;  // printed text not yet on the paper widget
  QPlainTextEdit* paper_;
  QFrame* warningFrame_;  // labPaperOut0: the full height of the bar
  QLabel* warningBar_;    // labPaperOut1: the part that grows as the paper runs down
  QPushButton* start_;
  QCheckBox* breakpoint_;
  std::array<LampShape*, kTypewriterLampCount> lamps_{};
};

}  // namespace ormlax::app

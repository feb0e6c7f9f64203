// The console typewriter's section of the panel: its paper, keys, lamps and paper-warning bar.
#pragma once

#include <QFont>
#include <QGroupBox>
#include <array>

#include "console/typewriter.h"
#include "core/operator.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace ormlax::app {

class LampShape;
class PaperView;

class TypewriterSection : public QGroupBox {
  Q_OBJECT

 public:
  // Lines of paper the section shows at least.
  static constexpr int kPaperLinesShown = 8;

  TypewriterSection(Typewriter& typewriter, Operator& op, const QFont& paperFont,
                    QWidget* parent = nullptr);
  ~TypewriterSection() override;

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
  PaperView* paper_;
  QFrame* warningFrame_;  // labPaperOut0: the full height of the bar
  QLabel* warningBar_;    // labPaperOut1: the part that grows as the paper runs down
  QPushButton* start_;
  QCheckBox* breakpoint_;
  std::array<LampShape*, kTypewriterLampCount> lamps_{};
};

}  // namespace ormlax::app

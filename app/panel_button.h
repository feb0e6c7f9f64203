// A button of the console panel: it shows a mark while it has the focus, however the focus came
// to it, and Enter presses it.
#pragma once

#include <QPushButton>

namespace ormlax::app {

class PanelButton : public QPushButton {
  Q_OBJECT

 public:
  explicit PanelButton(const QString& caption, QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace ormlax::app

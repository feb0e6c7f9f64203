// "Create a HSP Plugboard" (frmPlugboard): the plugboard editor, a view of its model. The nine
// columns scroll together with one scroll bar; the entry field opens over the cell being edited.
#pragma once

#include <QDialog>
#include <array>

#include "offline/plugboard_editor.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;

namespace ormlax::app {

class PlugboardDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 8100;
  static constexpr int kColumns = PlugboardEditor::kDataColumns + 1;

  // The model has been opened by whoever opens the window.
  PlugboardDialog(PlugboardEditor& model, QWidget* parent = nullptr);

  // Shows the model's state in every control; closes the window once the model is closed.
  void Repaint();

 public slots:
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* BuildTop();
  QWidget* BuildColumns();
  QWidget* BuildChannels();
  bool FieldKey(QKeyEvent* event);
  void PlaceField();

  PlugboardEditor& model_;
  bool painting_ = false;
  QLineEdit* txtBoardName_;
  QLineEdit* txtPaperLength_;
  QPushButton* cmdModify_;
  QLineEdit* txtModify_;
  std::array<QListWidget*, kColumns> lstCol_{};
  QScrollBar* vsbCol_;
  QLineEdit* txtInput_;
  std::array<QLineEdit*, kChannels> txtChannel_{};
  QPushButton* cmdDone_;
};

}  // namespace ormlax::app

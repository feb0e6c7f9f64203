// "Ormtyper (Data entry device)" (frmOrmtyper): the key-to-tape device, a view of its model. The
// entry area shows the typed characters one word to a line, and the buttons add the machine's
// special characters, pad the data and write it.
#pragma once

#include <QDialog>
#include <array>

#include "tape/ormtyper.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

namespace ormlax::app {

class OrmtyperDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 5200;
  static constexpr int kCharacterButtons = 16;

  // The model has been opened on its target by whoever opens the window.
  OrmtyperDialog(Ormtyper& model, QWidget* parent = nullptr);

 public slots:
  void reject() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ShowArea();
  void AreaChanged();

  Ormtyper& model_;
  QPlainTextEdit* txtData_;
  QLabel* labCount_;
  std::array<QRadioButton*, 2> optPadChar_{};
  bool showing_ = false;  // the area is being set from the model
};

}  // namespace ormlax::app

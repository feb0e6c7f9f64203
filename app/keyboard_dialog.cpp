#include "app/keyboard_dialog.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/machine_font.h"
#include "app/word_field.h"
#include "console/keyboard.h"

namespace ormlax::app {

KeyboardDialog::KeyboardDialog(bool singleStepEnabled, QWidget* parent) : QDialog(parent) {
  setObjectName("frmConsoleInput");
  setWindowTitle(QString::fromUtf8(kKeyboardWindowCaption));
  setProperty("helpContext", kHelpContext);

  auto* inst = new QLabel(QString::fromUtf8(kKeyboardInstruction), this);
  inst->setObjectName("labInst");
  input_ = new QLineEdit(this);
  input_->setObjectName("txtInput");
  input_->setFont(MachineFont());
  const QFontMetrics metrics(input_->font());
  input_->setFixedWidth(metrics.horizontalAdvance(QString(12, 'W')) + 16);
  input_->installEventFilter(this);
  connect(input_, &QLineEdit::textEdited, this, &KeyboardDialog::FieldEdited);

  auto* layout = new QGridLayout(this);
  layout->addWidget(inst, 0, 0, 1, kKeyboardCharButtons);
  layout->addWidget(input_, 1, 0, 1, kKeyboardCharButtons, Qt::AlignHCenter);
  for (int k = 0; k < kKeyboardCharButtons; ++k) {
    auto* button = new QPushButton(QString::fromStdString(SpecialCharacterCaption(k)), this);
    button->setObjectName(QString("cmdChar%1").arg(k));
    button->setToolTip(QString::fromStdString(SpecialCharacterToolTip(k)));
    button->setFocusPolicy(Qt::NoFocus);  // typing goes on in the field
    button->setAutoDefault(false);
    button->setFixedWidth(metrics.horizontalAdvance('W') * 3);
    connect(button, &QPushButton::clicked, this, [this, k] { InsertCharacter(k); });
    layout->addWidget(button, 2, k);
  }
  auto* singleStep = new QPushButton(QString::fromUtf8(kContinueSingleStepCaption), this);
  singleStep->setObjectName("cmdSingleStep");
  singleStep->setEnabled(singleStepEnabled);
  singleStep->setAutoDefault(false);
  connect(singleStep, &QPushButton::clicked, this, [this] {
    entry_.continueSingleStep = true;
    EnterWord();
  });
  layout->addWidget(singleStep, 3, 0, 1, kKeyboardCharButtons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  ShowField(std::string(kKeyboardFieldStart));
  input_->setFocus();
}

void KeyboardDialog::ShowField(const std::string& text) {
  shown_ = text;
  input_->setText(MachineText(text));
  input_->setCursorPosition(static_cast<int>(text.size()));
}

void KeyboardDialog::FieldEdited(const QString& text) {
  ShowField(EditedKeyboardField(shown_, MachineBytes(text),
                                static_cast<std::size_t>(input_->cursorPosition())));
}

void KeyboardDialog::InsertCharacter(int button) {
  ShowField(InsertSpecialCharacter(shown_, button));
}

void KeyboardDialog::EnterWord() {
  entry_.entered = true;
  entry_.word = shown_;
  accept();
}

bool KeyboardDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == input_) {
    if (event->type() == QEvent::FocusIn) {
      // The window selects the whole field when it gives it the focus; the caret goes back to
      // the end once that is done.
      QMetaObject::invokeMethod(
          this, [this] { input_->setCursorPosition(int(input_->text().size())); },
          Qt::QueuedConnection);
    }
    if (event->type() == QEvent::MouseButtonRelease) {
      EnterWord();
      return true;
    }
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        EnterWord();
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace ormlax::app

#include "app/qt_operator.h"

#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QMessageBox>

#include "app/fuse_dialog.h"
#include "app/keyboard_dialog.h"

namespace ormlax::app {

QString MessageText(const std::string& text) {
  return QString::fromStdString(ReplaceLineBreaks(text, "\n"));
}

namespace {

QMessageBox::StandardButton ToQt(MessageAnswer a) {
  switch (a) {
    case MessageAnswer::Cancel:
      return QMessageBox::Cancel;
    case MessageAnswer::Yes:
      return QMessageBox::Yes;
    case MessageAnswer::No:
      return QMessageBox::No;
    case MessageAnswer::Ok:
      break;
  }
  return QMessageBox::Ok;
}

MessageAnswer FromQt(int button, MessageAnswer closed) {
  switch (button) {
    case QMessageBox::Ok:
      return MessageAnswer::Ok;
    case QMessageBox::Cancel:
      return MessageAnswer::Cancel;
    case QMessageBox::Yes:
      return MessageAnswer::Yes;
    case QMessageBox::No:
      return MessageAnswer::No;
    default:
      return closed;
  }
}

}  // namespace

MessageAnswer QtOperator::ShowMessage(const MessageRequest& request) {
  QMessageBox box(window_);
  box.setWindowTitle(kMessageBoxTitle);
  box.setText(MessageText(request.text));
  QMessageBox::StandardButtons buttons;
  MessageAnswer closed = MessageAnswer::Ok;  // what the window's own close control means
  switch (request.buttons) {
    case MessageButtons::Ok:
      buttons = QMessageBox::Ok;
      break;
    case MessageButtons::OkCancel:
      buttons = QMessageBox::Ok | QMessageBox::Cancel;
      closed = MessageAnswer::Cancel;
      break;
    case MessageButtons::YesNo:
      buttons = QMessageBox::Yes | QMessageBox::No;
      closed = MessageAnswer::No;
      break;
    case MessageButtons::YesNoCancel:
      buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
      closed = MessageAnswer::Cancel;
      break;
  }
  box.setStandardButtons(buttons);
  box.setDefaultButton(ToQt(request.defaultAnswer));
  switch (request.icon) {
    case MessageIcon::Question:
      box.setIcon(QMessageBox::Question);
      break;
    case MessageIcon::Exclamation:
      box.setIcon(QMessageBox::Warning);
      break;
    case MessageIcon::Information:
      box.setIcon(QMessageBox::Information);
      break;
    case MessageIcon::None:
      break;
  }
  return FromQt(box.exec(), closed);
}

void QtOperator::YieldToInterface() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtOperator::WaitForInterface() {
  // A held machine sleeps until the operator does something, without keeping a processor busy.
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void QtOperator::ShowFuseWindow(int reason) {
  FuseDialog dialog(reason, window_);
  dialog.exec();
}

KeyboardEntry QtOperator::OpenKeyboardWindow(bool singleStepEnabled) {
  KeyboardDialog dialog(singleStepEnabled, window_);
  dialog.exec();
  return dialog.Entry();
}

std::optional<std::string> QtOperator::AskText(const std::string& prompt,
                                               const std::string& defaultText) {
  QInputDialog box(window_);
  box.setObjectName("InputBox");
  box.setWindowTitle(kMessageBoxTitle);
  box.setLabelText(MessageText(prompt));
  box.setTextValue(QString::fromStdString(defaultText));
  if (box.exec() != QDialog::Accepted) return std::nullopt;
  return box.textValue().toStdString();
}

void QtOperator::SetClipboardText(const std::string& text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(QString::fromStdString(text));
}

}  // namespace ormlax::app

// The desktop program's operator: real message boxes and windows, the host clipboard, and the
// Qt event loop run between two words of a run.
#pragma once

#include <QPointer>
#include <QWidget>

#include "core/operator.h"

namespace ormlax::app {

class QtOperator : public Operator {
 public:
  // The window message boxes belong to.
  void Attach(QWidget* window) { window_ = window; }

  MessageAnswer ShowMessage(const MessageRequest& request) override;
  void YieldToInterface() override;
  void WaitForInterface() override;
  void ShowFuseWindow(int reason) override;
  KeyboardEntry OpenKeyboardWindow(bool singleStepEnabled) override;
  void SetClipboardText(const std::string& text) override;
  std::optional<std::string> AskText(const std::string& prompt,
                                     const std::string& defaultText) override;

 private:
  QPointer<QWidget> window_;
};

// A message text for a Qt label: the machine's CR LF line breaks as plain line feeds.
QString MessageText(const std::string& text);

// The caption of every message box and input box.
inline constexpr const char* kMessageBoxTitle = "ORMLAX";

}  // namespace ormlax::app

// An operator that answers every message box by its default button and never acts.
#pragma once

#include "core/operator.h"

namespace ormlax {

class QuietOperator : public Operator {
 public:
  MessageAnswer ShowMessage(const MessageRequest& r) override {
    ++messages;
    return r.defaultAnswer;
  }
  void YieldToInterface() override {}
  void ShowFuseWindow(int) override {}
  KeyboardEntry OpenKeyboardWindow(bool) override { return {}; }
  void SetClipboardText(const std::string&) override {}
  std::optional<std::string> AskText(const std::string&, const std::string& text) override {
    return text;
  }

  int messages = 0;
};

}  // namespace ormlax

// An operator for tests: records every message box and fault window, answers message boxes from
// a queue (or by their default button), and performs queued console actions when the machine
// yields to the user interface.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/operator.h"

namespace ormlax::testing {

class ScriptedOperator : public Operator {
 public:
  using Action = std::function<void()>;

  // Answers for the next message boxes, in order; when none is queued the default button answers.
  void QueueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
  // Actions for the next yields, one per yield, in order.
  void QueueAction(Action action) { actions_.push_back(std::move(action)); }
  // What a yield does when no action is queued (for example, press Stop so a hold cannot last
  // forever). Without one, such a yield does nothing.
  void SetIdleAction(Action action) { idle_ = std::move(action); }

  MessageAnswer ShowMessage(const MessageRequest& request) override {
    messages.push_back(request.text);
    requests.push_back(request);
    if (answers_.empty()) return request.defaultAnswer;
    const MessageAnswer a = answers_.front();
    answers_.pop_front();
    return a;
  }

  void YieldToInterface() override {
    ++yields;
    if (!actions_.empty()) {
      Action a = std::move(actions_.front());
      actions_.pop_front();
      a();
    } else if (idle_) {
      idle_();
    }
  }

  void ShowFuseWindow(int reason) override { fuseWindows.push_back(reason); }

  // Entries for the next keyboard windows, in order; with none queued the window is closed by
  // its close control.
  void QueueKeyboardEntry(KeyboardEntry entry) { keyboard_.push_back(std::move(entry)); }

  KeyboardEntry OpenKeyboardWindow(bool singleStepEnabled) override {
    keyboardWindows.push_back(singleStepEnabled);
    if (keyboard_.empty()) return {};
    KeyboardEntry e = std::move(keyboard_.front());
    keyboard_.pop_front();
    return e;
  }

  void SetClipboardText(const std::string& text) override { clipboard = text; }

  // Answers for the next input boxes, in order (nothing: cancelled); with none queued the box
  // is answered with its default text.
  void QueueText(std::optional<std::string> text) { texts_.push_back(std::move(text)); }

  std::optional<std::string> AskText(const std::string& prompt,
                                     const std::string& defaultText) override {
    prompts.push_back(prompt);
    if (texts_.empty()) return defaultText;
    std::optional<std::string> t = std::move(texts_.front());
    texts_.pop_front();
    return t;
  }

  bool ActionsPending() const { return !actions_.empty(); }

  std::vector<std::string> messages;
  std::vector<MessageRequest> requests;
  std::vector<int> fuseWindows;
  std::vector<bool> keyboardWindows;  // "Continue in single-step" enabled, per window opened
  std::vector<std::string> prompts;   // of the input boxes shown
  std::string clipboard;
  int yields = 0;

 private:
  std::deque<MessageAnswer> answers_;
  std::deque<Action> actions_;
  std::deque<KeyboardEntry> keyboard_;
  std::deque<std::optional<std::string>> texts_;
  Action idle_;
};

}  // namespace ormlax::testing

// An operator for tests: records every message box and fault window, answers message boxes from
// a queue (or by their default button), and performs queued console actions when the machine
// yields to the user interface.
#pragma once

#include <deque>
#include <functional>
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

  bool ActionsPending() const { return !actions_.empty(); }

  std::vector<std::string> messages;
  std::vector<MessageRequest> requests;
  std::vector<int> fuseWindows;
  int yields = 0;

 private:
  std::deque<MessageAnswer> answers_;
  std::deque<Action> actions_;
  Action idle_;
};

}  // namespace ormlax::testing

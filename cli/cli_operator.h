// The operator of a scripted run: message boxes go to standard error and are answered by their
// default button, keyboard words come from an input stream, and nobody presses console buttons.
#pragma once

#include <deque>
#include <istream>
#include <ostream>
#include <string>

#include "core/operator.h"

namespace ormlax {
class Simulator;
}

namespace ormlax::cli {

class CliOperator : public Operator {
 public:
  CliOperator(std::istream& input, std::ostream& errors) : input_(input), errors_(errors) {}

  // The simulator whose typewriter and run controls a yield may need.
  void Attach(Simulator& simulator) { simulator_ = &simulator; }
  // The answer for the next message box instead of its default button.
  void AnswerNext(MessageAnswer answer) { answers_.push_back(answer); }
  void ForgetAnswers() { answers_.clear(); }

  MessageAnswer ShowMessage(const MessageRequest& request) override;
  void YieldToInterface() override;
  void ShowFuseWindow(int reason) override;
  KeyboardEntry OpenKeyboardWindow(bool singleStepEnabled) override;
  void SetClipboardText(const std::string&) override {}
  // Shows the prompt as a message line and answers with the default text, as OK would.
  std::optional<std::string> AskText(const std::string& prompt,
                                     const std::string& defaultText) override;

  const std::string& LastMessage() const { return lastMessage_; }
  bool FuseBlown() const { return fuseBlown_; }

 private:
  std::istream& input_;
  std::ostream& errors_;
  Simulator* simulator_ = nullptr;
  std::deque<MessageAnswer> answers_;
  std::string lastMessage_;
  bool fuseBlown_ = false;
};

// The text on one line: each CR LF shown as " / ".
std::string OneLine(const std::string& text);

}  // namespace ormlax::cli

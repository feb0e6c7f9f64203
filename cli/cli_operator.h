// The operator of a scripted run: message boxes go to standard error and are answered by their
// default button, keyboard words come from an input stream, and nobody presses console buttons.
#pragma once

#include <cstddef>
#include <functional>
#include <istream>
#include <optional>
#include <ostream>
#include <string>

#include "core/operator.h"

namespace ormlax {
class Simulator;
}

namespace ormlax::cli {

// A keyboard line longer than this is taken in pieces of this length, so that no input, however
// long its lines, can fill the memory.
inline constexpr std::size_t kKeyboardLineLimit = 4096;

class CliOperator : public Operator {
 public:
  CliOperator(std::istream& input, std::ostream& errors) : input_(input), errors_(errors) {}

  // The simulator whose typewriter and run controls a yield may need.
  void Attach(Simulator& simulator) { simulator_ = &simulator; }

  // Answers message boxes otherwise than by their default button: the answer the function gives
  // for a box, or the default button where it gives none (a command's --overwrite, --printer).
  using Answerer = std::function<std::optional<MessageAnswer>(const MessageRequest&)>;
  void SetAnswerer(Answerer answerer) { answerer_ = std::move(answerer); }
  // The text every input box is answered with, instead of its default text.
  void SetTextAnswer(std::string text) { textAnswer_ = std::move(text); }
  // What the operator does while an operation waits for them (resumes a paused printer run),
  // instead of yielding to the machine.
  void SetWaitAction(std::function<void()> action) { waitAction_ = std::move(action); }

  MessageAnswer ShowMessage(const MessageRequest& request) override;
  void YieldToInterface() override;
  void WaitForInterface() override;
  void ShowFuseWindow(int reason) override;
  KeyboardEntry OpenKeyboardWindow(bool singleStepEnabled) override;
  void SetClipboardText(const std::string&) override {}
  // Shows the prompt as a message line and answers with the default text, as OK would.
  std::optional<std::string> AskText(const std::string& prompt,
                                     const std::string& defaultText) override;

  // Writes a line "<kind>: <text>" to standard error, the text on one line and safe for a
  // terminal.
  void Report(const char* kind, const std::string& text);

 private:
  std::istream& input_;
  std::ostream& errors_;
  Simulator* simulator_ = nullptr;
  Answerer answerer_;
  std::optional<std::string> textAnswer_;
  std::function<void()> waitAction_;
};

// The text on one line: each CR LF shown as " / ".
std::string OneLine(const std::string& text);

// Reads the next keyboard line, without its line end, and at most kKeyboardLineLimit bytes of
// it (the rest is the next line). Nothing at the end of the input.
std::optional<std::string> ReadKeyboardLine(std::istream& input);

}  // namespace ormlax::cli

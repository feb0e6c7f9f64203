#include "cli/cli_operator.h"

#include "cli/terminal_text.h"
#include "console/fuse_window.h"
#include "console/keyboard.h"
#include "installation/simulator.h"

namespace ormlax::cli {

std::string OneLine(const std::string& text) {
  return ReplaceLineBreaks(text, " / ");
}

std::optional<std::string> ReadKeyboardLine(std::istream& input) {
  std::string line;
  char c;
  bool any = false;
  while (line.size() < kKeyboardLineLimit && input.get(c)) {
    any = true;
    if (c == '\n') break;
    line.push_back(c);
  }
  if (!any) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

void CliOperator::Report(const char* kind, const std::string& text) {
  errors_ << kind << ": " << EscapeControls(OneLine(text), false) << '\n';
}

MessageAnswer CliOperator::ShowMessage(const MessageRequest& request) {
  Report("message", request.text);
  if (answerer_) {
    if (const std::optional<MessageAnswer> answer = answerer_(request)) return *answer;
  }
  return request.defaultAnswer;
}

std::optional<std::string> CliOperator::AskText(const std::string& prompt,
                                                const std::string& defaultText) {
  Report("message", prompt);
  return textAnswer_.value_or(defaultText);
}

void CliOperator::WaitForInterface() {
  if (waitAction_) {
    waitAction_();
  } else {
    YieldToInterface();
  }
}

void CliOperator::YieldToInterface() {
  if (simulator_ == nullptr) return;
  // Nobody sits at this console: a typewriter halted by a stop code is started again when the
  // machine waits for it, and a hold inside an instruction is ended as by the Stop button.
  Typewriter& typewriter = simulator_->Ormprinter();
  if (!typewriter.PrintBufferEmpty() && typewriter.State().StopPending) typewriter.PressStart();
  if (simulator_->Machine().WaitingAtStop) simulator_->Cpu().Stop();
}

void CliOperator::ShowFuseWindow(int reason) {
  FuseWindowText text;
  if (!FuseWindowTexts(reason, text)) return;
  Report("fuse", text.caption + std::string(kLineBreak) + text.reason);
}

KeyboardEntry CliOperator::OpenKeyboardWindow(bool) {
  const std::optional<std::string> line = ReadKeyboardLine(input_);
  if (!line) return {};  // as if closed by the window's close control
  return KeyboardEntry{true, KeyboardFieldText(kKeyboardFieldStart, *line), false};
}

}  // namespace ormlax::cli

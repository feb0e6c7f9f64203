#include "cli/cli_operator.h"

#include "console/fuse_window.h"
#include "console/keyboard.h"
#include "installation/simulator.h"

namespace ormlax::cli {

std::string OneLine(const std::string& text) {
  return ReplaceLineBreaks(text, " / ");
}

MessageAnswer CliOperator::ShowMessage(const MessageRequest& request) {
  lastMessage_ = request.text;
  errors_ << "message: " << OneLine(request.text) << '\n';
  if (answers_.empty()) return request.defaultAnswer;
  const MessageAnswer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

void CliOperator::YieldToInterface() {
  if (simulator_ == nullptr) return;
  // Nobody sits at this console: a typewriter halted by a stop code is started again when the
  // machine waits for it, and a hold inside an instruction is ended as by the Stop button.
  Typewriter& typewriter = simulator_->Ormprinter();
  if (!typewriter.PrintBufferEmpty() && typewriter.State().StopPending) typewriter.PressStart();
  if (simulator_->Machine().WaitingAtStop) simulator_->Cpu().Stop();
}

std::optional<std::string> CliOperator::AskText(const std::string& prompt,
                                                const std::string& defaultText) {
  errors_ << "message: " << OneLine(prompt) << '\n';
  return defaultText;
}

void CliOperator::ShowFuseWindow(int reason) {
  FuseWindowText text;
  if (!FuseWindowTexts(reason, text)) return;
  fuseBlown_ = true;
  errors_ << "fuse: " << text.caption << " / " << text.reason << '\n';
}

KeyboardEntry CliOperator::OpenKeyboardWindow(bool) {
  std::string line;
  if (!std::getline(input_, line)) return {};  // as if closed by the window's close control
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return KeyboardEntry{true, KeyboardFieldText(kKeyboardFieldStart, line), false};
}

}  // namespace ormlax::cli

// Everything the operator must see or answer goes through this interface: message boxes, the
// fault window, and the moments when a running operation lets the user interface run.
#pragma once

#include <string>

namespace ormlax {

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { None, Question, Exclamation, Information };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// A modal message box. Lines within the text are separated by CR LF.
struct MessageRequest {
  std::string text;
  MessageButtons buttons = MessageButtons::Ok;
  MessageIcon icon = MessageIcon::None;
  MessageAnswer defaultAnswer = MessageAnswer::Ok;
};

class Operator {
 public:
  virtual ~Operator() = default;

  // Shows a modal message box and returns the button the operator pressed.
  virtual MessageAnswer ShowMessage(const MessageRequest& request) = 0;

  // Lets pending user-interface events run (console buttons, switches, repaints). Called between
  // two words of a run and repeatedly while the machine is held inside an instruction.
  virtual void YieldToInterface() = 0;

  // Shows the modal blown-fuse window for reason 1 or 2 and returns when it is closed.
  virtual void ShowFuseWindow(int reason) = 0;
};

// A message box with a single OK button.
inline void ShowOkMessage(Operator& op, const std::string& text) {
  op.ShowMessage(MessageRequest{text});
}

}  // namespace ormlax

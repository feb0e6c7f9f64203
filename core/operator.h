// Everything the operator must see or answer goes through this interface: message boxes, the
// fault window, and the moments when a running operation lets the user interface run.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ormlax {

// The machine's messages (and the typewriter's paper) break their lines with CR LF.
inline constexpr std::string_view kLineBreak = "\r\n";
// The text with every CR LF replaced by `separator`, for a front end that breaks lines otherwise.
std::string ReplaceLineBreaks(std::string_view text, std::string_view separator);

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

// What the operator did in the console keyboard window.
struct KeyboardEntry {
  bool entered = false;             // a word was entered; false when the window was just closed
  std::string word;                 // the field's 12 characters when entered
  bool continueSingleStep = false;  // "Continue in single-step" was pressed
};

class Operator {
 public:
  virtual ~Operator() = default;

  // Shows a modal message box and returns the button the operator pressed.
  virtual MessageAnswer ShowMessage(const MessageRequest& request) = 0;

  // Lets pending user-interface events run (console buttons, switches, repaints). Called between
  // two words of a run.
  virtual void YieldToInterface() = 0;

  // Waits for the operator's next action while the machine is held inside an instruction (a
  // conditional stop, the keyboard instruction waiting for the typewriter). Called repeatedly
  // until the hold ends; an interface that can sleep until something happens does so here.
  virtual void WaitForInterface() { YieldToInterface(); }

  // Shows the modal blown-fuse window for reason 1 or 2 and returns when it is closed.
  virtual void ShowFuseWindow(int reason) = 0;

  // Opens the modal console keyboard window ("Continue in single-step" enabled as given) and
  // returns what the operator did when it closes.
  virtual KeyboardEntry OpenKeyboardWindow(bool singleStepEnabled) = 0;

  // Replaces the host clipboard's contents with the text.
  virtual void SetClipboardText(const std::string& text) = 0;

  // A modal input box showing `prompt` with `defaultText` in its field. Returns the text the
  // operator typed, or nothing when the box was cancelled.
  virtual std::optional<std::string> AskText(const std::string& prompt,
                                             const std::string& defaultText) = 0;
};

// A message box with a single OK button.
inline void ShowOkMessage(Operator& op, const std::string& text) {
  op.ShowMessage(MessageRequest{text});
}

}  // namespace ormlax

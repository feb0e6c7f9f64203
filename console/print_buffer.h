// The typewriter's print buffer: machine characters waiting to be printed, taken from the front.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ormlax {

class PrintBuffer {
 public:
  bool Empty() const { return head_ == text_.size(); }
  void Append(std::string_view text) { text_.append(text); }

  // Removes and returns the first waiting character. The buffer must not be empty.
  char TakeFirst() {
    const char c = text_[head_++];
    if (head_ == text_.size()) Clear();
    return c;
  }

  // The characters still waiting, in order.
  std::string_view Pending() const { return std::string_view(text_).substr(head_); }

  void Clear() {
    text_.clear();
    head_ = 0;
  }

 private:
  std::string text_;  // characters before head_ have been taken already
  std::size_t head_ = 0;
};

}  // namespace ormlax

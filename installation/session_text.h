// The text syntax of a session file's lines: a key, then values separated by spaces. A value is
// a plain token or a text in brackets, in which every byte that is not printable ASCII (and the
// three bytes "\", "[" and "]") is written \xHH, so a word can hold any byte a tape can.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ormlax {

// The bytes written as a bracketed text: "[" escaped bytes "]".
std::string SessionText(std::string_view bytes);

// One value of a line: a plain token, or the bytes of a bracketed text.
struct SessionValue {
  std::string text;
  bool bracketed = false;
};

struct SessionLine {
  std::string key;
  std::vector<SessionValue> values;
};

// Splits a line into its key and values. Nothing, with the reason in `error`, when a bracketed
// text is not closed, holds a byte that should have been escaped, or has a bad escape.
std::optional<SessionLine> SplitSessionLine(std::string_view line, std::string& error);

}  // namespace ormlax

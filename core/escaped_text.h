// Machine characters written into a text file a person reads: a word may hold any byte but NUL,
// CR and LF, and a paper any byte at all. Printable ASCII and the bytes of other characters
// (128-255) stand as they are; a backslash is written "\\" and every other byte "\xHH".
#pragma once

#include <string>
#include <string_view>

namespace ormlax {

std::string EscapeText(std::string_view bytes);

}  // namespace ormlax

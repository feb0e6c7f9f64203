#include "core/escaped_text.h"

namespace ormlax {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

}  // namespace

std::string EscapeText(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (const char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '\\') {
      text += "\\\\";
    } else if (u < 0x20 || u == 0x7F) {
      text += "\\x";
      text += kHex[u >> 4];
      text += kHex[u & 0xF];
    } else {
      text += c;
    }
  }
  return text;
}

}  // namespace ormlax

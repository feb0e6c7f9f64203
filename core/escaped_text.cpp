#include "core/escaped_text.h"

namespace ormlax {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

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

std::optional<std::string> UnescapeText(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      bytes += text[i];
      continue;
    }
    if (i + 1 < text.size() && text[i + 1] == '\\') {
      bytes += '\\';
      ++i;
      continue;
    }
    if (i + 3 >= text.size() || text[i + 1] != 'x') return std::nullopt;
    const int high = HexValue(text[i + 2]);
    const int low = HexValue(text[i + 3]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes += static_cast<char>(high * 16 + low);
    i += 3;
  }
  return bytes;
}

}  // namespace ormlax

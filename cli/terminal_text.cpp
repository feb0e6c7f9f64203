#include "cli/terminal_text.h"

#include <cstdint>

namespace ormlax::cli {
namespace {

// The length of the printable UTF-8 character at the start of `text`, or 0 when there is none.
std::size_t PrintableUtf8(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  std::uint32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07u;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0u) != 0x80u) return 0;
    code = (code << 6) | (byte(i) & 0x3Fu);
  }
  const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  const bool valid = code >= least[length] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
  // U+0080 to U+009F are control characters as well.
  return valid && code >= 0xA0 ? length : 0;
}

}  // namespace

std::string EscapeControls(std::string_view text, bool keepLineFeeds) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if ((c >= 0x20 && c < 0x7F) || (c == '\n' && keepLineFeeds)) {
      out.push_back(static_cast<char>(c));
      ++i;
      continue;
    }
    if (const std::size_t n = c >= 0x80 ? PrintableUtf8(text.substr(i)) : 0; n > 0) {
      out.append(text.substr(i, n));
      i += n;
      continue;
    }
    out += "\\x";
    out.push_back(kHex[c >> 4]);
    out.push_back(kHex[c & 0xF]);
    ++i;
  }
  return out;
}

}  // namespace ormlax::cli

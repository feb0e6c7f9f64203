#include "installation/session_text.h"

namespace ormlax {
namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

bool StandsForItself(unsigned char c) {
  return c >= 0x20 && c <= 0x7E && c != '\\' && c != '[' && c != ']';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Reads the bracketed text that starts at line[at] (the "["); `at` ends after the "]".
std::optional<std::string> ReadBracketed(std::string_view line, std::size_t& at,
                                         std::string& error) {
  std::string bytes;
  for (++at; at < line.size(); ++at) {
    const auto c = static_cast<unsigned char>(line[at]);
    if (c == ']') {
      ++at;
      return bytes;
    }
    if (c == '\\') {
      const bool escape = at + 3 < line.size() && line[at + 1] == 'x';
      const int high = escape ? HexValue(line[at + 2]) : -1;
      const int low = high >= 0 ? HexValue(line[at + 3]) : -1;
      if (low < 0) {
        error = "a \"\\\" in a text must begin \\x and two hexadecimal digits";
        return std::nullopt;
      }
      bytes.push_back(static_cast<char>(high * 16 + low));
      at += 3;
    } else if (c == '[' || !StandsForItself(c)) {
      error = "a text holds a byte that must be written \\x" + std::string(1, kHexDigits[c >> 4]) +
              kHexDigits[c & 15];
      return std::nullopt;
    } else {
      bytes.push_back(static_cast<char>(c));
    }
  }
  error = "a text has no closing \"]\"";
  return std::nullopt;
}

}  // namespace

std::string SessionText(std::string_view bytes) {
  std::string text = "[";
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (StandsForItself(c)) {
      text.push_back(ch);
    } else {
      text += "\\x";
      text.push_back(kHexDigits[c >> 4]);
      text.push_back(kHexDigits[c & 15]);
    }
  }
  text.push_back(']');
  return text;
}

std::optional<SessionLine> SplitSessionLine(std::string_view line, std::string& error) {
  SessionLine split;
  bool haveKey = false;
  std::size_t at = 0;
  while (at < line.size()) {
    if (line[at] == ' ') {
      ++at;
      continue;
    }
    SessionValue value;
    if (line[at] == '[') {
      if (!haveKey) {
        error = "a line must begin with its name";
        return std::nullopt;
      }
      std::optional<std::string> bytes = ReadBracketed(line, at, error);
      if (!bytes) return std::nullopt;
      value = {std::move(*bytes), true};
      if (at < line.size() && line[at] != ' ') {
        error = "a text must be followed by a space or the end of the line";
        return std::nullopt;
      }
    } else {
      const std::size_t end = std::min(line.find(' ', at), line.size());
      value.text = std::string(line.substr(at, end - at));
      at = end;
      for (const char c : value.text) {
        if (!StandsForItself(static_cast<unsigned char>(c))) {
          error = "\"" + value.text + "\" holds a byte only a text in brackets may hold";
          return std::nullopt;
        }
      }
    }
    if (!haveKey) {
      split.key = std::move(value.text);
      haveKey = true;
    } else {
      split.values.push_back(std::move(value));
    }
  }
  return split;
}

}  // namespace ormlax

// The text syntax of session files: escaping every byte that is not printable ASCII, and
// splitting lines into their values.
#include "installation/session_text.h"

#include <gtest/gtest.h>

namespace ormlax {
namespace {

TEST(SessionText, EscapesEveryByteThatIsNotPrintableAndTheThreeItUses) {
  const struct {
    std::string bytes;
    const char* text;
  } cases[] = {
      {"HELLO r 0-9", "[HELLO r 0-9]"},
      {"", "[]"},
      {"\r\n", "[\\x0D\\x0A]"},
      {std::string("a\0b", 3), "[a\\x00b]"},
      {"\t\x1b\x7f", "[\\x09\\x1B\\x7F]"},
      {"[x]\\", "[\\x5Bx\\x5D\\x5C]"},
      {"\xC2\xA2\xFF", "[\\xC2\\xA2\\xFF]"},
      {"  lead and trail  ", "[  lead and trail  ]"},
      {"\"'|$%?#@", "[\"'|$%?#@]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(SessionText(c.bytes), c.text);
    std::string error;
    const auto line = SplitSessionLine(std::string("key ") + c.text, error);
    ASSERT_TRUE(line) << error;
    ASSERT_EQ(line->values.size(), 1u);
    EXPECT_TRUE(line->values[0].bracketed);
    EXPECT_EQ(line->values[0].text, c.bytes);
  }
}

TEST(SessionText, EveryByteComesBackAsItWas) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const std::string text = SessionText(all);
  for (const char c : text) EXPECT_TRUE(c >= 0x20 && c <= 0x7E) << static_cast<int>(c);
  std::string error;
  const auto line = SplitSessionLine("k " + text + " " + text, error);
  ASSERT_TRUE(line) << error;
  ASSERT_EQ(line->values.size(), 2u);
  EXPECT_EQ(line->values[0].text, all);
  EXPECT_EQ(line->values[1].text, all);
}

TEST(SessionText, SplitsAKeyAndPlainAndBracketedValues) {
  std::string error;
  const auto line = SplitSessionLine("servo  1 read-write [a b]  file [] 7", error);
  ASSERT_TRUE(line) << error;
  EXPECT_EQ(line->key, "servo");
  const std::vector<std::pair<std::string, bool>> expected = {{"1", false},  {"read-write", false},
                                                              {"a b", true}, {"file", false},
                                                              {"", true},    {"7", false}};
  ASSERT_EQ(line->values.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(line->values[i].text, expected[i].first) << i;
    EXPECT_EQ(line->values[i].bracketed, expected[i].second) << i;
  }
}

TEST(SessionText, RefusesMalformedTexts) {
  const struct {
    std::string line;
    const char* why;
  } cases[] = {
      {"rA [000000", "no closing"},
      {"rA [00\\x4]", "\\x and two hexadecimal digits"},
      {"rA [00\\x4G]", "\\x and two hexadecimal digits"},
      {"rA [00\\n]", "\\x and two hexadecimal digits"},
      {"rA [00\tA]", "must be written \\x09"},
      {"rA [0[0]", "must be written \\x5B"},
      {"rA [\xC2\xA2]", "must be written \\xC2"},
      {"rA [00]x", "followed by a space"},
      {"rA 00\x01", "only a text in brackets"},
      {"[rA] 0", "begin with its name"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    std::string error;
    EXPECT_FALSE(SplitSessionLine(c.line, error));
    EXPECT_NE(error.find(c.why), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace ormlax

// The rules of the source language that every pass relies on: which lines are code, how a line
// splits into fields, which labels are program points, how numbers are read, and the words of
// texts and automatic constants.
#include <gtest/gtest.h>

#include "assembler/generated_code.h"
#include "assembler/source_language.h"

namespace ormlax {
namespace {

TEST(SourceLines, CommentsAreSemicolonLinesAndBlankOnes) {
  struct Case {
    const char* line;
    bool code;
  };
  const Case cases[] = {
      {"; a comment", false}, {";\tB00250\tA00251", false}, {"", false},
      {"  \t  \t", false},    {"\tB00250\tA00251", true},   {" ;", true},
      {"LABEL", true},
  };
  for (const Case& c : cases) EXPECT_EQ(IsCodeLine(c.line), c.code) << '"' << c.line << '"';
}

TEST(SourceLines, TabPairsCollapseInOnePassFromTheLeft) {
  using Fields = std::vector<std::string>;
  struct Case {
    const char* line;
    Fields fields;
  };
  const Case cases[] = {
      {"\tB00250\tA00251", {"", "B00250", "A00251"}},
      {"A\t\tB", {"A", "B"}},                // two tabs become one
      {"A\t\t\tB", {"A", "", "B"}},          // three become two
      {"A\t\t\t\tB", {"A", "", "B"}},        // four become two
      {"A\t\t\t\t\tB", {"A", "", "", "B"}},  // five become three
      {"\tB00250\t", {"", "B00250", ""}},
      {"ALPHA", {"ALPHA"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitCodeLine(c.line), c.fields) << c.line;
}

TEST(SourceNumbers, ProgramPointLabelsAreNumbersRoundedHalfToEven) {
  struct Case {
    const char* label;
    std::optional<std::int64_t> value;
  };
  const Case cases[] = {
      {"3", 3},
      {" 7 ", 7},
      {"2.5", 2},
      {"3.5", 4},
      {"0.5", 0},
      {"2.51", 3},
      {"-0.4", 0},
      {"+1", 1},
      {"9.5", 10},
      {"12", 12},
      {"3.", 3},
      {"1A", std::nullopt},
      {".5", std::nullopt},
      {"1 2", std::nullopt},
      {"-", std::nullopt},
      {"A1", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ProgramPointValue(c.label), c.value) << c.label;
}

TEST(SourceNumbers, CountsOriginsAndOffsetsTakeTheLeadingNumber) {
  struct Case {
    const char* text;
    std::int64_t value;
  };
  const Case cases[] = {
      {"10", 10},  {" 10 WORDS", 10},
      {"12X", 12}, {"ABC", 0},
      {"", 0},     {"1.5", 2},
      {"2.5", 2},  {"-3", -3},
      {"+4", 4},   {".6", 1},
      {"X12", 0},  {"99999999999999999999", 1'000'000'000'000},  // held at the bound, never wrapped
  };
  for (const Case& c : cases) EXPECT_EQ(LeadingNumber(c.text), c.value) << c.text;
}

TEST(SourceExpressions, TheNameEndsAtTheFirstSignAfterItsFirstCharacter) {
  struct Case {
    const char* expression;
    const char* name;
    std::int64_t offset;
  };
  const Case cases[] = {
      {"ALPHA", "ALPHA", 0}, {"ALPHA+2", "ALPHA", 2}, {"ALPHA-12", "ALPHA", -12},
      {"$+1", "$", 1},       {"+E012", "+E012", 0},   {"+E012+1", "+E012", 1},
      {"A-B", "A", 0},
  };
  for (const Case& c : cases) {
    const SymbolExpression e = SplitExpression(c.expression);
    EXPECT_EQ(e.Name, c.name) << c.expression;
    EXPECT_EQ(e.Offset, c.offset) << c.expression;
  }
}

TEST(SourceText, TextWordsDropExclamationMarksAndArePaddedWithTheIgnoreCode) {
  using Words = std::vector<std::string>;
  struct Case {
    const char* text;
    Words words;
  };
  const Case cases[] = {
      {"HELLO", {"HELLOiiiiiii"}},
      {"ABCDEFGHIJKL", {"ABCDEFGHIJKL"}},
      {"ABCDEFGHIJKLM", {"ABCDEFGHIJKL", "Miiiiiiiiiii"}},
      {"HE!LLO!", {"HELLOiiiiiii"}},
      {"", {}},
      {"!!!", {}},
  };
  for (const Case& c : cases) {
    Words got;
    for (const Word& w : TextWords(c.text)) got.push_back(w.Text());
    EXPECT_EQ(got, c.words) << c.text;
  }
}

TEST(AutomaticConstants, EachLetterFillsItsGroupsOfThreeCharacters) {
  struct Case {
    const char* reference;
    const char* word;  // the two halves as pass 3 stores them
  };
  const Case cases[] = {
      {"+A012", "\t|012000\t|000000"},
      {"+B012", "\t|000012\t|000000"},
      {"+C012", "\t|000000\t|012000"},
      {"+D012", "\t|000000\t|000012"},
      {"+E012", "\t|012012\t|000000"},
      {"+F012", "\t|000012\t|012000"},
      {"+G012", "\t|000000\t|012012"},
      {"+H012", "\t|000012\t|012012"},
      {"+I012", "\t|012000\t|012012"},
      {"+J012", "\t|012012\t|000012"},
      {"+K012", "\t|012012\t|012000"},
      {"+L999", "\t|999999\t|999999"},
      // A short value leaves the halves short; pass 4 pads each with "0" on the right.
      {"+A5", "\t|5000\t|000000"},
      {"+B5", "\t|0005\t|000000"},
      // Only the three characters after the letter are the value.
      {"+A01234", "\t|012000\t|000000"},
      {"+M012", ""},
      {"+", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ConstantWord(c.reference), c.word) << c.reference;
}

}  // namespace
}  // namespace ormlax

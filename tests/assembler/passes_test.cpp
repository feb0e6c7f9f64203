// The four passes seen through their files: the words that come out of small sources in ".i5",
// and the exact layout of ".i2" to ".i5" for one program that uses every kind of line.
#include "tests/assembler/assembler_test_support.h"

namespace ormlax::testing {
namespace {

using Lines = std::vector<std::string>;

class Passes : public AssemblerTest {};

struct WordsCase {
  const char* what;
  Lines source;
  Lines words;  // ".i5": the word, a tab and its location
  AssemblyOptions options = Keep();
};

TEST_F(Passes, SourcesGiveTheirFinishedWords) {
  const AssemblyOptions overflow = Keep(true, false);
  const AssemblyOptions loader = Keep(false, true);
  const WordsCase cases[] = {
      {"two instructions", {"\tB00250\tA00251"}, {"B00250A00251\t0"}},
      {"an empty right half", {"\tB00250\t"}, {"B00250  0000\t0"}},
      {"literal halves",
       {"\t|ABCDEF\t|GHIJKL", "\t|AB\t|"},
       {"ABCDEFGHIJKL\t0", "AB   0     0\t1"}},
      {"a symbol and a forward point",
       {"ALPHA\tB X\tU 1F", "1\tB ALPHA\t90", "X\t|000000\t|000007"},
       {"B 0002U 0001\t0", "B 0000900000\t1", "000000000007\t2"}},
      {"a one-word text and its end symbol",
       {"MSG\tTXT\tHELLO", "\tB MSG\tA MSGZZ"},
       {"HELLOiiiiiii\t0", "B 0000A 0000\t1"}},
      {"thirteen characters make two words",
       {"MSG\tTXT\tABCDEFGHIJKLM", "\tB MSG\tA MSGZZ"},
       {"ABCDEFGHIJKL\t0", "Miiiiiiiiiii\t1", "B 0000A 0001\t2"}},
      {"unlabelled texts go on one text",
       {"MSG\tTXT\tAB", "\tTXT\tCD", "\tB MSGZZ\t00"},
       {"ABiiiiiiiiii\t0", "CDiiiiiiiiii\t1", "B 0001000000\t2"}},
      {"the end symbol takes a label from before the text",
       {"HEAD\tB00000\t00", "\tTXT\tAB", "\tB HEADZZ\t00"},
       {"B00000000000\t0", "ABiiiiiiiiii\t1", "B 0001000000\t2"}},
      {"an origin and the word's own location",
       {"\tB00001\t00", "$ORG\t100", "\tB $\tA $+1"},
       {"B00001000000\t0", "B 0100A 0101\t100"}},
      {"points backward and forward, sections",
       {"1\tB00001\t00", "\tU 1B\tU 1F", "1\tB00003\t00", "$CPP", "\tB00004\tU 1F",
        "1\tB00005\t00"},
       {"B00001000000\t0", "U 0000U 0002\t1", "B00003000000\t2", "B00004U 0004\t3",
        "B00005000000\t4"}},
      {"a definition on the referring line satisfies both", {"5\tU 5B\tU 5F"}, {"U 0000U 0000\t0"}},
      {"one constant for a reference used twice",
       {"\tB +E012\tA +E012", "\t90\t00"},
       {"B 0002A 0002\t0", "900000000000\t1", "012012000000\t2"}},
      {"constants in ascending text order",
       {"\tB +B001\tA +A999"},
       {"B 0002A 0001\t0", "999000000000\t1", "000001000000\t2"}},
      {"a constant with an offset: the name is the reference",
       {"\tB +A005+1\tA +A005"},
       {"B 0002A 0001\t0", "005000000000\t1"}},
      {"a constant only referred to with an offset",
       {"\tB +B001-1\t90"},
       {"B 0000900000\t0", "000001000000\t1"}},
      {"short constant values are padded",
       {"\tB +A5\tA +B5"},
       {"B 0001A 0002\t0", "500000000000\t1", "000500000000\t2"}},
      {"a duplicate symbol is its first definition",
       {"A\tB A\t00", "A\tB A\t00"},
       {"B 0000000000\t0", "B 0000000000\t1"}},
      {"offsets",
       {"\tB ALPHA+2\tA ALPHA-1", "ALPHA\t90\t00"},
       {"B 0003A 0000\t0", "900000000000\t1"}},
      {"short numbers are padded on the right", {"\tB 12\tA 7"}, {"B 1200A 7000\t0"}},
      {"a negative address keeps four characters", {"ALPHA\tB ALPHA-5\t00"}, {"B -000000000\t0"}},
      {"a plus name that is no constant", {"\tB +M123\t00"}, {"B -000000000\t0"}},
      {"working storage on the tape as zeros",
       {"\tB BUF\t00", "BUF\tWS\t2"},
       {"B 0001000000\t0", "000000000000\t1", "000000000000\t2"}},
      {"working storage left to the loader",
       {"\tB BUF\t00", "BUF\tWS\t2"},
       {"B 0001000000\t0"},
       loader},
      {"the overflow routine",
       {"\tB00250\tA00251"},
       {"R00003U00001\t0", "B00003A00002\t1", "C00003000001\t2", "000000000000\t3",
        "B00250A00251\t4"},
       overflow},
  };
  for (const WordsCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Assemble(Source(c.source), c.options), AssemblyOutcome::Assembled);
    EXPECT_EQ(FileLines("prog.i5"), c.words);
  }
}

TEST_F(Passes, WorkingStorageAreasTakeTheirPlacesInNameOrder) {
  Lines source = {"\tB ACC\tB BUF"};
  for (int i = 1; i <= 20; ++i) source.push_back("\tB00000\t00");  // the program ends at 20
  source.push_back("BUF\tWS\t10");
  source.push_back("ACC\tWS\t2");
  ASSERT_EQ(Assemble(Source(source), Keep()), AssemblyOutcome::Assembled);
  const Lines words = FileLines("prog.i5");
  ASSERT_EQ(words.size(), 21u + 12u);
  EXPECT_EQ(words[0], "B 0021B 0023\t0");
  EXPECT_EQ(words.back(), "000000000000\t32");
}

TEST_F(Passes, EveryIntermediateFileHasItsExactLayout) {
  const std::string source = Source({
      "; head",
      "START\tB X\tU 1F\tfirst\t\t\tsecond",  // the empty comment field is dropped
      "1\tB +A005\t90",
      "$CPP",
      "$ORG\t10",
      "X\t|000000\t|000009",
  });
  ASSERT_EQ(Assemble(source, Keep()), AssemblyOutcome::Assembled);
  EXPECT_EQ(FileLines("prog.i2"), (Lines{
                                      "; head",
                                      "\tB X   \tU 1F  \t0\tfirst\tsecond",
                                      "1\tB +A005\t90    \t1",
                                      "$CPP\t      \t      \t1",
                                      "$$$$\t10    \t      \t9",
                                      "\t|000000\t|000009\t10",
                                  }));
  const auto records = [&](const std::string& name) {
    const std::string bytes = ReadFile(name);
    EXPECT_EQ(bytes.size() % 128, 0u) << name;
    Lines texts;
    for (std::size_t at = 0; at + 128 <= bytes.size(); at += 128) {
      EXPECT_EQ(bytes.substr(at, 2), std::string("\x7e\x00", 2)) << name << " at " << at;
      EXPECT_EQ(bytes.substr(at + 126, 2), "\r\n") << name << " at " << at;
      std::string text = bytes.substr(at + 2, 124);
      const std::size_t last = text.find_last_not_of(' ');
      texts.push_back(text.substr(0, last + 1));
    }
    return texts;
  };
  EXPECT_EQ(records("prog.i3"), (Lines{
                                    "\tB X   \tU 1F  \t0",
                                    "1\tB +A005\t90    \t1",
                                    "$CPP\t      \t      \t1",
                                    "$$$$\t10    \t      \t9",
                                    "\t|000000\t|000009\t10",
                                }));
  EXPECT_EQ(records("prog.i4"),
            (Lines{
                "\tB X   \tU 0001\t0", "1\tB +A005\t90    \t1", "$$$$\t      \t      \t1",
                "$$$$\t10    \t      \t9", "\t|000000\t|000009\t10",
                "\t|005000\t|000000\t11",  // the constant, after the last word
            }));
  EXPECT_EQ(FileLines("prog.i5"),
            (Lines{"B 0010U 0001\t0", "B 0011900000\t1", "000000000009\t10", "005000000000\t11"}));
}

TEST_F(Passes, AnyLineEndGivesTheSameRun) {
  const Lines source = {"; line ends", "MSG\tTXT\tHI", "\tB MSGZZ\tA +D001", "\t90\t00"};
  std::string crlf, lf, cr, unended;
  for (const std::string& l : source) {
    crlf += l + "\r\n";
    lf += l + "\n";
    cr += l + "\r";
  }
  unended = lf.substr(0, lf.size() - 1);
  ASSERT_EQ(Assemble(crlf, Keep()), AssemblyOutcome::Assembled);
  const Lines words = FileLines("prog.i5");
  const std::string listing = ReadFile("prog.lst");
  ASSERT_EQ(words.size(), 4u);
  for (const std::string* text : {&lf, &cr, &unended}) {
    ASSERT_EQ(Assemble(*text, Keep()), AssemblyOutcome::Assembled);
    EXPECT_EQ(FileLines("prog.i5"), words);
    EXPECT_EQ(ReadFile("prog.lst"), listing);
  }
}

}  // namespace
}  // namespace ormlax::testing

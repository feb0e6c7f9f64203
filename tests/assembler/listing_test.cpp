// Whole listings compared line by line, for both address widths and each option, and the
// sections of the listing where its rules are easy to get wrong: labels shown on the program's
// lines, errors under their lines (and those no line has), the cross-reference's columns and its
// wrapping.
#include "tests/assembler/assembler_test_support.h"

namespace ormlax::testing {
namespace {

using Texts = std::vector<std::string>;

class Listing : public AssemblerTest {};

TEST_F(Listing, ProgramTextAndCrossReferenceOnOrmlaxTwo) {
  const std::string source = Source({
      "; cross-reference",
      "$ORG\t17",
      "ALPHA\tB BETA\t00",
      "\tB00000\t00",
      "\tB00000\t00",
      "\tB ALPHA\tA ALPHA",  // one word using ALPHA twice
      "$ORG\t35",
      "\tB ALPHA\tA UNDEF",
      "MSG\tTXT\tABCDEFGHIJKLMNOPQRSTUVWXYZ",
      "BETA\t90\t00",
  });
  EXPECT_EQ(Assemble(source, {}, true), AssemblyOutcome::ErrorsInAssembly);
  EXPECT_EQ(FileLines("prog.lst"), (Texts{
                                       "       ; cross-reference",
                                       "       $$$$\t17    \t      \t",
                                       "  17   ALPHA\tB BETA\t00    \t",
                                       "  18        \tB00000\t00    \t",
                                       "  19        \tB00000\t00    \t",
                                       "  20        \tB ALPHA\tA ALPHA\t",
                                       "       $$$$\t35    \t      \t",
                                       "  35        \tB ALPHA\tA UNDEF\t",
                                       "ERROR Undefined symbol",
                                       "  36   MSG  \t|ABCDEF\t|GHIJKL\t",
                                       "  37        \t|MNOPQR\t|STUVWX\t",
                                       "  38   MSGZZ\t|YZiiii\t|iiiiii\t",
                                       "  39   BETA \t90    \t00    \t",
                                       "",
                                       "Cross-reference listing",
                                       "Symbol  Def   Used",
                                       "",
                                       "ALPHA     17     20     35",
                                       "BETA      39     17",
                                       "MSG       36    (Symbol never used)",
                                       "MSGZZ     38    (Symbol never used)",
                                       "UNDEF   ----     35",
                                   }));
  EXPECT_FALSE(Exists("prog.obj"));
}

TEST_F(Listing, EveryOptionOnOrmlaxOne) {
  const std::string source = Source({
      "; begins with a comment",
      "START\tB +A005\tA N",
      "\t90\t00",
      "N\t|000000\t|000001",
      "BUF\tWS\t3",
  });
  EXPECT_EQ(Assemble(source, Keep(true, true)), AssemblyOutcome::Assembled);
  EXPECT_EQ(FileLines("prog.lst"), (Texts{
                                       "A loading routine for this program has been generated",
                                       "It also clears working storage to zeros",
                                       "",
                                       "The temporary intermediate files have been preserved",
                                       "",
                                       "Automatically generated overflow routine",
                                       "",
                                       "  0        \tR00003\tU00001\t",
                                       "  1        \tB00003\tA00002\t",
                                       "  2        \tC00003\t000001\t",
                                       "  3        \t000000\t000000\t",
                                       "",
                                       "End of automatically generated overflow routine",
                                       "",
                                       "      ; begins with a comment",
                                       "  4   START\tB +A005\tA N   \t",
                                       "  5        \t90    \t00    \t",
                                       "  6   N    \t|000000\t|000001\t",
                                       "",
                                       "Automatically generated constants",
                                       "",
                                       "  7   +A005   \t|005000\t|000000",
                                       "",
                                       "Working storage, cleared by loader, but not loaded",
                                       "",
                                       "  8   BUF     \t|000000\t|000000",
                                       "  9           \t|000000\t|000000",
                                       " 10           \t|000000\t|000000",
                                       "",
                                       "Cross-reference listing",
                                       "Symbol  Def   Used",
                                       "",
                                       "+A005     7     4",
                                       "BUF       8   (Symbol never used)",
                                       "N         6     4",
                                       "START     4   (Symbol never used)",
                                   }));
}

TEST_F(Listing, WithoutTheLoaderWorkingStorageIsLoadedAsZeros) {
  const std::string source = Source({"\tB BUF\t00", "BUF\tWS\t2"});
  EXPECT_EQ(Assemble(source), AssemblyOutcome::Assembled);
  const Texts lines = FileLines("prog.lst");
  const auto at = std::find(lines.begin(), lines.end(), "Working storage, loaded as zeros");
  ASSERT_NE(at, lines.end());
  EXPECT_EQ(Texts(at + 1, at + 4),
            (Texts{"", "  1   BUF   \t|000000\t|000000", "  2         \t|000000\t|000000"}));
}

// The cross-reference section of the listing, from its first symbol line.
Texts CrossReference(const Texts& listing) {
  const auto at = std::find(listing.begin(), listing.end(), "Cross-reference listing");
  EXPECT_NE(at, listing.end());
  return at == listing.end() ? Texts{} : Texts(at + 3, listing.end());
}

TEST_F(Listing, ManyUsesWrapWithTheLocationsInTheirColumns) {
  Texts source;
  for (int i = 0; i < 25; ++i) source.push_back("\tB X\t00");
  source.push_back("X\t90\t00");
  EXPECT_EQ(Assemble(Source(source), {}, true), AssemblyOutcome::Assembled);
  EXPECT_EQ(CrossReference(FileLines("prog.lst")),
            (Texts{
                "X     25      0      1      2      3      4      5      6      7      8",
                "              9     10     11     12     13     14     15     16     17",
                "             18     19     20     21     22     23     24",
            }));
}

TEST_F(Listing, ErrorsAreUnderTheirLinesAndNoneIsDropped) {
  struct Case {
    const char* what;
    Texts source;
    Texts program;  // the listing's lines before the cross-reference
  };
  const Case cases[] = {
      {"a line with too few fields writes nothing: its error follows the next line",
       {"\tB00250", "X\tB00300\tA00301"},
       {"  1   X\tB00300\tA00301\t", "ERROR Not enough fields in the line at location 0", ""}},
      {"an error no line has comes after the program",
       {"\tB00250\tA00251", "\tB00300"},
       {"  0   \tB00250\tA00251\t", "ERROR Not enough fields in the line at location 1", ""}},
      {"fields separated by blanks instead of tabs",
       {"START B00250 A00251", "\tU START"},
       {"ERROR Not enough fields in the line at location 0",
        "ERROR Not enough fields in the line at location 0",
        "ERROR Not enough fields in the line at location 1", ""}},
      {"an undefined program point under the referring word",
       {"1\tB00001\t00", "$CPP", "\tU 1B\t00"},
       {"  0   1\tB00001\t00    \t", "      $CPP\t      \t      \t", "  1   \tU 1B  \t00    \t",
        "ERROR Program point not defined", ""}},
      {"a storage count out of range, at the next word's location",
       {"X\tWS\t0", "\tB X\t00"},
       {"  0    \tB X   \t00    \t", "ERROR Storage count out of range, 1 assumed", "",
        "Working storage, loaded as zeros", "", "  1   X   \t|000000\t|000000", ""}},
      {"an invalid program point",
       {"12\tB00001\t00"},
       {"  0   12\tB00001\t00    \t", "ERROR Invalid program point on line", ""}},
      {"a comment line stops the walk: the error waits for the next code line",
       {"\tB00250", "; note", "\tB00300\t00"},
       {"      ; note", "  1   \tB00300\t00    \t",
        "ERROR Not enough fields in the line at location 0", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Assemble(Source(c.source)), AssemblyOutcome::ErrorsInAssembly);
    Texts lines = FileLines("prog.lst");
    const auto end = std::find(lines.begin(), lines.end(), "Cross-reference listing");
    EXPECT_EQ(Texts(lines.begin(), end), c.program);
    EXPECT_EQ(op_.messages, Texts{"Errors in assembly\r\nSee prog.lst"});
  }
}

TEST_F(Listing, SymbolsOfOneLocationShowTheFirstInTableOrder) {
  // B and A both name location 0; ZZ names no line of its own.
  const std::string source = Source({"B\tWS\t1", "A\tB00001\t00", "\tB A\tB B"});
  EXPECT_EQ(Assemble(source), AssemblyOutcome::Assembled);
  const Texts lines = FileLines("prog.lst");
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "  0   A\tB00001\t00    \t");
  EXPECT_EQ(lines[1], "  1    \tB A   \tB B   \t");
}

}  // namespace
}  // namespace ormlax::testing

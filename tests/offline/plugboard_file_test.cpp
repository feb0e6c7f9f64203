// Plugboard files: loading, listing, numbering and saving boards, hand-made files that break the
// format, and the two standard boards.
#include "offline/plugboard_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "offline/standard_boards.h"
#include "tests/offline/offline_test_support.h"
#include "tests/support/file_size_limit.h"

namespace ormlax {
namespace {

using testing::BoardFile;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

long FilesIn(const std::filesystem::path& folder) {
  return std::distance(std::filesystem::directory_iterator(folder),
                       std::filesystem::directory_iterator());
}

class PlugboardFileTest : public ::testing::Test {
 protected:
  bool Load(int n) { return LoadPlugboard(board, n, folder.Path(), op); }
  void Write(const std::string& name, const std::string& text) { WriteBytes(folder / name, text); }

  TempFolder folder;
  Plugboard board;
  testing::ScriptedOperator op;
};

TEST_F(PlugboardFileTest, LoadsWiringFormCarriageTapeAndName) {
  BoardFile file;
  file.Wire(1, 1, 3, 10);
  file.rows[4][50] = "007";  // ML3
  file.rows[8][5] = "N+";
  file.formLength = "66";
  file.channels = {"1,34", "", "", "", "60", "66", "1,1"};
  file.name = "Payroll, weekly";
  Write("7.pgb", file.Text());

  ASSERT_TRUE(Load(7));
  EXPECT_TRUE(op.messages.empty());
  EXPECT_EQ(board.BoardFileName, "7.pgb");
  EXPECT_EQ(board.BoardName, "Payroll, weekly");
  EXPECT_EQ(board.Wiring[1][0], "010");
  EXPECT_EQ(board.Wiring[1][2], "012");
  EXPECT_EQ(board.Wiring[1][3], "");
  EXPECT_EQ(board.Wiring[4][49], "007");
  EXPECT_EQ(board.Wiring[8][4], "N+");
  EXPECT_EQ(board.MultilineCount, 3);  // ML3 wired, ML1 and ML2 empty
  EXPECT_EQ(board.FormLength, 66);
  ASSERT_EQ(board.CarriageTape.size(), 67u);                          // lines 0 to 66
  EXPECT_EQ(board.CarriageTape[1], ChannelMask(1) | ChannelMask(7));  // <1,1> punches once
  EXPECT_EQ(board.CarriageTape[34], ChannelMask(1));
  EXPECT_EQ(board.CarriageTape[60], ChannelMask(5));
  EXPECT_EQ(board.CarriageTape[66], ChannelMask(6));
  EXPECT_EQ(board.CarriageTape[2], 0);  // <> punches nothing
  EXPECT_TRUE(board.Usable());
}

TEST_F(PlugboardFileTest, MultilineCountIsTheHighestWiredMultilineRow) {
  struct Case {
    int row;  // 0: none wired
    int count;
  };
  for (const Case c : {Case{0, 0}, Case{2, 1}, Case{4, 3}, Case{7, 6}}) {
    SCOPED_TRACE(c.row);
    BoardFile file;
    file.Wire(1, 1, 120, 1);
    if (c.row != 0) file.rows[c.row][120] = "130";
    Write("3.pgb", file.Text());
    board = Plugboard{};
    ASSERT_TRUE(Load(3));
    EXPECT_EQ(board.MultilineCount, c.count);
  }
}

TEST_F(PlugboardFileTest, AShortWiringLineReplacesOnlyItsColumns) {
  Write("3.pgb", BoardFile().Wire(1, 1, 120, 1).Text());
  ASSERT_TRUE(Load(3));
  BoardFile shorter;
  std::string text = shorter.Text();
  text.replace(0, text.find("\r\n"), "<090,091>");  // two entries in row 1
  Write("4.pgb", text);
  ASSERT_TRUE(Load(4));
  EXPECT_EQ(board.Wiring[1][0], "090");
  EXPECT_EQ(board.Wiring[1][1], "091");
  EXPECT_EQ(board.Wiring[1][2], "003");  // board 3's
  EXPECT_EQ(board.Wiring[1][119], "120");
}

TEST_F(PlugboardFileTest, AMissingFileLeavesNoUsableBoardAndKeepsTheRest) {
  BoardFile file;
  file.Wire(1, 1, 5, 1).name = "Kept";
  Write("3.pgb", file.Text());
  ASSERT_TRUE(Load(3));
  EXPECT_FALSE(Load(9));
  EXPECT_EQ(op.messages, std::vector<std::string>{"Cannot open plugboard file 9.pgb"});
  EXPECT_EQ(board.FormLength, -1);
  EXPECT_EQ(board.BoardFileName, "");
  EXPECT_FALSE(board.Usable());
  EXPECT_EQ(board.BoardName, "Kept");
  EXPECT_EQ(board.Wiring[1][4], "005");
}

// Hand-made files that break the format load as the lenient reading says, and never crash.
TEST_F(PlugboardFileTest, MalformedFilesLoadLeniently) {
  // 200 entries in row 1: entries after the 121st are ignored.
  std::string manyEntries = "<";
  for (int i = 1; i <= 200; ++i) manyEntries += (i > 1 ? "," : "") + std::to_string(i % 130 + 1);
  const std::string rows2to8 = [] {
    std::string r;
    for (int i = 0; i < 7; ++i) r += "<" + std::string(119, ',') + ">\r\n";
    return r;
  }();
  struct Case {
    const char* what;
    std::string text;
    int formLength;
    std::string name;
    std::vector<int> punchedLines;  // lines with channel 1
  };
  const Case cases[] = {
      {"more than 121 entries", manyEntries + ">\r\n" + rows2to8 + "<66>\r\n<1>\r\n", 66, "", {1}},
      {"form length not a number", rows2to8 + "<\r\n<sixty>\r\n<1>\r\n", 0, "", {}},
      {"punched lines outside the form",
       "\r\n" + rows2to8 +
           "<10>\r\n<-1,0,10,11,99999999999>\r\n<>\r\n<>\r\n<>\r\n<>\r\n<>\r\n<>\r\nB\r\n",
       10,
       "B",
       {0, 10}},
      {"fewer than 17 lines", "<001>\r\n<>\r\n", 0, "", {}},
      {"numbers with fractions and trailing text",
       "\r\n" + rows2to8 + "<12.6 lines>\r\n< 3.5,7x>\r\n<>\r\n<>\r\n<>\r\n<>\r\n<>\r\n<>\r\nC",
       13,
       "C",
       {4, 7}},
      {"LF line ends",
       "<>\n<>\n<>\n<>\n<>\n<>\n<>\n<>\n<20>\n<5>\n\n\n\n\n\n\nLF\n",
       20,
       "LF",
       {5}},
      {"CR line ends",
       "<>\r<>\r<>\r<>\r<>\r<>\r<>\r<>\r<20>\r<6>\r\r\r\r\r\r\rCR\r",
       20,
       "CR",
       {6}},
      {"form length beyond a 16-bit number", rows2to8 + "\r\n<40000>\r\n<1>\r\n", 0, "", {}},
      {"an empty file", "", 0, "", {}},
      {"NUL bytes and binary",
       std::string("<\0\xff,\x01>\r\n", 8) + rows2to8 + "<5>\r\n<5>",
       5,
       "",
       {5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    board = Plugboard{};
    Write("3.pgb", c.text);
    ASSERT_TRUE(Load(3));
    EXPECT_EQ(board.FormLength, c.formLength);
    EXPECT_EQ(board.CarriageTape.size(), static_cast<std::size_t>(c.formLength) + 1);
    EXPECT_EQ(board.BoardName, c.name);
    EXPECT_EQ(board.Usable(), c.formLength >= 1);
    std::vector<int> punched;
    for (std::size_t l = 0; l < board.CarriageTape.size(); ++l) {
      if (board.CarriageTape[l] & ChannelMask(1)) punched.push_back(static_cast<int>(l));
    }
    EXPECT_EQ(punched, c.punchedLines);
  }
  // The 121st entry lands in column 120, which is never printed.
  board = Plugboard{};
  Write("3.pgb", cases[0].text);
  ASSERT_TRUE(Load(3));
  EXPECT_EQ(board.Wiring[1][119], "121");
  EXPECT_EQ(board.Wiring[1][120], "122");
}

TEST_F(PlugboardFileTest, AFolderOrAPipeNamedLikeABoardCannotBeOpened) {
  std::filesystem::create_directory(folder / "3.pgb");
  ASSERT_EQ(::mkfifo((folder / "4.pgb").c_str(), 0600), 0);
  EXPECT_FALSE(Load(3));
  EXPECT_FALSE(Load(4));  // without waiting for a writer
  EXPECT_EQ(op.messages, (std::vector<std::string>{"Cannot open plugboard file 3.pgb",
                                                   "Cannot open plugboard file 4.pgb"}));
}

TEST_F(PlugboardFileTest, ListingNamesEveryBoardAndKeepsTheCurrentOne) {
  BoardFile a;
  a.name = "A";
  BoardFile b;
  b.name = "B";
  Write("3.pgb", a.Text());
  Write("5.pgb", b.Text());
  Write("x.pgb", a.Text());    // not a number
  Write("6.txt", a.Text());    // not a board file
  Write("012.pgb", a.Text());  // board 12, whose file is 12.pgb: there is none
  std::filesystem::create_directory(folder / "8.pgb");
  BoardFile current;
  current.Wire(1, 1, 3, 1).formLength = "20";
  current.name = "Current";
  Write("9.pgb", current.Text());
  ASSERT_TRUE(Load(9));
  const Plugboard before = board;

  std::vector<PlugboardEntry> entries = ListPlugboards(board, folder.Path(), op);
  // The folder's own order, whatever it is: compared here as a set.
  std::sort(entries.begin(), entries.end(), [](const PlugboardEntry& l, const PlugboardEntry& r) {
    return l.BoardNumber < r.BoardNumber;
  });
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].Text, "A (3.pgb)");
  EXPECT_EQ(entries[0].BoardNumber, 3);
  EXPECT_EQ(entries[1].Text, "B (5.pgb)");
  EXPECT_EQ(entries[1].BoardNumber, 5);
  EXPECT_EQ(entries[2].Text, "Current (9.pgb)");
  EXPECT_EQ(op.messages, std::vector<std::string>{"Cannot open plugboard file 12.pgb"});
  EXPECT_EQ(board.BoardName, "Current");
  EXPECT_EQ(board.BoardFileName, before.BoardFileName);
  EXPECT_EQ(board.FormLength, 20);
  EXPECT_EQ(board.Wiring, before.Wiring);
  EXPECT_EQ(board.CarriageTape, before.CarriageTape);
}

TEST_F(PlugboardFileTest, NextFreeBoardNumberIsOneAboveTheHighestBoard) {
  struct Case {
    std::vector<std::string> files;
    int next;
  };
  const Case cases[] = {
      {{}, 3},
      {{"0.pgb", "1.pgb"}, 3},
      {{"0.pgb", "1.pgb", "7.pgb"}, 8},
      {{"0.pgb", "1.pgb", "4.pgb"}, 5},
      {{"0.pgb", "12a.pgb", "x.pgb", "9.txt", "99999999999999.pgb"}, 3},
      {{"5.pgb.bak", "6.old.pgb"}, 7},
  };
  for (const Case& c : cases) {
    TempFolder f;
    for (const std::string& name : c.files) WriteBytes(f / name, "");
    EXPECT_EQ(NextFreeBoardNumber(f.Path()), c.next) << ::testing::PrintToString(c.files);
  }
}

TEST_F(PlugboardFileTest, SavedBoardsHaveSeventeenCrLfLinesAndLoadBack) {
  PlugboardText text;
  text.Rows[0][0] = "005";
  text.Rows[0][119] = "130";
  text.Rows[7][0] = "N+";
  text.FormLength = "66";
  text.Channels = {"1,34", "", "", "", "", "", "1"};
  text.Name = "Saved";
  ASSERT_TRUE(SavePlugboard(5, text, folder.Path(), op));
  const std::string file = ReadBytes(folder / "5.pgb");
  const std::vector<std::string> lines = testing::CrLfLines(file);
  ASSERT_EQ(lines.size(), 17u);
  EXPECT_EQ(lines[0], "<005" + std::string(119, ',') + "130>");
  EXPECT_EQ(lines[1], "<" + std::string(119, ',') + ">");
  EXPECT_EQ(lines[7], "<N+" + std::string(119, ',') + ">");
  EXPECT_EQ(lines[8], "<66>");
  EXPECT_EQ(lines[9], "<1,34>");
  EXPECT_EQ(lines[10], "<>");
  EXPECT_EQ(lines[15], "<1>");
  EXPECT_EQ(lines[16], "Saved");
  ASSERT_TRUE(Load(5));
  EXPECT_EQ(board.Wiring[1][119], "130");
  EXPECT_EQ(board.CarriageTape[34], ChannelMask(1));
  EXPECT_EQ(FilesIn(folder.Path()), 1);  // nothing left beside it
}

TEST_F(PlugboardFileTest, ABoardThatCannotBeWrittenLeavesTheOldFile) {
  PlugboardText text;
  text.Name = "New";
  text.FormLength = "66";
  EXPECT_FALSE(SavePlugboard(5, text, folder / "gone", op));
  ASSERT_EQ(op.messages.size(), 1u);
  EXPECT_TRUE(op.messages[0].starts_with("Cannot open plugboard file 5.pgb\r\n("))
      << op.messages[0];

  const std::string old = BoardFile().Text();
  WriteBytes(folder / "5.pgb", old);
  text.Name = std::string(5000, 'x');
  {
    const testing::FileSizeLimit limit(1000);  // the new file cannot be written whole
    EXPECT_FALSE(SavePlugboard(5, text, folder.Path(), op));
  }
  EXPECT_EQ(ReadBytes(folder / "5.pgb"), old);
  ASSERT_EQ(op.messages.size(), 2u);
  EXPECT_NE(op.messages[1].find("File too large"), std::string::npos) << op.messages[1];
  EXPECT_EQ(FilesIn(folder.Path()), 1);
}

TEST_F(PlugboardFileTest, TheStandardBoardsAreWrittenWhenMissing) {
  WriteBytes(folder / "1.pgb", "mine");
  ASSERT_TRUE(WriteStandardBoards(folder.Path(), op));
  EXPECT_EQ(ReadBytes(folder / "1.pgb"), "mine");  // an existing file is left as it is
  const std::vector<std::string> split = testing::CrLfLines(ReadBytes(folder / "0.pgb"));
  ASSERT_EQ(split.size(), 17u);
  EXPECT_TRUE(split[0].starts_with("<001,002,003,004,005,006,007,008,009,010,011,012,014,015,"))
      << split[0];
  EXPECT_TRUE(split[0].ends_with(",126,127,128,129>")) << split[0];
  for (int line = 1; line < 8; ++line)
    EXPECT_EQ(split[static_cast<std::size_t>(line)], "<" + std::string(119, ',') + ">");
  EXPECT_EQ(std::vector<std::string>(split.begin() + 8, split.end()),
            (std::vector<std::string>{"<66>", "<1>", "<>", "<>", "<>", "<>", "<>", "<1>",
                                      "1-to-1 split"}));

  std::filesystem::remove(folder / "1.pgb");
  ASSERT_TRUE(WriteStandardBoards(folder.Path(), op));
  ASSERT_TRUE(Load(1));
  EXPECT_EQ(board.BoardName, "Straight");
  for (int n = 1; n <= 120; ++n) {
    EXPECT_EQ(std::stoi(board.Wiring[1][static_cast<std::size_t>(n - 1)]), n);
  }
  EXPECT_EQ(board.FormLength, 66);
  EXPECT_EQ(board.CarriageTape[1], ChannelMask(1) | ChannelMask(7));
  EXPECT_EQ(board.MultilineCount, 0);
  ASSERT_TRUE(Load(0));
  EXPECT_EQ(board.Wiring[1][12], "014");  // word 2 starts after one blank
  EXPECT_EQ(board.Wiring[1][119], "129");
  EXPECT_TRUE(op.messages.empty());
}

}  // namespace
}  // namespace ormlax

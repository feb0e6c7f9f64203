// The plugboard editor: opening and the board number it saves under, loading a board for
// modification, the entry field's keys and navigation, the columns' scrolling, "Clr", and the
// checks of "Done", which never let an unloadable file be written.
#include "offline/plugboard_editor.h"

#include <gtest/gtest.h>

#include "offline/standard_boards.h"
#include "tests/offline/offline_test_support.h"

namespace ormlax {
namespace {

using testing::BoardFile;

class PlugboardEditorTest : public testing::OffLineDeskTest {
 protected:
  void SetUp() override { ASSERT_TRUE(WriteStandardBoards(folder.Path(), op)); }

  // Types the keys into the entry field: characters as typed, and a few named keys.
  void Keys(const std::string& keys) {
    for (const char c : keys) {
      switch (c) {
        case '\n':
          editor.FieldKey(EditorKey::Enter);
          break;
        case '\b':
          editor.FieldKey(EditorKey::Backspace);
          break;
        default:
          editor.FieldKey(EditorKey::Character, c);
      }
    }
  }
  // A board that passes every check of "Done".
  void FillTheBoxes() {
    editor.BoardName = "Payroll";
    editor.SetChannel(0, "1");
    editor.SetChannel(6, "1");
  }

  PlugboardEditor editor{board, folder.Path(), op};
};

TEST_F(PlugboardEditorTest, ANewBoardGetsTheNumberAboveTheHighestFileAndIsSavedUnderIt) {
  Write("4.pgb", BoardFile{}.Text());
  editor.Open();
  EXPECT_EQ(editor.SaveNumber, 5);
  EXPECT_TRUE(editor.ModifyOffered);
  EXPECT_FALSE(editor.ModifyShown);
  EXPECT_EQ(editor.FormLength, "66");
  EXPECT_FALSE(editor.FieldOpen);
  for (int column = 1; column <= 8; ++column) EXPECT_EQ(editor.Cell(120, column), "");

  FillTheBoxes();
  editor.ClickCell(1, 1);
  Keys("5\n");
  EXPECT_TRUE(editor.Done());
  EXPECT_TRUE(editor.Closed);
  EXPECT_EQ(op.messages, std::vector<std::string>{"Plugboard file 5.pgb written"});
  // The file is the one SavePlugboard writes, and the saved board is now the current one.
  PlugboardText expected;
  expected.Rows[0][0] = "005";
  expected.FormLength = "66";
  expected.Channels[0] = "1";
  expected.Channels[6] = "1";
  expected.Name = "Payroll";
  EXPECT_EQ(Read("5.pgb"), PlugboardFileText(expected));
  EXPECT_EQ(board.BoardFileName, "5.pgb");
  EXPECT_EQ(board.BoardName, "Payroll");
  EXPECT_EQ(board.Wiring[1][0], "005");
  EXPECT_TRUE(board.Usable());
}

TEST_F(PlugboardEditorTest, WithNoBoardFileTheModifyButtonIsNotOffered) {
  std::filesystem::remove(folder / "0.pgb");
  std::filesystem::remove(folder / "1.pgb");
  editor.Open();
  EXPECT_FALSE(editor.ModifyOffered);
  EXPECT_EQ(editor.SaveNumber, 3);
}

TEST_F(PlugboardEditorTest, AStandardBoardIsModifiedIntoANewNumber) {
  Write("4.pgb", BoardFile{}.Text());
  const std::string straight = Read("1.pgb");
  editor.Open();
  editor.OfferModify();
  EXPECT_TRUE(editor.ModifyShown);
  editor.Modify = "1";
  editor.LoadForModification();
  EXPECT_EQ(op.messages, std::vector<std::string>{
                             "1.pgb loaded, but cannot be\r\nchanged; output will go to 5.pgb"});
  EXPECT_EQ(editor.SaveNumber, 5);
  EXPECT_EQ(editor.BoardName, "Straight");
  EXPECT_EQ(editor.Cell(1, 1), "001");
  EXPECT_EQ(editor.Cell(120, 1), "120");
  EXPECT_EQ(editor.Channels[0], "1");
  EXPECT_EQ(editor.Channels[6], "1");
  EXPECT_EQ(editor.Channels[1], "");
  EXPECT_EQ(editor.FormLength, "66");
  EXPECT_FALSE(editor.Changed);

  op.messages.clear();
  editor.BoardName = "Straight, shifted";
  editor.ClickCell(1, 1);
  Keys("9\n");
  ASSERT_TRUE(editor.Done());
  EXPECT_EQ(op.messages, std::vector<std::string>{"Plugboard file 5.pgb written"});
  EXPECT_EQ(Read("1.pgb"), straight);
  EXPECT_EQ(board.BoardFileName, "5.pgb");
  EXPECT_EQ(board.Wiring[1][0], "009");
  EXPECT_EQ(board.Wiring[1][1], "002");
}

TEST_F(PlugboardEditorTest, AUserBoardIsModifiedUnderItsOwnNumberAndUnchangedShowsNoMessage) {
  BoardFile four;
  four.Wire(1, 1, 3, 10).Wire(4, 2, 2, 7);
  four.rows[8][5] = "N+";
  four.channels = {"1,34", "12", "", "", "60", "66", "1"};
  four.name = "Four";
  Write("4.pgb", four.Text());
  Write("9.pgb", BoardFile{}.Text());
  board.BoardNumber = 4;  // picked from the desk's list
  editor.Open();
  EXPECT_TRUE(op.messages.empty());
  EXPECT_TRUE(editor.ModifyShown);
  EXPECT_EQ(editor.Modify, "4");
  EXPECT_EQ(editor.SaveNumber, 4);
  EXPECT_EQ(editor.Cell(3, 1), "012");
  EXPECT_EQ(editor.Cell(2, 4), "007");
  EXPECT_EQ(editor.Cell(5, 8), "N+");
  EXPECT_EQ(editor.Channels, (std::array<std::string, 7>{"1,34", "12", "", "", "60", "66", "1"}));
  ASSERT_TRUE(editor.Done());
  EXPECT_TRUE(op.messages.empty());  // nothing changed: written, but not said
  EXPECT_EQ(board.BoardFileName, "4.pgb");
  EXPECT_EQ(board.CarriageTape[34], ChannelMask(1));
}

TEST_F(PlugboardEditorTest, AModifyNumberWithoutItsFileIsRefused) {
  editor.Open();
  const struct {
    std::string typed;
    std::string message;
    std::string after;
  } cases[] = {
      {"", "You must give a plugboard file number here", ""},
      {"   ", "You must give a plugboard file number here", "   "},
      {"7", "No such plugboard file", ""},
      {"abc", "No such plugboard file", ""},
      {"-1", "No such plugboard file", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    op.messages.clear();
    editor.Modify = c.typed;
    editor.LoadForModification();
    EXPECT_EQ(op.messages, std::vector<std::string>{c.message});
    EXPECT_EQ(editor.Modify, c.after);
    EXPECT_EQ(editor.SaveNumber, 3);
  }
}

// The entry field's keys, from a click on a cell: what the cell and the field hold after them,
// where the field is, and the message shown.
TEST_F(PlugboardEditorTest, TheEntryFieldTakesItsKeysByColumn) {
  struct Case {
    const char* name;
    int row, column;
    std::string above;  // the cell of the row above, set first
    std::string keys;
    std::string cell;     // the clicked cell after the keys
    bool open;            // the field is still open...
    int fieldRow;         // ...on this row
    std::string field;    // ...holding this
    std::string message;  // the one message shown, if any
  };
  const Case cases[] = {
      {"a digit and Enter", 10, 1, "", "7\n", "007", true, 11, "", ""},
      {"plus takes the row above", 11, 1, "007", "+", "008", true, 12, "", ""},
      {"equals does too", 11, 3, "130", "=", "", true, 11, "131",
       "131 is not a valid print position"},
      {"plus on row 1", 1, 2, "", "+", "", true, 1, "", "Can't increment on first row"},
      {"beyond 130", 5, 1, "", "131\n", "", true, 5, "131", "131 is not a valid print position"},
      {"zero", 5, 1, "", "0\n", "", true, 5, "0", "0 is not a valid print position"},
      {"the last three characters", 5, 7, "", "1034\n", "034", true, 6, "", ""},
      {"star counts up without commit", 5, 1, "", "7**", "", true, 5, "9", ""},
      {"star in an empty field", 5, 1, "", "*", "", true, 5, "*", ""},
      {"backspace", 5, 1, "", "12\b3\n", "013", true, 6, "", ""},
      {"a letter", 5, 2, "", "x", "", true, 5, "", "Invalid character"},
      {"zero suppression", 5, 8, "", "n+\n", "N+", false, 5, "N+", ""},
      {"N and M first", 5, 8, "", "+mn\n", "NM+", false, 5, "NM+", ""},
      {"backspace in zero suppression", 5, 8, "", "\b", "", true, 5, "", "Invalid character"},
      {"a digit in zero suppression", 5, 8, "", "5", "", true, 5, "", "Invalid character"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    editor.Open();
    op.messages.clear();
    if (!c.above.empty()) {
      editor.ClickCell(c.row - 1, c.column);
      Keys(c.above + "\n");
    }
    editor.ClickCell(c.row, c.column);
    EXPECT_TRUE(editor.FieldOpen);
    EXPECT_EQ(editor.HighlightRow, c.row);
    Keys(c.keys);
    EXPECT_EQ(editor.Cell(c.row, c.column), c.cell);
    EXPECT_EQ(editor.FieldOpen, c.open);
    if (c.open) {
      EXPECT_EQ(editor.CurrentRow, c.fieldRow);
      EXPECT_EQ(editor.CurrentColumn, c.column);
      EXPECT_EQ(editor.FieldText, c.field);
    }
    EXPECT_EQ(op.messages,
              c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
  }
}

TEST_F(PlugboardEditorTest, TheFieldOpensWithTheCellSelectedSoTypingReplacesIt) {
  editor.Open();
  editor.ClickCell(4, 2);
  Keys("12\n");
  editor.ClickCell(4, 2);
  EXPECT_EQ(editor.FieldText, "012");
  EXPECT_TRUE(editor.FieldSelected);
  Keys("3\n");
  EXPECT_EQ(editor.Cell(4, 2), "003");
  // An empty field clears the cell.
  editor.ClickCell(4, 2);
  Keys("\b\n");
  EXPECT_EQ(editor.Cell(4, 2), "");
  EXPECT_FALSE(editor.FieldOpen);
  EXPECT_TRUE(editor.Changed);
}

// Navigation moves the field without committing what was typed, and scrolls the columns.
TEST_F(PlugboardEditorTest, NavigationKeysMoveTheFieldAndScrollTheColumns) {
  struct Case {
    const char* name;
    int row, column, top;  // where the field is, and the top row index, before the key
    EditorKey key;
    int toRow, toColumn, toTop;
  };
  const Case cases[] = {
      {"down within view", 5, 1, 0, EditorKey::Down, 6, 1, 0},
      {"down past the last row shown", 12, 1, 0, EditorKey::Down, 13, 1, 1},
      {"up past the first row shown", 13, 2, 12, EditorKey::Up, 12, 2, 11},
      {"up on row 1", 1, 2, 0, EditorKey::Up, 1, 2, 0},
      {"down on row 120", 120, 2, 108, EditorKey::Down, 120, 2, 108},
      {"left", 5, 3, 0, EditorKey::Left, 5, 2, 0},
      {"left on column 1", 5, 1, 0, EditorKey::Left, 5, 1, 0},
      {"right", 5, 7, 0, EditorKey::Right, 5, 8, 0},
      {"right on column 8", 5, 8, 0, EditorKey::Right, 5, 8, 0},
      {"home", 50, 4, 45, EditorKey::Home, 1, 4, 0},
      {"end", 3, 4, 0, EditorKey::End, 120, 4, 108},
      {"page down", 1, 1, 0, EditorKey::PageDown, 13, 1, 12},
      {"page down from row 97", 97, 1, 90, EditorKey::PageDown, 109, 1, 108},
      {"page down from row 98 does nothing", 98, 1, 90, EditorKey::PageDown, 98, 1, 90},
      {"page up", 30, 1, 24, EditorKey::PageUp, 13, 1, 12},
      {"page up within the first twelve", 5, 1, 0, EditorKey::PageUp, 5, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    editor.Open();
    editor.Scroll(c.top);
    editor.ClickCell(c.row, c.column);
    ASSERT_TRUE(editor.FieldOpen);
    Keys(c.column == 8 ? "N" : "5");
    editor.FieldKey(c.key);
    EXPECT_EQ(editor.CurrentRow, c.toRow);
    EXPECT_EQ(editor.CurrentColumn, c.toColumn);
    EXPECT_EQ(editor.TopRow, c.toTop);
    EXPECT_TRUE(editor.FieldOpen);
    EXPECT_EQ(editor.Cell(c.row, c.column), "");  // what was typed is not committed
  }
}

TEST_F(PlugboardEditorTest, ScrollingAndTheListsArrowsPlaceTheField) {
  editor.Open();
  // A commit on row 120 goes on at row 1 of the next column.
  editor.Scroll(108);
  editor.ClickCell(120, 2);
  Keys("77\n");
  EXPECT_EQ(editor.Cell(120, 2), "077");
  EXPECT_EQ(editor.CurrentRow, 1);
  EXPECT_EQ(editor.CurrentColumn, 3);
  EXPECT_EQ(editor.TopRow, 0);
  // The scroll bar closes the field when its cell goes out of view; a cell out of view does not
  // open it.
  editor.Scroll(1);
  EXPECT_FALSE(editor.FieldOpen);
  editor.ClickCell(1, 3);
  EXPECT_FALSE(editor.FieldOpen);
  editor.Scroll(500);
  EXPECT_EQ(editor.TopRow, 108);
  // Left and Right on a list: the next column's field opens on that row; column 0 highlights.
  editor.ListArrow(110, 3, true);
  EXPECT_TRUE(editor.FieldOpen);
  EXPECT_EQ(editor.CurrentColumn, 4);
  EXPECT_EQ(editor.CurrentRow, 110);
  editor.ListArrow(115, 1, false);
  EXPECT_EQ(editor.HighlightRow, 115);
  EXPECT_EQ(editor.CurrentColumn, 4);
}

TEST_F(PlugboardEditorTest, ClrEmptiesAColumnAndAllEmptiesEveryColumn) {
  editor.Open();
  editor.Modify = "1";
  editor.LoadForModification();
  editor.ClickCell(1, 8);
  Keys("N+\n");
  editor.ClearColumn(1);
  EXPECT_TRUE(editor.FocusOnDone);
  EXPECT_EQ(editor.Cell(1, 1), "");
  EXPECT_EQ(editor.Cell(120, 1), "");
  EXPECT_EQ(editor.Cell(1, 8), "N+");
  editor.ClearAll();
  for (int column = 1; column <= 8; ++column) EXPECT_EQ(editor.Cell(1, column), "");
}

// Every refusal of "Done": the message, the editor stays open with its entries, and no file is
// written. The form length and the channels must be numbers a board file can be loaded with.
TEST_F(PlugboardEditorTest, DoneRefusesWhatWouldNotMakeASoundBoard) {
  const std::string formLengthRule =
      "The form length must be a whole number\r\nof lines, from 1 to 32767";
  const auto channelRule = [](int k, int form) {
    return "Channel " + std::to_string(k) +
           ": the line numbers must be whole\r\nnumbers from 1 to " + std::to_string(form) +
           ", separated by \",\"";
  };
  struct Case {
    const char* name;
    std::string formLength;
    std::array<std::string, 7> channels;
    std::string boardName;
    std::string message;
  };
  const Case cases[] = {
      {"no form length", "  ", {"1", "", "", "", "", "", "1"}, "B", "Form length not specified"},
      {"no channel 7",
       "66",
       {"1", "", "", "", "", "", ""},
       "B",
       "No punch in Channel 7\r\nHoming the paper will never stop!"},
      {"channel 5 alone",
       "66",
       {"", "", "", "", "60", "", "1"},
       "B",
       "Channel 5 with no channel 6\r\nAutomatic skip will never stop!"},
      {"no name", "66", {"", "", "", "", "", "", "1"}, "", "Plugboard must have a name"},
      {"form length in words", "sixty", {"", "", "", "", "", "", "1"}, "B", formLengthRule},
      {"form length 0", "0", {"", "", "", "", "", "", "1"}, "B", formLengthRule},
      {"negative form length", "-66", {"", "", "", "", "", "", "1"}, "B", formLengthRule},
      {"fractional form length", "66.5", {"", "", "", "", "", "", "1"}, "B", formLengthRule},
      {"form length beyond 32767", "40000", {"", "", "", "", "", "", "1"}, "B", formLengthRule},
      {"a line past the form", "66", {"1,67", "", "", "", "", "", "1"}, "B", channelRule(1, 66)},
      {"line 0", "66", {"", "0", "", "", "", "", "1"}, "B", channelRule(2, 66)},
      {"not a number", "12", {"", "", "", "x", "", "", "1"}, "B", channelRule(4, 12)},
      {"another separator", "66", {"", "", "", "", "", "", "1;34"}, "B", channelRule(7, 66)},
      {"an empty piece", "66", {"1,,34", "", "", "", "", "", "1"}, "B", channelRule(1, 66)},
      {"a fraction", "66", {"", "", "", "", "10", "12.5", "1"}, "B", channelRule(6, 66)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    editor.Open();
    op.messages.clear();
    editor.SetFormLength(c.formLength);
    for (int k = 0; k < 7; ++k) editor.SetChannel(k, c.channels[static_cast<std::size_t>(k)]);
    editor.BoardName = c.boardName;
    EXPECT_FALSE(editor.Done());
    EXPECT_EQ(op.messages, std::vector<std::string>{c.message});
    EXPECT_FALSE(editor.Closed);
    EXPECT_EQ(editor.FormLength, c.formLength);
    EXPECT_FALSE(std::filesystem::exists(folder / "3.pgb"));
  }
}

// What "Done" accepts loads back as the board that was typed.
TEST_F(PlugboardEditorTest, TheBoxesAsTypedMakeABoardThatLoadsSoundly) {
  editor.Open();
  editor.BoardName = "Spaced";
  editor.SetFormLength(" 24 ");
  editor.SetChannel(0, "1, 13");
  editor.SetChannel(4, "20");
  editor.SetChannel(5, "24");
  editor.SetChannel(6, " 1");
  ASSERT_TRUE(editor.Done());
  EXPECT_EQ(testing::CrLfLines(Read("3.pgb"))[8], "< 24 >");
  Plugboard loaded;
  ASSERT_TRUE(LoadPlugboard(loaded, 3, folder.Path(), op));
  EXPECT_TRUE(loaded.Usable());
  EXPECT_EQ(loaded.FormLength, 24);
  EXPECT_EQ(loaded.CarriageTape[1], ChannelMask(1) | ChannelMask(7));
  EXPECT_EQ(loaded.CarriageTape[13], ChannelMask(1));
  EXPECT_EQ(loaded.CarriageTape[20], ChannelMask(5));
  EXPECT_EQ(loaded.CarriageTape[24], ChannelMask(6));
}

}  // namespace
}  // namespace ormlax

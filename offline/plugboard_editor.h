// The plugboard editor, "Create a HSP Plugboard": the operator wires a board cell by cell in nine
// columns of 120 rows (the tape positions, the normal and six multiline print positions, the zero
// suppression marks), punches the carriage control tape's seven channels, and saves the board as
// a plugboard file, which then becomes the current board. The desktop window binds its controls
// to this model.
#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "core/operator.h"
#include "offline/plugboard.h"
#include "offline/plugboard_file.h"

namespace ormlax {

namespace editor_text {
inline constexpr std::string_view kCaption = "Create a HSP Plugboard";
inline constexpr std::string_view kNoModifyNumber = "You must give a plugboard file number here";
inline constexpr std::string_view kNoSuchBoard = "No such plugboard file";
inline constexpr std::string_view kInvalidCharacter = "Invalid character";
inline constexpr std::string_view kFirstRow = "Can't increment on first row";
inline constexpr std::string_view kNotAPosition = " is not a valid print position";
inline constexpr std::string_view kNoFormLength = "Form length not specified";
inline constexpr std::string_view kNoChannel7 =
    "No punch in Channel 7\r\nHoming the paper will never stop!";
inline constexpr std::string_view kChannel5Alone =
    "Channel 5 with no channel 6\r\nAutomatic skip will never stop!";
inline constexpr std::string_view kNoName = "Plugboard must have a name";
}  // namespace editor_text

// The keys the entry field acts on.
enum class EditorKey {
  Character,
  Backspace,
  Enter,
  Up,
  Down,
  Left,
  Right,
  Home,
  End,
  PageUp,
  PageDown
};

class PlugboardEditor {
 public:
  static constexpr int kRows = kBlocketteLength;  // 120, row r is tape position r
  static constexpr int kDataColumns = 8;          // 1-7 print positions, 8 zero suppression
  static constexpr int kZeroColumn = 8;
  static constexpr int kVisibleRows = 12;
  static constexpr int kLastTopRow = kRows - kVisibleRows;  // the scroll bar's range is 0-108
  static constexpr const char* kDefaultFormLength = "66";

  // The editor works on the current plugboard, in the working folder.
  PlugboardEditor(Plugboard& board, std::filesystem::path folder, Operator& op)
      : board_(board), folder_(std::move(folder)), op_(op) {}

  // Opening: empty columns, a new board number, and the board named by the plugboard's board
  // number (chosen from the desk's list) loaded for modification.
  void Open();

  // What the controls show. The window writes the boxes back when the operator edits them
  // (through the setters below, which keep the changed flag).
  std::string BoardName;                          // txtBoardName
  std::string FormLength = kDefaultFormLength;    // txtPaperLength
  std::array<std::string, kChannels> Channels{};  // txtChannel0-6
  std::string Modify;                             // txtModify
  bool ModifyShown = false;                       // txtModify is visible
  bool ModifyOffered = false;                     // cmdModify is visible
  // Cell (row 1-120, column 1-8): a print position "001"-"130", a zero suppression mark, or "".
  const std::string& Cell(int row, int column) const {
    return cells_[static_cast<std::size_t>(column - 1)][static_cast<std::size_t>(row - 1)];
  }
  int TopRow = 0;        // vsbCol: the index (0-108) of the first row shown in every column
  int HighlightRow = 0;  // the row highlighted in column 0; 0 none
  // The entry field over the current cell.
  bool FieldOpen = false;
  int CurrentRow = 1;
  int CurrentColumn = 1;
  std::string FieldText;
  bool FieldSelected = false;  // all of the field's text is selected: typing replaces it
  bool FocusOnDone = false;    // "Clr" and "All" hand the focus to "Done"; the window clears it
  int SaveNumber = 0;          // the board number the file is written under
  bool Changed = false;
  bool Closed = false;
  bool Saved = false;  // closed by "Done": the board was written and loaded

  void SetFormLength(const std::string& text);
  void SetChannel(int index, const std::string& text);

  // "Use an existing plugboard": shows the box for the board's number.
  void OfferModify() { ModifyShown = true; }
  // Loads the board numbered in txtModify for modification (a click into the box, or Enter).
  void LoadForModification();

  // A click on a cell of column 0-8; a data cell opens the entry field when it is in view.
  void ClickCell(int row, int column);
  // Left or Right arrow on column `column`'s list, whose current row is `row`.
  void ListArrow(int row, int column, bool right);
  // A key in the entry field; `typed` is the character for EditorKey::Character.
  void FieldKey(EditorKey key, char typed = 0);
  // The scroll bar moves every column to the same top row.
  void Scroll(int topRow);
  // "Clr" of column 1-8, and "All".
  void ClearColumn(int column);
  void ClearAll();
  // Checks the entries, writes the file and loads it; closes the editor unless a check failed.
  bool Done();
  void Cancel() { Closed = true; }

  // The row is shown by the columns.
  bool InView(int row) const { return row - 1 >= TopRow && row - 1 < TopRow + kVisibleRows; }

 private:
  std::string& CellAt(int row, int column) {
    return cells_[static_cast<std::size_t>(column - 1)][static_cast<std::size_t>(row - 1)];
  }
  void Message(std::string_view text);
  void OpenField(int row, int column);
  void MoveTo(int row, int column, bool stepUpOrDown);
  void SetFieldText(std::string text);
  void Commit();
  void TypeIntoField(char c);
  // What is wrong with the form length and the channels, or an empty text.
  std::string CheckedNumbers() const;
  PlugboardText Text() const;

  Plugboard& board_;
  std::filesystem::path folder_;
  Operator& op_;
  std::array<std::array<std::string, kRows>, kDataColumns> cells_{};
};

}  // namespace ormlax

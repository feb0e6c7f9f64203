#include "offline/plugboard_editor.h"

#include <algorithm>
#include <system_error>

#include "offline/leading_number.h"

namespace ormlax {
namespace {

constexpr std::size_t kFieldLength = 3;
constexpr int kAutomaticSkipStartIndex = kAutomaticSkipStart - 1;
constexpr int kAutomaticSkipEndIndex = kAutomaticSkipEnd - 1;
constexpr int kTopOfPageIndex = kChannels - 1;
// Page Down moves on only from the rows above this index.
constexpr int kLastPageDownIndex = 96;

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The whole number the text is, spaces around it allowed, when it lies in `smallest` to
// `largest`.
std::optional<int> WholeNumber(const std::string& text, int smallest, int largest) {
  const std::string t = Trimmed(text);
  if (t.empty() || t.size() > 9 ||
      !std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  const long n = std::stol(t);
  if (n < smallest || n > largest) return std::nullopt;
  return static_cast<int>(n);
}

// The number a cell or the entry field holds, as the printer reads it; 0 when there is none.
long NumberIn(const std::string& text) {
  return offline::PlugboardNumber(text).value_or(0);
}

std::string ThreeDigits(long v) {
  std::string digits = std::to_string(v);
  return std::string(kFieldLength - std::min(kFieldLength, digits.size()), '0') + digits;
}

bool AnyBoardFile(const std::filesystem::path& folder) {
  std::error_code ec;
  for (auto it = std::filesystem::directory_iterator(folder, ec);
       !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    std::error_code typeError;
    if (it->path().extension() == ".pgb" && it->is_regular_file(typeError)) return true;
  }
  return false;
}

}  // namespace

void PlugboardEditor::Message(std::string_view text) {
  ShowOkMessage(op_, std::string(text));
}

void PlugboardEditor::Open() {
  for (auto& column : cells_) column.fill("");
  BoardName.clear();
  FormLength = kDefaultFormLength;
  Channels.fill("");
  Modify.clear();
  ModifyShown = false;
  ModifyOffered = AnyBoardFile(folder_);
  TopRow = 0;
  HighlightRow = 0;
  FieldOpen = false;
  FieldText.clear();
  FieldSelected = false;
  CurrentRow = 1;
  CurrentColumn = 1;
  SaveNumber = NextFreeBoardNumber(folder_);
  Changed = false;
  Closed = false;
  Saved = false;
  if (board_.BoardNumber != kNoBoardNumber) {
    Modify = std::to_string(board_.BoardNumber);
    ModifyShown = true;
    LoadForModification();
  }
}

void PlugboardEditor::SetFormLength(const std::string& text) {
  if (text != FormLength) Changed = true;
  FormLength = text;
}

void PlugboardEditor::SetChannel(int index, const std::string& text) {
  std::string& channel = Channels[static_cast<std::size_t>(index)];
  if (text != channel) Changed = true;
  channel = text;
}

void PlugboardEditor::LoadForModification() {
  const std::string number = Trimmed(Modify);
  if (number.empty()) {
    Message(editor_text::kNoModifyNumber);
    return;
  }
  const std::optional<int> n = WholeNumber(number, 0, kLongestForm);
  std::error_code ec;
  if (!n || !std::filesystem::is_regular_file(folder_ / PlugboardFileName(*n), ec)) {
    Message(editor_text::kNoSuchBoard);
    Modify.clear();
    return;
  }
  const int board = *n;
  if (!LoadPlugboard(board_, board, folder_, op_)) return;
  if (board == 0 || board == 1) {
    Message(std::to_string(board) + ".pgb loaded, but cannot be" + std::string(kLineBreak) +
            "changed; output will go to " + std::to_string(SaveNumber) + ".pgb");
  } else {
    SaveNumber = board;
  }
  BoardName = board_.BoardName;
  for (int column = 1; column <= kDataColumns; ++column) {
    for (int row = 1; row <= kRows; ++row) {
      CellAt(row, column) =
          board_.Wiring[static_cast<std::size_t>(column)][static_cast<std::size_t>(row - 1)];
    }
  }
  for (int k = 1; k <= kChannels; ++k) {
    std::string lines;
    for (int line = 0; line <= board_.FormLength; ++line) {
      if ((board_.CarriageTape[static_cast<std::size_t>(line)] & ChannelMask(k)) == 0) continue;
      if (!lines.empty()) lines += ',';
      lines += std::to_string(line);
    }
    Channels[static_cast<std::size_t>(k - 1)] = lines;
  }
  FormLength = std::to_string(board_.FormLength);
  FieldOpen = false;
  Changed = false;
}

void PlugboardEditor::OpenField(int row, int column) {
  CurrentRow = row;
  CurrentColumn = column;
  HighlightRow = row;
  FieldOpen = true;
  FieldText = Cell(row, column);
  FieldSelected = !FieldText.empty();
}

void PlugboardEditor::MoveTo(int row, int column, bool stepUpOrDown) {
  if (!InView(row)) {
    const int index = row - 1;
    if (stepUpOrDown && index == TopRow - 1) {
      --TopRow;
    } else if (stepUpOrDown && index == TopRow + kVisibleRows) {
      ++TopRow;
    } else {
      TopRow = std::min(index, kLastTopRow);
    }
  }
  OpenField(row, column);
}

void PlugboardEditor::ClickCell(int row, int column) {
  HighlightRow = row;
  if (column >= 1 && InView(row)) OpenField(row, column);
}

void PlugboardEditor::ListArrow(int row, int column, bool right) {
  const int target = column + (right ? 1 : -1);
  if (target < 0 || target > kDataColumns || row < 1 || row > kRows) return;
  if (target == 0) {
    HighlightRow = row;
  } else {
    MoveTo(row, target, false);
  }
}

void PlugboardEditor::SetFieldText(std::string text) {
  if (text.size() > kFieldLength) text.erase(0, text.size() - kFieldLength);
  if (CurrentColumn == kZeroColumn) {
    std::string ordered;
    for (const char first : {'N', 'M'})
      ordered.append(std::count(text.begin(), text.end(), first), first);
    for (const char c : text) {
      if (c != 'N' && c != 'M') ordered += c;
    }
    text = ordered;
  }
  FieldText = text;
  FieldSelected = false;
}

void PlugboardEditor::TypeIntoField(char c) {
  SetFieldText((FieldSelected ? std::string() : FieldText) + c);
}

void PlugboardEditor::Commit() {
  std::string& cell = CellAt(CurrentRow, CurrentColumn);
  if (CurrentColumn == kZeroColumn || FieldText.empty()) {
    cell = FieldText;
    FieldOpen = false;
    Changed = true;
    return;
  }
  const long v = NumberIn(FieldText);
  if (v < 1 || v > kPrintPositions) {
    Message(std::to_string(v) + std::string(editor_text::kNotAPosition));
    return;
  }
  cell = ThreeDigits(v);
  Changed = true;
  if (CurrentRow < kRows) {
    MoveTo(CurrentRow + 1, CurrentColumn, true);
  } else {
    MoveTo(1, CurrentColumn + 1, false);
  }
}

void PlugboardEditor::FieldKey(EditorKey key, char typed) {
  if (!FieldOpen) return;
  int row = CurrentRow;
  int column = CurrentColumn;
  const int index = row - 1;
  switch (key) {
    case EditorKey::Enter:
      Commit();
      return;
    case EditorKey::Backspace:
      if (column == kZeroColumn) {
        Message(editor_text::kInvalidCharacter);
      } else {
        std::string text = FieldSelected ? std::string() : FieldText;
        if (!text.empty()) text.pop_back();
        SetFieldText(text);
      }
      return;
    case EditorKey::Character:
      break;
    case EditorKey::Up:
      row = std::max(row - 1, 1);
      break;
    case EditorKey::Down:
      row = std::min(row + 1, kRows);
      break;
    case EditorKey::Left:
      column = std::max(column - 1, 1);
      break;
    case EditorKey::Right:
      column = std::min(column + 1, kDataColumns);
      break;
    case EditorKey::Home:
      row = 1;
      break;
    case EditorKey::End:
      row = kRows;
      break;
    case EditorKey::PageUp:
      if (index >= kVisibleRows) row = (index / kVisibleRows - 1) * kVisibleRows + 1;
      break;
    case EditorKey::PageDown:
      if (index <= kLastPageDownIndex)
        row = std::min((index / kVisibleRows + 1) * kVisibleRows, kLastTopRow) + 1;
      break;
  }
  if (key != EditorKey::Character) {
    if (row != CurrentRow || column != CurrentColumn) {
      MoveTo(row, column, key == EditorKey::Up || key == EditorKey::Down);
    }
    return;
  }

  if (column == kZeroColumn) {
    const char upper = typed >= 'a' && typed <= 'z' ? static_cast<char>(typed - 'a' + 'A') : typed;
    if (upper == 'M' || upper == 'N' || upper == '+' || upper == '-') {
      TypeIntoField(upper);
    } else {
      Message(editor_text::kInvalidCharacter);
    }
    return;
  }
  if (typed >= '0' && typed <= '9') {
    TypeIntoField(typed);
  } else if (typed == '+' || typed == '=') {
    if (row == 1) {
      Message(editor_text::kFirstRow);
      return;
    }
    FieldText = std::to_string(NumberIn(Cell(row - 1, column)) + 1);
    FieldSelected = false;
    Commit();
  } else if (typed == '*') {
    if (FieldText.empty()) {
      TypeIntoField(typed);
    } else {
      SetFieldText(std::to_string(NumberIn(FieldText) + 1));
    }
  } else {
    Message(editor_text::kInvalidCharacter);
  }
}

void PlugboardEditor::Scroll(int topRow) {
  TopRow = std::clamp(topRow, 0, kLastTopRow);
  if (FieldOpen && !InView(CurrentRow)) FieldOpen = false;
}

void PlugboardEditor::ClearColumn(int column) {
  cells_[static_cast<std::size_t>(column - 1)].fill("");
  if (FieldOpen && CurrentColumn == column) FieldOpen = false;
  FocusOnDone = true;
}

void PlugboardEditor::ClearAll() {
  for (int column = 1; column <= kDataColumns; ++column) ClearColumn(column);
}

std::string PlugboardEditor::CheckedNumbers() const {
  const std::optional<int> form = WholeNumber(FormLength, 1, kLongestForm);
  if (!form) {
    return "The form length must be a whole number" + std::string(kLineBreak) +
           "of lines, from 1 to " + std::to_string(kLongestForm);
  }
  for (int k = 1; k <= kChannels; ++k) {
    const std::string& channel = Channels[static_cast<std::size_t>(k - 1)];
    if (Trimmed(channel).empty()) continue;
    bool sound = true;
    std::size_t start = 0;
    while (sound) {
      const std::size_t comma = channel.find(',', start);
      sound = WholeNumber(channel.substr(start, comma - start), 1, *form).has_value();
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
    if (!sound) {
      return "Channel " + std::to_string(k) + ": the line numbers must be whole" +
             std::string(kLineBreak) + "numbers from 1 to " + std::to_string(*form) +
             ", separated by \",\"";
    }
  }
  return "";
}

PlugboardText PlugboardEditor::Text() const {
  PlugboardText text;
  for (std::size_t c = 0; c < cells_.size(); ++c) {
    std::copy(cells_[c].begin(), cells_[c].end(), text.Rows[c].begin());
  }
  text.FormLength = FormLength;
  text.Channels = Channels;
  text.Name = BoardName;
  return text;
}

bool PlugboardEditor::Done() {
  // The form length and the channels are free text: what the file gets must also be numbers
  // it can be loaded with.
  std::string refusal;
  if (Trimmed(FormLength).empty()) {
    refusal = editor_text::kNoFormLength;
  } else if (WholeNumber(FormLength, 1, kLongestForm) == std::nullopt) {
    refusal = CheckedNumbers();
  } else if (Trimmed(Channels[kTopOfPageIndex]).empty()) {
    refusal = editor_text::kNoChannel7;
  } else if (!Trimmed(Channels[kAutomaticSkipStartIndex]).empty() &&
             Trimmed(Channels[kAutomaticSkipEndIndex]).empty()) {
    refusal = editor_text::kChannel5Alone;
  } else if (const std::string numbers = CheckedNumbers(); !numbers.empty()) {
    refusal = numbers;
  } else if (BoardName.empty()) {
    refusal = editor_text::kNoName;
  }
  if (!refusal.empty()) {
    Message(refusal);
    return false;
  }
  if (!SavePlugboard(SaveNumber, Text(), folder_, op_)) return false;
  LoadPlugboard(board_, SaveNumber, folder_, op_);
  if (Changed) Message("Plugboard file " + std::to_string(SaveNumber) + ".pgb written");
  Closed = true;
  Saved = true;
  return true;
}

}  // namespace ormlax

#include "offline/plugboard_file.h"

#include <algorithm>
#include <system_error>

#include "core/durable_file.h"
#include "offline/leading_number.h"
#include "offline/text_files.h"

namespace ormlax {

using namespace offline;  // the off-line equipment's file and run helpers
namespace {

constexpr int kFileLines = 17;
constexpr int kFormLengthLine = 9;
constexpr int kFirstChannelLine = 10;
constexpr int kNameLine = 17;
// A board file is a few kilobytes; what lies beyond this is not read.
constexpr std::size_t kLargestBoardFile = 1 << 20;

// A line's value as the board file holds it: every ">" removed, the first character ("<")
// dropped.
std::string Bracketed(std::string line) {
  std::erase(line, '>');
  return line.empty() ? line : line.substr(1);
}

// The pieces between the commas; none at all for an empty text.
std::vector<std::string_view> Pieces(std::string_view text) {
  std::vector<std::string_view> pieces;
  if (text.empty()) return pieces;
  std::size_t start = 0;
  for (std::size_t comma = text.find(','); comma != std::string_view::npos;
       comma = text.find(',', start)) {
    pieces.push_back(text.substr(start, comma - start));
    start = comma + 1;
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

// The number at the start of a file name: "12.pgb" gives 12. Nothing when the name does not
// start with a digit or the number is not a board number.
std::optional<int> LeadingBoardNumber(const std::string& name) {
  long n = 0;
  std::size_t at = 0;
  for (; at < name.size() && name[at] >= '0' && name[at] <= '9'; ++at) {
    n = n * 10 + (name[at] - '0');
    if (n > kLongestForm) return std::nullopt;
  }
  if (at == 0) return std::nullopt;
  return static_cast<int>(n);
}

bool IsBoardFileName(const std::string& name) {
  return name.size() > 4 && name.ends_with(".pgb");
}

std::string Joined(const WiringColumnTexts& row) {
  std::string text = "<";
  for (std::size_t i = 0; i < row.size(); ++i) {
    if (i > 0) text += ',';
    text += row[i];
  }
  return text + ">";
}

}  // namespace

std::string PlugboardFileName(int boardNumber) {
  return std::to_string(boardNumber) + ".pgb";
}

bool LoadPlugboard(Plugboard& board, int boardNumber, const std::filesystem::path& folder,
                   Operator& op) {
  board.BoardFileName = PlugboardFileName(boardNumber);
  std::string text;
  std::string error;
  bool truncated = false;
  if (!ReadTextFile(folder / board.BoardFileName, kLargestBoardFile, text, truncated, error)) {
    ShowOkMessage(op, "Cannot open plugboard file " + board.BoardFileName);
    board.FormLength = kNoUsableBoard;
    board.BoardFileName.clear();
    return false;
  }
  std::vector<std::string> lines = SplitLines(text);
  lines.resize(std::max<std::size_t>(lines.size(), kFileLines));

  for (int row = 1; row <= kZeroSuppressionRow; ++row) {
    const std::string value = Bracketed(lines[static_cast<std::size_t>(row - 1)]);
    const std::vector<std::string_view> pieces = Pieces(value);
    const std::size_t count = std::min<std::size_t>(pieces.size(), kWiringColumns);
    for (std::size_t i = 0; i < count; ++i) {
      board.Wiring[static_cast<std::size_t>(row)][i] = std::string(pieces[i]);
    }
  }

  board.MultilineCount = 0;
  for (int row = kNormalRow + kMaxMultilines; row > kNormalRow; --row) {
    const WiringRow& entries = board.Wiring[static_cast<std::size_t>(row)];
    if (std::any_of(entries.begin(), entries.begin() + kBlocketteLength,
                    [](const std::string& e) { return !e.empty(); })) {
      board.MultilineCount = static_cast<std::int16_t>(row - 1);
      break;
    }
  }

  const std::optional<long> form = PlugboardNumber(Bracketed(lines[kFormLengthLine - 1]));
  board.FormLength =
      form && *form >= 0 && *form <= kLongestForm ? static_cast<std::int16_t>(*form) : 0;
  board.CarriageTape.assign(static_cast<std::size_t>(board.FormLength) + 1, 0);
  for (int channel = 1; channel <= kChannels; ++channel) {
    const std::string value =
        Bracketed(lines[static_cast<std::size_t>(kFirstChannelLine + channel - 2)]);
    for (std::string_view piece : Pieces(value)) {
      if (piece.empty()) continue;
      const std::optional<long> line = PlugboardNumber(piece);
      if (!line || *line < 0 || *line > board.FormLength) continue;
      board.CarriageTape[static_cast<std::size_t>(*line)] |= ChannelMask(channel);
    }
  }

  board.BoardName = lines[kNameLine - 1];
  return true;
}

std::vector<PlugboardEntry> ListPlugboards(Plugboard& board, const std::filesystem::path& folder,
                                           Operator& op) {
  std::vector<PlugboardEntry> entries;
  const Plugboard before = board;
  std::error_code ec;
  for (auto it = std::filesystem::directory_iterator(folder, ec);
       !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    const std::string name = it->path().filename().string();
    std::error_code typeError;
    if (!IsBoardFileName(name) || !it->is_regular_file(typeError)) continue;
    const std::optional<int> number = LeadingBoardNumber(name);
    if (!number || !LoadPlugboard(board, *number, folder, op)) continue;
    entries.push_back({board.BoardName + " (" + name + ")", *number});
  }
  board = before;
  return entries;
}

int NextFreeBoardNumber(const std::filesystem::path& folder) {
  int highest = 2;
  std::error_code ec;
  for (auto it = std::filesystem::directory_iterator(folder, ec);
       !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!IsBoardFileName(name)) continue;
    const std::string stem = name.substr(0, name.find('.'));
    if (stem.empty() ||
        !std::all_of(stem.begin(), stem.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      continue;
    }
    if (const std::optional<int> number = LeadingBoardNumber(stem)) {
      highest = std::max(highest, *number);
    }
  }
  return highest + 1;
}

std::string PlugboardFileText(const PlugboardText& text) {
  std::string file;
  for (const WiringColumnTexts& row : text.Rows) {
    file += Joined(row);
    file += kCrLf;
  }
  file += "<" + text.FormLength + ">";
  file += kCrLf;
  for (const std::string& channel : text.Channels) {
    file += "<" + channel + ">";
    file += kCrLf;
  }
  file += text.Name;
  file += kCrLf;
  return file;
}

bool SavePlugboard(int boardNumber, const PlugboardText& text, const std::filesystem::path& folder,
                   Operator& op) {
  const std::string name = PlugboardFileName(boardNumber);
  std::string reason;
  if (WriteWholeFile(folder / name, PlugboardFileText(text), reason)) return true;
  ShowOkMessage(
      op, "Cannot open plugboard file " + name + std::string(kLineBreak) + "(" + reason + ")");
  return false;
}

}  // namespace ormlax

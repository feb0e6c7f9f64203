// What the off-line tests share: a desk over a fresh folder with a scripted operator, tapes built
// from blockettes, hand-made plugboard files, and a printer that records what it is given.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "offline/host_printer.h"
#include "offline/offline_desk.h"
#include "offline/offline_state.h"
#include "offline/plugboard.h"
#include "tests/support/scripted_operator.h"
#include "tests/tape/tape_test_support.h"

namespace ormlax::testing {

inline constexpr std::string_view kCrLfText = "\r\n";

// The blockette padded with `fill` to 120 characters.
inline std::string Blockette(std::string text, char fill = ' ') {
  text.resize(120, fill);
  return text;
}

// The blockette that ends a printer run.
inline std::string StopBlockette() {
  return Blockette("s");
}

// A tape of the blockettes as records, padded with blockettes of zeros to whole blocks.
inline std::string TapeOf(std::vector<std::string> blockettes) {
  while (blockettes.empty() || blockettes.size() % 6 != 0) {
    blockettes.push_back(std::string(120, '0'));
  }
  std::string bytes;
  for (const std::string& b : blockettes) bytes += RecordBytes(Blockette(b));
  return bytes;
}

// A hand-made plugboard file. Rows 1-8 hold the wiring entries given by tape position (1-120);
// every other entry is empty. Lines end with CR LF.
struct BoardFile {
  std::map<int, std::map<int, std::string>> rows;  // row -> tape position -> entry
  std::string formLength = "66";
  std::vector<std::string> channels = {"1", "", "", "", "", "", "1"};
  std::string name = "Test board";

  std::string Text() const {
    std::string text;
    for (int row = 1; row <= 8; ++row) {
      text += "<";
      for (int p = 1; p <= 120; ++p) {
        if (p > 1) text += ",";
        const auto r = rows.find(row);
        if (r == rows.end()) continue;
        const auto e = r->second.find(p);
        if (e != r->second.end()) text += e->second;
      }
      text += ">\r\n";
    }
    text += "<" + formLength + ">\r\n";
    for (const std::string& c : channels) text += "<" + c + ">\r\n";
    return text + name + "\r\n";
  }
  // Tape positions from..to wired to print positions starting at `at`, in row `row`.
  BoardFile& Wire(int row, int from, int to, int at) {
    for (int p = from; p <= to; ++p) {
      const std::string n = std::to_string(at + p - from);
      rows[row][p] = std::string(3 - n.size(), '0') + n;
    }
    return *this;
  }
};

// The lines of a text whose lines end with CR LF; fails the test on a line without one.
inline std::vector<std::string> CrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find(kCrLfText, at);
    if (end == std::string::npos) {
      ADD_FAILURE() << "a line without CR LF at the end: " << text.substr(at);
      break;
    }
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

// A printed line of 130 characters holding `text` at print position `at` (1-130), and more
// pieces after it.
inline std::string PrintedLine(std::initializer_list<std::pair<int, std::string>> pieces) {
  std::string line(130, ' ');
  for (const auto& [at, text] : pieces)
    line.replace(static_cast<std::size_t>(at - 1), text.size(), text);
  return line;
}

// A printer that records what it is given. Its fonts are "Sans" (the printer's own, 9 points),
// "Serif", "Mono" and "Mono Two"; "i" and "W" are as wide only in the two Mono fonts.
class RecordingPrinter : public HostPrinter {
 public:
  bool BeginDocument(std::string& why) override {
    ++documents;
    why = refusal;
    return refusal.empty();
  }
  std::string FontName() override { return font; }
  void SetFontName(const std::string& name) override {
    font = name;
    fontsTried.push_back(name);
  }
  double FontSize() override { return size; }
  void SetFontSize(double points) override { size = points; }
  int FontCount() override { return static_cast<int>(fonts.size()); }
  std::string FontNameAt(int index) override { return fonts[static_cast<std::size_t>(index)]; }
  double TextWidth(std::string_view text) override {
    if (font.starts_with("Mono")) return 6.0 * static_cast<double>(text.size());
    return text == "W" ? 9.0 : 3.0;
  }
  void SetForm(int c, int l) override {
    columns = c;
    lines = l;
    fontAtForm = font;
    size = 5;
  }
  void PrintLine(std::string_view text) override { events.emplace_back(text); }
  void NewPage() override { events.emplace_back(kNewPage); }
  bool EndDocument(std::string&) override {
    ++ended;
    return true;
  }

  static constexpr const char* kNewPage = "<new page>";
  std::vector<std::string> fonts = {"Sans", "Serif", "Mono", "Mono Two"};
  std::string font = "Sans";
  double size = 9;
  std::vector<std::string> fontsTried;
  std::string fontAtForm;
  int columns = 0;
  int lines = 0;
  int documents = 0;
  int ended = 0;
  std::string refusal;              // what BeginDocument answers; empty: the document begins
  std::vector<std::string> events;  // lines printed and kNewPage
};

// A desk over a fresh folder, with nothing mounted.
class OffLineDeskTest : public ::testing::Test {
 protected:
  void Write(const std::string& name, const std::string& bytes) {
    WriteBytes(folder / name, bytes);
  }
  std::string Read(const std::string& name) { return ReadBytes(folder / name); }
  std::string Path(const std::string& name) { return (folder / name).string(); }

  // Names a source and a new target as the desk would take them.
  void Choose(const std::string& source, const std::string& target) {
    state.Source = ReadBytes(folder / source).size() % 744 == 0 ? SourceKind::OrmlaxTape
                                                                : SourceKind::OtherFile;
    state.SourcePath = Path(source);
    state.Target = TargetKind::Overwritable;
    state.TargetPath = Path(target);
    state.MayOverwrite = true;
  }

  TempFolder folder;
  ServoUnits servos;
  OffLineState state;
  Plugboard board;
  ScriptedOperator op;
  OffLineDesk desk{
      folder.Path(), servos, state, board, op, nullptr, [] { return std::string("07-04-1961"); }};
};

}  // namespace ormlax::testing

#include "offline/computer_digits.h"

#include "core/character_code.h"
#include "offline/offline_messages.h"
#include "offline/plugboard_choice.h"
#include "offline/printer_output.h"
#include "offline/run_support.h"

namespace ormlax {

using namespace offline;  // the off-line equipment's file and run helpers
namespace {

constexpr int kLinesPerPage = 60;
constexpr int kPageGapLines = 6;  // what a new page is in a text file
constexpr int kWordsPerLine = 10;
constexpr int kPrintedColumns = kWordsPerLine * 13 - 1;

// The line's ten words with a space between them.
std::string InWords(const std::string& line) {
  std::string out;
  out.reserve(kPrintedColumns);
  for (std::size_t w = 0; w < kWordsPerLine; ++w) {
    if (w > 0) out += ' ';
    if (w * 12 < line.size()) out += line.substr(w * 12, 12);
  }
  return out;
}

}  // namespace

SplitLine SplitDigits(std::string_view blockette) {
  SplitLine split{std::string(blockette), std::string(blockette.size(), ' ')};
  for (std::size_t p = 0; p < blockette.size(); ++p) {
    const int code = CodeOf(blockette[p]);
    const char mark = code >= 0 ? OverprintTable[static_cast<std::size_t>(code)] : 'n';
    if (mark == ' ') continue;
    split.Characters[p] = ' ';
    split.Codes[p] = mark;
  }
  return split;
}

OffLineOutcome PrintComputerDigits(OffLineDesk& desk) {
  OffLineState& s = desk.State;
  if (s.Source != SourceKind::OrmlaxTape) {
    ShowOkMessage(desk.Op, std::string(offline_text::kNeedsOrmlaxInput));
    return OffLineOutcome::Refused;
  }
  const bool toPrinter = s.Target == TargetKind::None;
  if (toPrinter && !PrinterAccepted(desk)) return OffLineOutcome::Refused;
  if (s.Choice != PlugboardChoice::Split) {
    ChoosePlugboardOption(desk, PlugboardChoice::Split);
    ShowOkMessage(desk.Op, std::string(offline_text::kSplitBoardOnly));
  }
  if (!toPrinter && !s.MayOverwrite) {
    ShowOkMessage(desk.Op, std::string(offline_text::kOverwriteNotAllowed));
    return OffLineOutcome::Refused;
  }
  if (TargetIsSource(desk)) return OffLineOutcome::Refused;
  if (toPrinter && desk.Printer == nullptr) {
    ShowOkMessage(desk.Op, std::string(offline_text::kNoPrinter));
    return OffLineOutcome::HostFailure;
  }

  SourceTape source;
  if (!source.Open(desk)) return OffLineOutcome::HostFailure;
  PrinterOutput output;
  std::string why;
  const bool opened = toPrinter
                          ? output.OpenPrinter(*desk.Printer, kPrintedColumns, kLinesPerPage, why)
                          : output.OpenFile(s.TargetPath, why);
  if (!opened) {
    ShowOkMessage(desk.Op, why);
    return OffLineOutcome::HostFailure;
  }
  int lines = 0;
  while (std::optional<std::string> record = source.Next()) {
    const std::string b = WithoutLineEnds(std::move(*record));
    if (b.empty() || output.Failed()) break;
    const SplitLine split = SplitDigits(b);
    output.Line(InWords(split.Characters));
    output.Line(InWords(split.Codes));
    lines += 2;
    if (lines == kLinesPerPage) {
      if (output.ToPrinter()) {
        output.NewPage();
      } else {
        for (int i = 0; i < kPageGapLines; ++i) output.Line("");
      }
      lines = 0;
    }
  }
  if (source.Failed()) {
    output.Abandon();
    source.ReportFailure(desk.Op);
    return OffLineOutcome::HostFailure;
  }
  if (!output.Close(why)) {
    ShowOkMessage(desk.Op, why);
    return OffLineOutcome::HostFailure;
  }
  const bool breakpoints = s.BreakpointSwitch;
  ResetDesk(desk);
  (breakpoints ? s.BreakpointLamp : s.StopLamp) = LampColour::Red;
  return OffLineOutcome::Completed;
}

}  // namespace ormlax

#include "offline/print_normal.h"

#include <string_view>

#include "offline/offline_messages.h"
#include "offline/run_support.h"

namespace ormlax {

using namespace offline;  // the off-line equipment's file and run helpers
namespace {

constexpr std::string_view kControlCharacters = "@|?=";
constexpr int kAutomaticSkipCode = 6;

enum class RunEnd { Finished, Message, Failed };

// The blockettes of the source through the board, until the tape ends or a blockette ends the
// run.
RunEnd PrintBlockettes(OffLineDesk& desk, const PrinterWiring& wiring, SourceTape& source,
                       PrinterOutput& output) {
  OffLineState& s = desk.State;
  RunEnd end = RunEnd::Finished;
  int lineNumber = 1;
  while (std::optional<std::string> record = source.Next()) {
    std::string& b = *record;
    int skipCode = 0;
    const std::size_t control = b.empty() ? std::string_view::npos : kControlCharacters.find(b[0]);
    if (control != std::string_view::npos) {
      skipCode = static_cast<int>(control) + 1;
      b[0] = ' ';
    }
    const std::size_t markAt = control != std::string_view::npos ? 1 : 0;
    const bool multiline = markAt < b.size() && b[markAt] == 'r';
    if (multiline && wiring.MultilineCount == 0) {
      ShowOkMessage(desk.Op, std::string(offline_text::kNoMultilineWired));
      return RunEnd::Message;
    }
    b = WithoutLineEnds(std::move(b));
    if (!SkipToChannel(desk, wiring, skipCode, lineNumber, output)) end = RunEnd::Message;
    if (b.empty() || b.find('s') != std::string::npos) break;
    if (b.find('b') != std::string::npos && s.BreakpointSwitch) {
      s.BreakpointLamp = LampColour::Red;
      s.PrinterPaused = true;
      while (s.PrinterPaused && !s.EndPausedRun) desk.Op.WaitForInterface();
      if (s.EndPausedRun) break;
    }
    for (const std::string& line : PrintBlocketteLines(wiring, b, multiline)) {
      output.Line(line);
      skipCode = 0;
      lineNumber = WrapLine(lineNumber + 1, wiring.FormLength);
      if (wiring.CarriageTape[static_cast<std::size_t>(lineNumber)] &
          ChannelMask(kAutomaticSkipStart)) {
        skipCode = kAutomaticSkipCode;
      }
      if (!SkipToChannel(desk, wiring, skipCode, lineNumber, output)) end = RunEnd::Message;
    }
    if (output.Failed()) return RunEnd::Failed;
  }
  return source.Failed() ? RunEnd::Failed : end;
}

}  // namespace

bool SkipToChannel(OffLineDesk& desk, const PrinterWiring& wiring, int code, int& line,
                   PrinterOutput& output) {
  if (code == 0) return true;
  const std::uint16_t mask = ChannelMask(code);
  const std::vector<std::uint16_t>& tape = wiring.CarriageTape;
  const int form = wiring.FormLength;
  bool punched = false;
  for (int l = 0; l <= form && !punched; ++l) punched = tape[static_cast<std::size_t>(l)] & mask;
  if (!punched) {
    const std::string start = code == kAutomaticSkipCode
                                  ? "Automatic skip started"
                                  : "Skip to channel " + std::to_string(code);
    ShowOkMessage(desk.Op, start + std::string(offline_text::kNoPunchTail));
    desk.State.CloseRequested = true;
  }
  int count = 0;
  bool found = false;
  for (int l = line; l <= form && !found; ++l) {
    found = tape[static_cast<std::size_t>(l)] & mask;
    if (!found) ++count;
  }
  for (int l = 1; l < line && !found; ++l) {
    found = tape[static_cast<std::size_t>(l)] & mask;
    if (!found) ++count;
  }
  for (int i = 0; i < count; ++i) {
    output.Line("");
    if (++line > form) {
      output.NewPage();
      line = 1;
    }
  }
  return punched;
}

OffLineOutcome PrintTapeNormal(OffLineDesk& desk) {
  OffLineState& s = desk.State;
  if (s.PrinterPaused) {
    s.PrinterPaused = false;
    return OffLineOutcome::Resumed;
  }
  if (s.Source != SourceKind::OrmlaxTape) {
    ShowOkMessage(desk.Op, std::string(offline_text::kNeedsOrmlaxInput));
    return OffLineOutcome::Refused;
  }
  if (!desk.Board.Usable()) {
    ShowOkMessage(desk.Op, std::string(offline_text::kNoUsableBoard));
    return OffLineOutcome::Refused;
  }
  const bool toPrinter = s.Target == TargetKind::None;
  if (toPrinter && !PrinterAccepted(desk)) return OffLineOutcome::Refused;
  if (!toPrinter && !s.MayOverwrite) {
    ShowOkMessage(desk.Op, std::string(offline_text::kOverwriteNotAllowed));
    return OffLineOutcome::Refused;
  }
  if (TargetIsSource(desk)) return OffLineOutcome::Refused;
  if (toPrinter && desk.Printer == nullptr) {
    ShowOkMessage(desk.Op, std::string(offline_text::kNoPrinter));
    return OffLineOutcome::HostFailure;
  }

  // The board as it is now: choosing another board while the run waits at a breakpoint does not
  // change the run.
  const PrinterWiring wiring = WiringOf(desk.Board);
  SourceTape source;
  if (!source.Open(desk)) return OffLineOutcome::HostFailure;
  PrinterOutput output;
  std::string why;
  const bool opened =
      toPrinter ? output.OpenPrinter(*desk.Printer, kPrintPositions, wiring.FormLength, why)
                : output.OpenFile(s.TargetPath, why);
  if (!opened) {
    ShowOkMessage(desk.Op, why);
    return OffLineOutcome::HostFailure;
  }
  const RunEnd end = PrintBlockettes(desk, wiring, source, output);
  if (end == RunEnd::Failed && source.Failed()) {
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
  return end == RunEnd::Message ? OffLineOutcome::EndedByMessage : OffLineOutcome::Completed;
}

}  // namespace ormlax

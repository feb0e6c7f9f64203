// Printing: from the print buffer through the translation tables to the paper.
#include "console/typewriter.h"

#include <algorithm>

#include "console/typewriter_tables.h"
#include "core/character_code.h"

namespace ormlax {
namespace {

constexpr int kTabStop = 8;

// Characters printed through the shift tables; everything else is a control code or printed as
// it stands.
constexpr bool IsTranslated(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' || c == '/' || c == ';';
}

}  // namespace

int InitialPaperSupply(double r) {
  const int lines = static_cast<int>(281.0 * r + 20.0);
  return lines > 300 ? 300 : lines;
}

Typewriter::Typewriter(std::mt19937& random) {
  state_.PaperLeft = InitialPaperSupply(std::uniform_real_distribution<double>(0.0, 1.0)(random));
  AdvancePaper(0);
}

void Typewriter::PrintWord(const Word& w) {
  AppendToPrintBuffer(w.View());
  if (!state_.SectionShown) ShowSection();
  PrintPending();
}

void Typewriter::PrintPending() {
  if (!state_.PowerOn || state_.PaperBlack) {
    buffer_.Clear();
    return;
  }
  std::size_t printedFrom = state_.Paper.size();
  while (!buffer_.Empty()) {
    if (!PrintCharacter(buffer_.TakeFirst())) break;  // halted by a stop code
    if (pacer_ != nullptr && pacer_->Active() && state_.Paper.size() > printedFrom) {
      // The character is on the paper before the typewriter takes its time over it.
      if (listener_) listener_(std::string_view(state_.Paper).substr(printedFrom));
      printedFrom = state_.Paper.size();
      pacer_->Spend(kTypedCharacterTime);
      // The operator may have cleared the paper meanwhile.
      printedFrom = std::min(printedFrom, state_.Paper.size());
    }
  }
  if (state_.StopPending) state_.StartEnabled = true;
  if (listener_ && state_.Paper.size() > printedFrom) {
    listener_(std::string_view(state_.Paper).substr(printedFrom));
  }
  if (state_.Paper.size() > kPaperTextLimit) TearOffOldLines();
}

bool Typewriter::PrintCharacter(char c) {
  std::string& paper = state_.Paper;
  if (state_.ComputerDigit) {
    const int code = CodeOf(c);
    if (code >= 0) {
      paper.append(ComputerDigitTable[static_cast<std::size_t>(code)]);
    } else {
      paper.push_back(c);
    }
    return true;
  }
  if (IsTranslated(c)) {
    paper.append(PrintedForm(c));
    ++state_.Column;
    return true;
  }
  switch (c) {
    case 'i':
      break;
    case 'r':
      paper.append(kPaperLineEnd);
      state_.Column = 0;
      AdvancePaper(1);
      break;
    case 'c':
      paper.append("¢");
      ++state_.Column;
      break;
    case 't': {
      const int spaces = kTabStop - state_.Column % kTabStop;
      paper.append(static_cast<std::size_t>(spaces), ' ');
      state_.Column += spaces;
      break;
    }
    case 's':
      Halt(kPrinterStopLamp);
      return false;
    case 'b':
      if (!state_.BreakpointStop) break;
      Halt(kPrinterBreakpointLamp);
      return false;
    case 'n':
      Halt(kIllegalCharacterLamp);
      return false;
    case '$':
      state_.ShiftLock = true;
      break;
    case '%':
      state_.ShiftLock = true;
      state_.ShiftOnce = true;
      break;
    case '?':
      state_.ShiftLock = false;
      break;
    default:
      paper.push_back(c);
      break;
  }
  return true;
}

std::string_view Typewriter::PrintedForm(char c) {
  const int code = CodeOf(c);
  if (code < 0) return {};
  const TypewriterTable& table = state_.ShiftLock ? ShiftedTable : UnshiftedTable;
  if (state_.ShiftOnce) {
    state_.ShiftLock = false;
    state_.ShiftOnce = false;
  }
  return table[static_cast<std::size_t>(code)];
}

void Typewriter::Halt(int lamp) {
  state_.StopPending = true;
  SetTypewriterLamp(lamp, LampColour::Red);
}

void Typewriter::AdvancePaper(int lines) {
  if (!state_.EndlessPaper) state_.PaperLeft -= lines;
  if (state_.PaperLeft < 1) {
    state_.PaperBlack = true;
  } else if (state_.PaperLeft >= kPaperWarningLines) {
    state_.PaperWarningShown = false;
  } else {
    state_.PaperWarningShown = true;
    state_.PaperWarningHeight =
        static_cast<double>(kPaperWarningLines - state_.PaperLeft) / kPaperWarningLines;
  }
}

void Typewriter::SetTypewriterLamp(int lamp, LampColour colour) {
  state_.shaOrmprinterLamp[static_cast<std::size_t>(lamp)] = colour;
}

// Keeps the newer half of an overlong paper, starting at the beginning of a line when it can.
void Typewriter::TearOffOldLines() {
  std::string& paper = state_.Paper;
  std::size_t cut = paper.size() - kPaperTextLimit / 2;
  const std::size_t lineEnd = paper.find(kPaperLineEnd, cut);
  if (lineEnd != std::string::npos) {
    cut = lineEnd + kPaperLineEnd.size();
  } else {
    while (cut < paper.size() && (static_cast<unsigned char>(paper[cut]) & 0xC0) == 0x80) ++cut;
  }
  paper.erase(0, cut);
}

}  // namespace ormlax

// The console typewriter (the Ormprinter): its print buffer, its state and lamps, the paper, and
// the keys of its section of the console panel.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <random>
#include <string>
#include <string_view>

#include "console/print_buffer.h"
#include "core/devices.h"
#include "core/machine_state.h"
#include "core/operator.h"

namespace ormlax {

// The typewriter's lamps, by number.
enum TypewriterLamp : int {
  kPrinterBreakpointLamp = 0,
  kPrinterStopLamp = 1,
  kIllegalCharacterLamp = 2,
  kPowerLamp = 3,
  kComputerDigitLamp = 4,
};
inline constexpr int kTypewriterLampCount = 5;

inline constexpr std::string_view kPaperLineEnd = "\r\n";
inline constexpr int kNewRollLines = 32767;    // a fresh roll put in by Clear
inline constexpr int kPaperWarningLines = 50;  // below this the warning bar shows
// The main window's heights with the typewriter section hidden and shown, and how much showing
// the section raises the window's help context number.
inline constexpr int kSectionHiddenHeightTwips = 6400;
inline constexpr int kSectionShownHeightTwips = 8400;
inline constexpr int kSectionHelpContextOffset = 20;
// The paper keeps at most this many bytes of text; older lines are torn off beyond it.
inline constexpr std::size_t kPaperTextLimit = std::size_t{1} << 20;

struct TypewriterState {
  bool PowerOn = false;
  bool ComputerDigit = false;  // print everything through the computer-digit table
  int Column = 0;              // characters on the current line, for tab stops
  bool ShiftLock = false;
  bool ShiftOnce = false;     // the shift ends after the next translated character
  bool StopPending = false;   // a stop, breakpoint or illegal code has halted printing
  int PaperLeft = 0;          // lines of paper left
  bool EndlessPaper = false;  // the paper is never used up (nobody is there to put in a roll)

  std::array<LampColour, kTypewriterLampCount> shaOrmprinterLamp{};
  bool BreakpointStop = false;  // chkBreakpoint: the breakpoint code halts printing

  std::string Paper;        // UTF-8, lines end with CR LF
  bool PaperBlack = false;  // the paper has run out
  bool PaperWarningShown = false;
  double PaperWarningHeight = 0.0;  // fraction of the full bar height

  bool StartEnabled = false;
  bool SectionShown = false;
  int HelpContextOffset = 0;  // added to the main window's help context number
};

// Lines of paper at start-up for a uniform random r in [0, 1): 20 to 300.
int InitialPaperSupply(double r);

class Typewriter : public ConsoleTypewriter {
 public:
  // Receives each piece of text as it is added to the paper.
  using PaperListener = std::function<void(std::string_view)>;

  // A typewriter as at start-up: power off, empty white paper, a roll of random length.
  explicit Typewriter(std::mt19937& random);

  TypewriterState& State() { return state_; }
  const TypewriterState& State() const { return state_; }
  const PrintBuffer& Buffer() const { return buffer_; }
  void SetPaperListener(PaperListener listener) { listener_ = std::move(listener); }

  void AppendToPrintBuffer(std::string_view text) { buffer_.Append(text); }
  // Drops what waits to be printed, for a session restored with a buffer of its own.
  void ClearPrintBuffer() { buffer_.Clear(); }
  void PrintPending();
  // The printed form of a letter, digit, "+", "/" or ";" through the current shift.
  std::string_view PrintedForm(char c);
  void AdvancePaper(int lines);
  void SetTypewriterLamp(int lamp, LampColour colour);

  // The keys and controls of the typewriter section.
  void PressPower();
  void PressStart();
  void PressComputerDigit();
  void PressClear(Operator& op);
  void SetBreakpointStop(bool checked) { state_.BreakpointStop = checked; }
  void ShowSection();
  void HideSection();
  int WindowHeightTwips() const;

  // The output instruction's side.
  void PrintWord(const Word& w) override;
  bool PrintBufferEmpty() const override { return buffer_.Empty(); }

 private:
  bool PrintCharacter(char c);  // false when a stop code halts printing
  void Halt(int lamp);
  void TearOffOldLines();

  TypewriterState state_;
  PrintBuffer buffer_;
  PaperListener listener_;
};

}  // namespace ormlax

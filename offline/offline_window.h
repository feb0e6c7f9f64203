// The "ORMLAX Off-line Functions" window as a model: the source and target boxes, the plugboard
// options and list, the eight operation buttons and their enabling, the breakpoint pause of a
// printer run, and when the window closes. The desktop window binds its controls to it.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "offline/name_acceptance.h"
#include "offline/offline_desk.h"
#include "offline/plugboard_file.h"

namespace ormlax {

namespace window_text {
inline constexpr std::string_view kCaption = "ORMLAX Off-line Functions";
inline constexpr std::string_view kListCaption = "List plugboards";
inline constexpr std::string_view kCloseListCaption = "Close list";
inline constexpr std::string_view kNeedsOutputTape =
    "This function requires an output tape.\r\nIt can add to an existing ORMLAX tape.";
}  // namespace window_text

// The operation buttons cmdOutput0-7.
enum class OffLineButton {
  Ormtyper = 0,
  TapeToAssembler = 1,
  TapeToText = 2,
  TextToTape = 3,
  PrintNormal = 4,
  PrintComputerDigits = 5,
  PrintDtmb = 6,
  ListPlugboards = 7,
};
inline constexpr int kOffLineButtons = 8;

class OffLineWindow {
 public:
  explicit OffLineWindow(OffLineDesk& desk) : desk_(desk) {}

  OffLineDesk& Desk() { return desk_; }

  // Opening: the desk is reset and both boxes are empty; the plugboard and its option stay.
  void Open();

  // The boxes as the operator typed them; the window writes them back when they are edited.
  std::string txtSource;
  std::string txtTarget;
  // Clicking the box, Enter in it, leaving it: the name is accepted as the desk accepts it. A
  // file mounted on a tape unit empties the box.
  void NameSource();
  void NameTarget();
  // Leaving the target box also turns both lamps grey.
  void LeaveTarget();
  // Once a target is accepted it stays until the next reset: the box takes no other name.
  bool TargetAccepted() const { return desk_.State.Target != TargetKind::None; }

  // A click on plugboard option 0-2. True when the plugboard editor is to open now.
  bool ChooseOption(PlugboardChoice choice);
  // labWhichPB: the board loaded, or that none can be printed through.
  std::string WhichBoard() const;

  // The plugboard list, in board-number order, while it is shown.
  bool ListShown = false;
  std::vector<PlugboardEntry> List;
  std::string ListCaption() const;
  // Picking entry `index` of the list: its board is chosen and the list hidden. True when the
  // plugboard editor is to open on it.
  bool PickListed(int index);

  // Whether operation button k can be clicked now.
  bool ButtonEnabled(int button) const;
  // The boxes, the plugboard options and the list are usable only while no run waits at a
  // breakpoint: what they change would be forgotten when the run ends.
  bool DeskControlsEnabled() const { return !desk_.State.PrinterPaused; }

  // Clicking operation button k: the operation runs, the other buttons disabled meanwhile.
  // `openOrmtyper` opens the key-to-tape window on the target and returns when it closes.
  // Returns how the operation ended (Completed for the list and for the key-to-tape window).
  OffLineOutcome Click(OffLineButton button, const std::function<void()>& openOrmtyper);

  // "Exit" (or the window's close control). True when the window is to close now; during a run
  // paused at a breakpoint the run is ended and the window closes once it has.
  bool Exit();
  // The window is to close: after "Exit", or after a printer run slewed the paper to trash.
  bool Closed = false;

 private:
  OffLineOutcome Run(OffLineButton button, const std::function<void()>& openOrmtyper);
  void ToggleList();
  void AfterOperation(OffLineButton button, OffLineOutcome outcome);

  OffLineDesk& desk_;
  int runningDepth_ = 0;  // a run paused at a breakpoint is resumed by a click inside it
  OffLineButton running_ = OffLineButton::Ormtyper;
  bool closeWhenDone_ = false;
};

}  // namespace ormlax

#include "offline/offline_window.h"

#include <algorithm>

#include "offline/computer_digits.h"
#include "offline/dtmb.h"
#include "offline/offline_messages.h"
#include "offline/plugboard_choice.h"
#include "offline/print_normal.h"
#include "offline/tape_conversions.h"
#include "offline/text_to_tape.h"

namespace ormlax {

void OffLineWindow::Open() {
  ResetOffLineState(desk_.State, desk_.Board);
  desk_.State.CloseRequested = false;
  txtSource.clear();
  txtTarget.clear();
  ListShown = false;
  List.clear();
  Closed = false;
  closeWhenDone_ = false;
}

void OffLineWindow::NameSource() {
  if (AcceptSource(desk_, txtSource) == NameAcceptance::Mounted) txtSource.clear();
}

void OffLineWindow::NameTarget() {
  if (TargetAccepted()) return;
  if (AcceptTarget(desk_, txtTarget) == NameAcceptance::Mounted) txtTarget.clear();
}

void OffLineWindow::LeaveTarget() {
  NameTarget();
  ClearLamps(desk_.State);
}

bool OffLineWindow::ChooseOption(PlugboardChoice choice) {
  return ChoosePlugboardOption(desk_, choice);
}

std::string OffLineWindow::WhichBoard() const {
  if (!desk_.Board.Usable()) return std::string(offline_text::kNoUsableBoard);
  return WhichBoardText(desk_.Board);
}

std::string OffLineWindow::ListCaption() const {
  return std::string(ListShown ? window_text::kCloseListCaption : window_text::kListCaption);
}

void OffLineWindow::ToggleList() {
  List.clear();
  if (ListShown) {
    ListShown = false;
    return;
  }
  List = ListPlugboards(desk_.Board, desk_.WorkingFolder, desk_.Op);
  std::stable_sort(List.begin(), List.end(), [](const PlugboardEntry& a, const PlugboardEntry& b) {
    return a.BoardNumber < b.BoardNumber;
  });
  ListShown = true;
}

bool OffLineWindow::PickListed(int index) {
  if (!ListShown || index < 0 || index >= static_cast<int>(List.size())) return false;
  const int number = List[static_cast<std::size_t>(index)].BoardNumber;
  ListShown = false;
  List.clear();
  return ChooseListedBoard(desk_, number);
}

bool OffLineWindow::ButtonEnabled(int button) const {
  if (runningDepth_ == 0) return true;
  if (desk_.State.PrinterPaused) return button == static_cast<int>(OffLineButton::PrintNormal);
  return button == static_cast<int>(running_);
}

OffLineOutcome OffLineWindow::Run(OffLineButton button, const std::function<void()>& openOrmtyper) {
  switch (button) {
    case OffLineButton::Ormtyper:
      if (desk_.State.Target == TargetKind::None) {
        ShowOkMessage(desk_.Op, std::string(window_text::kNeedsOutputTape));
        return OffLineOutcome::Refused;
      }
      openOrmtyper();
      ResetOffLineState(desk_.State, desk_.Board);
      return OffLineOutcome::Completed;
    case OffLineButton::TapeToAssembler:
      return ConvertTapeToAssembler(desk_);
    case OffLineButton::TapeToText:
      return ConvertTapeToText(desk_);
    case OffLineButton::TextToTape:
      return ConvertTextToTape(desk_);
    case OffLineButton::PrintNormal:
      return PrintTapeNormal(desk_);
    case OffLineButton::PrintComputerDigits:
      return PrintComputerDigits(desk_);
    case OffLineButton::PrintDtmb:
      return PrintDtmb(desk_);
    case OffLineButton::ListPlugboards:
      ToggleList();
      break;
  }
  return OffLineOutcome::Completed;
}

OffLineOutcome OffLineWindow::Click(OffLineButton button,
                                    const std::function<void()>& openOrmtyper) {
  const OffLineButton outer = running_;
  running_ = button;
  ++runningDepth_;
  const OffLineOutcome outcome = Run(button, openOrmtyper);
  --runningDepth_;
  running_ = outer;
  AfterOperation(button, outcome);
  return outcome;
}

void OffLineWindow::AfterOperation(OffLineButton button, OffLineOutcome outcome) {
  // An operation that ran to its end has reset the desk: the names are to be given again.
  if ((outcome == OffLineOutcome::Completed || outcome == OffLineOutcome::EndedByMessage) &&
      button != OffLineButton::ListPlugboards) {
    txtSource.clear();
    txtTarget.clear();
  }
  if (desk_.State.CloseRequested) {
    desk_.State.CloseRequested = false;
    Closed = true;
  }
  if (closeWhenDone_ && runningDepth_ == 0) Closed = true;
}

bool OffLineWindow::Exit() {
  if (runningDepth_ > 0) {
    // Only a run waiting at a breakpoint lets the window in while it goes on.
    desk_.State.EndPausedRun = true;
    closeWhenDone_ = true;
    return false;
  }
  Closed = true;
  return true;
}

}  // namespace ormlax

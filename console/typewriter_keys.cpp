// The keys of the typewriter section: Power, Start, CD, Clear, and showing or hiding the section.
#include "console/typewriter.h"

namespace ormlax {

void Typewriter::PressPower() {
  if (state_.PowerOn) {
    state_.PowerOn = false;
    state_.shaOrmprinterLamp.fill(LampColour::Grey);
    return;
  }
  SetTypewriterLamp(kPowerLamp, LampColour::Green);
  state_.PowerOn = true;
  PrintPending();
}

void Typewriter::PressStart() {
  SetTypewriterLamp(kPrinterBreakpointLamp, LampColour::Grey);
  SetTypewriterLamp(kPrinterStopLamp, LampColour::Grey);
  SetTypewriterLamp(kIllegalCharacterLamp, LampColour::Grey);
  state_.StopPending = false;
  state_.StartEnabled = false;
  PrintPending();
}

void Typewriter::PressComputerDigit() {
  if (!state_.PowerOn) return;
  state_.ComputerDigit = !state_.ComputerDigit;
  SetTypewriterLamp(kComputerDigitLamp,
                    state_.ComputerDigit ? LampColour::Yellow : LampColour::Grey);
}

// Takes the paper out onto the clipboard; a roll that is running low is replaced. The warning
// bar keeps its state until the next carriage return.
void Typewriter::PressClear(Operator& op) {
  op.SetClipboardText(state_.Paper);
  state_.Paper.clear();
  if (state_.PaperLeft < kPaperWarningLines) {
    state_.PaperLeft = kNewRollLines;
    state_.PaperBlack = false;
  }
}

void Typewriter::ShowSection() {
  if (state_.SectionShown) return;
  state_.SectionShown = true;
  state_.HelpContextOffset += kSectionHelpContextOffset;
}

void Typewriter::HideSection() {
  if (!state_.SectionShown) return;
  state_.SectionShown = false;
  state_.HelpContextOffset -= kSectionHelpContextOffset;
}

int Typewriter::WindowHeightTwips() const {
  return state_.SectionShown ? kSectionShownHeightTwips : kSectionHiddenHeightTwips;
}

}  // namespace ormlax

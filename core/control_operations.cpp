// Transfers of control, comparisons with their conditional stop, the return word and shifts.
#include <string>

#include "core/processor.h"

namespace ormlax {

void Processor::RequestTransfer() {
  s_.TransferTaken = true;
  s_.TransferSave[0] = At(s_.rCC);
  s_.TransferSave[1] = At(s_.NextAddress);
}

// A transfer restores the current and the target word: a store into either by the word's other
// instruction is undone.
void Processor::RestoreTransferWords() {
  At(s_.rCC) = s_.TransferSave[0];
  At(s_.NextAddress) = s_.TransferSave[1];
}

void Processor::Compare(const Decoded& d, bool condition) {
  bool stopSwitch = s_.QTSwitches[kQTAll];
  if (d.modifier >= '0' && d.modifier <= '9') {
    stopSwitch = stopSwitch || s_.QTSwitches[static_cast<std::size_t>(d.modifier - '0')];
  }
  if (s_.NextAddress < 0) {
    StopWithLamp(s_, kInvalidAddressLamp);
  } else if (!stopSwitch) {
    RequestTransfer();
    s_.TransferTaken = condition;
  } else {
    QTStopWait(condition, s_.NextAddress);
  }
}

void Processor::QTStopWait(bool condition, int target) {
  s_.Lamp[kQTStopLamp] = LampColour::Red;
  NoteStop(s_, StopReason::QTStop);
  s_.InQTStop = true;
  s_.Panel.QTGoLabels = {FormatAddress(s_, target), FormatAddress(s_, s_.rCC + 1)};
  s_.Panel.QTGo = condition ? QTGoChoice::GoTo : QTGoChoice::NoGo;
  s_.Panel.HoldControlsEnabled = true;
  s_.Panel.rCCBlank = false;
  if (!s_.ExecuteFromCR) s_.rCR = At(s_.rCC);
  s_.Panel.rCRBlank = false;

  s_.WaitingAtStop = true;
  while (s_.WaitingAtStop) op_.WaitForInterface();

  if (s_.Panel.QTGo == QTGoChoice::GoTo) {
    // The advance at the end of the word lands on the target. A word fed through SCICR does not
    // advance rCC, so there the target is set directly.
    s_.rCC = s_.ExecuteFromCR ? target : (target + s_.MemorySize - 1) % s_.MemorySize;
  }
  s_.Panel.QTGo = QTGoChoice::None;
  s_.Lamp[kQTStopLamp] = LampColour::Grey;
  s_.Panel.QTGoLabels = {};
  s_.Panel.HoldControlsEnabled = false;
  s_.InQTStop = false;
}

void Processor::StoreReturn() {
  std::string digits = std::to_string(s_.rCC + 1);
  if (digits.size() < 5) digits.insert(0, 5 - digits.size(), '0');
  Written(s_.CurrentAddress) = Word::FromText("000000U" + digits.substr(digits.size() - 5));
}

void Processor::Shift(const Decoded& d) {
  const std::string a = s_.rA.Text();
  // Shifts that keep the sign move eleven characters at most.
  const auto n = static_cast<std::size_t>(d.count);
  const std::size_t k = n > 11 ? 11 : n;
  std::string r;
  switch (d.op) {
    case '0':
      r = a.substr(0, 1) + a.substr(k + 1) + std::string(k, '0');
      break;
    case '-':
      r = a.substr(0, 1) + std::string(k, '0') + a.substr(1, 11 - k);
      break;
    case ';':
      r = a.substr(n) + std::string(n, '0');
      break;
    default:  // '.'
      r = std::string(n, '0') + a.substr(0, 12 - n);
      break;
  }
  s_.rA = Word::FromText(r);
}

}  // namespace ormlax

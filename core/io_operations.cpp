// The input-output operations: console keyboard and typewriter, and the tape units.
#include "core/processor.h"

namespace ormlax {

bool Processor::TapeReady(int servo, bool forWrite) {
  if (io_.tapes == nullptr) {
    ShowOkMessage(op_, "No tape units are connected");
    StopWithLamp(s_, kRunningLamp, StopReason::NoUnit);
    return false;
  }
  return io_.tapes->CheckServoReady(servo, forWrite);
}

bool Processor::InputOutput(const Decoded& d) {
  const bool console = d.servo < 0;  // the modifier "0"
  switch (d.op) {
    case '1':
      if (console) {
        ReadKeyboard();
        return true;
      }
      if (!TapeReady(d.servo, false)) return false;
      io_.tapes->ReadTapeBlock(d.servo, true);
      return true;
    case '3':
    case '4':
      if (!StoreInputRegister(d.op == '4')) return true;
      if (console) return true;
      if (!TapeReady(d.servo, false)) return false;
      io_.tapes->ReadTapeBlock(d.servo, d.op == '3');
      return true;
    case '5':
      if (console) {
        Print();
        return true;
      }
      return WriteBlock(d.servo);
    case '7':
      if (console) break;
      return WriteBlock(d.servo);
    case '2':
      if (console) break;
      if (!TapeReady(d.servo, false)) return false;
      io_.tapes->ReadTapeBlock(d.servo, false);
      return true;
    case '6':
    case '8':
      if (console) break;
      if (io_.tapes == nullptr) return TapeReady(d.servo, false);
      if (d.op == '6') {
        io_.tapes->RewindTape(d.servo);
      } else {
        io_.tapes->UnloadTape(d.servo);
      }
      return true;
    default:
      break;
  }
  ReportInvalid(d);
  return true;
}

bool Processor::WriteBlock(int servo) {
  if (AddressInvalid()) return true;
  if (s_.CurrentAddress + kBlockWords - 1 > kLastLocation) {
    // The block would run past the last word of memory.
    StopWithLamp(s_, kInvalidAddressLamp);
    return true;
  }
  if (!TapeReady(servo, true)) return false;
  io_.tapes->WriteTapeBlock(servo, s_.CurrentAddress);
  return true;
}

// Stores rI at m ... m+59 for "3" and "4"; false when the instruction is to end there.
bool Processor::StoreInputRegister(bool clearFirst) {
  if (s_.rIStatus == RegisterStatus::Cleared) Warn("Storing from cleared rI");
  if (clearFirst) s_.rIStatus = RegisterStatus::Cleared;
  if (AddressInvalid()) return false;
  for (int i = 0; i < kBlockWords; ++i) {
    const int a = s_.CurrentAddress + i;
    if (a > kLastLocation) {
      StopWithLamp(s_, kInvalidAddressLamp);
      return false;
    }
    Written(a) = s_.rI[static_cast<std::size_t>(i)];
  }
  s_.rIStatus = RegisterStatus::Cleared;
  return true;
}

void Processor::ReadKeyboard() {
  if (AddressInvalid()) return;
  if (io_.typewriter != nullptr) {
    while (!io_.typewriter->PrintBufferEmpty()) op_.WaitForInterface();
  }
  if (io_.keyboard == nullptr) {
    ShowOkMessage(op_, "No console keyboard is connected");
    StopAs(StopReason::NoUnit);
    return;
  }
  io_.keyboard->ReadConsoleWord();
  Written(s_.CurrentAddress) = s_.KeyboardWord;
  if (!s_.Running) StopAs(StopReason::KeyboardWindow);
}

void Processor::Print() {
  if (AddressInvalid()) return;
  switch (s_.FiftyBreak) {
    case FiftyBreakMode::Skip:
      return;
    case FiftyBreakMode::Stop:
      StopWithLamp(s_, kFiftyStopLamp);
      break;
    case FiftyBreakMode::Normal:
      break;
  }
  if (io_.typewriter == nullptr) {
    ShowOkMessage(op_, "No console typewriter is connected");
    StopWithLamp(s_, kRunningLamp, StopReason::NoUnit);
    return;
  }
  io_.typewriter->PrintWord(At(s_.CurrentAddress));
}

}  // namespace ormlax

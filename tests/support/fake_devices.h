// Stand-ins for the tape units, the console typewriter and the console keyboard. They record every
// call, in order, in one shared log, and answer as the test sets them up.
//
// Log entries:
//   "ready <servo> read" / "ready <servo> write"   CheckServoReady
//   "read <servo> forward" / "read <servo> backward"
//   "write <servo> <address, four digits>"
//   "rewind <servo>", "unload <servo>"
//   "print <word>"                                  the typewriter's PrintWord
//   "keyboard"                                      the keyboard window opened and closed
// Servos are logged by number (0-15).
#pragma once

#include <array>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/devices.h"
#include "core/machine_state.h"
#include "tests/support/machine_fixture.h"
#include "tests/support/scripted_operator.h"

namespace ormlax::testing {

inline constexpr int kFakeBlockWords = 60;

class FakeTapeUnits : public TapeUnits {
 public:
  explicit FakeTapeUnits(std::vector<std::string>& log) : log_(log) { ready.fill(true); }

  void Attach(MachineState& s, ScriptedOperator& op) {
    s_ = &s;
    op_ = &op;
  }

  // The word that read number `read` (counted from 1 over all servos) leaves in rI word `i`:
  // "0", then the servo (2 digits), the read (4 digits) and i (5 digits).
  static Word BlockWord(int servo, int read, int i) {
    char text[16];
    std::snprintf(text, sizeof text, "0%02d%04d%05d", servo % 100, read % 10000, i % 100000);
    return Word::FromText(text);
  }

  bool CheckServoReady(int servo, bool forWrite) override {
    if (!ServoInRange(servo)) return false;
    log_.push_back("ready " + std::to_string(servo) + (forWrite ? " write" : " read"));
    const auto n = static_cast<std::size_t>(servo);
    const bool ok = ready[n] && !(forWrite && writeProtected[n]);
    if (!ok) {
      // What the real unit does: the message, and the run ends with the Running lamp red.
      ShowOkMessage(*op_, std::string("Servo ") + Identifier(servo) + " not ready");
      StopWithLamp(*s_, kRunningLamp);
    }
    return ok;
  }

  void ReadTapeBlock(int servo, bool forward) override {
    if (!ServoInRange(servo)) return;
    log_.push_back("read " + std::to_string(servo) + (forward ? " forward" : " backward"));
    ++reads;
    s_->rIStatus = RegisterStatus::Cleared;
    for (int i = 0; i < kFakeBlockWords; ++i) {
      s_->rI[static_cast<std::size_t>(i)] = BlockWord(servo, reads, i);
    }
    s_->rIStatus = RegisterStatus::InUse;
  }

  void WriteTapeBlock(int servo, int address) override {
    if (!ServoInRange(servo)) return;
    char text[8];
    std::snprintf(text, sizeof text, "%04d", address);
    log_.push_back("write " + std::to_string(servo) + " " + text);
    if (address < 0 || address + kFakeBlockWords - 1 >= kMaxMemorySize) {
      badCalls.push_back("write outside memory at " + std::to_string(address));
      return;
    }
    std::vector<Word> block;
    for (int i = 0; i < kFakeBlockWords; ++i) {
      block.push_back(s_->Memory[static_cast<std::size_t>(address + i)]);
    }
    written.push_back(std::move(block));
  }

  void RewindTape(int servo) override {
    if (ServoInRange(servo)) log_.push_back("rewind " + std::to_string(servo));
  }

  void UnloadTape(int servo) override {
    if (!ServoInRange(servo)) return;
    log_.push_back("unload " + std::to_string(servo));
    ready[static_cast<std::size_t>(servo)] = false;  // rewound with interlock: not ready any more
  }

  static char Identifier(int servo) {
    return std::string_view("-123456789ABCDEF")[static_cast<std::size_t>(servo)];
  }

  std::array<bool, 16> ready{};
  std::array<bool, 16> writeProtected{};
  int reads = 0;
  std::vector<std::vector<Word>> written;  // the memory words of every block written
  std::vector<std::string> badCalls;       // calls with a servo or address no unit can take

 private:
  bool ServoInRange(int servo) {
    const int servos = s_->IsModelII ? 16 : 10;
    if (servo >= 0 && servo < servos) return true;
    badCalls.push_back("servo " + std::to_string(servo));
    return false;
  }

  std::vector<std::string>& log_;
  MachineState* s_ = nullptr;
  ScriptedOperator* op_ = nullptr;
};

class FakeTypewriter : public ConsoleTypewriter {
 public:
  explicit FakeTypewriter(std::vector<std::string>& log) : log_(log) {}

  void Attach(ScriptedOperator& op) { op_ = &op; }

  void PrintWord(const Word& w) override {
    log_.push_back("print " + w.Text());
    printed.push_back(w);
    if (busyAfterPrint > 0) HoldFor(busyAfterPrint);
  }

  // The buffer holds text until the operator has yielded `yields` more times.
  void HoldFor(int yields) { emptyAfterYield_ = op_->yields + yields; }

  bool PrintBufferEmpty() const override {
    ++emptyQueries;
    return op_->yields >= emptyAfterYield_;
  }

  std::vector<Word> printed;
  int busyAfterPrint = 0;  // each print leaves the buffer busy for this many yields
  mutable int emptyQueries = 0;

 private:
  std::vector<std::string>& log_;
  ScriptedOperator* op_ = nullptr;
  int emptyAfterYield_ = 0;
};

class FakeKeyboard : public ConsoleKeyboard {
 public:
  explicit FakeKeyboard(std::vector<std::string>& log) : log_(log) {}

  void Attach(MachineState& s, ScriptedOperator& op) {
    s_ = &s;
    op_ = &op;
  }

  void ReadConsoleWord() override {
    log_.push_back("keyboard");
    yieldsWhenOpened.push_back(op_->yields);
    if (whileOpen) whileOpen();
    s_->KeyboardWord = word;
    if (continueInSingleStep) s_->Running = false;
  }

  Word word = Word::FromText("000000000000");
  bool continueInSingleStep = false;  // the operator leaves by "Continue in single-step"
  std::function<void()> whileOpen;    // something the operator does while the window is open
  std::vector<int> yieldsWhenOpened;

 private:
  std::vector<std::string>& log_;
  MachineState* s_ = nullptr;
  ScriptedOperator* op_ = nullptr;
};

struct FakeDevices {
  FakeDevices() = default;
  FakeDevices(const FakeDevices&) = delete;
  FakeDevices& operator=(const FakeDevices&) = delete;

  Peripherals Connect() { return {&tapes, &typewriter, &keyboard}; }
  void Attach(MachineState& s, ScriptedOperator& op) {
    tapes.Attach(s, op);
    typewriter.Attach(op);
    keyboard.Attach(s, op);
  }

  std::vector<std::string> calls;
  FakeTapeUnits tapes{calls};
  FakeTypewriter typewriter{calls};
  FakeKeyboard keyboard{calls};
};

// A fresh machine with the fake devices connected.
struct FakeDeviceMachine : FakeDevices, MachineFixture {
  explicit FakeDeviceMachine(bool modelII = false)
      : FakeDevices(), MachineFixture(modelII, Connect()) {
    Attach(s, op);
  }
};

}  // namespace ormlax::testing

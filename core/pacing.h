// Historical speed: with it on, the installation runs at the pace of the machine it simulates.
// The machine's time is spent action by action (a word, a typed character, a tape block), and
// the action waits, letting the interface run, until the host's clock has caught up with it. The
// order of effects never changes, only how long they take; the clock is an interface so that the
// tests can replace it.
#pragma once

#include <chrono>

#include "core/machine_state.h"
#include "core/operator.h"
#include "core/word.h"

namespace ormlax {

using Microseconds = std::chrono::microseconds;

// The machine's own times.
// A word of simple instructions: 2000 words a second.
inline constexpr Microseconds kSimpleWordTime{500};
// What a multiplication (M, N, P) or a division (D) adds to its word: such a word takes 3 ms or
// 5 ms, six or ten times a simple one.
inline constexpr Microseconds kMultiplicationTime{2500};
inline constexpr Microseconds kDivisionTime{4500};
// The typewriter types 10 characters a second; a carriage return and a tab are one movement
// each, and the codes that print nothing take no time.
inline constexpr Microseconds kTypedCharacterTime{100000};
// A tape block of 720 characters at 10,000 characters a second, with 8 ms to start and stop.
inline constexpr Microseconds kTapeBlockTime{80000};

// The time the machine takes to execute the word.
Microseconds WordTime(const Word& word);

class PaceClock {
 public:
  virtual ~PaceClock() = default;
  // The host's time, from any fixed origin.
  virtual Microseconds Now() = 0;
  // Returns once Now() has reached `time` (or a little later).
  virtual void SleepUntil(Microseconds time) = 0;
};

// The host's steady clock.
class SteadyPaceClock : public PaceClock {
 public:
  Microseconds Now() override;
  void SleepUntil(Microseconds time) override;
};

class Pacer {
 public:
  // The machine ran late by more than this (held by a message box, or paced off for a while):
  // it starts afresh from the clock instead of rushing to catch up.
  static constexpr Microseconds kLateness{50000};
  // Longest sleep between two looks at the interface while waiting.
  static constexpr Microseconds kLookEvery{5000};

  Pacer(const MachineState& state, Operator& op, PaceClock& clock)
      : s_(state), op_(op), clock_(&clock) {}

  // Historical speed is on (the console's option, the machine's HistoricalSpeed).
  bool On() const { return s_.HistoricalSpeed; }
  // On, and the machine running: only a run is paced, never a step the operator makes.
  bool Active() const { return s_.HistoricalSpeed && s_.Running; }
  // The machine spends `time`: while Active, waits until the clock has caught up, letting the
  // interface run every kLookEvery at the most; otherwise (or once Stop is pressed or the option
  // switched off while it waits) returns at once.
  void Spend(Microseconds time);

 private:
  const MachineState& s_;
  Operator& op_;
  PaceClock* clock_;
  Microseconds due_{0};  // when the machine's actions so far are done, by the clock
};

}  // namespace ormlax

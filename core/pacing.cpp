#include "core/pacing.h"

#include <algorithm>
#include <thread>

namespace ormlax {

Microseconds WordTime(const Word& word) {
  Microseconds time = kSimpleWordTime;
  for (const std::size_t op : {std::size_t{0}, Instruction::kLength}) {
    switch (word[op]) {
      case 'M':
      case 'N':
      case 'P':
        time += kMultiplicationTime;
        break;
      case 'D':
        time += kDivisionTime;
        break;
      default:
        break;
    }
  }
  return time;
}

Microseconds SteadyPaceClock::Now() {
  return std::chrono::duration_cast<Microseconds>(
      std::chrono::steady_clock::now().time_since_epoch());
}

void SteadyPaceClock::SleepUntil(Microseconds time) {
  std::this_thread::sleep_until(std::chrono::steady_clock::time_point(time));
}

void Pacer::Spend(Microseconds time) {
  if (!Active()) return;
  Microseconds now = clock_->Now();
  if (due_ < now - kLateness) due_ = now;
  due_ += time;
  while (Active() && now < due_) {
    op_.YieldToInterface();
    now = clock_->Now();
    if (!Active() || now >= due_) break;
    clock_->SleepUntil(std::min(due_, now + kLookEvery));
    now = clock_->Now();
  }
}

}  // namespace ormlax

// An installation brought to life: the central computer wired to the tape units, the console
// typewriter and keyboard, all talking to one operator; and the operator's debugging aids that
// runs obey: the breakpoints, the word trace and historical speed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "console/keyboard.h"
#include "core/breakpoints.h"
#include "core/pacing.h"
#include "core/processor.h"
#include "core/trace_file.h"
#include "installation/installation.h"
#include "tape/tape_units.h"

namespace ormlax {

class Simulator {
 public:
  Simulator(Installation& installation, Operator& op);
  ~Simulator();
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  Installation& Ormlax() { return installation_; }
  MachineState& Machine() { return installation_.Machine; }
  Processor& Cpu() { return cpu_; }
  ServoTable& Tapes() { return tapes_; }
  Typewriter& Ormprinter() { return installation_.Ormprinter; }
  Operator& Op() { return op_; }

  // The breakpoints every run obeys: list, add, change, clear and read their hits here.
  Breakpoints& Breaks() { return breakpoints_; }
  // How the last stop is told: the stop reason's text, or the breakpoint's own ("execute
  // breakpoint 1 at 042, hit 1").
  std::string StopText() const;

  // "Historical speed": runs go at the pace of the machine simulated (see core/pacing.h).
  void SetHistoricalSpeed(bool on) { installation_.Machine.HistoricalSpeed = on; }
  bool HistoricalSpeed() const { return installation_.Machine.HistoricalSpeed; }

  // Starts a trace of every word executed into `file` (relative to the working folder), in place
  // of any trace before. False, with the reason in `failure`, when the file cannot be written.
  bool StartTrace(const std::string& file, std::string& failure,
                  std::uint64_t bound = kDefaultTraceBound);
  // Ends the trace and closes its file; false when what it held could not all be written.
  bool StopTrace();
  // The trace going on or ended last (its bound reached, say), or null.
  const TraceFile* Trace() const { return trace_.get(); }

 private:
  Installation& installation_;
  Operator& op_;
  ServoTable tapes_;
  Keyboard keyboard_;
  Processor cpu_;
  Breakpoints breakpoints_;
  SteadyPaceClock clock_;
  Pacer pacer_;
  std::unique_ptr<TraceFile> trace_;
};

}  // namespace ormlax

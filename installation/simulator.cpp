#include "installation/simulator.h"

#include "tape/tape_mounting.h"

namespace ormlax {

Simulator::Simulator(Installation& installation, Operator& op)
    : installation_(installation),
      op_(op),
      tapes_(installation.Servos, installation.Machine, op),
      keyboard_(installation.Machine, op),
      cpu_(installation.Machine, op, Peripherals{&tapes_, &installation.Ormprinter, &keyboard_}),
      pacer_(installation.Machine, op, clock_) {
  cpu_.SetBreakpoints(&breakpoints_);
  cpu_.SetPacer(&pacer_);
  installation.Ormprinter.SetPacer(&pacer_);
}

Simulator::~Simulator() {
  installation_.Ormprinter.SetPacer(nullptr);
}

std::string Simulator::StopText() const {
  return StopDescription(installation_.Machine, &breakpoints_);
}

bool Simulator::StartTrace(const std::string& file, std::string& failure, std::uint64_t bound) {
  StopTrace();
  const std::filesystem::path path = FullPathOf(installation_.WorkingFolder, file);
  if (const int servo = ServoHoldingFile(installation_.Servos, path); servo >= 0) {
    failure = "The trace file " + path.string() + " cannot be written: it is the tape on Servo  " +
              ServoIdentifier(servo);
    return false;
  }
  auto trace = std::make_unique<TraceFile>(path, installation_.Machine, bound);
  if (!trace->IsOpen()) {
    failure = trace->Failure();
    return false;
  }
  trace_ = std::move(trace);
  cpu_.SetTrace(trace_.get());
  return true;
}

bool Simulator::StopTrace() {
  cpu_.SetTrace(nullptr);
  return trace_ == nullptr || trace_->Close();
}

}  // namespace ormlax

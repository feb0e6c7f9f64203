// The first field in which two machines differ, by name, or an empty text when they are the same
// in every field of the machine state and of what the panel shows.
#pragma once

#include <sstream>
#include <string>

#include "core/machine_state.h"

namespace ormlax::testing {

namespace detail {

inline std::string Shown(const Word& w) {
  return w.Text();
}
inline std::string Shown(const Instruction& i) {
  return i.Text();
}
template <typename T>
std::string Shown(const T& value) {
  std::ostringstream out;
  out << +static_cast<long long>(value);
  return out.str();
}
inline std::string Shown(const std::string& text) {
  return text;
}

}  // namespace detail

class StateDifference {
 public:
  template <typename T>
  StateDifference& Field(const char* name, const T& a, const T& b) {
    if (found_.empty() && !(a == b)) {
      found_ = std::string(name) + ": " + detail::Shown(a) + " / " + detail::Shown(b);
    }
    return *this;
  }
  template <typename T, std::size_t N>
  StateDifference& Fields(const char* name, const std::array<T, N>& a, const std::array<T, N>& b) {
    for (std::size_t i = 0; i < N && found_.empty(); ++i) {
      Field((std::string(name) + "[" + std::to_string(i) + "]").c_str(), a[i], b[i]);
    }
    return *this;
  }
  const std::string& Found() const { return found_; }

 private:
  std::string found_;
};

inline std::string FirstDifference(const MachineState& a, const MachineState& b) {
  StateDifference d;
  d.Field("IsModelII", a.IsModelII, b.IsModelII)
      .Field("MemorySize", a.MemorySize, b.MemorySize)
      .Field("AddressDigits", a.AddressDigits, b.AddressDigits)
      .Field("AddressFormat", a.AddressFormat, b.AddressFormat)
      .Fields("Memory", a.Memory, b.Memory)
      .Field("rA", a.rA, b.rA)
      .Field("rX", a.rX, b.rX)
      .Field("rL", a.rL, b.rL)
      .Field("rF", a.rF, b.rF)
      .Field("rCR", a.rCR, b.rCR)
      .Field("rCC", a.rCC, b.rCC)
      .Field("rSR", a.rSR, b.rSR)
      .Fields("rV", a.rV, b.rV)
      .Fields("rY", a.rY, b.rY)
      .Fields("rI", a.rI, b.rI)
      .Field("rVStatus", a.rVStatus, b.rVStatus)
      .Field("rYStatus", a.rYStatus, b.rYStatus)
      .Field("rIStatus", a.rIStatus, b.rIStatus)
      .Field("OperatingAsI", a.OperatingAsI, b.OperatingAsI)
      .Field("HasIInstruction", a.HasIInstruction, b.HasIInstruction)
      .Field("ProgramDebug", a.ProgramDebug, b.ProgramDebug)
      .Field("StopOnComma", a.StopOnComma, b.StopOnComma)
      .Field("FiftyBreak", a.FiftyBreak, b.FiftyBreak)
      .Fields("QTSwitches", a.QTSwitches, b.QTSwitches)
      .Field("DefaultServo", a.DefaultServo, b.DefaultServo)
      .Field("HistoricalSpeed", a.HistoricalSpeed, b.HistoricalSpeed)
      .Fields("Lamp", a.Lamp, b.Lamp)
      .Field("Running", a.Running, b.Running)
      .Field("WaitingAtStop", a.WaitingAtStop, b.WaitingAtStop)
      .Field("ExecuteFromCR", a.ExecuteFromCR, b.ExecuteFromCR)
      .Field("HalfStepPending", a.HalfStepPending, b.HalfStepPending)
      .Field("InQTStop", a.InQTStop, b.InQTStop)
      .Field("OverflowFlag", a.OverflowFlag, b.OverflowFlag)
      .Field("MinusModifier", a.MinusModifier, b.MinusModifier)
      .Field("FModifier", a.FModifier, b.FModifier)
      .Field("CurrentAddress", a.CurrentAddress, b.CurrentAddress)
      .Field("NextAddress", a.NextAddress, b.NextAddress)
      .Field("TransferTaken", a.TransferTaken, b.TransferTaken)
      .Fields("TransferSave", a.TransferSave, b.TransferSave)
      .Field("FuseReason", a.FuseReason, b.FuseReason)
      .Field("ConsoleLocation", a.ConsoleLocation, b.ConsoleLocation)
      .Field("KeyboardWord", a.KeyboardWord, b.KeyboardWord)
      .Field("LastStop", a.LastStop, b.LastStop);
  const PanelDisplay& p = a.Panel;
  const PanelDisplay& q = b.Panel;
  d.Field("Panel.rCCBlank", p.rCCBlank, q.rCCBlank)
      .Field("Panel.rCRBlank", p.rCRBlank, q.rCRBlank)
      .Field("Panel.rSRBlank", p.rSRBlank, q.rSRBlank)
      .Field("Panel.ControlsEnabled", p.ControlsEnabled, q.ControlsEnabled)
      .Field("Panel.LocationEnabled", p.LocationEnabled, q.LocationEnabled)
      .Field("Panel.HoldControlsEnabled", p.HoldControlsEnabled, q.HoldControlsEnabled)
      .Field("Panel.LocationText", p.LocationText, q.LocationText)
      .Field("Panel.Contents", p.Contents, q.Contents)
      .Field("Panel.ContentsEmpty", p.ContentsEmpty, q.ContentsEmpty)
      .Field("Panel.QTGoLabels[0]", p.QTGoLabels[0], q.QTGoLabels[0])
      .Field("Panel.QTGoLabels[1]", p.QTGoLabels[1], q.QTGoLabels[1])
      .Field("Panel.QTGo", p.QTGo, q.QTGo);
  return d.Found();
}

}  // namespace ormlax::testing

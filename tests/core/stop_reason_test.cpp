// Why a run ended: every stop records its reason as it happens, the first stop of a word wins,
// and a run that goes on after a hold forgets the hold.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "console/panel_operations.h"
#include "installation/simulator.h"
#include "tests/support/machine_fixture.h"

namespace ormlax::testing {
namespace {

struct StopCase {
  const char* name;
  std::function<void(Simulator&, ScriptedOperator&)> setUp;  // memory from 0, switches
  StopReason expected;
};

void Load(MachineState& s, int at, std::initializer_list<std::string_view> words) {
  for (std::string_view w : words) s.Memory[static_cast<std::size_t>(at++)] = W(w);
}

const StopCase kCases[] = {
    {"stop instruction", [](Simulator& sim, auto&) { Load(sim.Machine(), 0, {"000000900000"}); },
     StopReason::StopInstruction},
    {"invalid opcode before a stop",
     [](Simulator& sim, auto&) { Load(sim.Machine(), 0, {"*00100900000"}); },
     StopReason::InvalidOpcode},
    {"invalid servo character",
     [](Simulator& sim, auto&) { Load(sim.Machine(), 0, {"1*0000000000"}); },
     StopReason::InvalidOpcode},
    {"breakpoint",
     [](Simulator& sim, auto&) {
       SetStopOnComma(sim.Machine(), true);
       Load(sim.Machine(), 0, {",00000000000", "900000000000"});
     },
     StopReason::BreakpointStop},
    {"invalid operand",
     [](Simulator& sim, auto&) {
       Load(sim.Machine(), 0, {"M00100900000"});
       Load(sim.Machine(), 100, {"0ABCDEFGHIJK"});
     },
     StopReason::InvalidOperand},
    {"invalid address", [](Simulator& sim, auto&) { Load(sim.Machine(), 0, {"B0XXXX900000"}); },
     StopReason::InvalidAddress},
    {"50 stop",
     [](Simulator& sim, auto&) {
       SetFiftyBreak(sim.Machine(), FiftyBreakMode::Stop);
       Load(sim.Machine(), 0, {"500100000000", "900000000000"});
     },
     StopReason::FiftyStop},
    {"overflow with the minus modifier",
     [](Simulator& sim, auto&) {
       sim.Machine().rA = W("099999999999");
       Load(sim.Machine(), 0, {"000000A-0100", "900000000000"});
       Load(sim.Machine(), 100, {"099999999999"});
     },
     StopReason::OverflowStop},
    {"Q/T stop ended by Stop",
     [](Simulator& sim, ScriptedOperator& op) {
       SetQTSwitch(sim.Machine(), kQTAll);
       Load(sim.Machine(), 0, {"Q00000000010"});
       op.SetIdleAction([&sim] { sim.Cpu().Stop(); });
     },
     StopReason::QTStop},
    {"Q/T stop ended by Run runs on to the stop",
     [](Simulator& sim, ScriptedOperator& op) {
       SetQTSwitch(sim.Machine(), kQTAll);
       Load(sim.Machine(), 0, {"Q00000000010"});
       Load(sim.Machine(), 10, {"900000000000"});
       op.QueueAction([&sim] { sim.Cpu().Run(); });
     },
     StopReason::StopInstruction},
    {"program logic warning",
     [](Simulator& sim, auto&) {
       SetProgramDebug(sim.Machine(), true);
       Load(sim.Machine(), 0, {"W00100900000"});
     },
     StopReason::ProgramLogicWarning},
    {"servo not ready", [](Simulator& sim, auto&) { Load(sim.Machine(), 0, {"1-0000000000"}); },
     StopReason::ServoNotReady},
    {"divide fault",
     [](Simulator& sim, auto&) {
       sim.Machine().rA = W("0000(0000000");
       Load(sim.Machine(), 0, {"D00100000000"});
       Load(sim.Machine(), 100, {"0000'0000000"});
     },
     StopReason::FuseBlown},
    {"keyboard window: continue in single-step",
     [](Simulator& sim, ScriptedOperator& op) {
       Load(sim.Machine(), 0, {"100100000000", "900000000000"});
       op.QueueKeyboardEntry(KeyboardEntry{true, "000000000042", true});
     },
     StopReason::KeyboardWindow},
    {"Stop button",
     [](Simulator& sim, ScriptedOperator& op) {
       Load(sim.Machine(), 0, {"000000U00000"});
       op.SetIdleAction([&sim] { sim.Cpu().Stop(); });
     },
     StopReason::StopButton},
    {"word limit",
     [](Simulator& sim, auto&) {
       Load(sim.Machine(), 0, {"000000U00000"});
       sim.Cpu().SetWordLimit(50);
     },
     StopReason::WordLimit},
};

class StopReasons : public ::testing::TestWithParam<bool> {};

INSTANTIATE_TEST_SUITE_P(Models, StopReasons, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "OrmlaxII" : "OrmlaxI"; });

TEST_P(StopReasons, EveryStopRecordsWhyTheRunEnded) {
  for (const StopCase& c : kCases) {
    SCOPED_TRACE(c.name);
    auto ormlax = MakeInstallation(GetParam(), ".");
    ScriptedOperator op;
    Simulator sim(*ormlax, op);
    sim.Ormprinter().PressPower();
    sim.Cpu().SetRunSlice(std::chrono::microseconds(0));
    c.setUp(sim, op);
    sim.Cpu().Run();
    EXPECT_FALSE(sim.Machine().Running);
    EXPECT_EQ(sim.Machine().LastStop, c.expected) << StopReasonText(sim.Machine().LastStop);
  }
}

TEST(StopReasons, TheMemoryFuseOfTheOrmlaxI) {
  auto ormlax = MakeInstallation(false, ".");
  ScriptedOperator op;
  Simulator sim(*ormlax, op);
  MachineState& s = sim.Machine();
  for (int a = 100; a < 800; ++a) s.Memory[static_cast<std::size_t>(a)] = W("Z4Z4Z4Z4Z4Z4");
  Load(s, 0, {"Z00900900000"});
  sim.Cpu().Run();
  EXPECT_EQ(s.LastStop, StopReason::FuseBlown);
}

TEST(StopReasons, EachStartForgetsTheLastReason) {
  auto ormlax = MakeInstallation(false, ".");
  ScriptedOperator op;
  Simulator sim(*ormlax, op);
  MachineState& s = sim.Machine();
  Load(s, 0, {"900000000000", "000000000000", "900000000000"});
  sim.Cpu().Run();
  ASSERT_EQ(s.LastStop, StopReason::StopInstruction);
  sim.Cpu().SingleStep();  // the word at 1 stops nothing
  EXPECT_EQ(s.LastStop, StopReason::None);
  sim.Cpu().SingleInstruction();  // the left half of the word at 2: the stop instruction
  EXPECT_EQ(s.LastStop, StopReason::StopInstruction);
  sim.Cpu().SingleInstruction();  // its right half
  EXPECT_EQ(s.LastStop, StopReason::None);
}

}  // namespace
}  // namespace ormlax::testing

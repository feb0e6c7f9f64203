// Run, Single Step, Single Instruction and Stop, the run loop and the holds inside an instruction,
// on both models.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/machine_fixture.h"

namespace ormlax::testing {
namespace {

class RunControl : public ::testing::TestWithParam<bool> {
 protected:
  bool ModelII() const { return GetParam(); }
  MachineFixture m{ModelII()};
};

INSTANTIATE_TEST_SUITE_P(Models, RunControl, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "OrmlaxII" : "OrmlaxI"; });

// What the panel shows at one moment.
struct PanelView {
  bool running = false;
  LampColour runningLamp = LampColour::Grey;
  bool controlsEnabled = false, locationEnabled = false, rCCBlank = false, rCRBlank = false;
};

PanelView View(const MachineState& s) {
  return {s.Running,        s.Lamp[kRunningLamp], s.Panel.ControlsEnabled, s.Panel.LocationEnabled,
          s.Panel.rCCBlank, s.Panel.rCRBlank};
}

TEST_P(RunControl, RunExecutesWordsUntilTheStopInstruction) {
  m.Load(100, {"000000000005", "000000000002"});
  m.Load(10, {"B00100H00200", "A00101H00201", "900000000000", "000000000013"});
  m.Load(400, {"0SHOWN000400"});
  ShowLocation(m.s, 400);
  m.Mem(400) = W("0CHANGED0400");  // changed behind the panel's back
  m.s.rCC = 10;
  m.s.rCR = W("0OLDRCR00000");
  m.s.Panel.rSRBlank = false;
  std::vector<PanelView> during;
  std::vector<Word> rCRDuring;
  m.op.SetIdleAction([&] {
    during.push_back(View(m.s));
    rCRDuring.push_back(m.s.rCR);
  });
  m.cpu.Run();

  EXPECT_EQ(m.Mem(200), W("000000000005"));
  EXPECT_EQ(m.Mem(201), W("000000000007"));
  EXPECT_EQ(m.s.rCC, 13);
  EXPECT_EQ(m.cpu.WordsExecuted(), 3u);
  // One yield after every word, the stop word's included. During the run: panel disabled,
  // Running lamp green, rCC and rCR boxes blank and rCR untouched.
  ASSERT_EQ(during.size(), 3u);
  for (std::size_t i = 0; i < during.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(during[i].running, i < 2);
    EXPECT_EQ(during[i].runningLamp, i < 2 ? LampColour::Green : LampColour::Red);
    EXPECT_FALSE(during[i].controlsEnabled);
    EXPECT_FALSE(during[i].locationEnabled);
    EXPECT_TRUE(during[i].rCCBlank);
    EXPECT_TRUE(during[i].rCRBlank);
  }
  for (const Word& w : rCRDuring) EXPECT_EQ(w, W("0OLDRCR00000"));
  // Afterwards: panel enabled, rCC and rCR shown, rSR empty, the location shown afresh.
  const PanelView after = View(m.s);
  EXPECT_FALSE(after.running);
  EXPECT_EQ(after.runningLamp, LampColour::Red);
  EXPECT_TRUE(after.controlsEnabled);
  EXPECT_TRUE(after.locationEnabled);
  EXPECT_FALSE(after.rCCBlank);
  EXPECT_FALSE(after.rCRBlank);
  EXPECT_EQ(m.s.rCR, W("000000000013"));
  EXPECT_TRUE(m.s.Panel.rSRBlank);
  EXPECT_EQ(m.s.Panel.Contents, W("0CHANGED0400"));
}

TEST_P(RunControl, StopPressedDuringARunEndsItBeforeTheNextWord) {
  // Cleared memory is an endless run of no-operations.
  m.Load(15, {"000000000015"});
  m.s.rCC = 10;
  for (int i = 0; i < 4; ++i) m.op.QueueAction([] {});
  m.op.QueueAction([&] { m.cpu.Stop(); });
  m.cpu.Run();
  EXPECT_EQ(m.cpu.WordsExecuted(), 5u);
  EXPECT_EQ(m.s.rCC, 15);
  EXPECT_FALSE(m.s.Running);
  EXPECT_EQ(m.s.Lamp[kRunningLamp], LampColour::Red);
  EXPECT_FALSE(m.s.Panel.rCCBlank);
  EXPECT_EQ(m.s.rCR, W("000000000015"));
  EXPECT_TRUE(m.s.Panel.ControlsEnabled);
}

TEST_P(RunControl, RunPressedAgainDuringARunClearsOverflowAndGoesOn) {
  for (bool pressRun : {false, true}) {
    SCOPED_TRACE(pressRun ? "Run pressed" : "not pressed");
    MachineFixture f{ModelII()};
    // The overflow trap would execute location 0, which stores rA at 300 and stops.
    f.Load(0, {"H00300900000"});
    f.Load(10, {"000000000000", "000000000000", "000000000000", "900000000000"});
    f.s.rA = W("000000000009");
    f.s.rCC = 10;
    PanelView afterPress;
    f.op.QueueAction([] {});
    f.op.QueueAction([&] {
      SetOverflow(f.s, true);
      if (pressRun) f.cpu.Run();
      afterPress = View(f.s);
    });
    f.cpu.Run();
    EXPECT_EQ(f.Mem(300), W(pressRun ? "000000000000" : "000000000009"));
    // Without the press the trap ends the run after word 12 (and skips a word on ORMLAX II).
    EXPECT_EQ(f.s.rCC, pressRun ? 14 : (ModelII() ? 14 : 13));
    EXPECT_EQ(f.cpu.WordsExecuted(), pressRun ? 4u : 3u);
    EXPECT_TRUE(afterPress.running);
    EXPECT_EQ(afterPress.runningLamp, LampColour::Green);
    EXPECT_FALSE(afterPress.controlsEnabled);
    EXPECT_FALSE(f.s.Running);
    EXPECT_TRUE(f.s.Panel.ControlsEnabled);
  }
}

TEST_P(RunControl, SingleStepExecutesOneWordAndShowsWhereItLeads) {
  struct Case {
    std::string word;
    int rCC;
  };
  const std::vector<Case> cases = {{"B00100H00200", 11}, {"B00100U00050", 50}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.word);
    MachineFixture f{ModelII()};
    f.Load(100, {"000000000005"});
    f.Load(10, {c.word, "0ELEVEN00000"});
    f.Load(50, {"0FIFTY000000"});
    f.s.rCC = 10;
    f.s.Panel.rSRBlank = false;
    f.s.Panel.rCCBlank = true;
    f.cpu.SingleStep();
    EXPECT_EQ(f.s.rA, W("000000000005"));
    EXPECT_EQ(f.s.rCC, c.rCC);
    EXPECT_EQ(f.s.rCR, f.Mem(c.rCC));
    EXPECT_FALSE(f.s.Panel.rCCBlank);
    EXPECT_FALSE(f.s.Panel.rCRBlank);
    EXPECT_TRUE(f.s.Panel.rSRBlank);
    EXPECT_EQ(f.s.Lamp[kRunningLamp], LampColour::Yellow);
    EXPECT_FALSE(f.s.Running);
    EXPECT_EQ(f.cpu.WordsExecuted(), 0u);
  }
}

TEST_P(RunControl, SingleInstructionExecutesHalfAWordAtATime) {
  struct Case {
    const char* name;
    bool fromCR;
    std::string word;  // at 10, or in rCR
    std::string rAAfterLeft;
    std::string stored;  // at 200 after both halves
    int rCC;
    std::string rSRAfterRight;
  };
  const std::vector<Case> cases = {
      {"B then H", false, "B00100H00200", "000000000008", "000000000008", 11, "K00000"},
      // The transfer writes the target word back: the store into it is undone.
      {"transfer in the left half", false, "U00000H00200", "000000000007", "000000000000", 200,
       "K00000"},
      {"SCICR", true, "B00100H00200", "000000000008", "000000000008", 10, "J00000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MachineFixture f{ModelII()};
    f.Load(100, {"000000000008"});
    f.s.rA = W("000000000007");
    f.Load(10, {"J00000000000", "K00000000000"});
    f.s.rCC = 10;
    f.PlaceNextWord(c.word, c.fromCR);
    f.s.Lamp[kOverflowLamp] = LampColour::Red;  // Single Instruction leaves the lamps alone

    f.cpu.SingleInstruction();
    EXPECT_EQ(f.s.rA, W(c.rAAfterLeft));
    EXPECT_EQ(f.Mem(200), kZeroWord);  // the right half has not run yet
    EXPECT_EQ(f.s.rSR.Text(), "H00200");
    EXPECT_FALSE(f.s.Panel.rSRBlank);
    EXPECT_TRUE(f.s.HalfStepPending);
    EXPECT_EQ(f.s.rCC, 10);
    EXPECT_EQ(f.s.Lamp[kRunningLamp], LampColour::Cyan);
    EXPECT_FALSE(f.s.Running);

    f.cpu.SingleInstruction();
    EXPECT_EQ(f.Mem(200), W(c.stored));
    EXPECT_EQ(f.s.rSR.Text(), c.rSRAfterRight);
    EXPECT_FALSE(f.s.HalfStepPending);
    EXPECT_FALSE(f.s.ExecuteFromCR);
    EXPECT_EQ(f.s.rCC, c.rCC);
    EXPECT_EQ(f.s.rCR, f.Mem(c.rCC));
    EXPECT_EQ(f.s.Lamp[kRunningLamp], LampColour::Cyan);
    EXPECT_EQ(f.s.Lamp[kOverflowLamp], LampColour::Red);
  }
}

TEST_P(RunControl, RunAndSingleStepFinishAHalfExecutedWordFirst) {
  for (bool byRun : {true, false}) {
    SCOPED_TRACE(byRun ? "Run" : "Single Step");
    MachineFixture f{ModelII()};
    f.Load(100, {"000000000007"});
    // 10: rA += (100), store rA at 200; 11: store rA at 201; 12: stop.
    f.Load(10, {"A00100H00200", "H00201000000", "900000000000"});
    f.s.rCC = 10;
    f.cpu.SingleInstruction();
    if (byRun) {
      f.cpu.Run();
    } else {
      f.cpu.SingleStep();
    }
    EXPECT_EQ(f.s.rA, W("000000000007"));  // the left half did not run again
    EXPECT_EQ(f.Mem(200), W("000000000007"));
    EXPECT_EQ(f.Mem(201), W("000000000007"));
    EXPECT_EQ(f.s.rCC, byRun ? 13 : 12);
    EXPECT_FALSE(f.s.HalfStepPending);
    EXPECT_TRUE(f.s.Panel.rSRBlank);
    EXPECT_EQ(f.s.Lamp[kRunningLamp], byRun ? LampColour::Red : LampColour::Yellow);
  }
}

TEST_P(RunControl, BreakpointStopsTheRunAndRunGoesOnWithTheNextWord) {
  m.s.StopOnComma = true;
  m.s.rA = W("000000000042");
  m.Load(10, {",00000000000", "H00200000000", "900000000000"});
  m.s.rCC = 10;
  m.cpu.Run();
  EXPECT_EQ(m.s.rCC, 11);
  EXPECT_EQ(m.s.Lamp[kBreakpointStopLamp], LampColour::Red);
  EXPECT_EQ(m.s.Lamp[kRunningLamp], LampColour::Red);  // stopped, whatever ended the run
  EXPECT_EQ(m.Mem(200), kZeroWord);
  EXPECT_FALSE(m.s.Running);
  EXPECT_TRUE(m.s.Panel.ControlsEnabled);

  m.cpu.Run();
  EXPECT_EQ(m.Mem(200), W("000000000042"));
  EXPECT_EQ(m.s.rCC, 13);
  EXPECT_EQ(m.s.Lamp[kBreakpointStopLamp], LampColour::Grey);
}

TEST_P(RunControl, WordLimitStopsARunAsTheStopButtonWould) {
  m.s.rCC = 10;
  m.cpu.SetWordLimit(1500);
  m.cpu.Run();
  EXPECT_EQ(m.s.LastStop, StopReason::WordLimit);
  EXPECT_EQ(m.cpu.WordsExecuted(), 1500u);
  EXPECT_EQ(m.s.rCC, (10 + 1500) % m.s.MemorySize);  // wraps on ORMLAX I
  EXPECT_FALSE(m.s.Running);
  EXPECT_EQ(m.s.Lamp[kRunningLamp], LampColour::Red);
  EXPECT_TRUE(m.s.Panel.ControlsEnabled);

  // A run that ends by itself within the limit has not reached it.
  m.Load(20, {"900000000000"});
  m.s.rCC = 15;
  m.cpu.Run();
  EXPECT_EQ(m.s.LastStop, StopReason::StopInstruction);
  EXPECT_EQ(m.cpu.WordsExecuted(), 1506u);
  EXPECT_EQ(m.s.rCC, 21);
}

enum class Button { Run, SingleStep, SingleInstruction, Stop };

TEST_P(RunControl, HoldEndsAsTheReleasingButtonSays) {
  // 10: Q with target 50, then rA += (50). 11 and 51 stop the machine.
  struct Case {
    const char* name;
    bool startByRun;
    Button release;
    bool goTo;
    int rCC;
    LampColour runningLamp;
    bool checkLamp;
  };
  const std::vector<Case> cases = {
      {"run, Stop", true, Button::Stop, true, 50, LampColour::Red, true},
      {"run, Single Step", true, Button::SingleStep, true, 50, LampColour::Yellow, true},
      {"run, Single Instruction", true, Button::SingleInstruction, true, 50, {}, false},
      {"run, Run", true, Button::Run, true, 52, LampColour::Red, true},
      {"run, Run, No go", true, Button::Run, false, 12, LampColour::Red, true},
      {"step, Stop", false, Button::Stop, true, 50, LampColour::Yellow, true},
      {"step, Single Step", false, Button::SingleStep, true, 50, LampColour::Yellow, true},
      {"step, Single Instruction", false, Button::SingleInstruction, true, 50, LampColour::Yellow,
       true},
      {"step, Run", false, Button::Run, true, 52, LampColour::Red, true},
      {"step, Run, No go", false, Button::Run, false, 12, LampColour::Red, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MachineFixture f{ModelII()};
    f.s.QTSwitches[3] = true;
    f.Load(10, {"Q30000A00050", "900000000000"});
    f.Load(50, {"000000000003", "900000000000"});
    f.s.rL = W(c.goTo ? "000000000000" : "000000000001");
    f.s.rCC = 10;
    int holds = 0;
    f.op.SetIdleAction([&] {
      if (!f.s.InQTStop) return;
      ++holds;
      switch (c.release) {
        case Button::Run:
          f.cpu.Run();
          break;
        case Button::SingleStep:
          f.cpu.SingleStep();
          break;
        case Button::SingleInstruction:
          f.cpu.SingleInstruction();
          break;
        case Button::Stop:
          f.cpu.Stop();
          break;
      }
    });
    if (c.startByRun) {
      f.cpu.Run();
    } else {
      f.cpu.SingleStep();
    }
    EXPECT_EQ(holds, 1);
    EXPECT_EQ(f.s.rCC, c.rCC);
    EXPECT_EQ(f.s.rA, W("000000000003"));  // the held word ran once, both halves
    EXPECT_FALSE(f.s.Running);
    EXPECT_FALSE(f.s.InQTStop);
    EXPECT_FALSE(f.s.WaitingAtStop);
    EXPECT_FALSE(f.s.HalfStepPending);
    EXPECT_EQ(f.s.Lamp[kQTStopLamp], LampColour::Grey);
    if (c.checkLamp) {
      EXPECT_EQ(f.s.Lamp[kRunningLamp], c.runningLamp);
    }
  }
}

TEST_P(RunControl, ButtonsReleaseAHoldMetInTheLeftHalfOfASingleInstruction) {
  // 10: Q (No go: rA differs from rL) with target 50, then rA += (50); 11: stores rA at 201.
  for (Button release : {Button::SingleStep, Button::SingleInstruction, Button::Stop}) {
    SCOPED_TRACE(static_cast<int>(release));
    MachineFixture f{ModelII()};
    f.s.QTSwitches[3] = true;
    f.s.rL = W("000000000001");
    f.Load(10, {"Q30000A00050", "H00201000000"});
    f.Load(50, {"000000000003"});
    f.s.rCC = 10;
    int holds = 0;
    f.op.SetIdleAction([&] {
      if (!f.s.InQTStop || holds++ > 0) return;
      switch (release) {
        case Button::SingleStep:
          f.cpu.SingleStep();
          break;
        case Button::SingleInstruction:
          f.cpu.SingleInstruction();
          break;
        default:
          f.cpu.Stop();
          break;
      }
    });
    f.cpu.SingleInstruction();
    EXPECT_EQ(holds, 1);
    EXPECT_FALSE(f.s.InQTStop);
    EXPECT_FALSE(f.s.WaitingAtStop);
    EXPECT_FALSE(f.s.Running);
    EXPECT_EQ(f.s.rCC, 10);
    EXPECT_TRUE(f.s.HalfStepPending);  // the right half is still to come

    f.cpu.SingleInstruction();
    EXPECT_EQ(f.s.rA, W("000000000003"));
    EXPECT_EQ(f.s.rCC, 11);
    EXPECT_FALSE(f.s.HalfStepPending);
    EXPECT_EQ(f.Mem(201), kZeroWord);
  }
}

}  // namespace
}  // namespace ormlax::testing

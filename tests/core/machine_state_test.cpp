// The machine state's model set-up, lamps, control display and clearing operations.
#include "core/machine_state.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/clear_operations.h"
#include "installation/installation.h"
#include "tests/support/machine_fixture.h"

namespace ormlax {
namespace {

using ormlax::testing::W;

// MachineState holds ten thousand words: keep it off the stack.
std::unique_ptr<MachineState> NewState(bool modelII) {
  auto s = std::make_unique<MachineState>();
  SetUpModel(*s, modelII);
  return s;
}

TEST(SetUpModelTest, FixesSizeAddressWidthAndRegisterLabelsOfEachModel) {
  struct Case {
    bool modelII;
    int memorySize, addressDigits;
    const char* format;
    const char* vLabel;
    const char* yLabel;
  };
  const Case cases[] = {
      {false, 1000, 3, "000", "rV", "rY"},
      {true, 10000, 4, "0000", "rW", "rZ"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.modelII ? "ORMLAX II" : "ORMLAX I");
    // Start from the other model, so that nothing is left over from it.
    auto s = NewState(!c.modelII);
    SetUpModel(*s, c.modelII);
    EXPECT_EQ(s->IsModelII, c.modelII);
    EXPECT_EQ(s->MemorySize, c.memorySize);
    EXPECT_EQ(s->AddressDigits, c.addressDigits);
    EXPECT_EQ(s->AddressFormat, c.format);
    EXPECT_STREQ(VRegisterLabel(*s), c.vLabel);
    EXPECT_STREQ(YRegisterLabel(*s), c.yLabel);
  }
}

TEST(SetOperatingAsITest, NarrowsAndRestoresMemoryAndAddressesOfOrmlaxII) {
  auto s = NewState(true);
  SetOperatingAsI(*s, true);
  EXPECT_TRUE(s->OperatingAsI);
  EXPECT_EQ(s->MemorySize, 1000);
  EXPECT_EQ(s->AddressDigits, 3);
  EXPECT_EQ(s->AddressFormat, "000");
  EXPECT_EQ(FormatAddress(*s, 42), "042");
  // The machine is still an ORMLAX II.
  EXPECT_TRUE(s->IsModelII);
  EXPECT_STREQ(VRegisterLabel(*s), "rW");

  SetOperatingAsI(*s, false);
  EXPECT_FALSE(s->OperatingAsI);
  EXPECT_EQ(s->MemorySize, 10000);
  EXPECT_EQ(s->AddressDigits, 4);
  EXPECT_EQ(s->AddressFormat, "0000");
  EXPECT_EQ(FormatAddress(*s, 42), "0042");
}

TEST(FormatAddressTest, PadsWithZerosToTheModelsWidth) {
  struct Case {
    bool modelII;
    int address;
    const char* text;
  };
  const Case cases[] = {
      {false, 0, "000"}, {false, 7, "007"},  {false, 42, "042"},  {false, 999, "999"},
      {true, 0, "0000"}, {true, 42, "0042"}, {true, 999, "0999"}, {true, 9999, "9999"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << (c.modelII ? "II " : "I ") << c.address);
    auto s = NewState(c.modelII);
    EXPECT_EQ(FormatAddress(*s, c.address), c.text);
  }
}

TEST(LampTest, ColoursHaveTheirRgbValues) {
  EXPECT_EQ(ColourOf(LampColour::Grey), (Rgb{128, 128, 128}));
  EXPECT_EQ(ColourOf(LampColour::Green), (Rgb{0, 255, 0}));
  EXPECT_EQ(ColourOf(LampColour::Cyan), (Rgb{0, 255, 255}));
  EXPECT_EQ(ColourOf(LampColour::Red), (Rgb{255, 0, 0}));
  EXPECT_EQ(ColourOf(LampColour::Yellow), (Rgb{255, 255, 0}));
}

TEST(LampTest, LabelsNameTheEightLamps) {
  const char* expected[kLampCount] = {"Overflow", "Invalid opcode",  "Breakpoint stop", "Q/T stop",
                                      "Running",  "Invalid operand", "Invalid address", "50 stop"};
  for (int lamp = 0; lamp < kLampCount; ++lamp) EXPECT_STREQ(LampLabels[lamp], expected[lamp]);
}

TEST(LampTest, SetOverflowLightsAndDarkensOnlyTheOverflowLamp) {
  auto s = NewState(false);
  s->Lamp.fill(LampColour::Yellow);
  SetOverflow(*s, true);
  EXPECT_TRUE(s->OverflowFlag);
  EXPECT_EQ(s->Lamp[kOverflowLamp], LampColour::Red);
  SetOverflow(*s, false);
  EXPECT_FALSE(s->OverflowFlag);
  EXPECT_EQ(s->Lamp[kOverflowLamp], LampColour::Grey);
  for (int lamp = 1; lamp < kLampCount; ++lamp)
    EXPECT_EQ(s->Lamp[lamp], LampColour::Yellow) << lamp;
}

TEST(LampTest, StopWithLampLightsThatLampAndEndsTheRun) {
  for (const int lamp : {kInvalidOpcodeLamp, kBreakpointStopLamp, kInvalidOperandLamp,
                         kInvalidAddressLamp, kFiftyStopLamp}) {
    SCOPED_TRACE(lamp);
    auto s = NewState(true);
    s->Running = true;
    s->Lamp.fill(LampColour::Grey);
    s->Lamp[kRunningLamp] = LampColour::Green;
    StopWithLamp(*s, lamp);
    EXPECT_FALSE(s->Running);
    for (int other = 0; other < kLampCount; ++other) {
      const LampColour expected =
          other == lamp ? LampColour::Red
                        : (other == kRunningLamp ? LampColour::Green : LampColour::Grey);
      EXPECT_EQ(s->Lamp[other], expected) << "lamp " << other;
    }
  }
}

TEST(LampTest, ResetLampsGreysAllButTheRunningLamp) {
  for (const bool running : {true, false}) {
    SCOPED_TRACE(running ? "running" : "stopped");
    auto s = NewState(false);
    s->Running = running;
    s->Lamp.fill(LampColour::Red);
    s->Lamp[kRunningLamp] = LampColour::Cyan;
    ResetLamps(*s);
    for (int lamp = 0; lamp < kLampCount; ++lamp) {
      const LampColour expected = lamp != kRunningLamp ? LampColour::Grey
                                  : running            ? LampColour::Green
                                                       : LampColour::Red;
      EXPECT_EQ(s->Lamp[lamp], expected) << "lamp " << lamp;
    }
  }
}

// A stopped machine with rCC at 42 and the panel blanked as during a run.
struct ControlDisplayFixture : ::testing::Test {
  ControlDisplayFixture() : s(NewState(true)) {
    s->rCC = 42;
    s->Memory[42] = W("B00100H00200");
    s->rCR = W("777777777777");
    s->Panel.rCCBlank = true;
    s->Panel.rCRBlank = true;
    s->Panel.LocationEnabled = false;
    s->Panel.rSRBlank = false;
  }
  std::unique_ptr<MachineState> s;
};

TEST_F(ControlDisplayFixture, WhenStoppedShowsRccAndTakesRcrFromMemory) {
  RefreshControlDisplay(*s, false);
  EXPECT_EQ(s->rCR, W("B00100H00200"));
  EXPECT_FALSE(s->Panel.rCCBlank);
  EXPECT_FALSE(s->Panel.rCRBlank);
  EXPECT_TRUE(s->Panel.LocationEnabled);
  EXPECT_FALSE(s->Panel.rSRBlank);
  EXPECT_EQ(s->rCC, 42);
}

TEST_F(ControlDisplayFixture, WhileRunningOnlyEmptiesRsr) {
  s->Running = true;
  RefreshControlDisplay(*s, true);
  EXPECT_EQ(s->rCR, W("777777777777"));
  EXPECT_TRUE(s->Panel.rCCBlank);
  EXPECT_TRUE(s->Panel.rCRBlank);
  EXPECT_FALSE(s->Panel.LocationEnabled);
  EXPECT_TRUE(s->Panel.rSRBlank);
}

TEST_F(ControlDisplayFixture, WhenStoppedAndAskedEmptiesRsrToo) {
  RefreshControlDisplay(*s, true);
  EXPECT_EQ(s->rCR, W("B00100H00200"));
  EXPECT_TRUE(s->Panel.rSRBlank);
}

TEST(ShowLocationTest, ShowsTheWordAndTheLocationInTheModelsFormat) {
  struct Case {
    bool modelII;
    int location;
    const char* text;
  };
  const Case cases[] = {
      {false, 42, "042"}, {true, 42, "0042"}, {true, 9999, "9999"}, {false, 0, "000"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    auto s = NewState(c.modelII);
    s->Memory[static_cast<std::size_t>(c.location)] = W("0ABCDEFGHIJK");
    s->Panel.ContentsEmpty = true;
    ShowLocation(*s, c.location);
    EXPECT_EQ(s->ConsoleLocation, c.location);
    EXPECT_EQ(s->Panel.Contents, W("0ABCDEFGHIJK"));
    EXPECT_FALSE(s->Panel.ContentsEmpty);
    EXPECT_EQ(s->Panel.LocationText, c.text);
  }
}

// Every register and memory place holds something other than the cleared word.
void FillEverything(MachineState& s) {
  s.Memory.fill(W("111111111111"));
  s.rA = W("0A0000000000");
  s.rX = W("0X0000000000");
  s.rL = W("0L0000000000");
  s.rF = W("0F0000000000");
  s.rCR = W("0C0000000000");
  s.rV.fill(W("0V0000000000"));
  s.rY.fill(W("0Y0000000000"));
  s.rI.fill(W("0I0000000000"));
  s.rVStatus = s.rYStatus = s.rIStatus = RegisterStatus::InUse;
  s.Lamp.fill(LampColour::Red);
  s.Panel.rSRBlank = false;
}

void ExpectRegistersCleared(const MachineState& s) {
  EXPECT_EQ(s.rA, kZeroWord);
  EXPECT_EQ(s.rX, kZeroWord);
  EXPECT_EQ(s.rL, kZeroWord);
  EXPECT_EQ(s.rF, kZeroWord);
  for (const Word& w : s.rV) EXPECT_EQ(w, kZeroWord);
  for (const Word& w : s.rY) EXPECT_EQ(w, kZeroWord);
  for (const Word& w : s.rI) EXPECT_EQ(w, kZeroWord);
  EXPECT_STREQ(StatusText(s.rVStatus), "cleared");
  EXPECT_STREQ(StatusText(s.rYStatus), "cleared");
  EXPECT_STREQ(StatusText(s.rIStatus), "cleared");
}

TEST(ClearRegistersTest, ClearsEveryRegisterButKeepsRcc) {
  auto s = NewState(true);
  FillEverything(*s);
  s->rCC = 57;
  s->Memory[57] = W("H00100H00200");
  ASSERT_STREQ(StatusText(s->rIStatus), "in use");
  ClearRegisters(*s);
  ExpectRegistersCleared(*s);
  EXPECT_EQ(s->rCC, 57);
  // The control display is refreshed: rCR shows the word at rCC and rSR is emptied.
  EXPECT_EQ(s->rCR, W("H00100H00200"));
  EXPECT_TRUE(s->Panel.rSRBlank);
  // Memory and lamps are not touched.
  EXPECT_EQ(s->Memory[0], W("111111111111"));
  EXPECT_EQ(s->Lamp[kOverflowLamp], LampColour::Red);
}

TEST(ClearCCTest, SetsRccToZeroAndRefreshesTheDisplay) {
  auto s = NewState(false);
  FillEverything(*s);
  s->Memory[0] = W("B00100H00200");
  s->rCC = 321;
  ClearCC(*s);
  EXPECT_EQ(s->rCC, 0);
  EXPECT_EQ(s->rCR, W("B00100H00200"));
  EXPECT_TRUE(s->Panel.rSRBlank);
  EXPECT_EQ(s->rA, W("0A0000000000"));
}

TEST(ClearMemoryTest, ClearsAllTenThousandWordsRccRegistersAndLamps) {
  for (const bool modelII : {false, true}) {
    SCOPED_TRACE(modelII ? "ORMLAX II" : "ORMLAX I");
    auto s = NewState(modelII);
    FillEverything(*s);
    s->rCC = 123;
    ClearMemory(*s);
    int dirty = 0;
    for (const Word& w : s->Memory) dirty += w == kZeroWord ? 0 : 1;
    EXPECT_EQ(dirty, 0);
    EXPECT_EQ(s->rCC, 0);
    EXPECT_EQ(s->rCR, kZeroWord);
    ExpectRegistersCleared(*s);
    for (int lamp = 0; lamp < kLampCount; ++lamp) {
      EXPECT_EQ(s->Lamp[lamp], lamp == kRunningLamp ? LampColour::Red : LampColour::Grey)
          << "lamp " << lamp;
    }
    EXPECT_TRUE(s->Panel.rSRBlank);
  }
}

TEST(MakeInstallationTest, GivesAFreshlySwitchedOnMachine) {
  struct Case {
    bool modelII;
    int memorySize, addressDigits;
    const char* format;
  };
  const Case cases[] = {{false, 1000, 3, "000"}, {true, 10000, 4, "0000"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.modelII ? "ORMLAX II" : "ORMLAX I");
    const auto installation = MakeInstallation(c.modelII, "somewhere");
    const MachineState& s = installation->Machine;
    EXPECT_EQ(installation->WorkingFolder, std::filesystem::path("somewhere"));
    EXPECT_TRUE(installation->LastAssembledProgram.empty());
    EXPECT_EQ(s.IsModelII, c.modelII);
    EXPECT_EQ(s.MemorySize, c.memorySize);
    EXPECT_EQ(s.AddressDigits, c.addressDigits);
    EXPECT_EQ(s.AddressFormat, c.format);
    int dirty = 0;
    for (const Word& w : s.Memory) dirty += w == kZeroWord ? 0 : 1;
    EXPECT_EQ(dirty, 0);
    ExpectRegistersCleared(s);
    EXPECT_EQ(s.rCC, 0);
    EXPECT_EQ(s.rCR, kZeroWord);
    EXPECT_TRUE(s.Panel.rSRBlank);
    // Stopped, with every lamp dark but the Running lamp, which shows red.
    EXPECT_FALSE(s.Running);
    EXPECT_FALSE(s.OverflowFlag);
    for (int lamp = 0; lamp < kLampCount; ++lamp) {
      EXPECT_EQ(s.Lamp[lamp], lamp == kRunningLamp ? LampColour::Red : LampColour::Grey)
          << "lamp " << lamp;
    }
    // The console shows location 0 and the cleared word.
    EXPECT_EQ(s.ConsoleLocation, 0);
    EXPECT_EQ(s.Panel.LocationText, c.format);
    EXPECT_EQ(s.Panel.Contents, kZeroWord);
    // Options start at their defaults: comma breakpoint off, special functions off.
    EXPECT_FALSE(s.StopOnComma);
    EXPECT_FALSE(s.ProgramDebug);
    EXPECT_FALSE(s.OperatingAsI);
    EXPECT_FALSE(s.HasIInstruction);
    for (const bool sw : s.QTSwitches) EXPECT_FALSE(sw);
  }
}

}  // namespace
}  // namespace ormlax

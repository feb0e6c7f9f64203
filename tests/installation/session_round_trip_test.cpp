// A session saved part of the way through a run and restored into a fresh installation runs on
// to the same end as the run that was never interrupted; everything saved comes back.
#include <gtest/gtest.h>

#include "tests/installation/session_test_support.h"

namespace ormlax::testing {
namespace {

class SessionRoundTrip : public SessionFolderTest {};

TEST_F(SessionRoundTrip, ARunSavedAndRestoredGoesOnToTheSameEnd) {
  struct Case {
    bool modelII;
    int words;      // words run before the session is saved
    bool halfStep;  // then a Single Instruction, which leaves the word's right half to do
    int paper;      // lines of paper: 13 runs out on the way, 300 does not
  } cases[] = {
      {false, 1, false, 300}, {false, 2, true, 300},  {false, 9, false, 13},
      {false, 16, true, 13},  {false, 44, false, 13}, {false, kLoopProgramWords - 1, false, 300},
      {true, 3, false, 13},   {true, 23, true, 300},  {true, 58, false, 300},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "model II " << c.modelII << ", saved after " << c.words
                                      << " words" << (c.halfStep ? " and a half" : ""));
    const fs::path wholeDir = Folder("whole"), cutDir = Folder("cut");
    Station whole(c.modelII, wholeDir, 1);
    SetUpLoop(whole, c.paper);
    whole.sim.Cpu().Run();
    ASSERT_EQ(whole.M().LastStop, StopReason::StopInstruction);

    {
      Station first(c.modelII, cutDir, 2);
      SetUpLoop(first, c.paper);
      first.sim.Cpu().SetWordLimit(static_cast<std::uint64_t>(c.words));
      first.sim.Cpu().Run();
      ASSERT_EQ(first.M().LastStop, StopReason::WordLimit);
      if (c.halfStep) first.sim.Cpu().SingleInstruction();
      std::string error;
      ASSERT_TRUE(SaveSession(first.O(), "cut.session", error)) << error;
    }
    Station restored(c.modelII, cutDir, 3);  // another seed: another paper supply at start-up
    std::string error;
    ASSERT_TRUE(RestoreSession(restored.O(), "cut.session", error)) << error;
    restored.sim.Cpu().Run();

    EXPECT_EQ(restored.M().LastStop, StopReason::StopInstruction);
    const TypewriterState& a = whole.sim.Ormprinter().State();
    const TypewriterState& b = restored.sim.Ormprinter().State();
    EXPECT_EQ(b.Paper, a.Paper);
    EXPECT_EQ(b.PaperLeft, a.PaperLeft);
    EXPECT_EQ(b.PaperBlack, a.PaperBlack);
    EXPECT_EQ(ReadAt(cutDir / "out.tap"), ReadAt(wholeDir / "out.tap"));
    EXPECT_EQ(ReadAt(cutDir / "data.tap"), DataTape());
    for (const Word MachineState::*r : {&MachineState::rA, &MachineState::rX, &MachineState::rL}) {
      EXPECT_EQ(restored.M().*r, whole.M().*r);
    }
    EXPECT_EQ(restored.M().rCC, whole.M().rCC);
    for (int servo : {1, 2}) {
      EXPECT_EQ(restored.O().Servos[servo].Position, whole.O().Servos[servo].Position);
      EXPECT_EQ(restored.O().Servos[servo].EndOfData, whole.O().Servos[servo].EndOfData);
    }
    ASSERT_TRUE(DumpMemory(whole.O(), "memdump.txt", error)) << error;
    ASSERT_TRUE(DumpMemory(restored.O(), "memdump.txt", error)) << error;
    EXPECT_EQ(ReadAt(cutDir / "memdump.txt"), ReadAt(wholeDir / "memdump.txt"));
    fs::remove_all(wholeDir);
    fs::remove_all(cutDir);
  }
}

// Gives every saved field a value other than a fresh installation's, so a field that is written
// but not read back (or read into the wrong place) shows in the second file.
void SetEveryField(Station& st) {
  MachineState& m = st.M();
  std::string allBytes;
  for (int b = 0; b < 12; ++b) allBytes.push_back(static_cast<char>(b * 23 + 1));
  m.rA = Word::FromText("-00000000042");
  m.rX = Word::FromText(allBytes);
  m.rL = Word::FromText("HELLO WORLDr");
  m.rF = Word::FromText("111111000000");
  m.rCR = Word::FromText("B00100H00200");
  m.rCC = 917;
  m.rSR = Instruction::FromText("H00200");
  m.rV[9] = Word::FromText("VVVVVVVVVVVV");
  m.rY[59] = Word::FromText("YYYYYYYYYYYY");
  m.rI[0] = Word::FromText("[I]\\ \r\n\xC2\xA2");
  m.rVStatus = RegisterStatus::InUse;
  m.rYStatus = RegisterStatus::InUse;
  m.rIStatus = RegisterStatus::InUse;
  SetOperatingAsI(m, true);
  m.HasIInstruction = true;
  m.ProgramDebug = true;
  m.StopOnComma = true;
  m.FiftyBreak = FiftyBreakMode::Stop;
  m.QTSwitches[3] = m.QTSwitches[kQTAll] = true;
  m.DefaultServo = 15;
  m.Lamp = {LampColour::Red,  LampColour::Red,    LampColour::Grey,  LampColour::Red,
            LampColour::Cyan, LampColour::Yellow, LampColour::Green, LampColour::Red};
  m.ExecuteFromCR = m.HalfStepPending = m.OverflowFlag = m.MinusModifier = m.FModifier = true;
  m.CurrentAddress = -1;
  m.NextAddress = 9999;
  m.TransferTaken = true;
  m.TransferSave = {Word::FromText("U00000000000"), Word::FromText("000000U00042")};
  m.FuseReason = 2;
  m.ConsoleLocation = 999;
  m.KeyboardWord = Word::FromText("000000000abc");
  m.LastStop = StopReason::ServoNotReady;
  m.Panel.rCCBlank = m.Panel.rCRBlank = m.Panel.HoldControlsEnabled = m.Panel.ContentsEmpty = true;
  m.Panel.rSRBlank = m.Panel.ControlsEnabled = m.Panel.LocationEnabled = false;
  m.Panel.LocationText = "12x";
  m.Panel.Contents = Word::FromText("0000000000ab");
  m.Panel.QTGoLabels = {"Go to 0042", "No go 0018"};
  m.Panel.QTGo = QTGoChoice::NoGo;
  m.Memory[0] = Word::FromText(allBytes);
  m.Memory[9999] = Word::FromText("LAST WORD  .");

  Typewriter& t = st.sim.Ormprinter();
  TypewriterState& ts = t.State();
  ts.PowerOn = ts.ComputerDigit = ts.ShiftLock = ts.ShiftOnce = ts.StopPending = true;
  ts.Column = 77;
  ts.PaperLeft = 3;
  ts.EndlessPaper = ts.BreakpointStop = ts.PaperBlack = ts.PaperWarningShown = true;
  ts.PaperWarningHeight = 0.94;
  ts.shaOrmprinterLamp = {LampColour::Red, LampColour::Red, LampColour::Red, LampColour::Green,
                          LampColour::Yellow};
  ts.Paper = "first line\r\n\r\n\xC2\xA2 lone \r and \n\r\nunfinished";
  ts.StartEnabled = ts.SectionShown = true;
  ts.HelpContextOffset = kSectionHelpContextOffset;
  t.AppendToPrintBuffer("rest of a word after a stop");
  st.O().LastAssembledProgram = "jobs/prog";
}

TEST_F(SessionRoundTrip, EveryFieldComesBack) {
  for (const bool modelII : {false, true}) {
    SCOPED_TRACE(modelII ? "ORMLAX II" : "ORMLAX I");
    const fs::path folder = Folder(modelII ? "II" : "I");
    std::string saved, again;
    {
      Station st(modelII, folder, 1);
      if (!modelII) {
        // Options only the ORMLAX II has are left alone; its servos end at 9.
        SetEveryField(st);
        SetOperatingAsI(st.M(), false);
        st.M().DefaultServo = 9;
      } else {
        SetEveryField(st);
      }
      WriteAt(folder / "a.tap", TapeBytes({"AAAAAAAAAAAA"}) + TapeBytes({"BBBBBBBBBBBB"}));
      ASSERT_TRUE(MountTape(st.O().Servos, 1, st.op, folder, "a.tap", true));
      ASSERT_TRUE(MountTape(st.O().Servos, 3, st.op, folder, "blank.tap", false));
      st.O().Servos[1].Position = 7;
      st.O().Servos[1].EndOfData = 7;
      ASSERT_TRUE(MountTape(st.O().Servos, 4, st.op, folder, "gone.tap", false));
      st.sim.Tapes().UnloadTape(4);
      saved = st.SessionText("first.session");
    }
    Station fresh(modelII, folder, 99);
    std::string error;
    ASSERT_TRUE(RestoreSession(fresh.O(), "first.session", error)) << error;
    again = fresh.SessionText("second.session");
    EXPECT_EQ(again, saved);

    // A few places read straight from the restored installation.
    EXPECT_EQ(fresh.M().Memory[9999], Word::FromText("LAST WORD  ."));
    EXPECT_EQ(fresh.M().rI[0], Word::FromText("[I]\\ \r\n\xC2\xA2"));
    EXPECT_EQ(fresh.M().MemorySize, modelII ? 1000 : 1000);
    EXPECT_EQ(fresh.sim.Ormprinter().Buffer().Pending(), "rest of a word after a stop");
    EXPECT_EQ(fresh.sim.Ormprinter().State().Paper,
              "first line\r\n\r\n\xC2\xA2 lone \r and \n\r\nunfinished");
    const ServoUnit& ro = fresh.O().Servos[1];
    EXPECT_EQ(ro.State, ServoState::WriteProtected);
    EXPECT_TRUE(ro.File.IsOpen());
    EXPECT_TRUE(ro.File.IsReadOnly());
    EXPECT_EQ(ro.FileName, (folder / "a.tap").string());
    EXPECT_EQ(ro.Position, 7);
    EXPECT_EQ(fresh.O().Servos[3].State, ServoState::ReadWrite);
    EXPECT_EQ(fresh.O().Servos[4].State, ServoState::Unloaded);
    EXPECT_FALSE(fresh.O().Servos[4].File.IsOpen());
    for (const char c : saved) {
      EXPECT_TRUE(c == '\n' || (c >= 0x20 && c <= 0x7E)) << static_cast<int>(c);
    }
  }
}

// The pace is the console's, not the session's: a restore keeps whichever the console has.
TEST_F(SessionRoundTrip, HistoricalSpeedStaysAsTheConsoleHasIt) {
  for (const bool historical : {false, true}) {
    SCOPED_TRACE(historical ? "historical speed on" : "historical speed off");
    const fs::path folder = Folder(historical ? "on" : "off");
    {
      Station st(false, folder, 1);
      st.M().HistoricalSpeed = !historical;
      st.SessionText("pace.session");
    }
    Station fresh(false, folder, 2);
    fresh.M().HistoricalSpeed = historical;
    std::string error;
    ASSERT_TRUE(RestoreSession(fresh.O(), "pace.session", error)) << error;
    EXPECT_EQ(fresh.M().HistoricalSpeed, historical);
  }
}

}  // namespace
}  // namespace ormlax::testing

// The assembler on one installation, and what the console does after a run without errors:
// the whole job of the desktop program's assembler window, as operations on the installation.
#include <gtest/gtest.h>

#include <fstream>

#include "console/panel_operations.h"
#include "core/clear_operations.h"
#include "installation/assembly_operations.h"
#include "installation/simulator.h"
#include "tape/servo_window.h"
#include "tape/tape_mounting.h"
#include "tests/support/scripted_operator.h"
#include "tests/support/test_folder.h"

namespace ormlax::testing {
namespace {

namespace fs = std::filesystem;

// Prints HI and a line end, then stops.
constexpr const char* kHello = "\t50 MSG\t90\r\nMSG\tTXT\tHIr\r\n";

class AssembleOnInstallation : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = ormlax::testing::TestFolder(
        "ormlax_asm_inst_" +
        std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    std::ofstream(dir_ / "hello.asm", std::ios::binary) << kHello;
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
  ScriptedOperator op_;
};

TEST_F(AssembleOnInstallation, AfterARunWithoutErrorsTheTypewriterIsOnAndTheLoadingWordFed) {
  for (const bool poweredOn : {false, true}) {
    SCOPED_TRACE(poweredOn ? "typewriter on" : "typewriter off");
    auto ormlax = MakeInstallation(false, dir_, 1);
    Typewriter& typewriter = ormlax->Ormprinter;
    if (poweredOn) typewriter.PressPower();
    ASSERT_EQ(Assemble(*ormlax, op_, "hello", {}), AssemblyOutcome::Assembled);
    EXPECT_TRUE(PrepareToLoadAssembledProgram(*ormlax));
    EXPECT_TRUE(typewriter.State().PowerOn);
    EXPECT_EQ(typewriter.State().shaOrmprinterLamp[kPowerLamp], LampColour::Green);
    EXPECT_TRUE(typewriter.State().SectionShown);
    EXPECT_TRUE(ormlax->Machine.ExecuteFromCR);
    EXPECT_EQ(ormlax->Machine.rCR.Text(), "1 0000300000");
    // A second assembly leaves it on.
    ASSERT_EQ(Assemble(*ormlax, op_, "hello", {}), AssemblyOutcome::Assembled);
    EXPECT_TRUE(PrepareToLoadAssembledProgram(*ormlax));
    EXPECT_TRUE(typewriter.State().PowerOn);
  }
}

TEST_F(AssembleOnInstallation, NothingIsPreparedAfterErrors) {
  auto ormlax = MakeInstallation(false, dir_, 1);
  std::ofstream(dir_ / "bad.asm", std::ios::binary) << "\tB NOSUCH\t90\r\n";
  ASSERT_EQ(Assemble(*ormlax, op_, "bad", {}), AssemblyOutcome::ErrorsInAssembly);
  EXPECT_FALSE(PrepareToLoadAssembledProgram(*ormlax));
  EXPECT_FALSE(ormlax->Ormprinter.State().PowerOn);
  EXPECT_FALSE(ormlax->Ormprinter.State().SectionShown);
  EXPECT_FALSE(ormlax->Machine.ExecuteFromCR);
}

TEST_F(AssembleOnInstallation, TheModelsAddressWidthAndTheMachinesMemory) {
  auto ormlax = MakeInstallation(true, dir_, 1);
  AssemblyOptions loader;
  loader.InsertLoader = true;
  ASSERT_EQ(Assemble(*ormlax, op_, "hello", loader), AssemblyOutcome::Assembled);
  // The writer's buffer was memory 0 to 59: it keeps the program's first block.
  EXPECT_EQ(ormlax->Machine.Memory[0].Text(), "500001900000");
  EXPECT_EQ(ormlax->Machine.Memory[1].Text(), "HIriiiiiiiii");
  EXPECT_EQ(ormlax->Machine.Memory[2], kZeroWord);
  std::ifstream listing(dir_ / "hello.lst", std::ios::binary);
  std::string line;
  while (std::getline(listing, line) && !line.starts_with("   0")) {
  }
  EXPECT_EQ(line, "   0      \t50 MSG\t90    \t\r");  // four digits on ORMLAX II

  // "O II operating as O I": three digits and a thousand words.
  SetOperatingAsI(ormlax->Machine, true);
  std::string big;
  for (int i = 0; i < 1001; ++i) big += "\t90\t00\r\n";
  std::ofstream(dir_ / "big.asm", std::ios::binary) << big;
  EXPECT_EQ(Assemble(*ormlax, op_, "big", {}), AssemblyOutcome::ErrorsInAssembly);
}

// The job of the assembler window and the console: Assemble, the window closes, Load Servo
// proposes the tape, it is mounted, Single Step loads the first block and Run runs the program.
TEST_F(AssembleOnInstallation, AssembledLoadedAndRunFromTheConsole) {
  auto ormlax = MakeInstallation(false, dir_, 1);
  ormlax->Ormprinter.State().EndlessPaper = true;
  Simulator sim(*ormlax, op_);
  AssemblyOptions loader;
  loader.InsertLoader = true;
  for (int job = 1; job <= 2; ++job) {
    SCOPED_TRACE(job);
    // The loading word leaves rCC as it is, and the program starts at 0: after the first run
    // the operator clears it first (Clear CC later would replace the word fed to rCR).
    ClearCC(ormlax->Machine);
    // The tape of the first job is still mounted: it may not be written over.
    if (job == 2) {
      EXPECT_EQ(Assemble(*ormlax, op_, "hello", loader), AssemblyOutcome::Refused);
      EXPECT_TRUE(DismountTape(ormlax->Servos[0], 0, op_));
    }
    ASSERT_EQ(Assemble(*ormlax, op_, "hello", loader), AssemblyOutcome::Assembled);
    ASSERT_TRUE(PrepareToLoadAssembledProgram(*ormlax));

    ServoWindow window(ormlax->Servos, op_, dir_, false);
    window.Open(ormlax->LastAssembledProgram);
    EXPECT_EQ(window.txtFileName, "hello.obj");
    EXPECT_EQ(ormlax->LastAssembledProgram, "");  // proposed once
    window.SelectServo(0);
    window.NameFile();
    window.Mount();
    ASSERT_EQ(ormlax->Servos[0].State, ServoState::ReadWrite);

    sim.Cpu().SingleStep();
    EXPECT_FALSE(ormlax->Machine.ExecuteFromCR);
    sim.Cpu().Run();
    EXPECT_EQ(ormlax->Machine.LastStop, StopReason::StopInstruction);
    EXPECT_EQ(ormlax->Ormprinter.State().Paper, job == 1 ? "hi\r\n" : "hi\r\nhi\r\n");
  }
}

}  // namespace
}  // namespace ormlax::testing

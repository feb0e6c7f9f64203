// The machine: any memory image run for a bounded number of words on either model, with tapes
// mounted, the typewriter on and an operator who types a few words and otherwise nothing. After
// the run memory holds only what a tape can hold, the memory dump is written and every tape the
// program may have written still mounts.
//
// Byte 0: bit 0 ORMLAX II, bit 1 program debug, bit 2 stop on comma, bits 3-4 the fifty-break
// mode, bit 5 the I instruction, bit 6 ORMLAX II operating as ORMLAX I, bit 7 start by loading
// the tape on the default servo instead of at location 0. Byte 1: the default servo. Byte 2: the
// Q/T switches 0-7 that are set. The rest is memory from location 0, 12 characters a word; a byte
// a tape cannot hold is read as "0". The image, as a tape of whole blocks, is mounted on servos
// "-" and 1, and write-protected on 3; servo 2 holds a blank tape.
#include <cstddef>
#include <cstdint>

#include "console/panel_operations.h"
#include "core/character_code.h"
#include "fuzz/fuzz_support.h"
#include "installation/console_operations.h"
#include "installation/simulator.h"
#include "tape/tape_file.h"
#include "tape/tape_mounting.h"

namespace ormlax::fuzz {
namespace {

constexpr std::uint64_t kWordLimit = 20000;
constexpr int kYieldLimit = 1000;
constexpr int kKeyboardWords = 3;
constexpr int kImageBlocks = 4;  // at most, on the tapes

// An operator nobody sits at, as on the command line: a typewriter halted by a stop code is
// started again, a hold is ended as by the Stop button, and the keyboard window gets a few words
// typed and is then closed. After many yields the Stop button is pressed.
class MachineOperator : public QuietOperator {
 public:
  void Attach(Simulator& simulator) { sim_ = &simulator; }

  void YieldToInterface() override {
    if (sim_ == nullptr) return;
    Typewriter& typewriter = sim_->Ormprinter();
    if (!typewriter.PrintBufferEmpty() && typewriter.State().StopPending) typewriter.PressStart();
    if (sim_->Machine().WaitingAtStop || ++yields_ > kYieldLimit) sim_->Cpu().Stop();
  }

  KeyboardEntry OpenKeyboardWindow(bool) override {
    if (keyboardWords_ == kKeyboardWords) return {};
    ++keyboardWords_;
    return KeyboardEntry{true, "00000000012" + std::to_string(keyboardWords_), false};
  }

 private:
  Simulator* sim_ = nullptr;
  int yields_ = 0;
  int keyboardWords_ = 0;
};

}  // namespace
}  // namespace ormlax::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ormlax;
  using namespace ormlax::fuzz;
  InputReader input(data, size);
  const std::uint8_t flags = input.Byte();
  const std::uint8_t servo = input.Byte();
  const std::uint8_t switches = input.Byte();
  std::string image(input.Rest());
  for (char& c : image) {
    if (!IsTapeCharacter(c)) c = '0';
  }

  const fs::path& folder = ScratchFolder();
  const bool modelII = (flags & 1) != 0;
  const std::string tape = TapeBytesOf(image, 1, kImageBlocks);
  for (const char* name : {"image.tap", "image1.tap", "image3.tap"}) WriteFile(folder / name, tape);

  auto ormlax = MakeInstallation(modelII, folder, 1);
  MachineOperator op;
  Simulator sim(*ormlax, op);
  op.Attach(sim);
  MachineState& s = sim.Machine();
  SetProgramDebug(s, (flags & 2) != 0);
  SetStopOnComma(s, (flags & 4) != 0);
  SetFiftyBreak(s, static_cast<FiftyBreakMode>(((flags >> 3) & 3) % 3));
  SetHasIInstruction(s, (flags & 32) != 0);
  if (modelII && (flags & 64) != 0) SetOperatingAsI(s, true);
  for (int k = 0; k < 8; ++k) {
    if ((switches >> k & 1) != 0) SetQTSwitch(s, k);
  }
  s.DefaultServo = servo % ServoCountOf(modelII);
  for (std::size_t w = 0; w * Word::kLength < image.size() && w < s.Memory.size(); ++w) {
    s.Memory[w] = Word::FromText(std::string_view(image).substr(w * Word::kLength, Word::kLength));
  }

  Typewriter& typewriter = sim.Ormprinter();
  typewriter.State().EndlessPaper = true;
  typewriter.PressPower();
  Require(MountTape(ormlax->Servos, 0, op, folder, "image.tap", false) &&
              MountTape(ormlax->Servos, 1, op, folder, "image1.tap", false) &&
              MountTape(ormlax->Servos, 2, op, folder, "blank.tap", false) &&
              MountTape(ormlax->Servos, 3, op, folder, "image3.tap", true),
          "the tapes mount");
  if ((flags & 128) != 0) LoadProgramFromServo(s);

  sim.Cpu().SetWordLimit(kWordLimit);
  sim.Cpu().Run();

  for (const Word& w : s.Memory)
    Require(HoldsTapeCharacters(w.View()), "memory holds tape characters");
  for (const Word* r : {&s.rA, &s.rX, &s.rL, &s.rF, &s.rCR}) {
    Require(HoldsTapeCharacters(r->View()), "the registers hold tape characters");
  }
  std::string error;
  Require(DumpMemory(*ormlax, "memdump.txt", error), "the memory dump is written");
  SwitchOff(*ormlax);
  for (const char* tape : {"image.tap", "image1.tap", "blank.tap", "image3.tap"}) {
    if (!fs::exists(folder / tape)) continue;
    Require(TapeMountStep(op, folder / tape, false, true).has_value(),
            "a tape the program wrote still mounts");
  }
  return 0;
}

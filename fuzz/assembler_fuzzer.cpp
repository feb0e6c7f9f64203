// A whole assembler run on any source: the first byte chooses the model (bit 0: ORMLAX II) and
// the window's check boxes (bit 1 overflow code, bit 2 loader, bit 3 keep intermediates); the
// rest is prog.asm. An object tape the run reports as written is a tape the units mount.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "installation/assembly_operations.h"
#include "installation/installation.h"
#include "tape/tape_recognition.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ormlax;
  using namespace ormlax::fuzz;
  InputReader input(data, size);
  const std::uint8_t flags = input.Byte();
  const fs::path& folder = ScratchFolder();
  WriteFile(folder / "prog.asm", input.Rest());

  auto ormlax = MakeInstallation((flags & 1) != 0, folder, 1);
  QuietOperator op;
  AssemblyOptions options;
  options.InsertOverflowCode = (flags & 2) != 0;
  options.InsertLoader = (flags & 4) != 0;
  options.KeepIntermediates = (flags & 8) != 0;
  const AssemblyOutcome outcome = Assemble(*ormlax, op, "prog", options);
  Require(outcome == AssemblyOutcome::Assembled || outcome == AssemblyOutcome::ErrorsInAssembly,
          "a source that can be read is assembled, or its errors are listed");
  Require(fs::exists(folder / "prog.lst"), "every run writes its listing");
  if (outcome == AssemblyOutcome::Assembled) {
    Require(TapeMountStep(op, folder / "prog.obj", false, true).has_value(),
            "the object tape mounts");
    Require(PrepareToLoadAssembledProgram(*ormlax), "an assembled program can be loaded");
  }
  return 0;
}

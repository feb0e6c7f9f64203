// A whole assembler run on any source: the first byte chooses the model (bit 0: ORMLAX II) and
// the window's check boxes (bit 1 overflow code, bit 2 loader, bit 3 keep intermediates); the
// rest is prog.asm. Any text is assembled or its errors listed (a file holding a NUL byte is no
// text, and is refused); an object tape the run reports as written is a tape the units mount.
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
  const std::string_view source = input.Rest();
  const fs::path& folder = ScratchFolder();
  WriteFile(folder / "prog.asm", source);

  auto ormlax = MakeInstallation((flags & 1) != 0, folder, 1);
  QuietOperator op;
  AssemblyOptions options;
  options.InsertOverflowCode = (flags & 2) != 0;
  options.InsertLoader = (flags & 4) != 0;
  options.KeepIntermediates = (flags & 8) != 0;
  const AssemblyOutcome outcome = Assemble(*ormlax, op, "prog", options);
  if (source.find('\0') != std::string_view::npos) {
    // No text holds a NUL byte: the source is refused with a message.
    Require(outcome == AssemblyOutcome::HostFileError && op.messages == 1,
            "a source with a NUL byte is refused");
    return 0;
  }
  Require(outcome == AssemblyOutcome::Assembled || outcome == AssemblyOutcome::ErrorsInAssembly,
          "a text is assembled, or its errors are listed");
  Require(fs::exists(folder / "prog.lst"), "every run writes its listing");
  if (outcome == AssemblyOutcome::Assembled) {
    Require(TapeMountStep(op, folder / "prog.obj", false, true).has_value(),
            "the object tape mounts");
    Require(PrepareToLoadAssembledProgram(*ormlax), "an assembled program can be loaded");
  }
  return 0;
}

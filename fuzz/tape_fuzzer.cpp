// Tape recognition and record reading: any file named as a tape goes through the name step and
// the mount step, its records are read as the tape units and the readers of the off-line
// equipment read them, and a tape that was mounted holds nothing a tape cannot hold.
//
// The first byte chooses the file: 0 the rest of the input as it is; 1 the rest as the characters
// of records in the tape layout, filled out to whole blocks, so that most inputs get past the
// checks of the length.
#include <cstddef>
#include <cstdint>

#include "core/character_code.h"
#include "fuzz/fuzz_support.h"
#include "offline/name_acceptance.h"
#include "offline/offline_desk.h"
#include "offline/tape_conversions.h"
#include "tape/tape_file.h"
#include "tape/tape_recognition.h"

namespace ormlax::fuzz {
namespace {

void ReadEveryRecord(TapeFile& file, bool mounted) {
  const std::optional<std::int32_t> count = file.RecordCount();
  if (!count) return;
  for (int n = 1; n <= *count + 1; ++n) {
    const std::optional<TapeRecord> record = file.ReadRecord(n);
    const std::optional<std::string> text = file.ReadRecordText(n);
    if (n > *count) continue;
    Require(record.has_value() && text.has_value(), "a record within the file reads");
    if (!mounted) continue;
    for (const Word& w : *record) {
      for (char c : w.chars) Require(IsTapeCharacter(c), "a mounted tape holds tape characters");
    }
  }
}

void ConvertTape(const fs::path& folder, const fs::path& tape, bool toAssembler) {
  ServoUnits servos;
  OffLineState state;
  Plugboard board;
  QuietOperator op;
  OffLineDesk desk{folder, servos, state, board, op};
  if (AcceptSource(desk, tape.filename().string()) != NameAcceptance::Accepted ||
      AcceptTarget(desk, toAssembler ? "out.asm" : "out.txt") != NameAcceptance::Accepted) {
    return;
  }
  if (toAssembler) {
    ConvertTapeToAssembler(desk);
  } else {
    ConvertTapeToText(desk);
  }
}

}  // namespace
}  // namespace ormlax::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ormlax;
  using namespace ormlax::fuzz;
  InputReader input(data, size);
  const std::uint8_t mode = input.Byte();
  const std::string_view rest = input.Rest();
  const fs::path& folder = ScratchFolder();
  const fs::path path = folder / "in.tap";
  WriteFile(path, (mode & 1) != 0 ? TapeBytesOf(rest) : std::string(rest));

  QuietOperator op;
  const TapeValidity validity = ValidateTape(path);
  const NameStepResult named = TapeNameStep(op, "in.tap", path);
  Require((validity == TapeValidity::ValidTape) == (named == NameStepResult::Accepted),
          "the name step accepts exactly the files of whole blocks");
  std::optional<MountedTape> mounted = TapeMountStep(op, path, false, (mode & 2) != 0);
  if (mounted) {
    Require(named == NameStepResult::Accepted, "only a named tape mounts");
    ReadEveryRecord(mounted->File, true);
    mounted->File.Close();
  }

  TapeFile file;
  if (file.OpenExisting(path, true)) {
    ReadEveryRecord(file, false);
    file.HasTapeRecords();
    file.Close();
  }
  ConvertTape(folder, path, (mode & 4) != 0);
  return 0;
}

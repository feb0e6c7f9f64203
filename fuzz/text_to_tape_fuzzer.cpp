// The text-to-tape conversion of any text: the text becomes a tape the units mount, holding the
// text's characters without CR, LF and TAB, every other byte that is not a machine character
// made "n", filled out with "0" to whole blocks.
#include <cstddef>
#include <cstdint>

#include "core/character_code.h"
#include "fuzz/fuzz_support.h"
#include "offline/name_acceptance.h"
#include "offline/offline_desk.h"
#include "offline/text_to_tape.h"
#include "tape/tape_file.h"
#include "tape/tape_recognition.h"

namespace ormlax::fuzz {
namespace {

std::string TapeCharactersOf(std::string_view text) {
  std::string kept;
  for (const char c : text) {
    if (c != '\r' && c != '\n' && c != '\t') kept.push_back(CodeOf(c) >= 0 ? c : 'n');
  }
  const std::size_t block = kBlockRecords * kRecordCharacters;
  kept.resize((kept.size() + block - 1) / block * block, '0');
  return kept;
}

}  // namespace
}  // namespace ormlax::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ormlax;
  using namespace ormlax::fuzz;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const fs::path& folder = ScratchFolder();
  WriteFile(folder / "in.txt", text);

  ServoUnits servos;
  OffLineState state;
  Plugboard board;
  QuietOperator op;
  OffLineDesk desk{folder, servos, state, board, op};
  Require(AcceptSource(desk, "in.txt") == NameAcceptance::Accepted &&
              AcceptTarget(desk, "out.tap") == NameAcceptance::Accepted,
          "a fresh source and target are accepted");
  Require(ConvertTextToTape(desk) == OffLineOutcome::Completed, "a short text is converted");

  std::optional<MountedTape> tape = TapeMountStep(op, folder / "out.tap", false, true);
  Require(tape.has_value(), "the tape mounts");
  std::string characters;
  for (int n = 1; n < tape->EndOfData; ++n) {
    const std::optional<TapeRecord> record = tape->File.ReadRecord(n);
    Require(record.has_value(), "every record reads");
    for (const Word& w : *record) characters += w.Text();
  }
  Require(characters == TapeCharactersOf(text), "the tape holds the text's characters");
  return 0;
}

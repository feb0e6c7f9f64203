#include "offline/text_to_tape.h"

#include "core/character_code.h"
#include "offline/offline_messages.h"
#include "offline/run_support.h"
#include "offline/text_files.h"
#include "tape/new_tape_file.h"
#include "tape/tape_recognition.h"

namespace ormlax {

using namespace offline;  // the off-line equipment's file and run helpers
namespace {

constexpr std::size_t kBlockCharacters = kBlockRecords * kRecordCharacters;
constexpr std::size_t kTapeCharacters = kTapeBlocks * kBlockCharacters;

// Appends the characters of the piece that go onto the tape; false once there are too many.
bool Keep(std::string_view piece, std::string& kept) {
  for (const char c : piece) {
    if (c == '\r' || c == '\n' || c == '\t') continue;
    if (kept.size() == kTapeCharacters) return false;
    kept.push_back(CodeOf(c) >= 0 ? c : 'n');
  }
  return true;
}

void Pad(std::string& kept) {
  kept.resize((kept.size() + kBlockCharacters - 1) / kBlockCharacters * kBlockCharacters, '0');
}

}  // namespace

OffLineOutcome ConvertTextToTape(OffLineDesk& desk) {
  OffLineState& s = desk.State;
  if (s.Source == SourceKind::None || s.Target == TargetKind::None) {
    ShowOkMessage(desk.Op, std::string(offline_text::kNeedsSourceAndTarget));
    return OffLineOutcome::Refused;
  }
  if (!s.MayOverwrite) {
    ShowOkMessage(desk.Op, std::string(offline_text::kOverwriteNotAllowed));
    return OffLineOutcome::Refused;
  }
  if (TargetIsSource(desk)) return OffLineOutcome::Refused;

  std::string kept;
  bool fits = true;
  std::string error;
  const bool read = ReadFilePieces(
      s.SourcePath, [&](std::string_view piece) { return fits = Keep(piece, kept); }, error);
  if (!read) {
    ShowOkMessage(desk.Op, HostFileMessage(s.SourcePath, "cannot be read", error));
    return OffLineOutcome::HostFailure;
  }
  if (!fits) {
    ShowOkMessage(desk.Op, std::string(offline_text::kTextTooLong));
    return OffLineOutcome::Refused;
  }
  Pad(kept);

  NewTapeFile target;
  bool written = target.Begin(s.TargetPath);
  for (std::size_t at = 0; written && at < kept.size(); at += kBlockCharacters) {
    TapeBlock block;
    for (std::size_t w = 0; w < block.size(); ++w) {
      block[w] =
          Word::FromText(std::string_view(kept).substr(at + w * Word::kLength, Word::kLength));
    }
    written = target.WriteBlock(block);
  }
  if (!written || !target.Commit()) {
    ShowOkMessage(desk.Op, HostFileMessage(s.TargetPath, "cannot be written", target.Reason()));
    return OffLineOutcome::HostFailure;
  }
  ResetDesk(desk);
  return OffLineOutcome::Completed;
}

}  // namespace ormlax

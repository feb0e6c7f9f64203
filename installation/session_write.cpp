// Saving a session: the installation as a record, the record as text, the text into the file.
#include <memory>

#include "core/durable_file.h"
#include "installation/session_fields.h"
#include "installation/session_file.h"
#include "tape/tape_mounting.h"

namespace ormlax {
namespace {

std::string SessionFileText(SessionRecord& record) {
  std::string text = std::string(kSessionHeader) + std::to_string(kSessionVersion) + "\n";
  text += std::string("model ") + SessionModelName(record.ModelII) + "\n";
  for (const SessionField& field : SessionFields()) {
    if (field.section != nullptr) text += std::string("# ") + field.section + "\n";
    for (const std::string& values : field.write(record)) {
      text += std::string(field.key) + " " + values + "\n";
    }
  }
  return text + "end\n";
}

std::string CannotWrite(const std::filesystem::path& path, const std::string& reason) {
  return "The session file " + path.string() + " cannot be written: " + reason;
}

// The text goes beside the file first, so an earlier session of that name stays whole until the
// new one is on disk.
bool WriteSessionFile(const std::filesystem::path& path, const std::string& text,
                      std::string& error) {
  std::string reason;
  if (WriteWholeFile(path, text, reason)) return true;
  error = CannotWrite(path, reason);
  return false;
}

}  // namespace

bool SaveSession(Installation& ormlax, const std::filesystem::path& file, std::string& error) {
  if (!SessionMachineAtRest(ormlax, "saved", error)) return false;
  const std::filesystem::path path = FullPathOf(ormlax.WorkingFolder, file.string());
  if (const int servo = ServoHoldingFile(ormlax.Servos, path); servo >= 0) {
    error = CannotWrite(path, std::string("it is the tape on Servo  ") + ServoIdentifier(servo));
    return false;
  }
  auto record = std::make_unique<SessionRecord>();
  if (!CaptureSession(ormlax, *record, error)) return false;
  return WriteSessionFile(path, SessionFileText(*record), error);
}

}  // namespace ormlax

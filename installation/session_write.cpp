// Saving a session: the installation as a record, the record as text, the text into the file.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>

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

// Writes the text beside the file first, so an earlier session of that name stays whole until
// the new one is.
bool WriteWholeFile(const std::filesystem::path& path, const std::string& text,
                    std::string& error) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    error = CannotWrite(path, "it is a folder");
    return false;
  }
  const std::filesystem::path partial = path.string() + ".partial";
  std::FILE* out = std::fopen(partial.c_str(), "wb");
  if (out == nullptr) {
    error = CannotWrite(path, std::strerror(errno));
    return false;
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
  const int writeErrno = errno;
  const bool closed = std::fclose(out) == 0;
  if (!written || !closed) {
    error = CannotWrite(path, std::strerror(written ? errno : writeErrno));
    std::filesystem::remove(partial, ec);
    return false;
  }
  std::filesystem::rename(partial, path, ec);
  if (ec) {
    error = CannotWrite(path, ec.message());
    std::filesystem::remove(partial, ec);
    return false;
  }
  return true;
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
  return WriteWholeFile(path, SessionFileText(*record), error);
}

}  // namespace ormlax

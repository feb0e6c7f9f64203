// Restoring a session: the file read and checked whole into a record, its tapes opened again,
// and only then the installation changed.
#include <sys/stat.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>

#include "installation/session_fields.h"
#include "installation/session_file.h"
#include "tape/servo_unit.h"
#include "tape/tape_mounting.h"
#include "tape/tape_recognition.h"

namespace ormlax {
namespace {

// Far more than the largest session (ten thousand words and the longest paper, all escaped).
constexpr std::int64_t kLargestSessionFile = std::int64_t{64} << 20;

bool ReadSessionFile(const std::filesystem::path& path, std::string& text, std::string& error) {
  const std::string cannot = "The session file " + path.string() + " cannot be read: ";
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    error = errno == ENOENT ? "There is no session file " + path.string()
                            : cannot + std::strerror(errno);
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    error = cannot + NotARegularFile(info.st_mode);
    return false;
  }
  if (info.st_size > kLargestSessionFile) {
    error = path.string() + " is not an ORMLAX session file: it is far too long";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  if (in) bytes << in.rdbuf();
  if (!in || in.bad()) {
    error = cannot + std::strerror(errno);
    return false;
  }
  text = bytes.str();
  return true;
}

class SessionReader {
 public:
  SessionReader(const std::filesystem::path& path, bool modelII, SessionRecord& record,
                std::string& error)
      : path_(path.string()), modelII_(modelII), record_(record), error_(error) {}

  bool Read(const std::string& text) {
    std::size_t at = 0;
    while (at < text.size() && !ended_) {
      const std::size_t end = text.find('\n', at);
      std::string_view line = std::string_view(text).substr(at, end - at);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      ++number_;
      at = end == std::string::npos ? text.size() : end + 1;
      if (!TakeLine(line)) return false;
    }
    if (number_ == 0) return Refuse(path_ + " is not an ORMLAX session file: it is empty");
    if (!ended_) {
      return Refuse("The session file " + path_ +
                    " is cut short: its last line \"end\" is missing");
    }
    for (; at < text.size(); ++at) {
      if (text[at] != '\n' && text[at] != '\r') {
        return Damaged("nothing may follow the line \"end\"");
      }
    }
    return CheckWhole();
  }

 private:
  bool Refuse(const std::string& message) {
    error_ = message;
    return false;
  }
  bool Damaged(const std::string& what) {
    return Refuse("The session file " + path_ + " is damaged at line " + std::to_string(number_) +
                  ": " + what);
  }

  bool TakeLine(std::string_view line) {
    if (number_ == 1) return TakeHeader(line);
    if (number_ == 2) return TakeModel(line);
    if (line.empty() || line[0] == '#') return true;
    std::string wrong;
    std::optional<SessionLine> split = SplitSessionLine(line, wrong);
    if (!split) return Damaged(wrong);
    if (split->key == "end") {
      if (!split->values.empty()) return Damaged("the line \"end\" has no values");
      ended_ = true;
      return true;
    }
    const SessionField* field = FieldNamed(split->key);
    if (field == nullptr) {
      return Damaged("\"" + split->key + "\" is not a field of a session file of version " +
                     std::to_string(kSessionVersion));
    }
    std::string place = field->key;
    if (field->lines == FieldLines::Indexed && !split->values.empty()) {
      place += " " + split->values[0].text;
    }
    if (field->lines != FieldLines::Ordered && !seen_.insert(place).second) {
      return Damaged("a second line for " + place);
    }
    wrong = field->read(record_, split->values);
    if (!wrong.empty()) return Damaged(split->key + ": " + wrong);
    ++lines_[field->key];
    return true;
  }

  bool TakeHeader(std::string_view line) {
    const std::string notSession = path_ + " is not an ORMLAX session file";
    if (!line.starts_with(kSessionHeader)) return Refuse(notSession);
    const std::string_view digits = line.substr(kSessionHeader.size());
    int version = 0;
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), version);
    if (digits.empty() || ec != std::errc() || ptr != digits.data() + digits.size()) {
      return Refuse(notSession);
    }
    if (version != kSessionVersion) {
      return Refuse(path_ + " is a session file of version " + std::string(digits) +
                    "; this program reads version " + std::to_string(kSessionVersion));
    }
    return true;
  }

  bool TakeModel(std::string_view line) {
    if (line != "model I" && line != "model II") {
      return Damaged("the second line must be \"model I\" or \"model II\"");
    }
    const bool modelII = line == "model II";
    if (modelII != modelII_) {
      return Refuse(path_ + " is a session of the ORMLAX " + SessionModelName(modelII) +
                    "; this installation is an ORMLAX " + SessionModelName(modelII_));
    }
    record_.ModelII = modelII;
    SetUpModel(record_.Machine, modelII);
    return true;
  }

  const SessionField* FieldNamed(const std::string& key) const {
    for (const SessionField& f : SessionFields()) {
      if (key == f.key) return &f;
    }
    return nullptr;
  }

  // Every field is there; the servos of the model each have their line.
  bool CheckWhole() {
    for (const SessionField& f : SessionFields()) {
      if (f.lines == FieldLines::Once && lines_[f.key] == 0) {
        return Refuse("The session file " + path_ + " has no line \"" + f.key + "\"");
      }
    }
    for (int n = 0; n < ServoCountOf(modelII_); ++n) {
      if (seen_.count(std::string("servo ") + ServoIdentifier(n)) == 0) {
        return Refuse("The session file " + path_ + " has no line for servo " + ServoIdentifier(n));
      }
    }
    if (modelII_) SetOperatingAsI(record_.Machine, record_.Machine.OperatingAsI);
    return true;
  }

  std::string path_;
  bool modelII_;
  SessionRecord& record_;
  std::string& error_;
  int number_ = 0;
  bool ended_ = false;
  std::set<std::string> seen_;
  std::map<std::string, int> lines_;
};

// Opens the tapes of the servos that had one mounted, each at the same length it had.
bool ReopenTapes(SessionRecord& record, const std::filesystem::path& folder, std::string& error) {
  for (std::size_t n = 0; n < record.Servos.size(); ++n) {
    SavedServo& saved = record.Servos[n];
    if (saved.File.empty()) continue;
    saved.FullPath = FullPathOf(folder, saved.File);
    if (!saved.Length) continue;  // not mounted: nothing is open
    const std::string tape = "The tape " + saved.FullPath.string() + " on Servo  " +
                             ServoIdentifier(static_cast<int>(n));
    std::error_code ec;
    if (!std::filesystem::exists(saved.FullPath, ec)) {
      error = tape + " is gone since the session was saved";
      return false;
    }
    if (!saved.Opened.OpenExisting(saved.FullPath, saved.State == ServoState::WriteProtected)) {
      error = tape + " cannot be opened: " + saved.Opened.LastError();
      return false;
    }
    const std::optional<std::int64_t> length = saved.Opened.Length();
    if (length != saved.Length) {
      error = tape + " has changed size since the session was saved: it had " +
              std::to_string(*saved.Length) + " bytes, and has " +
              (length ? std::to_string(*length) : "an unknown number");
      return false;
    }
  }
  return true;
}

}  // namespace

bool RestoreSession(Installation& ormlax, const std::filesystem::path& file, std::string& error) {
  if (!SessionMachineAtRest(ormlax, "restored", error)) return false;
  const std::filesystem::path path = FullPathOf(ormlax.WorkingFolder, file.string());
  std::string text;
  if (!ReadSessionFile(path, text, error)) return false;
  auto record = std::make_unique<SessionRecord>();
  SessionReader reader(path, ormlax.Machine.IsModelII, *record, error);
  if (!reader.Read(text) || !ReopenTapes(*record, ormlax.WorkingFolder, error)) return false;
  // What programs wrote on the tapes mounted now goes to disk before they are taken off; a tape
  // the host cannot put there keeps the installation as it is.
  for (std::size_t n = 0; n < ormlax.Servos.size(); ++n) {
    TapeFile& tape = ormlax.Servos[n].File;
    if (tape.IsOpen() && !tape.Sync()) {
      error = HostFileMessage(tape.Path(), "cannot be written", tape.LastError()) +
              ServoMessageSuffix(static_cast<int>(n));
      return false;
    }
  }
  CommitSession(*record, ormlax);
  return true;
}

}  // namespace ormlax

#include "core/durable_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <system_error>
#include <utility>

#include "core/file_kind.h"

namespace ormlax {
namespace {

constexpr std::size_t kWritePiece = 1 << 16;
constexpr int kMostLinks = 40;
constexpr int kMostTries = 100;
// Room left in a name for the temporary file's dot and suffix.
constexpr std::size_t kLongestKeptName = 200;

// The file a chain of symbolic links ends at; the path itself when it is no link.
std::filesystem::path FinalTarget(std::filesystem::path path) {
  std::error_code ec;
  for (int hop = 0; hop < kMostLinks; ++hop) {
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec))) break;
    const std::filesystem::path to = std::filesystem::read_symlink(path, ec);
    if (ec) break;
    path = to.is_absolute() ? to : path.parent_path() / to;
  }
  return path;
}

std::uint64_t Mixed(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

// ".NAME.new-" and six letters or digits that differ from call to call.
std::string TemporaryNameFor(const std::string& name, std::uint64_t seed) {
  static constexpr char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::string temporary = "." + name.substr(0, kLongestKeptName) + ".new-";
  std::uint64_t bits = Mixed(seed);
  for (int i = 0; i < 6; ++i, bits /= sizeof kLetters - 1) {
    temporary += kLetters[bits % (sizeof kLetters - 1)];
  }
  return temporary;
}

}  // namespace

DurableFile::~DurableFile() {
  Abandon();
}

DurableFile::DurableFile(DurableFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      folder_(std::exchange(other.folder_, -1)),
      path_(std::move(other.path_)),
      folderPath_(std::move(other.folderPath_)),
      name_(std::move(other.name_)),
      temporaryName_(std::exchange(other.temporaryName_, {})),
      pending_(std::move(other.pending_)),
      reason_(std::move(other.reason_)) {}

DurableFile& DurableFile::operator=(DurableFile&& other) noexcept {
  if (this != &other) {
    Abandon();
    fd_ = std::exchange(other.fd_, -1);
    folder_ = std::exchange(other.folder_, -1);
    path_ = std::move(other.path_);
    folderPath_ = std::move(other.folderPath_);
    name_ = std::move(other.name_);
    temporaryName_ = std::exchange(other.temporaryName_, {});
    pending_ = std::move(other.pending_);
    reason_ = std::move(other.reason_);
  }
  return *this;
}

bool DurableFile::Fail(std::string reason) {
  if (reason_.empty()) reason_ = std::move(reason);
  return false;
}

bool DurableFile::FailFromErrno() {
  return Fail(std::strerror(errno));
}

bool DurableFile::Begin(const std::filesystem::path& path) {
  Abandon();
  reason_.clear();
  pending_.clear();
  path_ = path;
  const std::filesystem::path target = FinalTarget(path);
  name_ = target.filename().string();
  folderPath_ = target.parent_path();
  if (folderPath_.empty()) folderPath_ = ".";
  if (name_.empty() || name_ == "." || name_ == "..") return Fail(NotARegularFile(S_IFDIR));

  folder_ = ::open(folderPath_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder_ < 0) return FailFromErrno();
  struct stat old;
  const bool replaces = ::fstatat(folder_, name_.c_str(), &old, 0) == 0;
  if (!replaces && errno != ENOENT) {
    FailFromErrno();
    CloseFolder();
    return false;
  }
  if (replaces && !S_ISREG(old.st_mode)) {
    CloseFolder();
    return Fail(NotARegularFile(old.st_mode));
  }
  // A file its owner has made read-only is not replaced behind their back.
  if (replaces && ::faccessat(folder_, name_.c_str(), W_OK, AT_EACCESS) != 0) {
    FailFromErrno();
    CloseFolder();
    return false;
  }
  if (!CreateTemporary(name_)) {
    CloseFolder();
    return false;
  }
  if (replaces) {
    // The new file keeps the old one's permissions and, where the host allows, its owner; a
    // refusal of either leaves the new file as the host made it.
    if (::fchmod(fd_, old.st_mode & 07777) != 0) {
    }
    if (::fchown(fd_, old.st_uid, old.st_gid) != 0) {
    }
  }
  return true;
}

bool DurableFile::CreateTemporary(const std::string& name) {
  const auto now =
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  const std::uint64_t seed =
      now ^ (static_cast<std::uint64_t>(::getpid()) << 32) ^ reinterpret_cast<std::uintptr_t>(this);
  for (int attempt = 0; attempt < kMostTries; ++attempt) {
    const std::string temporary =
        TemporaryNameFor(name, seed + static_cast<std::uint64_t>(attempt));
    fd_ = ::openat(folder_, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY,
                   0666);
    if (fd_ >= 0) {
      temporaryName_ = temporary;
      return true;
    }
    if (errno != EEXIST) return FailFromErrno();
  }
  return FailFromErrno();
}

bool DurableFile::Write(std::string_view bytes) {
  if (fd_ < 0 || Failed()) return false;
  pending_.append(bytes);
  if (pending_.size() >= kWritePiece) Flush();
  return !Failed();
}

void DurableFile::Flush() {
  const char* at = pending_.data();
  std::size_t left = pending_.size();
  while (left > 0 && !Failed()) {
    const ssize_t done = ::write(fd_, at, left);
    if (done < 0) {
      if (errno == EINTR) continue;
      FailFromErrno();
    } else if (done == 0) {
      Fail("the host wrote nothing");
    } else {
      at += done;
      left -= static_cast<std::size_t>(done);
    }
  }
  pending_.clear();
}

bool DurableFile::Commit() {
  if (fd_ < 0) return Fail("the file was not begun");
  Flush();
  if (!Failed() && ::fsync(fd_) != 0) FailFromErrno();
  const int fd = std::exchange(fd_, -1);
  if (::close(fd) != 0) FailFromErrno();
  if (!Failed() && ::renameat(folder_, temporaryName_.c_str(), folder_, name_.c_str()) != 0) {
    FailFromErrno();
  }
  if (Failed()) {
    Abandon();
    return false;
  }
  temporaryName_.clear();
  // Some file systems cannot sync a folder at all; they keep nothing to be synced.
  if (::fsync(folder_) != 0 && errno != EINVAL && errno != ENOTSUP) FailFromErrno();
  CloseFolder();
  return !Failed();
}

void DurableFile::Abandon() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporaryName_.empty() && folder_ >= 0) ::unlinkat(folder_, temporaryName_.c_str(), 0);
  temporaryName_.clear();
  pending_.clear();
  CloseFolder();
}

void DurableFile::CloseFolder() {
  if (folder_ >= 0) ::close(folder_);
  folder_ = -1;
}

bool WriteWholeFile(const std::filesystem::path& path, std::string_view bytes,
                    std::string& reason) {
  DurableFile file;
  if (file.Begin(path) && file.Write(bytes) && file.Commit()) return true;
  reason = file.Reason();
  return false;
}

}  // namespace ormlax

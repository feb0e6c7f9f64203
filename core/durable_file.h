// A whole file written anew so that a failure never leaves it half written. The bytes go to a
// temporary file in the same folder; Commit flushes it, syncs it to disk, renames it over the old
// file and syncs the folder, so the new name is on disk too. Until then the old file stays whole,
// and a file abandoned (or dropped without Commit) leaves nothing behind.
//
// No operation throws. A failure answers false and keeps the first reason, the host's (as
// strerror gives it), in Reason(); Path() is the file's name for the message.
//
//   DurableFile out;
//   if (!out.Begin(path)) ...            // out.Reason()
//   out.Write(bytes); out.Write(more);
//   if (!out.Commit()) ...               // out.Path(), out.Reason()
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace ormlax {

class DurableFile {
 public:
  DurableFile() = default;
  ~DurableFile();
  DurableFile(DurableFile&& other) noexcept;
  DurableFile& operator=(DurableFile&& other) noexcept;
  DurableFile(const DurableFile&) = delete;
  DurableFile& operator=(const DurableFile&) = delete;

  // Starts the new file that is to replace `path`. Refused when `path` names anything but a
  // regular file (a folder, a device, a pipe...), a file that may not be written, or a place
  // where no file can be made. A symbolic link is followed: the file it names is replaced.
  bool Begin(const std::filesystem::path& path);
  // Adds the bytes at the end; they are handed to the host in large pieces. False once any write
  // has failed; every later write is dropped.
  bool Write(std::string_view bytes);
  // Puts the new file in the old one's place. False when it did not get there: the temporary
  // file is removed and the old file is as it was. Only the folder's sync comes after the
  // rename; when that fails the new file is in place but not known to be on disk, and that is a
  // failure too.
  bool Commit();
  // Drops the new file; the old one stays as it was.
  void Abandon();

  // Begun, and neither committed nor abandoned.
  bool IsOpen() const { return fd_ >= 0; }
  bool Failed() const { return !reason_.empty(); }
  const std::filesystem::path& Path() const { return path_; }
  const std::string& Reason() const { return reason_; }
  // The temporary file, for a writer that can only write to a path of its own. It must have
  // finished writing there before Commit.
  std::filesystem::path TemporaryPath() const { return folderPath_ / temporaryName_; }

 private:
  bool Fail(std::string reason);
  bool FailFromErrno();
  // Creates the temporary file in the open folder, with a name no file has.
  bool CreateTemporary(const std::string& name);
  void Flush();
  void CloseFolder();

  int fd_ = -1;      // the temporary file
  int folder_ = -1;  // the folder of the file replaced
  std::filesystem::path path_;
  std::filesystem::path folderPath_;
  std::string name_;           // the file's name in its folder
  std::string temporaryName_;  // the temporary file's name there
  std::string pending_;
  std::string reason_;
};

// The whole file at once. False, with the host's reason, when it did not get there; the old file
// then stays as it was.
bool WriteWholeFile(const std::filesystem::path& path, std::string_view bytes, std::string& reason);

}  // namespace ormlax

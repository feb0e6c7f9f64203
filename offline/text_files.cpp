#include "offline/text_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "tape/tape_file.h"

namespace ormlax::offline {
namespace {

// Opens a regular file without waiting on it; -1, with the reason, otherwise.
int OpenRegular(const std::filesystem::path& path, int flags, std::string& error) {
  struct stat st;
  if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    error = NotARegularFile(st.st_mode);
    return -1;
  }
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
  if (fd < 0) {
    error = std::strerror(errno);
    return -1;
  }
  // It may have been replaced since it was looked at.
  if (::fstat(fd, &st) != 0) {
    error = std::strerror(errno);
    ::close(fd);
    return -1;
  }
  if (!S_ISREG(st.st_mode)) {
    error = NotARegularFile(st.st_mode);
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

bool ReadFilePieces(const std::filesystem::path& path,
                    const std::function<bool(std::string_view)>& take, std::string& error) {
  const int fd = OpenRegular(path, O_RDONLY, error);
  if (fd < 0) return false;
  char buffer[1 << 16];
  bool ok = true;
  while (true) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      error = std::strerror(errno);
      ok = false;
      break;
    }
    if (got == 0 || !take(std::string_view(buffer, static_cast<std::size_t>(got)))) break;
  }
  ::close(fd);
  return ok;
}

bool ReadTextFile(const std::filesystem::path& path, std::size_t limit, std::string& text,
                  bool& truncated, std::string& error) {
  text.clear();
  truncated = false;
  return ReadFilePieces(
      path,
      [&](std::string_view piece) {
        const std::size_t room = limit - text.size();
        if (piece.size() > room) {
          text.append(piece.substr(0, room));
          truncated = true;
          return false;
        }
        text.append(piece);
        return true;
      },
      error);
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

}  // namespace ormlax::offline

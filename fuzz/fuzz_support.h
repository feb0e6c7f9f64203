// What the fuzz targets share: an operator nobody sits at, a scratch folder emptied for every
// input, and a reader that takes an input apart.
#pragma once

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "core/character_code.h"
#include "core/operator.h"
#include "tape/tape_file.h"

namespace ormlax::fuzz {

namespace fs = std::filesystem;

// Stops the fuzzer with a message when a property of the code does not hold: libFuzzer keeps the
// input as a crash.
inline void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "property broken: %s\n", what);
  std::abort();
}

// Whether every character of `text` is one a tape can hold.
inline bool HoldsTapeCharacters(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return IsTapeCharacter(c); });
}

// The characters as the records of a tape, each "z" NUL, 120 characters and CR LF, filled out
// with "0" to whole blocks: at least `fewest` blocks and at most `most`.
inline std::string TapeBytesOf(std::string_view characters, std::size_t fewest = 0,
                               std::size_t most = kTapeBlocks) {
  const std::size_t perBlock = kBlockRecords * kRecordCharacters;
  const std::size_t blocks =
      std::clamp((characters.size() + perBlock - 1) / perBlock, fewest, most);
  std::string bytes;
  for (std::size_t r = 0; r < blocks * kBlockRecords; ++r) {
    std::string text(
        characters.substr(std::min(characters.size(), r * kRecordCharacters), kRecordCharacters));
    text.resize(kRecordCharacters, '0');
    bytes += std::string("z\0", 2) + text + "\r\n";
  }
  return bytes;
}

// Answers every box by its default button and closes every window; the keyboard window is closed
// by its close control, as by an operator who types nothing.
class QuietOperator : public Operator {
 public:
  MessageAnswer ShowMessage(const MessageRequest& request) override {
    ++messages;
    return request.defaultAnswer;
  }
  void YieldToInterface() override {}
  void ShowFuseWindow(int) override {}
  KeyboardEntry OpenKeyboardWindow(bool) override { return {}; }
  void SetClipboardText(const std::string&) override {}
  std::optional<std::string> AskText(const std::string&, const std::string& defaultText) override {
    return defaultText;
  }

  int messages = 0;
};

// A folder of this process under the system's temporary folder, made empty for each input and
// removed when the fuzzer ends normally.
inline const fs::path& ScratchFolder() {
  static const fs::path folder = [] {
    fs::path f = fs::temp_directory_path() / ("ormlax-fuzz-" + std::to_string(::getpid()));
    std::atexit([] {
      std::error_code ec;
      fs::remove_all(fs::temp_directory_path() / ("ormlax-fuzz-" + std::to_string(::getpid())), ec);
    });
    return f;
  }();
  std::error_code ec;
  fs::remove_all(folder, ec);
  fs::create_directories(folder);
  return folder;
}

inline void WriteFile(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Takes an input apart from its front: bytes, and texts prefixed by a length byte. Past the end
// everything reads as zero or empty.
class InputReader {
 public:
  InputReader(const std::uint8_t* data, std::size_t size)
      : text_(reinterpret_cast<const char*>(data), size) {}

  bool AtEnd() const { return at_ >= text_.size(); }
  std::uint8_t Byte() { return AtEnd() ? 0 : static_cast<std::uint8_t>(text_[at_++]); }
  std::string_view Text() { return Take(Byte()); }
  std::string_view Take(std::size_t n) {
    const std::string_view piece = text_.substr(std::min(at_, text_.size()), n);
    at_ += piece.size();
    return piece;
  }
  std::string_view Rest() { return Take(text_.size()); }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace ormlax::fuzz

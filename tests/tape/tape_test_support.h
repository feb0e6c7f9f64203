// Helpers for the tape tests: a temporary folder, raw tape bytes built by hand, and a rig that
// mounts tapes as the operator does.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>

#include "installation/installation.h"
#include "tape/servo_unit.h"
#include "tape/servo_window.h"
#include "tape/tape_mounting.h"
#include "tape/tape_units.h"
#include "tests/support/scripted_operator.h"

namespace ormlax::testing {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> counter{0};
    path_ = fs::temp_directory_path() /
            ("ormlax-tape-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const fs::path& Path() const { return path_; }
  fs::path operator/(std::string_view name) const { return path_ / name; }

 private:
  fs::path path_;
};

inline void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The 124 bytes of one record holding `data` (120 characters): 0x7A 0x00, the data, CR LF.
inline std::string RecordBytes(std::string_view data) {
  std::string r("\x7A\x00", 2);
  r += data;
  r += "\r\n";
  return r;
}

// Word j (0-59) of block b as the tests write it: "B" + four digits of b + "W" + j padded to 6.
inline Word BlockWord(int block, int j) {
  const auto padded = [](int n, std::size_t width) {
    std::string digits = std::to_string(n);
    return std::string(width - digits.size(), '0') + digits;
  };
  return Word::FromText("B" + padded(block, 4) + "W" + padded(j, 6));
}

// Block b as the 60 words the tests write.
inline TapeBlock BlockWords(int block) {
  TapeBlock words;
  for (int j = 0; j < 60; ++j) words[static_cast<std::size_t>(j)] = BlockWord(block, j);
  return words;
}

// Block b as raw file bytes: six records of its 60 words.
inline std::string BlockBytes(int block) {
  std::string bytes;
  for (int r = 0; r < 6; ++r) {
    std::string data;
    for (int w = 0; w < 10; ++w) data += BlockWord(block, r * 10 + w).Text();
    bytes += RecordBytes(data);
  }
  return bytes;
}

// A tape file of blocks first ... first+count-1 written byte by byte.
inline void WriteTape(const fs::path& path, int count, int first = 1) {
  std::string bytes;
  for (int b = first; b < first + count; ++b) bytes += BlockBytes(b);
  WriteBytes(path, bytes);
}

// An installation, a scripted operator, the servo table and the servo window over one folder.
struct TapeRig {
  explicit TapeRig(bool modelII = false)
      : installation(MakeInstallation(modelII, folder.Path())),
        s(installation->Machine),
        servos(installation->Servos),
        tapes(servos, s, op),
        window(servos, op, folder.Path(), modelII) {}

  // Mounts `name` on the servo as the operator does: a tape already on the servo is dismounted,
  // a file that is not there is confirmed as a blank tape (the question's default answer).
  void Mount(int servo, const std::string& name, bool writeProtected = false) {
    const std::size_t before = op.messages.size();
    ASSERT_TRUE(MountTape(servos, servo, op, folder.Path(), name, writeProtected))
        << name << " was not mounted" << (op.messages.empty() ? "" : ": " + op.messages.back());
    for (std::size_t m = before; m < op.messages.size(); ++m) {
      ASSERT_TRUE(op.messages[m].ends_with("Is this a blank tape?")) << op.messages[m];
    }
    op.messages.resize(before);
    op.requests.resize(before);
  }

  ServoUnit& Unit(int servo) { return servos[static_cast<std::size_t>(servo)]; }

  TempFolder folder;
  std::unique_ptr<Installation> installation;
  MachineState& s;
  ServoUnits& servos;
  ScriptedOperator op;
  ServoTable tapes;
  ServoWindow window;
};

}  // namespace ormlax::testing

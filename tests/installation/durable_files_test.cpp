// Every file that replaces an earlier one, written on a disk that runs full and under a file size
// limit, stopped at every point the run can be stopped at: each file the writer replaces is then
// its old self or its new one, never a mixture, nothing is left beside it, a failure is told with
// the file's name and the host's reason, and a writer that failed never says it succeeded.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "console/memory_dump.h"
#include "installation/assembly_operations.h"
#include "installation/console_operations.h"
#include "installation/offline_desk.h"
#include "installation/session_file.h"
#include "installation/simulator.h"
#include "offline/computer_digits.h"
#include "offline/dtmb.h"
#include "offline/plugboard_choice.h"
#include "offline/plugboard_file.h"
#include "offline/print_normal.h"
#include "offline/standard_boards.h"
#include "offline/tape_conversions.h"
#include "offline/text_to_tape.h"
#include "tests/offline/offline_test_support.h"
#include "tests/support/file_size_limit.h"

namespace ormlax::testing {
namespace {

using Files = std::map<std::string, std::string>;  // name in the folder -> bytes

Files FilesIn(const fs::path& folder) {
  Files files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    files[entry.path().filename().string()] =
        entry.is_regular_file() ? ReadBytes(entry.path()) : "<not a file>";
  }
  return files;
}

void Empty(const fs::path& folder) {
  for (const auto& entry : fs::directory_iterator(folder)) fs::remove_all(entry.path());
}

struct Writer {
  const char* what;
  // The files the writer reads; they stay as they are.
  std::function<Files()> inputs;
  // The files it replaces, as they are before it runs.
  Files old;
  // Runs the writer on the folder; true when it says it succeeded. What it tells the operator
  // is in `op`.
  std::function<bool(const fs::path& folder, ScriptedOperator& op)> run;
  // The file the case makes the largest the writer writes, so that some run stops in it.
  std::string largest;
};

// A tape of `blocks` blocks of blockettes "LINE 1", "LINE 2"...
std::string Lines(int blocks) {
  std::vector<std::string> blockettes;
  for (int n = 1; n <= 6 * blocks; ++n) blockettes.push_back("LINE " + std::to_string(n));
  return TapeOf(blockettes);
}

// Runs an off-line operation from `source` into `target` on a fresh installation's desk.
bool RunOffLine(const fs::path& folder, ScriptedOperator& op,
                OffLineOutcome (*operation)(OffLineDesk&), bool tapeSource,
                const std::function<void(OffLineDesk&)>& setUp = nullptr) {
  auto ormlax = MakeInstallation(false, folder, 1);
  OffLineDesk desk = OpenOffLineDesk(*ormlax, op, nullptr);
  desk.Today = [] { return std::string("07-04-1961"); };
  if (setUp) setUp(desk);
  OffLineState& s = desk.State;
  s.Source = tapeSource ? SourceKind::OrmlaxTape : SourceKind::OtherFile;
  s.SourcePath = (folder / (tapeSource ? "in.tap" : "in.txt")).string();
  s.Target = TargetKind::Overwritable;
  s.TargetPath = (folder / "out").string();
  s.MayOverwrite = true;
  const OffLineOutcome outcome = operation(desk);
  return outcome == OffLineOutcome::Completed || outcome == OffLineOutcome::EndedByMessage;
}

bool Assembles(const fs::path& folder, ScriptedOperator& op, const AssemblyOptions& options) {
  auto ormlax = MakeInstallation(false, folder, 1);
  return Assemble(*ormlax, op, "prog", options) == AssemblyOutcome::Assembled;
}

// An installation whose memory is full of words that differ from each other.
std::unique_ptr<Installation> FilledInstallation(const fs::path& folder) {
  auto ormlax = MakeInstallation(false, folder, 1);
  for (int a = 0; a < 1000; ++a) {
    ormlax->Machine.Memory[static_cast<std::size_t>(a)] =
        Word::FromText("B" + std::to_string(10000 + a) + "C00001");
  }
  return ormlax;
}

// The standard boards, as every off-line run finds them.
Files StandardBoards() {
  TempFolder folder;
  ScriptedOperator op;
  WriteStandardBoards(folder.Path(), op);
  return FilesIn(folder.Path());
}

Files With(Files files, const Files& more) {
  files.insert(more.begin(), more.end());
  return files;
}

std::vector<Writer> Writers() {
  AssemblyOptions loader;
  loader.InsertLoader = true;
  const std::string oldTape = TapeOf({"AN OLD TAPE"});
  const std::string program = "START\t50 MSG\tB START\r\n\t90\t00\r\nMSG\tTXT\tHELLO THERE\r\n";
  std::string commented;
  for (int n = 0; n < 300; ++n) commented += "; " + std::string(100, 'c') + "\r\n";
  commented += program;
  const Files oldAssembly = {{"prog.obj", oldTape}, {"prog.lst", "an earlier listing\r\n"}};
  const Files oldTarget = {{"out", "an earlier target\r\n"}};

  PlugboardText board;
  for (std::size_t row = 0; row < board.Rows.size(); ++row) {
    for (std::size_t p = 0; p < board.Rows[row].size(); ++p) {
      board.Rows[row][p] = std::to_string(100 + p);
    }
  }
  board.FormLength = "66";
  board.Name = "A new board";

  return {
      // With the loader in front the object tape is the largest file of the run.
      {"the object tape",
       [=] {
         return Files{{"prog.asm", program}};
       },
       oldAssembly,
       [=](const fs::path& folder, ScriptedOperator& op) { return Assembles(folder, op, loader); },
       "prog.obj"},
      // Comments make the listing the largest file.
      {"the listing",
       [=] {
         return Files{{"prog.asm", commented}};
       },
       oldAssembly,
       [](const fs::path& folder, ScriptedOperator& op) { return Assembles(folder, op, {}); },
       "prog.lst"},
      {"the memory dump",
       [] { return Files{}; },
       {{"memdump.txt", "000  OLD     DUMP  \n"}},
       [](const fs::path& folder, ScriptedOperator& op) {
         auto ormlax = FilledInstallation(folder);
         std::string error;
         const bool dumped = DumpMemory(*ormlax, kMemoryDumpFileName, error);
         if (!dumped) ShowOkMessage(op, error);
         return dumped;
       },
       kMemoryDumpFileName},
      {"a saved session",
       [] { return Files{}; },
       {{"s.session", "an earlier session\n"}},
       [](const fs::path& folder, ScriptedOperator& op) {
         auto ormlax = FilledInstallation(folder);
         std::string error;
         const bool saved = SaveSession(*ormlax, "s.session", error);
         if (!saved) ShowOkMessage(op, error);
         return saved;
       },
       "s.session"},
      {"a trace",
       [] { return Files{}; },
       {{"trace.txt", "an earlier trace\n"}},
       [](const fs::path& folder, ScriptedOperator& op) {
         auto ormlax = MakeInstallation(false, folder, 1);
         Simulator sim(*ormlax, op);
         ormlax->Machine.Memory[0] = Word::FromText("A00001U00000");
         std::string failure;
         if (!sim.StartTrace("trace.txt", failure)) {
           ShowOkMessage(op, failure);
           return false;
         }
         sim.Cpu().SetWordLimit(300);
         sim.Cpu().Run();
         const bool closed = sim.StopTrace();
         if (!closed) ShowOkMessage(op, sim.Trace()->Failure());
         return closed;
       },
       "trace.txt"},
      {"a plugboard file",
       [] { return Files{}; },
       {{"5.pgb", BoardFile().Text()}},
       [=](const fs::path& folder, ScriptedOperator& op) {
         return SavePlugboard(5, board, folder, op);
       },
       "5.pgb"},
      {"the tape of a text",
       [] {
         return With(StandardBoards(), {{"in.txt", std::string(7200, 'T')}});
       },
       {{"out", oldTape}},
       [](const fs::path& folder, ScriptedOperator& op) {
         return RunOffLine(folder, op, ConvertTextToTape, false);
       },
       "out"},
      {"the text of a tape",
       [] {
         return With(StandardBoards(), {{"in.tap", Lines(10)}});
       },
       oldTarget,
       [](const fs::path& folder, ScriptedOperator& op) {
         return RunOffLine(folder, op, ConvertTapeToText, true);
       },
       "out"},
      {"the assembler text of a tape",
       [] {
         return With(StandardBoards(), {{"in.tap", Lines(10)}});
       },
       {{"out.asm", "\tAN OLD\t\tPROGRAM\r\n"}},
       [](const fs::path& folder, ScriptedOperator& op) {
         return RunOffLine(folder, op, ConvertTapeToAssembler, true, [&](OffLineDesk&) {
           // The conversion adds ".asm" to a name without it, and asks before replacing it.
           op.QueueAnswer(MessageAnswer::Ok);
           op.QueueAnswer(MessageAnswer::Yes);
         });
       },
       "out.asm"},
      {"a printer run into a file",
       [] {
         return With(StandardBoards(), {{"in.tap", Lines(10)}});
       },
       oldTarget,
       [](const fs::path& folder, ScriptedOperator& op) {
         return RunOffLine(folder, op, PrintTapeNormal, true,
                           [](OffLineDesk& desk) { ASSERT_TRUE(UseBoard(desk, 1)); });
       },
       "out"},
      {"computer digits into a file",
       [] {
         return With(StandardBoards(), {{"in.tap", Lines(10)}});
       },
       oldTarget,
       [](const fs::path& folder, ScriptedOperator& op) {
         return RunOffLine(folder, op, PrintComputerDigits, true, [](OffLineDesk& desk) {
           ChoosePlugboardOption(desk, PlugboardChoice::Split);
         });
       },
       "out"},
      {"a DTMB printout into a file",
       [] {
         return With(StandardBoards(), {{"in.tap", Lines(10)}});
       },
       oldTarget,
       [](const fs::path& folder, ScriptedOperator& op) {
         return RunOffLine(folder, op, PrintDtmb, true);
       },
       "out"},
  };
}

// The folder holds the writer's inputs and its old files, and nothing else.
void Prepare(const fs::path& folder, const Writer& writer) {
  Empty(folder);
  for (const auto& [name, bytes] : With(writer.inputs(), writer.old)) {
    WriteBytes(folder / name, bytes);
  }
}

// What the writer's files hold after a run it says succeeded, in a folder with room enough.
Files NewFiles(const Writer& writer) {
  TempFolder folder;
  Prepare(folder.Path(), writer);
  ScriptedOperator op;
  EXPECT_TRUE(writer.run(folder.Path(), op)) << (op.messages.empty() ? "" : op.messages.back());
  Files written;
  for (const auto& [name, bytes] : writer.old) {
    written[name] = ReadBytes(folder / name);
    EXPECT_NE(written[name], bytes) << name << " was not written";
  }
  return written;
}

// One run of the writer stopped by the host; `limited` runs it under the host's limit. Checks
// what is left and answers the names of the files whose failure was told.
std::set<std::string> CheckRunStoppedByHost(const fs::path& folder, const Writer& writer,
                                            const Files& written, const std::string& reason,
                                            const std::function<bool(ScriptedOperator&)>& limited) {
  const Files before = FilesIn(folder);
  ScriptedOperator op;
  const bool succeeded = limited(op);
  const Files after = FilesIn(folder);

  bool allNew = true;
  for (const auto& [name, old] : writer.old) {
    const auto file = after.find(name);
    const std::string bytes = file == after.end() ? "<none>" : file->second;
    EXPECT_TRUE(bytes == old || bytes == written.at(name))
        << name << " is neither the old file nor the new one: " << bytes.size() << " bytes";
    allNew = allNew && bytes == written.at(name);
  }
  // Nothing beside them: no temporary file, no piece of an intermediate file.
  std::set<std::string> names;
  for (const auto& entry : after) names.insert(entry.first);
  std::set<std::string> expected;
  for (const auto& entry : before) expected.insert(entry.first);
  EXPECT_EQ(names, expected);

  // The files a message can be about: those in the folder and the intermediate files of an
  // assembly, which are gone after it. A message names one by its path, or by its name alone.
  std::set<std::string> candidates = names;
  for (const char* intermediate : {"prog.i2", "prog.i3", "prog.i4", "prog.i5"}) {
    candidates.insert(intermediate);
  }
  std::set<std::string> told;
  for (const std::string& message : op.messages) {
    if (message.find(reason) == std::string::npos) continue;
    bool named = false;
    for (const std::string& name : candidates) {
      if (message.find((folder / name).string()) != std::string::npos ||
          message.find(" " + name + "\r\n") != std::string::npos) {
        told.insert(name);
        named = true;
      }
    }
    EXPECT_TRUE(named) << "the failure does not name its file: " << message;
  }
  if (succeeded) {
    EXPECT_TRUE(allNew) << "the writer said it succeeded, but not every file is new";
    EXPECT_TRUE(told.empty()) << "the writer said it succeeded, but told of a failure";
  } else {
    EXPECT_FALSE(told.empty()) << "the writer failed without telling why with the file's name"
                               << (op.messages.empty() ? "" : ": " + op.messages.back());
  }
  return told;
}

// Under a file size limit no file can grow past it: each run is stopped in the middle of one of
// the files, the first that is larger than the limit.
TEST(DurableFiles, AFileSizeLimitStopsEveryWriterWithTheOldFilesWhole) {
  for (const Writer& writer : Writers()) {
    SCOPED_TRACE(writer.what);
    const Files written = NewFiles(writer);
    std::set<rlim_t> limits = {0, 1};
    for (const auto& [name, bytes] : written) {
      limits.insert(bytes.size() / 2);
      limits.insert(bytes.size() - 1);
    }
    TempFolder folder;
    std::set<std::string> told;
    for (const rlim_t limit : limits) {
      SCOPED_TRACE("at most " + std::to_string(limit) + " bytes");
      Prepare(folder.Path(), writer);
      told.merge(CheckRunStoppedByHost(folder.Path(), writer, written, "File too large",
                                       [&](ScriptedOperator& op) {
                                         const FileSizeLimit sizeLimit(limit);
                                         return writer.run(folder.Path(), op);
                                       }));
    }
    EXPECT_TRUE(told.contains(writer.largest)) << "no run stopped in " << writer.largest;
  }
}

// A file system of its own, small, mounted in a mount namespace of this process only, so that
// it goes away with the process whatever happens.
class SmallFileSystem {
 public:
  static constexpr std::size_t kBytes = 1 << 20;

  // False, with the reason, when the host does not let this process mount one.
  bool Mount(std::string& why) {
    if (::unshare(CLONE_NEWNS) != 0) return Refused("a mount namespace", why);
    // What is mounted here is not seen outside the process.
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
      return Refused("making the mounts private", why);
    }
    std::string name = (fs::temp_directory_path() / "ormlax-small-XXXXXX").string();
    if (::mkdtemp(name.data()) == nullptr) return Refused("a mount point", why);
    point_ = name;
    const std::string options = "size=" + std::to_string(kBytes) + ",mode=0755";
    if (::mount("ormlax-test", point_.c_str(), "tmpfs", 0, options.c_str()) != 0) {
      return Refused("a tmpfs of " + std::to_string(kBytes) + " bytes", why);
    }
    mounted_ = true;
    return true;
  }
  ~SmallFileSystem() {
    if (mounted_) ::umount2(point_.c_str(), MNT_DETACH);
    if (!point_.empty()) ::rmdir(point_.c_str());
  }

  const fs::path& Path() const { return point_; }

  // Fills the file system up to `pages` pages of free room (a page is the block it counts in).
  void LeaveFree(std::uint64_t pages) {
    struct statvfs st;
    ASSERT_EQ(::statvfs(point_.c_str(), &st), 0);
    ASSERT_GE(st.f_bavail, pages);
    WriteBytes(Filler(), std::string((st.f_bavail - pages) * st.f_frsize, 'f'));
    ASSERT_EQ(::statvfs(point_.c_str(), &st), 0);
    ASSERT_EQ(st.f_bavail, pages);
  }
  void RemoveFiller() { fs::remove(Filler()); }
  // The folder the writers work in, beside the filler.
  fs::path Folder() const { return point_ / "work"; }

 private:
  fs::path Filler() const { return point_ / "filler"; }
  static bool Refused(const std::string& what, std::string& why) {
    why = "the host does not allow " + what + " (" + std::strerror(errno) + ")";
    return false;
  }

  fs::path point_;
  bool mounted_ = false;
};

// On a disk that runs full each run is stopped wherever the room ends, one page after another,
// until there is room for all of it.
TEST(DurableFiles, ADiskThatRunsFullStopsEveryWriterWithTheOldFilesWhole) {
  SmallFileSystem disk;
  std::string why;
  if (!disk.Mount(why)) GTEST_SKIP() << "no small file system to fill: " << why;
  fs::create_directory(disk.Folder());
  for (const Writer& writer : Writers()) {
    SCOPED_TRACE(writer.what);
    const Files written = NewFiles(writer);
    std::set<std::string> told;
    bool finished = false;
    for (std::uint64_t pages = 0; !finished && pages < 64; ++pages) {
      SCOPED_TRACE(std::to_string(pages) + " pages free");
      Prepare(disk.Folder(), writer);
      disk.LeaveFree(pages);
      told.merge(CheckRunStoppedByHost(disk.Folder(), writer, written, "No space left on device",
                                       [&](ScriptedOperator& op) {
                                         finished = writer.run(disk.Folder(), op);
                                         return finished;
                                       }));
      disk.RemoveFiller();
    }
    EXPECT_TRUE(finished) << "the writer did not succeed with 64 pages free";
    EXPECT_TRUE(told.contains(writer.largest)) << "no run stopped in " << writer.largest;
  }
}

}  // namespace
}  // namespace ormlax::testing

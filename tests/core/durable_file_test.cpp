// The whole-file writer every file that replaces an earlier one goes through.
#include "core/durable_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <set>
#include <string>

#include "tests/support/file_size_limit.h"
#include "tests/tape/tape_test_support.h"

namespace ormlax::testing {
namespace {

std::set<std::string> NamesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// Bytes that differ from place to place, so a piece out of order would show.
std::string Numbered(std::size_t count) {
  std::string bytes;
  for (std::size_t i = 0; bytes.size() < count; ++i) bytes += std::to_string(i) + ",";
  bytes.resize(count);
  return bytes;
}

TEST(DurableFile, TheOldFileStaysWholeUntilTheNewOneTakesItsPlace) {
  TempFolder folder;
  const fs::path path = folder / "out.txt";
  WriteBytes(path, "the old file");
  ::chmod(path.c_str(), 0640);
  // More than one piece of the writer's buffer, written in pieces of odd sizes.
  const std::string bytes = Numbered(200000);

  DurableFile file;
  ASSERT_TRUE(file.Begin(path)) << file.Reason();
  for (std::size_t at = 0; at < bytes.size(); at += 777) {
    ASSERT_TRUE(file.Write(std::string_view(bytes).substr(at, 777)));
  }
  ASSERT_TRUE(file.Sync()) << file.Reason();  // on disk, and still not in the old one's place
  EXPECT_EQ(ReadBytes(path), "the old file");
  EXPECT_EQ(NamesIn(folder.Path()).size(), 2u);  // the temporary file beside it
  EXPECT_EQ(ReadBytes(file.TemporaryPath()), bytes);
  EXPECT_EQ(file.TemporaryPath().parent_path(), folder.Path());
  ASSERT_TRUE(file.Commit()) << file.Reason();

  EXPECT_EQ(ReadBytes(path), bytes);
  EXPECT_EQ(NamesIn(folder.Path()), std::set<std::string>{"out.txt"});
  struct stat st;
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);  // the old file's permissions
  EXPECT_FALSE(file.IsOpen());
  EXPECT_FALSE(file.Failed());

  // A new file, and an empty one.
  std::string reason;
  ASSERT_TRUE(WriteWholeFile(folder / "new.txt", "fresh", reason)) << reason;
  EXPECT_EQ(ReadBytes(folder / "new.txt"), "fresh");
  ASSERT_TRUE(WriteWholeFile(path, "", reason)) << reason;
  EXPECT_EQ(fs::file_size(path), 0u);
}

TEST(DurableFile, ALinkKeepsPointingAtTheFileItNames) {
  TempFolder folder;
  fs::create_directory(folder / "real");
  WriteBytes(folder / "real" / "board.pgb", "old");
  fs::create_symlink(fs::path("real") / "board.pgb", folder / "link.pgb");
  fs::create_symlink(fs::path("real") / "later.pgb", folder / "dangling.pgb");

  std::string reason;
  ASSERT_TRUE(WriteWholeFile(folder / "link.pgb", "new", reason)) << reason;
  ASSERT_TRUE(WriteWholeFile(folder / "dangling.pgb", "made", reason)) << reason;

  EXPECT_TRUE(fs::is_symlink(folder / "link.pgb"));
  EXPECT_EQ(ReadBytes(folder / "real" / "board.pgb"), "new");
  EXPECT_TRUE(fs::is_symlink(folder / "dangling.pgb"));
  EXPECT_EQ(ReadBytes(folder / "real" / "later.pgb"), "made");
  EXPECT_EQ(NamesIn(folder / "real"), (std::set<std::string>{"board.pgb", "later.pgb"}));
}

// Whatever fails, and whenever: the old file (where there is one) is as it was, nothing is left
// beside it, and the reason is the host's.
TEST(DurableFile, AFailureKeepsTheOldFileAndSaysWhy) {
  struct Case {
    const char* what;
    std::string name;  // in the test's folder
    // Done between Begin and Commit (after the writes); may do nothing.
    std::function<void(const fs::path& folder)> meanwhile;
    std::size_t limit;     // the file size limit while writing; 0: none
    const char* failsIn;   // "Begin" or "Commit"
    std::string reason;    // the host's
    std::string oldAfter;  // what `name` holds afterwards; "-" when it is no file
  };
  const Case cases[] = {
      {"a disk that takes no more", "out.txt", nullptr, 1000, "Commit", "File too large", "old"},
      {"a folder that is not there", "gone/out.txt", nullptr, 0, "Begin",
       "No such file or directory", "-"},
      {"a folder of the file's name", "folder", nullptr, 0, "Begin", "it is a folder", "-"},
      {"a folder put in the file's place meanwhile", "out.txt",
       [](const fs::path& folder) {
         fs::remove(folder / "out.txt");
         fs::create_directories(folder / "out.txt" / "inside");
       },
       0, "Commit", "Is a directory", "-"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    WriteBytes(folder / "out.txt", "old");
    fs::create_directory(folder / "folder");
    const std::set<std::string> before = NamesIn(folder.Path());

    DurableFile file;
    bool begun = false;
    bool committed = false;
    {
      const FileSizeLimit limit(c.limit > 0 ? c.limit : RLIM_INFINITY);
      begun = file.Begin(folder / c.name);
      if (begun) {
        file.Write(Numbered(5000));
        if (c.meanwhile) c.meanwhile(folder.Path());
        committed = file.Commit();
      }
    }
    EXPECT_EQ(begun, std::string(c.failsIn) != "Begin");
    EXPECT_FALSE(committed);
    EXPECT_TRUE(file.Failed());
    EXPECT_EQ(file.Reason(), c.reason);
    EXPECT_EQ(file.Path(), folder / c.name);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(NamesIn(folder.Path()), before);
    const fs::path path = folder / c.name;
    EXPECT_EQ(fs::is_regular_file(path) ? ReadBytes(path) : "-", c.oldAfter);
  }
}

TEST(DurableFile, WhatIsNotCommittedLeavesNothing) {
  TempFolder folder;
  WriteBytes(folder / "out.txt", "old");
  {
    DurableFile dropped;
    ASSERT_TRUE(dropped.Begin(folder / "out.txt"));
    dropped.Write("never kept");
  }
  DurableFile abandoned;
  ASSERT_TRUE(abandoned.Begin(folder / "out.txt"));
  abandoned.Write("never kept either");
  abandoned.Abandon();
  EXPECT_FALSE(abandoned.Write("more"));
  EXPECT_FALSE(abandoned.Commit());
  EXPECT_EQ(ReadBytes(folder / "out.txt"), "old");
  EXPECT_EQ(NamesIn(folder.Path()), std::set<std::string>{"out.txt"});

  // A device is never replaced, nor is anything made beside it.
  std::string reason;
  EXPECT_FALSE(WriteWholeFile("/dev/null", "x", reason));
  EXPECT_EQ(reason, "it is a device");
}

}  // namespace
}  // namespace ormlax::testing

// One press of Assemble: the refusals before the run, the name typed, the tapes it must not
// write over, what it leaves on disk, host files that fail, and input no program should have.
#include <sys/stat.h>

#include <random>

#include "tape/tape_mounting.h"
#include "tests/assembler/assembler_test_support.h"

namespace ormlax::testing {
namespace {

using Texts = std::vector<std::string>;

const std::string kProgram = Source({"START\tB X\t90", "X\t|000000\t|000001"});

class AssemblyRun : public AssemblerTest {
 protected:
  // The files of the folder, by name.
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(dir_)) {
      if (e.is_regular_file()) names.push_back(fs::relative(e.path(), dir_).string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string Path(const std::string& name) const { return (dir_ / name).lexically_normal(); }
};

TEST_F(AssemblyRun, RefusalsWriteNothingAndKeepTheLastProgram) {
  WriteFile("prog.asm", kProgram);
  lastAssembled_ = "earlier";
  struct Case {
    const char* typed;
    const char* message;
  };
  const Case cases[] = {
      {"<filename>",
       "You must enter a file name to be assembled\r\nThe file type must be \".asm\""},
      {"nosuch", "No such input file"},
      {"prog.asm/x", "No such input file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    EXPECT_EQ(Run(c.typed), AssemblyOutcome::Refused);
    EXPECT_EQ(op_.messages, Texts{c.message});
    EXPECT_EQ(op_.requests.back().icon, MessageIcon::None);
    EXPECT_EQ(Files(), Texts{"prog.asm"});
    EXPECT_EQ(lastAssembled_, "earlier");
  }
}

TEST_F(AssemblyRun, TheNameIsCutAtTheExtensionOfItsFileName) {
  fs::create_directories(dir_ / "jobs.v2");
  fs::create_directories(dir_ / "sub");
  struct Case {
    const char* typed;
    const char* source;   // where the source lies
    const char* program;  // LastAssembledProgram: the name the servo window proposes with .obj
  };
  const Case cases[] = {
      {"PROG.TXT", "PROG.asm", "PROG"},
      {"prog", "prog.asm", "prog"},
      {"jobs.v2/prog", "jobs.v2/prog.asm", "jobs.v2/prog"},
      {"jobs.v2/prog.asm", "jobs.v2/prog.asm", "jobs.v2/prog"},
      {"./prog", "prog.asm", "./prog"},
      {"sub/../prog.x.y", "prog.asm", "sub/../prog"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    for (const auto& e : fs::recursive_directory_iterator(dir_)) {
      if (e.is_regular_file()) fs::remove(e.path());
    }
    WriteFile(c.source, kProgram);
    EXPECT_EQ(Run(c.typed), AssemblyOutcome::Assembled) << op_.messages.size();
    const std::string base = fs::path(c.source).replace_extension().string();
    EXPECT_EQ(Files(), (Texts{c.source, base + ".lst", base + ".obj"}));
    EXPECT_EQ(lastAssembled_, c.program);
  }
}

TEST_F(AssemblyRun, NoFileMountedOnAServoIsWrittenWhateverItsSpelling) {
  ASSERT_EQ(Assemble(kProgram), AssemblyOutcome::Assembled);
  const std::string tape = ReadFile("prog.obj");
  fs::create_symlink(dir_ / "prog.obj", dir_ / "link.obj");
  WriteFile("blank.lst", "");
  fs::rename(dir_ / "blank.lst", dir_ / "prog.lst");
  struct Case {
    const char* mounted;
    ServoState state;
  };
  const Case cases[] = {
      {"prog.obj", ServoState::ReadWrite}, {"./prog.obj", ServoState::WriteProtected},
      {"link.obj", ServoState::ReadWrite}, {"prog.obj", ServoState::Unloaded},
      {"prog.lst", ServoState::ReadWrite},  // the listing is written too
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mounted);
    const bool writeProtected = c.state == ServoState::WriteProtected;
    ASSERT_TRUE(MountTape(servos_, 7, op_, dir_, c.mounted, writeProtected));
    if (c.state == ServoState::Unloaded) {
      servos_[7].File.Close();
      servos_[7].State = ServoState::Unloaded;
    }
    EXPECT_EQ(Run("prog"), AssemblyOutcome::Refused);
    EXPECT_EQ(op_.messages, Texts{"That tape is in use"});
    EXPECT_EQ(ReadFile("prog.obj"), tape);
    EXPECT_TRUE(DismountTape(servos_[7], 7, op_));
  }
  // Another tape mounted is no reason to refuse.
  WriteFile("other.obj", "");
  ASSERT_TRUE(MountTape(servos_, 2, op_, dir_, "other.obj", false));
  EXPECT_EQ(Run("prog"), AssemblyOutcome::Assembled);
}

TEST_F(AssemblyRun, WhatARunLeavesBehind) {
  // Without errors: listing and tape; the intermediates only when kept.
  EXPECT_EQ(Assemble(kProgram), AssemblyOutcome::Assembled);
  EXPECT_EQ(Files(), (Texts{"prog.asm", "prog.lst", "prog.obj"}));
  EXPECT_EQ(lastAssembled_, "prog");
  EXPECT_TRUE(op_.messages.empty());
  EXPECT_EQ(Assemble(kProgram, Keep()), AssemblyOutcome::Assembled);
  EXPECT_EQ(Files(), (Texts{"prog.asm", "prog.i2", "prog.i3", "prog.i4", "prog.i5", "prog.lst",
                            "prog.obj"}));
  const std::string tape = ReadFile("prog.obj");

  // An undefined symbol: all four intermediates and the listing, the earlier tape untouched, the
  // borrowed memory untouched, and the last program forgotten.
  AssemblyOptions loader;
  loader.InsertLoader = true;
  const std::array<Word, kBlockWords> before = memory_;
  EXPECT_EQ(Assemble(Source({"\tB NOSUCH\t90"}), loader), AssemblyOutcome::ErrorsInAssembly);
  EXPECT_EQ(op_.messages, Texts{"Errors in assembly\r\nSee prog.lst"});
  EXPECT_EQ(op_.requests.back().icon, MessageIcon::Exclamation);
  EXPECT_EQ(Files(), (Texts{"prog.asm", "prog.lst", "prog.obj"}));
  EXPECT_EQ(ReadFile("prog.obj"), tape);
  EXPECT_EQ(memory_, before);
  EXPECT_EQ(lastAssembled_, "");

  // Only a storage count out of range: the tape is written all the same.
  EXPECT_EQ(Assemble(Source({"\tB X\t90", "X\tWS\t0"}), Keep()), AssemblyOutcome::ErrorsInAssembly);
  EXPECT_NE(ReadFile("prog.obj"), tape);
  EXPECT_EQ(FileLines("prog.i5"), (Texts{"B 0001900000\t0", "000000000000\t1"}));

  // An error in pass 1 stops the later passes; the intermediates kept from before are gone.
  EXPECT_EQ(Assemble(Source({"\tB00250"}), Keep()), AssemblyOutcome::ErrorsInAssembly);
  EXPECT_TRUE(Exists("prog.i2"));
  EXPECT_FALSE(Exists("prog.i3"));
  EXPECT_FALSE(Exists("prog.i5"));
}

TEST_F(AssemblyRun, HostFilesThatFailAreNamedWithTheReason) {
  ASSERT_EQ(::mkfifo((dir_ / "pipe.asm").c_str(), 0600), 0);
  fs::create_directory(dir_ / "folder.asm");
  WriteFile("nul.asm", std::string("\tB00250\tA00251\r\n\tB\0X\t90\r\n", 25));
  struct Case {
    const char* typed;
    std::string message;
  };
  const Case cases[] = {
      {"pipe", "The file\r\n" + Path("pipe.asm") + "\r\ncannot be read (it is a pipe)"},
      {"folder", "The file\r\n" + Path("folder.asm") + "\r\ncannot be read (it is a folder)"},
      {"nul",
       "The file\r\n" + Path("nul.asm") + "\r\nis not a text file (line 2 holds a NUL byte)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    lastAssembled_ = "earlier";
    EXPECT_EQ(Run(c.typed), AssemblyOutcome::HostFileError);
    EXPECT_EQ(op_.messages, Texts{c.message});
    EXPECT_EQ(lastAssembled_, "earlier");  // the run never began
  }
  EXPECT_FALSE(Exists("nul.lst"));

  // Files the run writes that the host refuses: the run ends there and says so.
  WriteFile("prog.asm", kProgram);
  for (const char* blocked : {"prog.i2", "prog.i3", "prog.i5", "prog.obj", "prog.lst"}) {
    SCOPED_TRACE(blocked);
    fs::create_directory(dir_ / blocked);
    lastAssembled_ = "earlier";
    EXPECT_EQ(Run("prog"), AssemblyOutcome::HostFileError);
    EXPECT_EQ(op_.messages,
              Texts{"The file\r\n" + Path(blocked) + "\r\ncannot be written (it is a folder)"});
    EXPECT_EQ(lastAssembled_, "");
    EXPECT_TRUE(fs::is_directory(dir_ / blocked));  // never deleted as an intermediate
    fs::remove(dir_ / blocked);
    EXPECT_FALSE(Exists("prog.i3") && std::string(blocked) != "prog.i3");
  }
}

// How the errors of a listing end: the lines that begin with "ERROR".
Texts ErrorLines(const Texts& listing) {
  Texts errors;
  for (const std::string& l : listing) {
    if (l.starts_with("ERROR")) errors.push_back(l);
  }
  return errors;
}

TEST_F(AssemblyRun, ProgramsTooLargeForTheMachineOrTheTape) {
  const auto lines = [](int count, const std::string& line) {
    std::string s;
    for (int i = 0; i < count; ++i) s += line + "\r\n";
    return s;
  };
  const std::string word = "\t|000000\t|000001";
  AssemblyOptions loader;
  loader.InsertLoader = true;
  struct Case {
    const char* what;
    std::string source;
    bool modelII;
    AssemblyOptions options;
    Texts errors;
  };
  const Case cases[] = {
      {"one word more than ORMLAX I holds",
       lines(1001, word),
       false,
       {},
       {"ERROR Location outside memory at location 1000"}},
      {"one word more than ORMLAX II holds",
       lines(10001, word),
       true,
       {},
       {"ERROR Location outside memory at location 10000"}},
      {"an origin far beyond, never wrapped round",
       "$ORG\t40000\r\n" + lines(3, word) + "$ORG\t0\r\n" + lines(2, word),
       true,
       {},
       {"ERROR Location outside memory at location 40000"}},
      {"a negative origin",
       "$ORG\t-5\r\n" + word + "\r\n",
       false,
       {},
       {"ERROR Location outside memory at location -5"}},
      {"a constant past the end of memory",
       lines(999, word) + "\tB +A001\tB +A002\r\n",
       false,
       {},
       {"ERROR Location outside memory at location 1000"}},
      {"working storage past the end of memory",
       lines(900, word) + "BUF\tWS\t200\r\n",
       false,
       loader,
       {"ERROR Location outside memory at location 1000"}},
      {"more working storage than memory",
       "A\tWS\t600\r\nB\tWS\t600\r\n" + word + "\r\n",
       false,
       {},
       {"ERROR Location outside memory at location 0"}},
      {"more words than the loader can place",
       lines(600, word) + "$ORG\t0\r\n" + lines(600, word),
       false,
       loader,
       {"ERROR More words than the object tape can load"}},
      {"a last block the loader would store past location 9999",
       lines(9961, word),
       true,
       loader,
       {"ERROR More words than the object tape can load"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Assemble(c.source, c.options, c.modelII), AssemblyOutcome::ErrorsInAssembly);
    EXPECT_EQ(ErrorLines(FileLines("prog.lst")), c.errors);
    EXPECT_FALSE(Exists("prog.obj"));
  }
  // Without the loader the program may read its further blocks itself: only the tape bounds it.
  EXPECT_EQ(Assemble(lines(600, word) + "$ORG\t0\r\n" + lines(600, word)),
            AssemblyOutcome::Assembled);
  EXPECT_EQ(fs::file_size(dir_ / "prog.obj"), 20u * 744);
}

TEST_F(AssemblyRun, MoreWordsThanATapeHoldsAreRefused) {
  // 120 thousand words, placed again and again from location 0.
  const std::string text(12000, 'A');
  std::string source;
  for (int round = 0; round < 12; ++round) {
    source += "$ORG\t0\r\n";
    for (int line = 0; line < 10; ++line) source += "\tTXT\t" + text + "\r\n";
  }
  EXPECT_EQ(Assemble(source, {}, true), AssemblyOutcome::ErrorsInAssembly);
  EXPECT_EQ(ErrorLines(FileLines("prog.lst")),
            Texts{"ERROR More words than the object tape can load"});
  EXPECT_FALSE(Exists("prog.obj"));
}

TEST_F(AssemblyRun, InputNoProgramShouldHave) {
  std::mt19937 random(8);
  std::string garbage(1 << 16, ' ');
  for (char& c : garbage) c = static_cast<char>(1 + random() % 255);  // no NUL
  const std::string longLine(100000, 'X');
  std::string manyLines;
  for (int i = 0; i < 100000; ++i) manyLines += "\tB00250\tA00251\r\n";
  struct Case {
    const char* what;
    std::string source;
    bool modelII;
    Texts errors;  // the first few
  };
  const Case cases[] = {
      {"a label of 100000 characters",
       longLine + "\r\n\tB00250\t90\r\n",
       false,
       {"ERROR Fields too long at location 0"}},
      {"an instruction field of 100000 characters",
       "\tB " + longLine + "\t90\r\n",
       false,
       {"ERROR Fields too long at location 0"}},
      {"a text of 100000 characters on ORMLAX I",
       "\tTXT\t" + longLine + "\r\n",
       false,
       {"ERROR Location outside memory at location 1000"}},
      {"100000 lines on ORMLAX II",
       manyLines,
       true,
       {"ERROR Location outside memory at location 10000"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Assemble(c.source, {}, c.modelII), AssemblyOutcome::ErrorsInAssembly);
    const Texts errors = ErrorLines(FileLines("prog.lst"));
    EXPECT_EQ(Texts(errors.begin(), errors.begin() + std::min(errors.size(), c.errors.size())),
              c.errors);
    EXPECT_LE(fs::file_size(dir_ / "prog.lst"), 2 * c.source.size() + 100000);
  }
  // What is within bounds assembles: a long comment, a text of 8334 words on ORMLAX II.
  EXPECT_EQ(Assemble(";" + longLine + "\r\n\t90\t00\r\n"), AssemblyOutcome::Assembled);
  EXPECT_EQ(Assemble("\tTXT\t" + longLine + "\r\n", {}, true), AssemblyOutcome::Assembled);
  EXPECT_EQ(fs::file_size(dir_ / "prog.obj"), 139u * 744);

  // Garbage: any outcome but a crash, and a listing that says what it made of it.
  const AssemblyOutcome outcome = Assemble(garbage);
  EXPECT_TRUE(outcome == AssemblyOutcome::ErrorsInAssembly ||
              outcome == AssemblyOutcome::Assembled);
  EXPECT_TRUE(Exists("prog.lst"));
}

}  // namespace
}  // namespace ormlax::testing

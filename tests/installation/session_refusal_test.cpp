// Sessions that cannot be restored are refused with a message and leave the installation as it
// was; sessions that cannot be saved are refused with a message.
#include <gtest/gtest.h>

#include <functional>

#include "tests/installation/session_test_support.h"

namespace ormlax::testing {
namespace {

class SessionRefusal : public SessionFolderTest {
 protected:
  // A session of the loop program saved after 30 words in `folder`: tapes on servos 1 and 2.
  std::string GoodSession(const fs::path& folder, bool modelII = false) {
    Station st(modelII, folder, 1);
    SetUpLoop(st, 300);
    st.sim.Cpu().SetWordLimit(30);
    st.sim.Cpu().Run();
    return st.SessionText("good.session");
  }
};

// The text with the first `from` replaced by `by`.
std::string Replaced(std::string text, const std::string& from, const std::string& by) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << "no " << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), by);
}

// Where the first line that begins with `start` begins.
std::size_t LineStart(const std::string& text, const std::string& start) {
  const std::size_t at = text.find("\n" + start);
  EXPECT_NE(at, std::string::npos) << "no line " << start;
  return at == std::string::npos ? at : at + 1;
}

// The text with the first line that begins with `start` cut after `start` and its next value
// (up to a space or the line's end), and the whole of it replaced by `by`.
std::string ReplacedValue(std::string text, const std::string& start, const std::string& by) {
  const std::size_t at = LineStart(text, start);
  if (at == std::string::npos) return text;
  const std::size_t end = text.find_first_of(" \n", at + start.size());
  return text.replace(at, end - at, by);
}

// The text without the first line that begins with `start`.
std::string WithoutLine(std::string text, const std::string& start) {
  const std::size_t at = LineStart(text, start);
  if (at == std::string::npos) return text;
  return text.erase(at, text.find('\n', at) + 1 - at);
}

TEST_F(SessionRefusal, RefusesBadFilesAndLeavesTheInstallationAsItWas) {
  const fs::path folder = Folder("work");
  const std::string good = GoodSession(folder);
  const std::string goodII = GoodSession(Folder("other"), true);
  const std::string written = ReadAt(folder / "out.tap");  // the blocks the run wrote
  struct Case {
    const char* what;
    std::function<std::string()> file;  // the session file's text; may change the tapes too
    std::string message;                // a part of the message
    bool modelII = false;               // the model the file is restored into
  };
  const std::string tape = folder.string();
  const Case cases[] = {
      {"another kind of file", [] { return DataTape(); }, " is not an ORMLAX session file"},
      {"a wrong first line", [&] { return Replaced(good, "ORMLAX session", "ORMLAX sessions"); },
       " is not an ORMLAX session file"},
      {"an unknown version", [&] { return Replaced(good, "version 1", "version 2"); },
       " is a session file of version 2; this program reads version 1"},
      {"a version that is no number", [&] { return Replaced(good, "version 1", "version one"); },
       " is not an ORMLAX session file"},
      {"an empty file", [] { return std::string(); },
       " is not an ORMLAX session file: it is empty"},
      {"the ORMLAX II into an ORMLAX I", [&] { return goodII; },
       " is a session of the ORMLAX II; this installation is an ORMLAX I"},
      {"the ORMLAX I into an ORMLAX II", [&] { return good; },
       " is a session of the ORMLAX I; this installation is an ORMLAX II", true},
      {"cut short at a line's end", [&] { return good.substr(0, good.find("# servos")); },
       " is cut short: its last line \"end\" is missing"},
      {"cut short inside a text", [&] { return good.substr(0, good.find("rX [") + 7); },
       " is damaged at line 5: a text has no closing \"]\""},
      {"a line missing", [&] { return WithoutLine(good, "rX "); }, " has no line \"rX\""},
      {"a servo missing", [&] { return WithoutLine(good, "servo 9 "); },
       " has no line for servo 9"},
      {"a word too short", [&] { return ReplacedValue(good, "rA ", "rA [0012]"); },
       " is damaged at line 4: rA: a 12-character text in brackets is wanted"},
      {"a bad escape", [&] { return ReplacedValue(good, "rA ", "rA [\\x0G0000000000]"); },
       " is damaged at line 4: a \"\\\" in a text must begin \\x and two hexadecimal digits"},
      {"a location past memory", [&] { return ReplacedValue(good, "rCC ", "rCC 10000"); },
       " is damaged at line 9: rCC: \"10000\" is not a whole number from 0 to 9999"},
      {"a number that is no number", [&] { return ReplacedValue(good, "rCC ", "rCC 1O"); },
       "rCC: \"1O\" is not a whole number from 0 to 9999"},
      {"a flag that is neither", [&] { return Replaced(good, "overflow no", "overflow maybe"); },
       "overflow: \"maybe\" is neither yes nor no"},
      {"a colour of no lamp", [&] { return Replaced(good, "lamps grey", "lamps purple"); },
       "lamps: \"purple\" is not grey, green, cyan, red or yellow"},
      {"too few lamps", [&] { return Replaced(good, "lamps grey", "lamps"); },
       "lamps: needs 8 values, not 7"},
      {"an unknown field", [&] { return Replaced(good, "\nend\n", "\ncolour blue\nend\n"); },
       "\"colour\" is not a field of a session file of version 1"},
      {"a field twice", [&] { return Replaced(good, "\nend\n", "\nrA [000000000001]\nend\n"); },
       "a second line for rA"},
      {"a memory place twice",
       [&] { return Replaced(good, "\nend\n", "\nmemory 0000 [000000000001]\nend\n"); },
       "a second line for memory 0000"},
      {"a servo the model has not",
       [&] { return Replaced(good, "\nend\n", "\nservo A empty\nend\n"); },
       "servo: needs 12 values, not 2"},
      {"a servo beyond its end of data",
       [&] {
         return ReplacedValue(good, "servo 2 write-protected position ",
                              "servo 2 write-protected position 67");
       },
       "servo: the position 67 is not the start of a block before the end of data"},
      {"Operating as I on an ORMLAX I",
       [&] { return Replaced(good, "operating-as-I no", "operating-as-I yes"); },
       "operating-as-I: an ORMLAX I cannot be operating as an ORMLAX I"},
      {"lines after the end", [&] { return good + "rA [000000000000]\n"; },
       "nothing may follow the line \"end\""},
      {"a tape that is gone",
       [&] {
         fs::remove(folder / "data.tap");
         return good;
       },
       "The tape " + tape + "/data.tap on Servo  2 is gone since the session was saved"},
      {"a tape that has changed size",
       [&] {
         WriteAt(folder / "out.tap", ReadAt(folder / "out.tap") + TapeBytes({}));
         return good;
       },
       "The tape " + tape +
           "/out.tap on Servo  1 has changed size since the session was saved: "
           "it had " +
           std::to_string(written.size()) + " bytes, and has " +
           std::to_string(written.size() + 744)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteAt(folder / "data.tap", DataTape());
    WriteAt(folder / "out.tap", written);
    const std::string text = c.file();
    WriteAt(folder / "bad.session", text);
    Station target(c.modelII, folder, 5);
    target.M().Memory[7] = Word::FromText("KEEP ME     ");
    ASSERT_TRUE(MountTape(target.O().Servos, 3, target.op, folder, "mine.tap", false));
    const std::string before = target.SessionText("before.session");
    std::string error;
    EXPECT_FALSE(RestoreSession(target.O(), "bad.session", error));
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
    EXPECT_EQ(target.SessionText("after.session"), before);
    EXPECT_TRUE(target.O().Servos[3].File.IsOpen());
  }
}

TEST_F(SessionRefusal, NamesAMissingFileOrOneThatIsNoFile) {
  const fs::path folder = Folder("work");
  Folder("work/a folder");
  Station st(false, folder, 1);
  std::string error;
  EXPECT_FALSE(RestoreSession(st.O(), "none.session", error));
  EXPECT_EQ(error, "There is no session file " + (folder / "none.session").string());
  EXPECT_FALSE(RestoreSession(st.O(), "a folder", error));
  EXPECT_EQ(error, "The session file " + (folder / "a folder").string() +
                       " cannot be read: it is a folder");
}

TEST_F(SessionRefusal, SavingRefusesATapeAFolderThatIsNotThereAndARunningMachine) {
  const fs::path folder = Folder("work");
  Station st(false, folder, 1);
  SetUpLoop(st, 300);
  std::string error;
  EXPECT_FALSE(SaveSession(st.O(), "out.tap", error));
  EXPECT_EQ(error, "The session file " + (folder / "out.tap").string() +
                       " cannot be written: it is the tape on Servo  1");
  EXPECT_EQ(ReadAt(folder / "out.tap"), "");
  EXPECT_FALSE(SaveSession(st.O(), "no/such/folder/s.session", error));
  EXPECT_NE(error.find("cannot be written: No such file or directory"), std::string::npos) << error;

  // While the program runs, and while it is held in a Q/T stop, neither is done.
  st.M().Memory[0] = Word::FromText("000000U00000");  // an endless loop
  st.sim.Cpu().SetRunSlice(std::chrono::microseconds(0));
  std::string saveError, restoreError;
  st.op.QueueAction([&] {
    SaveSession(st.O(), "s.session", saveError);
    RestoreSession(st.O(), "s.session", restoreError);
    st.sim.Cpu().Stop();
  });
  st.sim.Cpu().Run();
  EXPECT_EQ(saveError,
            "A session cannot be saved while the machine is running or held inside an instruction: "
            "stop it first");
  EXPECT_NE(restoreError.find("cannot be restored while the machine is running"),
            std::string::npos);
  EXPECT_FALSE(fs::exists(folder / "s.session"));

  st.M().Memory[0] = Word::FromText("000000Q00000");
  st.M().QTSwitches[kQTAll] = true;
  st.op.QueueAction([&] {
    saveError.clear();
    SaveSession(st.O(), "s.session", saveError);
    st.sim.Cpu().Stop();
  });
  st.sim.Cpu().Run();
  EXPECT_NE(saveError.find("held inside an instruction"), std::string::npos);
  ASSERT_TRUE(SaveSession(st.O(), "s.session", error)) << error;  // stopped now
  for (const fs::directory_entry& e : fs::directory_iterator(folder)) {
    EXPECT_NE(e.path().filename().string().front(), '.')
        << "a temporary file is left: " << e.path();
  }
}

}  // namespace
}  // namespace ormlax::testing

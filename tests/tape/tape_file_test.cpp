// The tape file: record layout on disk, record access, capacity, host failures, and the two
// steps that recognise a file as a tape.
#include "tape/tape_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "tape/tape_recognition.h"
#include "tests/support/file_size_limit.h"
#include "tests/tape/tape_test_support.h"

namespace ormlax::testing {
namespace {

TapeRecord RecordOf(std::string_view data) {
  TapeRecord r;
  for (int w = 0; w < 10; ++w) r[static_cast<std::size_t>(w)] = Word::FromText(data.substr(w * 12));
  return r;
}

TEST(TapeFileLayout, ABlockIsSixRecordsOfLengthFieldWordsAndLineEnd) {
  TempFolder dir;
  TapeFile tape;
  ASSERT_TRUE(tape.StartNewTape(dir / "t.tap"));
  ASSERT_TRUE(tape.WriteBlock(1, BlockWords(1)));
  tape.Close();

  const std::string bytes = ReadBytes(dir / "t.tap");
  ASSERT_EQ(bytes.size(), 744u);
  EXPECT_EQ(bytes, BlockBytes(1));
  for (int r = 0; r < 6; ++r) {
    SCOPED_TRACE(r);
    const std::size_t at = static_cast<std::size_t>(r) * 124;
    EXPECT_EQ(bytes[at], '\x7A');
    EXPECT_EQ(bytes[at + 1], '\0');
    EXPECT_EQ(bytes.substr(at + 122, 2), "\r\n");
  }
  // Word 11 of the block is word 1 of record 2, at offset 124 + 2.
  EXPECT_EQ(bytes.substr(126, 12), "B0001W000010");
  EXPECT_EQ(bytes.substr(2 + 9 * 12, 12), "B0001W000009");
}

TEST(TapeFileRecords, ReadsWritesAndAppendsByRecordNumber) {
  TempFolder dir;
  WriteTape(dir / "t.tap", 2);
  TapeFile tape;
  ASSERT_TRUE(tape.OpenForTransfers(dir / "t.tap"));
  EXPECT_EQ(tape.RecordCount(), 12);

  const auto seventh = tape.ReadRecord(7);  // record 1 of block 2
  ASSERT_TRUE(seventh.has_value());
  EXPECT_EQ((*seventh)[0], BlockWord(2, 0));
  EXPECT_EQ((*seventh)[9], BlockWord(2, 9));

  const TapeRecord mine = RecordOf(std::string(120, 'X'));
  ASSERT_TRUE(tape.WriteRecord(3, mine));
  ASSERT_TRUE(tape.AppendRecord(RecordOf(std::string(120, 'Y'))));
  EXPECT_EQ(tape.RecordCount(), 13);
  EXPECT_EQ(tape.ReadRecord(3), mine);
  EXPECT_EQ(tape.ReadRecord(2).value()[0], BlockWord(1, 10));  // neighbours untouched
  EXPECT_EQ(tape.ReadRecord(4).value()[0], BlockWord(1, 30));
  tape.Close();

  const std::string bytes = ReadBytes(dir / "t.tap");
  ASSERT_EQ(bytes.size(), 13u * 124);
  EXPECT_EQ(bytes.substr(12 * 124), RecordBytes(std::string(120, 'Y')));
}

TEST(TapeFileRecords, ShortLengthFieldFillsWordsWithSpaces) {
  TempFolder dir;
  const std::string data = "AAAAAAAAAAAABBBBBBBBBBBBCCCCCCCCCCCCDDDDDDDDDDDDEEEEEEEEEEEEFFFFFF";
  ASSERT_EQ(data.size(), 66u);
  std::string record = std::string("\x42\x00", 2) + data;  // the field counts 66 characters
  record.resize(124, 'Z');
  WriteBytes(dir / "t.tap", record);

  TapeFile tape;
  ASSERT_TRUE(tape.OpenForTransfers(dir / "t.tap"));
  const auto words = tape.ReadRecord(1);
  ASSERT_TRUE(words.has_value());
  EXPECT_EQ((*words)[0].Text(), "AAAAAAAAAAAA");
  EXPECT_EQ((*words)[4].Text(), "EEEEEEEEEEEE");
  EXPECT_EQ((*words)[5].Text(), "FFFFFF      ");
  EXPECT_EQ((*words)[9].Text(), "            ");
}

TEST(TapeFileOpening, OpenCreatesAnAbsentFileAndKeepsAnExistingOne) {
  TempFolder dir;
  TapeFile tape;
  ASSERT_TRUE(tape.OpenForTransfers(dir / "new.tap"));
  EXPECT_TRUE(fs::exists(dir / "new.tap"));
  EXPECT_EQ(tape.RecordCount(), 0);

  WriteTape(dir / "old.tap", 3);
  ASSERT_TRUE(tape.OpenForTransfers(dir / "old.tap"));
  EXPECT_EQ(tape.RecordCount(), 18);
  tape.Close();
  EXPECT_EQ(fs::file_size(dir / "old.tap"), 3u * 744);

  ASSERT_TRUE(tape.StartNewTape(dir / "old.tap"));
  EXPECT_EQ(tape.RecordCount(), 0);
  tape.Close();
  EXPECT_EQ(fs::file_size(dir / "old.tap"), 0u);
}

TEST(TapeFileCapacity, TheLastRecordIs11700) {
  TempFolder dir;
  TapeFile tape;
  ASSERT_TRUE(tape.StartNewTape(dir / "t.tap"));
  ASSERT_TRUE(tape.WriteBlock(11695, BlockWords(1950)));
  EXPECT_EQ(tape.RecordCount(), 11700);
  EXPECT_EQ(tape.ReadRecord(11700).value()[9], BlockWord(1950, 59));

  EXPECT_FALSE(tape.WriteBlock(11701, BlockWords(1951)));
  EXPECT_FALSE(tape.WriteRecord(11701, TapeRecord{}));
  EXPECT_FALSE(tape.AppendRecord(TapeRecord{}));
  tape.Close();
  EXPECT_EQ(fs::file_size(dir / "t.tap"), 1450800u);
}

TEST(TapeFileHostErrors, FailuresAnswerFalseWithAReason) {
  TempFolder dir;
  fs::create_directory(dir / "folder.tap");
  TapeFile tape;

  EXPECT_FALSE(tape.OpenForTransfers(dir / "missing" / "t.tap"));
  EXPECT_FALSE(tape.LastError().empty());
  EXPECT_FALSE(tape.IsOpen());
  EXPECT_FALSE(tape.OpenForTransfers(dir / "folder.tap"));
  EXPECT_FALSE(tape.StartNewTape(dir / "missing" / "t.tap"));
  EXPECT_FALSE(tape.ReadRecord(1).has_value());  // nothing open
  EXPECT_FALSE(tape.WriteRecord(1, TapeRecord{}));

  WriteTape(dir / "t.tap", 1);
  ASSERT_TRUE(tape.OpenForTransfers(dir / "t.tap"));
  EXPECT_FALSE(tape.ReadRecord(7).has_value());  // beyond the end of the file
  EXPECT_FALSE(tape.LastError().empty());
  EXPECT_TRUE(tape.ReadRecord(6).has_value());  // the file is still usable
}

TEST(TapeFileHostErrors, OnlyARegularFileCanBeATapeAndNothingWaitsOnAPipe) {
  TempFolder dir;
  ASSERT_EQ(::mkfifo((dir / "pipe.tap").c_str(), 0600), 0);
  fs::create_directory(dir / "folder.tap");
  struct Case {
    fs::path path;
    const char* reason;
  };
  const Case cases[] = {
      {dir / "pipe.tap", "it is a pipe"},
      {dir / "folder.tap", "it is a folder"},
      {"/dev/null", "it is a device"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.string());
    TapeFile tape;
    EXPECT_FALSE(tape.OpenForTransfers(c.path));
    EXPECT_FALSE(tape.OpenExisting(c.path, true));
    EXPECT_FALSE(tape.StartNewTape(c.path));
    EXPECT_EQ(tape.LastError(), c.reason);
    EXPECT_EQ(ValidateTape(c.path), TapeValidity::NotAFile);
  }
}

TEST(TapeFileHostErrors, AReadOnlyOpenReadsAndRefusesWrites) {
  TempFolder dir;
  WriteTape(dir / "t.tap", 1);
  TapeFile tape;
  ASSERT_TRUE(tape.OpenExisting(dir / "t.tap", true));
  EXPECT_TRUE(tape.IsReadOnly());
  EXPECT_EQ(tape.ReadRecord(1).value()[0], BlockWord(1, 0));
  EXPECT_FALSE(tape.WriteBlock(1, BlockWords(2)));
  EXPECT_EQ(ReadBytes(dir / "t.tap"), BlockBytes(1));
  EXPECT_FALSE(tape.OpenExisting(dir / "absent.tap", true));
  EXPECT_FALSE(fs::exists(dir / "absent.tap"));

  // A file its owner may only read opens for reading only (the superuser may write anything).
  fs::permissions(dir / "t.tap", fs::perms::owner_read);
  if (::geteuid() != 0) {
    EXPECT_FALSE(tape.OpenForTransfers(dir / "t.tap"));
    EXPECT_EQ(tape.LastError(), std::strerror(EACCES));
  }
  EXPECT_TRUE(tape.OpenExisting(dir / "t.tap", true));
}

// A write the host cannot finish (here the file may not grow past 1000 bytes, as on a full disk)
// leaves the file exactly as it was: whole blocks only, none of them changed.
TEST(TapeFileHostErrors, AFailedBlockWriteLeavesTheFileAsBefore) {
  TempFolder dir;
  WriteTape(dir / "t.tap", 1);
  TapeFile tape;
  ASSERT_TRUE(tape.OpenForTransfers(dir / "t.tap"));
  {
    FileSizeLimit limit(1000);
    EXPECT_FALSE(tape.WriteBlock(7, BlockWords(2)));  // a second block: partly written, undone
    EXPECT_EQ(tape.LastError(), std::strerror(EFBIG));
    // One that overwrites the second half of block 1 and runs over the limit is undone as well.
    EXPECT_FALSE(tape.WriteBlock(4, BlockWords(3)));
  }
  EXPECT_EQ(ReadBytes(dir / "t.tap"), BlockBytes(1));
  EXPECT_TRUE(tape.WriteBlock(7, BlockWords(2)));
  EXPECT_EQ(ReadBytes(dir / "t.tap"), BlockBytes(1) + BlockBytes(2));
}

TEST(TapeFileRecords, EveryRecordMustHaveTheLayoutTheUnitsWrite) {
  TempFolder dir;
  struct Case {
    const char* name;
    std::size_t at;  // the byte changed, in the second block
    char value;
    bool valid;
  };
  const Case cases[] = {
      {"good", 0, '\x7A', true},     {"short-field", 0, 'x', true},  // a shorter length field
      {"nul-field", 0, '\0', false}, {"high-field", 1, 'A', false}, {"nul-data", 40, '\0', false},
      {"cr-data", 40, '\r', false},  {"lf-data", 121, '\n', false}, {"no-cr", 122, ' ', false},
      {"no-lf", 123, ' ', false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string bytes = BlockBytes(1) + BlockBytes(2);
    bytes[kBlockBytes + 2 * kRecordBytes + c.at] = c.value;
    WriteBytes(dir / "t.tap", bytes);
    TapeFile tape;
    ASSERT_TRUE(tape.OpenExisting(dir / "t.tap", true));
    EXPECT_EQ(tape.HasTapeRecords(), c.valid);
  }
}

TEST(TapeValidation, ClassifiesByPresenceAndLength) {
  TempFolder dir;
  fs::create_directory(dir / "folder.tap");
  struct Case {
    const char* name;
    int length;  // -1: no file
    TapeValidity expected;
  };
  const Case cases[] = {
      {"absent.tap", -1, TapeValidity::Blank},    {"folder.tap", -1, TapeValidity::NotAFile},
      {"empty.tap", 0, TapeValidity::ValidTape},  {"one.tap", 744, TapeValidity::ValidTape},
      {"two.tap", 1488, TapeValidity::ValidTape}, {"long.tap", 745, TapeValidity::NotATape},
      {"short.tap", 743, TapeValidity::NotATape}, {"record.tap", 124, TapeValidity::NotATape},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.length >= 0)
      WriteBytes(dir / c.name, std::string(static_cast<std::size_t>(c.length), 'q'));
    EXPECT_EQ(ValidateTape(dir / c.name), c.expected);
  }
}

TEST(TapeNameStep, AsksAboutAnAbsentFileAndRefusesAWrongLength) {
  TempFolder dir;
  WriteTape(dir / "good.tap", 1);
  WriteBytes(dir / "odd.tap", BlockBytes(1) + "x");
  struct Case {
    std::string typed;
    MessageAnswer answer;
    NameStepResult expected;
    std::string message;  // empty: none shown
    MessageButtons buttons;
  };
  const std::string oddPath = (dir / "odd.tap").string();
  const Case cases[] = {
      {"blank.tap", MessageAnswer::Yes, NameStepResult::BlankTape,
       "File blank.tap not present.\r\nIs this a blank tape?", MessageButtons::YesNo},
      {"blank.tap", MessageAnswer::No, NameStepResult::NotBlank,
       "File blank.tap not present.\r\nIs this a blank tape?", MessageButtons::YesNo},
      {"odd.tap", MessageAnswer::Ok, NameStepResult::NotATape,
       "The tape\r\n" + oddPath + "\r\nis not a ORMLAX tape", MessageButtons::Ok},
      {"good.tap", MessageAnswer::Ok, NameStepResult::Accepted, "", MessageButtons::Ok},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    ScriptedOperator op;
    op.QueueAnswer(c.answer);
    EXPECT_EQ(TapeNameStep(op, c.typed, dir / c.typed), c.expected);
    if (c.message.empty()) {
      EXPECT_TRUE(op.messages.empty());
      continue;
    }
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0], c.message);
    EXPECT_EQ(op.requests[0].buttons, c.buttons);
    if (c.buttons == MessageButtons::YesNo) {
      EXPECT_EQ(op.requests[0].icon, MessageIcon::Question);
    }
  }
}

// A block of six records whose first line counts 120 characters.
std::string FirstLineOf120(bool nulInData) {
  std::string bytes = BlockBytes(1);
  if (nulInData) {
    bytes[50] = '\0';
  } else {
    // The line end comes one character early; the next line is one character longer.
    bytes.erase(121, 1);
    bytes.insert(124, "Q");
  }
  return bytes;
}

TEST(TapeMountStep, EndOfDataFollowsTheLastRecord) {
  TempFolder dir;
  WriteTape(dir / "one.tap", 1);
  WriteBytes(dir / "empty.tap", "");
  WriteBytes(dir / "junk.tap", std::string(745, 'j'));
  struct Case {
    const char* name;
    bool blank;
    std::int32_t endOfData;
  };
  const Case cases[] = {
      {"one.tap", false, 7}, {"empty.tap", false, 1}, {"new.tap", true, 1},  // created empty
      {"one.tap", true, 1},   // a blank tape is not examined: its old data is not counted
      {"junk.tap", true, 1},  // not even its length
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedOperator op;
    auto tape = TapeMountStep(op, dir / c.name, c.blank);
    ASSERT_TRUE(tape.has_value());
    EXPECT_TRUE(op.messages.empty());
    EXPECT_TRUE(tape->File.IsOpen());
    EXPECT_EQ(tape->EndOfData, c.endOfData);
  }
  EXPECT_EQ(fs::file_size(dir / "new.tap"), 0u);
  EXPECT_EQ(fs::file_size(dir / "one.tap"), 744u);
}

TEST(TapeMountStep, RefusesFilesThatAreNotTapesAndSaysWhy) {
  TempFolder dir;
  WriteBytes(dir / "nul.tap", FirstLineOf120(true));
  WriteBytes(dir / "early.tap", FirstLineOf120(false));
  WriteBytes(dir / "long.tap", BlockBytes(1) + "x");
  WriteBytes(dir / "lines.tap", std::string(744, 'a'));
  fs::create_directory(dir / "folder.tap");
  ASSERT_EQ(fs::file_size(dir / "nul.tap"), 744u);
  ASSERT_EQ(fs::file_size(dir / "early.tap"), 744u);
  struct Case {
    fs::path path;
    bool blank;
    std::string message;  // the start of the message
  };
  const auto invalid = [&](const char* name) {
    return (dir / name).string() + " does not appear to be a valid tape file";
  };
  const Case cases[] = {
      {dir / "nul.tap", false, invalid("nul.tap")},
      {dir / "early.tap", false, invalid("early.tap")},
      {dir / "lines.tap", false, invalid("lines.tap")},
      {dir / "long.tap", false,
       "The tape\r\n" + (dir / "long.tap").string() + "\r\nis not a ORMLAX tape"},
      {dir / "gone.tap", false,
       "The tape file\r\n" + (dir / "gone.tap").string() + "\r\ncannot be read"},
      {dir / "folder.tap", true,
       "The tape file\r\n" + (dir / "folder.tap").string() +
           "\r\ncannot be a tape (it is a folder)"},
      {dir / "missing" / "t.tap", true,
       "The tape file\r\n" + (dir / "missing" / "t.tap").string() + "\r\ncannot be opened"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.string());
    ScriptedOperator op;
    EXPECT_FALSE(TapeMountStep(op, c.path, c.blank).has_value());
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_TRUE(op.messages[0].starts_with(c.message)) << op.messages[0];
    EXPECT_EQ(op.requests[0].buttons, MessageButtons::Ok);
  }
  EXPECT_EQ(ReadBytes(dir / "nul.tap"), FirstLineOf120(true));  // refused files are left alone
  EXPECT_FALSE(fs::exists(dir / "gone.tap"));
}

}  // namespace
}  // namespace ormlax::testing

// The key-to-tape device: opening on each kind of target, the typing rule, the word layout and
// count, "Fill line", "Close File" to whole blocks (and never past a full tape), and abort.
#include "tape/ormtyper.h"

#include <gtest/gtest.h>

#include "tests/support/scripted_operator.h"
#include "tests/tape/tape_test_support.h"

namespace ormlax {
namespace {

using testing::BlockBytes;
using testing::ReadBytes;
using testing::RecordBytes;
using testing::ScriptedOperator;
using testing::TempFolder;
using testing::WriteBytes;
using testing::WriteTape;

// The record data of a tape file, 120 characters a record.
std::vector<std::string> RecordsOf(const std::string& bytes) {
  std::vector<std::string> records;
  for (std::size_t at = 0; at + kRecordBytes <= bytes.size(); at += kRecordBytes) {
    EXPECT_EQ(bytes.substr(at, 2), std::string("\x7A\x00", 2));
    EXPECT_EQ(bytes.substr(at + 122, 2), "\r\n");
    records.push_back(bytes.substr(at + 2, kRecordCharacters));
  }
  EXPECT_EQ(bytes.size() % kBlockBytes, 0u) << "not whole blocks";
  return records;
}

class OrmtyperTest : public ::testing::Test {
 protected:
  std::filesystem::path Path(const std::string& name) { return folder / name; }

  TempFolder folder;
  ScriptedOperator op;
  Ormtyper typer{op};
};

TEST(OrmtyperCharacter, TypedKeysEnterAsMachineCharactersInUpperCase) {
  const struct {
    char typed;
    std::optional<char> entered;
  } cases[] = {
      {'a', 'A'},
      {'z', 'Z'},
      {'Q', 'Q'},
      {'0', '0'},
      {' ', ' '},
      {'@', '@'},
      {'=', '='},
      // The control characters i, r, c, t, s, b, n come from the buttons only.
      {'i', 'I'},
      {'b', 'B'},
      {'n', 'N'},
      // Not machine characters.
      {'!', std::nullopt},
      {'~', std::nullopt},
      {'\t', std::nullopt},
      {'\x01', std::nullopt},
      {'[', std::nullopt},
      {'\xE9', std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(1, c.typed));
    EXPECT_EQ(OrmtyperCharacter(c.typed), c.entered);
  }
}

TEST(OrmtyperLayout, AWordStaysOnItsLineUntilTheNextCharacterIsTyped) {
  EXPECT_EQ(OrmtyperLayout(""), "");
  EXPECT_EQ(OrmtyperLayout("ABCDEFGHIJKL"), "ABCDEFGHIJKL");
  EXPECT_EQ(OrmtyperLayout("ABCDEFGHIJKLM"), "ABCDEFGHIJKL\nM");
  EXPECT_EQ(OrmtyperLayout(std::string(24, 'X')),
            std::string(12, 'X') + "\n" + std::string(12, 'X'));
}

TEST(RecordsOfLength, RoundsToTheNearestRecordHalvesToEven) {
  EXPECT_EQ(RecordsOfLength(0), 0);
  EXPECT_EQ(RecordsOfLength(744), 6);
  EXPECT_EQ(RecordsOfLength(124 + 61), 1);
  EXPECT_EQ(RecordsOfLength(124 + 63), 2);
  EXPECT_EQ(RecordsOfLength(62), 0);        // half of one record: to the even 0
  EXPECT_EQ(RecordsOfLength(124 + 62), 2);  // one and a half: to the even 2
}

TEST_F(OrmtyperTest, TwentyFiveCharactersShowTwoWordsAndOneCharacter) {
  WriteTape(Path("two.tap"), 2);
  op.QueueAnswer(MessageAnswer::Yes);
  ASSERT_TRUE(typer.Open(Path("two.tap"), OrmtyperTarget::KeptTape, false));
  EXPECT_EQ(typer.FileName(), "two.tap");
  EXPECT_EQ(typer.Count(), 120);
  typer.Edited(std::string(25, 'A'));
  EXPECT_EQ(typer.Shown(), std::string(12, 'A') + "\n" + std::string(12, 'A') + "\nA");
  EXPECT_EQ(typer.WordsTyped(), 2);
  EXPECT_EQ(typer.Count(), 122);
  // The area read back: line ends are the device's, and only machine characters stay.
  typer.Edited("ABC\nDEF\r\nG!H\xE9");
  EXPECT_EQ(typer.Characters(), "ABCDEFGH");
}

// What opening does with each kind of target, and what the file holds after Close File.
TEST_F(OrmtyperTest, OpeningAppendsRewritesCreatesOrRefuses) {
  const std::string oldTape = BlockBytes(1) + BlockBytes(2);
  struct Case {
    std::string name;
    std::string before;  // the file's bytes; "-" for no file
    OrmtyperTarget kind;
    bool mayOverwrite;
    std::optional<MessageAnswer> appendAnswer;  // the question is asked only with an answer
    bool opens;
    std::int64_t wordsOnTape;
    std::string after;  // the file after opening, typing one word and closing
  };
  const std::string word = "HELLO WORLD0";
  const std::string newBlock = [&] {
    std::string b;
    std::string data = word + std::string(108, '0');
    b += RecordBytes(data);
    for (int r = 1; r < 6; ++r) b += RecordBytes(std::string(120, '0'));
    return b;
  }();
  const Case cases[] = {
      {"append", oldTape, OrmtyperTarget::KeptTape, false, MessageAnswer::Yes, true, 120,
       oldTape + newBlock},
      // No empties the tape first: nothing of the old tape is left beyond the new data.
      {"rewrite", oldTape, OrmtyperTarget::KeptTape, false, MessageAnswer::No, true, 0, newBlock},
      {"cancel", oldTape, OrmtyperTarget::KeptTape, false, MessageAnswer::Cancel, false, 0,
       oldTape},
      {"kept file", "not a tape", OrmtyperTarget::KeptFile, false, std::nullopt, false, 0,
       "not a tape"},
      {"overwrite", oldTape, OrmtyperTarget::Overwritable, true, std::nullopt, true, 0, newBlock},
      {"new", "-", OrmtyperTarget::Overwritable, true, std::nullopt, true, 0, newBlock},
      {"no target", "-", OrmtyperTarget::None, false, std::nullopt, false, 0, "-"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::filesystem::path path = Path(c.name + ".tap");
    if (c.before != "-") WriteBytes(path, c.before);
    op.messages.clear();
    op.requests.clear();
    if (c.appendAnswer) op.QueueAnswer(*c.appendAnswer);
    Ormtyper t(op);
    EXPECT_EQ(t.Open(path, c.kind, c.mayOverwrite), c.opens);
    EXPECT_EQ(t.Closed(), !c.opens);
    if (c.appendAnswer) {
      ASSERT_EQ(op.requests.size(), 1u);
      EXPECT_EQ(op.requests[0].text, "File already exists\r\nAppend to end?");
      EXPECT_EQ(op.requests[0].buttons, MessageButtons::YesNoCancel);
      EXPECT_EQ(op.requests[0].defaultAnswer, MessageAnswer::No);
    } else {
      EXPECT_TRUE(op.requests.empty());
    }
    if (c.opens) {
      EXPECT_EQ(t.WordsOnTape(), c.wordsOnTape);
      EXPECT_EQ(t.NextRecord(), c.wordsOnTape / 10 + 1);
      t.Edited(word);
      EXPECT_TRUE(t.CloseFile());
      EXPECT_TRUE(t.Closed());
    }
    EXPECT_EQ(std::filesystem::exists(path) ? ReadBytes(path) : "-", c.after);
  }
}

TEST_F(OrmtyperTest, AFileThatCannotBeOpenedIsToldWithAnExclamation) {
  const std::filesystem::path path = Path("no such folder") / "x.tap";
  EXPECT_FALSE(typer.Open(path, OrmtyperTarget::Overwritable, true));
  EXPECT_TRUE(typer.Closed());
  ASSERT_EQ(op.requests.size(), 1u);
  EXPECT_EQ(op.requests[0].text, "Cannot open " + path.string());
  EXPECT_EQ(op.requests[0].icon, MessageIcon::Exclamation);
}

TEST_F(OrmtyperTest, CloseFilePadsToAWholeBlockWithThePadCharacter) {
  for (const bool zeros : {true, false}) {
    SCOPED_TRACE(zeros ? "zeros" : "spaces");
    const std::filesystem::path path = Path(zeros ? "z.tap" : "s.tap");
    Ormtyper t(op);
    ASSERT_TRUE(t.Open(path, OrmtyperTarget::Overwritable, true));
    t.PadWithZeros = zeros;
    std::string typed;
    for (int w = 1; w <= 13; ++w)
      typed += "WORD" + std::string(6, '-') + (w < 10 ? "0" : "") + std::to_string(w);
    t.Edited(typed);
    EXPECT_EQ(t.Count(), 13);
    EXPECT_TRUE(t.CloseFile());
    const std::vector<std::string> records = RecordsOf(ReadBytes(path));
    ASSERT_EQ(records.size(), 6u);
    std::string data;
    for (const std::string& r : records) data += r;
    EXPECT_EQ(data.substr(0, 156), typed);
    EXPECT_EQ(data.substr(156), std::string(720 - 156, zeros ? '0' : ' '));
  }
}

TEST_F(OrmtyperTest, FillLinePadsToTenWords) {
  ASSERT_TRUE(typer.Open(Path("f.tap"), OrmtyperTarget::Overwritable, true));
  typer.FillLine();  // nothing typed: nothing added
  EXPECT_EQ(typer.Characters(), "");
  typer.Edited(std::string(36, 'A') + "B");  // three words and a character
  typer.PadWithZeros = false;
  typer.FillLine();
  EXPECT_EQ(typer.Characters(), std::string(36, 'A') + "B" + std::string(83, ' '));
  EXPECT_EQ(typer.Count(), 10);
  typer.FillLine();  // a whole record already
  EXPECT_EQ(typer.Characters().size(), 120u);
}

TEST_F(OrmtyperTest, TheCharacterButtonsAppendTheirCodesInTheirOwnCase) {
  ASSERT_TRUE(typer.Open(Path("c.tap"), OrmtyperTarget::Overwritable, true));
  typer.Edited("AB");
  for (int k = 0; k < 16; ++k) typer.InsertSpecialCharacter(k);
  EXPECT_EQ(typer.Characters(), "ABirctsbni rct|sb=");
}

TEST_F(OrmtyperTest, CloseWithNothingTypedAndAbortWriteNothing) {
  WriteTape(Path("kept.tap"), 1);
  op.QueueAnswer(MessageAnswer::Yes);
  ASSERT_TRUE(typer.Open(Path("kept.tap"), OrmtyperTarget::KeptTape, false));
  EXPECT_TRUE(typer.CloseFile());
  EXPECT_EQ(ReadBytes(Path("kept.tap")), BlockBytes(1));

  op.QueueAnswer(MessageAnswer::Yes);
  Ormtyper appending(op);
  ASSERT_TRUE(appending.Open(Path("kept.tap"), OrmtyperTarget::KeptTape, false));
  appending.Edited(std::string(100, 'X'));
  appending.Abort();
  EXPECT_TRUE(appending.Closed());
  EXPECT_EQ(ReadBytes(Path("kept.tap")), BlockBytes(1));

  // A target emptied at opening stays empty.
  Ormtyper fresh(op);
  ASSERT_TRUE(fresh.Open(Path("kept.tap"), OrmtyperTarget::Overwritable, true));
  fresh.Edited("ABC");
  fresh.Abort();
  EXPECT_EQ(ReadBytes(Path("kept.tap")), "");
}

// Close File never writes past a full tape (1950 blocks): it says how many words still fit,
// writes nothing and keeps what was typed, so the operator can cut it down or abort.
TEST_F(OrmtyperTest, DataThatDoesNotFitOnTheTapeIsNotWrittenAtAll) {
  const struct {
    const char* name;
    int blocksOnTape;
    int wordsTyped;
    bool fits;
    int wordsThatFit;
  } cases[] = {
      {"full tape, one word", kTapeBlocks, 1, false, 0},
      {"one block left, 61 words", kTapeBlocks - 1, 61, false, 60},
      {"one block left, 60 words", kTapeBlocks - 1, 60, true, 60},
      {"three blocks left, 121 words", kTapeBlocks - 3, 121, true, 180},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::filesystem::path path = Path("full.tap");
    WriteTape(path, c.blocksOnTape);
    const std::string before = ReadBytes(path);
    op.QueueAnswer(MessageAnswer::Yes);
    Ormtyper t(op);
    ASSERT_TRUE(t.Open(path, OrmtyperTarget::KeptTape, false));
    op.messages.clear();  // the question
    const std::string typed(static_cast<std::size_t>(12 * c.wordsTyped), 'W');
    t.Edited(typed);
    EXPECT_EQ(t.CloseFile(), c.fits);
    EXPECT_EQ(t.Closed(), c.fits);
    const std::string after = ReadBytes(path);
    if (c.fits) {
      EXPECT_TRUE(op.messages.empty());
      EXPECT_LE(after.size(), static_cast<std::size_t>(kTapeBytes));
      EXPECT_EQ(after.substr(0, before.size()), before);
      EXPECT_EQ(after.substr(before.size(), 14), RecordBytes(typed.substr(0, 120)).substr(0, 14));
    } else {
      ASSERT_EQ(op.messages.size(), 1u);
      EXPECT_EQ(op.messages[0], "The tape cannot hold all these words:\r\nonly " +
                                    std::to_string(c.wordsThatFit) +
                                    " more words fit on it.\r\nNothing has been written.");
      EXPECT_TRUE(after == before)
          << "the tape went from " << before.size() << " to " << after.size() << " bytes";
      // Still in the window, unpadded.
      EXPECT_TRUE(t.Characters() == typed) << t.Characters().size() << " characters";
      t.Abort();
    }
  }
}

}  // namespace
}  // namespace ormlax

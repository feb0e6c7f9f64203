// Which words go into which blocks of the object tape, with and without the loading routine,
// and the routine's own words.
#include <cstdio>

#include "tape/tape_recognition.h"
#include "tests/assembler/assembler_test_support.h"

namespace ormlax::testing {
namespace {

using Texts = std::vector<std::string>;
constexpr const char* kPad = "000000000000";

// Word k of a generated program, from 1: P and Q followed by its number.
std::string ProgramWord(int k) {
  char text[32];
  std::snprintf(text, sizeof text, "P%05dQ%05d", k % 100000, k % 100000);
  return text;
}

// A source of `words` words of data, then `storage` words of working storage.
std::string ProgramSource(int words, int storage = 0) {
  std::string source;
  for (int k = 1; k <= words; ++k) {
    const std::string w = ProgramWord(k);
    source += "\t|" + w.substr(0, 6) + "\t|" + w.substr(6) + "\r\n";
  }
  if (storage > 0) source += "BUF\tWS\t" + std::to_string(storage) + "\r\n";
  return source;
}

// Words first ... last of the generated program, padded with pad words to a block.
Texts ProgramBlock(int first, int last) {
  Texts block;
  for (int k = first; k <= last; ++k) block.push_back(ProgramWord(k));
  block.resize(60, kPad);
  return block;
}

// A block that begins with these words and is padded.
Texts BlockOf(Texts words) {
  words.resize(60, kPad);
  return words;
}

class ObjectTape : public AssemblerTest {
 protected:
  // The blocks of the object tape, each as its 60 words; the file must be whole records.
  std::vector<Texts> Blocks() {
    const std::string bytes = ReadFile("prog.obj");
    EXPECT_EQ(bytes.size() % 744, 0u);
    std::vector<Texts> blocks;
    for (std::size_t at = 0; at + 744 <= bytes.size(); at += 744) {
      Texts block;
      for (std::size_t r = 0; r < 6; ++r) {
        const std::string record = bytes.substr(at + r * 124, 124);
        EXPECT_EQ(record.substr(0, 2), std::string("\x7a\x00", 2));
        EXPECT_EQ(record.substr(122), "\r\n");
        for (std::size_t w = 0; w < 10; ++w) block.push_back(record.substr(2 + w * 12, 12));
      }
      blocks.push_back(block);
    }
    return blocks;
  }
};

TEST_F(ObjectTape, WithoutTheLoaderTheWordsGoInBlocksOfSixty) {
  struct Case {
    int words;
    std::vector<Texts> blocks;
  };
  const Case cases[] = {
      {0, {BlockOf({})}},
      {1, {ProgramBlock(1, 1)}},
      {60, {ProgramBlock(1, 60)}},
      {61, {ProgramBlock(1, 60), ProgramBlock(61, 61)}},
      {120, {ProgramBlock(1, 60), ProgramBlock(61, 120)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.words);
    ASSERT_EQ(Assemble(ProgramSource(c.words)), AssemblyOutcome::Assembled);
    EXPECT_EQ(Blocks(), c.blocks);
  }
  EXPECT_EQ(fs::file_size(dir_ / "prog.obj"), 2u * 744);
}

TEST_F(ObjectTape, TheLoaderComesFirstAndTheProgramsFirstBlockLast) {
  AssemblyOptions loader;
  loader.InsertLoader = true;
  AssemblyOptions both = loader;
  both.InsertOverflowCode = true;
  const Texts overflow = {"R00003U00001", "B00003A00002", "C00003000001", kPad};
  Texts withOverflow = overflow;
  for (int k = 1; k <= 6; ++k) withOverflow.push_back(ProgramWord(k));
  struct Case {
    const char* what;
    int words;
    int storage;
    AssemblyOptions options;
    std::vector<Texts> blocks;
  };
  const Case cases[] = {
      {"40 words: one middle block of pad words",
       40,
       0,
       loader,
       {BlockOf({"1 00003 0060", "300000U00000"}), BlockOf({}), ProgramBlock(1, 40)}},
      // Found by fuzz_assembler: a source of comments only, with the loader, gave a last block
      // (and memory 0 to 59) of NUL characters, a tape the units refused to mount.
      {"no words at all: the first block is pad words",
       0,
       0,
       loader,
       {BlockOf({"1 00003 0060", "300000U00000"}), BlockOf({}), BlockOf({})}},
      {"exactly 120 words",
       120,
       0,
       loader,
       {BlockOf({"1 00003 0060", "300000U00000"}), ProgramBlock(61, 120), ProgramBlock(1, 60)}},
      {"130 words",
       130,
       0,
       loader,
       {BlockOf({"1 00003 0060", "3 0120000000", "300000U00000"}), ProgramBlock(61, 120),
        ProgramBlock(121, 130), ProgramBlock(1, 60)}},
      {"working storage of 12 words from 25",
       25,
       12,
       loader,
       {BlockOf({kPad, "000000000012", "000000000001", "F00000G00025", "B00003A00002",
                 "C00003B00001", "S00002H00001", "L00000T00003", "1 00003 0060", "300000U00000"}),
        BlockOf({}), ProgramBlock(1, 25)}},
      {"both options: the jump goes to 4",
       6,
       0,
       both,
       {BlockOf({"1 00003 0060", "300000U00004"}), BlockOf({}), BlockOf(withOverflow)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(Assemble(ProgramSource(c.words, c.storage), c.options), AssemblyOutcome::Assembled);
    EXPECT_EQ(Blocks(), c.blocks);
    // Memory 0 to 59 was the buffer of the first block, and keeps it.
    const Texts first = c.blocks.back();
    for (std::size_t w = 0; w < 60; ++w) EXPECT_EQ(memory_[w].Text(), first[w]) << w;
  }
}

// Found by fuzz_assembler: the source held nothing but comments. On either model the tape of
// the loader and its two pad blocks is one the tape units mount.
TEST_F(ObjectTape, AProgramOfCommentsOnlyWithTheLoaderMakesATapeThatMounts) {
  AssemblyOptions loader;
  loader.InsertLoader = true;
  for (const bool modelII : {false, true}) {
    SCOPED_TRACE(modelII ? "ORMLAX II" : "ORMLAX I");
    ASSERT_EQ(
        Assemble("; Report: prints a page\r\n;\r\n; and then how many words", loader, modelII),
        AssemblyOutcome::Assembled);
    EXPECT_EQ(Blocks().back(), BlockOf({}));
    EXPECT_TRUE(TapeMountStep(op_, dir_ / "prog.obj", false, true).has_value());
    EXPECT_TRUE(op_.messages.empty()) << op_.messages.front();
  }
}

TEST_F(ObjectTape, ALoaderLongerThanABlockHasABootstrapAndLoadsMiddleBlockOneLast) {
  AssemblyOptions loader;
  loader.InsertLoader = true;
  constexpr int kWords = 7300;  // 121 middle blocks: more "3" instructions than one block holds
  ASSERT_EQ(Assemble(ProgramSource(kWords, 500), loader, true), AssemblyOutcome::Assembled);
  const std::vector<Texts> blocks = Blocks();
  constexpr int kMiddle = (kWords - 60 + 59) / 60;
  ASSERT_EQ(blocks.size(), 3u + kMiddle + 1u);
  EXPECT_EQ(blocks[0], BlockOf({"1 00003 0060", "300000U00000"}));
  // Block A, at 0-59: the clearing routine, then "1 0000" and the stores from middle block 2.
  const Texts& a = blocks[2];
  EXPECT_EQ(a[1], "000000000500");
  EXPECT_EQ(a[3], "F00000G07300");
  EXPECT_EQ(a[8], "1 00003 0120");
  // Block B, at 60-119, ends by storing middle block 1 and going back to A's last pair.
  const Texts& b = blocks[1];
  const auto lastB =
      std::find_if(b.rbegin(), b.rend(), [](const std::string& w) { return w != kPad; }).base() - 1;
  EXPECT_TRUE(lastB->starts_with("3 0060U0")) << *lastB;
  const int back = std::stoi(lastB->substr(8));
  EXPECT_EQ(a[static_cast<std::size_t>(back)], "300000U00000");
  EXPECT_EQ(blocks[3], ProgramBlock(121, 180));
  EXPECT_EQ(blocks[blocks.size() - 2], ProgramBlock(61, 120));
  EXPECT_EQ(blocks.back(), ProgramBlock(1, 60));
}

}  // namespace
}  // namespace ormlax::testing

// The three conversions between tapes and text files.
#include <gtest/gtest.h>

#include "offline/offline_messages.h"
#include "offline/tape_conversions.h"
#include "offline/text_to_tape.h"
#include "tape/tape_file.h"
#include "tape/tape_recognition.h"
#include "tests/offline/offline_test_support.h"
#include "tests/support/file_size_limit.h"

namespace ormlax {
namespace {

using testing::Blockette;
using testing::CrLfLines;
using testing::RecordBytes;
using testing::TapeOf;

class ConversionTest : public testing::OffLineDeskTest {
 protected:
  // A tape of blockettes padded with "0", as the text conversion pads.
  static std::string ZeroPadded(const std::string& text) { return TapeOf({Blockette(text, '0')}); }
};

TEST_F(ConversionTest, TextBecomesWholeBlocksOfMachineCharacters) {
  struct Case {
    const char* what;
    std::string text;
    std::string tape;
  };
  const std::string block(720, 'Q');
  const Case cases[] = {
      {"five characters", "AB?Z!", ZeroPadded("AB?Zn")},
      {"line ends are dropped", "ABC\r\nDEF\n", ZeroPadded("ABCDEF")},
      {"CR, LF and TAB anywhere", "A\tB\rC\n\nD", ZeroPadded("ABCD")},
      {"bytes that are not machine characters",
       std::string("\x80\0\x7f"
                   "a~ircsbtn",
                   12),
       ZeroPadded("nnnnnircsbtn")},
      {"exactly one block", block, TapeOf(std::vector<std::string>(6, std::string(120, 'Q')))},
      {"nothing", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    op.messages.clear();
    Write("in.txt", c.text);
    Write("out.tap", std::string(744 * 3, 'x'));  // a longer old file, agreed to be overwritten
    Choose("in.txt", "out.tap");
    EXPECT_EQ(ConvertTextToTape(desk), OffLineOutcome::Completed);
    EXPECT_TRUE(op.messages.empty());
    EXPECT_EQ(Read("out.tap"), c.tape);
    EXPECT_EQ(state.Source, SourceKind::None);  // reset
  }
}

// A text that needs more than 1950 blocks is refused before anything is written: the tape units
// would refuse to mount what it became. A text that fills the tape exactly makes a full tape.
TEST_F(ConversionTest, ATextLongerThanATapeIsRefusedAndAFullOneMounts) {
  const std::size_t full = 1950u * 720u;
  Write("long.txt", std::string(full + 1, 'A') + "\r\n");
  Write("out.tap", "old");
  Choose("long.txt", "out.tap");
  EXPECT_EQ(ConvertTextToTape(desk), OffLineOutcome::Refused);
  EXPECT_EQ(op.messages, std::vector<std::string>{std::string(offline_text::kTextTooLong)});
  EXPECT_EQ(Read("out.tap"), "old");
  EXPECT_EQ(state.SourcePath, Path("long.txt"));  // nothing reset

  std::string lines;
  for (std::size_t i = 0; i < full / 100; ++i) lines += std::string(100, 'B') + "\n";
  Write("full.txt", lines);
  Choose("full.txt", "out.tap");
  EXPECT_EQ(ConvertTextToTape(desk), OffLineOutcome::Completed);
  EXPECT_EQ(std::filesystem::file_size(folder / "out.tap"), 1450800u);
  EXPECT_TRUE(TapeMountStep(op, folder / "out.tap", false).has_value());
  EXPECT_EQ(op.messages.size(), 1u);
}

TEST_F(ConversionTest, ATapeBecomesAWordALineUpToItsFirstEmptyRecord) {
  std::string words;
  for (int w = 0; w < 10; ++w) words += "WORD" + std::string(7, '0') + std::to_string(w);
  Write("t.tap", TapeOf({words, Blockette("  LAST WORD \"|?=")}));
  Choose("t.tap", "out.txt");
  EXPECT_EQ(ConvertTapeToText(desk), OffLineOutcome::Completed);
  const std::vector<std::string> lines = CrLfLines(Read("out.txt"));
  ASSERT_EQ(lines.size(), 60u);
  EXPECT_EQ(lines[0], "WORD00000000");
  EXPECT_EQ(lines[9], "WORD00000009");
  EXPECT_EQ(lines[10], "  LAST WORD ");
  EXPECT_EQ(lines[11], "\"|?=        ");
  EXPECT_EQ(lines[59], "000000000000");

  // A hand-made tape whose second record counts no characters.
  std::string bytes = RecordBytes(std::string(120, 'A')) + std::string("\0\0", 2) +
                      std::string(122, 'B') + RecordBytes(std::string(120, 'C'));
  bytes += std::string(744 - bytes.size(), '\0');
  Write("t.tap", bytes);
  Choose("t.tap", "out.txt");
  EXPECT_EQ(ConvertTapeToText(desk), OffLineOutcome::Completed);
  EXPECT_EQ(CrLfLines(Read("out.txt")), std::vector<std::string>(10, std::string(12, 'A')));
}

TEST_F(ConversionTest, ATapeBecomesAssemblerSourceTwoInstructionsALine) {
  EXPECT_EQ(AssemblerLineOf(Word::FromText("B00100C00200")), "\tB0 0100\t\tC0 0200");
  EXPECT_EQ(AssemblerLineOf(Word::FromText("1 0000300000")), "\t1  0000\t\t30 0000");
  std::string words = "B00100C00200";
  Write("p.tap", TapeOf({Blockette(words, '0')}));
  Choose("p.tap", "p.asm");
  EXPECT_EQ(ConvertTapeToAssembler(desk), OffLineOutcome::Completed);
  const std::vector<std::string> lines = CrLfLines(Read("p.asm"));
  ASSERT_EQ(lines.size(), 60u);
  EXPECT_EQ(lines[0], "\tB0 0100\t\tC0 0200");
  EXPECT_EQ(lines[1], "\t00 0000\t\t00 0000");
}

TEST_F(ConversionTest, AnAssemblerTargetMustEndInDotAsm) {
  Write("p.tap", TapeOf({}));
  std::filesystem::create_directory(folder / "dir.d");
  struct Case {
    std::string target;
    std::vector<std::string> messages;
    std::string written;  // empty: refused
  };
  const std::string adding(offline_text::kAddingAsm);
  const std::string needs(offline_text::kNeedsAsmTarget);
  const Case cases[] = {
      {"PROG", {adding}, "PROG.asm"}, {"PROG.asm", {}, "PROG.asm"}, {"PROG.ASM", {needs}, ""},
      {"PROG.txt", {needs}, ""},      {"dir.d/PROG", {needs}, ""},  // the last "." of the whole
                                                                    // path counts
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    op.messages.clear();
    std::filesystem::remove(folder / "PROG.asm");
    Choose("p.tap", c.target);
    EXPECT_EQ(ConvertTapeToAssembler(desk),
              c.written.empty() ? OffLineOutcome::Refused : OffLineOutcome::Completed);
    EXPECT_EQ(op.messages, c.messages);
    if (!c.written.empty()) {
      EXPECT_EQ(CrLfLines(Read(c.written)).size(), 60u);
    }
    EXPECT_FALSE(std::filesystem::exists(folder / c.target) && c.written.empty());
  }
}

// A working folder with a "." in its name is no extension of the names typed in it.
TEST_F(ConversionTest, TheWorkingFoldersOwnNameIsNoExtension) {
  const std::filesystem::path work = folder / "jobs.1961";
  std::filesystem::create_directory(work);
  Write("jobs.1961/p.tap", TapeOf({}));
  OffLineDesk dotted{work, servos, state, board, op, nullptr, [] { return std::string(); }};
  Choose("jobs.1961/p.tap", "jobs.1961/PROG");
  EXPECT_EQ(ConvertTapeToAssembler(dotted), OffLineOutcome::Completed);
  EXPECT_EQ(op.messages, std::vector<std::string>{std::string(offline_text::kAddingAsm)});
  EXPECT_EQ(CrLfLines(Read("jobs.1961/PROG.asm")).size(), 60u);
}

// The name with ".asm" added was never confirmed by the operator: a file of that name is
// replaced only when they answer Yes, and a refusal leaves the target as it was named.
TEST_F(ConversionTest, AFileOfTheNameWithAsmAddedIsReplacedOnlyWhenConfirmed) {
  Write("p.tap", TapeOf({}));
  Write("PROG.asm", "my source");
  Choose("p.tap", "PROG");
  EXPECT_EQ(ConvertTapeToAssembler(desk), OffLineOutcome::Refused);
  ASSERT_EQ(op.requests.size(), 2u);
  EXPECT_EQ(op.requests[1].text, Path("PROG.asm") + "\r\nalready exists. Replace it?");
  EXPECT_EQ(op.requests[1].buttons, MessageButtons::YesNo);
  EXPECT_EQ(op.requests[1].defaultAnswer, MessageAnswer::No);
  EXPECT_EQ(Read("PROG.asm"), "my source");
  EXPECT_EQ(state.TargetPath, Path("PROG"));

  op.QueueAnswer(MessageAnswer::Ok);
  op.QueueAnswer(MessageAnswer::Yes);
  EXPECT_EQ(ConvertTapeToAssembler(desk), OffLineOutcome::Completed);
  EXPECT_EQ(CrLfLines(Read("PROG.asm")).size(), 60u);
}

TEST_F(ConversionTest, WhatRefusesAConversionBeforeAnythingIsWritten) {
  Write("t.tap", TapeOf({}));
  Write("text.txt", "text");
  Write("kept.txt", "keep");
  std::filesystem::create_symlink(folder / "t.tap", folder / "link.tap");
  std::filesystem::create_symlink(folder / "text.txt", folder / "link.txt");
  using Convert = OffLineOutcome (*)(OffLineDesk&);
  struct Case {
    const char* what;
    Convert convert;
    std::string source, target;
    TargetKind kind;
    std::string message;
  };
  const std::string needsSource(offline_text::kNeedsSourceAndTarget);
  const std::string needsTape(offline_text::kNeedsOrmlaxSourceAndTarget);
  const std::string notAllowed(offline_text::kOverwriteNotAllowed);
  const std::string same(offline_text::kSameFile);
  const Case cases[] = {
      {"text: no target", ConvertTextToTape, "text.txt", "", TargetKind::None, needsSource},
      {"text: kept target", ConvertTextToTape, "text.txt", "kept.txt", TargetKind::KeptFile,
       notAllowed},
      {"text: the source itself through a link", ConvertTextToTape, "text.txt", "link.txt",
       TargetKind::Overwritable, same},
      {"text: the source itself, spelt otherwise", ConvertTextToTape, "text.txt", "./text.txt",
       TargetKind::Overwritable, same},
      {"tape: not a tape", ConvertTapeToText, "text.txt", "out.txt", TargetKind::Overwritable,
       needsTape},
      {"tape: kept target", ConvertTapeToText, "t.tap", "kept.txt", TargetKind::KeptFile,
       notAllowed},
      {"tape: the source itself", ConvertTapeToText, "t.tap", "link.tap", TargetKind::Overwritable,
       same},
      {"asm: no target", ConvertTapeToAssembler, "t.tap", "", TargetKind::None, needsTape},
      {"asm: another extension", ConvertTapeToAssembler, "t.tap", "out.txt",
       TargetKind::Overwritable, std::string(offline_text::kNeedsAsmTarget)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    op.messages.clear();
    Choose(c.source, c.target.empty() ? "unused" : c.target);
    state.Target = c.kind;
    state.MayOverwrite = c.kind == TargetKind::Overwritable;
    if (c.target.empty()) state.TargetPath.clear();
    EXPECT_EQ(c.convert(desk), OffLineOutcome::Refused);
    EXPECT_EQ(op.messages, std::vector<std::string>{c.message});
    EXPECT_EQ(Read("t.tap"), TapeOf({}));
    EXPECT_EQ(Read("text.txt"), "text");
    EXPECT_EQ(Read("kept.txt"), "keep");
    EXPECT_FALSE(std::filesystem::exists(folder / "out.txt"));
    EXPECT_NE(state.Source, SourceKind::None);  // nothing reset
  }

  // A tape named "X" whose assembler name "X.asm" is the source itself.
  Write("X.asm", TapeOf({}));
  Choose("X.asm", "X");
  op.messages.clear();
  EXPECT_EQ(ConvertTapeToAssembler(desk), OffLineOutcome::Refused);
  EXPECT_EQ(op.messages.back(), same);
  EXPECT_EQ(Read("X.asm"), TapeOf({}));
}

TEST_F(ConversionTest, AFullDiskIsReportedWithItsReason) {
  std::string text(720 * 40, 'A');
  Write("in.txt", text);
  Write("t.tap", TapeOf(std::vector<std::string>(240, Blockette("W"))));
  using Convert = OffLineOutcome (*)(OffLineDesk&);
  for (const auto& [convert, source] :
       {std::pair<Convert, const char*>{ConvertTextToTape, "in.txt"},
        {ConvertTapeToText, "t.tap"}}) {
    SCOPED_TRACE(source);
    op.messages.clear();
    Choose(source, "out");
    OffLineOutcome outcome;
    {
      const testing::FileSizeLimit limit(4000);
      outcome = convert(desk);
    }
    EXPECT_EQ(outcome, OffLineOutcome::HostFailure);
    EXPECT_EQ(op.messages, std::vector<std::string>{"The tape file\r\n" + Path("out") +
                                                    "\r\ncannot be written (File too large)"});
    EXPECT_EQ(state.TargetPath, Path("out"));
    // A target that could not be written whole is not there at all, nor is any piece of it.
    EXPECT_FALSE(std::filesystem::exists(folder / "out"));
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
      EXPECT_TRUE(entry.path().filename() == "in.txt" || entry.path().filename() == "t.tap")
          << entry.path();
    }
  }
}

}  // namespace
}  // namespace ormlax

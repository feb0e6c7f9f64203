// The typewriter at historical speed: the paper fills character by character, each character
// that moves the carriage taking its time, and the printing is over before the next instruction.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "console/typewriter.h"
#include "core/pacing.h"
#include "core/processor.h"
#include "installation/installation.h"
#include "tests/support/scripted_operator.h"

namespace ormlax::testing {
namespace {

class TestClock : public PaceClock {
 public:
  Microseconds Now() override { return now; }
  void SleepUntil(Microseconds time) override { now = std::max(now, time); }
  Microseconds now{0};
};

struct Piece {
  std::string text;
  Microseconds at;
  Word rA;  // as the piece reaches the paper
  friend bool operator==(const Piece&, const Piece&) = default;
};

TEST(TypewriterPacing, ThePaperFillsCharacterByCharacterInsideThePrintInstruction) {
  auto ormlax = MakeInstallation(false, ".", 1);
  MachineState& s = ormlax->Machine;
  ScriptedOperator op;
  TestClock clock;
  Pacer pacer(s, op, clock);
  Typewriter& tw = ormlax->Ormprinter;
  tw.State().EndlessPaper = true;
  tw.PressPower();
  tw.SetPacer(&pacer);
  Processor cpu(s, op, Peripherals{nullptr, &tw, nullptr});
  cpu.SetPacer(&pacer);
  std::vector<Piece> pieces;
  tw.SetPaperListener([&](std::string_view text) {
    pieces.push_back({std::string(text), clock.now, s.rA});
  });
  // Prints "HI", a return and nine ignore codes, then loads rA in the same word.
  s.Memory[0] = Word::FromText("500010B00011");
  s.Memory[1] = Word::FromText("900000000000");
  s.Memory[10] = Word::FromText("HIriiiiiiiii");
  s.Memory[11] = Word::FromText("000000000007");
  s.HistoricalSpeed = true;
  cpu.Run();

  const Word zero = kZeroWord;
  EXPECT_EQ(pieces, (std::vector<Piece>{{"h", Microseconds(0), zero},
                                        {"i", kTypedCharacterTime, zero},
                                        {"\r\n", 2 * kTypedCharacterTime, zero}}));
  EXPECT_EQ(s.rA, Word::FromText("000000000007"));
  EXPECT_EQ(clock.now, 3 * kTypedCharacterTime + kSimpleWordTime);

  // Off, the word prints at once, in one piece.
  pieces.clear();
  s.HistoricalSpeed = false;
  s.rCC = 0;
  cpu.Run();
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_EQ(pieces[0].text, "hi\r\n");
}

}  // namespace
}  // namespace ormlax::testing

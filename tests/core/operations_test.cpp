// The table of operations against the decoder: every operation the table lists is one the
// machine carries out, every other is an invalid opcode, and the modifiers the table names are
// the ones the decoder honours.
#include "core/operations.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/machine_fixture.h"

namespace ormlax::testing {
namespace {

class OperationsTable : public ::testing::TestWithParam<bool> {};

INSTANTIATE_TEST_SUITE_P(Models, OperationsTable, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "OrmlaxII" : "OrmlaxI"; });

TEST_P(OperationsTable, TheDecoderKnowsExactlyTheOperationsTheTableLists) {
  const bool modelII = GetParam();
  for (int c = 0; c < 256; ++c) {
    for (const char modifier : {'0', '3', ' ', 'F', '-', 'A', '*'}) {
      const char op = static_cast<char>(c);
      SCOPED_TRACE(std::string("operation ") + std::to_string(c) + " modifier " + modifier);
      MachineFixture m(modelII);
      m.s.HasIInstruction = true;  // the table lists I for the ORMLAX I with that option
      std::string instruction{op, modifier};
      instruction += modelII ? "0100" : "100";
      m.ExecuteAlone(instruction);
      const bool invalid = m.s.Lamp[kInvalidOpcodeLamp] == LampColour::Red;
      EXPECT_EQ(invalid, FindOperation(op, modifier, modelII) == nullptr);
    }
  }
}

TEST_P(OperationsTable, TheModifiersThatCountAreTheTables) {
  const bool modelII = GetParam();
  for (const Operation& o : Operations()) {
    SCOPED_TRACE(std::string(1, o.op));
    MachineFixture m(modelII);
    m.s.NextAddress = 10;
    m.ExecuteAlone(std::string{o.op, '-'} + (modelII ? "0100" : "100"));
    EXPECT_EQ(m.s.MinusModifier, (o.modifiers & kMinusStop) != 0);
    MachineFixture f(modelII);
    f.s.NextAddress = 10;
    f.ExecuteAlone(std::string{o.op, 'F'} + (modelII ? "0100" : "100"));
    if (o.select == ModifierSelect::Any || o.select == ModifierSelect::NotZero) {
      EXPECT_EQ(f.s.FModifier, modelII && (o.modifiers & kFMask) != 0);
    }
  }
}

TEST(OperationsTable, EntriesByModifier) {
  struct Case {
    char op, modifier;
    bool modelII;
    const char* name;  // null: no such operation
    const char* modifiers;
  };
  const Case cases[] = {
      {'0', '0', false, "No operation", "0"},
      {'0', '5', false, "Shift left", "n"},
      {'1', '0', false, "Keyboard input", "0"},
      {'1', ' ', false, "Read forward", "s"},
      {'1', 'A', false, nullptr, ""},
      {'1', 'A', true, "Read forward", "s"},
      {'3', '0', false, "Store rI, read forward", "0 or s"},
      {'2', '0', true, nullptr, ""},
      {'9', '1', false, nullptr, ""},
      {'A', ' ', false, "Add", "F - H"},
      {'Q', '3', false, "Transfer if equal", "digit"},
      {'O', ' ', true, nullptr, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE((std::string{c.op, c.modifier}));
    const Operation* o = FindOperation(c.op, c.modifier, c.modelII);
    if (c.name == nullptr) {
      EXPECT_EQ(o, nullptr);
      continue;
    }
    ASSERT_NE(o, nullptr);
    EXPECT_STREQ(o->name, c.name);
    EXPECT_EQ(ModifiersText(*o), c.modifiers);
  }
}

}  // namespace
}  // namespace ormlax::testing

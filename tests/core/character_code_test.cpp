#include "core/character_code.h"

#include <gtest/gtest.h>

namespace ormlax {
namespace {

TEST(CharacterCode, Placeholder) { EXPECT_EQ(CodeOf('i'), 0); }

}  // namespace
}  // namespace ormlax

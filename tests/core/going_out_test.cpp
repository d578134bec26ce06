#include "core/going_out.h"

#include <gtest/gtest.h>

namespace tarrabel {
namespace {

TEST(GoingOutCards, TheRunsPointsOrOneCardAtLeast) {
    EXPECT_EQ(GoingOutCards(7), 7);
    EXPECT_EQ(GoingOutCards(0), 1);
}

}  // namespace
}  // namespace tarrabel

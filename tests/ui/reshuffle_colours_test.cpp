#include <gtest/gtest.h>

#include "colouring/colour_maps.h"

namespace {

// Every test leaves the author colours as it found them.
class ReshuffleColours : public ::testing::Test {
protected:
    void TearDown() override { identifierColours = original; }
    const std::array<Rgb, 9> original = identifierColours;
};

}  // namespace

TEST_F(ReshuffleColours, MovesEveryColourOnePlaceTowardsTheFront)
{
    reshuffleIdentifierColours();
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(identifierColours[i], original[i + 1]) << i;
    EXPECT_EQ(identifierColours[8], original[0]);
    // Author n now has the colour author n + 1 had.
    EXPECT_EQ(authorColour(2), original[3]);
    EXPECT_EQ(authorColour(8), original[0]);
    EXPECT_EQ(authorColour(-1), (Rgb{0.5f, 0.5f, 0.5f}));
}

TEST_F(ReshuffleColours, NinePressesRestoreTheFirstOrder)
{
    for (int press = 1; press <= 9; ++press) {
        reshuffleIdentifierColours();
        if (press < 9) {
            EXPECT_NE(identifierColours, original) << press;
        }
    }
    EXPECT_EQ(identifierColours, original);
}

// The names of the four-colour pictures: the art tool writes them, the table loads by them,
// so a picture one of them names differently is a missing picture, and one that has no
// four-colour copy must keep its own name.
#include "resources/four_colour_names.h"

#include <gtest/gtest.h>

#include "core/cards.h"
#include "resources/density_names.h"

namespace tarrabel::test {
namespace {

// Every face of the pack, with the suits read from the game's own card tables: the clubs
// and diamonds have a four-colour picture, the hearts and spades none.
TEST(FourColourNames, OnlyTheClubsAndDiamondsChange) {
    for (std::string_view face : kPackFileNames) {
        SCOPED_TRACE(face);
        const int32_t suit = SuitFromFileName(face);
        EXPECT_EQ(HasFourColourPicture(face), suit == kClubs || suit == kDiamonds);
    }
    for (int suit = 0; suit < 4; ++suit)
        EXPECT_EQ(HasFourColourPicture(kSuitFileNames[size_t(suit)]),
                  suit == kClubs || suit == kDiamonds)
            << kSuitFileNames[size_t(suit)];
    for (std::string_view other :
         {"S_joker.BMP", "S_joker2.BMP", "S_cardback.bmp", "FrameBlue.bmp", "PASS.BMP", "mouse.bmp",
          "C.BMP", "1C.BMP", "11D.BMP", "KCC.BMP", "AC_4c.BMP"})
        EXPECT_FALSE(HasFourColourPicture(other)) << other;
}

TEST(FourColourNames, TheMarkerEndsTheStemAndTheDensityFollowsIt) {
    struct Case {
        const char* file;
        bool fourColour;
        int density;
        const char* name;  // the picture loaded at that density
    };
    const Case cases[] = {
        {"AC.BMP", true, 1, "AC_4c.BMP"},
        {"10D.BMP", true, 2, "10D_4c@2x.png"},
        {"KD.BMP", true, 3, "KD_4c@3x.png"},
        {"CLUBS.BMP", true, 1, "CLUBS_4c.BMP"},
        {"DIAMONDS.BMP", true, 3, "DIAMONDS_4c@3x.png"},
        // Without the option, or without a picture of its own, the usual picture.
        {"AC.BMP", false, 1, "AC.BMP"},
        {"10D.BMP", false, 2, "10D@2x.png"},
        {"AH.BMP", true, 1, "AH.BMP"},
        {"KS.BMP", true, 3, "KS@3x.png"},
        {"HEARTS.BMP", true, 2, "HEARTS@2x.png"},
        {"S_joker.BMP", true, 1, "S_joker.BMP"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.file << (c.fourColour ? " four-colour" : "") << " at " << c.density);
        const std::string name =
            DensityPictureName(SuitColourPictureName(c.file, c.fourColour), c.density);
        EXPECT_EQ(name, c.name);
        EXPECT_EQ(DensityOfFileName(name), c.density);
    }
}

}  // namespace
}  // namespace tarrabel::test

// The names of the sharper picture sets: the art tool writes them, the unpacking picks a set
// by them and the table loads by them, so a name one of them gets wrong is a missing picture.
#include "resources/density_names.h"

#include <gtest/gtest.h>

#include "resources/unpack.h"

namespace tarrabel::test {
namespace {

TEST(DensityNames, APictureKeepsItsStemAndTravelsAsPngAboveOneX) {
    struct Case {
        const char* file;
        int density;
        bool converted;
        const char* name;
    };
    const Case cases[] = {
        {"AC.BMP", 1, false, "AC.BMP"},
        {"AC.BMP", 2, false, "AC@2x.png"},
        {"S_cardback.bmp", 3, false, "S_cardback@3x.png"},
        {"fntHandParker.bmp", 2, false, "fntHandParker@2x.png"},
        {"Scorepage_800x600.bmp", 3, false, "Scorepage_800x600@3x.png"},
        // The table background stays a JPEG, and is unpacked into a BMP of its stem.
        {"Back_800x600.jpg", 1, false, "Back_800x600.jpg"},
        {"Back_800x600.jpg", 3, false, "Back_800x600@3x.jpg"},
        {"Back_800x600.jpg", 1, true, "Back_800x600.bmp"},
        {"Back_800x600.jpg", 2, true, "Back_800x600@2x.bmp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.file << " at " << c.density);
        const std::string name = DensityPictureName(c.file, c.density, c.converted);
        EXPECT_EQ(name, c.name);
        EXPECT_EQ(DensityOfFileName(name), c.density);
    }
    EXPECT_EQ(DensityPictureName(kBackgroundJpeg, 1, true), kBackgroundBmp);
}

TEST(DensityNames, OnlyATwoOrThreeTagMakesAFileOneOfTheSharperSets) {
    const std::pair<const char*, int> cases[] = {
        {"AC@2x.png", 2}, {"AC@3X.PNG", 3}, {"AC@4x.png", 1}, {"AC@1x.png", 1}, {"AC2x.png", 1},
        {"@2x", 2},       {"AC.BMP", 1},    {"x", 1},         {"", 1},
    };
    for (const auto& [file, density] : cases)
        EXPECT_EQ(DensityOfFileName(file), density) << file;
}

// The unpacking writes, at each density, that set's pictures and every file that is not a
// picture; the markers never.
TEST(DensityNames, WhatEachDensityUnpacks) {
    struct Case {
        const char* entry;
        bool at1, at2, at3;
    };
    const Case cases[] = {
        {"Xoyal_AC.BMP", true, false, false},
        {"Xoyal_AC@2x.png", false, true, false},
        {"XntFonts_fntDigit@3x.png", false, false, true},
        {"Xitmaps_Back_800x600.jpg", true, false, false},
        {"Xitmaps_Back_800x600@3x.jpg", false, false, true},
        {"Xounds_CARD_FLIP.WAV", true, true, true},
        // A sound is never a picture of a set, whatever its name.
        {"Xounds_odd@2x.WAV", true, true, true},
        {"dumm134", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        EntryTarget target;
        std::string error;
        ASSERT_TRUE(ClassifyEntry(c.entry, &target, &error)) << error;
        EXPECT_EQ(EntryIsUnpackedAt(target, 1), c.at1);
        EXPECT_EQ(EntryIsUnpackedAt(target, 2), c.at2);
        EXPECT_EQ(EntryIsUnpackedAt(target, 3), c.at3);
    }
}

}  // namespace
}  // namespace tarrabel::test

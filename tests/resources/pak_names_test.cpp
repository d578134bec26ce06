// The browser's name helpers: the file part of a path (either separator), the extension
// (three characters after the last dot), and the name field without its fill.
#include "resources/pak_names.h"

#include <gtest/gtest.h>

#include <string>

namespace tarrabel {
namespace {

struct NameCase {
    const char* input;
    const char* expected;
};

TEST(PakNames, GetFileNameKeepsTheTextAfterTheLastSeparator) {
    const NameCase cases[] = {
        {"", ""},
        {"res134.pak", "res134.pak"},
        {"/home/player/games/res134.pak", "res134.pak"},
        {"C:\\Games\\Tarrabel\\res134.pak", "res134.pak"},
        {"a/b\\c.bmp", "c.bmp"},  // the "\" part of the last "/" part
        {"a\\b/c.bmp", "c.bmp"},  // "/" is cut first, then "\"
        {"res/Sounds/", ""},      // a folder: nothing after the separator
        {"res\\", ""},
        {"/", ""},
        {"./x", "x"},
        {"with space/My Deck.bmp", "My Deck.bmp"},
        {"no.separator.here.jpg", "no.separator.here.jpg"},
    };
    for (const NameCase& c : cases)
        EXPECT_EQ(GetFileName(c.input), c.expected) << "path \"" << c.input << "\"";
}

TEST(PakNames, GetFileExtensionTakesThreeCharactersAfterTheLastDot) {
    const NameCase cases[] = {
        {"CARD_FLIP.WAV", "WAV"},
        {"Back_800x600.jpg", "jpg"},
        {"archive.tar.gz", "gz"},  // fewer than three after the dot: what there is
        {"page.html", "htm"},      // more than three: the first three
        {"a.c", "c"},
        {"ends with a dot.", ""},
        {".", ""},
        {".hidden", "hid"},
        {"README", "REA"},  // no dot: the first three characters
        {"ab", "ab"},
        {"", ""},
        {"dir.d/file", "d/f"},  // the last dot of the whole text, folders included
    };
    for (const NameCase& c : cases)
        EXPECT_EQ(GetFileExtension(c.input), c.expected) << "file \"" << c.input << "\"";
}

TEST(PakNames, TrimNameFieldDropsOnlyTheTrailingFill) {
    const struct {
        std::string field;
        std::string expected;
    } cases[] = {
        {std::string("Xounds_CARD_FLIP.WAV") + std::string(36, '\0'), "Xounds_CARD_FLIP.WAV"},
        {std::string("Xoyal_Card01.bmp") + std::string(40, ' '), "Xoyal_Card01.bmp"},
        {"mixed" + std::string(" \0 \0", 4) + std::string(47, '\0'), "mixed"},
        {std::string(56, 'n'), std::string(56, 'n')},  // a full field has no fill
        {std::string("  inner  space") + std::string(42, '\0'), "  inner  space"},
        {std::string("a\0b", 3) + std::string(53, '\0'), std::string("a\0b", 3)},
        {std::string(56, '\0'), ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TrimNameField(c.field), c.expected);
}

}  // namespace
}  // namespace tarrabel

// The settings file: what a person may write in it (any case, spaces, comments, Windows
// line ends), what the game passes by with one warning a line (damaged, binary, overlong,
// unknown or repeated keys, values it does not know), and that what it writes reads back
// the same.
#include "persist/settings_file.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

namespace tarrabel {
namespace {

// The warnings of one parse, by line.
struct Warnings {
    std::map<int, int> CountByLine;
    SettingsWarning Sink() {
        return [this](int line, std::string_view why) {
            EXPECT_FALSE(why.empty());
            ++CountByLine[line];
        };
    }
    std::vector<int> Lines() const {
        std::vector<int> lines;
        for (const auto& [line, count] : CountByLine) {
            EXPECT_EQ(count, 1) << "line " << line << " reported more than once";
            lines.push_back(line);
        }
        return lines;
    }
};

Settings Parsed(std::string_view text, Warnings* warnings) {
    return ParseSettings(text, warnings->Sink());
}

TEST(SettingsFileTest, TheExampleFileReadsAsWritten) {
    const std::string text =
        "# Tarrabel remembers the options of the last start here.\n"
        "game=Pis Yedili\n"
        "deck=Roya2\n"
        "level=Expert\n"
        "slow_animation=no\n"
        "windowed=yes\n"
        "four_colour_suits=no\n"
        "show_hands=yes\n"
        "window=1024x768+40+30\n";
    Settings expected;
    expected.Variant = GameVariant::PisYedili;
    expected.Deck = kDeckNames[1];
    expected.Level = AiLevel::Expert;
    expected.Windowed = true;
    expected.Window = WindowPlace{1024, 768, 40, 30};
    Warnings warnings;
    EXPECT_EQ(Parsed(text, &warnings), expected);
    EXPECT_TRUE(warnings.Lines().empty());
    // And the game writes it so, down to the comment on top.
    EXPECT_EQ(FormatSettings(expected), text);
}

TEST(SettingsFileTest, NothingToReadKeepsTheDefaults) {
    for (const std::string_view text : {"", "\n\n", "# only a comment", "\r\n  \t \r\n"}) {
        Warnings warnings;
        EXPECT_EQ(Parsed(text, &warnings), Settings{});
        EXPECT_TRUE(warnings.Lines().empty());
    }
}

// One line of a settings file: what it sets, or that it is reported and sets nothing.
struct LineCase {
    const char* Name;
    std::string Line;
    bool Reported;
    void (*Expect)(Settings&);  // the change to the defaults; null: none
};

const LineCase kLines[] = {
    // What a person may write.
    {"GameInAnyCase", "game=pis YEDILI", false,
     [](Settings& s) { s.Variant = GameVariant::PisYedili; }},
    {"GameOfTwoWords", "game=Illustrated Agonia", false,
     [](Settings& s) { s.Variant = GameVariant::IllustratedAgonia; }},
    {"SpacesAroundKeyAndValue", " \t deck \t=  roya3 \t", false,
     [](Settings& s) { s.Deck = kDeckNames[2]; }},
    {"KeyInCapitals", "LEVEL=easy", false, [](Settings& s) { s.Level = AiLevel::Easy; }},
    {"WindowsLineEnd", "level=Expert\r", false, [](Settings& s) { s.Level = AiLevel::Expert; }},
    {"YesAsTrue", "windowed=true", false, [](Settings& s) { s.Windowed = true; }},
    {"YesAsOne", "slow_animation=1", false, [](Settings& s) { s.SlowAnimation = true; }},
    {"YesAsOn", "four_colour_suits=On", false, [](Settings& s) { s.FourColourSuits = true; }},
    {"NoAsOff", "windowed=off", false, nullptr},
    {"NoAsZero", "windowed=0", false, nullptr},
    {"Window", "window=800x600+10+20", false,
     [](Settings& s) {
         s.Window = WindowPlace{800, 600, 10, 20};
     }},
    {"WindowLeftOfAndAboveTheDesktop", "window=800x600+-5+-30", false,
     [](Settings& s) {
         s.Window = WindowPlace{800, 600, -5, -30};
     }},
    {"WindowAtItsLimits", "window=100X16384+-32768+32768", false,
     [](Settings& s) {
         s.Window = WindowPlace{100, 16384, -32768, 32768};
     }},
    {"Comment", "# game=Agonia", false, nullptr},
    {"SemicolonComment", "; game=Agonia", false, nullptr},
    {"IndentedComment", "   # game=Agonia", false, nullptr},
    {"Section", "[Tarrabel]", false, nullptr},
    {"ValueWithUtf8", "# Åsa's ♣ settings 🂡", false, nullptr},

    // What is reported and passed by.
    {"NoEquals", "game Agonia", true, nullptr},
    {"NoKey", "  =Agonia", true, nullptr},
    {"UnknownKey", "colour=blue", true, nullptr},
    {"KeyMisspelt", "four_color_suits=yes", true, nullptr},
    {"UnknownGame", "game=Poker", true, nullptr},
    {"EmptyGame", "game=", true, nullptr},
    {"UnknownDeck", "deck=Roya4", true, nullptr},
    {"UnknownLevel", "level=Hard", true, nullptr},
    {"NeitherYesNorNo", "windowed=maybe", true, nullptr},
    {"WindowWithoutPlace", "window=800x600", true, nullptr},
    {"WindowTooSmall", "window=99x600+0+0", true, nullptr},
    {"WindowTooLarge", "window=800x16385+0+0", true, nullptr},
    {"WindowTooFarOff", "window=800x600+32769+0", true, nullptr},
    {"WindowTooFarOffNegative", "window=800x600+0+-32769", true, nullptr},
    {"WindowNegativeSize", "window=-800x600+0+0", true, nullptr},
    {"WindowX11Minus", "window=800x600-5+30", true, nullptr},
    {"WindowExtraPart", "window=800x600+1+2+3", true, nullptr},
    {"WindowHugeNumber", "window=99999999999999999999x600+0+0", true, nullptr},
    {"WindowSpaceInside", "window=800 x600+0+0", true, nullptr},
    {"NulByte", std::string("game=Agonia\0", 12), true, nullptr},
    {"EscapeSequence", "game=\x1b[31mAgonia", true, nullptr},
    {"DeleteByte", "game=Agonia\x7f", true, nullptr},
    {"CarriageReturnInside", "game=Agonia\rdeck=Roya2", true, nullptr},
    {"Latin1", "deck=Roya2 \xe9", true, nullptr},
    {"Utf8Overlong",
     "game=\xc0\xaf"
     "Agonia",
     true, nullptr},
    {"Utf8Surrogate", "# \xed\xa0\x80", true, nullptr},
    {"Utf8BeyondUnicode", "# \xf4\x90\x80\x80", true, nullptr},
    {"Utf8CutShort", "# \xe2\x82", true, nullptr},
    {"OverlongLine", "game=Agonia" + std::string(1100, ' '), true, nullptr},
    {"OverlongComment", "#" + std::string(1024, 'a'), true, nullptr},
};

TEST(SettingsFileTest, EachLineSetsItsSettingOrIsReported) {
    for (const LineCase& c : kLines) {
        SCOPED_TRACE(c.Name);
        Settings expected;
        if (c.Expect) c.Expect(expected);
        // Behind a line the game reads, so that the line's number is the second.
        Warnings warnings;
        EXPECT_EQ(Parsed("# first\n" + c.Line + "\n", &warnings), expected);
        EXPECT_EQ(warnings.Lines(), c.Reported ? std::vector<int>{2} : std::vector<int>{});
    }
}

TEST(SettingsFileTest, ALineOfTheLongestLengthIsRead) {
    std::string line = "game=Agonia";
    line.append(1024 - line.size(), ' ');
    ASSERT_EQ(line.size(), 1024u);
    Warnings warnings;
    EXPECT_EQ(Parsed(line, &warnings).Variant, GameVariant::Agonia);
    EXPECT_TRUE(warnings.Lines().empty());
}

// A damaged file: each bad line reported once under its own number, the rest read.
TEST(SettingsFileTest, ADamagedFileIsReadAroundItsDamage) {
    // Appended piece by piece: one expression of std::string sums upsets GCC 12's bounds
    // warnings.
    std::string text =
        "\xEF\xBB\xBF# written by hand\r\n"  // 1
        "game=Agonia\r\n"                    // 2
        "[display]\r\n"                      // 3
        "game=Tarrabel\r\n"                  // 4: twice
        "deck=Roya9\n"                       // 5: unknown
        "deck=Roya2\n";                      // 6: twice
    text.append(2000, 'x');                  // 7: overlong
    text += "=yes\n";
    text.append("level=Expert\0\n", 14);  // 8: binary
    text +=
        "windowed=yes\n"          // 9
        "sound=loud\n"            // 10: unknown
        "\n"                      // 11
        "level=Easy\n"            // 12
        "WINDOWED=no\n"           // 13: twice
        "four_colour_suits=yes";  // 14, no line end
    Warnings warnings;
    const Settings s = Parsed(text, &warnings);
    EXPECT_EQ(warnings.Lines(), (std::vector<int>{4, 5, 6, 7, 8, 10, 13}));
    Settings expected;
    expected.Variant = GameVariant::Agonia;  // the first game= counts
    // The first deck= was not a deck; the second is a repeat all the same.
    expected.Deck = kDeckNames[0];
    // The binary line did not count as the level's first.
    expected.Level = AiLevel::Easy;
    expected.Windowed = true;
    expected.FourColourSuits = true;
    EXPECT_EQ(s, expected);
}

TEST(SettingsFileTest, WhatIsWrittenReadsBackTheSame) {
    const std::optional<WindowPlace> windows[] = {std::nullopt, WindowPlace{800, 600, 0, 0},
                                                  WindowPlace{1920, 1080, -1920, 40},
                                                  WindowPlace{100, 16384, 32768, -32768}};
    int written = 0;
    for (int v = 0; v < kVariantCount; ++v)
        for (const std::string_view deck : kDeckNames)
            for (int level = 0; level < 3; ++level)
                for (int flags = 0; flags < 8; ++flags)
                    for (const std::optional<WindowPlace>& window : windows) {
                        Settings s;
                        s.Variant = GameVariant(v);
                        s.Deck = deck;
                        s.Level = AiLevel(level);
                        s.SlowAnimation = flags & 1;
                        s.Windowed = flags & 2;
                        s.FourColourSuits = flags & 4;
                        s.Window = window;
                        const std::string text = FormatSettings(s);
                        Warnings warnings;
                        ASSERT_EQ(Parsed(text, &warnings), s) << text;
                        ASSERT_TRUE(warnings.Lines().empty()) << text;
                        ++written;
                    }
    EXPECT_EQ(written, kVariantCount * 3 * 3 * 8 * 4);
}

TEST(SettingsFileTest, ADeckReadIsTheGamesOwnName) {
    // The game keeps the deck's name as a view: it must outlive the text it was read from.
    std::string text = "deck=ROYA3\n";
    const Settings s = ParseSettings(text, nullptr);
    text.assign(text.size(), '?');
    EXPECT_EQ(s.Deck, kDeckNames[2]);  // read after the text changed: a view into it would show '?'
}

// Whatever bytes the file holds, the reader answers settings, and reports each line at most
// once under a line number the text has.
TEST(SettingsFileTest, RandomBytesNeverUpsetTheReader) {
    std::mt19937 random(20240611);
    const std::string pieces[] = {
        "game", "deck",   "level", "window",      "windowed",     "=",   "\n", "\r\n",
        "#",    "[",      "]",     " ",           "\t",           "x",   "+",  "-",
        "yes",  "Agonia", "Roya2", "800x600+1+2", "\xe2\x99\xa3", "\xff"};
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const int length = int(random() % 400);
        for (int i = 0; i < length; ++i) {
            if (random() % 3 == 0)
                text += char(random() % 256);
            else
                text += pieces[random() % std::size(pieces)];
        }
        if (round % 50 == 0) text += std::string(random() % 3000, char(random() % 256));
        int lines = 1;
        for (const char c : text)
            lines += c == '\n';
        Warnings warnings;
        const Settings s = Parsed(text, &warnings);
        for (const int line : warnings.Lines()) {
            EXPECT_GE(line, 1);
            EXPECT_LE(line, lines);
        }
        // What was read is something the game can write again.
        Warnings again;
        EXPECT_EQ(Parsed(FormatSettings(s), &again), s);
        EXPECT_TRUE(again.Lines().empty());
    }
}

}  // namespace
}  // namespace tarrabel

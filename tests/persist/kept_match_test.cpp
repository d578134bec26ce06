// The kept match's file: what it writes reads back the same, and what it was not written by
// (damaged, cut short, hostile) is refused with a reason instead of being resumed.
#include "persist/kept_match.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace tarrabel {
namespace {

FrameInput At(int x, int y, bool left = false) {
    FrameInput in;
    in.MouseX = x;
    in.MouseY = y;
    in.LeftDown = left;
    return in;
}

KeptMatch Sample() {
    KeptMatch k;
    k.Version = "2.0.0";
    k.Chain = 0x0123456789ABCDEFull;
    k.MatchIndex = 2;
    k.Seed = 987654321;
    k.Options = DefaultOptions(GameVariant::PisYedili);
    k.Options.DeckName = kDeckNames[2];
    k.Options.ComputerLevel = AiLevel::Expert;
    k.Options.SlowAnimation = true;
    k.Options.ShowHandsAtDealEnd = false;
    k.FirstTick = 1234;
    k.SumTicks();
    int32_t tick = 1234;
    for (int f = 0; f < 50; ++f) {
        tick += f % 3 == 0 ? 17 : 16;
        FrameInput in = At(100 + f / 10, 200);
        if (f == 20) in.LeftDown = true;
        if (f == 30 || f == 31) {  // a held arrow repeats in two frames running
            in.PushKey(TableKey::Right);
            in.PushKey(TableKey::Enter);
        }
        if (f == 40) in.EscapeDown = in.PauseKeyDown = in.RightDown = true;
        k.AddFrame(tick, in);
    }
    k.DealsScored = 3;
    k.HintsTaken = 1;
    k.Totals = {41, 120, 77, 501};
    k.Digest = 0xFEDCBA9876543210ull;
    return k;
}

void ExpectSame(const KeptMatch& a, const KeptMatch& b) {
    EXPECT_EQ(a.Version, b.Version);
    EXPECT_EQ(a.Chain, b.Chain);
    EXPECT_EQ(a.MatchIndex, b.MatchIndex);
    EXPECT_EQ(a.Seed, b.Seed);
    EXPECT_EQ(a.Options.Variant, b.Options.Variant);
    EXPECT_EQ(a.Options.TargetScore, b.Options.TargetScore);
    EXPECT_EQ(a.Options.DeckName, b.Options.DeckName);
    EXPECT_EQ(a.Options.ComputerLevel, b.Options.ComputerLevel);
    EXPECT_EQ(a.Options.SlowAnimation, b.Options.SlowAnimation);
    EXPECT_EQ(a.Options.FourColourSuits, b.Options.FourColourSuits);
    EXPECT_EQ(a.Options.ShowHandsAtDealEnd, b.Options.ShowHandsAtDealEnd);
    EXPECT_EQ(a.Options.FullScreen, b.Options.FullScreen);
    EXPECT_EQ(a.FirstTick, b.FirstTick);
    EXPECT_EQ(a.TickSteps, b.TickSteps);
    ASSERT_EQ(a.Inputs.size(), b.Inputs.size());
    for (size_t i = 0; i < a.Inputs.size(); ++i) {
        const FrameInput &x = a.Inputs[i].Input, &y = b.Inputs[i].Input;
        EXPECT_EQ(a.Inputs[i].Frame, b.Inputs[i].Frame);
        EXPECT_EQ(x.MouseX, y.MouseX);
        EXPECT_EQ(x.MouseY, y.MouseY);
        EXPECT_EQ(x.LeftDown, y.LeftDown);
        EXPECT_EQ(x.RightDown, y.RightDown);
        EXPECT_EQ(x.EscapeDown, y.EscapeDown);
        EXPECT_EQ(x.PauseKeyDown, y.PauseKeyDown);
        ASSERT_EQ(x.KeyCount, y.KeyCount);
        for (int k = 0; k < x.KeyCount; ++k)
            EXPECT_EQ(x.Keys[size_t(k)], y.Keys[size_t(k)]);
    }
    EXPECT_EQ(a.DealsScored, b.DealsScored);
    EXPECT_EQ(a.HintsTaken, b.HintsTaken);
    EXPECT_EQ(a.Totals, b.Totals);
    EXPECT_EQ(a.Digest, b.Digest);
    EXPECT_EQ(a.LastTick(), b.LastTick());
}

TEST(KeptMatchFile, ReadsBackWhatItWrote) {
    const KeptMatch k = Sample();
    // Only the frames whose input changed carry it; the held keys of frame 31 repeat 30's.
    EXPECT_EQ(k.Inputs.front().Frame, 0);
    for (const InputChange& c : k.Inputs)
        EXPECT_NE(c.Frame, 31);
    KeptMatch back;
    std::string why;
    ASSERT_TRUE(ParseKeptMatch(FormatKeptMatch(k), &back, &why)) << why;
    ExpectSame(k, back);
    // And frames added after reading continue the same steps.
    KeptMatch more = back;
    more.AddFrame(back.LastTick() + 16, At(0, 0));
    EXPECT_EQ(more.TickSteps.back(), 16);
}

TEST(KeptMatchFile, AnEmptyMatchReadsBack) {
    KeptMatch k;
    k.Version = "2.0.0";
    k.Chain = 5;
    KeptMatch back;
    std::string why;
    ASSERT_TRUE(ParseKeptMatch(FormatKeptMatch(k), &back, &why)) << why;
    EXPECT_EQ(back.FrameCount(), 0);
}

// Each change makes a file the game did not write; each is refused, with a reason.
TEST(KeptMatchFile, RefusesWhatItDidNotWrite) {
    const std::string good = FormatKeptMatch(Sample());
    auto replace = [&](const std::string& from, const std::string& to) {
        std::string s = good;
        const size_t at = s.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? s : s.replace(at, from.size(), to);
    };
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"another first line",
         replace("tarrabel unfinished match 1", "tarrabel unfinished match 2")},
        {"cut short", good.substr(0, good.size() / 2)},
        {"no end", replace("end\n", "")},
        {"text after the end", good + "16\n"},
        {"an unknown game", replace("game=Pis Yedili", "game=Poker")},
        {"an unknown deck", replace("deck=Roya3", "deck=Roya9")},
        {"an unknown level", replace("level=Expert", "level=Grandmaster")},
        {"a bad chain", replace("chain=0123456789abcdef", "chain=xyz")},
        {"a key missing", replace("seed=987654321\n", "")},
        {"keys out of order", replace("match=2\nseed=987654321", "seed=987654321\nmatch=2")},
        {"more frames than it says", replace("frames=50", "frames=49")},
        {"fewer frames than it says", replace("frames=50", "frames=51")},
        {"a negative step", replace(" 17", " -17")},
        {"a bad input", replace("@-,100,200,", "@Q,100,200,")},
        {"a key out of range", replace("@-,103,200,bg", "@-,103,200,bz")},
        {"a pointer far away", replace("@-,100,200,", "@-,100,99999999,")},
        {"a frame count past reason", replace("frames=50", "frames=99999999999")},
        {"a binary byte", replace("seed=987654321", std::string("seed=98765\0"
                                                                "4321",
                                                                15))},
    };
    for (const auto& c : cases) {
        KeptMatch k;
        std::string why;
        EXPECT_FALSE(ParseKeptMatch(c.text, &k, &why)) << c.name;
        EXPECT_FALSE(why.empty()) << c.name;
    }
}

// Random bytes and random cuts of a good file never crash the reader.
TEST(KeptMatchFile, SurvivesNoise) {
    const std::string good = FormatKeptMatch(Sample());
    std::mt19937 rng(7);
    for (int i = 0; i < 2000; ++i) {
        std::string s = good;
        for (int flips = 1 + int(rng() % 4); flips > 0; --flips)
            s[rng() % s.size()] = char(rng());
        if (i % 3 == 0) s.resize(rng() % s.size());
        KeptMatch k;
        std::string why;
        ParseKeptMatch(s, &k, &why);
    }
}

}  // namespace
}  // namespace tarrabel

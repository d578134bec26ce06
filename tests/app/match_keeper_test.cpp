// Keeping a match and resuming it: the game played part of the way on the null platform,
// left, played again from its file and continued, against the same game never left; the
// statistics the keeper writes as matches end; and what happens to a kept match that is
// abandoned or cannot be resumed.
#include "app/match_keeper.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "persist/atomic_file.h"
#include "persist/statistics.h"
#include "platform/null_platform.h"
#include "platform/picture_convert.h"
#include "session/trace_writer.h"
#include "simulate/human_policy.h"
#include "support/game_folder.h"
#include "support/table_fixture.h"

namespace tarrabel::test {
namespace {

namespace fs = std::filesystem;

TableAppConfig ConfigFor(GameVariant v, int16_t target, uint64_t seed) {
    TableAppConfig config;
    config.Options = DefaultOptions(v);
    if (target > 0) config.Options.TargetScore = target;
    config.Options.FullScreen = false;
    config.Seed = seed;
    config.IdleWait = false;
    return config;
}

void Play(platform::NullPlatform& null, TableApp& app, sim::HumanPolicy& human, int frames) {
    for (int f = 0; f < frames; ++f) {
        null.SetInput(human.Decide(app.game()));
        ASSERT_TRUE(app.RunFrame());
    }
}

struct ResumeCase {
    GameVariant variant;
    int16_t target;  // 0: the game's own; a low one ends matches within a deal or two
    uint64_t seed;
};

class ResumedMatch : public testing::TestWithParam<ResumeCase> {};

// The same game three ways: never left (A); left at a random frame (B), then played again
// from the kept file and continued (C). C ends where A ends, B's trace is the start of C's,
// and C's trace is A's.
TEST_P(ResumedMatch, GivesBackTheTableItLeft) {
    const ResumeCase& c = GetParam();
    GameFolder folders;
    std::mt19937 pick(uint32_t(c.seed));
    int stop = 200 + int(pick() % 9000);
    const int more = 3000;
    const uint64_t before = c.seed * 7 + 1, after = c.seed * 7 + 2;  // the person's two spells
    std::string error;

    std::FILE* traceA = std::tmpfile();
    std::FILE* traceB = std::tmpfile();
    std::FILE* traceC = std::tmpfile();
    uint64_t digestA = 0, digestAtStop = 0;
    {
        platform::NullPlatform null;
        JsonTraceWriter writer(traceA);
        TableAppConfig config = ConfigFor(c.variant, c.target, c.seed);
        config.Trace = &writer;
        TableApp app(null, folders.Art(), config);
        ASSERT_TRUE(app.GameInit(&error)) << error;
        sim::HumanPolicy human(before), human2(after);
        if (c.target > 0) {
            // Short matches: left a while after the first match ended.
            int frames = 0;
            for (; frames < 200000 && !app.game().NewMatch; ++frames) {
                null.SetInput(human.Decide(app.game()));
                ASSERT_TRUE(app.RunFrame());
            }
            ASSERT_TRUE(app.game().NewMatch) << "the first match never ended";
            const int extra = 300 + int(pick() % 3000);
            Play(null, app, human, extra);
            stop = frames + extra;
        } else {
            Play(null, app, human, stop);
        }
        digestAtStop = GameDigest(app.game(), 0);
        Play(null, app, human2, more);
        digestA = GameDigest(app.game(), 0);
    }
    SCOPED_TRACE("left at frame " + std::to_string(stop));
    int matchesFinished = 0;
    {
        platform::NullPlatform null;
        JsonTraceWriter writer(traceB);
        MatchKeeper keeper(folders.Data(), "test");
        TableAppConfig config = ConfigFor(c.variant, c.target, c.seed);
        keeper.BeginChain(config.Options, c.seed, 0xC4A1);
        keeper.PassTraceTo(&writer);
        config.Trace = &keeper;
        config.Recorder = &keeper;
        TableApp app(null, folders.Art(), config);
        ASSERT_TRUE(app.GameInit(&error)) << error;
        sim::HumanPolicy human(before);
        Play(null, app, human, stop);
        FrameInput escape;
        escape.EscapeDown = true;
        null.SetInput(escape);
        EXPECT_FALSE(app.RunFrame());
        app.ExitGame();
        keeper.Leave();
        matchesFinished = keeper.MatchIndex() - 1;
    }
    // The short matches' cases leave the game in a later match than the first.
    if (c.target > 0) {
        EXPECT_GE(matchesFinished, 1);
    }
    // Every match that ended was counted, once.
    int played = 0;
    const Statistics results = LoadStatistics(folders.Data());
    for (int level = 0; level < kLevelCount; ++level)
        played += results.Records[size_t(c.variant)][size_t(level)].Played;
    EXPECT_EQ(played, matchesFinished);

    const fs::path file = folders.Data() / kKeptMatchFileName;
    ASSERT_TRUE(fs::exists(file)) << "the person played: the match is kept";
    std::string text;
    ASSERT_EQ(ReadFileOrBackup(file, &text, [](const std::string&) { return true; }),
              ReadFrom::File);
    KeptMatch kept;
    ASSERT_TRUE(ParseKeptMatch(text, &kept, &error)) << error;
    EXPECT_EQ(kept.FrameCount(), stop);
    EXPECT_EQ(kept.MatchIndex, matchesFinished + 1);
    {
        platform::NullPlatform null;
        JsonTraceWriter writer(traceC);
        MatchKeeper keeper(folders.Data(), "test");
        keeper.ContinueChain(kept);
        keeper.PassTraceTo(&writer);
        ReplayedMatch replayed;
        ASSERT_TRUE(ReplayKeptMatch(kept, &keeper, &replayed, &error)) << error;
        EXPECT_EQ(GameDigest(*replayed.Table, 0), digestAtStop);
        EXPECT_EQ(keeper.MatchIndex(), kept.MatchIndex);
        // Resumed later, when the platform's clock is somewhere else entirely.
        null.SetTicks(5'000'000);
        TableAppConfig config = ConfigFor(c.variant, c.target, 999);
        config.Resume = &replayed;
        config.Trace = &keeper;
        config.Recorder = &keeper;
        TableApp app(null, folders.Art(), config);
        ASSERT_TRUE(app.GameInit(&error)) << error;
        null.AdvanceTicks(16);  // its first frame a frame's time after the last one kept
        sim::HumanPolicy human2(after);
        Play(null, app, human2, more);
        EXPECT_EQ(GameDigest(app.game(), 0), digestA);
        app.ExitGame();
        keeper.Leave();
    }
    const std::string a = ReadAll(traceA), b = ReadAll(traceB), cTrace = ReadAll(traceC);
    std::fclose(traceA);
    std::fclose(traceB);
    std::fclose(traceC);
    EXPECT_GT(b.size(), 0u);
    EXPECT_EQ(cTrace.compare(0, b.size(), b), 0)
        << "the left game's trace begins the resumed one's";
    EXPECT_TRUE(cTrace == a) << "the resumed game's trace differs from the game never left";
}

INSTANTIATE_TEST_SUITE_P(Games, ResumedMatch,
                         testing::Values(ResumeCase{GameVariant::Tarrabel, 0, 31},
                                         ResumeCase{GameVariant::HuitAmericain, 0, 32},
                                         ResumeCase{GameVariant::Agonia, 0, 33},
                                         ResumeCase{GameVariant::IllustratedAgonia, 0, 34},
                                         ResumeCase{GameVariant::PisYedili, 0, 35},
                                         // Matches that end within a deal or two: the kept frames
                                         // run through the matches before the one left.
                                         ResumeCase{GameVariant::Tarrabel, 12, 36},
                                         ResumeCase{GameVariant::PisYedili, 20, 37}),
                         [](const auto& info) {
                             return NameOf(info.param.variant) +
                                    (info.param.target ? "ShortMatches" : "");
                         });

// A kept match that another version plays differently (here: its digest does not fit its
// frames) is refused, and no game comes of it.
TEST(ResumedMatch, RefusesFramesThatLeadElsewhere) {
    KeptMatch k;
    k.Version = "1.9";
    k.Options = DefaultOptions(GameVariant::Agonia);
    k.Seed = 5;
    k.FirstTick = 0;
    k.SumTicks();
    for (int f = 1; f <= 300; ++f)
        k.AddFrame(16 * f, FrameInput{});
    std::string why;
    ReplayedMatch replayed;
    k.Digest = 1;
    EXPECT_FALSE(ReplayKeptMatch(k, nullptr, &replayed, &why));
    EXPECT_NE(why.find("differently"), std::string::npos) << why;
    EXPECT_EQ(replayed.Table, nullptr);
}

// A data folder that cannot be written (here: its place is taken by a file) costs one line
// on stderr, however often the keeper tries, and the game plays on.
TEST(KeptMatchSaving, AFolderThatCannotBeWrittenIsSaidOnceAndPlayGoesOn) {
    GameFolder folders;
    std::FILE* blocker = std::fopen((folders.dir / "data").c_str(), "w");
    ASSERT_NE(blocker, nullptr);
    std::fclose(blocker);
    platform::NullPlatform null;
    MatchKeeper keeper(folders.Data() / "tarrabel", "test");
    TableAppConfig config = ConfigFor(GameVariant::Agonia, 0, 3);
    keeper.BeginChain(config.Options, 3, 0xB10C);
    config.Trace = &keeper;
    config.Recorder = &keeper;
    TableApp app(null, folders.Art(), config);
    std::string error;
    ASSERT_TRUE(app.GameInit(&error)) << error;
    testing::internal::CaptureStderr();
    sim::HumanPolicy human(3);
    int deals = 0;
    bool scored = false;
    for (int f = 0; f < 60000 && deals < 2; ++f) {
        null.SetInput(human.Decide(app.game()));
        ASSERT_TRUE(app.RunFrame());
        const bool now = app.game().State == GameState::DealScored;
        deals += now && !scored;
        scored = now;
        keeper.Waiting(app.game());
    }
    keeper.Leave();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(deals, 2) << "the game played on";
    EXPECT_NE(said.find("without remembering"), std::string::npos) << said;
    EXPECT_EQ(said.find("tarrabel:"), said.rfind("tarrabel:")) << "said more than once: " << said;
}

// A kept match the statistics count already is over (the game was stopped between counting
// it as abandoned and deleting its file): it is not offered again, and its file goes.
TEST(KeptMatchSaving, AMatchAlreadyCountedIsNotResumed) {
    GameFolder folders;
    std::string error;
    {
        platform::NullPlatform null;
        MatchKeeper keeper(folders.Data(), "test");
        TableAppConfig config = ConfigFor(GameVariant::Tarrabel, 0, 5);
        keeper.BeginChain(config.Options, 5, 0xC0C0);
        config.Trace = &keeper;
        config.Recorder = &keeper;
        TableApp app(null, folders.Art(), config);
        ASSERT_TRUE(app.GameInit(&error)) << error;
        sim::HumanPolicy human(5);
        Play(null, app, human, 4000);
        app.ExitGame();
        keeper.Leave();
        ASSERT_TRUE(keeper.MatchUnderWay());
    }
    const fs::path file = folders.Data() / kKeptMatchFileName;
    MatchKeeper keeper(folders.Data(), "test");
    ReplayedMatch replayed;
    std::string trace;
    const std::optional<KeptMatch> kept =
        ReplayTheMatchLeft(folders.Data(), keeper, false, &replayed, &trace);
    ASSERT_TRUE(kept.has_value()) << "the match left is offered";
    ASSERT_TRUE(fs::exists(file));

    MatchOutcome abandoned;
    abandoned.End = MatchEnd::Abandoned;
    abandoned.Id = {kept->Chain, kept->MatchIndex};
    ASSERT_TRUE(RecordMatch(folders.Data(), abandoned, &error)) << error;
    EXPECT_FALSE(ReplayTheMatchLeft(folders.Data(), keeper, false, &replayed, &trace));
    EXPECT_FALSE(fs::exists(file));
    fs::path backup = file;
    backup += ".bak";
    EXPECT_FALSE(fs::exists(backup));
}

}  // namespace
}  // namespace tarrabel::test

// The player's results: the counting of matches (streaks, totals, every game and level on
// its own, no match counted twice), the file that keeps them (read back exactly, a damaged
// one refused so that its .bak is read), the table for the terminal, and two games
// counting into the same folder at once.
#include "persist/statistics.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "persist/atomic_file.h"
#include "support/scratch_folder.h"

namespace tarrabel {
namespace {

using test::ScratchFolder;

MatchOutcome Match(MatchEnd end, int32_t total = 0, MatchId id = {},
                   GameVariant variant = GameVariant::Tarrabel, AiLevel level = AiLevel::Standard) {
    MatchOutcome m;
    m.Variant = variant;
    m.Level = level;
    m.End = end;
    m.FinalTotal = total;
    m.Id = id;
    return m;
}

TEST(StatisticsTest, StreaksRunThroughWinsAndBreakOnLossesAndAbandonedMatches) {
    struct Step {
        MatchEnd End;
        int32_t Streak, BestStreak;
    };
    const Step steps[] = {
        {MatchEnd::Won, 1, 1},       {MatchEnd::Won, 2, 2}, {MatchEnd::Lost, 0, 2},
        {MatchEnd::Won, 1, 2},       {MatchEnd::Won, 2, 2}, {MatchEnd::Won, 3, 3},
        {MatchEnd::Abandoned, 0, 3}, {MatchEnd::Won, 1, 3}, {MatchEnd::Lost, 0, 3},
        {MatchEnd::Lost, 0, 3},
    };
    Statistics s;
    int played = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(++played);
        EXPECT_TRUE(CountMatch(s, Match(step.End, 10)));
        const GameRecord& r = s.Of(GameVariant::Tarrabel, AiLevel::Standard);
        EXPECT_EQ(r.CurrentStreak, step.Streak);
        EXPECT_EQ(r.BestStreak, step.BestStreak);
        EXPECT_EQ(r.Played, played);
    }
    const GameRecord& r = s.Of(GameVariant::Tarrabel, AiLevel::Standard);
    EXPECT_EQ(r.Won, 6);
    EXPECT_EQ(r.Lost, 4);
    EXPECT_EQ(r.Abandoned, 1);
    EXPECT_EQ(r.Finished, 9);
}

TEST(StatisticsTest, TotalsAreOfFinishedMatchesOnly) {
    Statistics s;
    MatchOutcome m = Match(MatchEnd::Lost, 80);
    m.Deals = 7;
    m.Hints = 2;
    CountMatch(s, m);
    m = Match(MatchEnd::Won, 30);
    m.Deals = 4;
    CountMatch(s, m);
    // Abandoned with fewer points than any: not a final total, but its deals and hints count.
    m = Match(MatchEnd::Abandoned, 5);
    m.Deals = 1;
    m.Hints = 3;
    CountMatch(s, m);
    const GameRecord& r = s.Of(GameVariant::Tarrabel, AiLevel::Standard);
    EXPECT_EQ(r.Finished, 2);
    EXPECT_EQ(r.BestTotal, 30);
    EXPECT_EQ(r.SumOfTotals, 110);
    EXPECT_DOUBLE_EQ(AverageTotal(r), 55.0);
    EXPECT_EQ(r.Deals, 12);
    EXPECT_EQ(r.Hints, 5);
}

TEST(StatisticsTest, ABestTotalOfZeroIsATotal) {
    Statistics s;
    CountMatch(s, Match(MatchEnd::Won, 0));
    CountMatch(s, Match(MatchEnd::Won, 12));
    EXPECT_EQ(s.Of(GameVariant::Tarrabel, AiLevel::Standard).BestTotal, 0);
}

TEST(StatisticsTest, OnlyAbandonedMatchesLeaveNoTotal) {
    Statistics s;
    CountMatch(s, Match(MatchEnd::Abandoned, 40));
    const GameRecord& r = s.Of(GameVariant::Tarrabel, AiLevel::Standard);
    EXPECT_EQ(r.BestTotal, -1);
    EXPECT_EQ(r.Finished, 0);
    EXPECT_DOUBLE_EQ(AverageTotal(r), 0.0);
}

TEST(StatisticsTest, EveryGameAndLevelHasItsOwnRecord) {
    Statistics s;
    CountMatch(s, Match(MatchEnd::Won, 10, {}, GameVariant::Agonia, AiLevel::Expert));
    CountMatch(s, Match(MatchEnd::Won, 10, {}, GameVariant::Agonia, AiLevel::Expert));
    CountMatch(s, Match(MatchEnd::Lost, 90, {}, GameVariant::Agonia, AiLevel::Easy));
    CountMatch(s, Match(MatchEnd::Lost, 50, {}, GameVariant::PisYedili, AiLevel::Expert));
    for (int v = 0; v < kVariantCount; ++v) {
        for (const AiLevel level : {AiLevel::Standard, AiLevel::Expert, AiLevel::Easy}) {
            const GameRecord& r = s.Of(GameVariant(v), level);
            SCOPED_TRACE(std::string(kVariantNames[size_t(v)]) + " " +
                         std::string(AiLevelName(level)));
            if (GameVariant(v) == GameVariant::Agonia && level == AiLevel::Expert) {
                EXPECT_EQ(r.Won, 2);
                EXPECT_EQ(r.CurrentStreak, 2);
                EXPECT_EQ(r.BestTotal, 10);
            } else if (GameVariant(v) == GameVariant::Agonia && level == AiLevel::Easy) {
                EXPECT_EQ(r.Lost, 1);
                EXPECT_EQ(r.BestTotal, 90);
            } else if (GameVariant(v) == GameVariant::PisYedili && level == AiLevel::Expert) {
                EXPECT_EQ(r.Lost, 1);
                EXPECT_EQ(r.BestTotal, 50);
            } else {
                EXPECT_EQ(r, GameRecord{});
            }
        }
    }
}

TEST(StatisticsTest, AMatchOfAChainCountsOnce) {
    constexpr uint64_t kChain = 0xA11CE;
    Statistics s;
    EXPECT_TRUE(CountMatch(s, Match(MatchEnd::Won, 10, {kChain, 1})));
    EXPECT_TRUE(CountMatch(s, Match(MatchEnd::Won, 10, {kChain, 2})));
    const Statistics before = s;
    // The same match again (a game killed before it forgot it), or an earlier one of it.
    EXPECT_FALSE(CountMatch(s, Match(MatchEnd::Won, 10, {kChain, 2})));
    EXPECT_FALSE(CountMatch(s, Match(MatchEnd::Abandoned, 0, {kChain, 1})));
    EXPECT_EQ(s, before);
    EXPECT_TRUE(AlreadyCounted(s, {kChain, 2}));
    EXPECT_FALSE(AlreadyCounted(s, {kChain, 3}));
    EXPECT_FALSE(AlreadyCounted(s, {kChain + 1, 1}));
    // The next match of the chain, and another chain's first, count.
    EXPECT_TRUE(CountMatch(s, Match(MatchEnd::Lost, 10, {kChain, 3})));
    EXPECT_TRUE(CountMatch(s, Match(MatchEnd::Lost, 10, {kChain + 1, 1})));
    EXPECT_EQ(s.Of(GameVariant::Tarrabel, AiLevel::Standard).Played, 4);
    EXPECT_EQ(s.LastCounted, (std::vector<MatchId>{{kChain, 3}, {kChain + 1, 1}}));
}

TEST(StatisticsTest, AMatchWithoutAChainAlwaysCounts) {
    Statistics s;
    EXPECT_TRUE(CountMatch(s, Match(MatchEnd::Won, 10, {0, 1})));
    EXPECT_TRUE(CountMatch(s, Match(MatchEnd::Won, 10, {0, 1})));
    EXPECT_EQ(s.Of(GameVariant::Tarrabel, AiLevel::Standard).Played, 2);
    EXPECT_TRUE(s.LastCounted.empty());
}

TEST(StatisticsTest, TheChainCountedLastIsTheNewestMarker) {
    Statistics s;
    CountMatch(s, Match(MatchEnd::Won, 1, {1, 1}));
    CountMatch(s, Match(MatchEnd::Won, 1, {2, 1}));
    CountMatch(s, Match(MatchEnd::Won, 1, {1, 2}));
    EXPECT_EQ(s.LastCounted, (std::vector<MatchId>{{2, 1}, {1, 2}}));
}

TEST(StatisticsTest, OnlyTheNewestSixteenChainsAreRemembered) {
    Statistics s;
    for (uint64_t chain = 1; chain <= 20; ++chain)
        CountMatch(s, Match(MatchEnd::Won, 1, {chain, 1}));
    ASSERT_EQ(s.LastCounted.size(), 16u);
    EXPECT_EQ(s.LastCounted.front(), (MatchId{5, 1}));
    EXPECT_EQ(s.LastCounted.back(), (MatchId{20, 1}));
    EXPECT_TRUE(AlreadyCounted(s, {5, 1}));
    EXPECT_FALSE(AlreadyCounted(s, {4, 1}));  // forgotten
}

// Results in several games and levels, with markers, and one record that is all abandoned.
Statistics Sample() {
    Statistics s;
    const MatchEnd ends[] = {MatchEnd::Won, MatchEnd::Lost, MatchEnd::Abandoned, MatchEnd::Won,
                             MatchEnd::Won};
    int n = 0;
    for (int v = 0; v < kVariantCount; ++v) {
        for (int level = 0; level < kLevelCount; ++level) {
            if ((v + level) % 3 == 0) continue;
            for (int k = 0; k <= (v * 3 + level) % 5; ++k) {
                MatchOutcome m = Match(ends[k], 7 * k + v, {uint64_t(0x1000 + v * 7 + level), ++n},
                                       GameVariant(v), AiLevel(level));
                m.Deals = k + 2;
                m.Hints = k % 2;
                CountMatch(s, m);
            }
        }
    }
    CountMatch(s, Match(MatchEnd::Abandoned, 0, {0xFFFFFFFFFFFFFFFFull, 9}, GameVariant::PisYedili,
                        AiLevel::Easy));
    return s;
}

TEST(StatisticsTest, TheFileReadsBackExactly) {
    for (const Statistics& s : {Statistics{}, Sample()}) {
        const std::string text = FormatStatistics(s);
        Statistics read;
        read.LastCounted.push_back({42, 42});  // what was there before is replaced
        ASSERT_TRUE(ParseStatistics(text, &read)) << text;
        EXPECT_EQ(read, s) << text;
    }
}

TEST(StatisticsTest, TheFileHoldsOnlyGamesPlayed) {
    Statistics s;
    CountMatch(s, Match(MatchEnd::Won, 17, {0x0123456789ABCDEFull, 3}, GameVariant::HuitAmericain,
                        AiLevel::Easy));
    std::istringstream lines(FormatStatistics(s));
    std::vector<std::string> read;
    for (std::string line; std::getline(lines, line);)
        if (!line.starts_with("#")) read.push_back(line);
    EXPECT_EQ(read, (std::vector<std::string>{"huit_americain.easy=1 1 0 0 1 1 1 17 17 0 0",
                                              "counted=0123456789abcdef 3", "end"}));
}

TEST(StatisticsTest, AFileCutShortIsRefused) {
    const std::string text = FormatStatistics(Sample());
    ASSERT_TRUE(text.ends_with("\nend\n"));
    for (size_t cut = 0; cut + 1 < text.size(); ++cut) {
        Statistics read;
        ASSERT_FALSE(ParseStatistics(text.substr(0, cut), &read)) << "cut at " << cut;
        EXPECT_EQ(read, Statistics{});
    }
}

struct DamagedCase {
    const char* Name;
    std::string Lines;  // between the comment on top and the end line
};

const DamagedCase kDamaged[] = {
    {"UnknownGame", "poker.easy=1 1 0 0 1 1 1 10 10 3 0"},
    {"UnknownLevel", "agonia.hard=1 1 0 0 1 1 1 10 10 3 0"},
    {"NoLevel", "agonia=1 1 0 0 1 1 1 10 10 3 0"},
    {"GameInCapitals", "Agonia.easy=1 1 0 0 1 1 1 10 10 3 0"},
    {"NoEquals", "agonia.easy 1 1 0 0 1 1 1 10 10 3 0"},
    {"TooFewNumbers", "agonia.easy=1 1 0 0 1 1 1 10 10 3"},
    {"TooManyNumbers", "agonia.easy=1 1 0 0 1 1 1 10 10 3 0 0"},
    {"TwoSpaces", "agonia.easy=1  1 0 0 1 1 1 10 10 3 0"},
    {"TrailingSpace", "agonia.easy=1 1 0 0 1 1 1 10 10 3 0 "},
    {"NotANumber", "agonia.easy=1 1 0 0 1 1 1 10 1O 3 0"},
    {"PlusSign", "agonia.easy=+1 1 0 0 1 1 1 10 10 3 0"},
    {"NegativeDeals", "agonia.easy=1 1 0 0 1 1 1 10 10 -3 0"},
    {"NumberTooLarge", "agonia.easy=99999999999 1 0 0 1 1 1 10 10 3 0"},
    {"WonAndLostAreNotPlayed", "agonia.easy=2 1 0 0 1 1 1 10 10 3 0"},
    {"MoreAbandonedThanLost", "agonia.easy=2 2 0 1 2 2 1 10 10 3 0"},
    {"FinishedAreNotTheOnesNotAbandoned", "agonia.easy=2 1 1 0 0 1 1 10 10 3 0"},
    {"StreakBeyondTheBest", "agonia.easy=2 2 0 0 2 1 2 10 20 3 0"},
    {"BestStreakBeyondTheWins", "agonia.easy=2 1 1 0 0 2 2 10 20 3 0"},
    {"FinishedWithoutABestTotal", "agonia.easy=1 1 0 0 1 1 1 -1 10 3 0"},
    {"ABestTotalBelowNone", "agonia.easy=1 0 1 1 0 0 0 -2 0 3 0"},
    {"ABestTotalWithNothingFinished", "agonia.easy=1 0 1 1 0 0 0 10 0 3 0"},
    {"SumBelowTheBest", "agonia.easy=2 2 0 0 2 2 2 10 15 3 0"},
    {"TheSameRecordTwice",
     "agonia.easy=1 1 0 0 1 1 1 10 10 3 0\nagonia.easy=1 1 0 0 1 1 1 10 10 3 0"},
    {"MarkerChainTooShort", "counted=123456789abcdef 3"},
    {"MarkerChainNotHex", "counted=0123456789abcdeg 3"},
    {"MarkerChainZero", "counted=0000000000000000 3"},
    {"MarkerWithoutIndex", "counted=0123456789abcdef"},
    {"MarkerNegativeIndex", "counted=0123456789abcdef -3"},
    {"TheSameChainTwice", "counted=0123456789abcdef 3\ncounted=0123456789ABCDEF 4"},
    {"AnUnknownLine", "colour=blue"},
    {"TextNotALine", "agonia"},
    {"EndTwice", "end"},
};

TEST(StatisticsTest, ADamagedFileIsRefused) {
    // The same good line passes, so that each case fails for its damage alone.
    const std::string good = "agonia.easy=1 1 0 0 1 1 1 10 10 3 0";
    Statistics read;
    ASSERT_TRUE(ParseStatistics("# results\n" + good + "\n\nend\n", &read));
    EXPECT_EQ(read.Of(GameVariant::Agonia, AiLevel::Easy).Deals, 3);
    for (const DamagedCase& c : kDamaged) {
        SCOPED_TRACE(c.Name);
        EXPECT_FALSE(ParseStatistics("# results\n" + c.Lines + "\nend\n", &read));
    }
    EXPECT_FALSE(ParseStatistics("end\nagonia.easy=1 1 0 0 1 1 1 10 10 3 0\n", &read));
    EXPECT_FALSE(ParseStatistics("end\n# a comment after the end\n", &read));
    EXPECT_TRUE(ParseStatistics("end\n\n", &read));
}

TEST(StatisticsTest, SeventeenMarkersAreRefused) {
    std::string text;
    for (int chain = 1; chain <= 17; ++chain) {
        char line[64];
        std::snprintf(line, sizeof line, "counted=%016x 1\n", chain);
        text += line;
        Statistics read;
        EXPECT_EQ(ParseStatistics(text + "end\n", &read), chain <= 16) << chain;
    }
}

TEST(StatisticsTest, OneChangedCountIsTold) {
    Statistics s;
    for (int k = 0; k < 3; ++k)
        CountMatch(s, Match(MatchEnd::Won, 20 + k));
    CountMatch(s, Match(MatchEnd::Lost, 60));
    const std::string text = FormatStatistics(s);
    const std::string line = "tarrabel.standard=4 3 1 0 0 3 4 20 123 0 0";
    const size_t at = text.find(line);
    ASSERT_NE(at, std::string::npos) << text;
    // Played, won, lost, abandoned, best streak and finished are bound to each other: one
    // digit changed in any of them is a damaged file.
    const char* const changed[] = {"5 3 1 0 0 3 4", "4 4 1 0 0 3 4", "4 3 2 0 0 3 4",
                                   "4 3 1 1 0 3 4", "4 3 1 0 0 4 4", "4 3 1 0 0 3 5",
                                   "4 3 1 0 0 3 3"};
    for (const char* counts : changed) {
        std::string damaged = text;
        damaged.replace(at + line.find('=') + 1, std::strlen(counts), counts);
        Statistics read;
        EXPECT_FALSE(ParseStatistics(damaged, &read)) << damaged;
    }
}

TEST(StatisticsTest, NothingPlayedMakesNoTable) {
    EXPECT_EQ(StatisticsTable(Statistics{}), "No matches played yet.\n");
    // Markers alone are no results.
    Statistics s;
    s.LastCounted.push_back({7, 1});
    EXPECT_EQ(StatisticsTable(s), "No matches played yet.\n");
}

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

TEST(StatisticsTest, TheTableHasABlockPerLevelPlayed) {
    Statistics s;
    MatchOutcome m = Match(MatchEnd::Won, 12, {}, GameVariant::Agonia, AiLevel::Expert);
    m.Deals = 5;
    m.Hints = 1;
    CountMatch(s, m);
    m.End = MatchEnd::Won;
    m.FinalTotal = 30;
    CountMatch(s, m);
    m.End = MatchEnd::Lost;
    m.FinalTotal = 101;
    CountMatch(s, m);
    CountMatch(s, Match(MatchEnd::Abandoned, 3, {}, GameVariant::PisYedili, AiLevel::Easy));

    const std::vector<std::string> lines = LinesOf(StatisticsTable(s));
    // Easy first, then Expert; no Standard block.
    ASSERT_EQ(lines.size(), 2u * 7 + 1) << StatisticsTable(s);
    EXPECT_EQ(lines[0], "Easy players");
    EXPECT_EQ(lines[7], "");
    EXPECT_EQ(lines[8], "Expert players");
    EXPECT_EQ(Words(lines[1]).front(), "Game");

    // Every row of both blocks has the same width: the columns line up.
    for (const size_t block : {1u, 9u})
        for (size_t row = block; row < block + 6; ++row)
            EXPECT_EQ(lines[row].size(), lines[1].size()) << lines[row];
    // The numbers, and the dashes of games not played, end where their headings end.
    const size_t wonEnds = lines[1].find("Won") + 3;
    for (size_t row = 10; row < 15; ++row) {
        EXPECT_NE(lines[row][wonEnds - 1], ' ') << lines[row];
        EXPECT_EQ(lines[row][wonEnds], ' ') << lines[row];
    }

    auto rowOf = [&lines](size_t block, std::string_view game) {
        for (size_t row = block + 1; row < block + 6; ++row)
            if (lines[row].starts_with(game) && lines[row][game.size()] == ' ')
                return Words(lines[row].substr(game.size()));
        return std::vector<std::string>{};
    };
    EXPECT_EQ(rowOf(9, "Agonia"),
              (std::vector<std::string>{"3", "2", "1", "67", "0", "2", "12", "47.7", "15", "3"}));
    EXPECT_EQ(rowOf(9, "Tarrabel"), std::vector<std::string>(10, "-"));
    EXPECT_EQ(rowOf(9, "Illustrated Agonia"), std::vector<std::string>(10, "-"));
    // Abandoned only: no final total to show.
    EXPECT_EQ(rowOf(1, "Pis Yedili"),
              (std::vector<std::string>{"1", "0", "1", "0", "0", "0", "-", "-", "0", "0"}));
}

// The statistics file in a folder.
class StatisticsFolderTest : public testing::Test {
  protected:
    ScratchFolder scratch_;
    std::filesystem::path folder_ = scratch_.Path() / "data" / "tarrabel";
    std::filesystem::path file_ = folder_ / kStatisticsFileName;

    std::string Read(const std::filesystem::path& file) const {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

TEST_F(StatisticsFolderTest, ResultsAreKeptAcrossGames) {
    EXPECT_EQ(LoadStatistics(folder_), Statistics{});
    std::string error;
    ASSERT_TRUE(RecordMatch(folder_, Match(MatchEnd::Won, 10, {5, 1}), &error)) << error;
    ASSERT_TRUE(RecordMatch(folder_, Match(MatchEnd::Lost, 70, {5, 2}), &error)) << error;
    // The game killed before it forgot the match: the next start records it again.
    ASSERT_TRUE(RecordMatch(folder_, Match(MatchEnd::Lost, 70, {5, 2}), &error)) << error;
    const Statistics s = LoadStatistics(folder_);
    EXPECT_EQ(s.Of(GameVariant::Tarrabel, AiLevel::Standard).Played, 2);
    EXPECT_EQ(s.Of(GameVariant::Tarrabel, AiLevel::Standard).SumOfTotals, 80);
    EXPECT_EQ(Read(file_), FormatStatistics(s));
}

TEST_F(StatisticsFolderTest, ADamagedFileGivesWayToItsBackup) {
    std::string error;
    ASSERT_TRUE(RecordMatch(folder_, Match(MatchEnd::Won, 10), &error)) << error;
    ASSERT_TRUE(RecordMatch(folder_, Match(MatchEnd::Won, 20), &error)) << error;
    {
        std::ofstream out(file_, std::ios::binary | std::ios::trunc);
        out << "tarrabel.standard=2 2 0";  // cut short
    }
    EXPECT_EQ(LoadStatistics(folder_).Of(GameVariant::Tarrabel, AiLevel::Standard).Played, 1);
    // Recording goes on from the backup's results.
    ASSERT_TRUE(RecordMatch(folder_, Match(MatchEnd::Lost, 50), &error)) << error;
    const GameRecord r = LoadStatistics(folder_).Of(GameVariant::Tarrabel, AiLevel::Standard);
    EXPECT_EQ(r.Played, 2);
    EXPECT_EQ(r.CurrentStreak, 0);
    EXPECT_EQ(r.BestStreak, 1);
}

TEST_F(StatisticsFolderTest, ResetKeepsTheMarkers) {
    std::string error;
    ASSERT_TRUE(RecordMatch(folder_, Match(MatchEnd::Won, 10, {9, 4}), &error)) << error;
    ASSERT_TRUE(ResetStatistics(folder_, &error)) << error;
    Statistics expected;
    expected.LastCounted = {{9, 4}};
    EXPECT_EQ(LoadStatistics(folder_), expected);
    // So the match counted before the reset is not counted again after it.
    ASSERT_TRUE(RecordMatch(folder_, Match(MatchEnd::Won, 10, {9, 4}), &error)) << error;
    EXPECT_EQ(LoadStatistics(folder_), expected);
}

TEST_F(StatisticsFolderTest, AFolderThatCannotBeWrittenIsTold) {
    // A file where a folder should be stops everyone, root too.
    { std::ofstream(scratch_.Path() / "data") << "not a folder"; }
    std::string error;
    EXPECT_FALSE(RecordMatch(folder_, Match(MatchEnd::Won, 10), &error));
    EXPECT_NE(error.find(file_.string()), std::string::npos) << error;
    EXPECT_FALSE(ResetStatistics(folder_, &error));
    EXPECT_EQ(LoadStatistics(folder_), Statistics{});
}

constexpr int kMatchesEach = 50;

void RecordMatches(const std::filesystem::path& folder, uint64_t chain, bool* allWritten) {
    *allWritten = true;
    for (int i = 1; i <= kMatchesEach; ++i) {
        std::string error;
        MatchOutcome m = Match(i % 3 == 0 ? MatchEnd::Lost : MatchEnd::Won, i, {chain, i});
        m.Deals = 1;
        *allWritten &= RecordMatch(folder, m, &error);
    }
}

void ExpectEveryMatchCounted(const std::filesystem::path& folder) {
    const Statistics s = LoadStatistics(folder);
    const GameRecord& r = s.Of(GameVariant::Tarrabel, AiLevel::Standard);
    EXPECT_EQ(r.Played, 2 * kMatchesEach);
    EXPECT_EQ(r.Deals, 2 * kMatchesEach);
    EXPECT_EQ(s.LastCounted.size(), 2u);
}

TEST_F(StatisticsFolderTest, TwoThreadsCountingAtOnceLoseNoMatch) {
    bool firstWrote = false, secondWrote = false;
    std::thread first(RecordMatches, folder_, 1, &firstWrote);
    std::thread second(RecordMatches, folder_, 2, &secondWrote);
    first.join();
    second.join();
    EXPECT_TRUE(firstWrote);
    EXPECT_TRUE(secondWrote);
    ExpectEveryMatchCounted(folder_);
}

TEST_F(StatisticsFolderTest, TwoGamesCountingAtOnceLoseNoMatch) {
    std::vector<pid_t> games;
    for (uint64_t chain = 1; chain <= 2; ++chain) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            bool allWritten = false;
            RecordMatches(folder_, chain, &allWritten);
            ::_exit(allWritten ? 0 : 1);
        }
        games.push_back(pid);
    }
    for (const pid_t pid : games) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    ExpectEveryMatchCounted(folder_);
}

}  // namespace
}  // namespace tarrabel

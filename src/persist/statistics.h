// The player's results, for every game and computer level: matches played, won and lost,
// winning streaks, the final totals, deals played and hints taken. A match counts once it
// ends; one left unfinished counts when it is finished after all (resumed) or abandoned (a
// new match started over it), and an abandoned match counts as lost.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/cards.h"
#include "core/options.h"

namespace tarrabel {

inline constexpr int kLevelCount = 3;  // AiLevel: Standard, Expert, Easy
inline constexpr std::string_view kStatisticsFileName = "statistics.ini";

// A match of a chain of play: Chain names the run of play (a fresh start of the game, and
// the resumed runs that continued it), Index the match in it from 1. Counting a match twice
// (a game killed between counting it and forgetting it) is prevented by these.
struct MatchId {
    uint64_t Chain = 0;
    int32_t Index = 0;
    bool operator==(const MatchId&) const = default;
};

enum class MatchEnd : uint8_t { Won, Lost, Abandoned };

struct MatchOutcome {
    GameVariant Variant = GameVariant::Tarrabel;
    AiLevel Level = AiLevel::Standard;
    MatchEnd End = MatchEnd::Lost;
    int32_t FinalTotal = 0;  // the person's total at the end (not for an abandoned match)
    int32_t Deals = 0;       // deals scored in the match
    int32_t Hints = 0;       // hints taken in it
    MatchId Id;
};

// One game at one level.
struct GameRecord {
    int32_t Played = 0;  // Won + Lost
    int32_t Won = 0;
    int32_t Lost = 0;           // abandoned ones included
    int32_t Abandoned = 0;      // of the lost
    int32_t CurrentStreak = 0;  // wins in a row up to the last match
    int32_t BestStreak = 0;
    int32_t Finished = 0;     // matches played to their end: the ones with a final total
    int32_t BestTotal = -1;   // the lowest final total of a finished match; -1: none yet
    int64_t SumOfTotals = 0;  // of the finished matches, for the average
    int64_t Deals = 0;
    int64_t Hints = 0;
    bool operator==(const GameRecord&) const = default;
};

struct Statistics {
    // [variant][level], the level by its AiLevel number.
    std::array<std::array<GameRecord, kLevelCount>, kVariantCount> Records{};
    // The most recently counted match of each of the last few chains, newest last.
    std::vector<MatchId> LastCounted;
    bool operator==(const Statistics&) const = default;

    const GameRecord& Of(GameVariant v, AiLevel l) const { return Records[size_t(v)][size_t(l)]; }
};

// The average final total of the finished matches, 0 when there are none.
double AverageTotal(const GameRecord& r);

// Whether the match was counted already (its chain's last counted match is it or later).
bool AlreadyCounted(const Statistics& s, const MatchId& id);

// Adds one match to its game's and level's record (a match already counted changes
// nothing) and answers whether it was added.
bool CountMatch(Statistics& s, const MatchOutcome& m);

// The file's text and back. Parsing is strict, so that a damaged file is told from a good
// one and the .bak can be read instead: false on any line it does not understand.
std::string FormatStatistics(const Statistics& s);
bool ParseStatistics(std::string_view text, Statistics* s);

// The results as a plain text table, one block per level that has matches (every game a
// row), for `tarrabel --stats`; a line saying so when nothing has been played yet.
std::string StatisticsTable(const Statistics& s);

// The statistics file in a folder: read (falling back to its .bak; all zero when neither
// can be read), and a match added to it under the folder's lock, re-reading the file first
// so that two games at once both count. False with a message when the folder cannot be
// written.
Statistics LoadStatistics(const std::filesystem::path& folder);
bool RecordMatch(const std::filesystem::path& folder, const MatchOutcome& m, std::string* error);
// Sets every count back to zero (the dialog's "Reset"), keeping the counted markers.
bool ResetStatistics(const std::filesystem::path& folder, std::string* error);

}  // namespace tarrabel

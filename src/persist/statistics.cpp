#include "persist/statistics.h"

#include <algorithm>
#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <limits>
#include <optional>

#include "persist/atomic_file.h"

namespace tarrabel {
namespace {

// A player's few chains of play at a time (two games open at once, a resumed one) are well
// within this; older markers only keep a match from being counted again after a game was
// killed at the wrong moment, which an old chain no longer risks.
constexpr size_t kCountedMarkers = 16;

// The file's names of the games and levels (by GameVariant and AiLevel number).
constexpr std::array<std::string_view, kVariantCount> kVariantKeys = {
    "tarrabel", "huit_americain", "agonia", "illustrated_agonia", "pis_yedili"};
constexpr std::array<std::string_view, kLevelCount> kLevelKeys = {"standard", "expert", "easy"};

// The levels as a player ranks them, for the table.
constexpr std::array<AiLevel, kLevelCount> kLevelsEasiestFirst = {AiLevel::Easy, AiLevel::Standard,
                                                                  AiLevel::Expert};

constexpr std::string_view kCountedKey = "counted=";
constexpr std::string_view kEndLine = "end";
constexpr int kRecordFields = 11;

bool IsAllZero(const GameRecord& r) {
    return r == GameRecord{};
}

// A decimal number without sign, or with a '-' when allowed, and nothing else.
template <typename Number>
bool ParseNumber(std::string_view text, Number* n, bool mayBeNegative = false) {
    if (text.empty()) return false;
    if (text.front() == '-' && !mayBeNegative) return false;
    if (text.front() == '+') return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), *n);
    return ec == std::errc() && end == text.data() + text.size();
}

// Whether the counts can have come from counting matches, so that a digit changed by a
// damaged disk or a hand is told from a good file.
bool IsConsistent(const GameRecord& r) {
    if (r.Played < 0 || r.Won < 0 || r.Lost < 0 || r.Abandoned < 0 || r.CurrentStreak < 0 ||
        r.BestStreak < 0 || r.Finished < 0 || r.SumOfTotals < 0 || r.Deals < 0 || r.Hints < 0)
        return false;
    if (int64_t(r.Won) + r.Lost != r.Played) return false;
    if (r.Abandoned > r.Lost) return false;
    // Every match not abandoned was played to its end.
    if (r.Finished != r.Played - r.Abandoned) return false;
    if (r.CurrentStreak > r.BestStreak || r.BestStreak > r.Won) return false;
    if (r.Finished == 0) return r.BestTotal == -1 && r.SumOfTotals == 0;
    // The best total is the lowest of the finished ones, which the sum holds each of.
    return r.BestTotal >= 0 && r.SumOfTotals >= int64_t(r.BestTotal) * r.Finished;
}

bool ParseRecord(std::string_view numbers, GameRecord* r) {
    std::array<std::string_view, kRecordFields> fields;
    for (int i = 0; i < kRecordFields; ++i) {
        const size_t space = numbers.find(' ');
        if ((space == std::string_view::npos) != (i == kRecordFields - 1)) return false;
        fields[size_t(i)] = numbers.substr(0, space);
        numbers.remove_prefix(space == std::string_view::npos ? numbers.size() : space + 1);
    }
    return ParseNumber(fields[0], &r->Played) && ParseNumber(fields[1], &r->Won) &&
           ParseNumber(fields[2], &r->Lost) && ParseNumber(fields[3], &r->Abandoned) &&
           ParseNumber(fields[4], &r->CurrentStreak) && ParseNumber(fields[5], &r->BestStreak) &&
           ParseNumber(fields[6], &r->Finished) &&
           ParseNumber(fields[7], &r->BestTotal, /*mayBeNegative=*/true) &&
           ParseNumber(fields[8], &r->SumOfTotals) && ParseNumber(fields[9], &r->Deals) &&
           ParseNumber(fields[10], &r->Hints) && IsConsistent(*r);
}

// "0123456789abcdef 3": a chain and the last match of it that was counted.
bool ParseMarker(std::string_view text, MatchId* id) {
    constexpr size_t kChainDigits = 16;
    if (text.size() < kChainDigits + 2 || text[kChainDigits] != ' ') return false;
    const std::string_view chain = text.substr(0, kChainDigits);
    if (!std::all_of(chain.begin(), chain.end(), [](char c) {
            return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        }))
        return false;
    std::from_chars(chain.data(), chain.data() + chain.size(), id->Chain, 16);
    return id->Chain != 0 && ParseNumber(text.substr(kChainDigits + 1), &id->Index);
}

template <typename Number>
void AddRecordField(std::string* line, Number n) {
    if (line->back() != '=') *line += ' ';
    *line += std::to_string(n);
}

std::string WinPercent(const GameRecord& r) {
    return std::to_string((int64_t(r.Won) * 200 + r.Played) / (int64_t(r.Played) * 2));
}

std::string OneDecimal(double d) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", d);
    return text;
}

}  // namespace

double AverageTotal(const GameRecord& r) {
    return r.Finished > 0 ? double(r.SumOfTotals) / r.Finished : 0.0;
}

bool AlreadyCounted(const Statistics& s, const MatchId& id) {
    // Without a chain there is nothing to tell the match by: it counts.
    if (id.Chain == 0) return false;
    return std::any_of(s.LastCounted.begin(), s.LastCounted.end(), [&id](const MatchId& c) {
        return c.Chain == id.Chain && c.Index >= id.Index;
    });
}

bool CountMatch(Statistics& s, const MatchOutcome& m) {
    if (size_t(m.Variant) >= size_t(kVariantCount) || size_t(m.Level) >= size_t(kLevelCount))
        return false;
    if (AlreadyCounted(s, m.Id)) return false;

    GameRecord& r = s.Records[size_t(m.Variant)][size_t(m.Level)];
    ++r.Played;
    if (m.End == MatchEnd::Won) {
        ++r.Won;
        ++r.CurrentStreak;
        r.BestStreak = std::max(r.BestStreak, r.CurrentStreak);
    } else {
        ++r.Lost;
        if (m.End == MatchEnd::Abandoned) ++r.Abandoned;
        r.CurrentStreak = 0;
    }
    if (m.End != MatchEnd::Abandoned) {
        // Totals are points left in hand, never below zero; the file holds to that.
        const int32_t total = std::max(m.FinalTotal, 0);
        ++r.Finished;
        r.SumOfTotals += total;
        r.BestTotal = r.BestTotal < 0 ? total : std::min(r.BestTotal, total);
    }
    r.Deals += std::max(m.Deals, 0);
    r.Hints += std::max(m.Hints, 0);

    if (m.Id.Chain != 0) {
        std::erase_if(s.LastCounted, [&m](const MatchId& c) { return c.Chain == m.Id.Chain; });
        s.LastCounted.push_back(m.Id);
        if (s.LastCounted.size() > kCountedMarkers)
            s.LastCounted.erase(s.LastCounted.begin(),
                                s.LastCounted.end() - std::ptrdiff_t(kCountedMarkers));
    }
    return true;
}

std::string FormatStatistics(const Statistics& s) {
    std::string text =
        "# Tarrabel's results: game.level=played won lost abandoned current_streak best_streak "
        "finished best_total sum_of_totals deals hints\n";
    for (size_t v = 0; v < size_t(kVariantCount); ++v) {
        for (size_t l = 0; l < size_t(kLevelCount); ++l) {
            const GameRecord& r = s.Records[v][l];
            if (IsAllZero(r)) continue;
            std::string line =
                std::string(kVariantKeys[v]) + "." + std::string(kLevelKeys[l]) + "=";
            for (const int64_t n :
                 {int64_t(r.Played), int64_t(r.Won), int64_t(r.Lost), int64_t(r.Abandoned),
                  int64_t(r.CurrentStreak), int64_t(r.BestStreak), int64_t(r.Finished),
                  int64_t(r.BestTotal), r.SumOfTotals, r.Deals, r.Hints})
                AddRecordField(&line, n);
            text += line + "\n";
        }
    }
    for (const MatchId& id : s.LastCounted) {
        char chain[17];
        std::snprintf(chain, sizeof chain, "%016" PRIx64, id.Chain);
        text += std::string(kCountedKey) + chain + " " + std::to_string(id.Index) + "\n";
    }
    // Without this line a file cut short would read as a good one with fewer results.
    text += std::string(kEndLine) + "\n";
    return text;
}

bool ParseStatistics(std::string_view text, Statistics* out) {
    Statistics s;
    std::array<std::array<bool, kLevelCount>, kVariantCount> seen{};
    bool ended = false;
    while (!text.empty()) {
        const size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (ended) {
            if (!line.empty()) return false;
            continue;
        }
        if (line.empty() || line.front() == '#') continue;
        if (line == kEndLine) {
            ended = true;
            continue;
        }
        if (line.starts_with(kCountedKey)) {
            MatchId id;
            if (!ParseMarker(line.substr(kCountedKey.size()), &id)) return false;
            if (s.LastCounted.size() == kCountedMarkers) return false;
            for (const MatchId& c : s.LastCounted)
                if (c.Chain == id.Chain) return false;
            s.LastCounted.push_back(id);
            continue;
        }
        const size_t equals = line.find('=');
        const size_t dot = line.find('.');
        if (equals == std::string_view::npos || dot == std::string_view::npos || dot > equals)
            return false;
        const std::string_view variant = line.substr(0, dot);
        const std::string_view level = line.substr(dot + 1, equals - dot - 1);
        const auto v = std::find(kVariantKeys.begin(), kVariantKeys.end(), variant);
        const auto l = std::find(kLevelKeys.begin(), kLevelKeys.end(), level);
        if (v == kVariantKeys.end() || l == kLevelKeys.end()) return false;
        const size_t vi = size_t(v - kVariantKeys.begin()), li = size_t(l - kLevelKeys.begin());
        if (seen[vi][li]) return false;
        seen[vi][li] = true;
        if (!ParseRecord(line.substr(equals + 1), &s.Records[vi][li])) return false;
    }
    if (!ended) return false;
    *out = std::move(s);
    return true;
}

std::string StatisticsTable(const Statistics& s) {
    using Row = std::array<std::string, 11>;
    const Row heading = {"Game",        "Played",     "Won",           "Lost",  "Win %", "Streak",
                         "Best streak", "Best total", "Average total", "Deals", "Hints"};
    struct Block {
        AiLevel Level;
        std::vector<Row> Rows;
    };
    std::vector<Block> blocks;
    for (const AiLevel level : kLevelsEasiestFirst) {
        bool played = false;
        for (size_t v = 0; v < size_t(kVariantCount); ++v)
            played |= s.Of(GameVariant(v), level).Played > 0;
        if (!played) continue;
        Block block{level, {heading}};
        for (size_t v = 0; v < size_t(kVariantCount); ++v) {
            const GameRecord& r = s.Of(GameVariant(v), level);
            Row row;
            row.fill("-");
            row[0] = std::string(kVariantNames[v]);
            if (r.Played > 0) {
                row[1] = std::to_string(r.Played);
                row[2] = std::to_string(r.Won);
                row[3] = std::to_string(r.Lost);
                row[4] = WinPercent(r);
                row[5] = std::to_string(r.CurrentStreak);
                row[6] = std::to_string(r.BestStreak);
                // Only abandoned matches: no final total to show.
                if (r.Finished > 0) {
                    row[7] = std::to_string(r.BestTotal);
                    row[8] = OneDecimal(AverageTotal(r));
                }
                row[9] = std::to_string(r.Deals);
                row[10] = std::to_string(r.Hints);
            }
            block.Rows.push_back(row);
        }
        blocks.push_back(std::move(block));
    }
    if (blocks.empty()) return "No matches played yet.\n";

    // One set of widths for every block, so that the blocks line up under each other.
    std::array<size_t, 11> widths{};
    for (const Block& block : blocks)
        for (const Row& row : block.Rows)
            for (size_t c = 0; c < row.size(); ++c)
                widths[c] = std::max(widths[c], row[c].size());
    std::string text;
    for (const Block& block : blocks) {
        if (!text.empty()) text += '\n';
        text += std::string(AiLevelName(block.Level)) + " players\n";
        for (const Row& row : block.Rows) {
            // The game's name to the left, the numbers to the right of their columns.
            text += row[0] + std::string(widths[0] - row[0].size(), ' ');
            for (size_t c = 1; c < row.size(); ++c)
                text += "  " + std::string(widths[c] - row[c].size(), ' ') + row[c];
            text += '\n';
        }
    }
    return text;
}

Statistics LoadStatistics(const std::filesystem::path& folder) {
    std::string text;
    Statistics s;
    if (ReadFileOrBackup(folder / kStatisticsFileName, &text, [](const std::string& contents) {
            Statistics scratch;
            return ParseStatistics(contents, &scratch);
        }) != ReadFrom::Nothing)
        ParseStatistics(text, &s);
    return s;
}

bool RecordMatch(const std::filesystem::path& folder, const MatchOutcome& m, std::string* error) {
    // Without the lock (a folder where it cannot be made) the game still counts the match:
    // two games ending a match in the same moment are rare, a lost result is not.
    const FolderLock lock(folder, "statistics");
    Statistics s = LoadStatistics(folder);
    if (!CountMatch(s, m)) return true;
    return WriteFileWhole(folder / kStatisticsFileName, FormatStatistics(s), error);
}

bool ResetStatistics(const std::filesystem::path& folder, std::string* error) {
    const FolderLock lock(folder, "statistics");
    Statistics s = LoadStatistics(folder);
    s.Records = {};
    return WriteFileWhole(folder / kStatisticsFileName, FormatStatistics(s), error);
}

}  // namespace tarrabel

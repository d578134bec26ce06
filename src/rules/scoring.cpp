#include "rules/scoring.h"

namespace tarrabel {

int16_t CardPoints(const Game& g, const CardRecord& card) {
    return CardPoints(g.Options.Variant, g.RankOf(card), g.SuitOf(card));
}

void ScoreDeal(Game& g) {
    for (int seat = 0; seat < kSeats; ++seat) {
        int16_t points = 0;
        for (int s = 0; s < kHandSlots; ++s)
            if (g.Hands[seat][s].Shown) points += CardPoints(g, g.Hands[seat][s]);
        g.HandPoints[seat] = points;
    }

    // A history row is written only while there is room; HistoryFull makes the next deal
    // start a fresh page.
    const int row = g.DealNumber < kHistoryRows ? g.DealNumber : kHistoryRows - 1;
    for (int seat = 0; seat < kSeats; ++seat) {
        g.DealHistory[seat][row] = g.HandPoints[seat];
        g.MatchTotal[seat] += g.HandPoints[seat];
    }
    if (g.DealNumber < kHistoryRows) ++g.DealNumber;
    g.ResultText = "";
    if (g.DealNumber > 9) g.HistoryFull = true;

    const int16_t target = g.Options.TargetScore;
    if (!g.Rules.Eliminates) {
        bool over = false;
        for (int seat = 0; seat < kSeats; ++seat)
            over |= g.MatchTotal[seat] > target;
        if (!over) {
            g.PlaySound(SoundId::Intro);
        } else {
            g.NewMatch = true;
            bool humanHighest = false;
            for (int seat = 1; seat < kSeats; ++seat)
                humanHighest |= g.MatchTotal[kHuman] > g.MatchTotal[seat];
            // The human wins only with the lowest total, ties included.
            if (humanHighest) {
                g.ResultText = "We lost!";
                g.PlaySound(SoundId::LoseGame);
            } else {
                g.ResultText = "We Won!";
                g.PlaySound(SoundId::WinGame);
            }
        }
    } else if (g.MatchTotal[kHuman] > target) {
        g.NewMatch = true;
        g.ResultText = "We lost!";
        g.PlaySound(SoundId::LoseGame);
    } else {
        for (int seat = 3; seat >= 1; --seat)
            if (g.MatchTotal[seat] > target) g.Players[seat].Eliminated = true;
        int remaining = 0;
        for (int seat = 0; seat < kSeats; ++seat)
            remaining += g.Players[seat].Eliminated ? 0 : 1;
        if (remaining == 1) {
            g.NewMatch = true;
            g.ResultText = "We Won!";
            g.PlaySound(SoundId::WinGame);
        } else {
            g.PlaySound(SoundId::Intro);
        }
    }

    TraceEvent ev{TraceKind::End};
    g.Trace(ev);
}

}  // namespace tarrabel

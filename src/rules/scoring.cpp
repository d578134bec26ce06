#include "rules/scoring.h"

namespace tarrabel {

namespace {

// Huit Americain has a table of its own: court cards 10, the Ace and the Two 15 (the 2 of
// spades 25), the joker 50 and every other rank 5.
// clang-format off
//                                       -   A   2  3  4  5  6  7  8  9  10 J   Q   K   -  joker
constexpr int16_t kHuitPoints[16] = {    0, 15, 15, 5, 5, 5, 5, 5, 5, 5, 5, 10, 10, 10, 0, 50};
// Pis Yedili: the Ace, 7, 10 and Jack are the dear cards.
constexpr int16_t kPisYediliPoints[16] = {0, 20,  2, 3, 4, 5, 6, 20, 8, 9, 20, 20, 10, 10, 0, 0};
// clang-format on

}  // namespace

int16_t CardPoints(GameVariant variant, int16_t rank, int32_t suit) {
    if (rank < 0 || rank > kJoker) return 0;
    switch (variant) {
        case GameVariant::HuitAmericain:
            return (rank == 2 && suit == kSpades) ? 25 : kHuitPoints[rank];
        case GameVariant::PisYedili:
            return kPisYediliPoints[rank];
        default: {
            // Tarrabel and the two Agonias: face value, court cards 10, and the wild card
            // (the 8 of Tarrabel, the Ace of Agonia) dear.
            const int16_t wild = kVariantSettings[int(variant)].WildRank;
            if (rank == kJoker) return 0;
            if (rank == wild) return variant == GameVariant::Tarrabel ? 50 : 20;
            return rank >= 10 ? 10 : rank;
        }
    }
}

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
    const int row = g.HandNumber < kHistoryRows ? g.HandNumber : kHistoryRows - 1;
    for (int seat = 0; seat < kSeats; ++seat) {
        g.HandHistory[seat][row] = g.HandPoints[seat];
        g.MatchTotal[seat] += g.HandPoints[seat];
    }
    if (g.HandNumber < kHistoryRows) ++g.HandNumber;
    g.ResultText = "";
    if (g.HandNumber > 9) g.HistoryFull = true;

    const int16_t target = g.Options.TargetScore;
    if (!g.Is(GameVariant::PisYedili)) {
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

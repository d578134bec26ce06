// The standard computer player: whether he can play, the one-ply score of each card in his
// hand and the suit he names. Written over a "table" (see core/table_view.h), so that the
// real game and the expert's imagined deals are played by exactly the same choices.
#pragma once

#include <array>
#include <cstdint>

#include "core/matching.h"
#include "core/score_context.h"
#include "rules/scoring.h"

namespace tarrabel {

template <class Table>
bool StandardHasPlayable(const Table& t, int seat) {
    const int16_t own = t.Count(seat);
    const int16_t topRank = t.TopRank();
    const int32_t follow = t.Follow();
    for (int s = 0; s < t.SlotEnd(seat); ++s) {
        const int c = t.Card(seat, s);
        if (c >= 0 && ComputerMayPlay(t, seat, c, topRank, follow, own)) return true;
    }
    return false;
}

// The suit 0 to 3 with the largest tally; ties and an empty tally go to the lower suit.
inline int LongestSuit(const std::array<int16_t, 5>& tally) {
    int best = 0, choice = 0;
    for (int s = 0; s < 4; ++s) {
        if (tally[s] > best) {
            best = tally[s];
            choice = s;
        }
    }
    return choice;
}

using SlotScores = std::array<float, kHandSlots>;

template <class Table>
ScoreContext ReadScoreContext(const Table& t, int seat) {
    ScoreContext x;
    x.Variant = t.Variant();
    x.TopRank = t.TopRank();
    x.TopSuit = t.TopSuit();
    x.Follow = t.Follow();
    const int next = t.After(seat);
    x.NextCount = t.Count(next);
    x.SecondCount = t.Count(t.After(next));
    x.ThirdCount = t.Count(t.After(t.After(next)));
    x.OwnCount = t.Count(seat);
    x.NextNamed = t.NamedSuit(next);
    return x;
}

// Whether a card scores as one that may be played; the others score -1000.
inline bool ScoresAsPlayable(const ScoreContext& x, int16_t rank, int32_t suit) {
    const VariantSettings& v = kVariantSettings[int(x.Variant)];
    // Neither the suit nor the rank of the top card, nor wild, nor a joker.
    if (!FollowsSuit(suit, x.Follow) && rank != x.TopRank && rank != v.WildRank && rank != kJoker)
        return false;
    // A wild card on a wild card where the game forbids it ...
    if (rank == v.WildRank && x.TopRank == v.WildRank && v.WildOnWildRule == WildOnWild::Never)
        return false;
    // ... or allows it only in the suit to follow.
    if (rank == v.WildRank && x.TopRank == v.WildRank && v.WildOnWildRule == WildOnWild::InSuit &&
        !FollowsSuit(suit, x.Follow))
        return false;
    return true;
}

// The score of a playable card except for the two parts that depend on the rest of the
// hand: the square of its suit's tally and the wild card's bonus (WildBonus).
// A rank setting of -1 never equals a real rank, so absent powers never score.
inline float OpenScore(const ScoreContext& x, int16_t rank, int32_t suit) {
    const VariantSettings& v = kVariantSettings[int(x.Variant)];
    const bool redEleven = IsRedSuit(suit) && rank == v.TakeElevenRank;
    float score = 0;
    // Follows the top card by rank or suit: 1000; a wild card or a joker: 900 instead.
    if (rank == x.TopRank || FollowsSuit(suit, x.Follow)) score = 1000;
    if (rank == v.WildRank || rank == kJoker) score = 900;
    // High-scoring cards go first: their points are added.
    score += CardPoints(x.Variant, rank, suit);
    // Powers worth keeping for later: a wild card -300, a chain card -10, a red Jack -100.
    if (rank == v.WildRank) score -= 300;
    if (rank == v.DrawTwoChainRank) score -= 10;
    if (rank == v.DrawThreeChainRank) score -= 10;
    if (redEleven) score -= 100;
    // A reverse when the player before him (third along) is down to his last card hands
    // that player the turn: -200, and -600 more in the suit the next player named.
    if (x.ThirdCount < 2 && rank == v.ReverseRank) {
        score -= 200;
        if (x.NextNamed == suit) score -= 600;
    }
    // The next player is down to his last card: attack him.
    if (x.NextCount < 2) {
        if (rank == v.DrawTwoChainRank) score += 300;
        if (rank == v.DrawThreeChainRank) score += 300;
        if (rank == v.TakeTwoRank || rank == v.TakeFiveRank) score += 500;
        if (rank == v.SkipRank) score += 350;
        if (rank == v.ReverseRank) score += 250;
    }
    // The player after next is down to his last card: a skip or a penalty on the next
    // player would hand him the turn.
    if (x.SecondCount < 2) {
        if (rank == v.SkipRank) score -= 450;
        if (rank == v.TakeTwoRank || rank == v.TakeFiveRank) score -= 150;
    }
    // With more than seven cards a red Jack is kept back for a black one: -500.
    if (x.OwnCount > 7 && redEleven) score -= 500;
    return score;
}

// The wild card's bonus: a wild card when the next player is down to his last card and
// named the top card's suit himself (+500), +700 when the player's long suit is another.
inline float WildBonus(const ScoreContext& x, int16_t rank, int longSuit) {
    if (x.NextCount < 2 && x.NextNamed == x.TopSuit &&
        rank == kVariantSettings[int(x.Variant)].WildRank)
        return longSuit != x.NextNamed ? 700.f : 500.f;
    return 0.f;
}

// Whether a card counts toward its suit's tally (wild cards and jokers do not).
inline bool CountsInTally(const VariantSettings& v, int16_t rank) {
    return rank != v.WildRank && rank != kJoker;
}

// A card's whole score, given the tally of the hand it is in and that hand's long suit.
inline float CardScore(const ScoreContext& x, int16_t rank, int32_t suit,
                       const std::array<int16_t, 5>& tally, int longSuit) {
    if (!ScoresAsPlayable(x, rank, suit)) return -1000.f;
    return OpenScore(x, rank, suit) + float(tally[suit] * tally[suit]) +
           WildBonus(x, rank, longSuit);
}

// The score of every card in `seat`'s hand; empty slots keep whatever `scores` held.
template <class Table>
void StandardCardScores(const Table& t, int seat, SlotScores& scores) {
    const ScoreContext x = ReadScoreContext(t, seat);
    const int end = t.SlotEnd(seat);

    std::array<int16_t, 5> tally{};
    for (int s = 0; s < end; ++s) {
        const int c = t.Card(seat, s);
        if (c >= 0 && CountsInTally(t.Rules(), t.RankOf(c))) ++tally[t.SuitOf(c)];
    }
    const int longSuit = LongestSuit(tally);

    for (int s = 0; s < end; ++s) {
        const int c = t.Card(seat, s);
        if (c < 0) continue;
        scores[s] = CardScore(x, t.RankOf(c), t.SuitOf(c), tally, longSuit);
    }

    // An open penalty he can answer: the answering cards score 1000, every other -1000.
    const CardPower forced = OpenPenaltyAgainst(t, seat);
    if (forced.CanBeAnswered()) {
        for (int s = 0; s < end; ++s) {
            const int c = t.Card(seat, s);
            if (c < 0) continue;
            const bool answers = Answers(forced, t.RankOf(c), t.SuitOf(c));
            scores[s] = answers ? 1000.f : -1000.f;
        }
    }
}

// The slot with the highest score above zero, ties to the lower slot; -1 when none.
template <class Table>
int BestScoredSlot(const Table& t, int seat, const SlotScores& scores) {
    float best = 0;
    int choice = -1;
    for (int s = 0; s < t.SlotEnd(seat); ++s) {
        if (t.Card(seat, s) >= 0 && scores[s] > best) {
            best = scores[s];
            choice = s;
        }
    }
    return choice;
}

// The slot the standard player plays: the best score, or, should no card score above zero,
// the first card he may play, so that no turn launches a card that is not in the hand.
template <class Table>
int StandardCardChoice(const Table& t, int seat) {
    SlotScores scores{};
    StandardCardScores(t, seat, scores);
    const int best = BestScoredSlot(t, seat, scores);
    if (best >= 0) return best;
    const int16_t topRank = t.TopRank();
    const int32_t follow = t.Follow();
    for (int s = 0; s < t.SlotEnd(seat); ++s) {
        const int c = t.Card(seat, s);
        if (c >= 0 && ComputerMayPlay(t, seat, c, topRank, follow, 0)) return s;
    }
    for (int s = 0; s < t.SlotEnd(seat); ++s)
        if (t.Card(seat, s) >= 0) return s;
    return 0;
}

// The standard choice made for the person's seat: the best-scored card among those the
// person may play, or the first of them should none score above zero; -1 when none.
template <class Table>
int StandardPersonChoice(const Table& t) {
    SlotScores scores{};
    StandardCardScores(t, kHuman, scores);
    float best = 0;
    int choice = -1, first = -1;
    for (int s = 0; s < t.SlotEnd(kHuman); ++s) {
        const int c = t.Card(kHuman, s);
        if (c < 0 || !PersonMayPlay(t, c)) continue;
        if (first < 0) first = s;
        if (scores[s] > best) {
            best = scores[s];
            choice = s;
        }
    }
    return choice >= 0 ? choice : first;
}

// The suit the standard player names: the one he holds most of (every card counted under
// its own suit), unless the next player is down to his last card and named that very suit
// himself; then another one, drawn by `randomSuit()` (0 to 3) until it differs.
template <class Table, class RandomSuit>
int StandardSuitChoice(const Table& t, int seat, RandomSuit&& randomSuit) {
    std::array<int16_t, 5> tally{};
    for (int s = 0; s < t.SlotEnd(seat); ++s) {
        const int c = t.Card(seat, s);
        if (c >= 0) ++tally[t.SuitOf(c)];
    }
    int suit = LongestSuit(tally);
    const int next = t.After(seat);
    const int32_t nextNamed = t.NamedSuit(next);
    if (t.Count(seat) >= 2 && t.Count(next) < 2 && nextNamed == suit) {
        do
            suit = randomSuit();
        while (suit == nextNamed);
    }
    return suit;
}

}  // namespace tarrabel

#include "ai/computer_player.h"

#include "core/hand_queries.h"
#include "core/turns.h"
#include "rules/play.h"
#include "rules/scoring.h"

namespace tarrabel {

namespace {

// The matching rule as a computer player sees it, for one card.
bool PlayableNow(const Game& g, const CardRecord& c, int16_t topRank, int32_t follow,
                 int16_t ownCount) {
    const int16_t rank = g.RankOf(c);
    const int32_t suit = g.SuitOf(c);
    const VariantSettings& v = g.Rules;
    if (!(FollowsSuit(suit, follow) || rank == topRank || rank == v.WildRank || rank == kJoker))
        return false;
    // A Jack goes on a Jack in Pis Yedili only in the suit to follow.
    if (rank == v.WildRank && g.Is(GameVariant::PisYedili) && topRank == v.WildRank &&
        !FollowsSuit(suit, follow))
        return false;
    // Never a wild Ace on a wild Ace in Illustrated Agonia.
    if (rank == v.WildRank && g.Is(GameVariant::IllustratedAgonia) && topRank == v.WildRank)
        return false;
    // A computer player holding seven or more cards keeps its red Jacks back.
    if (IsRedSuit(suit) && rank == v.TakeElevenRank && g.CurrentPlayer != kHuman && ownCount >= 7)
        return false;
    return true;
}

int LongestSuit(const std::array<int16_t, 5>& tally) {
    int best = 0, choice = 0;
    for (int s = 0; s < 4; ++s) {
        if (tally[s] > best) {
            best = tally[s];
            choice = s;
        }
    }
    return choice;
}

}  // namespace

bool HasPlayableCard(const Game& g) {
    const auto& hand = g.Hands[g.CurrentPlayer];
    const int16_t own = CountCardsInHand(g, g.CurrentPlayer);
    const int16_t topRank = g.TopRank();
    const int32_t follow = SuitToFollow(g);
    for (int s = 0; s < kHandSlots; ++s)
        if (hand[s].Shown && PlayableNow(g, hand[s], topRank, follow, own)) return true;
    return false;
}

int16_t ChooseCardToPlay(const Game& g) {
    const VariantSettings& v = g.Rules;
    const int cur = g.CurrentPlayer;
    const int16_t topRank = g.TopRank();
    const int32_t topSuit = g.PileCount > 0 ? g.SuitOf(g.Pile[g.PileCount - 1]) : kClubs;
    const int32_t follow = SuitToFollow(g);

    std::array<CardRecord, kHandRecords> hand = g.Hands[cur];  // scores go into the copy

    std::array<int16_t, 5> tally{};
    for (int s = 0; s < kHandSlots; ++s) {
        if (!hand[s].Shown) continue;
        const int16_t rank = g.RankOf(hand[s]);
        if (rank != v.WildRank && rank != kJoker) ++tally[g.SuitOf(hand[s])];
    }
    const int longSuit = LongestSuit(tally);

    const int next = PlayerAfter(g, cur);
    const int16_t nextCount = CountCardsInHand(g, next);
    const int16_t secondCount = CountCardsInHand(g, PlayerAfter(g, next));
    const int16_t thirdCount = CountCardsInHand(g, PlayerAfter(g, PlayerAfter(g, next)));
    const int16_t ownCount = CountCardsInHand(g, cur);
    const int32_t nextNamed = g.Players[next].LastNamedSuit;

    // A rank setting of -1 never equals a real rank, so absent powers never score.
    for (int s = 0; s < kHandSlots; ++s) {
        CardRecord& c = hand[s];
        if (!c.Shown) continue;
        const int16_t rank = g.RankOf(c);
        const int32_t suit = g.SuitOf(c);
        const bool redEleven = IsRedSuit(suit) && rank == v.TakeElevenRank;
        float& score = c.AiScore;
        if (rank == topRank || FollowsSuit(suit, follow)) score = 1000;  // a
        if (rank == v.WildRank || rank == kJoker) score = 900;           // b
        score += CardPoints(g, c);                                       // c
        score += float(tally[suit] * tally[suit]);                       // d
        if (rank == v.WildRank) score -= 300;                            // e
        if (rank == v.DrawTwoChainRank) score -= 10;                     // f
        if (rank == v.DrawThreeChainRank) score -= 10;                   // g
        if (redEleven) score -= 100;                                     // h
        if (thirdCount < 2 && rank == v.ReverseRank) {                   // i
            score -= 200;
            if (nextNamed == suit) score -= 600;
        }
        if (nextCount < 2) {  // j
            if (rank == v.DrawTwoChainRank) score += 300;
            if (rank == v.DrawThreeChainRank) score += 300;
            if (rank == v.TakeTwoRank || rank == v.TakeFiveRank) score += 500;
            if (rank == v.SkipRank) score += 350;
            if (rank == v.ReverseRank) score += 250;
        }
        if (nextCount < 2 && nextNamed == topSuit && rank == v.WildRank)  // k
            score += longSuit != nextNamed ? 700 : 500;
        if (secondCount < 2) {  // l
            if (rank == v.SkipRank) score -= 450;
            if (rank == v.TakeTwoRank || rank == v.TakeFiveRank) score -= 150;
        }
        if (ownCount > 7 && redEleven) score -= 500;  // m
    }

    for (int s = 0; s < kHandSlots; ++s) {
        CardRecord& c = hand[s];
        if (!c.Shown) continue;
        const int16_t rank = g.RankOf(c);
        const int32_t suit = g.SuitOf(c);
        if (!FollowsSuit(suit, follow) && rank != topRank && rank != v.WildRank && rank != kJoker)
            c.AiScore = -1000;  // n
        if (rank == v.WildRank && g.Is(GameVariant::IllustratedAgonia) && topRank == v.WildRank)
            c.AiScore = -1000;  // o
        if (rank == v.WildRank && g.Is(GameVariant::PisYedili) && topRank == v.WildRank &&
            !FollowsSuit(suit, follow))
            c.AiScore = -1000;  // p
    }

    // Forced answers to an open penalty; a later one overrides an earlier one.
    auto force = [&](auto answers) {
        for (int s = 0; s < kHandSlots; ++s)
            if (hand[s].Shown) hand[s].AiScore = answers(hand[s]) ? 1000.f : -1000.f;
    };
    if (topRank == v.DrawTwoChainRank && HoldsDrawTwoChain(g, cur) && !g.PenaltyTaken)
        force([&](const CardRecord& c) { return g.RankOf(c) == v.DrawTwoChainRank; });  // q
    if (topRank == v.DrawThreeChainRank && HoldsDrawThreeChain(g, cur) && !g.PenaltyTaken)
        force([&](const CardRecord& c) { return g.RankOf(c) == v.DrawThreeChainRank; });  // r
    if (topRank == v.TakeElevenRank && IsBlackSuit(topSuit) && HoldsRedJack(g, cur) &&
        !g.PenaltyTaken)
        force([&](const CardRecord& c) {
            return g.RankOf(c) == v.TakeElevenRank && IsRedSuit(g.SuitOf(c));
        });  // s

    float best = 0;
    int choice = -1;
    for (int s = 0; s < kHandSlots; ++s) {
        if (hand[s].Shown && hand[s].AiScore > best) {
            best = hand[s].AiScore;
            choice = s;
        }
    }
    if (choice >= 0) return int16_t(choice);

    // Nothing scored above zero (the state machine asks only when a card is playable, so
    // this is a safety net): play the first card that may be played, so that no turn
    // ever launches a card that is not in the hand.
    for (int s = 0; s < kHandSlots; ++s)
        if (hand[s].Shown && PlayableNow(g, hand[s], topRank, follow, 0)) return int16_t(s);
    for (int s = 0; s < kHandSlots; ++s)
        if (hand[s].Shown) return int16_t(s);
    return 0;
}

int16_t ChooseSuit(Game& g) {
    const int cur = g.CurrentPlayer;
    std::array<int16_t, 5> tally{};
    for (int s = 0; s < kHandSlots; ++s)
        if (g.Hands[cur][s].Shown) ++tally[g.SuitOf(g.Hands[cur][s])];
    int suit = LongestSuit(tally);

    // If the next player is down to his last card and named this very suit himself, name
    // another one at random.
    const int next = PlayerAfter(g, cur);
    const int32_t nextNamed = g.Players[next].LastNamedSuit;
    if (CountCardsInHand(g, cur) >= 2 && CountCardsInHand(g, next) < 2 && nextNamed == suit) {
        do
            suit = g.RndBelow(4);
        while (suit == nextNamed);
    }
    g.Players[cur].LastNamedSuit = suit;
    g.ChosenSuit = suit;
    return int16_t(suit);
}

}  // namespace tarrabel

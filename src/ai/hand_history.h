// Whether a hand imagined for a player agrees with everything he did in this deal.
//
// His events are walked back from the hand imagined now: a card he played goes back into
// the hand, a card he received comes out of it again. So at each of his choices the walk
// holds the hand he held then, and checks it: a standard computer player's free choice
// scored highest in it, his named suit was its longest, a draw or pass for want came from
// a hand holding none of the cards that would have followed.
//
// Which card came in with a draw nobody saw. The walk asks `pickReceived` which of the
// cards in the hand at that point it was: the expert picks one at random (a hand is only
// kept when its walk agrees with everything), a test that knows the truth picks the card
// really drawn.
#pragma once

#include <array>
#include <cstdint>

#include "ai/deal_model.h"
#include "ai/standard_player.h"
#include "core/table_memory.h"

namespace tarrabel {

// `pickReceived(hand, n, cannotBe)` answers the index in hand[0..n) of the card that came
// in, one not in `cannotBe`, or -1 when none can have. When the hand does not fit,
// `culprit` (if given) is the card whose presence broke a choice, or -1.
template <class PickReceived>
bool FitsHistory(const HandMemory& m, const ImaginedDeal& d, const int16_t* cards, int count,
                 PickReceived&& pickReceived, int* culprit = nullptr) {
    auto broken = [&](int card) {
        if (culprit) *culprit = card;
        return false;
    };
    const VariantSettings& v = d.Settings;
    std::array<int16_t, kCardTableSize> hand{};
    int n = 0;
    std::array<int16_t, 5> tally{}, suits{};  // for scoring; every card by its suit
    auto add = [&](int card) {
        if (n == kCardTableSize) return;
        hand[n++] = int16_t(card);
        if (CountsInTally(v, d.RankOf(card))) ++tally[d.SuitOf(card)];
        ++suits[d.SuitOf(card)];
    };
    for (int i = 0; i < count; ++i)
        add(cards[i]);

    for (int i = m.EventCount - 1; i >= 0; --i) {
        const HandEvent& e = m.Events[i];
        switch (e.What) {
            case HandEvent::Kind::Received: {
                const int at = n > 0 ? pickReceived(hand.data(), n, e.Cards) : -1;
                if (at < 0) return broken(-1);
                const int card = hand[at];
                hand[at] = hand[--n];
                if (CountsInTally(v, d.RankOf(card))) --tally[d.SuitOf(card)];
                --suits[d.SuitOf(card)];
                break;
            }
            case HandEvent::Kind::HeldNone:
                for (int j = 0; j < n; ++j)
                    if (e.Cards.Has(hand[j])) return broken(hand[j]);
                break;
            case HandEvent::Kind::Named: {
                const int longest = LongestSuit(suits);
                if (longest != e.Suit && longest != e.SuitOr) return broken(-1);
                break;
            }
            case HandEvent::Kind::Played: {
                add(e.Card);
                if (!e.Told) break;
                const int longSuit = LongestSuit(tally);
                const ScoreContext& x = e.At;
                const float played =
                    CardScore(x, d.RankOf(e.Card), d.SuitOf(e.Card), tally, longSuit);
                for (int j = 0; j < n; ++j)
                    if (CardScore(x, d.RankOf(hand[j]), d.SuitOf(hand[j]), tally, longSuit) >
                        played)
                        return broken(hand[j]);
                break;
            }
        }
    }
    return true;
}

}  // namespace tarrabel

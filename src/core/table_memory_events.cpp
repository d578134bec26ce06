// Keeping the table's memory from the events of a deal, as they happen.
#include "core/game.h"
#include "core/matching.h"
#include "core/table_view.h"

namespace tarrabel {

namespace {

// The cards `seat` would have counted as playable now, holding `ownCount` cards.
CardSet PlayableNow(const Game& g, int seat, int16_t ownCount) {
    const GameTable t(g);
    const int16_t topRank = g.TopRank();
    const int32_t follow = SuitToFollow(g);
    CardSet set;
    for (int card = 0; card < g.Rules.DeckSize; ++card)
        if (ComputerMayPlay(t, seat, card, topRank, follow, ownCount)) set.Add(card);
    return set;
}

}  // namespace

void RememberPublicEvent(Game& g, const TraceEvent& ev) {
    auto& hands = g.Memory.Hands;
    switch (ev.kind) {
        case TraceKind::Deal:
            for (HandMemory& h : hands)
                h.Clear();
            break;
        case TraceKind::Dealt:
            hands[ev.seat].Receive();
            break;
        case TraceKind::Draw:
            // Drawn without being asked to: he held nothing that would follow. (The hand
            // already holds the new card; the conclusion is about the ones before it.)
            if (ev.draw == DrawKind::Auto)
                hands[ev.seat].HoldsNoneOf(
                    PlayableNow(g, ev.seat, int16_t(g.HandCount[ev.seat] - 1)));
            hands[ev.seat].Receive();
            break;
        case TraceKind::DeckEmpty:
            if (g.State == GameState::DealOne)
                hands[ev.seat].HoldsNoneOf(PlayableNow(g, ev.seat, g.HandCount[ev.seat]));
            break;
        case TraceKind::Pass:
            // A computer player passes only when he cannot play; the person may pass by
            // choice once he has drawn.
            if (ev.seat != kHuman)
                hands[ev.seat].HoldsNoneOf(PlayableNow(g, ev.seat, g.HandCount[ev.seat]));
            break;
        case TraceKind::Play:
            hands[ev.seat].Played(ev.card);
            break;
        default:
            break;
    }
}

}  // namespace tarrabel

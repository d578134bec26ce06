#include "ai/knowledge.h"

#include <algorithm>

namespace tarrabel {

namespace {

uint64_t Mix(uint64_t h, uint64_t v) {
    h ^= v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
    return h * 0xFF51AFD7ED558CCDull;
}

}  // namespace

SeatKnowledge ReadKnowledge(const Game& g, int seat) {
    SeatKnowledge k;
    k.Seat = seat;
    ImaginedDeal& d = k.Seen;
    CopyTableState(g, d);

    std::array<bool, kCardTableSize> visible{};
    for (int s = 0; s < kHandSlots; ++s) {
        const CardRecord& c = g.Hands[seat][s];
        if (!c.Shown) continue;
        d.Give(seat, s, c.CardIndex);
        visible[c.CardIndex] = true;
    }
    for (int i = 0; i < g.PileCount; ++i) {
        d.Pile[i] = g.Pile[i].CardIndex;
        visible[g.Pile[i].CardIndex] = true;
    }
    d.PileCount = g.PileCount;
    for (int card = 0; card < g.Rules.DeckSize; ++card)
        if (!visible[card]) k.Unseen[k.UnseenCount++] = int16_t(card);

    for (int other = 0; other < kSeats; ++other)
        if (other != seat) k.HiddenCount[other] = g.HandCount[other];
    k.DeckCount = int16_t(std::max(0, g.Rules.DeckSize - g.DeckPos));
    d.DeckPos = int16_t(g.Rules.DeckSize - k.DeckCount);

    k.Memory = g.Memory;
    k.MatchTotal = g.MatchTotal;
    k.TargetScore = g.Options.TargetScore;

    uint64_t h = Mix(g.ExpertSeed, uint64_t(seat));
    h = Mix(h, uint64_t(g.DealsStarted));
    for (int s = 0; s < d.HandEnd[seat]; ++s)
        h = Mix(h, uint64_t(d.Hand[seat][s] + 1));
    for (int i = 0; i < d.PileCount; ++i)
        h = Mix(h, uint64_t(d.Pile[i]));
    for (int p = 0; p < kSeats; ++p)
        h = Mix(h, uint64_t(g.HandCount[p]) << 8 | uint64_t(d.LastNamed[p]));
    h = Mix(h, uint64_t(d.DeckPos) << 32 | uint64_t(d.Current) << 16 | uint64_t(d.ChosenSuit));
    h = Mix(h, uint64_t(d.PenaltyCards) << 8 | uint64_t(d.DrawCount) << 2 |
                   uint64_t(d.DrawDone) << 1 | uint64_t(d.PenaltyWasTaken));
    k.Digest = h;
    return k;
}

void ImagineDeal(const SeatKnowledge& k, ModelRandom& rng, ImaginedDeal& out) {
    out = k.Seen;
    out.Rng = ModelRandom(rng.NextBits());

    std::array<int16_t, kCardTableSize> pool = k.Unseen;
    const int n = k.UnseenCount;
    for (int i = n - 1; i > 0; --i)
        std::swap(pool[i], pool[rng.Below(i + 1)]);
    int taken = 0;

    // First the cards the memory restricts, each the first unseen card it allows (the pool
    // is shuffled, so that is a random one); then the hands' other cards.
    std::array<int16_t, kSeats> dealt{};
    for (int seat = 0; seat < kSeats; ++seat) {
        if (seat == k.Seat) continue;
        const HandMemory& mem = k.Memory.Hands[seat];
        const int restricted = std::min<int>(k.HiddenCount[seat], mem.Count);
        for (int i = 0; i < restricted && taken < n; ++i) {
            if (mem.CannotBe[i].Empty()) continue;
            int j = taken;
            while (j < n && mem.CannotBe[i].Has(pool[j]))
                ++j;
            if (j == n) j = taken;  // nothing fits: what he knows is mistaken, take any
            std::swap(pool[taken], pool[j]);
            out.Give(seat, dealt[seat]++, pool[taken++]);
        }
    }
    for (int seat = 0; seat < kSeats; ++seat) {
        if (seat == k.Seat) continue;
        while (dealt[seat] < k.HiddenCount[seat] && taken < n)
            out.Give(seat, dealt[seat]++, pool[taken++]);
    }
    // The rest is the deck. (Should the counts ever disagree, the deck is made shorter
    // rather than holding a card twice.)
    const int filled = std::min<int>(k.DeckCount, n - taken);
    out.DeckPos = int16_t(out.Settings.DeckSize - filled);
    for (int i = 0; i < filled; ++i)
        out.Deck[out.DeckPos + i] = pool[taken++];
}

}  // namespace tarrabel

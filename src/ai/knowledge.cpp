#include "ai/knowledge.h"

#include <algorithm>

#include "ai/standard_player.h"

namespace tarrabel {

namespace {

// How many times a hand is dealt before one that does not fit its player's choices is taken
// all the same. Walked back through the whole deal, a random hand rarely fits at once: in
// Illustrated Agonia it takes six attempts on average, and one hand in eight never fits.
constexpr int kDealAttempts = 24;

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

    for (int other = 0; other < kSeats; ++other) {
        if (other == seat) continue;
        k.HiddenCount[other] = g.HandCount[other];
        int n = 0;
        for (int s = 0; s < kHandSlots && n < k.HiddenCount[other]; ++s)
            if (g.Hands[other][s].Shown) k.HiddenSlot[other][n++] = int8_t(s);
        for (int s = 0; n < k.HiddenCount[other]; ++s)  // should the counts disagree
            k.HiddenSlot[other][n++] = int8_t(s);
    }
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

bool FitsHandHistory(const HandMemory& m, const ImaginedDeal& d, int seat) {
    const VariantSettings& v = d.Settings;
    std::array<int16_t, kHandSlots> hand;
    hand.fill(-1);
    int end = d.HandEnd[seat];
    for (int s = 0; s < end; ++s)
        hand[s] = d.Hand[seat][s];
    std::array<int16_t, 5> tally{}, suits{};  // for scoring; every card by its suit
    auto count = [&](int card, int by) {
        if (CountsInTally(v, d.RankOf(card))) tally[d.SuitOf(card)] += int16_t(by);
        suits[d.SuitOf(card)] += int16_t(by);
    };
    for (int s = 0; s < end; ++s)
        if (hand[s] >= 0) count(hand[s], 1);

    for (int i = m.EventCount - 1; i >= 0; --i) {
        const HandEvent& e = m.Events[i];
        const int slot = e.Slot;
        if (e.What == HandEvent::Kind::Named) {
            const int longest = LongestSuit(suits);
            if (longest != e.Suit && longest != e.SuitOr) return false;
            continue;
        }
        // A slot found in a state its event cannot have left it in: the record goes no
        // further back (it cannot happen at a real table; nothing is concluded from it).
        if (slot < 0 || slot >= kHandSlots) return true;
        if (e.What == HandEvent::Kind::Received) {
            if (hand[slot] < 0) return true;
            count(hand[slot], -1);
            hand[slot] = -1;
            continue;
        }
        if (hand[slot] >= 0) return true;
        hand[slot] = e.Play.Card;
        count(e.Play.Card, 1);
        end = std::max(end, slot + 1);
        if (!e.Play.Told) continue;
        // His choice: the highest score, the lower slot on a tie; with nothing above zero
        // the first card he might play, so then only that nothing scored above zero.
        const int longSuit = LongestSuit(tally);
        const ScoreContext& x = e.Play.At;
        const float played =
            CardScore(x, d.RankOf(e.Play.Card), d.SuitOf(e.Play.Card), tally, longSuit);
        for (int s = 0; s < end; ++s) {
            if (s == slot || hand[s] < 0) continue;
            const float other = CardScore(x, d.RankOf(hand[s]), d.SuitOf(hand[s]), tally, longSuit);
            if (played > 0 ? other > played || (other == played && s < slot) : other > 0)
                return false;
        }
    }
    return true;
}

int ImagineDeal(const SeatKnowledge& k, SplitMix64& rng, ImaginedDeal& out) {
    int attempts = 1;
    out = k.Seen;
    out.Rng = SplitMix64(rng.NextBits());

    std::array<int16_t, kCardTableSize> pool = k.Unseen;
    const int n = k.UnseenCount;
    auto shuffleFrom = [&](int first) {
        for (int i = n - 1; i > first; --i)
            std::swap(pool[i], pool[first + rng.Below(i - first + 1)]);
    };
    shuffleFrom(0);
    int taken = 0;

    // Each other hand in turn: first the cards the memory restricts, each the first unseen
    // card it allows (the pool is shuffled, so that is a random one), then the others, each
    // into the slot its back lies in. A hand that does not fit the player's choices this
    // deal is dealt again, up to kDealAttempts times.
    for (int seat = 0; seat < kSeats; ++seat) {
        if (seat == k.Seat || k.HiddenCount[seat] == 0) continue;
        const HandMemory& mem = k.Memory.Hands[seat];
        const int want = k.HiddenCount[seat];
        const bool checks = mem.Count == want && mem.EventCount > 0;
        const auto& slots = k.HiddenSlot[seat];
        const int first = taken;
        for (int attempt = 0; attempt < kDealAttempts; ++attempt) {
            if (attempt > 0) {
                ++attempts;
                taken = first;
                shuffleFrom(first);
                for (int s = 0; s < out.HandEnd[seat]; ++s)
                    out.Hand[seat][s] = -1;
                out.HandCount[seat] = out.HandEnd[seat] = 0;
            }
            int dealt = 0;
            const int restricted = std::min<int>(want, mem.Count);
            for (int i = 0; i < restricted && taken < n; ++i) {
                if (mem.CannotBe[i].Empty()) continue;
                int j = taken;
                while (j < n && mem.CannotBe[i].Has(pool[j]))
                    ++j;
                if (j == n) j = taken;  // nothing fits: what he knows is mistaken, take any
                std::swap(pool[taken], pool[j]);
                out.Give(seat, slots[dealt++], pool[taken++]);
            }
            while (dealt < want && taken < n)
                out.Give(seat, slots[dealt++], pool[taken++]);
            if (!checks || FitsHandHistory(mem, out, seat)) break;
        }
    }
    // The rest is the deck. (Should the counts ever disagree, the deck is made shorter
    // rather than holding a card twice.)
    const int filled = std::min<int>(k.DeckCount, n - taken);
    out.DeckPos = int16_t(out.Settings.DeckSize - filled);
    for (int i = 0; i < filled; ++i)
        out.Deck[out.DeckPos + i] = pool[taken++];
    return attempts;
}

}  // namespace tarrabel

#include "ai/expert_player.h"

#include <algorithm>
#include <cmath>

#include "ai/deal_model.h"
#include "ai/knowledge.h"
#include "ai/standard_player.h"
#include "core/matching.h"
#include "core/table_view.h"

namespace tarrabel {

namespace {

constexpr int kMaxCandidates = kHandSlots;

// What an imagined ending is worth to `k.Seat`: mostly his chance of winning the match
// (the lowest total when somebody passes the target), estimated from the totals it leaves,
// plus a little for every point he leaves to the others rather than keeps himself, so
// that he still plays well when the match is far from decided either way.
double MatchValue(const SeatKnowledge& k, const std::array<int16_t, kSeats>& points) {
    const int me = k.Seat;
    const double target = k.TargetScore;
    const double scale = target / 6.0;
    std::array<double, kSeats> total{};
    for (int p = 0; p < kSeats; ++p)
        total[p] = double(k.MatchTotal[p]) + points[p];

    // The others still in the match, and how many points the deal cost them.
    std::array<bool, kSeats> rival{};
    double rivalsPoints = 0;
    int rivals = 0;
    for (int p = 0; p < kSeats; ++p) {
        if (p == me || k.Seen.Eliminated[p]) continue;
        rival[p] = true;
        rivalsPoints += points[p];
        ++rivals;
    }
    const double margin = rivals > 0 ? (rivalsPoints / rivals - points[me]) / target : 0.0;

    double win = 1.0;
    if (k.Seen.Which == GameVariant::PisYedili) {
        // Whoever passes the target is out; the person passing it ends the match.
        if (total[me] > target) return 0.05 * margin;
        const bool personOut = me != kHuman && total[kHuman] > target;
        for (int p = 0; p < kSeats; ++p) {
            if (!rival[p]) continue;
            if (total[p] > target && p != kHuman) continue;  // eliminated: beaten
            if (personOut && p == kHuman) continue;
            if (personOut)
                win *= total[me] < total[p] ? 1.0 : total[me] == total[p] ? 0.5 : 0.0;
            else
                win *= 1.0 / (1.0 + std::exp((total[me] - total[p]) / scale));
        }
    } else {
        bool over = false;
        for (int p = 0; p < kSeats; ++p)
            over |= total[p] > target;
        for (int p = 0; p < kSeats; ++p) {
            if (!rival[p]) continue;
            if (over)
                win *= total[me] < total[p] ? 1.0 : total[me] == total[p] ? 0.5 : 0.0;
            else
                win *= 1.0 / (1.0 + std::exp((total[me] - total[p]) / scale));
        }
    }
    return win + 0.05 * margin;
}

// Imagines deals from what the seat knows and scores each candidate move in every one of
// them (the same deals for every candidate, so that they are compared fairly). `apply`
// makes candidate i's move in an imagined deal. Returns the index of the best candidate;
// `preferred` wins ties.
template <class Apply>
int BestCandidate(const SeatKnowledge& k, int count, int preferred, const ExpertEffort& effort,
                  Apply&& apply) {
    const int deals =
        std::clamp(effort.PlayoutBudget / std::max(count, 1), effort.MinDeals, effort.MaxDeals);
    std::array<double, kMaxCandidates> value{};
    ModelRandom rng(k.Digest);
    ImaginedDeal world;
    for (int w = 0; w < deals; ++w) {
        ImagineDeal(k, rng, world);
        for (int i = 0; i < count; ++i) {
            ImaginedDeal d = world;
            apply(d, i);
            d.PlayOut(effort.MaxSteps);
            value[i] += MatchValue(k, d.HandPoints());
        }
    }
    int best = preferred;
    for (int i = 0; i < count; ++i)
        if (value[i] > value[best] + 1e-9) best = i;
    return best;
}

}  // namespace

bool ExpertHasPlayableCard(const Game& g) {
    const GameTable t(g);
    const int seat = g.CurrentPlayer;
    const int16_t topRank = t.TopRank();
    const int32_t follow = t.Follow();
    const VariantSettings& v = g.Rules;
    int redJackSlot = -1;
    for (int s = 0; s < kHandSlots; ++s) {
        const int c = t.Card(seat, s);
        if (c < 0 || !ComputerMayPlay(t, seat, c, topRank, follow, 0)) continue;
        if (t.RankOf(c) == v.TakeElevenRank && IsRedSuit(t.SuitOf(c))) {
            if (redJackSlot < 0) redJackSlot = s;
        } else {
            return true;
        }
    }
    if (redJackSlot < 0) return false;
    if (t.Count(seat) < 7) return true;

    // Only red Jacks would follow, and he holds seven cards or more: the standard player
    // keeps them back and draws. The expert plays one if that does better.
    const SeatKnowledge k = ReadKnowledge(g, seat);
    const int best = BestCandidate(k, 2, 1, kExpertEffort, [&](ImaginedDeal& d, int i) {
        if (i == 0)
            d.PlayCard(redJackSlot);
        else
            d.DrawInstead();
    });
    return best == 0;
}

int16_t ExpertChooseCard(const Game& g, const std::array<bool, kHandSlots>* allowed,
                         const ExpertEffort& effort) {
    const GameTable t(g);
    const int seat = g.CurrentPlayer;
    const int16_t topRank = t.TopRank();
    const int32_t follow = t.Follow();
    const ForcedAnswer forced = OpenPenaltyAnswer(t, seat);
    const int standard = StandardCardChoice(t, seat);

    // The cards he may play; of two cards alike (two packs) only the first.
    std::array<int, kMaxCandidates> slot{};
    int count = 0, preferred = 0;
    for (int s = 0; s < kHandSlots; ++s) {
        const int c = t.Card(seat, s);
        if (c < 0 || (allowed && !(*allowed)[s])) continue;
        const bool may = forced.rank != kNoRank ? t.RankOf(c) == forced.rank &&
                                                      (!forced.redOnly || IsRedSuit(t.SuitOf(c)))
                                                : ComputerMayPlay(t, seat, c, topRank, follow, 0);
        if (!may) continue;
        bool twin = false;
        for (int i = 0; i < count && !twin; ++i) {
            const int o = t.Card(seat, slot[i]);
            twin = t.RankOf(o) == t.RankOf(c) && t.SuitOf(o) == t.SuitOf(c);
        }
        if (twin && s != standard) continue;
        if (s == standard) preferred = count;
        slot[count++] = s;
    }
    if (count == 0) return int16_t(standard);
    if (count == 1) return int16_t(slot[0]);

    const SeatKnowledge k = ReadKnowledge(g, seat);
    const int best = BestCandidate(k, count, preferred, effort,
                                   [&](ImaginedDeal& d, int i) { d.PlayCard(slot[i]); });
    return int16_t(slot[best]);
}

int ExpertChooseSuit(const Game& g, const ExpertEffort& effort) {
    const int seat = g.CurrentPlayer;
    // The standard choice breaks ties; its random pick (when the next player named the
    // longest suit himself) is replaced by the next suit round, which needs no generator.
    int round = 0;
    const int preferred = StandardSuitChoice(GameTable(g), seat, [&] { return round++ % 4; });
    const SeatKnowledge k = ReadKnowledge(g, seat);
    return BestCandidate(k, 4, preferred, effort,
                         [&](ImaginedDeal& d, int suit) { d.NameSuit(suit); });
}

}  // namespace tarrabel

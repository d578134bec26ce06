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

// How much a lead in the totals is worth. Between two players, the one with the lower
// total wins the match with the chance 1 / (1 + e^(-lead / scale)), the scale being the
// target score divided by the figure below. Fitted (greatest likelihood) to where 2,000
// matches of standard players a game ended, from the totals after each deal: in the games
// whose deals cost many points for their target a lead is worth less.
// clang-format off
//                                                         Tarrabel  Huit  Agonia  Illustrated  Pis Yedili
constexpr std::array<double, kVariantCount> kLeadScaleDivisor{3.5,   5.0,   3.5,      2.0,        2.5};
// clang-format on

// What an imagined ending is worth to `k.Seat`: mostly his chance of winning the match
// (the lowest total when somebody passes the target), estimated from the totals it leaves,
// plus a little for every point he leaves to the others rather than keeps himself, so
// that he still plays well when the match is far from decided either way.
double MatchValue(const SeatKnowledge& k, const std::array<int16_t, kSeats>& points) {
    const int me = k.Seat;
    const double target = k.TargetScore;
    const double scale = target / kLeadScaleDivisor[int(k.Seen.Which)];
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
    if (k.Seen.Settings.Eliminates) {
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

// Runs part(0) and part(1) on two cores when there is a second one, else one after the
// other; `parts` 1 runs part(0) alone.
template <class Part>
void RunParts(SecondCore* core, int parts, Part& part) {
    if (parts == 2 && core) {
        core->RunPair([](void* context, int p) { (*static_cast<Part*>(context))(p); }, &part);
        return;
    }
    for (int p = 0; p < parts; ++p)
        part(p);
}

uint64_t PartSeed(uint64_t digest, int part) {
    return part == 0 ? digest : (digest ^ 0xA0761D6478BD642Full) * 0xE7037ED1A0B428DBull;
}

// Imagines deals from what the seat knows and plays each candidate move out in every one
// of them: the same deals for every candidate, so that each is compared with the standard
// player's move (`preferred`) deal by deal. Candidates clearly worse than the standard
// move drop out as the evidence comes in, so that the thinking goes to the close calls;
// the thinking ends when a step budget is spent. The expert leaves the standard move only
// for one that did clearly better. `apply` makes candidate i's move in an imagined deal.
//
// The deals are imagined in rounds, each round shared between the parts of the work (one
// a core), every part with its own generator seeded from what he knows. The parts' sums
// are added in a fixed order after each round, so the decision is the same however the
// parts were run.
template <class Apply>
int BestCandidate(const SeatKnowledge& k, int count, int preferred, const ExpertEffort& effort,
                  SecondCore* core, Apply&& apply) {
    std::array<bool, kMaxCandidates> alive{};
    std::array<double, kMaxCandidates> sum{}, sumSquares{};  // of the gain over `preferred`
    int aliveCount = count;
    for (int i = 0; i < count; ++i)
        alive[i] = true;
    auto mean = [&](int i, int n) { return sum[i] / n; };
    auto spread = [&](int i, int n) {  // the standard error of the mean gain
        const double m = sum[i] / n;
        return std::sqrt(std::max(0.0, sumSquares[i] / n - m * m) / n);
    };

    struct Share {
        SplitMix64 rng;
        ImaginedDeal world;
        std::array<double, kMaxCandidates> sum{}, sumSquares{};
        long steps = 0;
        int deals = 0;
    };
    const int parts = std::clamp(effort.Parts, 1, 2);
    const int perRound = parts == 1 ? 1 : std::max(1, effort.DealsPerRound);
    std::array<Share, 2> share;
    for (int p = 0; p < parts; ++p)
        share[p].rng = SplitMix64(PartSeed(k.Digest, p));
    auto round = [&](int p) {
        Share& w = share[p];
        w.sum.fill(0);
        w.sumSquares.fill(0);
        w.steps = 0;
        w.deals = 0;
        for (int r = 0; r < perRound; ++r) {
            const int dealings = ImagineDeal(k, w.rng, w.world);
            w.steps += effort.DealingCost + long(dealings - 1) * effort.RedealCost;
            auto value = [&](int i) {
                ImaginedDeal d = w.world;
                apply(d, i);
                w.steps += d.PlayOut(effort.MaxSteps);
                return MatchValue(k, d.HandPoints());
            };
            const double base = value(preferred);
            for (int i = 0; i < count; ++i) {
                if (!alive[i] || i == preferred) continue;
                const double gain = value(i) - base;
                w.sum[i] += gain;
                w.sumSquares[i] += gain * gain;
            }
            ++w.deals;
        }
    };

    int deals = 0;
    long steps = 0;
    const long budget = effort.StepBudget[int(k.Seen.Which)] * parts;
    const int dealsPerRound = perRound * parts;
    // A round is begun only while the budget left can pay for it at the average cost so
    // far, so that a long last round does not overrun the time of the decision.
    auto affordable = [&] {
        const long perPlayout = deals > 0 ? steps / (long(deals) * aliveCount) : 0;
        return steps + (perPlayout * aliveCount + effort.DealingCost) * dealsPerRound <= budget;
    };
    while (aliveCount > 1 && deals < effort.MaxDeals * parts && affordable()) {
        RunParts(core, parts, round);
        for (int p = 0; p < parts; ++p) {
            for (int i = 0; i < count; ++i) {
                sum[i] += share[p].sum[i];
                sumSquares[i] += share[p].sumSquares[i];
            }
            steps += share[p].steps;
            deals += share[p].deals;
        }
        if (deals < effort.MinDeals) continue;
        for (int i = 0; i < count; ++i) {
            if (alive[i] && i != preferred &&
                mean(i, deals) + effort.DropAt * spread(i, deals) < 0) {
                alive[i] = false;
                --aliveCount;
            }
        }
    }
    int best = preferred;
    double bestGain = 0;
    for (int i = 0; i < count && deals > 0; ++i) {
        if (!alive[i] || i == preferred) continue;
        const double sure = mean(i, deals) - effort.Doubt[int(k.Seen.Which)] * spread(i, deals);
        if (sure > 0 && mean(i, deals) > bestGain) {
            bestGain = mean(i, deals);
            best = i;
        }
    }
    return best;
}

// The cards he may play at this turn, of two cards alike (two packs) only one; the
// standard player's choice among them is `preferred`.
struct Candidates {
    std::array<int, kMaxCandidates> slot{};
    int count = 0;
    int preferred = 0;
    int standard = 0;  // the standard player's slot
};

Candidates FindCandidates(const Game& g, const std::array<bool, kHandSlots>* allowed) {
    const GameTable t(g);
    const int seat = g.CurrentPlayer;
    const int16_t topRank = t.TopRank();
    const int32_t follow = t.Follow();
    const CardPower forced = OpenPenaltyAgainst(t, seat);
    const int standard = StandardCardChoice(t, seat);
    Candidates found;
    found.standard = standard;
    auto& slot = found.slot;
    int& count = found.count;
    int& preferred = found.preferred;
    for (int s = 0; s < kHandSlots; ++s) {
        const int c = t.Card(seat, s);
        if (c < 0 || (allowed && !(*allowed)[s])) continue;
        const bool may = forced.CanBeAnswered() ? Answers(forced, t.RankOf(c), t.SuitOf(c))
                                                : ComputerMayPlay(t, seat, c, topRank, follow, 0);
        if (!may) continue;
        bool twin = false;
        for (int i = 0; i < count && !twin; ++i) {
            const int o = t.Card(seat, slot[i]);
            twin = t.RankOf(o) == t.RankOf(c) && t.SuitOf(o) == t.SuitOf(c);
        }
        if (twin && s != standard) continue;
        slot[count++] = s;
    }
    for (int i = 0; i < count; ++i)
        if (slot[i] == standard) preferred = i;
    return found;
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
    const int best =
        BestCandidate(k, 2, 1, kExpertEffort, g.io.Thinking, [&](ImaginedDeal& d, int i) {
            if (i == 0)
                d.PlayCard(redJackSlot);
            else
                d.DrawInstead();
        });
    return best == 0;
}

int ExpertCandidateCount(const Game& g, const std::array<bool, kHandSlots>* allowed) {
    return FindCandidates(g, allowed).count;
}

int16_t ExpertChooseCard(const Game& g, const std::array<bool, kHandSlots>* allowed,
                         const ExpertEffort& effort) {
    const Candidates c = FindCandidates(g, allowed);
    const auto& slot = c.slot;
    const int count = c.count;
    const int seat = g.CurrentPlayer;
    if (count == 0) return int16_t(c.standard);
    if (count == 1) return int16_t(slot[0]);

    const SeatKnowledge k = ReadKnowledge(g, seat);
    const int best = BestCandidate(k, count, c.preferred, effort, g.io.Thinking,
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
    return BestCandidate(k, 4, preferred, effort, g.io.Thinking,
                         [&](ImaginedDeal& d, int suit) { d.NameSuit(suit); });
}

}  // namespace tarrabel

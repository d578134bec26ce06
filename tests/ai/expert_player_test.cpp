// The expert computer player knows only what a person in his seat could know, and his
// conclusions about the hands he cannot see are never wrong.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "ai/computer_player.h"
#include "ai/deal_model.h"
#include "ai/expert_player.h"
#include "ai/knowledge.h"
#include "ai/thinking_thread.h"
#include "core/turns.h"
#include "session/frame.h"
#include "session/game_init.h"
#include "simulate/human_policy.h"
#include "simulate/simulator.h"
#include "support/table_fixture.h"

namespace tarrabel {
namespace {

// The hidden cards of a seat's view: every other hand and the undrawn deck, dealt out
// again at random into the same places, so that everything public stays as it was.
void ShuffleHiddenCards(Game& g, int seat, SeededRandom& rng) {
    std::vector<int16_t*> places;
    for (int other = 0; other < kSeats; ++other) {
        if (other == seat) continue;
        for (CardRecord& c : g.Hands[other])
            if (c.Shown) places.push_back(&c.CardIndex);
    }
    for (int p = g.DeckPos; p < g.Rules.DeckSize; ++p)
        places.push_back(&g.DeckOrder[p]);
    std::vector<int16_t> cards;
    for (int16_t* p : places)
        cards.push_back(*p);
    for (size_t i = cards.size(); i > 1; --i)
        std::swap(cards[i - 1], cards[rng.IntBelow(int(i))]);
    for (size_t i = 0; i < places.size(); ++i)
        *places[i] = cards[i];
    for (int p = g.DeckPos; p < g.Rules.DeckSize; ++p)
        g.Deck[p].CardIndex = g.DeckOrder[p];
}

// Plays deals with standard players and calls `visit` with a copy of the game at every
// moment a computer player is about to choose a card (CurrentPlayer already his) or a
// suit. The copy's seat is made an expert.
template <class Visit>
void ForEachDecision(GameVariant variant, uint64_t seed, int decisions, Visit visit) {
    VirtualClock clock;
    SeededRandom rng(seed);
    NullSound sound;
    auto game = std::make_unique<Game>();
    Game& g = *game;
    GameInit(g, DefaultOptions(variant), Services{&clock, &rng, &sound, nullptr});
    sim::HumanPolicy person(seed + 9);
    auto probe = std::make_unique<Game>();
    for (int seen = 0, frame = 0; seen < decisions && frame < 3'000'000; ++frame) {
        const bool turn =
            g.State == GameState::NormalPlay && !g.WaitingForHuman && !AnyCardMoving(g);
        const bool suit = g.State == GameState::ChoosingSuit && !g.BannerStep && !g.WaitingForHuman;
        if (turn || suit) {
            *probe = g;
            NextPlayer(*probe);
            if (probe->CurrentPlayer != kHuman) {
                probe->SeatLevel[probe->CurrentPlayer] = AiLevel::Expert;
                if (visit(*probe, suit)) ++seen;
            }
        }
        RunGameFrame(g, person.Decide(g));
        clock.Advance(16);
    }
}

class Expert : public ::testing::TestWithParam<GameVariant> {};

TEST_P(Expert, DecidesTheSameWhereverTheCardsHeCannotSeeLie) {
    // A light effort keeps the test quick; the knowledge read is the same at any effort.
    ExpertEffort effort;
    effort.StepBudget.fill(4'000);
    SeededRandom shuffler(11);
    int compared = 0, contested = 0;
    auto shuffled = std::make_unique<Game>();
    ForEachDecision(GetParam(), 21, 60, [&](const Game& g, bool suit) {
        const int seat = g.CurrentPlayer;
        if (!suit && !HasPlayableCard(g)) return false;
        const int before =
            suit ? ExpertChooseSuit(g, effort) : ExpertChooseCard(g, nullptr, effort);
        const SeatKnowledge known = ReadKnowledge(g, seat);
        const bool redJackCall = ExpertHasPlayableCard(g);
        for (int round = 0; round < 3; ++round) {
            *shuffled = g;
            ShuffleHiddenCards(*shuffled, seat, shuffler);
            const int after = suit ? ExpertChooseSuit(*shuffled, effort)
                                   : ExpertChooseCard(*shuffled, nullptr, effort);
            EXPECT_EQ(before, after) << test::NameOf(GetParam()) << (suit ? " suit" : " card")
                                     << " decision " << compared;
            EXPECT_EQ(redJackCall, ExpertHasPlayableCard(*shuffled));
            // And beneath the decision: he knows the same and imagines the same deals.
            const SeatKnowledge again = ReadKnowledge(*shuffled, seat);
            EXPECT_EQ(known.Digest, again.Digest);
            EXPECT_TRUE(known.Unseen == again.Unseen && known.HiddenCount == again.HiddenCount &&
                        known.DeckCount == again.DeckCount);
            for (int p = 0; p < kSeats; ++p) {
                const HandMemory &m1 = known.Memory.Hands[p], &m2 = again.Memory.Hands[p];
                EXPECT_EQ(m1.Count, m2.Count);
                for (int e = 0; e < m1.Count; ++e)
                    EXPECT_TRUE(m1.CannotBe[e].bits == m2.CannotBe[e].bits)
                        << "seat " << p << " entry " << e;
            }
            SplitMix64 a(3), b(3);
            ImaginedDeal one, two;
            for (int w = 0; w < 4; ++w) {
                ImagineDeal(known, a, one);
                ImagineDeal(again, b, two);
                EXPECT_TRUE(one.Hand == two.Hand && one.Deck == two.Deck &&
                            one.DeckPos == two.DeckPos)
                    << "imagined deal " << w << " differs";
            }
        }
        ++compared;
        contested += suit || ExpertCandidateCount(g, nullptr) > 1;
        return true;
    });
    EXPECT_EQ(compared, 60);
    EXPECT_GT(contested, 10);  // real choices were compared, not only forced ones
}

// Every conclusion the table's memory draws about a hand holds for the hand as it really
// is: its cards can be matched one to one with the memory's entries, each entry allowing
// its card, and the hand could have made the player's remembered choices.
TEST_P(Expert, MemoryNeverConcludesWhatIsFalse) {
    int hands = 0, restricted = 0, walked = 0;
    ForEachDecision(GetParam(), 5, 400, [&](const Game& g, bool) {
        const ImaginedDeal truth = ImagineFromTable(g);
        for (int seat = 0; seat < kSeats; ++seat) {
            const HandMemory& m = g.Memory.Hands[seat];
            std::vector<int16_t> cards;
            for (const CardRecord& c : g.Hands[seat])
                if (c.Shown) cards.push_back(c.CardIndex);
            EXPECT_EQ(m.Count, int(cards.size())) << "seat " << seat;
            if (m.Count != int(cards.size())) continue;
            // Match entries to cards (augmenting paths).
            std::vector<int> entryOf(cards.size(), -1);
            std::function<bool(int, std::vector<bool>&)> place = [&](int e,
                                                                     std::vector<bool>& used) {
                for (size_t c = 0; c < cards.size(); ++c) {
                    if (used[c] || m.CannotBe[e].Has(cards[c])) continue;
                    used[c] = true;
                    if (entryOf[c] < 0 || place(entryOf[c], used)) {
                        entryOf[c] = e;
                        return true;
                    }
                }
                return false;
            };
            for (int e = 0; e < m.Count; ++e) {
                std::vector<bool> used(cards.size());
                EXPECT_TRUE(place(e, used)) << "seat " << seat << ": entry " << e
                                            << " allows none of the cards left for it";
                restricted += !m.CannotBe[e].Empty();
            }
            EXPECT_TRUE(FitsHandHistory(m, truth, seat))
                << "seat " << seat << " could not have made his remembered choices";
            walked += m.EventCount > 0;
            ++hands;
        }
        return true;
    });
    EXPECT_EQ(hands, 4 * 400);
    EXPECT_GT(restricted, 100);  // the memory did conclude something
    EXPECT_GT(walked, 1000);     // and kept the hands' histories
}

// Thinking on two cores changes how soon he decides, never what: the two parts of the work
// are seeded from what he knows and added up in a fixed order. The same position gives
// the same decision a hundred times over, and the same as on one core.
TEST_P(Expert, DecidesTheSameOnTwoCoresEveryTime) {
    ExpertEffort effort;
    effort.StepBudget.fill(4'000);
    struct CountingCore final : SecondCore {
        ThinkingThread thread;
        int pairs = 0;
        void RunPair(void (*work)(void*, int), void* context) override {
            ++pairs;
            thread.RunPair(work, context);
        }
    } secondCore;
    auto probe = std::make_unique<Game>();
    int positions = 0;
    ForEachDecision(GetParam(), 33, 400, [&](const Game& g, bool suit) {
        if (positions == 6) return false;
        if (!suit && (!HasPlayableCard(g) || ExpertCandidateCount(g, nullptr) < 2)) return false;
        *probe = g;
        auto decide = [&] {
            return suit ? ExpertChooseSuit(*probe, effort)
                        : ExpertChooseCard(*probe, nullptr, effort);
        };
        probe->io.Thinking = nullptr;
        const int alone = decide();
        probe->io.Thinking = &secondCore;
        int same = 0;
        for (int time = 0; time < 100; ++time)
            same += decide() == alone;
        EXPECT_EQ(same, 100) << "position " << positions;
        ++positions;
        return true;
    });
    EXPECT_EQ(positions, 6);
    EXPECT_GT(secondCore.pairs, 600) << "the second core was hardly used";
}

INSTANTIATE_TEST_SUITE_P(Variants, Expert, ::testing::ValuesIn(test::kAllVariants),
                         [](const auto& info) { return test::NameOf(info.param); });

}  // namespace
}  // namespace tarrabel

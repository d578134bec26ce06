// The expert's imagined deals follow the table's rules: from a turn of a real deal, the
// model, given every hidden card as it really lies, plays out exactly the cards, suits and
// draws the real table plays with standard players everywhere (the person's seat played
// through its clicks), and charges the same points.
#include <gtest/gtest.h>

#include <vector>

#include "ai/deal_model.h"
#include "core/turns.h"
#include "session/frame.h"
#include "session/game_init.h"
#include "simulate/choice_policy.h"
#include "simulate/simulator.h"
#include "support/table_fixture.h"

namespace tarrabel {
namespace {

struct Recorder final : TraceSink {
    std::vector<ImaginedDeal::Event> events;
    void Event(const Game&, const TraceEvent& ev) override {
        if (ev.Kind == TraceKind::Play) events.push_back({int16_t(ev.Seat), int16_t(ev.Card)});
        if (ev.Kind == TraceKind::Suit) events.push_back({int16_t(ev.Seat), int16_t(-1 - ev.Suit)});
        if (ev.Kind == TraceKind::Rebuild) events.push_back({-1, -200});
        if (ev.Kind == TraceKind::Draw)
            events.push_back({int16_t(ev.Seat), int16_t(-300 - int(ev.Draw))});
    }
};

struct Tally {
    int compared = 0;    // moves compared
    int wholeDeals = 0;  // deals compared to the end, points included
};

// Plays `deals` deals with standard players everywhere; in each, from the turn after
// `skip` moves, compares the model's play-out with the real one.
Tally CompareDeals(GameVariant variant, uint64_t seed, int deals, int skip) {
    VirtualClock clock;
    SeededRandom rng(seed);
    NullSound sound;
    Recorder rec;
    Services io{&clock, &rng, &sound, &rec};
    auto game = std::make_unique<Game>();
    Game& g = *game;
    GameInit(g, DefaultOptions(variant), io);
    sim::ChoicePolicy person(AiLevel::Standard, seed + 1);

    Tally tally;
    for (int deal = 0; deal < deals; ++deal) {
        // The score page of the last deal: a click deals the next one.
        for (int frame = 0; frame < 10 && g.State == GameState::DealScored; ++frame) {
            RunGameFrame(g, person.Decide(g));
            clock.Advance(16);
        }
        rec.events.clear();
        std::array<ImaginedDeal::Event, 512> log{};
        ImaginedDeal model;
        size_t from = 0;
        bool taken = false;
        for (int frame = 0; frame < 2'000'000 && g.State != GameState::DealScored; ++frame) {
            if (!taken && g.State == GameState::NormalPlay && !g.WaitingForHuman &&
                !AnyCardMoving(g) && int(rec.events.size()) >= skip) {
                taken = true;
                from = rec.events.size();
                model = ImagineFromTable(g);
                model.Log = &log;
                model.PlayOut(100'000);
            }
            RunGameFrame(g, person.Decide(g));
            clock.Advance(16);
        }
        EXPECT_EQ(g.State, GameState::DealScored) << "deal " << deal << " did not end";
        if (!taken) continue;
        bool cut = false;
        size_t i = 0;
        for (; i < size_t(model.LogCount) && from + i < rec.events.size(); ++i) {
            const auto m = log[i], r = rec.events[from + i];
            // Rebuilt decks and suits drawn at random come from different generators.
            if (m.What == -200 || r.What == -200 || m.What == -100) {
                cut = true;
                break;
            }
            EXPECT_TRUE(m.Seat == r.Seat && m.What == r.What)
                << VariantName(variant) << " seed " << seed << " deal " << deal << " move " << i
                << ": model (" << m.Seat << ", " << m.What << "), table (" << r.Seat << ", "
                << r.What << ")";
            if (m.Seat != r.Seat || m.What != r.What) return tally;
            ++tally.compared;
        }
        if (cut) continue;
        EXPECT_EQ(from + i, rec.events.size()) << "the model's deal ended early, deal " << deal;
        EXPECT_EQ(model.Phase, ModelPhase::Over);
        const auto points = model.HandPoints();
        for (int seat = 0; seat < kSeats; ++seat)
            EXPECT_EQ(points[seat], g.HandPoints[seat]) << "seat " << seat << " deal " << deal;
        ++tally.wholeDeals;
    }
    return tally;
}

class DealModel : public ::testing::TestWithParam<GameVariant> {};

TEST_P(DealModel, PlaysOutExactlyWhatTheTablePlays) {
    Tally total;
    for (int skip : {0, 3, 9}) {
        const Tally t = CompareDeals(GetParam(), 40 + uint64_t(skip), 200, skip);
        total.compared += t.compared;
        total.wholeDeals += t.wholeDeals;
    }
    // The comparison must have covered real ground, not just a few first moves.
    EXPECT_GT(total.compared, 2000);
    EXPECT_GT(total.wholeDeals, 30);
}

INSTANTIATE_TEST_SUITE_P(Variants, DealModel, ::testing::ValuesIn(test::kAllVariants),
                         [](const auto& info) { return test::NameOf(info.param); });

}  // namespace
}  // namespace tarrabel

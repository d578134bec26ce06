// The simulator: whole deals through the real logic with the card check after every frame,
// the stuck-deal detector, the JSON trace it writes, and its check of the person's hand.
#include "simulate/simulator.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "session/trace_writer.h"
#include "simulate/human_policy.h"
#include "support/table_driver.h"
#include "support/trace_lines.h"

namespace tarrabel::test {
namespace {

// Runs deals with the trace written to a file, as the command line tool does.
std::vector<std::string> TraceOf(GameVariant v, int deals, uint64_t seed, bool* ok = nullptr,
                                 bool showHands = true,
                                 sim::Seat0Player seat0 = sim::Seat0Player::Clicks) {
    TempFile file("tarrabel_trace_" + std::to_string(int(v)) + "_" + std::to_string(seed));
    std::FILE* f = std::fopen(file.path.c_str(), "w");
    EXPECT_NE(f, nullptr);
    if (!f) return {};
    JsonTraceWriter writer(f);
    sim::SimConfig config;
    config.variant = v;
    config.deals = deals;
    config.seed = seed;
    config.showHands = showHands;
    config.seat0 = seat0;
    config.trace = &writer;
    const sim::SimResult r = sim::RunSimulation(config);
    std::fclose(f);
    EXPECT_TRUE(r.ok) << r.error;
    if (ok) *ok = r.ok;
    return file.Lines();
}

struct TraceCase {
    GameVariant variant;
    int deals;
    uint64_t seed;
    int deckSize;  // cards in the deck each deal writes out
};

class TraceFormat : public ::testing::TestWithParam<TraceCase> {};

TEST_P(TraceFormat, EveryLineIsOneObjectWithTheKeysOfItsEvent) {
    const TraceCase& c = GetParam();
    const std::vector<std::string> lines = TraceOf(c.variant, c.deals, c.seed);
    ASSERT_FALSE(lines.empty());
    const int deckSize = c.deckSize;
    int deals = 0, ends = 0;
    std::map<std::string, int> seen;
    for (size_t n = 0; n < lines.size(); ++n) {
        SCOPED_TRACE("line " + std::to_string(n + 1) + ": " + lines[n]);
        JsonObject o;
        ASSERT_TRUE(JsonReader(lines[n]).ReadObject(o)) << "not one JSON object";
        const JsonValue* ev = Field(o, "ev");
        ASSERT_TRUE(ev && ev->kind == JsonValue::String);
        const auto want = kEventKeys.find(ev->text);
        ASSERT_NE(want, kEventKeys.end()) << "unknown event " << ev->text;
        EXPECT_EQ(Keys(o), want->second);
        ++seen[ev->text];
        if (ev->text == "deal") {
            ++deals;
            EXPECT_EQ(Field(o, "deal")->number, deals) << "deals count from 1";
            EXPECT_EQ(Field(o, "variant")->number, int(c.variant));
            const JsonValue* deck = Field(o, "deck");
            ASSERT_EQ(deck->kind, JsonValue::Array);
            ASSERT_EQ(int(deck->items.size()), deckSize);
            std::vector<int> count(deckSize, 0);
            for (const JsonValue& card : deck->items) {
                ASSERT_GE(card.number, 0);
                ASSERT_LT(card.number, deckSize);
                ++count[card.number];
            }
            for (int k = 0; k < deckSize; ++k)
                EXPECT_EQ(count[k], 1) << "card " << k;
            EXPECT_EQ(Field(o, "eliminated")->items.size(), 4u);
        } else if (ev->text == "end") {
            ++ends;
            EXPECT_EQ(Field(o, "points")->items.size(), 4u);
            EXPECT_EQ(Field(o, "totals")->items.size(), 4u);
        } else if (ev->text == "draw") {
            const std::string kind = Field(o, "kind")->text;
            EXPECT_TRUE(kind == "auto" || kind == "click" || kind == "penalty") << kind;
        }
        for (const auto& [key, value] : o) {
            if (key == "ev" || key == "result" || key == "kind") continue;
            if (key == "reversed") {
                EXPECT_EQ(value.kind, JsonValue::Bool);
            } else if (key == "deck" || key == "points" || key == "totals" || key == "eliminated") {
                EXPECT_EQ(value.kind, JsonValue::Array) << key;
            } else {
                EXPECT_EQ(value.kind, JsonValue::Number) << key;
            }
        }
    }
    EXPECT_EQ(deals, c.deals);
    EXPECT_EQ(ends, c.deals);
    for (const char* common : {"deal", "dealt", "play", "end"})
        EXPECT_GT(seen[common], 0) << common;
}

INSTANTIATE_TEST_SUITE_P(Games, TraceFormat,
                         ::testing::Values(TraceCase{GameVariant::Tarrabel, 3, 21, 52},
                                           TraceCase{GameVariant::HuitAmericain, 1, 5, 54},
                                           TraceCase{GameVariant::IllustratedAgonia, 1, 8, 104},
                                           TraceCase{GameVariant::PisYedili, 2, 3, 104}),
                         [](const auto& info) { return NameOf(info.param.variant); });

// ---- whole deals --------------------------------------------------------------------------

class Simulate : public ::testing::TestWithParam<GameVariant> {};

TEST_P(Simulate, PlaysDealsToTheEndWithEveryCardAccountedFor) {
    for (bool slow : {false, true}) {
        sim::SimConfig config;
        config.variant = GetParam();
        config.deals = 2;
        config.seed = 40 + int(GetParam());
        config.slow = slow;
        const sim::SimResult r = sim::RunSimulation(config);
        EXPECT_TRUE(r.ok) << r.error;
        EXPECT_EQ(r.deals, 2);
        EXPECT_GT(r.frames, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Games, Simulate, ::testing::ValuesIn(kAllVariants),
                         [](const auto& info) { return NameOf(info.param); });

TEST(Simulate, TheSameSeedReplaysTheSameGame) {
    const std::vector<std::string> a = TraceOf(GameVariant::Agonia, 1, 77);
    const std::vector<std::string> b = TraceOf(GameVariant::Agonia, 1, 77);
    const std::vector<std::string> c = TraceOf(GameVariant::Agonia, 1, 78);
    EXPECT_EQ(a, b);
    ASSERT_FALSE(c.empty());
    EXPECT_NE(a[0], c[0]) << "another seed shuffles another deck";
}

// Showing the hands when a deal ends changes nothing of the game: the same deals, event for
// event, with the option on and off. (The person's seat plays the standard player's cards:
// the clicking stand-in draws its own random numbers per click, and the hands shown take a
// click more.)
TEST_P(Simulate, ShowingTheHandsChangesNoEvent) {
    const uint64_t seed = 60 + uint64_t(GetParam());
    const auto standard = sim::Seat0Player::Standard;
    const std::vector<std::string> shown = TraceOf(GetParam(), 3, seed, nullptr, true, standard);
    const std::vector<std::string> hidden = TraceOf(GetParam(), 3, seed, nullptr, false, standard);
    ASSERT_GT(shown.size(), 100u);
    EXPECT_EQ(shown, hidden);
}

TEST(Simulate, ReportsADealThatDoesNotEnd) {
    sim::SimConfig config;
    config.variant = GameVariant::Tarrabel;
    config.seed = 9;
    config.maxFramesPerDeal = 50;  // far too few for a whole deal
    const sim::SimResult r = sim::RunSimulation(config);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("seed 9"), std::string::npos) << r.error;
    EXPECT_NE(r.error.find("has not ended"), std::string::npos) << r.error;
    EXPECT_NE(r.error.find("DEALING CARDS"), std::string::npos) << r.error;
}

// The simulator replays from the seed alone: the deck in its trace is the golden deck of
// seed 7 that tests/rules/golden_deal_test.cpp pins for the table.
TEST(Golden, TheSimulatorTraceShowsTheSameDeck) {
    char* text = nullptr;
    size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    ASSERT_NE(out, nullptr);
    JsonTraceWriter writer(out);
    sim::SimConfig config;
    config.variant = GameVariant::Tarrabel;
    config.seed = 7;
    config.trace = &writer;
    config.maxFramesPerDeal = 5;  // the first frames are enough
    sim::RunSimulation(config);
    std::fclose(out);
    const std::string trace(text, size);
    std::free(text);
    EXPECT_EQ(trace.rfind("{\"ev\":\"deal\",\"variant\":0,\"deal\":1,\"start\":1,", 0), 0u)
        << trace.substr(0, 200);
    EXPECT_NE(trace.find("\"deck\":[30,23,12,24,17,6,21,5,49,47,45,44,28,16,32,39,35,22,46,3,"
                         "50,2,19,14,31,48,10,9,33,27,43,34,18,13,29,11,25,20,41,40,51,1,36,0,"
                         "8,15,4,38,26,37,7,42]}\n"),
              std::string::npos);
}

// ---- the human's view of his hand ----------------------------------------------------------

// The human's turn on the Five of clubs with `hand` (clubs may all be played) from slot 0 on.
void HumansTurnWith(Table& t, const std::vector<int16_t>& hand) {
    t.ClearTable();
    t.SetPile({CardOf(5, kClubs)});
    for (int seat = 1; seat < kSeats; ++seat)
        t.GiveHand(seat, {Dead(2 * seat), Dead(2 * seat + 1)});
    for (int16_t card : hand)
        t.GiveHand(kHuman, {card});
    StartHumansTurn(t);
}

TEST(HandView, EveryLegalCardOfAFullHandCanBeClicked) {
    for (GameVariant v : {GameVariant::Tarrabel, GameVariant::HuitAmericain}) {
        Table t(v);
        std::vector<int16_t> hand;
        for (int s = 0; s < kHandSlots; ++s)
            hand.push_back(CardOf(s % 13 + 1, kClubs));  // repeats do not matter here
        HumansTurnWith(t, hand);
        EXPECT_EQ(sim::UnclickableLegalCard(t.g), -1) << NameOf(v);
    }
}

struct HiddenCase {
    const char* name;
    void (*hide)(Game&);  // does something to the card in slot 0
};

class HandView : public ::testing::TestWithParam<HiddenCase> {};

// The check that fails a simulation finds a legal card the player cannot click.
TEST_P(HandView, ALegalCardWithoutAPointToClickIsReported) {
    Table t;
    HumansTurnWith(t, {CardOf(6, kClubs), CardOf(7, kClubs), CardOf(9, kClubs)});
    ASSERT_EQ(sim::UnclickableLegalCard(t.g), -1);
    GetParam().hide(t.g);
    EXPECT_EQ(sim::UnclickableLegalCard(t.g), 0);
}

INSTANTIATE_TEST_SUITE_P(Faults, HandView,
                         ::testing::Values(
                             // Slot 1 is drawn over slot 0 and now covers all of it.
                             HiddenCase{"UnderTheNextCard",
                                        [](Game& g) {
                                            CardRecord& c = g.Hands[kHuman][0];
                                            c.X = c.HomeX = g.Hands[kHuman][1].HomeX;
                                        }},
                             // A picture that does not fit on the table is not drawn at all.
                             HiddenCase{"PastTheRightEdge",
                                        [](Game& g) {
                                            CardRecord& c = g.Hands[kHuman][0];
                                            c.X = c.HomeX =
                                                int16_t(g.Layout.TableWidth - c.SizeX + 1);
                                        }}),
                         [](const ::testing::TestParamInfo<HiddenCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace tarrabel::test

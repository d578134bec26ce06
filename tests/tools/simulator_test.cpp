// The simulator: whole deals through the real logic, the card check after every frame, the
// stuck-deal detector, and the JSON trace it writes.
#include "simulate/simulator.h"

#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "session/trace_writer.h"
#include "simulate/human_policy.h"
#include "support/table_driver.h"

namespace tarrabel::test {
namespace {

// ---- a small reader for the trace's flat JSON objects ----------------------------------------

struct JsonValue {
    enum Kind { Number, String, Bool, Array } kind = Number;
    long long number = 0;
    std::string text;
    bool flag = false;
    std::vector<JsonValue> items;
};

using JsonObject = std::vector<std::pair<std::string, JsonValue>>;

class JsonReader {
  public:
    explicit JsonReader(const std::string& s) : s_(s) {}

    // One object filling the whole line; false on anything else.
    bool ReadObject(JsonObject& out) {
        if (!Eat('{')) return false;
        if (Eat('}')) return AtEnd();
        do {
            std::string key;
            JsonValue v;
            if (!ReadString(key) || !Eat(':') || !ReadValue(v)) return false;
            out.emplace_back(key, v);
        } while (Eat(','));
        return Eat('}') && AtEnd();
    }

  private:
    bool AtEnd() const { return i_ == s_.size(); }
    bool Eat(char c) {
        if (i_ < s_.size() && s_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    bool ReadString(std::string& out) {
        if (!Eat('"')) return false;
        while (i_ < s_.size() && s_[i_] != '"') {
            if (s_[i_] == '\\' || static_cast<unsigned char>(s_[i_]) < 0x20) return false;
            out += s_[i_++];
        }
        return Eat('"');
    }
    bool ReadWord(const char* w) {
        const std::string word(w);
        if (s_.compare(i_, word.size(), word) != 0) return false;
        i_ += word.size();
        return true;
    }
    bool ReadValue(JsonValue& v) {
        if (i_ >= s_.size()) return false;
        const char c = s_[i_];
        if (c == '"') {
            v.kind = JsonValue::String;
            return ReadString(v.text);
        }
        if (c == 't' || c == 'f') {
            v.kind = JsonValue::Bool;
            v.flag = c == 't';
            return ReadWord(v.flag ? "true" : "false");
        }
        if (c == '[') {
            ++i_;
            v.kind = JsonValue::Array;
            if (Eat(']')) return true;
            do {
                JsonValue item;
                if (!ReadValue(item)) return false;
                v.items.push_back(item);
            } while (Eat(','));
            return Eat(']');
        }
        v.kind = JsonValue::Number;
        const size_t start = i_;
        if (s_[i_] == '-') ++i_;
        const size_t digits = i_;
        while (i_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[i_])))
            ++i_;
        if (i_ == digits) return false;
        v.number = std::stoll(s_.substr(start, i_ - start));
        return true;
    }

    const std::string& s_;
    size_t i_ = 0;
};

std::vector<std::string> Keys(const JsonObject& o) {
    std::vector<std::string> keys;
    for (const auto& kv : o)
        keys.push_back(kv.first);
    return keys;
}

const JsonValue* Field(const JsonObject& o, const std::string& key) {
    for (const auto& kv : o)
        if (kv.first == key) return &kv.second;
    return nullptr;
}

// The keys of every event, in the order the trace writer puts them.
const std::map<std::string, std::vector<std::string>> kEventKeys = {
    {"deal", {"ev", "variant", "deal", "start", "reversed", "eliminated", "deck"}},
    {"dealt", {"ev", "seat", "slot", "card"}},
    {"starter", {"ev", "card"}},
    {"starter_back", {"ev", "card", "pos"}},
    {"play", {"ev", "seat", "slot", "card"}},
    {"suit", {"ev", "seat", "suit"}},
    {"draw", {"ev", "seat", "slot", "card", "kind"}},
    {"deck_empty", {"ev", "seat"}},
    {"pass", {"ev", "seat"}},
    {"exchange", {"ev", "from", "to"}},
    {"rebuild", {"ev", "deck"}},
    {"end", {"ev", "points", "totals", "result", "eliminated"}},
};

// A file in the temporary folder that is removed again when the test is done.
struct TempFile {
    std::filesystem::path path;
    explicit TempFile(const std::string& name)
        : path(std::filesystem::temp_directory_path() /
               (name + "." + std::to_string(::getpid()) + ".jsonl")) {}
    ~TempFile() {
        std::error_code ec;
        std::filesystem::remove(path, ec);
    }
    std::vector<std::string> Lines() const {
        std::ifstream in(path);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
};

// Runs deals with the trace written to a file, as the command line tool does.
std::vector<std::string> TraceOf(GameVariant v, int deals, uint64_t seed, bool* ok = nullptr) {
    TempFile file("tarrabel_trace_" + std::to_string(int(v)) + "_" + std::to_string(seed));
    std::FILE* f = std::fopen(file.path.c_str(), "w");
    EXPECT_NE(f, nullptr);
    if (!f) return {};
    JsonTraceWriter writer(f);
    sim::SimConfig config;
    config.variant = v;
    config.deals = deals;
    config.seed = seed;
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

// Every kind of event, written directly, reads back with its keys in order.
TEST(TraceFormat, EveryEventKindHasItsKeys) {
    const std::vector<std::pair<TraceKind, std::string>> kinds = {
        {TraceKind::Deal, "deal"},       {TraceKind::Dealt, "dealt"},
        {TraceKind::Starter, "starter"}, {TraceKind::StarterBack, "starter_back"},
        {TraceKind::Play, "play"},       {TraceKind::Suit, "suit"},
        {TraceKind::Draw, "draw"},       {TraceKind::DeckEmpty, "deck_empty"},
        {TraceKind::Pass, "pass"},       {TraceKind::Exchange, "exchange"},
        {TraceKind::Rebuild, "rebuild"}, {TraceKind::End, "end"},
    };
    Table t(GameVariant::Agonia);
    t.g.DeckPos = 30;
    TempFile file("tarrabel_trace_kinds");
    std::FILE* f = std::fopen(file.path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    JsonTraceWriter writer(f);
    for (const auto& [kind, name] : kinds) {
        TraceEvent ev{kind};
        ev.Seat = 2;
        ev.Slot = 3;
        ev.Card = 17;
        ev.Suit = 1;
        ev.Pos = 40;
        ev.From = 2;
        ev.To = 5;
        ev.Draw = DrawKind::Penalty;
        writer.Event(t.g, ev);
    }
    std::fclose(f);
    const std::vector<std::string> lines = file.Lines();
    ASSERT_EQ(lines.size(), kinds.size());
    for (size_t n = 0; n < kinds.size(); ++n) {
        SCOPED_TRACE(lines[n]);
        JsonObject o;
        ASSERT_TRUE(JsonReader(lines[n]).ReadObject(o));
        EXPECT_EQ(Field(o, "ev")->text, kinds[n].second);
        EXPECT_EQ(Keys(o), kEventKeys.at(kinds[n].second));
    }
    // The rebuilt deck is the undrawn part only.
    JsonObject rebuild;
    ASSERT_TRUE(JsonReader(lines[10]).ReadObject(rebuild));
    EXPECT_EQ(Field(rebuild, "deck")->items.size(), 52u - 30u);
    EXPECT_EQ(Field(rebuild, "deck")->items[0].number, t.g.DeckOrder[30]);
}

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

// ---- the card check ------------------------------------------------------------------------

// A table in the middle of the dealing: cards in hands, one in flight, the rest in the deck.
void MidDeal(Table& t) {
    ASSERT_TRUE(StepUntil(t, [&] { return t.g.TotalDealt == 9 && AnyCardMoving(t.g); }));
}

TEST(CardCheck, AFreshDealAndOneInFlightPass) {
    Table t;
    std::string why;
    EXPECT_TRUE(t.CardsAllAccountedFor(&why)) << why;
    MidDeal(t);
    EXPECT_TRUE(t.CardsAllAccountedFor(&why)) << why;
}

struct BreakCase {
    const char* name;
    void (*spoil)(Game&);
    const char* message;
};
void PrintTo(const BreakCase& c, std::ostream* os) {
    *os << c.name;
}

class CardCheck : public ::testing::TestWithParam<BreakCase> {};

TEST_P(CardCheck, CatchesTheFault) {
    Table t;
    MidDeal(t);
    GetParam().spoil(t.g);
    std::string why;
    EXPECT_FALSE(t.CardsAllAccountedFor(&why));
    EXPECT_NE(why.find(GetParam().message), std::string::npos) << why;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CardCheck,
    ::testing::Values(
        BreakCase{"LostFromAHand",
                  [](Game& g) {
                      g.Hands[g.SeatOrder[0]][2].Shown = false;
                      --g.HandCount[g.SeatOrder[0]];
                  },
                  "is lost"},
        BreakCase{"DoubledInAHand",
                  [](Game& g) {
                      const int seat = g.SeatOrder[0];
                      CardRecord& extra = g.Hands[seat][g.HandCount[seat]];
                      extra.CardIndex = g.Hands[seat][0].CardIndex;
                      extra.Shown = true;
                      ++g.HandCount[seat];
                  },
                  "is in two places"},
        BreakCase{"CopiedFromTheDeckIntoAHand",
                  [](Game& g) {
                      const int seat = g.SeatOrder[0];
                      CardRecord& extra = g.Hands[seat][g.HandCount[seat]];
                      extra.CardIndex = g.DeckOrder[g.Rules.DeckSize - 1];
                      extra.Shown = true;
                      ++g.HandCount[seat];
                  },
                  "is in two places"},
        BreakCase{"InFlightAndLanded",
                  [](Game& g) {
                      const int seat = g.DealReceiver;
                      CardRecord& c = g.Hands[seat][g.HandCount[seat]];
                      c.CardIndex = g.Deck[g.DeckPos - 1].CardIndex;
                      c.Shown = true;
                      ++g.HandCount[seat];
                  },
                  "is in two places"},
        BreakCase{"HandCountDisagrees", [](Game& g) { ++g.HandCount[g.SeatOrder[0]]; }, "counts"},
        BreakCase{"DeckRecordDisagrees",
                  [](Game& g) { g.Deck[g.DeckPos + 1].CardIndex = g.DeckOrder[g.DeckPos + 2]; },
                  "disagrees with DeckOrder"},
        BreakCase{"OutsideTheDeck",
                  [](Game& g) { g.Hands[g.SeatOrder[0]][0].CardIndex = int16_t(g.Rules.DeckSize); },
                  "outside the deck"}),
    [](const ::testing::TestParamInfo<BreakCase>& info) { return std::string(info.param.name); });

// Only the first PileCount pile records are cards; what lies beyond is left over.
TEST(CardCheck, RecordsPastThePileCountAreNotCards) {
    Table t;
    MidDeal(t);
    t.g.Pile[0].CardIndex = 0;  // not on the pile: PileCount is 0
    std::string why;
    EXPECT_TRUE(t.CardsAllAccountedFor(&why)) << "records past PileCount are not cards";
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

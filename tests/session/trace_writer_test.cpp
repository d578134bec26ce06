// The trace writer: every kind of event is one JSON object on its own line, with the keys
// of its kind in their order.
#include "session/trace_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "support/table_fixture.h"
#include "support/trace_lines.h"

namespace tarrabel::test {
namespace {

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

}  // namespace
}  // namespace tarrabel::test

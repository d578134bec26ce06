#include "session/trace_writer.h"

#include <string>

#include "core/game.h"

namespace tarrabel {

namespace {

const char* Bool(bool b) {
    return b ? "true" : "false";
}

void WriteCards(std::FILE* out, const Game& g, int from, int to) {
    std::fputc('[', out);
    for (int p = from; p < to; ++p)
        std::fprintf(out, p == from ? "%d" : ",%d", g.DeckOrder[p]);
    std::fputc(']', out);
}

void WriteEliminated(std::FILE* out, const Game& g) {
    std::fprintf(out, "[%s,%s,%s,%s]", Bool(g.Players[0].Eliminated), Bool(g.Players[1].Eliminated),
                 Bool(g.Players[2].Eliminated), Bool(g.Players[3].Eliminated));
}

const char* DrawKindName(DrawKind k) {
    switch (k) {
        case DrawKind::Auto:
            return "auto";
        case DrawKind::Click:
            return "click";
        case DrawKind::Penalty:
            return "penalty";
    }
    return "auto";
}

}  // namespace

void JsonTraceWriter::Event(const Game& g, const TraceEvent& ev) {
    std::FILE* o = out_;
    switch (ev.Kind) {
        case TraceKind::Deal:
            std::fprintf(o,
                         "{\"ev\":\"deal\",\"variant\":%d,\"deal\":%d,\"start\":%d,\"reversed\":%s,"
                         "\"eliminated\":",
                         int(g.Options.Variant), g.DealsStarted, g.StartingPlayer,
                         Bool(g.DirectionReversed));
            WriteEliminated(o, g);
            std::fputs(",\"deck\":", o);
            WriteCards(o, g, 0, g.Rules.DeckSize);
            std::fputs("}\n", o);
            break;
        case TraceKind::Dealt:
            std::fprintf(o, "{\"ev\":\"dealt\",\"seat\":%d,\"slot\":%d,\"card\":%d}\n", ev.Seat,
                         ev.Slot, ev.Card);
            break;
        case TraceKind::Starter:
            std::fprintf(o, "{\"ev\":\"starter\",\"card\":%d}\n", ev.Card);
            break;
        case TraceKind::StarterBack:
            std::fprintf(o, "{\"ev\":\"starter_back\",\"card\":%d,\"pos\":%d}\n", ev.Card, ev.Pos);
            break;
        case TraceKind::Play:
            std::fprintf(o, "{\"ev\":\"play\",\"seat\":%d,\"slot\":%d,\"card\":%d}\n", ev.Seat,
                         ev.Slot, ev.Card);
            break;
        case TraceKind::Suit:
            std::fprintf(o, "{\"ev\":\"suit\",\"seat\":%d,\"suit\":%d}\n", ev.Seat, ev.Suit);
            break;
        case TraceKind::Draw:
            std::fprintf(o,
                         "{\"ev\":\"draw\",\"seat\":%d,\"slot\":%d,\"card\":%d,\"kind\":\"%s\"}\n",
                         ev.Seat, ev.Slot, ev.Card, DrawKindName(ev.Draw));
            break;
        case TraceKind::DeckEmpty:
            std::fprintf(o, "{\"ev\":\"deck_empty\",\"seat\":%d}\n", ev.Seat);
            break;
        case TraceKind::Pass:
            std::fprintf(o, "{\"ev\":\"pass\",\"seat\":%d}\n", ev.Seat);
            break;
        case TraceKind::Exchange:
            std::fprintf(o, "{\"ev\":\"exchange\",\"from\":%d,\"to\":%d}\n", ev.From, ev.To);
            break;
        case TraceKind::Rebuild:
            std::fputs("{\"ev\":\"rebuild\",\"deck\":", o);
            WriteCards(o, g, g.DeckPos, g.Rules.DeckSize);
            std::fputs("}\n", o);
            break;
        case TraceKind::End:
            std::fprintf(o,
                         "{\"ev\":\"end\",\"points\":[%d,%d,%d,%d],\"totals\":[%d,%d,%d,%d],"
                         "\"result\":\"%s\",\"eliminated\":",
                         g.HandPoints[0], g.HandPoints[1], g.HandPoints[2], g.HandPoints[3],
                         g.MatchTotal[0], g.MatchTotal[1], g.MatchTotal[2], g.MatchTotal[3],
                         std::string(g.ResultText).c_str());
            WriteEliminated(o, g);
            std::fputs("}\n", o);
            break;
    }
}

}  // namespace tarrabel

// Helpers for the rules and computer player tests: stack the deck, run the state machine
// until something happens, read the trace, and a generator that answers a script.
#pragma once

#include <functional>
#include <initializer_list>
#include <vector>

#include "core/turns.h"
#include "session/state_machine.h"
#include "table_fixture.h"

namespace tarrabel::test {

// Puts the given cards at the top of the undrawn deck, first card drawn first, by swapping
// them with the cards there, so the deck still holds every card once.
inline void StackDeck(Table& t, std::initializer_list<int16_t> cards) {
    Game& g = t.g;
    int pos = g.DeckPos;
    for (int16_t card : cards) {
        for (int p = pos; p < g.Rules.DeckSize; ++p) {
            if (g.DeckOrder[p] != card) continue;
            std::swap(g.DeckOrder[p], g.DeckOrder[pos]);
            g.Deck[p].CardIndex = g.DeckOrder[p];
            g.Deck[pos].CardIndex = g.DeckOrder[pos];
            break;
        }
        ++pos;
    }
}

// Steps the state machine a frame at a time (16 ms of virtual time each) until the
// condition holds; answers false if it never does within the frame budget.
inline bool RunUntil(Table& t, const std::function<bool()>& done, int maxFrames = 20000) {
    for (int i = 0; i < maxFrames; ++i) {
        if (done()) return true;
        StepGameState(t.g);
        t.clock.Advance(16);
    }
    return done();
}

// The state the game is in, or will return to when the pause it is in ends.
inline bool StateIs(const Game& g, GameState s) {
    return g.State == s || (g.State == GameState::Paused && g.ResumeState == s);
}

// Puts a card at one deck position by swapping it with the card there.
inline void PlaceInDeck(Table& t, int pos, int16_t card) {
    Game& g = t.g;
    for (int p = 0; p < g.Rules.DeckSize; ++p) {
        if (g.DeckOrder[p] != card) continue;
        std::swap(g.DeckOrder[p], g.DeckOrder[pos]);
        g.Deck[p].CardIndex = g.DeckOrder[p];
        g.Deck[pos].CardIndex = g.DeckOrder[pos];
        return;
    }
}

// The trace events of one kind, in order.
inline std::vector<TraceEvent> EventsOf(const Table& t, TraceKind kind) {
    std::vector<TraceEvent> out;
    for (const TraceEvent& ev : t.trace.events)
        if (ev.kind == kind) out.push_back(ev);
    return out;
}

inline int CountEvents(const Table& t, TraceKind kind, int seat = -1) {
    int n = 0;
    for (const TraceEvent& ev : t.trace.events)
        if (ev.kind == kind && (seat < 0 || ev.seat == seat)) ++n;
    return n;
}

// Sets the game about to start a turn: "NORMAL PLAY", nothing moving, nobody waited for,
// and the next turn (which begins with NextPlayer) belonging to `seat`.
inline void TurnGoesTo(Table& t, int seat) {
    Game& g = t.g;
    g.State = GameState::NormalPlay;
    g.WaitingForHuman = false;
    g.HumanMoved = false;
    g.DrawDone = false;
    g.DrawCount = 0;
    g.CurrentPlayer = PlayerBefore(g, seat);
}

// A generator that answers a script: each value v stands for the draw Int(Rnd * n) = v,
// given as the exact n the code will multiply by. After the script it answers 0.
class ScriptedRandom final : public Random {
  public:
    struct Draw {
        int value;
        int outOf;
    };
    explicit ScriptedRandom(std::vector<Draw> script) : script_(std::move(script)) {}
    double Next() override {
        if (used_ >= script_.size()) {
            ++used_;
            return 0.0;
        }
        const Draw d = script_[used_++];
        return (d.value + 0.5) / d.outOf;
    }
    size_t Used() const { return used_; }

  private:
    std::vector<Draw> script_;
    size_t used_ = 0;
};

}  // namespace tarrabel::test

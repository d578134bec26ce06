// Driving a test table through time: stepping the state machine, running whole frames,
// clicking at the human's cards, arranging the deck and the turn for a case, reading the
// trace, and a generator that answers a script.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "core/turns.h"
#include "rules/deck.h"
#include "rules/setup.h"
#include "session/frame.h"
#include "session/state_machine.h"
#include "support/table_fixture.h"

namespace tarrabel::test {

// ---- time --------------------------------------------------------------------------------

constexpr int kFrameMs = 16;

// One step of the state machine, then one frame's worth of table time.
inline void Step(Table& t) {
    StepGameState(t.g);
    t.clock.Advance(kFrameMs);
}

// Steps until pred() holds; false if it never does within `limit` steps.
template <class Pred>
bool StepUntil(Table& t, Pred pred, int limit = 20000) {
    for (int i = 0; i < limit; ++i) {
        if (pred()) return true;
        Step(t);
    }
    return pred();
}

// One whole frame with the given mouse and keys, then one frame's worth of table time.
inline FrameResult Frame(Table& t, const FrameInput& in = {}) {
    const FrameResult r = RunGameFrame(t.g, in);
    t.clock.Advance(kFrameMs);
    return r;
}

// The state the game is in, or will return to when the pause it is in ends.
inline bool StateIs(const Game& g, GameState s) {
    return g.State == s || (g.State == GameState::Paused && g.ResumeState == s);
}

// ---- the mouse ---------------------------------------------------------------------------

inline FrameInput LeftAt(std::pair<int, int> p) {
    FrameInput in;
    in.LeftDown = true;
    in.MouseX = p.first;
    in.MouseY = p.second;
    return in;
}

inline FrameInput RightAt(std::pair<int, int> p) {
    FrameInput in;
    in.RightDown = true;
    in.MouseX = p.first;
    in.MouseY = p.second;
    return in;
}

// A point on the human's card in slot s (0..24) that no card drawn over it covers: the fan
// puts each next slot 17 pixels to the right, so the first few pixels belong to slot s
// alone among the cards above it. byHome: the slot's layout rectangle (what right clicks test).
inline std::pair<int, int> PointOnCard(const Game& g, int s, bool byHome = false) {
    const CardRecord& c = g.Hands[kHuman][s];
    return byHome ? std::pair{c.HomeX + 6, c.HomeY + 60} : std::pair{int(c.X) + 6, int(c.Y) + 60};
}

inline constexpr std::pair<int, int> kOnDeck{40, 60};
inline constexpr std::pair<int, int> kEmptyTable{790, 595};

// ---- the trace ---------------------------------------------------------------------------

// The trace events of one kind, in order.
inline std::vector<TraceEvent> EventsOf(const Table& t, TraceKind kind) {
    std::vector<TraceEvent> out;
    for (const TraceEvent& e : t.trace.events)
        if (e.Kind == kind) out.push_back(e);
    return out;
}

// How many events of one kind there were, of one seat's or (seat -1) of everybody's.
inline int CountOf(const Table& t, TraceKind kind, int seat = -1) {
    int n = 0;
    for (const TraceEvent& e : t.trace.events)
        if (e.Kind == kind && (seat < 0 || e.Seat == seat)) ++n;
    return n;
}

// ---- the deck ----------------------------------------------------------------------------

// Puts the given cards at the next deck positions to be drawn, in that order, by swapping
// them with the cards there, so the deck still holds every card once. Each card must still
// be in the undrawn part of the deck.
inline void StackDeck(Table& t, std::initializer_list<int16_t> cards) {
    Game& g = t.g;
    int pos = g.DeckPos;
    for (int16_t card : cards) {
        bool found = false;
        for (int p = pos; p < g.Rules.DeckSize; ++p) {
            if (g.DeckOrder[p] != card) continue;
            std::swap(g.DeckOrder[p], g.DeckOrder[pos]);
            g.Deck[p].CardIndex = g.DeckOrder[p];
            g.Deck[pos].CardIndex = g.DeckOrder[pos];
            found = true;
            break;
        }
        ASSERT_TRUE(found) << "card " << card << " is not in the undrawn deck";
        ++pos;
    }
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

// Moves undrawn cards into a computer player's hand until only `keep` remain in the deck;
// when his hand is full the rest go to the seat before him.
inline void EmptyDeckInto(Table& t, int seat, int keep = 0) {
    while (t.g.DeckPos < t.g.Rules.DeckSize - keep) {
        if (t.g.HandCount[seat] == kHandSlots) --seat;
        ASSERT_GT(seat, 0) << "no room left in the computer players' hands";
        t.GiveHand(seat, {t.g.DeckOrder[t.g.DeckPos]});
    }
}

// The card of the second pack in the two-pack games.
inline int16_t SecondPack(int16_t card) {
    return int16_t(card + 52);
}

// ---- hands -------------------------------------------------------------------------------

// Cards that follow nothing on a Five of clubs in any of the games (no club, no Five, no
// wild card, no joker), all different, from the first pack: 21 of them.
inline int16_t Dead(int i) {
    static constexpr int kRanks[7] = {13, 12, 10, 9, 6, 4, 3};
    static constexpr int32_t kSuits[3] = {kHearts, kSpades, kDiamonds};
    return CardOf(kRanks[i / 3], kSuits[i % 3]);
}

// Gives every seat `n` dead cards (seat s gets Dead(n*s) .. Dead(n*s + n - 1)); answers the
// index of the first dead card not given out.
inline int GiveDeadHands(Table& t, int n = 2) {
    for (int seat = 0; seat < kSeats; ++seat)
        for (int k = 0; k < n; ++k)
            t.GiveHand(seat, {Dead(n * seat + k)});
    return n * kSeats;
}

// ---- the turn ----------------------------------------------------------------------------

// "NORMAL PLAY" with nothing moving, nobody waited for, no draw used yet, turns going up the
// seat numbers (or down them, reversed), and the turn about to pass to `next` at the
// following step (which begins with NextPlayer).
inline void TurnGoesTo(Table& t, int next, bool reversed = false) {
    Game& g = t.g;
    g.State = GameState::NormalPlay;
    g.DirectionReversed = reversed;
    g.CurrentPlayer = PlayerBefore(g, next);
    g.WaitingForHuman = false;
    g.HumanMoved = false;
    g.HumanInputLocked = false;
    g.PauseDone = false;
    g.DrawDone = false;
    g.DrawCount = 0;
    LayoutDeckStack(g);
}

// Starts the human's turn (he must hold a card he may play).
inline void StartHumansTurn(Table& t) {
    TurnGoesTo(t, kHuman);
    StepGameState(t.g);
    ASSERT_TRUE(t.g.WaitingForHuman) << "the human holds no card he may play";
    ASSERT_EQ(t.g.CurrentPlayer, kHuman);
}

// The human's turn on a Five of clubs with the given hand (from slot 0 on); the computer
// players hold two dead cards each, and the trace starts empty.
inline void HumansTurnHolding(Table& t, std::initializer_list<int16_t> hand) {
    t.ClearTable();
    t.SetPile({CardOf(5, kClubs)});
    for (int seat = 1; seat < kSeats; ++seat)
        t.GiveHand(seat, {Dead(2 * seat), Dead(2 * seat + 1)});
    t.GiveHand(kHuman, hand);
    StartHumansTurn(t);
    t.trace.events.clear();
}

// Re-creates the game with slow card animation.
inline void UseSlowAnimation(Table& t) {
    GameOptions o = DefaultOptions(t.g.Options.Variant);
    o.SlowAnimation = true;
    const Services io = t.g.io;  // GameInit starts from a blank game
    GameInit(t.g, o, io);
}

// ---- chance ------------------------------------------------------------------------------

// A generator that answers a script, then 0 for ever. Each draw Int(Rnd * n) = v is given as
// v and the exact n the code multiplies by, so a case reads as the choices it stands for.
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
    // Draws made so far, those after the script included.
    size_t Used() const { return used_; }

  private:
    std::vector<Draw> script_;
    size_t used_ = 0;
};

}  // namespace tarrabel::test

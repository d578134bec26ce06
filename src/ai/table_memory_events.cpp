// Keeping the table's memory from the events of a deal, as they happen.
//
// Two kinds of conclusion are drawn about a hand. A player who draws or passes because he
// cannot play holds none of the cards that would have followed. And a standard computer
// player who plays a card holds none of the cards he would certainly have scored higher:
// a wild card played means he had nothing that followed, a low card of the suit means he
// had no far better one. (The person's choices tell nothing for sure, nor do an expert's,
// nor the cards of an easy player, who plays the first he may in his hand's order; an easy
// player's suit tells as much as a standard player's.)
#include "ai/table_memory_events.h"

#include "ai/standard_player.h"
#include "core/card_power.h"
#include "core/game.h"
#include "core/matching.h"
#include "core/table_view.h"

namespace tarrabel {

namespace {

// The cards `seat` would have counted as playable now, holding `ownCount` cards.
CardSet PlayableNow(const Game& g, int seat, int16_t ownCount) {
    const GameTable t(g);
    const int16_t topRank = g.TopRank();
    const int32_t follow = SuitToFollow(g);
    CardSet set;
    for (int card = 0; card < g.Rules.DeckSize; ++card)
        if (ComputerMayPlay(t, seat, card, topRank, follow, ownCount)) set.Add(card);
    return set;
}

// The table as it stood when the card that has just landed on the pile was chosen: the
// pile without it, and the player's hand count still with it.
class TableBeforePlay {
  public:
    explicit TableBeforePlay(const Game& g) : g_(g), live_(g) {}
    const VariantSettings& Rules() const { return g_.Rules; }
    GameVariant Variant() const { return g_.Options.Variant; }
    int16_t RankOf(int card) const { return g_.Cards->Rank[card]; }
    int32_t SuitOf(int card) const { return g_.Cards->Suit[card]; }
    int16_t TopRank() const { return below_ > 0 ? RankOf(Card(below_ - 1)) : kNoRank; }
    int32_t TopSuit() const { return below_ > 0 ? SuitOf(Card(below_ - 1)) : kClubs; }
    int32_t Follow() const {
        return SuitInForce(*g_.Cards, g_.Rules.WildRank, below_, below_ > 0 ? Card(below_ - 1) : -1,
                           below_ > 1 ? Card(below_ - 2) : -1, g_.ChosenSuit);
    }
    int16_t Count(int seat) const { return g_.HandCount[seat]; }
    int16_t After(int seat) const { return live_.After(seat); }
    int32_t NamedSuit(int seat) const { return live_.NamedSuit(seat); }
    bool PenaltyTaken() const { return g_.PenaltyTaken; }

  private:
    int Card(int i) const { return g_.Pile[i].CardIndex; }
    const Game& g_;
    GameTable live_;
    int below_ = g_.PileCount - 1;
};

// Facing an open penalty he may have been made to answer it: then the choice tells nothing.
bool MayHaveBeenForced(const TableBeforePlay& t) {
    return !t.PenaltyTaken() && PowerOf(t.Variant(), t.TopRank(), t.TopSuit()).CanBeAnswered();
}

// The cards a standard player would certainly have scored above `played`, at table `x`
// and whatever else his hand held, had he held them.
CardSet CertainlyPreferredTo(const TableBeforePlay& t, const ScoreContext& x, int played) {
    const VariantSettings& v = t.Rules();
    CardSet set;
    const int handSize = x.OwnCount;
    const int16_t pr = t.RankOf(played);
    const int32_t ps = t.SuitOf(played);
    const bool playedCounts = CountsInTally(v, pr);
    // His card at its best: its suit as long as his hand allows, the larger wild bonus.
    const int longest = playedCounts ? handSize : handSize - 1;
    const float best = OpenScore(x, pr, ps) + float(longest * longest) +
                       WildBonus(x, pr, x.NextNamed == 0 ? 1 : 0);
    for (int card = 0; card < v.DeckSize; ++card) {
        const int16_t r = t.RankOf(card);
        const int32_t s = t.SuitOf(card);
        if (!ScoresAsPlayable(x, r, s)) continue;
        // The other card at its worst: its suit holding only itself (and the card played,
        // if of that suit), the smaller wild bonus.
        const int shortest = (CountsInTally(v, r) ? 1 : 0) + (playedCounts && ps == s ? 1 : 0);
        const float worst =
            OpenScore(x, r, s) + float(shortest * shortest) + WildBonus(x, r, x.NextNamed);
        if (worst > best) set.Add(card);
    }
    return set;
}

bool StandardComputer(const Game& g, int seat) {
    return seat != kHuman && g.SeatLevel[seat] == AiLevel::Standard;
}

// After a wild card the standard and the easy player name the suit they hold most of.
bool NamesLongestSuit(const Game& g, int seat) {
    return StandardComputer(g, seat) || (seat != kHuman && g.SeatLevel[seat] == AiLevel::Easy);
}

// The person may move his cards about in his hand, and his choices tell nothing anyway:
// only the computer players' hands are followed slot by slot.
void LogInSlot(Game& g, const TraceEvent& ev, HandEvent::Kind what, const PlayRecord& play = {}) {
    if (ev.Seat == kHuman) return;
    HandEvent e;
    e.What = what;
    e.Slot = int8_t(ev.Slot);
    e.Play = play;
    g.Memory.Hands[ev.Seat].Log(e);
}

}  // namespace

void RememberPublicEvent(Game& g, const TraceEvent& ev) {
    auto& hands = g.Memory.Hands;
    switch (ev.Kind) {
        case TraceKind::Deal:
            for (HandMemory& h : hands)
                h.Clear();
            g.Memory.DeckFrom = CardSet{}.Others(g.Rules.DeckSize);
            break;
        case TraceKind::Rebuild: {
            // The pile has just become the deck: everybody saw those cards on the pile, so
            // no hand holds one of them, and what is drawn from now on is one of them.
            // (Only which cards the deck holds is read here, never their order.)
            CardSet deck;
            for (int p = g.DeckPos; p < g.Rules.DeckSize; ++p)
                deck.Add(g.DeckOrder[p]);
            for (HandMemory& h : hands)
                h.HoldsNoneOf(deck);
            g.Memory.DeckFrom = deck;
            break;
        }
        case TraceKind::Dealt:
            hands[ev.Seat].Receive();
            LogInSlot(g, ev, HandEvent::Kind::Received);
            break;
        case TraceKind::Draw:
            // Drawn without being asked to: he held nothing that would follow. (The hand
            // already holds the new card; the conclusion is about the ones before it.)
            if (ev.Draw == DrawKind::Auto)
                hands[ev.Seat].HoldsNoneOf(
                    PlayableNow(g, ev.Seat, int16_t(g.HandCount[ev.Seat] - 1)));
            hands[ev.Seat].Receive(g.Memory.DeckFrom.Others(g.Rules.DeckSize));
            LogInSlot(g, ev, HandEvent::Kind::Received);
            break;
        case TraceKind::DeckEmpty:
            if (g.State == GameState::DrawingForWant)
                hands[ev.Seat].HoldsNoneOf(PlayableNow(g, ev.Seat, g.HandCount[ev.Seat]));
            break;
        case TraceKind::Pass:
            // A computer player passes only when he cannot play; the person may pass by
            // choice once he has drawn.
            if (ev.Seat != kHuman)
                hands[ev.Seat].HoldsNoneOf(PlayableNow(g, ev.Seat, g.HandCount[ev.Seat]));
            break;
        case TraceKind::Play: {
            HandMemory& h = hands[ev.Seat];
            h.Played(ev.Card);
            const TableBeforePlay t(g);
            PlayRecord play;
            play.Card = int16_t(ev.Card);
            play.Told = StandardComputer(g, ev.Seat) && !MayHaveBeenForced(t);
            if (play.Told) {
                play.At = ReadScoreContext(t, ev.Seat);
                h.HoldsNoneOf(CertainlyPreferredTo(t, play.At, ev.Card));
            }
            LogInSlot(g, ev, HandEvent::Kind::Played, play);
            break;
        }
        case TraceKind::Suit: {
            if (!NamesLongestSuit(g, ev.Seat)) break;
            HandEvent e;
            e.What = HandEvent::Kind::Named;
            e.Suit = int8_t(ev.Suit);
            // With the next player on his last card and his own named suit the longest, the
            // standard player names another suit at random; the easy player never does.
            const int next = PlayerAfter(g, ev.Seat);
            const int32_t nextNamed = g.Players[next].LastNamedSuit;
            if (StandardComputer(g, ev.Seat) && g.HandCount[ev.Seat] >= 2 &&
                g.HandCount[next] < 2 && nextNamed < kNoSuit && nextNamed != ev.Suit)
                e.SuitOr = int8_t(nextNamed);
            hands[ev.Seat].Log(e);
            break;
        }
        default:
            break;
    }
}

TableObserver& TableMemoryKeeper() {
    struct Keeper final : TableObserver {
        void Saw(Game& g, const TraceEvent& ev) override { RememberPublicEvent(g, ev); }
    };
    static Keeper keeper;
    return keeper;
}

}  // namespace tarrabel

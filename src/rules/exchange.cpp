#include "rules/exchange.h"

#include "core/deal_flow.h"
#include "motion/flights.h"

namespace tarrabel {

namespace {

int MarkedSlot(const Game& g, bool source) {
    for (int s = 0; s < kHandSlots; ++s) {
        const CardRecord& c = g.Hands[kHuman][s];
        if (source ? c.MoveSource : c.MoveTarget) return s;
    }
    return -1;
}

}  // namespace

void CancelPick(Game& g) {
    g.MovePending = false;
    for (auto& c : g.Hands[kHuman])
        c.MoveSource = c.MoveTarget = false;
}

void StartExchangeFlight(Game& g) {
    const int s = MarkedSlot(g, true);
    const int t = MarkedSlot(g, false);
    if (s < 0 || t < 0 || s == t) {
        CancelPick(g);
        Report(g, Happened::MoveEnded);
        return;
    }
    auto& hand = g.Hands[kHuman];
    const int frames = g.Layout.ReturnFlightFrames;
    const int dir = t > s ? 1 : -1;
    StartCardFlight(g, hand[s], hand[t].HomeX, hand[t].HomeY, frames);
    for (int i = s + dir; i != t + dir; i += dir) {
        if (!hand[i].Shown) continue;  // an empty slot has nothing to show flying
        const CardRecord& nearer = hand[i - dir];
        StartCardFlight(g, hand[i], nearer.HomeX, nearer.HomeY, frames);
    }
}

// The picked card takes the target's place and the cards between shift one place toward
// the picked card's old place. Occupancy moves with the card, so an empty slot in between
// stays a gap and no card is lost.
void CompleteExchange(Game& g) {
    auto& hand = g.Hands[kHuman];
    for (auto& c : hand)
        c.Moving = false;
    const int s = MarkedSlot(g, true);
    const int t = MarkedSlot(g, false);
    if (s >= 0 && t >= 0 && s != t) {
        const int dir = t > s ? 1 : -1;
        const CardRecord picked = hand[s];
        for (int i = s; i != t; i += dir) {
            hand[i].CardIndex = hand[i + dir].CardIndex;
            hand[i].Shown = hand[i + dir].Shown;
            hand[i].FaceUp = hand[i + dir].FaceUp;
        }
        hand[t].CardIndex = picked.CardIndex;
        hand[t].Shown = picked.Shown;
        hand[t].FaceUp = picked.FaceUp;
        for (int i = s;; i += dir) {
            hand[i].X = hand[i].HomeX;
            hand[i].Y = hand[i].HomeY;
            if (i == t) break;
        }
        TraceEvent ev{TraceKind::Exchange};
        ev.From = s;
        ev.To = t;
        g.Trace(ev);
    }
    CancelPick(g);
    PlaySignSound(g);
}

}  // namespace tarrabel

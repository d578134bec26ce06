#include "human_policy.h"

#include <array>

#include "core/hand_queries.h"
#include "core/turns.h"
#include "rules/play.h"
#include "session/human_input.h"

namespace tarrabel::sim {

namespace {

enum class ClickKind { Play, Target, Pick };

bool InRect(float left, float top, int w, int h, int x, int y) {
    return left < x && x < left + w && top < y && y < top + h;
}

bool Covers(const CardRecord& c, bool byHome, int x, int y) {
    if (!c.Shown || c.Moving) return false;
    return byHome ? InRect(c.HomeX, c.HomeY, c.SizeX, c.SizeY, x, y)
                  : InRect(c.X, c.Y, c.SizeX, c.SizeY, x, y);
}

// Would the handler take card u at this point (rather than look further down)?
bool Takes(const Game& g, const CardRecord& u, ClickKind kind) {
    switch (kind) {
        case ClickKind::Play:
            return IsLegalHumanPlay(g, u);
        case ClickKind::Target:
            return !u.MoveSource;
        case ClickKind::Pick:
            return true;
    }
    return true;
}

// Later in the drawing order means drawn on top: slots 54 down to 27, then 0 up to 26.
int DrawRank(int slot) {
    return slot >= 27 ? 54 - slot : 28 + slot;
}

bool GoodPoint(const Game& g, int slot, ClickKind kind, int x, int y) {
    const auto& hand = g.Hands[kHuman];
    const bool byHome = kind == ClickKind::Pick;
    if (!Covers(hand[slot], byHome, x, y)) return false;
    if (x < 0 || y < 0 || x >= 800 || y >= 600) return false;  // on the screen
    for (int u = kHandSlots - 1; u > slot; --u)
        if (Covers(hand[u], byHome, x, y) && Takes(g, hand[u], kind)) return false;
    for (int u = 0; u < kHandSlots; ++u)
        if (u != slot && DrawRank(u) > DrawRank(slot) && Covers(hand[u], false, x, y)) return false;
    return true;
}

bool PointFor(const Game& g, int slot, ClickKind kind, Random& rng, int& x, int& y) {
    const CardRecord& c = g.Hands[kHuman][slot];
    const bool byHome = kind == ClickKind::Pick;
    const int left = byHome ? c.HomeX : int(c.X);
    const int top = byHome ? c.HomeY : int(c.Y);
    std::array<int, 128> xs{};
    int n = 0;
    const int py = top + c.SizeY / 2;
    for (int px = left; px <= left + c.SizeX && n < int(xs.size()); ++px)
        if (GoodPoint(g, slot, kind, px, py)) xs[n++] = px;
    if (n == 0) return false;
    x = xs[rng.IntBelow(n)];
    y = py;
    return true;
}

}  // namespace

bool VisiblePointOf(const Game& g, int slot, bool byHome, bool legalOnly, Random& rng, int& x,
                    int& y) {
    const ClickKind kind =
        byHome ? ClickKind::Pick : (legalOnly ? ClickKind::Play : ClickKind::Target);
    return PointFor(g, slot, kind, rng, x, y);
}

FrameInput HumanPolicy::Click(const Game& g, int x, int y, bool right) {
    FrameInput in;
    in.MouseX = x;
    in.MouseY = y;
    (right ? in.RightDown : in.LeftDown) = true;
    pressedLast_ = true;
    idleFrames_ = rng_.IntBelow(12);
    (void)g;
    return in;
}

FrameInput HumanPolicy::Decide(const Game& g) {
    FrameInput idle;
    idle.MouseX = 400;
    idle.MouseY = 300;
    if (pressedLast_) {  // let the button go between clicks
        pressedLast_ = false;
        return idle;
    }
    if (idleFrames_ > 0) {
        --idleFrames_;
        return idle;
    }
    if (g.State == GameState::EndOfMatch) return Click(g, 400, 300, false);
    if (g.State == GameState::SelectTrumps && g.SuitPromptShown) {
        std::array<int, 4> shown{};
        int n = 0;
        for (int i = 0; i < 4; ++i)
            if (g.TableIcons[i].Shown) shown[n++] = i;
        if (n == 0) return idle;
        const CardRecord& icon = g.TableIcons[shown[rng_.IntBelow(n)]];
        return Click(g, int(icon.X) + 1 + rng_.IntBelow(icon.SizeX - 2),
                     int(icon.Y) + 1 + rng_.IntBelow(icon.SizeY - 2), false);
    }
    if (g.CurrentPlayer == kHuman && g.WaitingForHuman && !g.HumanInputLocked &&
        !AnyCardMoving(g) &&
        (g.State == GameState::NormalPlay || g.State == GameState::SelectExchange))
        return DecideTurn(g);
    return idle;
}

FrameInput HumanPolicy::DecideTurn(const Game& g) {
    const auto& hand = g.Hands[kHuman];
    int x = 0, y = 0;

    if (g.State == GameState::SelectExchange) {
        // Finish the move: left-click some other card as the target.
        std::array<int, kHandSlots> targets{};
        int n = 0;
        for (int s = 0; s < kHandSlots; ++s)
            if (hand[s].Shown && !hand[s].MoveSource) targets[n++] = s;
        for (int tries = 0; tries < 8 && n > 0; ++tries) {
            const int t = targets[rng_.IntBelow(n)];
            if (VisiblePointOf(g, t, false, false, rng_, x, y)) return Click(g, x, y, false);
        }
        // No target to reach: put the card down again with a second right click.
        for (int s = 0; s < kHandSlots; ++s)
            if (hand[s].MoveSource && VisiblePointOf(g, s, true, false, rng_, x, y))
                return Click(g, x, y, true);
        return FrameInput{};
    }

    const bool mayPass = g.HumanDrew || g.DrawDone;
    const bool mayDraw = !g.HumanDrew && !g.DrawDone;

    // Now and then move a card within the hand.
    if (g.HandCount[kHuman] >= 2 && Chance(0.06)) {
        const int s = rng_.IntBelow(kHandSlots);
        if (hand[s].Shown && VisiblePointOf(g, s, true, false, rng_, x, y))
            return Click(g, x, y, true);
    }
    if (mayDraw && Chance(0.08)) {
        const CardRecord& deck = g.Deck[0];
        return Click(g, 6 + rng_.IntBelow(deck.SizeX - 2), 6 + rng_.IntBelow(deck.SizeY - 2),
                     false);
    }
    if (mayPass && Chance(0.15)) return Click(g, 790, 595, true);

    // Pick among the legal cards; facing a chain, mostly answer it, sometimes break it.
    std::array<int, kHandSlots> legal{};
    std::array<int, kHandSlots> answers{};
    int nLegal = 0, nAnswers = 0;
    const bool chain = ChainIsOpenAgainst(g, kHuman);
    const int16_t top = g.TopRank();
    for (int s = 0; s < kHandSlots; ++s) {
        if (!hand[s].Shown || !IsLegalHumanPlay(g, hand[s])) continue;
        legal[nLegal++] = s;
        if (chain && g.RankOf(hand[s]) == top) answers[nAnswers++] = s;
    }
    const bool answer = chain && nAnswers > 0 && !Chance(0.2);
    const auto& pool = answer ? answers : legal;
    const int poolSize = answer ? nAnswers : nLegal;
    for (int tries = 0; tries < 8 && poolSize > 0; ++tries) {
        const int s = pool[rng_.IntBelow(poolSize)];
        if (VisiblePointOf(g, s, false, true, rng_, x, y)) return Click(g, x, y, false);
    }
    // Nothing legal to reach on the screen: draw, or pass once drawn.
    if (mayDraw) {
        const CardRecord& deck = g.Deck[0];
        return Click(g, 5 + deck.SizeX / 2, 5 + deck.SizeY / 2, false);
    }
    return Click(g, 790, 595, true);
}

}  // namespace tarrabel::sim

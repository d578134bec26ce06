#include "human_policy.h"

#include <array>
#include <cmath>
#include <utility>

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

// What the click handlers test: the open rectangle at the card's position, or at its
// slot's layout point for right clicks.
bool Covers(const CardRecord& c, bool byHome, int x, int y) {
    if (!c.Shown || c.Moving) return false;
    return byHome ? InRect(c.HomeX, c.HomeY, c.SizeX, c.SizeY, x, y)
                  : InRect(c.X, c.Y, c.SizeX, c.SizeY, x, y);
}

// What the table shows: a card is drawn whole, at its position rounded to whole pixels, or
// not at all when its picture does not fit on the table; the pixel (x, y) shows it.
bool Paints(const Game& g, const CardRecord& c, int x, int y) {
    if (!c.Shown) return false;
    const int left = int(std::lrint(c.X)), top = int(std::lrint(c.Y));
    const TableLayout& l = g.Layout;
    if (left < 0 || top < 0 || left + c.SizeX > l.TableWidth || top + c.SizeY > l.TableHeight)
        return false;
    return left <= x && x < left + c.SizeX && top <= y && y < top + c.SizeY;
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

// Position of each slot in the table's drawing order: a higher one is drawn over a lower.
std::array<int, kHandSlots> DrawRanks(const Game& g) {
    std::array<int, kHandSlots> rank{};
    for (int i = 0; i < kHandSlots; ++i)
        rank[g.Layout.HumanDrawOrder[i]] = i;
    return rank;
}

// The player sees the card at this point, and the handler, trying the cards drawn over it
// first, reaches it without taking another one.
bool GoodPoint(const Game& g, const std::array<int, kHandSlots>& rank, int slot, ClickKind kind,
               int x, int y) {
    const auto& hand = g.Hands[kHuman];
    const bool byHome = kind == ClickKind::Pick;
    if (!Covers(hand[slot], byHome, x, y) || !Paints(g, hand[slot], x, y)) return false;
    for (int u = 0; u < kHandSlots; ++u) {
        if (rank[u] <= rank[slot]) continue;
        if (Paints(g, hand[u], x, y)) return false;  // hidden under it
        if (Covers(hand[u], byHome, x, y) && Takes(g, hand[u], kind)) return false;
    }
    return true;
}

// Calls f(x, y) for the good points of a slot until it answers false. Every column of the
// card is tried; of the rows only those where some card's edge starts or ends a band (and
// the middle row), since between two such rows nothing changes.
template <class F>
void ForEachGoodPoint(const Game& g, int slot, ClickKind kind, F f) {
    const auto& hand = g.Hands[kHuman];
    const CardRecord& c = hand[slot];
    const bool byHome = kind == ClickKind::Pick;
    const int left = byHome ? c.HomeX : int(std::lrint(c.X));
    const int top = byHome ? c.HomeY : int(std::lrint(c.Y));
    std::array<int, 2 * 4 * kHandSlots + 2> rows{};
    int nRows = 0;
    auto addRow = [&](int y) {
        if (y <= top || y >= top + c.SizeY) return;
        for (int i = 0; i < nRows; ++i)
            if (rows[i] == y) return;
        rows[nRows++] = y;
    };
    addRow(top + c.SizeY / 2);
    addRow(top + 1);
    for (const CardRecord& u : hand) {
        if (!u.Shown) continue;
        for (int edge : {int(std::lrint(u.Y)), int(u.HomeY)})
            for (int y : {edge, edge + 1, edge + u.SizeY - 1, edge + u.SizeY})
                addRow(y);
    }
    const std::array<int, kHandSlots> rank = DrawRanks(g);
    for (int i = 0; i < nRows; ++i)
        for (int x = left + 1; x < left + c.SizeX; ++x)
            if (GoodPoint(g, rank, slot, kind, x, rows[i]) && !f(x, rows[i])) return;
}

bool PointFor(const Game& g, int slot, ClickKind kind, Random& rng, int& x, int& y) {
    std::array<std::pair<int16_t, int16_t>, 512> points{};
    int n = 0;
    ForEachGoodPoint(g, slot, kind, [&](int px, int py) {
        points[n++] = {int16_t(px), int16_t(py)};
        return n < int(points.size());
    });
    if (n == 0) return false;
    const auto [px, py] = points[rng.IntBelow(n)];
    x = px;
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

int UnclickableLegalCard(const Game& g) {
    const auto& hand = g.Hands[kHuman];
    for (int s = 0; s < kHandSlots; ++s) {
        if (!hand[s].Shown || !IsLegalHumanPlay(g, hand[s])) continue;
        bool found = false;
        ForEachGoodPoint(g, s, ClickKind::Play, [&](int, int) {
            found = true;
            return false;
        });
        if (!found) return s;
    }
    return -1;
}

FrameInput PressAt(int x, int y, bool right) {
    FrameInput in;
    in.MouseX = x;
    in.MouseY = y;
    (right ? in.RightDown : in.LeftDown) = true;
    return in;
}

FrameInput HumanPolicy::Click(const Game& g, int x, int y, bool right) {
    pressedLast_ = true;
    idleFrames_ = rng_.IntBelow(12);
    (void)g;
    return PressAt(x, y, right);
}

FrameInput HumanPolicy::Decide(const Game& g) {
    aimedAt_ = -1;
    const FrameInput idle = PointerAtRest();
    if (pressedLast_) {  // let the button go between clicks
        pressedLast_ = false;
        return idle;
    }
    if (idleFrames_ > 0) {
        --idleFrames_;
        return idle;
    }
    if (g.State == GameState::DealScored) return Click(g, 400, 300, false);
    if (g.State == GameState::ChoosingSuit && g.SuitPromptShown) {
        std::array<int, 4> shown{};
        int n = 0;
        for (int i = 0; i < 4; ++i)
            if (g.SuitIcons[i].Shown) shown[n++] = i;
        if (n == 0) return idle;
        const CardRecord& icon = g.SuitIcons[shown[rng_.IntBelow(n)]];
        return Click(g, int(icon.X) + 1 + rng_.IntBelow(icon.SizeX - 2),
                     int(icon.Y) + 1 + rng_.IntBelow(icon.SizeY - 2), false);
    }
    if (g.CurrentPlayer == kHuman && g.WaitingForHuman && !g.HumanInputLocked &&
        !AnyCardMoving(g) &&
        (g.State == GameState::NormalPlay || g.State == GameState::PickingCardToMove))
        return DecideTurn(g);
    return idle;
}

FrameInput HumanPolicy::DecideTurn(const Game& g) {
    const auto& hand = g.Hands[kHuman];
    int x = 0, y = 0;

    if (g.State == GameState::PickingCardToMove) {
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
    // Every legal card shows a point that plays it; one that does not is a fault of the
    // table's layout or hit test, counted here, and the turn goes on by drawing or passing.
    if (answer && PlayOneOf(g, answers, nAnswers, x, y)) return Click(g, x, y, false);
    if (PlayOneOf(g, legal, nLegal, x, y)) return Click(g, x, y, false);
    if (nLegal > 0) ++strandedTurns_;
    if (mayDraw) {
        const CardRecord& deck = g.Deck[0];
        return Click(g, 5 + deck.SizeX / 2, 5 + deck.SizeY / 2, false);
    }
    return Click(g, 790, 595, true);
}

bool HumanPolicy::PlayOneOf(const Game& g, const std::array<int, kHandSlots>& pool, int n, int& x,
                            int& y) {
    if (n == 0) return false;
    const int first = rng_.IntBelow(n);
    for (int i = 0; i < n; ++i) {
        const int s = pool[(first + i) % n];
        if (VisiblePointOf(g, s, false, true, rng_, x, y)) {
            aimedAt_ = s;
            return true;
        }
    }
    return false;
}

}  // namespace tarrabel::sim

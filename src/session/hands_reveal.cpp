#include "session/hands_reveal.h"

#include <algorithm>

#include "rules/setup.h"

namespace tarrabel {

bool RevealingHands(const Game& g) {
    return g.State == GameState::DealScored && g.Options.ShowHandsAtDealEnd && !g.ScorePageUp;
}

float FlipOf(const Game& g, int seat) {
    // Right (1), top (2), left (3): the order play goes round the table.
    const int started = g.RevealFrame - (seat - 1) * kSeatDelayFrames;
    return std::clamp(float(started) / float(kFlipFrames), 0.0f, 1.0f);
}

void StepHandsReveal(Game& g) {
    if (!RevealingHands(g) || g.RevealFrame >= kRevealFrames) return;
    if (g.RevealFrame == 0) g.PlaySound(SoundId::CardFlip2);
    ++g.RevealFrame;
}

void HearDealEndButton(Game& g, bool leftDown) {
    if (!leftDown) g.DealEndClickHeld = false;
}

void TurnDealEnd(Game& g, bool byClick) {
    if (RevealingHands(g)) {
        g.ScorePageUp = true;
        g.DealEndClickHeld = byClick;
        return;
    }
    if (byClick && g.DealEndClickHeld) return;  // the click that turned to the page
    g.DealEndClickHeld = false;
    SetUpDeal(g);
}

}  // namespace tarrabel

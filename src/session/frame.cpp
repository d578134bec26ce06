#include "session/frame.h"

#include "motion/flights.h"
#include "rules/setup.h"
#include "session/hands_reveal.h"
#include "session/human_input.h"
#include "session/human_keys.h"
#include "session/state_machine.h"

namespace tarrabel {

namespace {

// Escape closes the rules when they are up, and leaves the game otherwise; the press that
// closed them does not leave the game too while it is held.
bool EscapeLeaves(Game& g, bool escapeDown) {
    if (!escapeDown) {
        g.EscapeHeld = false;
        return false;
    }
    if (g.RulesShown) {
        g.RulesShown = false;
        g.EscapeHeld = true;
        return false;
    }
    return !g.EscapeHeld;
}

}  // namespace

FrameResult RunGameFrame(Game& g, const FrameInput& in) {
    const bool pointerUsed =
        in.MouseX != g.MouseX || in.MouseY != g.MouseY || in.LeftDown || in.RightDown;
    g.MouseX = in.MouseX;
    g.MouseY = in.MouseY;
    if (EscapeLeaves(g, in.EscapeDown)) return FrameResult::Quit;

    // P toggles once per press, however long it is held.
    if (in.PauseKeyDown) {
        if (!g.PauseKeyHeld) {
            g.Paused = !g.Paused;
            g.PauseKeyHeld = true;
        }
    } else {
        g.PauseKeyHeld = false;
    }

    g.ClickedCard = -1;
    const bool humanDrewBefore = g.HumanDrew;
    // Clicks and keys are taken while paused too, as the old table took clicks; only what
    // has to move waits for the pause to end.
    if (pointerUsed) HideFocus(g);
    ExpireHint(g);
    SettleFocus(g);
    for (int k = 0; k < in.KeyCount; ++k) {
        const int16_t played = HumanKeyPressed(g, in.Keys[size_t(k)]);
        if (played >= 0 && g.ClickedCard < 0) g.ClickedCard = played;
    }
    // While the rules are up the table does not answer the mouse.
    const bool mouse = !g.RulesShown;
    HearDealEndButton(g, in.LeftDown);
    if (mouse && in.LeftDown) {
        if (g.State == GameState::DealScored)
            TurnDealEnd(g, true);
        else if (g.State == GameState::ChoosingSuit)
            HumanSuitClick(g, in.MouseX, in.MouseY);
        else if (g.CurrentPlayer == kHuman && !g.HumanInputLocked)
            g.ClickedCard = HumanLeftClick(g, in.MouseX, in.MouseY);
    }
    if (mouse && in.RightDown &&
        (g.State == GameState::NormalPlay || g.State == GameState::PickingCardToMove) &&
        g.CurrentPlayer == kHuman && !g.HumanInputLocked)
        HumanRightClick(g, in.MouseX, in.MouseY);

    bool played = false;
    if (!g.Paused && !g.RulesShown) {
        StepGameState(g);
        if (g.ClickedCard >= 0) played = FlyPlayedCardToPile(g, g.Hands[kHuman][g.ClickedCard]);
        SettleFocus(g);
    }
    if (g.ClickedCard >= 0 && !played) {
        // The card could not leave the hand (the game is paused, or a card is still in
        // flight): the play is not taken, so the human's turn stays open instead of waiting forever
        // for a card that never flies.
        g.HumanMoved = false;
        g.HumanInputLocked = false;
        g.HumanDrew = humanDrewBefore;
        g.ClickedCard = -1;
    }
    return FrameResult::Continue;
}

}  // namespace tarrabel

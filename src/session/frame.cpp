#include "session/frame.h"

#include "motion/flights.h"
#include "rules/setup.h"
#include "session/human_input.h"
#include "session/state_machine.h"

namespace tarrabel {

FrameResult RunGameFrame(Game& g, const FrameInput& in) {
    g.MouseX = in.MouseX;
    g.MouseY = in.MouseY;
    if (in.EscapeDown) return FrameResult::Quit;

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
    if (in.LeftDown) {
        if (g.State == GameState::DealScored)
            SetUpDeal(g);
        else if (g.State == GameState::ChoosingSuit)
            HumanSuitClick(g, in.MouseX, in.MouseY);
        else if (g.CurrentPlayer == kHuman && !g.HumanInputLocked)
            g.ClickedCard = HumanLeftClick(g, in.MouseX, in.MouseY);
    }
    if (in.RightDown &&
        (g.State == GameState::NormalPlay || g.State == GameState::PickingCardToMove) &&
        g.CurrentPlayer == kHuman && !g.HumanInputLocked)
        HumanRightClick(g, in.MouseX, in.MouseY);

    bool played = false;
    if (!g.Paused) {
        StepGameState(g);
        if (g.ClickedCard >= 0) played = FlyPlayedCardToPile(g, g.Hands[kHuman][g.ClickedCard]);
    }
    if (g.ClickedCard >= 0 && !played) {
        // The card could not leave the hand (the game is paused, or a card is still in
        // flight): the click is not taken, so the human's turn stays open instead of
        // waiting forever for a card that never flies.
        g.HumanMoved = false;
        g.HumanInputLocked = false;
        g.HumanDrew = humanDrewBefore;
        g.ClickedCard = -1;
    }
    return FrameResult::Continue;
}

}  // namespace tarrabel

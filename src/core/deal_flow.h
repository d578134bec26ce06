// Which state of the deal follows what has just happened: the one place that changes
// Game::State.
//
// The rules, the turn steps and the person's input do not choose states; they report what
// happened (a card was played that makes the next player take two, the deck ran out, the
// person picked a card to move) and Report picks the state that follows. What each state
// then does, frame by frame, is the state machine's other half (session/state_machine.cpp).
#pragma once

#include <cstdint>

#include "core/game.h"

namespace tarrabel {

enum class Happened : uint8_t {
    DealBegins,          // the cards are shuffled: deal them out
    AllDealt,            // every hand is full: turn up the starter
    AllDealtNoStarter,   // every hand is full in Pis Yedili: the first player opens
    StarterIsWild,       // the starter is a wild card: it goes back into the deck
    StarterBuried,       // the wild starter is back in the deck: turn up another
    TurnGoesOn,          // a card landed, a draw or a move ended: play goes on
    CannotPlay,          // the current player holds nothing to play: he draws a card
    PersonDraws,         // the person clicked the deck: he draws one card and goes on
    Passed,              // the current player passes: the pass is announced
    NextTakesThenPlays,  // the next player takes the penalty, then plays
    NextTakesAndSkips,   // the next player takes the penalty and loses his turn
    PersonTakesPenalty,  // the person takes the open penalty himself
    WildCardPlayed,      // the player of a wild card names a suit
    SuitNamed,           // the suit is named: it is announced
    CardPicked,          // the person picked one of his cards to move
    MoveTargetChosen,    // ... and the place it goes: the cards move
    MoveEnded,           // the move is done, or the pick was put down
    DeckRanOut,          // the deck is empty and the pile can refill it
    DeckRebuilt,         // the pile is the new deck: back to what was going on
    DealOver,            // the deal is scored: the score page
    PauseOver,           // a pause has run its time: back to what was going on
};

// Moves the deal on to the state that follows what happened.
void Report(Game& g, Happened what);

// Parks the deal in "PAUSED" for ms milliseconds; it then goes on in the state it was in.
void PauseFor(Game& g, int32_t ms);
// PauseFor, unless a pause has just ended (PauseDone): a landing that follows a pause
// does not pause again.
void PauseUnlessDone(Game& g, int32_t ms);

}  // namespace tarrabel

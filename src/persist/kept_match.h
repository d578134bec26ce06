// The match a player left unfinished, kept so that the next start can give back exactly
// the table he left.
//
// The game is deterministic from its seed and its inputs, so a match is kept as what went
// into it: the options and the seed the game started with, and for every frame the game
// took, the clock's tick and the mouse and keys of that frame. Played again headless, that
// gives the same cards in the same hands, the same deck, totals and history, the same
// player to play, and the same trace, event for event. A kept match is small (a few bytes a
// frame), cannot go out of step with the game's state, and a copy that a changed game
// plays differently is told by its digest instead of being resumed wrongly.
//
// The frames run from the start of the game that began the chain of play (a fresh start;
// a resumed game carries its chain on), so a match that follows others in the same run is
// replayed after them: the others cost a fraction of a second each.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/frame_input.h"
#include "core/game.h"
#include "core/options.h"

namespace tarrabel {

inline constexpr std::string_view kKeptMatchFileName = "unfinished-match.txt";

// The input of a frame, from the frame on where it changed.
struct InputChange {
    int32_t Frame = 0;
    FrameInput Input;
};

struct KeptMatch {
    std::string Version;     // of the game that kept it
    uint64_t Chain = 0;      // the chain of play (statistics count its matches once)
    int32_t MatchIndex = 1;  // the unfinished match's number in the chain, from 1
    uint64_t Seed = 0;
    GameOptions Options;              // as the game started
    int32_t FirstTick = 0;            // the game's clock when it was set up
    std::vector<int32_t> TickSteps;   // per frame: the milliseconds since the frame before
    std::vector<InputChange> Inputs;  // the frames whose input differs from the one before

    // As the last frame left the match: what the dialog offers to resume, and what the
    // statistics count when it is abandoned.
    int32_t DealsScored = 0;  // deals of the unfinished match scored
    int32_t HintsTaken = 0;
    std::array<int16_t, kSeats> Totals{};
    uint64_t Digest = 0;  // GameDigest after the last frame

    int32_t FrameCount() const { return int32_t(TickSteps.size()); }
    // Adds one frame the game took at that tick with that input.
    void AddFrame(int32_t tick, const FrameInput& in);
    // The tick of the last frame (FirstTick before any).
    int32_t LastTick() const { return lastTick_; }
    // Recomputes LastTick() after the frames were read from a file.
    void SumTicks();

  private:
    int32_t lastTick_ = 0;
    FrameInput lastInput_;
};

// The file's text and back. The reader is strict: a file it does not fully understand
// (damaged, cut short, or from a game that writes something else) is refused with why.
std::string FormatKeptMatch(const KeptMatch& k);
bool ParseKeptMatch(std::string_view text, KeptMatch* k, std::string* why);

// A short fingerprint of where the game stands: the cards in every hand, the deck and the
// pile, whose turn it is and in which state, the totals and the history, and where the
// random sequence stands.
uint64_t GameDigest(const Game& g, uint64_t rngState);

// The game as the kept match's frames leave it.
struct ReplayedMatch {
    std::unique_ptr<Game> Table;  // its services are cleared: the caller sets its own
    uint64_t RngState = 0;        // the table's random sequence carries on from here
    int32_t Tick = 0;             // the clock at the last frame
};

// Plays the kept match again without a window, telling the trace (may be null) every event
// from the start. False, with why, when its frames do not lead to the game it was kept
// from (the digest differs: another version of the game plays them otherwise).
bool ReplayKeptMatch(const KeptMatch& k, TraceSink* trace, ReplayedMatch* out, std::string* why);

}  // namespace tarrabel

// Plays deals headless through the real game logic, frame by frame, the way the table
// would show them: the computer players play themselves, and the human's seat is played
// through the same click handlers a person uses, with pointer coordinates.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/game.h"
#include "core/options.h"

namespace tarrabel::sim {

// Who plays the person's seat: the seeded clicking stand-in, a computer level whose
// choices are acted out as clicks, or the standard level's choices acted out on the keys.
enum class Seat0Player : uint8_t { Clicks, Standard, Expert, Keys };

struct SimConfig {
    GameVariant variant = GameVariant::Tarrabel;
    int deals = 1;
    uint64_t seed = 1;
    bool slow = false;
    bool showHands = true;  // the computer players' cards shown when a deal ends
    TraceSink* trace = nullptr;
    int64_t maxFramesPerDeal = 1'000'000;
    std::array<AiLevel, kSeats> levels{};  // seats 1 to 3
    Seat0Player seat0 = Seat0Player::Clicks;
    int matches = 0;                 // when above zero: play until this many matches are decided
    SecondCore* thinking = nullptr;  // the experts' second core, if any
};

struct SimResult {
    bool ok = true;
    std::string error;  // what went wrong, with seed, deal and frame
    int deals = 0;      // deals played to "END OF MATCH"
    int matches = 0;    // matches decided
    int64_t frames = 0;
    // Faults of the table as the human sees it; any of them fails the run. Frames of the
    // human's turn in which he held a card he may play that showed no point a left click
    // would play it at; turns on which the human had to draw or pass for that reason; and
    // left clicks aimed at one card of his hand that played another.
    int64_t unclickableFrames = 0;
    int64_t strandedTurns = 0;
    int64_t misplayedClicks = 0;
    std::array<double, kSeats> matchWins{};  // shares of the matches decided, by seat
};

SimResult RunSimulation(const SimConfig& config);

}  // namespace tarrabel::sim

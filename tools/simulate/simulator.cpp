#include "simulator.h"

#include <array>
#include <cstdio>
#include <memory>

#include "choice_policy.h"
#include "core/card_census.h"
#include "core/turns.h"
#include "human_policy.h"
#include "key_policy.h"
#include "match_result.h"
#include "session/frame.h"
#include "session/game_init.h"

namespace tarrabel::sim {

namespace {

// The human is to play in "NORMAL PLAY" and the table waits for his click.
bool HumansTurnToPlay(const Game& g) {
    return g.State == GameState::NormalPlay && g.CurrentPlayer == kHuman && g.WaitingForHuman &&
           !g.HumanInputLocked && !AnyCardMoving(g);
}

// The slot of the human's card that is flying to the pile, or -1.
int SlotInFlight(const Game& g) {
    for (int s = 0; s < kHandSlots; ++s)
        if (g.Hands[kHuman][s].Moving) return s;
    return -1;
}

}  // namespace

SimResult RunSimulation(const SimConfig& config) {
    SimResult result;
    VirtualClock clock;
    SeededRandom rng(config.seed);
    NullSound sound;
    Services io{&clock, &rng, &sound, config.trace, config.thinking};
    GameOptions options = DefaultOptions(config.variant);
    options.SlowAnimation = config.slow;
    options.ShowHandsAtDealEnd = config.showHands;

    auto game = std::make_unique<Game>();
    Game& g = *game;
    GameInit(g, options, io);
    for (int seat = 1; seat < kSeats; ++seat)
        g.SeatLevel[seat] = config.levels[seat];
    g.SeatLevel[kHuman] = config.seat0 == Seat0Player::Expert ? AiLevel::Expert : AiLevel::Standard;
    g.ExpertSeed ^= config.seed * 0x9E3779B97F4A7C15ull;
    HumanPolicy human(config.seed ^ 0x5DEECE66Dull);
    ChoicePolicy chooser(config.seat0 == Seat0Player::Expert ? AiLevel::Expert : AiLevel::Standard,
                         config.seed ^ 0x2545F4914F6CDD1Dull);
    KeyPolicy keys(config.seed ^ 0x2545F4914F6CDD1Dull);
    const bool clicks = config.seat0 == Seat0Player::Clicks;
    const bool byKeys = config.seat0 == Seat0Player::Keys;

    int64_t framesInDeal = 0;
    bool dealCounted = false;
    std::string why;
    auto fail = [&](const std::string& what) {
        char head[160];
        std::snprintf(head, sizeof head,
                      "seed %llu, deal %d, frame %lld: ", (unsigned long long)config.seed,
                      result.deals + 1, (long long)framesInDeal);
        result.ok = false;
        result.error = head + what;
        return result;
    };

    std::string firstTableFault;
    auto tableFault = [&](const std::string& what) {
        if (!firstTableFault.empty()) return;
        char head[160];
        std::snprintf(head, sizeof head,
                      "seed %llu, deal %d, frame %lld: ", (unsigned long long)config.seed,
                      result.deals + 1, (long long)framesInDeal);
        firstTableFault = head + what;
    };

    auto more = [&] {
        return config.matches > 0 ? result.matches < config.matches : result.deals < config.deals;
    };
    while (more()) {
        const int dealBefore = g.DealsStarted;
        if (HumansTurnToPlay(g)) {
            const int slot = UnclickableLegalCard(g);
            if (slot >= 0) {
                ++result.unclickableFrames;
                tableFault("the legal card in slot " + std::to_string(slot) +
                           " shows no point that plays it");
            }
        }
        const FrameInput input = clicks   ? human.Decide(g)
                                 : byKeys ? keys.Decide(g)
                                          : chooser.Decide(g);
        const int aimed = clicks ? human.AimedAt() : byKeys ? keys.AimedAt() : chooser.AimedAt();
        RunGameFrame(g, input);
        if (aimed >= 0) {
            const int played = SlotInFlight(g);
            // A click that breaks a chain takes the penalty cards and plays nothing.
            const bool brokeChain = played < 0 && g.State == GameState::PersonTakingPenalty;
            if (played != aimed && !brokeChain) {
                ++result.misplayedClicks;
                tableFault("a click at slot " + std::to_string(aimed) + " played slot " +
                           std::to_string(played));
            }
        }
        clock.Advance(16);
        ++result.frames;
        ++framesInDeal;
        if (g.DealsStarted != dealBefore) {
            framesInDeal = 0;
            dealCounted = false;
        }
        if (!CheckCardInvariant(g, &why))
            return fail(why + " in \"" + std::string(StateName(g.State)) + "\"");
        if (g.State == GameState::DealScored && !dealCounted) {
            dealCounted = true;
            ++result.deals;
            if (g.NewMatch) {
                ++result.matches;
                const auto share = MatchWinShares(g);
                for (int seat = 0; seat < kSeats; ++seat)
                    result.matchWins[seat] += share[seat];
            }
        }
        if (framesInDeal > config.maxFramesPerDeal)
            return fail("the deal has not ended, stuck in \"" + std::string(StateName(g.State)) +
                        "\"");
    }
    result.strandedTurns = human.StrandedTurns();
    if (result.unclickableFrames > 0 || result.strandedTurns > 0 || result.misplayedClicks > 0) {
        result.ok = false;
        result.error =
            std::to_string(result.unclickableFrames) + " unclickable frames, " +
            std::to_string(result.strandedTurns) + " stranded turns, " +
            std::to_string(result.misplayedClicks) + " misplayed clicks; first: " +
            (firstTableFault.empty() ? "a turn without a card to click" : firstTableFault);
    }
    return result;
}

}  // namespace tarrabel::sim

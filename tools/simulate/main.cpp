// simulate --variant V (--deals N | --matches M) --seed S [--trace FILE] [--slow]
//          [--ai LEVEL | --ai L1,L2,L3] [--seat0 clicks|standard|expert|keys] [--two-cores]
//
// Plays N deals (or M whole matches) of variant V through the real game logic and checks
// after every frame that no card is lost or doubled, and that every card the human may play
// shows a point where a click plays it. --ai sets the computer players of seats 1 to 3
// (one level for all, or one each); --seat0 plays the person's seat with the seeded
// clicking stand-in, with a computer level's choices acted out as clicks, or with the
// standard level's choices acted out on the keyboard alone (keys). With --matches
// it also prints each seat's share of the matches won. --two-cores lets the experts think
// on a second core, as in the game (their decisions are the same either way, only sooner).
// A developer's tool: it is not part of the game.
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "ai/thinking_thread.h"

#include "session/trace_writer.h"
#include "simulator.h"

namespace {

void Usage() {
    std::fprintf(stderr,
                 "usage: simulate --variant V (--deals N | --matches M) --seed S [--trace FILE] "
                 "[--slow]\n"
                 "                [--ai easy|standard|expert|L1,L2,L3] "
                 "[--seat0 clicks|standard|expert|keys] [--two-cores]\n"
                 "  V: 0 Tarrabel, 1 Huit Americain, 2 Agonia, 3 Illustrated Agonia, "
                 "4 Pis Yedili\n");
}

bool ParseNumber(const char* text, long long lo, long long hi, long long& out) {
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || v < lo || v > hi) return false;
    out = v;
    return true;
}

bool ParseLevel(const std::string& text, tarrabel::AiLevel& out) {
    if (text == "easy") {
        out = tarrabel::AiLevel::Easy;
        return true;
    }
    if (text == "standard") {
        out = tarrabel::AiLevel::Standard;
        return true;
    }
    if (text == "expert") {
        out = tarrabel::AiLevel::Expert;
        return true;
    }
    return false;
}

// "expert" for seats 1 to 3, or "easy,expert,standard" seat by seat.
bool ParseLevels(const std::string& text, std::array<tarrabel::AiLevel, tarrabel::kSeats>& out) {
    tarrabel::AiLevel one{};
    if (ParseLevel(text, one)) {
        for (int seat = 1; seat < tarrabel::kSeats; ++seat)
            out[seat] = one;
        return true;
    }
    size_t start = 0;
    for (int seat = 1; seat < tarrabel::kSeats; ++seat) {
        const size_t comma = text.find(',', start);
        const bool last = seat == tarrabel::kSeats - 1;
        if (last != (comma == std::string::npos)) return false;
        if (!ParseLevel(text.substr(start, last ? std::string::npos : comma - start), out[seat]))
            return false;
        start = comma + 1;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    long long variant = -1, deals = -1, seed = -1;
    const char* tracePath = nullptr;
    bool slow = false;
    long long matches = 0;
    std::array<tarrabel::AiLevel, tarrabel::kSeats> levels{};
    tarrabel::sim::Seat0Player seat0 = tarrabel::sim::Seat0Player::Clicks;
    bool twoCores = false;
    bool report = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--variant" && hasValue) {
            if (!ParseNumber(argv[++i], 0, 4, variant)) {
                std::fprintf(stderr, "simulate: --variant must be 0 to 4\n");
                return 2;
            }
        } else if (arg == "--deals" && hasValue) {
            if (!ParseNumber(argv[++i], 1, 100'000'000, deals)) {
                std::fprintf(stderr, "simulate: --deals must be a positive number\n");
                return 2;
            }
        } else if (arg == "--seed" && hasValue) {
            if (!ParseNumber(argv[++i], 0, 9'000'000'000'000'000'000LL, seed)) {
                std::fprintf(stderr, "simulate: --seed must be a number 0 or more\n");
                return 2;
            }
        } else if (arg == "--trace" && hasValue) {
            tracePath = argv[++i];
        } else if (arg == "--matches" && hasValue) {
            if (!ParseNumber(argv[++i], 1, 100'000'000, matches)) {
                std::fprintf(stderr, "simulate: --matches must be a positive number\n");
                return 2;
            }
            report = true;
        } else if (arg == "--ai" && hasValue) {
            if (!ParseLevels(argv[++i], levels)) {
                std::fprintf(stderr,
                             "simulate: --ai must be easy, standard, expert or three of them, "
                             "comma-separated\n");
                return 2;
            }
            report = true;
        } else if (arg == "--seat0" && hasValue) {
            const std::string who = argv[++i];
            if (who == "clicks") {
                seat0 = tarrabel::sim::Seat0Player::Clicks;
            } else if (who == "standard") {
                seat0 = tarrabel::sim::Seat0Player::Standard;
            } else if (who == "expert") {
                seat0 = tarrabel::sim::Seat0Player::Expert;
            } else if (who == "keys") {
                seat0 = tarrabel::sim::Seat0Player::Keys;
            } else {
                std::fprintf(stderr,
                             "simulate: --seat0 must be clicks, standard, expert or keys\n");
                return 2;
            }
            report = true;
        } else if (arg == "--slow") {
            slow = true;
        } else if (arg == "--two-cores") {
            twoCores = true;
        } else {
            Usage();
            return 2;
        }
    }
    if (variant < 0 || (deals < 0) == (matches == 0) || seed < 0) {
        Usage();
        return 2;
    }

    std::FILE* traceFile = nullptr;
    if (tracePath) {
        traceFile = std::fopen(tracePath, "w");
        if (!traceFile) {
            std::fprintf(stderr, "simulate: cannot write the trace file %s: %s\n", tracePath,
                         std::strerror(errno));
            return 2;
        }
    }
    tarrabel::JsonTraceWriter writer(traceFile);

    tarrabel::sim::SimConfig config;
    config.variant = tarrabel::GameVariant(variant);
    config.deals = int(deals);
    config.matches = int(matches);
    config.levels = levels;
    config.seat0 = seat0;
    config.seed = uint64_t(seed);
    config.slow = slow;
    config.trace = traceFile ? &writer : nullptr;
    std::unique_ptr<tarrabel::ThinkingThread> secondCore;
    if (twoCores) secondCore = std::make_unique<tarrabel::ThinkingThread>();
    config.thinking = secondCore.get();

    const auto start = std::chrono::steady_clock::now();
    const tarrabel::sim::SimResult r = tarrabel::sim::RunSimulation(config);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    if (traceFile && std::fclose(traceFile) != 0) {
        std::fprintf(stderr, "simulate: writing the trace file %s failed\n", tracePath);
        return 2;
    }
    if (!r.ok) {
        std::fprintf(stderr, "simulate: variant %lld: %s\n", variant, r.error.c_str());
        return 1;
    }
    std::printf(
        "simulate: variant %lld, %d deals, %d matches, %lld frames, %.2f s, %.0f "
        "frames/s, %lld unclickable frames, invariants ok\n",
        variant, r.deals, r.matches, (long long)r.frames, seconds,
        seconds > 0 ? double(r.frames) / seconds : 0.0, (long long)r.unclickableFrames);
    if (report) {
        std::printf("simulate: matches won by seat:");
        for (int seat = 0; seat < tarrabel::kSeats; ++seat)
            std::printf(" %d %.1f", seat, r.matchWins[seat]);
        std::printf(" of %d\n", r.matches);
    }
    return 0;
}

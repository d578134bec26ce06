// simulate --variant V --deals N --seed S [--trace FILE] [--slow]
//
// Plays N deals of variant V through the real game logic and checks after every frame that
// no card is lost or doubled, and that every card the human may play shows a point where a
// click plays it. A developer's tool: it is not part of the game.
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "session/trace_writer.h"
#include "simulator.h"

namespace {

void Usage() {
    std::fprintf(stderr,
                 "usage: simulate --variant V --deals N --seed S [--trace FILE] [--slow]\n"
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

}  // namespace

int main(int argc, char** argv) {
    long long variant = -1, deals = -1, seed = -1;
    const char* tracePath = nullptr;
    bool slow = false;
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
        } else if (arg == "--slow") {
            slow = true;
        } else {
            Usage();
            return 2;
        }
    }
    if (variant < 0 || deals < 0 || seed < 0) {
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
    config.seed = uint64_t(seed);
    config.slow = slow;
    config.trace = traceFile ? &writer : nullptr;

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
    return 0;
}

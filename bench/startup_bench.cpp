// startup_bench [DENSITY [VARIANT]]
//
// What the game's start-up costs in art at one density: the build's res134.pak unpacked into
// a private folder for a table composed at DENSITY (1, 2 or 3; 1 by default), every picture
// and font loaded over the null platform for the game VARIANT (0..4, Tarrabel by default),
// and the tree deleted again, as the game does before its first frame. Prints the time of
// each step (the best of a few runs, so a cold disk cache does not count) and the peak
// resident memory of the process, which holds one loaded set: run it once per density.
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "core/game.h"
#include "core/options.h"
#include "core/services.h"
#include "platform/null_platform.h"
#include "platform/picture_convert.h"
#include "presentation/pictures.h"
#include "resources/density_names.h"
#include "resources/unpack.h"
#include "session/game_init.h"

#ifndef TARRABEL_BENCH_PAK
#error "TARRABEL_BENCH_PAK names the build's res134.pak"
#endif

namespace {

using namespace tarrabel;
namespace fs = std::filesystem;
using WallClock = std::chrono::steady_clock;

double MsSince(WallClock::time_point start) {
    return std::chrono::duration<double, std::milli>(WallClock::now() - start).count();
}

size_t PictureBytes(const platform::Surface& s) {
    return s.Pixels.size() * sizeof(uint16_t) + s.Runs.size() * sizeof(platform::OpaqueRun) +
           s.RowRuns.size() * sizeof(uint32_t);
}

size_t SetBytes(const TablePictures& p) {
    size_t n = PictureBytes(p.Felt) + PictureBytes(p.CardBack) + PictureBytes(p.PassBanner) +
               PictureBytes(p.ScorePage) + PictureBytes(p.PickFrame) +
               PictureBytes(p.ScoreRuleTop) + PictureBytes(p.ScoreRuleSide) +
               PictureBytes(p.ScoreRuleBottom) + PictureBytes(p.Pointer) +
               PictureBytes(p.HandwritingFont.Picture) + PictureBytes(p.ClockFont.Picture) +
               PictureBytes(p.GiltFont.Picture);
    for (const auto& c : p.CardFaces)
        n += PictureBytes(c);
    for (const auto& s : p.SuitIcons)
        n += PictureBytes(s);
    for (const auto& f : p.ScoreLineFonts)
        n += PictureBytes(f.Picture);
    return n;
}

}  // namespace

int main(int argc, char** argv) {
    const int density = argc > 1 ? std::atoi(argv[1]) : 1;
    const int variant = argc > 2 ? std::atoi(argv[2]) : 0;
    if (!IsDensity(density) || variant < 0 || variant >= kVariantCount) {
        std::fprintf(stderr, "usage: startup_bench [DENSITY 1..3 [VARIANT 0..4]]\n");
        return 2;
    }
    const fs::path folder =
        fs::temp_directory_path() / ("tarrabel_startup_bench_" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy_file(TARRABEL_BENCH_PAK, folder / kPakFileName);

    VirtualClock clock;
    SeededRandom rng(7);
    NullSound sound;
    auto game = std::make_unique<Game>();
    GameInit(*game, DefaultOptions(GameVariant(variant)), Services{&clock, &rng, &sound, nullptr});
    platform::NullPlatform null;

    constexpr int kRuns = 5;
    double unpackMs = 1e9, loadMs = 1e9, deleteMs = 1e9;
    size_t bytes = 0;
    int width = 0;
    for (int run = 0; run < kRuns; ++run) {
        UnpackOptions options;
        options.ArchiveFolder = folder;
        options.Density = density;
        ResourceTree tree;
        std::string error;
        auto start = WallClock::now();
        if (!UnpackResources(options, platform::ConvertJpegToBmp, &tree, &error)) {
            std::fprintf(stderr, "startup_bench: %s\n", error.c_str());
            return 1;
        }
        unpackMs = std::min(unpackMs, MsSince(start));
        // A fresh set each run, as the game loads one; the last one stays loaded.
        static TablePictures pictures;
        pictures = TablePictures{};
        start = WallClock::now();
        if (!LoadPictures(null, tree, *game, pictures, &error, density)) {
            std::fprintf(stderr, "startup_bench: %s\n", error.c_str());
            return 1;
        }
        loadMs = std::min(loadMs, MsSince(start));
        start = WallClock::now();
        DeleteResources(tree);
        deleteMs = std::min(deleteMs, MsSince(start));
        bytes = SetBytes(pictures);
        width = pictures.CardFaces[0].Width;
    }
    fs::remove_all(folder);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf(
        "density %d, variant %d (%d cards, %d pixels wide): unpack %.1f ms, load %.1f ms, "
        "delete %.1f ms, total %.1f ms (best of %d); pictures %.1f MB; peak RSS %.1f MB\n",
        density, variant, game->Rules.DeckSize, width, unpackMs, loadMs, deleteMs,
        unpackMs + loadMs + deleteMs, kRuns, double(bytes) / 1e6, double(usage.ru_maxrss) / 1024.0);
    return 0;
}

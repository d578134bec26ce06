// The table on screen, frame by frame, with the real art: the build's res134.pak is unpacked
// into a private folder and loaded over the null platform, and a seeded stand-in for the
// human plays until the table shows the scene to be timed.
//
// BM_ComposeTable times what a frame draws: the felt, the score page where it fits, every
// card, icon and banner, the clock and the pointer, into the 800 x 600 back buffer.
// BM_StillFrame times the whole frame of the game at the same scene (input, a step of the
// state machine that changes nothing, the drawing, the idle test). BM_PlayFrame times whole
// frames over complete deals, cards flying, with the stand-in clicking.
//
// Each reports the heap allocations made inside frames; drawing must make none.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <tuple>

#include "app/table_app.h"
#include "core/game.h"
#include "platform/null_platform.h"
#include "platform/picture_convert.h"
#include "platform/surface.h"
#include "presentation/draw_table.h"
#include "presentation/pictures.h"
#include "resources/unpack.h"
#include "simulate/human_policy.h"

#ifndef TARRABEL_BENCH_PAK
#error "TARRABEL_BENCH_PAK names the build's res134.pak"
#endif

#include "allocation_counter.h"

namespace {

using namespace tarrabel;
namespace fs = std::filesystem;

// A private folder holding a copy of the build's archive, removed at exit. The game deletes
// the unpacked tree once its pictures are loaded, so every table unpacks it anew.
class ArtFolder {
  public:
    ArtFolder() {
        folder_ = fs::temp_directory_path() / ("tarrabel_table_bench_" + std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        fs::copy_file(TARRABEL_BENCH_PAK, folder_ / kPakFileName);
    }
    ~ArtFolder() {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    bool Unpack(ResourceTree* tree, std::string* error) const {
        UnpackOptions options;
        options.ArchiveFolder = folder_;
        return UnpackResources(options, platform::ConvertJpegToBmp, tree, error);
    }

  private:
    fs::path folder_;
};

ArtFolder& Art() {
    static ArtFolder art;
    return art;
}

enum class Scene : int {
    // The human's turn in the middle of a deal: full hands, 11 or more cards on the pile and
    // the draw pile in place; nothing moves until he clicks.
    MidDeal = 0,
    // "END OF MATCH": the score page over the table, waiting for a click to deal again.
    ScorePage = 1,
};

int CardsInHands(const Game& g) {
    int n = 0;
    for (int16_t count : g.HandCount)
        n += count;
    return n;
}

bool SceneReached(const Game& g, Scene scene) {
    if (scene == Scene::ScorePage) return g.State == GameState::DealScored;
    return g.State == GameState::NormalPlay && g.WaitingForHuman && g.PileCount >= 11 &&
           CardsInHands(g) >= 24;
}

// One game at the table over the null platform, with a second set of the pictures for
// composing frames outside the app (the app keeps its own to itself).
struct Table {
    platform::NullPlatform null;
    std::unique_ptr<TableApp> app;
    TablePictures pictures;
    platform::Surface back;
    sim::HumanPolicy human{4242};
    std::string error;
    int64_t framesToScene = 0;

    Table(GameVariant variant, bool fullScreen) {
        ResourceTree tree;
        if (!Art().Unpack(&tree, &error)) return;
        TableAppConfig config;
        config.Options = DefaultOptions(variant);
        config.Options.FullScreen = fullScreen;
        config.Seed = 7;
        config.IdleWait = true;  // only read back: RunFrame never waits itself
        app = std::make_unique<TableApp>(null, tree, config);
        if (!app->GameInit(&error)) {
            app.reset();
            return;
        }
        // The app deleted the tree after loading; unpack once more for the second set.
        if (!Art().Unpack(&tree, &error)) return;
        if (!LoadPictures(null, tree, app->game(), pictures, &error)) return;
        DeleteResources(tree);
        back = platform::MakeSurface(config.Options.ScreenWidth, config.Options.ScreenHeight);
        null.Recorded().Played.reserve(4096);
    }
    ~Table() { ReleasePictures(pictures); }

    bool Ok() const { return app && error.empty(); }

    // One frame with the stand-in's mouse and keys. The null platform keeps every sound
    // asked for; the list is emptied so that its growth is not counted as the game's.
    bool PlayFrame() {
        null.Recorded().Played.clear();
        null.SetInput(human.Decide(app->game()));
        return app->RunFrame();
    }

    // Plays until the scene is on the table, then lets go of the mouse and runs frames
    // until one changes nothing.
    bool Reach(Scene scene, int64_t maxFrames) {
        for (; framesToScene < maxFrames; ++framesToScene) {
            if (SceneReached(app->game(), scene)) break;
            if (!PlayFrame()) return false;
        }
        if (!SceneReached(app->game(), scene)) return false;
        FrameInput still;
        still.MouseX = app->game().MouseX;
        still.MouseY = app->game().MouseY;
        null.SetInput(still);
        for (int i = 0; i < 600; ++i) {
            if (!app->RunFrame()) return false;
            if (app->IdleTimeoutMs() >= 0) return SceneReached(app->game(), scene);
        }
        return false;
    }
};

// A table that cannot be set up or a game that ends ends the run: there is nothing to
// time. (Skipping one benchmark instead trips the library's statistics over repetitions.)
[[noreturn]] void Fail(const std::string& error) {
    std::fprintf(stderr, "table_bench: %s\n", error.c_str());
    std::exit(1);
}

// The tables are built once and kept: Google Benchmark calls each function several times.
Table& SceneTable(GameVariant variant, Scene scene, bool fullScreen) {
    static std::map<std::tuple<int, int, bool>, std::unique_ptr<Table>> tables;
    auto& t = tables[{int(variant), int(scene), fullScreen}];
    if (!t) {
        t = std::make_unique<Table>(variant, fullScreen);
        if (!t->Ok()) Fail(t->error);
        if (!t->Reach(scene, 2'000'000)) Fail("the scene was not reached");
    }
    return *t;
}

// Reported, not judged here: a frame of the game must show 0.
void ReportAllocations(benchmark::State& state, long long allocations) {
    state.counters["allocs/frame"] = double(allocations) / double(state.iterations());
}

void ReportScene(benchmark::State& state, const Game& g) {
    state.counters["hand cards"] = CardsInHands(g);
    state.counters["pile"] = g.PileCount;
    state.counters["draw pile"] = g.Rules.DeckSize - g.DeckPos;
}

// Exactly the drawing of a frame: the felt opaque, the score page where it fits, the
// table, the pointer.
void BM_ComposeTable(benchmark::State& state) {
    const auto variant = GameVariant(state.range(0));
    const auto scene = Scene(state.range(1));
    Table& t = SceneTable(variant, scene, true);
    const Game& g = t.app->game();
    TablePictures& pics = t.pictures;
    const platform::Rect clip{0, 0, t.back.Width, t.back.Height};
    const double secondsOfDay = 10 * 3600 + 42 * 60;
    DrawList list;

    const long long before = g_allocations.load();
    for (auto _ : state) {
        list.Begin(clip.Right, clip.Bottom, 1, clip);
        list.Add(pics.Felt, {}, 0, 0, false);
        list.Add(pics.ScorePage, {}, 780, 5, true);
        TableCanvas canvas{pics, list};
        DrawTable(g, canvas, secondsOfDay);
        list.Add(pics.Pointer, {0, 0, 32, 32}, g.MouseX - 16, g.MouseY - 16, true);
        Compose(list, t.back, clip);
        benchmark::DoNotOptimize(t.back.Pixels.data());
        benchmark::ClobberMemory();
    }
    ReportAllocations(state, g_allocations.load() - before);
    ReportScene(state, g);
}

// The app's whole frame at the same scene, the game standing still.
void BM_StillFrame(benchmark::State& state) {
    const auto variant = GameVariant(state.range(0));
    const auto scene = Scene(state.range(1));
    const bool fullScreen = state.range(2) != 0;
    Table& t = SceneTable(variant, scene, fullScreen);
    long long moved = 0;
    const long long before = g_allocations.load();
    for (auto _ : state) {
        t.app->RunFrame();
        moved += t.app->IdleTimeoutMs() < 0;
    }
    ReportAllocations(state, g_allocations.load() - before);
    state.counters["frames that changed"] = double(moved);
    ReportScene(state, t.app->game());
}

// Whole frames over complete deals with the stand-in playing: dealing, flights, turns.
void BM_PlayFrame(benchmark::State& state) {
    const auto variant = GameVariant(state.range(0));
    static std::map<int, std::unique_ptr<Table>> tables;
    auto& t = tables[int(variant)];
    if (!t) t = std::make_unique<Table>(variant, true);
    if (!t->Ok()) Fail(t->error);
    const int deals = t->app->game().DealsStarted;
    const long long before = g_allocations.load();
    for (auto _ : state) {
        if (!t->PlayFrame()) Fail("the game ended");
    }
    ReportAllocations(state, g_allocations.load() - before);
    state.counters["deals"] = double(t->app->game().DealsStarted - deals);
}

constexpr int kPisYedili = int(GameVariant::PisYedili);
constexpr int kIllustratedAgonia = int(GameVariant::IllustratedAgonia);
constexpr int kMidDeal = int(Scene::MidDeal), kScorePage = int(Scene::ScorePage);

BENCHMARK(BM_ComposeTable)
    ->ArgNames({"variant", "scene"})
    ->Args({kPisYedili, kMidDeal})
    ->Args({kIllustratedAgonia, kMidDeal})
    ->Args({kPisYedili, kScorePage})
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK(BM_StillFrame)
    ->ArgNames({"variant", "scene", "fullscreen"})
    ->Args({kPisYedili, kMidDeal, 1})
    ->Args({kPisYedili, kScorePage, 1})
    ->Args({kPisYedili, kMidDeal, 0})
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK(BM_PlayFrame)
    ->ArgName("variant")
    ->DenseRange(0, 4)
    ->MinTime(1.0)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

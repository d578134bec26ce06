#include "app/table_app.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <thread>
#include <type_traits>

#include "platform/letterbox.h"
#include "presentation/draw_table.h"
#include "rules/setup.h"
#include "session/game_init.h"

namespace tarrabel {

// The idle test compares the game's bytes before and after a frame.
static_assert(std::is_trivially_copyable_v<Game>);

namespace {

constexpr int32_t kWaitForInput = 0x7fffffff;

// The pointer picture is 32 x 32 with its hot spot in the middle.
constexpr int32_t kPointerSize = 32, kPointerHotSpot = 16;

}  // namespace

namespace {

// Writes the caption into a buffer of the caller's, so that a frame never allocates.
void FormatWindowCaption(char* out, size_t size, int32_t mouseX, int32_t mouseY, float fps) {
    // One decimal, no leading zero below 1 (".5"), like the "#.0" number format.
    char rate[32];
    std::snprintf(rate, sizeof rate, "%.1f", double(fps));
    const char* shown = (rate[0] == '0' && rate[1] == '.') ? rate + 1 : rate;
    std::snprintf(out, size, "   %d   %d    Frames per Second =%s", int(mouseX), int(mouseY),
                  shown);
}

constexpr size_t kCaptionSize = 96;

}  // namespace

std::string WindowCaption(int32_t mouseX, int32_t mouseY, float fps) {
    char caption[kCaptionSize];
    FormatWindowCaption(caption, sizeof caption, mouseX, mouseY, fps);
    return caption;
}

TableApp::TableApp(platform::Platform& p, const ResourceTree& tree, const TableAppConfig& config)
    : platform_(p),
      tree_(tree),
      config_(config),
      rng_(config.Seed),
      game_(std::make_unique<Game>()),
      before_(std::make_unique<Game>()),
      pictures_(std::make_unique<TablePictures>()) {
    caption_.reserve(kCaptionSize);
}

TableApp::~TableApp() {
    ExitGame();
}

bool TableApp::GameInit(std::string* error) {
    Game& g = *game_;
    if (!secondCore_ && std::thread::hardware_concurrency() >= 2)
        secondCore_ = std::make_unique<ThinkingThread>();
    const Services io{&clock_, &rng_, &platform_.Sound(), config_.Trace, secondCore_.get()};
    if (config_.Resume) {
        // The kept match where it was left: its clock carries on from its last frame.
        g = *config_.Resume->Table;
        g.io = io;
        rng_.Seed(config_.Resume->RngState);
        tickOffset_ = config_.Resume->Tick - int32_t(platform_.TicksMs());
    } else {
        // A new game: the generator seeded, totals at zero, names for the computer players.
        rng_.Seed(config_.Seed);
        StartNewGame(g, config_.Options, io);
    }
    clock_.Set(int32_t(platform_.TicksMs()) + tickOffset_);

    platform::DisplaySettings display;
    display.FullScreen = config_.Options.FullScreen;
    display.TableWidth = config_.Options.ScreenWidth;
    display.TableHeight = config_.Options.ScreenHeight;
    display.Window = config_.Window;
    if (!platform_.OpenDisplay(display, error)) return false;
    displayOpen_ = true;
    released_ = false;

    clip_ = {0, 0, config_.Options.ScreenWidth, config_.Options.ScreenHeight};
    density_ = WantedDensity();
    if (config_.UnpackArt && !config_.UnpackArt(density_, &tree_, error)) {
        ExitGame();
        return false;
    }
    platform_.InitSound();
    platform_.LoadSounds(ResourcePath(tree_, "res\\sounds\\CARD_FLIP.WAV").parent_path().string());
    if (!LoadPictures(platform_, tree_, g, *pictures_, error, density_)) {
        DeleteResources(tree_);
        ExitGame();
        return false;
    }
    back_ = platform::MakeSurface(clip_.Right * density_, clip_.Bottom * density_);
    damage_.Invalidate();

    if (!config_.Resume) {
        clock_.Set(int32_t(platform_.TicksMs()) + tickOffset_);
        SetUpDeal(g);  // the first deal, in "DEALING CARDS"
    }
    if (config_.Recorder) config_.Recorder->Started(g, clock_.TickMs());
    running_ = true;
    platform_.ShowSystemCursor(false);  // the table draws its own pointer
    // Everything is in memory now: the unpacked files are not needed any more.
    DeleteResources(tree_);
    std::memcpy(static_cast<void*>(before_.get()), game_.get(), sizeof(Game));
    return true;
}

void TableApp::GameLoop() {
    while (running_ && RunFrame()) {
        if (idleTimeoutMs_ >= 0)
            platform_.WaitForEvent(idleTimeoutMs_ == kWaitForInput ? -1 : idleTimeoutMs_);
    }
    ExitGame();
}

bool TableApp::RunFrame() {
    Game& g = *game_;
    idleTimeoutMs_ = -1;
    if (!platform_.PumpEvents()) return false;  // the window was closed
    if (platform_.Minimised()) {
        // Nothing to show: sleep until the window comes back (or a key is pressed).
        idleTimeoutMs_ = config_.IdleWait ? kWaitForInput : -1;
        return true;
    }

    const FrameInput in = platform_.ReadInput();
    std::memcpy(static_cast<void*>(before_.get()), &g, sizeof(Game));
    clock_.Set(int32_t(platform_.TicksMs()) + tickOffset_);
    if (RunGameFrame(g, in) == FrameResult::Quit) return false;
    if (config_.Recorder) config_.Recorder->FrameTaken(g, clock_.TickMs(), in, rng_.State());

    // F11 or Alt+Return may have switched the mode since the last frame: the options follow
    // the mode in force, which is the one to remember for the next start.
    config_.Options.FullScreen = platform_.FullScreen();
    // Paused in a window, the player may want to leave it: the desktop's pointer comes back.
    const bool cursorShown = g.Paused && !config_.Options.FullScreen;
    if (cursorShown != cursorShown_) platform_.ShowSystemCursor(cursorShown);
    cursorShown_ = cursorShown;
    if (g.Paused) {
        // The picture stays as it was; only keys and clicks are taken. It is shown again
        // where the window needs it (switched to full screen or back, resized or uncovered
        // during the pause); nothing is sent otherwise.
        if (!back_.Empty()) platform_.Present(back_, {});
        idleTimeoutMs_ = config_.IdleWait ? kWaitForInput : -1;
        lastInput_ = in;
        if (config_.Recorder) config_.Recorder->Waiting(g);
        return true;
    }

    // Pictures live in memory; a lost display only loses what it showed, which the
    // platform shows whole again.
    const bool reset = platform_.TakeDisplayReset();
    FollowTheWindowsDensity();
    ComposeFrame();
    platform_.Present(back_, *redrawn_);
    UpdateFrameRate();
    if (!config_.Options.FullScreen) UpdateCaption();

    const bool changed = reset || std::memcmp(before_.get(), &g, sizeof(Game)) != 0;
    idleTimeoutMs_ = config_.IdleWait ? ComputeIdleTimeout(changed, in) : -1;
    lastInput_ = in;
    if (config_.Recorder && (idleTimeoutMs_ < 0 ? !changed : idleTimeoutMs_ > 1000))
        config_.Recorder->Waiting(g);
    return true;
}

// The density the window's pixels ask for; 1x when the art of no other can be had.
int32_t TableApp::WantedDensity() {
    if (!config_.UnpackArt) return 1;
    int32_t w = 0, h = 0;
    platform_.DrawableSize(&w, &h);
    return platform::DensityFor(w, h, clip_.Right, clip_.Bottom);
}

// A window made larger or smaller, or switched to full screen and back, may want the table
// at another density: the art of that density is unpacked and loaded, and the table goes
// on at it. When that fails the table stays at the density it has (scaled, softer).
void TableApp::FollowTheWindowsDensity() {
    const int32_t want = WantedDensity();
    if (want == density_ || want == refusedDensity_) return;
    auto pictures = std::make_unique<TablePictures>();
    std::string why;
    const bool ok = config_.UnpackArt(want, &tree_, &why) &&
                    LoadPictures(platform_, tree_, *game_, *pictures, &why, want);
    DeleteResources(tree_);
    if (!ok) {
        std::fprintf(stderr, "tarrabel: the table stays at %dx: %s\n", int(density_), why.c_str());
        refusedDensity_ = want;
        return;
    }
    ReleasePictures(*pictures_);
    pictures_ = std::move(pictures);
    density_ = want;
    refusedDensity_ = 0;
    back_ = platform::MakeSurface(clip_.Right * density_, clip_.Bottom * density_);
    damage_.Invalidate();
}

// The frame as the list of its copies, back to front.
void TableApp::ListFrame() {
    Game& g = *game_;
    TablePictures& pics = *pictures_;
    list_.Begin(clip_.Right, clip_.Bottom, density_, clip_);
    list_.Add(pics.Felt, {}, 0, 0, false);
    // Where a larger table would show its score page; at 800 x 600 it does not fit and is
    // not drawn, as every picture that does not fit.
    list_.Add(pics.ScorePage, {}, 780, 5, true);
    if (g.RulesShown && !rulesPageFailed_) {
        std::string why;
        if (!ShowRulesPage(pics, g, &why)) {
            std::fprintf(stderr, "tarrabel: the rules cannot be shown: %s\n", why.c_str());
            rulesPageFailed_ = true;
        }
    }
    TableCanvas canvas{pics, list_};
    DrawTable(g, canvas, platform_.SecondsOfDay());
    // Over the rules the pointer has nothing to do (the table does not take clicks then),
    // and would sit on the text.
    if (!g.RulesShown)
        list_.Add(pics.Pointer, {0, 0, kPointerSize, kPointerSize}, g.MouseX - kPointerHotSpot,
                  g.MouseY - kPointerHotSpot, true);
}

// Only the parts of the back buffer whose copies changed are drawn again.
void TableApp::ComposeFrame() {
    ListFrame();
    redrawn_ = &damage_.Update(list_);
    for (const platform::Rect& r : *redrawn_)
        Compose(list_, back_, r);
    ++framesDrawn_;
}

void TableApp::UpdateFrameRate() {
    // Measured over every 30 frames; when 30 frames pass within one tick of the clock the
    // count starts again instead of running on.
    if (++frameCounter_ < 30) return;
    const double now = platform_.SecondsOfDay();
    if (now > lastTime_ && lastTime_ > 0) fps_ = float(30.0 / (now - lastTime_));
    lastTime_ = now;
    frameCounter_ = 0;
}

void TableApp::UpdateCaption() {
    char caption[kCaptionSize];
    FormatWindowCaption(caption, sizeof caption, game_->MouseX, game_->MouseY, fps_);
    if (caption_ == caption) return;
    caption_.assign(caption);  // fits the capacity reserved at start-up
    platform_.SetCaption(caption_);
}

int32_t TableApp::ComputeIdleTimeout(bool changed, const FrameInput& in) {
    const FrameInput& last = lastInput_;
    const bool inputChanged = in.LeftDown != last.LeftDown || in.RightDown != last.RightDown ||
                              in.PauseKeyDown != last.PauseKeyDown ||
                              in.EscapeDown != last.EscapeDown || in.KeyCount > 0;
    if (changed || inputChanged) return -1;
    const Game& g = *game_;
    // Nothing moved and nothing will until the player acts, a timed pause ends or the clock
    // on the table turns to the next minute.
    int64_t timeout = kWaitForInput;
    if (g.State == GameState::Paused) {
        const uint32_t elapsed = platform_.TicksMs() - uint32_t(g.PauseStart);
        const int64_t left = int64_t(g.PauseLength) - int64_t(elapsed);
        timeout = std::max<int64_t>(0, left);
    }
    if (g.Focus.Hinting) {  // the hint's frame goes when its time is up
        const int64_t left = int64_t(g.Focus.HintEndsAt) - int64_t(platform_.TicksMs());
        timeout = std::min(timeout, std::max<int64_t>(0, left));
    }
    const double seconds = platform_.SecondsOfDay();
    const int64_t toNextMinute = int64_t(std::ceil((60.0 - std::fmod(seconds, 60.0)) * 1000.0));
    timeout = std::min(timeout, std::max<int64_t>(1, toNextMinute));
    return int32_t(timeout);
}

std::optional<platform::WindowGeometry> TableApp::WindowPlace() const {
    if (!displayOpen_) return placeAtExit_;
    platform::WindowGeometry place;
    if (!platform_.WindowPlace(&place)) return std::nullopt;
    return place;
}

void TableApp::ExitGame() {
    if (released_) return;
    released_ = true;
    running_ = false;
    ReleasePictures(*pictures_);
    platform_.ReleaseSounds();
    if (displayOpen_) {
        platform::WindowGeometry place;
        if (platform_.WindowPlace(&place)) placeAtExit_ = place;
        platform_.ShowSystemCursor(true);
        platform_.CloseDisplay();
        displayOpen_ = false;
    }
}

}  // namespace tarrabel

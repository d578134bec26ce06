// The game at the table, from start-up to exit: opening the display, input and sound,
// loading the pictures, the first deal, the frame loop, and the one way out that releases
// everything. The platform is passed in, so tests run the very same loop without a window.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ai/thinking_thread.h"
#include "core/game.h"
#include "persist/kept_match.h"
#include "platform/platform.h"
#include "presentation/draw_list.h"
#include "presentation/frame_damage.h"
#include "presentation/pictures.h"
#include "resources/unpack.h"
#include "session/frame.h"

namespace tarrabel {

struct TableAppConfig {
    GameOptions Options;
    uint64_t Seed = 0;
    TraceSink* Trace = nullptr;  // may stay null
    // Sleep in the event wait while a frame would change nothing (the real game). Tests
    // that compare frame by frame with the simulator turn it off.
    bool IdleWait = true;
    // Writes the art of one density (1, 2 or 3) into a resource tree: the game unpacks
    // res134.pak. With it the table is composed at the density the window asks for, and
    // again at another when the window changes size; without it the tree given to the
    // table is used as it is, at 1x.
    std::function<bool(int32_t density, ResourceTree* tree, std::string* error)> UnpackArt;
    // Hears the game start and every frame it takes (may stay null): what the game keeps of
    // an unfinished match.
    class TableRecorder* Recorder = nullptr;
    // A kept match played again up to where it was left: the table goes on from it instead
    // of dealing a new game (Seed then changes nothing).
    const ReplayedMatch* Resume = nullptr;
    // Where the window opens when windowed: where the player left it last time.
    std::optional<platform::WindowGeometry> Window;
};

// Hears the table run, for keeping the match: every frame the game took, with the clock's
// tick and the input, and the moments when the table waits for the player.
class TableRecorder {
  public:
    virtual ~TableRecorder() = default;
    // The game is set up with the clock at tick (a new game before its first deal, or a
    // resumed one where it was left).
    virtual void Started(const Game& g, int32_t tick) = 0;
    // rngState: where the table's random sequence stands after the frame.
    virtual void FrameTaken(const Game& g, int32_t tick, const FrameInput& in,
                            uint64_t rngState) = 0;
    // Nothing moves until the player acts: a good moment to write the match down.
    virtual void Waiting(const Game& g) = 0;
};

class TableApp {
  public:
    TableApp(platform::Platform& p, const ResourceTree& tree, const TableAppConfig& config);
    ~TableApp();

    // Start-up up to the frame loop. False with the message to show when the display or a
    // picture cannot be opened; everything opened so far is released again then.
    bool GameInit(std::string* error);
    // Runs frames until the player leaves; then releases everything (ExitGame).
    void GameLoop();
    // One frame. False once the game is to end.
    bool RunFrame();
    // Releases pictures, fonts and sounds and closes the display; safe to call twice.
    void ExitGame();

    // How long the loop would sleep after the last frame: -1 not at all, else the time-out
    // in milliseconds handed to the event wait (0x7fffffff: wait for input only).
    int32_t IdleTimeoutMs() const { return idleTimeoutMs_; }

    Game& game() { return *game_; }
    // The options the table runs with; FullScreen follows the player's F11 and Alt+Return.
    const GameOptions& Options() const { return config_.Options; }
    // The table as last composed, at its density, and the copies it was composed from.
    const platform::Surface& BackBuffer() const { return back_; }
    const DrawList& Frame() const { return list_; }
    // The rectangles of the back buffer the last frame redrew.
    const std::vector<platform::Rect>& Redrawn() const { return *redrawn_; }
    int32_t Density() const { return density_; }
    // The window's size and place as the game ended (or as it is), when windowed or able to
    // go back to a window; nothing without a window.
    std::optional<platform::WindowGeometry> WindowPlace() const;
    const TablePictures& Pictures() const { return *pictures_; }
    float Fps() const { return fps_; }
    int64_t FramesDrawn() const { return framesDrawn_; }

  private:
    void ComposeFrame();
    void ListFrame();
    int32_t WantedDensity();
    bool LoadArt(int32_t density, TablePictures* pictures, std::string* error);
    void FollowTheWindowsDensity();
    void UpdateFrameRate();
    void UpdateCaption();
    int32_t ComputeIdleTimeout(bool changed, const FrameInput& in);

    platform::Platform& platform_;
    ResourceTree tree_;
    TableAppConfig config_;
    // The game's clock stands still within a frame, at the platform's tick when the frame
    // began (plus the tick a resumed game had reached), as a recorded frame replays it.
    VirtualClock clock_;
    int32_t tickOffset_ = 0;
    SeededRandom rng_;
    // The expert computer players think on a second core when the machine has one.
    std::unique_ptr<ThinkingThread> secondCore_;
    std::unique_ptr<Game> game_;
    std::unique_ptr<Game> before_;  // the game as the last frame left it
    std::unique_ptr<TablePictures> pictures_;
    platform::Surface back_;
    platform::Rect clip_;  // table units
    int32_t density_ = 1;
    int32_t refusedDensity_ = 0;    // a density whose art could not be loaded: not tried again
    bool rulesPageFailed_ = false;  // said once on stderr; F1 then shows the table alone
    DrawList list_;
    FrameDamage damage_;
    const std::vector<platform::Rect>* redrawn_ = &kNothingRedrawn;
    static inline const std::vector<platform::Rect> kNothingRedrawn;
    bool displayOpen_ = false;
    bool running_ = false;
    bool released_ = false;

    // Frame rate: measured over every 30 frames.
    int frameCounter_ = 0;
    double lastTime_ = 0;
    float fps_ = 0;
    int64_t framesDrawn_ = 0;
    std::string caption_;

    int32_t idleTimeoutMs_ = -1;
    FrameInput lastInput_;
    bool cursorShown_ = false;  // the desktop's pointer, hidden at start-up
    std::optional<platform::WindowGeometry> placeAtExit_;
};

// The caption of the windowed game: the pointer position and the frame rate.
std::string WindowCaption(int32_t mouseX, int32_t mouseY, float fps);

}  // namespace tarrabel

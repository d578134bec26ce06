// The real platform: an SDL2 window showing the table through the window's own surface, the
// keyboard and mouse from SDL's event queue, and the effects through SDL2_mixer.
#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string_view>
#include <utility>

#include "platform/box_process.h"
#include "platform/effect_sink.h"
#include "platform/frame_pacer.h"
#include "platform/full_screen_keys.h"
#include "platform/letterbox.h"
#include "platform/picture_load.h"
#include "platform/platform.h"
#include "platform/sdl_sound.h"
#include "platform/table_keys.h"
#include "platform/window_presenter.h"
#include "platform/x11_window.h"

namespace tarrabel::platform {

namespace {

// The numbers in the display's error messages, one per step that can fail.
enum DisplayError : int { kNoVideo = 1, kNoWindow = 2, kNoRenderer = 3 };

std::string DisplayFailure(int number, const std::string& description) {
    return "Error in function DirectX() \r\nError Number: " + std::to_string(number) + "\r\n" +
           description;
}

bool EnvSet(const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
}

bool HeadlessDriver() {
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (!driver) return false;
    const std::string_view d(driver);
    return d == "dummy" || d == "offscreen";
}

// Without a display server SDL may wait on a connection that never comes or fail in
// obscure ways; say plainly why there is no window. The dummy and offscreen drivers need
// no server (tests and headless runs).
bool DisplayReachable() {
    return EnvSet("DISPLAY") || EnvSet("WAYLAND_DISPLAY") || HeadlessDriver();
}

std::string WithoutCarriageReturns(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
    return out;
}

class SdlPlatform final : public Platform {
  public:
    ~SdlPlatform() override { CloseDisplay(); }

    bool OpenDisplay(const DisplaySettings& settings, std::string* error) override;
    void CloseDisplay() override;

    bool PumpEvents() override;
    FrameInput ReadInput() override;
    bool Minimised() const override { return minimised_; }
    bool TakeDisplayReset() override;

    void Present(const Surface& backBuffer, std::span<const Rect> changed) override;
    void DrawableSize(int32_t* width, int32_t* height) override;
    bool FullScreen() const override;
    bool WindowPlace(WindowGeometry* place) const override;
    void SetCaption(const std::string& caption) override;
    void ShowSystemCursor(bool visible) override;
    void WaitForEvent(int32_t timeoutMs) override;

    uint32_t TicksMs() override { return SDL_GetTicks(); }
    double SecondsOfDay() override;

    bool LoadPicture(const std::string& path, Surface* out, std::string* error) override {
        return LoadPictureFile(path, out, error);
    }

    void InitSound() override { sink_.SetVoices(effects_.Open() ? &effects_ : nullptr); }
    void LoadSounds(const std::string& soundFolder) override { effects_.Load(soundFolder); }
    void ReleaseSounds() override { effects_.Release(); }
    SoundSink& Sound() override { return sink_; }

    void ShowMessage(const std::string& message) override;

    bool StartUi(UiDesign design, std::string* error) override {
        if (!ui_.Attach(window_, renderer_, error)) return false;
        ui_.SetDesign(std::move(design));
        return true;
    }
    bool BeginUiFrame() override;
    void EndUiFrame(uint8_t r, uint8_t g, uint8_t b) override { ui_.EndFrame(r, g, b); }
    UiTexture CreateUiTexture(const Surface& picture) override {
        return ui_.CreateTexture(picture);
    }
    void StopUi() override { ui_.Detach(); }

  private:
    bool CreateRenderer(std::string* error);
    void HandleEvent(const SDL_Event& e);
    void HandleWindowEvent(const SDL_WindowEvent& e);
    void SetFullScreen(bool fullScreen);
    void KeepWindowOnScreen();
    void ReadRefreshRate();
    void PaceAfterPresent();

    DisplaySettings settings_;
    std::string caption_ = "Tarrabel";
    bool videoOpen_ = false;
    SDL_Window* window_ = nullptr;
    // Where the window goes back to when the player leaves full screen: where it was
    // before, or the first window's place when the table opened in full screen.
    SDL_Rect windowed_{SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 0, 0};
    SDL_Renderer* renderer_ = nullptr;

    bool quit_ = false;
    bool minimised_ = false;
    bool displayReset_ = false;
    // Presses seen in the event queue since the last ReadInput, so that a press released
    // before the frame read the devices still counts once.
    bool leftPressed_ = false, rightPressed_ = false;
    bool escapePressed_ = false, pausePressed_ = false;
    FrameInput keysPressed_;  // the table's keys since the last ReadInput (Keys only)

    UiHost ui_;
    WindowPresenter presenter_;
    FramePacer pacer_;
    MixerEffects effects_;
    EffectSink sink_;
};

bool SdlPlatform::OpenDisplay(const DisplaySettings& settings, std::string* error) {
    if (window_ && renderer_) {
        // The window of the options dialog becomes the table's: only the mode changes,
        // and the presses that closed the dialog do not count at the table.
        settings_ = settings;
        SetFullScreen(settings.FullScreen);
        leftPressed_ = rightPressed_ = escapePressed_ = pausePressed_ = false;
        keysPressed_.KeyCount = 0;
        ReadRefreshRate();
        return true;
    }
    CloseDisplay();
    settings_ = settings;
    quit_ = minimised_ = displayReset_ = false;
    leftPressed_ = rightPressed_ = escapePressed_ = pausePressed_ = false;
    auto fail = [&](int number, const std::string& description) {
        if (error) *error = DisplayFailure(number, description);
        CloseDisplay();
        return false;
    };
    if (!DisplayReachable()) return fail(kNoVideo, "No display: DISPLAY is not set");
    // SDL's own SIGINT and SIGTERM handlers stay on: they turn into a quit event, so the
    // loop ends through its normal exit and the desktop gets its cursor back.
    // The table is composed and scaled in memory and shown through the window's surface;
    // the options dialog's renderer is SDL's software one, which needs no GL driver (a
    // software GL such as llvmpipe alone costs some 90 MB). The hints are defaults:
    // SDL_RENDER_DRIVER and SDL_FRAMEBUFFER_ACCELERATION in the environment still choose
    // otherwise.
    SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "software", SDL_HINT_DEFAULT);
    SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return fail(kNoVideo, SDL_GetError());
    videoOpen_ = true;

    // The first window is the table's size, shrunk to the desktop keeping the table's shape;
    // a table that opens in full screen goes back to it when the player leaves full screen.
    int32_t width = settings.TableWidth, height = settings.TableHeight;
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0 && usable.w > 0 && usable.h > 0 &&
        (usable.w < width || usable.h < height)) {
        const Letterbox fit = FitTable(usable.w, usable.h, width, height);
        width = fit.Width;
        height = fit.Height;
    }
    windowed_ = {SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height};
    // The place the player left the window last time, while it still fits on the desktop.
    if (settings.Window && settings.Window->Width >= 100 && settings.Window->Height >= 75) {
        const WindowGeometry& w = *settings.Window;
        SDL_Rect desktop;
        const bool fits =
            SDL_GetDisplayUsableBounds(0, &desktop) != 0 ||
            (w.Width <= desktop.w && w.Height <= desktop.h && w.X >= desktop.x - w.Width / 2 &&
             w.Y >= desktop.y && w.X + w.Width / 2 <= desktop.x + desktop.w &&
             w.Y + 32 <= desktop.y + desktop.h);
        if (fits) windowed_ = {w.X, w.Y, w.Width, w.Height};
        width = windowed_.w;
        height = windowed_.h;
    }
    Uint32 flags = SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_RESIZABLE;
    if (settings.FullScreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    caption_ = settings.Title;
    window_ = SDL_CreateWindow(caption_.c_str(), windowed_.x, windowed_.y, width, height, flags);
    if (!window_) return fail(kNoWindow, SDL_GetError());
    KeepWindowOnScreen();
    std::string why;
    if (!CreateRenderer(&why)) return fail(kNoRenderer, why);
    ReadRefreshRate();
    // A black window until the first frame is ready.
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderPresent(renderer_);
    return true;
}

// Full screen is the desktop's own mode, the table letterboxed in it. Leaving it, the window
// is given its place and size back: SDL leaves that to the window manager, and without one
// a window as large as the screen would stay behind.
void SdlPlatform::SetFullScreen(bool fullScreen) {
    settings_.FullScreen = fullScreen;
    if (!window_ || fullScreen == FullScreen()) return;
    if (fullScreen) {
        SDL_GetWindowPosition(window_, &windowed_.x, &windowed_.y);
        SDL_GetWindowSize(window_, &windowed_.w, &windowed_.h);
        SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
        KeepWindowOnScreen();
    } else {
        SDL_SetWindowFullscreen(window_, 0);
        SDL_SetWindowSize(window_, windowed_.w, windowed_.h);
        SDL_SetWindowPosition(window_, windowed_.x, windowed_.y);
    }
    presenter_.Invalidate();  // the whole table again, whatever size the window now has
    ReadRefreshRate();
}

bool SdlPlatform::WindowPlace(WindowGeometry* place) const {
    if (!window_) return false;
    SDL_Rect r = windowed_;
    if (!FullScreen()) {
        SDL_GetWindowPosition(window_, &r.x, &r.y);
        SDL_GetWindowSize(window_, &r.w, &r.h);
        // SDL answers where the window's inside is; a window is opened by where its frame
        // goes, so without the frame's edges it would creep down by a title bar each start.
        int top = 0, left = 0;
        if (SDL_GetWindowBordersSize(window_, &top, &left, nullptr, nullptr) == 0) {
            r.x -= left;
            r.y -= top;
        }
    }
    if (r.x == int(SDL_WINDOWPOS_CENTERED) || r.y == int(SDL_WINDOWPOS_CENTERED)) return false;
    *place = {r.x, r.y, r.w, r.h};
    return true;
}

bool SdlPlatform::FullScreen() const {
    if (!window_) return settings_.FullScreen;
    return (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
}

// SDL takes a full-screen window for as large as its screen the moment it asks for it.
// Without a window manager nobody makes it so: the window stays where and as large as it
// was, while the table is drawn for the whole screen and loses its right and bottom (the
// person's hand among them), and a click lands elsewhere than it seems to. So the X server
// is asked what the window really is; without a manager the game places the window over
// the screen itself, and SDL hears of it through the configure event as of any resize.
// With a manager the manager places it, and its configure event brings SDL the real size.
void SdlPlatform::KeepWindowOnScreen() {
    if (!window_ || !FullScreen()) return;
    const int display = SDL_GetWindowDisplayIndex(window_);
    SDL_Rect screen, real;
    if (display < 0 || SDL_GetDisplayBounds(display, &screen) != 0) return;
    if (!ServerWindowRect(window_, &real) || SDL_RectEquals(&real, &screen)) return;
    if (!WindowManagerRuns(window_)) PlaceServerWindow(window_, screen);
}

bool SdlPlatform::CreateRenderer(std::string* error) {
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_PRESENTVSYNC);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (!renderer_) {
        if (error) *error = SDL_GetError();
        return false;
    }
    return true;
}

void SdlPlatform::CloseDisplay() {
    ui_.Detach();
    effects_.Close();
    sink_.SetVoices(nullptr);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    renderer_ = nullptr;
    window_ = nullptr;
    if (videoOpen_) {
        SDL_ShowCursor(SDL_ENABLE);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        videoOpen_ = false;
    }
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
}

void SdlPlatform::ReadRefreshRate() {
    SDL_DisplayMode mode;
    int32_t hertz = 0;
    if (window_ && SDL_GetWindowDisplayMode(window_, &mode) == 0) hertz = mode.refresh_rate;
    if (hertz <= 0 && window_) {
        const int index = SDL_GetWindowDisplayIndex(window_);
        if (index >= 0 && SDL_GetCurrentDisplayMode(index, &mode) == 0) hertz = mode.refresh_rate;
    }
    pacer_.SetRefreshRate(hertz);
}

bool SdlPlatform::PumpEvents() {
    if (!videoOpen_) return !quit_;
    // Everything in the queue, not only up to the end marker SDL_PollEvent leaves behind:
    // an event that arrived after that marker would otherwise wait a frame.
    SDL_PumpEvents();
    SDL_Event events[32];
    int count = 0;
    while ((count = SDL_PeepEvents(events, 32, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT)) > 0)
        for (int i = 0; i < count; ++i)
            HandleEvent(events[i]);
    return !quit_;
}

bool SdlPlatform::BeginUiFrame() {
    if (!ui_.Attached() || !videoOpen_) return false;
    // Nothing to animate: sleep until something happens (a second at most).
    SDL_Event e;
    if (!ui_.WantsFrames() && !quit_ && SDL_WaitEventTimeout(&e, 1000)) HandleEvent(e);
    if (!PumpEvents()) return false;
    ui_.BeginFrame();
    return true;
}

void SdlPlatform::HandleEvent(const SDL_Event& e) {
    ui_.ProcessEvent(&e);
    switch (e.type) {
        case SDL_QUIT:
            quit_ = true;
            break;
        case SDL_WINDOWEVENT:
            HandleWindowEvent(e.window);
            break;
        case SDL_RENDER_DEVICE_RESET:
            // The options dialog's renderer is gone: build it anew (the table shows through
            // the window's surface and has no renderer).
            if (renderer_) {
                SDL_DestroyRenderer(renderer_);
                renderer_ = nullptr;
                if (window_) CreateRenderer(nullptr);
            }
            presenter_.Invalidate();
            displayReset_ = true;
            break;
        case SDL_RENDER_TARGETS_RESET:
            presenter_.Invalidate();
            displayReset_ = true;
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (e.button.button == SDL_BUTTON_LEFT) leftPressed_ = true;
            if (e.button.button == SDL_BUTTON_RIGHT) rightPressed_ = true;
            break;
        case SDL_KEYDOWN:
            // A quick tap of Escape or P counts like a quick click.
            if (e.key.keysym.scancode == SDL_SCANCODE_ESCAPE) escapePressed_ = true;
            if (e.key.keysym.scancode == SDL_SCANCODE_P) pausePressed_ = true;
            // F11 and Alt+Return at the table; the options dialog keeps its window.
            if (ui_.Attached()) break;
            if (TogglesFullScreen(e.key.keysym.scancode, e.key.keysym.mod, e.key.repeat != 0)) {
                SetFullScreen(!FullScreen());
                break;
            }
            if (const auto key = TableKeyOf(e.key.keysym.scancode, e.key.keysym.sym,
                                            e.key.keysym.mod, e.key.repeat != 0))
                keysPressed_.PushKey(*key);
            break;
        default:
            break;
    }
}

void SdlPlatform::HandleWindowEvent(const SDL_WindowEvent& e) {
    switch (e.event) {
        case SDL_WINDOWEVENT_CLOSE:
            quit_ = true;
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
        case SDL_WINDOWEVENT_HIDDEN:
            minimised_ = true;
            break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_SHOWN:
            minimised_ = false;
            presenter_.Invalidate();
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            // The window system lost what the window showed: the whole table again at
            // the next frame (which the event wakes).
            presenter_.Invalidate();
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESIZED:
            // Whoever changed the size, a full-screen window must still cover its screen.
            // The drawing and the pointer read the new size at the next frame.
            KeepWindowOnScreen();
            break;
        case SDL_WINDOWEVENT_MOVED:
        case SDL_WINDOWEVENT_DISPLAY_CHANGED:
            ReadRefreshRate();  // the window may now be on a screen with another rate
            break;
        default:
            break;
    }
}

FrameInput SdlPlatform::ReadInput() {
    FrameInput in;
    if (!videoOpen_) return in;
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    in.EscapeDown = keys[SDL_SCANCODE_ESCAPE] != 0 || escapePressed_;
    in.PauseKeyDown = keys[SDL_SCANCODE_P] != 0 || pausePressed_;
    int x = 0, y = 0;
    const Uint32 buttons = SDL_GetMouseState(&x, &y);
    in.LeftDown = (buttons & SDL_BUTTON_LMASK) != 0 || leftPressed_;
    in.RightDown = (buttons & SDL_BUTTON_RMASK) != 0 || rightPressed_;
    leftPressed_ = rightPressed_ = escapePressed_ = pausePressed_ = false;
    in.Keys = keysPressed_.Keys;
    in.KeyCount = keysPressed_.KeyCount;
    keysPressed_.KeyCount = 0;

    ViewSize view;
    view.TableWidth = settings_.TableWidth;
    view.TableHeight = settings_.TableHeight;
    // The same sizes the table is drawn with, read anew every frame, so that a click
    // after a change of size or mode lands on the card drawn under it.
    if (window_) SDL_GetWindowSize(window_, &view.WindowWidth, &view.WindowHeight);
    DrawableSize(&view.OutputWidth, &view.OutputHeight);
    const TablePoint p = WindowToTable(view, x, y);
    in.MouseX = p.X;
    in.MouseY = p.Y;
    return in;
}

bool SdlPlatform::TakeDisplayReset() {
    const bool reset = displayReset_;
    displayReset_ = false;
    return reset;
}

void SdlPlatform::Present(const Surface& backBuffer, std::span<const Rect> changed) {
    if (!window_ || backBuffer.Empty() ||
        backBuffer.Pixels.size() < size_t(backBuffer.Width) * size_t(backBuffer.Height))
        return;
    // The options dialog's renderer (if it ran in this window) gives way to the window's
    // surface, which shows the table from now on.
    if (renderer_ && !ui_.Attached()) {
        SDL_DestroyRenderer(renderer_);
        renderer_ = nullptr;
        presenter_.Invalidate();
    }
    presenter_.Present(window_, backBuffer, changed);
    PaceAfterPresent();
}

void SdlPlatform::DrawableSize(int32_t* width, int32_t* height) {
    *width = *height = 0;
    if (renderer_)
        SDL_GetRendererOutputSize(renderer_, width, height);
    else if (window_)
        SDL_GetWindowSizeInPixels(window_, width, height);
}

void SdlPlatform::PaceAfterPresent() {
    const double nowMs =
        double(SDL_GetPerformanceCounter()) * 1000.0 / double(SDL_GetPerformanceFrequency());
    const uint32_t sleep = pacer_.SleepAfterPresent(nowMs);
    if (sleep > 0) SDL_Delay(sleep);
}

void SdlPlatform::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (window_) SDL_SetWindowTitle(window_, caption_.c_str());
}

void SdlPlatform::ShowSystemCursor(bool visible) {
    if (videoOpen_) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void SdlPlatform::WaitForEvent(int32_t timeoutMs) {
    if (quit_) return;
    if (!videoOpen_) {
        if (timeoutMs > 0) SDL_Delay(Uint32(timeoutMs));
        return;
    }
    // The event is handled here rather than put back: a press that wakes the loop is
    // latched like any other, and the quit flag is set before the loop asks.
    SDL_Event e;
    const int got = timeoutMs < 0 ? SDL_WaitEvent(&e) : SDL_WaitEventTimeout(&e, timeoutMs);
    if (got) HandleEvent(e);
}

double SdlPlatform::SecondsOfDay() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto sinceSecond = now - std::chrono::system_clock::from_time_t(seconds);
    const double fraction = std::chrono::duration<double>(sinceSecond).count();
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
}

void SdlPlatform::ShowMessage(const std::string& message) {
    const std::string text = WithoutCarriageReturns(message);
    std::fprintf(stderr, "%s\n", text.c_str());
    // Without a display (or on a headless driver) the box cannot appear; the message is on
    // stderr anyway. The box waits for its OK in a process of its own: Ctrl+C or a kill
    // meanwhile closes it and the game leaves through its error exit (box_process.h).
    if ((EnvSet("DISPLAY") || EnvSet("WAYLAND_DISPLAY")) && !HeadlessDriver()) {
        RunBoxProcess(
            [](void* message) {
                SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Tarrabel",
                                         static_cast<const char*>(message), nullptr);
            },
            const_cast<char*>(text.c_str()));
    }
}

}  // namespace

std::unique_ptr<Platform> MakeSdlPlatform() {
    return std::make_unique<SdlPlatform>();
}

}  // namespace tarrabel::platform

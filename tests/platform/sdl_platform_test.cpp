// The SDL platform on SDL's dummy video driver: it opens, shows frames and closes in both
// modes, turns the event queue into the loop's input and display state, and fails plainly
// when there is no display.
#include <SDL.h>
#include <gtest/gtest.h>

#include <csignal>
#include <memory>

#include "core/services.h"
#include "platform/platform.h"
#include "sdl_env.h"

namespace tarrabel::test {
namespace {

using platform::DisplaySettings;
using platform::Platform;

platform::Surface Table(uint16_t colour) {
    platform::Surface s;
    s.Width = 800;
    s.Height = 600;
    s.Pixels.assign(800u * 600u, colour);
    return s;
}

class SdlPlatformTest : public testing::Test {
  protected:
    void SetUp() override { env_.Set("SDL_VIDEODRIVER", "dummy"); }

    std::unique_ptr<Platform> Open(bool fullScreen = false) {
        auto p = platform::MakeSdlPlatform();
        DisplaySettings settings;
        settings.FullScreen = fullScreen;
        std::string error;
        EXPECT_TRUE(p->OpenDisplay(settings, &error)) << error;
        return p;
    }

    static void Push(SDL_Event e) { ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError(); }
    static void PushButton(Uint32 type, Uint8 button) {
        SDL_Event e{};
        e.type = type;
        e.button.button = button;
        e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        Push(e);
    }
    static void PushKey(Uint32 type, SDL_Scancode code) {
        SDL_Event e{};
        e.type = type;
        e.key.keysym.scancode = code;
        e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        Push(e);
    }
    static void PushWindow(SDL_WindowEventID what) {
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.event = Uint8(what);
        Push(e);
    }
    static void PushType(Uint32 type) {
        SDL_Event e{};
        e.type = type;
        Push(e);
    }

    ScopedEnv env_;
};

TEST_F(SdlPlatformTest, OpensShowsFramesAndClosesInEitherMode) {
    for (bool fullScreen : {false, true}) {
        SCOPED_TRACE(fullScreen ? "full screen" : "windowed");
        auto p = Open(fullScreen);
        p->SetCaption("Tarrabel - test");
        p->ShowSystemCursor(false);
        const platform::Surface frame = Table(platform::kGreen565);
        const uint32_t before = p->TicksMs();
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(p->PumpEvents());
            const FrameInput in = p->ReadInput();
            EXPECT_TRUE(in.MouseX >= 0 && in.MouseX < 800 && in.MouseY >= 0 && in.MouseY < 600);
            p->Present(frame, {});
        }
        EXPECT_GE(p->TicksMs(), before);
        EXPECT_FALSE(p->Minimised());
        EXPECT_FALSE(p->TakeDisplayReset());
        p->CloseDisplay();
        p->CloseDisplay();  // closing twice is harmless
        EXPECT_FALSE(SDL_WasInit(SDL_INIT_VIDEO));
    }
}

TEST_F(SdlPlatformTest, AQuickPressCountsInExactlyOneFrame) {
    auto p = Open();
    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
    PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT);
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_ESCAPE);
    PushKey(SDL_KEYUP, SDL_SCANCODE_ESCAPE);
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_P);
    PushKey(SDL_KEYUP, SDL_SCANCODE_P);
    ASSERT_TRUE(p->PumpEvents());
    const FrameInput first = p->ReadInput();
    EXPECT_TRUE(first.LeftDown);
    EXPECT_TRUE(first.RightDown);
    EXPECT_TRUE(first.EscapeDown);
    EXPECT_TRUE(first.PauseKeyDown);
    ASSERT_TRUE(p->PumpEvents());
    const FrameInput second = p->ReadInput();
    EXPECT_FALSE(second.LeftDown);
    EXPECT_FALSE(second.RightDown);
    EXPECT_FALSE(second.EscapeDown);
    EXPECT_FALSE(second.PauseKeyDown);
}

TEST_F(SdlPlatformTest, WindowEventsChangeWhatTheLoopSees) {
    auto p = Open();
    struct Step {
        SDL_WindowEventID Event;
        bool WantMinimised;
    };
    for (const Step& s :
         {Step{SDL_WINDOWEVENT_MINIMIZED, true}, Step{SDL_WINDOWEVENT_RESTORED, false},
          Step{SDL_WINDOWEVENT_HIDDEN, true}, Step{SDL_WINDOWEVENT_SHOWN, false}}) {
        PushWindow(s.Event);
        EXPECT_TRUE(p->PumpEvents());
        EXPECT_EQ(p->Minimised(), s.WantMinimised) << int(s.Event);
    }

    // A lost display is reported once, and frames can be shown again right away.
    const platform::Surface frame = Table(platform::kBlue565);
    for (Uint32 reset : {Uint32(SDL_RENDER_TARGETS_RESET), Uint32(SDL_RENDER_DEVICE_RESET)}) {
        PushType(reset);
        EXPECT_TRUE(p->PumpEvents());
        EXPECT_TRUE(p->TakeDisplayReset()) << reset;
        EXPECT_FALSE(p->TakeDisplayReset()) << reset;
        p->Present(frame, {});
    }
}

// F11 and Alt+Return switch the open table between its window and the whole screen (the
// dummy driver's 1024 x 768) and back; the pointer is mapped through the size the window
// has after each switch, so the middle of the window stays the middle of the table.
TEST_F(SdlPlatformTest, F11AndAltReturnSwitchModesAndThePointerFollowsTheNewSize) {
    auto p = Open(false);
    SDL_Window* window = SDL_GetWindowFromID(1);
    ASSERT_NE(window, nullptr);
    SDL_Rect screen;
    ASSERT_EQ(SDL_GetDisplayBounds(0, &screen), 0);
    auto key = [&](SDL_Scancode code, uint16_t modifiers, bool repeat) {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.keysym.scancode = code;
        e.key.keysym.mod = modifiers;
        e.key.repeat = repeat ? 1 : 0;
        e.key.state = SDL_PRESSED;
        Push(e);
        ASSERT_TRUE(p->PumpEvents());
    };
    auto pointerInTheMiddle = [&] {
        int w = 0, h = 0;
        SDL_GetWindowSize(window, &w, &h);
        SDL_WarpMouseInWindow(window, w / 2, h / 2);
        SDL_PumpEvents();
        const FrameInput in = p->ReadInput();
        EXPECT_EQ(in.MouseX, 400);
        EXPECT_EQ(in.MouseY, 300);
    };
    struct Step {
        const char* what;
        SDL_Scancode key;
        uint16_t modifiers;
        bool repeat;
        bool fullScreen;
    };
    for (const Step& s : {Step{"F11", SDL_SCANCODE_F11, KMOD_NONE, false, true},
                          Step{"F11 held down", SDL_SCANCODE_F11, KMOD_NONE, true, true},
                          Step{"Alt+Return", SDL_SCANCODE_RETURN, KMOD_LALT, false, false},
                          Step{"Return alone", SDL_SCANCODE_RETURN, KMOD_NONE, false, false},
                          Step{"Alt+Return again", SDL_SCANCODE_RETURN, KMOD_RALT, false, true},
                          Step{"F11 again", SDL_SCANCODE_F11, KMOD_NONE, false, false}}) {
        SCOPED_TRACE(s.what);
        key(s.key, s.modifiers, s.repeat);
        EXPECT_EQ(p->FullScreen(), s.fullScreen);
        int w = 0, h = 0;
        SDL_GetWindowSize(window, &w, &h);
        if (s.fullScreen) {
            EXPECT_EQ(w, screen.w);
            EXPECT_EQ(h, screen.h);
        } else {
            EXPECT_EQ(w, 800);  // the window the table had before
            EXPECT_EQ(h, 600);
        }
        pointerInTheMiddle();
        p->Present(Table(platform::kGreen565), {});
    }
    p->CloseDisplay();
    EXPECT_FALSE(p->FullScreen()) << "the mode last shown stays readable";
}

TEST_F(SdlPlatformTest, ClosingTheWindowOrAQuitEndsTheLoopForGood) {
    for (bool byWindow : {false, true}) {
        auto p = Open();
        if (byWindow)
            PushWindow(SDL_WINDOWEVENT_CLOSE);
        else
            PushType(SDL_QUIT);
        EXPECT_FALSE(p->PumpEvents());
        EXPECT_FALSE(p->PumpEvents());
        p->WaitForEvent(-1);  // must not wait for an event that will never come
    }
}

TEST_F(SdlPlatformTest, ATermSignalEndsTheLoopLikeClosingTheWindow) {
    auto p = Open();
    ASSERT_TRUE(p->PumpEvents());
    std::raise(SIGTERM);  // SDL's handler turns it into a quit event
    EXPECT_FALSE(p->PumpEvents());
}

TEST_F(SdlPlatformTest, WaitingWakesOnAnEventAndLosesNothing) {
    auto p = Open();
    p->WaitForEvent(0);  // nothing pending: back at once
    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    p->WaitForEvent(-1);  // woken by the press, which it took from the queue
    ASSERT_TRUE(p->PumpEvents());
    EXPECT_TRUE(p->ReadInput().LeftDown);
    EXPECT_FALSE(p->ReadInput().LeftDown);
}

TEST_F(SdlPlatformTest, WithoutADisplayOpeningFailsWithTheReason) {
    env_.Set("DISPLAY", nullptr);
    env_.Set("WAYLAND_DISPLAY", nullptr);
    for (const char* driver : {static_cast<const char*>(nullptr), "x11", "wayland"}) {
        env_.Set("SDL_VIDEODRIVER", driver);
        auto p = platform::MakeSdlPlatform();
        std::string error;
        EXPECT_FALSE(p->OpenDisplay(DisplaySettings{}, &error));
        EXPECT_EQ(
            error,
            "Error in function DirectX() \r\nError Number: 1\r\nNo display: DISPLAY is not set");
        p->CloseDisplay();
    }
}

TEST_F(SdlPlatformTest, WithoutASoundDeviceTheGameIsSilent) {
    env_.Set("SDL_AUDIODRIVER", "no-such-driver");
    auto p = Open();
    p->InitSound();
    p->LoadSounds("/no/such/folder");
    for (int i = 0; i < kSoundCount; ++i)
        p->Sound().Play(SoundId(i));
    p->ReleaseSounds();
    EXPECT_FALSE(SDL_WasInit(SDL_INIT_AUDIO));
}

}  // namespace
}  // namespace tarrabel::test

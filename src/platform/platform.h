// What the game needs from the machine it runs on: a window that shows the finished table,
// the keyboard and mouse once per frame, a way to sleep until something happens, pictures
// loaded from files and sound effects. The SDL2 platform is the real one; the null platform
// serves tests and benchmarks with scripted input and no window.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "core/frame_input.h"
#include "platform/surface.h"
#include "platform/ui_host.h"

namespace tarrabel {
class SoundSink;
}

namespace tarrabel::platform {

// A window's size and place on the desktop, in screen units.
struct WindowGeometry {
    int32_t X = 0, Y = 0;
    int32_t Width = 0, Height = 0;
};

struct DisplaySettings {
    bool FullScreen = true;  // the desktop's own mode, the table scaled to fit
    int32_t TableWidth = 800, TableHeight = 600;
    std::string Title = "Tarrabel";
    // Where the first window opens (and the window goes back to from full screen): the
    // place the player left it last time. Without it, or when it no longer fits on the
    // desktop, the window is the table's size in the middle of the screen.
    std::optional<WindowGeometry> Window;
};

class Platform {
  public:
    virtual ~Platform() = default;

    // Opens the display: a window (or the desktop in full screen) showing a table of the
    // given size. On failure answers false with a message naming the cause. Called again
    // while open, it switches between window and full screen and keeps the window.
    virtual bool OpenDisplay(const DisplaySettings& settings, std::string* error) = 0;
    virtual void CloseDisplay() = 0;

    // Takes the window system's pending events. Answers false once the player has closed
    // the window (or the process was asked to end).
    virtual bool PumpEvents() = 0;
    virtual FrameInput ReadInput() = 0;

    // The window is minimised or hidden: frames are skipped and the loop sleeps.
    virtual bool Minimised() const = 0;
    // True once after the display was reset (a lost device): the pictures live in memory,
    // and the next Present shows the whole table again.
    virtual bool TakeDisplayReset() = 0;

    // Shows the finished back buffer (the table composed at its density), scaled to the
    // window with letterboxing, and keeps the loop at the display's pace (vsync, or a sleep
    // up to the refresh period without it). `changed` lists the back buffer's rectangles
    // that differ from the last one presented: only those are scaled and shown, unless the
    // window needs all of it again (resized, exposed, restored, a new back buffer).
    virtual void Present(const Surface& backBuffer, std::span<const Rect> changed) = 0;
    // The window's drawable size in pixels: on a high-DPI screen more than its size in the
    // window coordinates the mouse reports.
    virtual void DrawableSize(int32_t* width, int32_t* height) = 0;
    // Whether the table is shown full screen now: the mode the display opened in, or the
    // one the player switched to since with F11 or Alt+Return. The choice to remember for
    // the next start.
    virtual bool FullScreen() const = 0;
    // The window's size and place when windowed (in full screen: the place it goes back
    // to). False without a window.
    virtual bool WindowPlace(WindowGeometry* place) const = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void ShowSystemCursor(bool visible) = 0;

    // Sleeps until an input or window event arrives or timeoutMs milliseconds have passed
    // (a negative timeout waits for an event only). Never spins.
    virtual void WaitForEvent(int32_t timeoutMs) = 0;

    // Milliseconds since an arbitrary start, like a system tick counter.
    virtual uint32_t TicksMs() = 0;
    // Seconds since midnight, local time, for the clock on the table and the frame rate.
    virtual double SecondsOfDay() = 0;

    // Loads a BMP file as a picture in the table's format (CreateSurfaceFromFile).
    virtual bool LoadPicture(const std::string& path, Surface* out, std::string* error) = 0;

    // Sound: opened quietly (no device, no sound, no message); each effect loaded from its
    // file; the sink plays them. A missing effect stays silent.
    virtual void InitSound() = 0;
    virtual void LoadSounds(const std::string& soundFolder) = 0;
    virtual void ReleaseSounds() = 0;
    virtual SoundSink& Sound() = 0;

    // Dear ImGui inside the game's window, for the options dialog, scaled for the window as
    // `design` asks (see UiDesign). StartUi needs an open display; false with a message when
    // there is no UI (the null platform has none).
    virtual bool StartUi(UiDesign design, std::string* error) = 0;
    // Sleeps until input while the UI has nothing to show, takes the events and begins a
    // UI frame. False once the window was closed or the process asked to end.
    virtual bool BeginUiFrame() = 0;
    // Draws the frame's UI over the given colour and presents it.
    virtual void EndUiFrame(uint8_t r, uint8_t g, uint8_t b) = 0;
    virtual UiTexture CreateUiTexture(const Surface& picture) = 0;
    virtual void StopUi() = 0;

    // Shows a fatal message to the player (after the display is closed) and on stderr.
    virtual void ShowMessage(const std::string& message) = 0;
};

std::unique_ptr<Platform> MakeSdlPlatform();

}  // namespace tarrabel::platform

// Dear ImGui on an SDL window and renderer: the options dialog inside the game's window,
// and the archive browser in a window of its own. The header keeps SDL out of its users.
//
// ImGui works in the renderer's output pixels, not in window units: on a high-DPI screen
// its fonts are rasterised for the pixels they cover and every line lands on a whole pixel,
// so nothing is stretched after drawing. The pointer is brought into the same pixels.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace tarrabel::platform {

// A picture the UI can show (an ImTextureID).
using UiTexture = void*;

// A UI laid out for a fixed size in window units. The host works out each frame how many
// output pixels a unit of it takes (DialogScale) and, before the first frame and whenever
// that changes, has Restyle load the fonts and set the style's sizes for that scale into a
// cleared font atlas and a default style.
struct UiDesign {
    int32_t Width = 0, Height = 0;
    std::function<void(float scale)> Restyle;
};

class UiHost {
  public:
    UiHost() = default;
    UiHost(const UiHost&) = delete;
    UiHost& operator=(const UiHost&) = delete;
    ~UiHost() { Detach(); }

    // Creates the ImGui context and its SDL back ends for this window and renderer (SDL
    // types passed as opaque pointers). Nothing is ever written to disk (no ini file).
    bool Attach(void* sdlWindow, void* sdlRenderer, std::string* error);
    void Detach();
    bool Attached() const { return attached_; }

    // Scales the UI for this design from the next frame on (see UiDesign).
    void SetDesign(UiDesign design);
    // Output pixels per design unit in the current frame; 1 without a design.
    float Scale() const { return scale_; }

    // Hands one SDL event to ImGui; counts it as a reason to draw a few frames.
    void ProcessEvent(const void* sdlEvent);
    // True while ImGui still needs frames after the last input (hover, animations).
    bool WantsFrames() const { return framesWanted_ > 0 || !pending_.empty(); }

    void BeginFrame();
    // Draws the UI over a cleared window in the given colour and presents it.
    void EndFrame(uint8_t r, uint8_t g, uint8_t b);

    UiTexture CreateTexture(const Surface& picture);
    void ReleaseTextures();

  private:
    bool attached_ = false;
    void* window_ = nullptr;
    void* renderer_ = nullptr;
    int framesWanted_ = 0;
    UiDesign design_;
    float scale_ = 1.0f;
    bool styled_ = false;  // the design's fonts and sizes are those of scale_
    // Events wait here until the frame they belong to: a click where the pointer has just
    // arrived gets one frame of hovering first (ImGui takes a click on a tab only on an
    // item hovered before), a key released in the frame it was pressed is released a frame
    // later, and one pressed again in the frame it was released is pressed a frame later
    // (ImGui sees each key's state once a frame), so quick clicks and taps are never lost:
    // Down Down Down moves three controls down, not one.
    struct PendingEvent {
        alignas(8) unsigned char Bytes[64];
    };
    std::deque<PendingEvent> pending_;
    // The pointer as the last mouse event placed it, which ImGui is given over what the SDL
    // back end reads: without a window manager the window may have neither keyboard nor
    // mouse focus, and SDL may not learn that the window was moved or resized, so the back
    // end loses the pointer or misplaces it (and a click that never lands where the
    // pointer is seen would wait for ever); the events still carry it. Forgotten when the
    // pointer leaves the window.
    bool pointerKnown_ = false;
    float pointerX_ = 0, pointerY_ = 0;
    float shownX_ = -1, shownY_ = -1;  // where the last frame saw the pointer
    std::vector<void*> textures_;
};

}  // namespace tarrabel::platform

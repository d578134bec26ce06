// Dear ImGui on an SDL window and renderer: the options dialog inside the game's window,
// and the archive browser in a window of its own. The header keeps SDL out of its users.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace tarrabel::platform {

// A picture the UI can show (an ImTextureID).
using UiTexture = void*;

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
    // Events wait here until the frame they belong to: a click where the pointer has just
    // arrived gets one frame of hovering first (ImGui takes a click on a tab only on an
    // item hovered before), and a key released in the frame it was pressed is released a
    // frame later, so quick clicks and taps are never lost.
    struct PendingEvent {
        alignas(8) unsigned char Bytes[64];
    };
    std::deque<PendingEvent> pending_;
    // The pointer as the last mouse event placed it: without a window manager the window
    // may have neither keyboard nor mouse focus, and the SDL back end then loses the
    // pointer; the events still carry it.
    bool pointerKnown_ = false;
    float pointerX_ = 0, pointerY_ = 0;
    float shownX_ = -1, shownY_ = -1;  // where the last frame saw the pointer
    std::vector<void*> textures_;
};

}  // namespace tarrabel::platform

#include "platform/ui_host.h"

#include <SDL.h>

#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>
#include <cstring>
#include <utility>

#include "platform/ui_scale.h"

namespace tarrabel::platform {

namespace {

// After an input event ImGui needs a few frames to settle (hover, focus, the release of a
// click); then the UI sleeps until the next event.
constexpr int kFramesAfterInput = 4;

}  // namespace

bool UiHost::Attach(void* sdlWindow, void* sdlRenderer, std::string* error) {
    if (attached_) return true;
    auto* window = static_cast<SDL_Window*>(sdlWindow);
    auto* renderer = static_cast<SDL_Renderer*>(sdlRenderer);
    if (!window || !renderer) {
        if (error) *error = "The dialog needs an open window";
        return false;
    }
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;  // the game keeps nothing on disk
    io.LogFilename = nullptr;
    io.ConfigFlags |= ImGuiConfigFlags_NavEnableKeyboard;
    if (!ImGui_ImplSDL2_InitForSDLRenderer(window) || !ImGui_ImplSDLRenderer_Init(renderer)) {
        ImGui_ImplSDL2_Shutdown();
        ImGui::DestroyContext();
        if (error) *error = "The dialog could not start on this display";
        return false;
    }
    window_ = window;
    renderer_ = renderer;
    attached_ = true;
    framesWanted_ = kFramesAfterInput;
    return true;
}

void UiHost::Detach() {
    if (!attached_) return;
    ReleaseTextures();
    ImGui_ImplSDLRenderer_Shutdown();
    ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext();
    attached_ = false;
    window_ = renderer_ = nullptr;
    design_ = {};
    scale_ = 1.0f;
    styled_ = false;
}

void UiHost::SetDesign(UiDesign design) {
    design_ = std::move(design);
    styled_ = false;
}

static_assert(sizeof(SDL_Event) <= 64, "an SDL event fits a pending slot");

void UiHost::ProcessEvent(const void* sdlEvent) {
    if (!attached_) return;
    PendingEvent p;
    std::memcpy(p.Bytes, sdlEvent, sizeof(SDL_Event));
    pending_.push_back(p);
    framesWanted_ = kFramesAfterInput;
}

void UiHost::BeginFrame() {
    // Hand ImGui this frame's events, up to one that must wait for the next frame.
    // ImGui reads each key's state once a frame: a press and a release of the same key in
    // one frame would never be seen down, a release and a press again never seen up.
    Uint32 keysPressed[8] = {}, keysReleased[8] = {};
    bool hoverOnly = false;
    int keysCount = 0, releasedCount = 0;
    while (!pending_.empty()) {
        SDL_Event e;
        std::memcpy(&e, pending_.front().Bytes, sizeof(SDL_Event));
        if (e.type == SDL_MOUSEBUTTONDOWN &&
            (float(e.button.x) != shownX_ || float(e.button.y) != shownY_)) {
            // The pointer arrives with the click: hover first, click next frame.
            pointerKnown_ = true;
            pointerX_ = float(e.button.x);
            pointerY_ = float(e.button.y);
            hoverOnly = true;
            break;
        }
        if (e.type == SDL_KEYUP) {
            bool pressedNow = false;
            for (int i = 0; i < keysCount; ++i)
                pressedNow |= keysPressed[i] == Uint32(e.key.keysym.scancode);
            if (pressedNow) break;
            if (releasedCount < 8) keysReleased[releasedCount++] = Uint32(e.key.keysym.scancode);
        }
        if (e.type == SDL_KEYDOWN) {
            bool releasedNow = false;
            for (int i = 0; i < releasedCount; ++i)
                releasedNow |= keysReleased[i] == Uint32(e.key.keysym.scancode);
            if (releasedNow) break;
            if (keysCount < 8) keysPressed[keysCount++] = Uint32(e.key.keysym.scancode);
        }
        if (e.type == SDL_MOUSEMOTION) {
            pointerKnown_ = true;
            pointerX_ = float(e.motion.x);
            pointerY_ = float(e.motion.y);
        }
        if (e.type == SDL_MOUSEBUTTONUP) {
            pointerKnown_ = true;
            pointerX_ = float(e.button.x);
            pointerY_ = float(e.button.y);
        }
        if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_LEAVE)
            pointerKnown_ = false;
        ImGui_ImplSDL2_ProcessEvent(&e);
        pending_.pop_front();
    }

    // The window in its own units (the pointer's) and in the renderer's pixels.
    int windowWidth = 0, windowHeight = 0, outputWidth = 0, outputHeight = 0;
    SDL_GetWindowSize(static_cast<SDL_Window*>(window_), &windowWidth, &windowHeight);
    if (SDL_GetRendererOutputSize(static_cast<SDL_Renderer*>(renderer_), &outputWidth,
                                  &outputHeight) != 0) {
        outputWidth = windowWidth;
        outputHeight = windowHeight;
    }
    if (design_.Restyle) {
        // Fonts are rebuilt between frames only, never while ImGui holds the atlas.
        const float scale = DialogScale(windowWidth, windowHeight, outputWidth, outputHeight,
                                        design_.Width, design_.Height);
        if (!styled_ || scale != scale_) {
            ImGui::GetIO().Fonts->Clear();
            ImGui::GetStyle() = ImGuiStyle();
            design_.Restyle(scale);
            // The renderer's back end uploads the new atlas in its next NewFrame.
            ImGui_ImplSDLRenderer_DestroyFontsTexture();
            scale_ = scale;
            styled_ = true;
        }
    }

    ImGui_ImplSDLRenderer_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    ImGuiIO& io = ImGui::GetIO();
    if (pointerKnown_) io.MousePos = ImVec2(pointerX_, pointerY_);
    // The back end reads the buttons as they are now; in the hovering frame they are up.
    if (hoverOnly) io.MouseDown[0] = io.MouseDown[1] = io.MouseDown[2] = false;
    shownX_ = io.MousePos.x;
    shownY_ = io.MousePos.y;
    // From window units to output pixels (the same on most screens). A minimised window
    // keeps the back end's empty display, so nothing is drawn.
    if (io.DisplaySize.x > 0 && io.DisplaySize.y > 0 && windowWidth > 0 && windowHeight > 0 &&
        outputWidth > 0 && outputHeight > 0) {
        io.DisplaySize = ImVec2(float(outputWidth), float(outputHeight));
        if (ImGui::IsMousePosValid(&io.MousePos))
            io.MousePos = ImVec2(io.MousePos.x * float(outputWidth) / float(windowWidth),
                                 io.MousePos.y * float(outputHeight) / float(windowHeight));
    }
    io.DisplayFramebufferScale = ImVec2(1.0f, 1.0f);
    ImGui::NewFrame();
}

void UiHost::EndFrame(uint8_t r, uint8_t g, uint8_t b) {
    ImGui::Render();
    auto* renderer = static_cast<SDL_Renderer*>(renderer_);
    // ImGui's vertices are in output pixels already.
    SDL_RenderSetScale(renderer, 1.0f, 1.0f);
    SDL_SetRenderDrawColor(renderer, r, g, b, 255);
    SDL_RenderClear(renderer);
    ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
    SDL_RenderPresent(renderer);
    if (framesWanted_ > 0) --framesWanted_;
}

UiTexture UiHost::CreateTexture(const Surface& picture) {
    if (!attached_ || picture.Empty()) return nullptr;
    auto* renderer = static_cast<SDL_Renderer*>(renderer_);
    SDL_Texture* t = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STATIC,
                                       picture.Width, picture.Height);
    if (!t) return nullptr;
    SDL_UpdateTexture(t, nullptr, picture.Pixels.data(), int(picture.Width * 2));
    SDL_SetTextureScaleMode(t, SDL_ScaleModeLinear);
    textures_.push_back(t);
    return t;
}

void UiHost::ReleaseTextures() {
    for (void* t : textures_)
        SDL_DestroyTexture(static_cast<SDL_Texture*>(t));
    textures_.clear();
}

}  // namespace tarrabel::platform

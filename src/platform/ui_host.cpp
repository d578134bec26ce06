#include "platform/ui_host.h"

#include <SDL.h>

#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>
#include <cstring>

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
    Uint32 keysPressed[8] = {};
    bool hoverOnly = false;
    int keysCount = 0;
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
        }
        if (e.type == SDL_KEYDOWN && keysCount < 8)
            keysPressed[keysCount++] = Uint32(e.key.keysym.scancode);
        if (e.type == SDL_MOUSEMOTION) {
            pointerKnown_ = true;
            pointerX_ = float(e.motion.x);
            pointerY_ = float(e.motion.y);
        }
        ImGui_ImplSDL2_ProcessEvent(&e);
        pending_.pop_front();
    }

    ImGui_ImplSDLRenderer_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    ImGuiIO& io = ImGui::GetIO();
    if (!ImGui::IsMousePosValid(&io.MousePos) && pointerKnown_)
        io.MousePos = ImVec2(pointerX_, pointerY_);
    // The back end reads the buttons as they are now; in the hovering frame they are up.
    if (hoverOnly) io.MouseDown[0] = io.MouseDown[1] = io.MouseDown[2] = false;
    shownX_ = io.MousePos.x;
    shownY_ = io.MousePos.y;
    ImGui::NewFrame();
}

void UiHost::EndFrame(uint8_t r, uint8_t g, uint8_t b) {
    ImGui::Render();
    auto* renderer = static_cast<SDL_Renderer*>(renderer_);
    SDL_RenderSetScale(renderer, ImGui::GetIO().DisplayFramebufferScale.x,
                       ImGui::GetIO().DisplayFramebufferScale.y);
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

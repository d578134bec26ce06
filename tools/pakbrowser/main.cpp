// pakbrowser [ARCHIVE.pak]: a small window that lists the entries of a PAK archive such as
// the game's res134.pak, shows each entry's size and place, and extracts one entry at a
// time into a folder with its bytes restored. Nothing else is written to disk.
//
// The window sleeps in SDL_WaitEvent while nothing moves; it draws only after input.
#include <SDL.h>
#include <imgui.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "pakbrowser/browser_model.h"
#include "pakbrowser/browser_view.h"
#include "platform/ui_host.h"

namespace {

using tarrabel::pakbrowser::BrowserModel;
using tarrabel::pakbrowser::BrowserView;

constexpr int kWidth = 820;
constexpr int kHeight = 560;

struct Sdl {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    ~Sdl() {
        if (renderer) SDL_DestroyRenderer(renderer);
        if (window) SDL_DestroyWindow(window);
        SDL_Quit();
    }
};

int Fail(const char* what) {
    std::fprintf(stderr, "pakbrowser: %s: %s\n", what, SDL_GetError());
    return 1;
}

// Escape leaves the program as "Exit" does, unless a text field is being edited (there it
// gives up the edit).
bool IsQuit(const SDL_Event& e) {
    if (e.type == SDL_QUIT) return true;
    return e.type == SDL_KEYDOWN && e.key.keysym.sym == SDLK_ESCAPE &&
           !ImGui::GetIO().WantTextInput;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 || (argc == 2 && (std::string(argv[1]) == "--help" || argv[1][0] == '\0'))) {
        std::fprintf(stderr, "usage: %s [ARCHIVE.pak]\n", argv[0]);
        return argc == 2 && std::string(argv[1]) == "--help" ? 0 : 2;
    }
    std::error_code ec;
    const std::string here = std::filesystem::current_path(ec).string();

    Sdl sdl;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return Fail("no display");
    SDL_SetHint(SDL_HINT_IME_SHOW_UI, "1");
    sdl.window = SDL_CreateWindow(std::string(tarrabel::pakbrowser::kCaption).c_str(),
                                  SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWidth, kHeight,
                                  SDL_WINDOW_RESIZABLE);
    if (!sdl.window) return Fail("cannot open the window");
    SDL_SetWindowMinimumSize(sdl.window, 520, 360);
    sdl.renderer = SDL_CreateRenderer(sdl.window, -1, SDL_RENDERER_PRESENTVSYNC);
    if (!sdl.renderer) sdl.renderer = SDL_CreateRenderer(sdl.window, -1, SDL_RENDERER_SOFTWARE);
    if (!sdl.renderer) return Fail("cannot draw in the window");

    tarrabel::platform::UiHost ui;
    std::string error;
    if (!ui.Attach(sdl.window, sdl.renderer, &error)) {
        std::fprintf(stderr, "pakbrowser: %s\n", error.c_str());
        return 1;
    }
    BrowserView::SetUpLook();

    BrowserModel model;
    BrowserView view(argc == 2 ? argv[1] : "", here.empty() ? "." : here);
    if (argc == 2) view.OpenArchive(model, argv[1]);

    bool running = true;
    // Returns true when the event must be seen by a frame before the next one is taken:
    // this ImGui keeps only whether a key is down, so a press and release handled in one
    // frame (fast typing, Ctrl+A, an arrow tapped twice) would be lost.
    auto handle = [&](SDL_Event& e) {
        // ImGui's back end reads Ctrl and Shift from SDL's current state, which is already
        // that of the last queued event; each key event carries the state of its moment.
        if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP)
            SDL_SetModState(SDL_Keymod(e.key.keysym.mod));
        ui.ProcessEvent(&e);
        if (IsQuit(e)) running = false;
        if (e.type == SDL_DROPFILE) {
            view.OpenArchive(model, e.drop.file);
            SDL_free(e.drop.file);
        }
        return e.type == SDL_KEYDOWN || e.type == SDL_KEYUP;
    };
    while (running) {
        SDL_Event e;
        // Sleep until something happens unless ImGui still settles after the last input.
        bool drawNow = false;
        if (!ui.WantsFrames()) {
            if (!SDL_WaitEvent(&e)) return Fail("the window's events stopped");
            drawNow = handle(e);
        }
        while (running && !drawNow && SDL_PollEvent(&e))
            drawNow = handle(e);
        if (!running) break;
        ui.BeginFrame();
        running = view.Draw(model);
        ui.EndFrame(242, 242, 240);
    }
    ui.Detach();
    return 0;
}

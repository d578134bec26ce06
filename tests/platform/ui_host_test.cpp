// The UI host on SDL's dummy video driver: every key tap it is handed reaches ImGui as one
// press, however many taps arrive between two frames, the same key's taps too.
#include "platform/ui_host.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <imgui.h>

#include <vector>

#include "sdl_env.h"

namespace tarrabel::test {
namespace {

struct TapsCase {
    const char* Name;
    std::vector<SDL_Scancode> Taps;  // each pressed and released, all before the next frame
    int Downs, Rights;               // the presses ImGui must see
};

class UiHostTaps : public testing::TestWithParam<TapsCase> {};

TEST_P(UiHostTaps, EveryTapIsOnePress) {
    ScopedEnv env;
    env.Set("SDL_VIDEODRIVER", "dummy");
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_Window* window = SDL_CreateWindow("ui", 0, 0, 800, 600, 0);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    ASSERT_NE(renderer, nullptr) << SDL_GetError();
    {
        platform::UiHost host;
        std::string error;
        ASSERT_TRUE(host.Attach(window, renderer, &error)) << error;
        for (SDL_Scancode code : GetParam().Taps) {
            for (Uint32 type : {Uint32(SDL_KEYDOWN), Uint32(SDL_KEYUP)}) {
                SDL_Event e{};
                e.type = type;
                e.key.keysym.scancode = code;
                e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
                host.ProcessEvent(&e);
            }
        }
        int downs = 0, rights = 0, frames = 0;
        while (host.WantsFrames() && frames < 100) {
            host.BeginFrame();
            downs += ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_DownArrow), false);
            rights += ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_RightArrow), false);
            host.EndFrame(0, 0, 0);
            ++frames;
        }
        EXPECT_EQ(downs, GetParam().Downs);
        EXPECT_EQ(rights, GetParam().Rights);
    }
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

INSTANTIATE_TEST_SUITE_P(
    QuickTaps, UiHostTaps,
    testing::Values(
        TapsCase{"OneTap", {SDL_SCANCODE_DOWN}, 1, 0},
        TapsCase{
            "TheSameKeyThrice", {SDL_SCANCODE_DOWN, SDL_SCANCODE_DOWN, SDL_SCANCODE_DOWN}, 3, 0},
        TapsCase{"TwoKeysInTurn",
                 {SDL_SCANCODE_RIGHT, SDL_SCANCODE_DOWN, SDL_SCANCODE_RIGHT, SDL_SCANCODE_RIGHT},
                 1,
                 3}),
    [](const testing::TestParamInfo<TapsCase>& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace tarrabel::test

#include "presentation/ui_style.h"

#include <imgui.h>

#include <cmath>
#include <filesystem>

namespace tarrabel {

namespace {

constexpr const char* kSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* kSerifBold = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";

// The game's name is all the title font shows: ASCII only, which keeps the atlas small when
// the title is rasterised at 100 pixels and more.
constexpr ImWchar kTitleGlyphs[] = {0x20, 0x7E, 0};

ImFont* LoadFont(const char* file, float size, const ImWchar* glyphs = nullptr) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) return nullptr;
    // Whole pixel sizes: the glyphs sit on the pixel grid at every scale.
    return ImGui::GetIO().Fonts->AddFontFromFileTTF(file, std::round(size), nullptr, glyphs);
}

ImVec4 Rgb(int r, int g, int b, float a = 1.0f) {
    return ImVec4(float(r) / 255.0f, float(g) / 255.0f, float(b) / 255.0f, a);
}

}  // namespace

UiFonts ApplyTableStyle(float scale) {
    UiFonts fonts;
    fonts.Body = LoadFont(kSans, 17.0f * scale);
    if (!fonts.Body) {
        ImFontConfig config;
        config.SizePixels = std::round(13.0f * scale);
        fonts.Body = ImGui::GetIO().Fonts->AddFontDefault(&config);
    }
    fonts.Title = LoadFont(kSerifBold, 34.0f * scale, kTitleGlyphs);
    if (!fonts.Title) fonts.Title = fonts.Body;

    ImGuiStyle& style = ImGui::GetStyle();
    style.WindowRounding = 0;
    style.ChildRounding = 6;
    style.FrameRounding = 5;
    style.TabRounding = 5;
    style.GrabRounding = 5;
    style.FramePadding = ImVec2(10, 6);
    style.ItemSpacing = ImVec2(10, 8);
    style.WindowPadding = ImVec2(18, 14);
    style.ScrollbarSize = 14;
    style.ScaleAllSizes(scale);

    ImVec4* c = style.Colors;
    const ImVec4 felt = Rgb(kFelt.R, kFelt.G, kFelt.B);
    const ImVec4 deepFelt = Rgb(16, 60, 39);
    const ImVec4 cream = Rgb(247, 240, 222);
    const ImVec4 gold = Rgb(226, 186, 82);
    c[ImGuiCol_Text] = cream;
    c[ImGuiCol_TextDisabled] = Rgb(150, 170, 150);
    c[ImGuiCol_WindowBg] = felt;
    c[ImGuiCol_ChildBg] = deepFelt;
    c[ImGuiCol_PopupBg] = deepFelt;
    c[ImGuiCol_Border] = Rgb(200, 170, 90, 0.6f);
    c[ImGuiCol_FrameBg] = Rgb(12, 46, 30);
    c[ImGuiCol_FrameBgHovered] = Rgb(30, 96, 64);
    c[ImGuiCol_FrameBgActive] = Rgb(38, 110, 74);
    c[ImGuiCol_CheckMark] = gold;
    c[ImGuiCol_Button] = Rgb(128, 28, 36);  // the red of the card backs
    c[ImGuiCol_ButtonHovered] = Rgb(160, 40, 48);
    c[ImGuiCol_ButtonActive] = Rgb(186, 52, 58);
    c[ImGuiCol_Tab] = Rgb(14, 52, 34);
    c[ImGuiCol_TabHovered] = Rgb(40, 112, 76);
    c[ImGuiCol_TabActive] = deepFelt;
    c[ImGuiCol_Separator] = Rgb(200, 170, 90, 0.5f);
    c[ImGuiCol_ScrollbarBg] = Rgb(12, 46, 30);
    c[ImGuiCol_ScrollbarGrab] = Rgb(60, 120, 90);
    c[ImGuiCol_NavHighlight] = gold;
    c[ImGuiCol_Header] = Rgb(30, 96, 64);
    c[ImGuiCol_HeaderHovered] = Rgb(40, 112, 76);
    c[ImGuiCol_HeaderActive] = Rgb(48, 124, 84);
    return fonts;
}

}  // namespace tarrabel

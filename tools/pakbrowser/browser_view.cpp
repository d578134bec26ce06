#include "pakbrowser/browser_view.h"

#include <imgui.h>
#include <imgui_stdlib.h>

#include <filesystem>

namespace tarrabel::pakbrowser {

namespace {

constexpr const char* kFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr float kFontSize = 16.0f;
constexpr const char* kCredit =
    "Tarrabel card games · archive browser · free software under the GNU GPL";

const ImVec4 kDim{0.38f, 0.40f, 0.44f, 1.0f};
const ImVec4 kError{0.72f, 0.10f, 0.10f, 1.0f};
const ImVec4 kDone{0.08f, 0.45f, 0.18f, 1.0f};

// A button as wide as its caption plus padding, for laying out a row from the right.
float ButtonWidth(const char* caption) {
    return ImGui::CalcTextSize(caption).x + 2 * ImGui::GetStyle().FramePadding.x;
}

// One caption label and its value label, as a row of the details table.
void LabelRow(const char* caption, const std::string& value) {
    ImGui::TableNextRow();
    ImGui::TableNextColumn();
    ImGui::TextColored(kDim, "%s", caption);
    ImGui::TableNextColumn();
    ImGui::TextWrapped("%s", value.c_str());
}

}  // namespace

void BrowserView::SetUpLook() {
    ImGuiIO& io = ImGui::GetIO();
    std::error_code ec;
    if (std::filesystem::is_regular_file(kFontFile, ec))
        io.Fonts->AddFontFromFileTTF(kFontFile, kFontSize);
    // The window only redraws on input, so a blinking cursor would freeze half the time.
    io.ConfigInputTextCursorBlink = false;

    ImGui::StyleColorsLight();
    ImGuiStyle& style = ImGui::GetStyle();
    style.WindowPadding = ImVec2(16, 14);
    style.FramePadding = ImVec2(8, 5);
    style.ItemSpacing = ImVec2(10, 8);
    style.FrameRounding = 3;
    style.ChildRounding = 3;
    style.FrameBorderSize = 1;
    style.Colors[ImGuiCol_WindowBg] = ImVec4(0.95f, 0.95f, 0.94f, 1.0f);
    style.Colors[ImGuiCol_ChildBg] = ImVec4(1, 1, 1, 1);
}

void BrowserView::OpenArchive(BrowserModel& model, const std::string& path) {
    archivePath_ = path;
    model.Open(path);
}

bool BrowserView::Draw(BrowserModel& model) {
    const ImGuiViewport* viewport = ImGui::GetMainViewport();
    ImGui::SetNextWindowPos(viewport->WorkPos);
    ImGui::SetNextWindowSize(viewport->WorkSize);
    ImGui::Begin("Browser", nullptr,
                 ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove |
                     ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoBringToFrontOnFocus);

    DrawArchiveRow(model);
    ImGui::Separator();

    // The title (Label1), then the list (List1) beside the details; the footer keeps its two
    // lines.
    const ImGuiStyle& style = ImGui::GetStyle();
    const float footer = ImGui::GetFrameHeightWithSpacing() + style.ItemSpacing.y + 1;
    ImGui::TextUnformatted(model.Title().empty() ? "No archive open" : model.Title().c_str());
    const float height = ImGui::GetContentRegionAvail().y - footer;
    const float listTop = ImGui::GetCursorPosY();
    const float listWidth = ImGui::GetContentRegionAvail().x * 0.5f;
    ImGui::BeginChild("Entries", ImVec2(listWidth, height), true);
    DrawList(model);
    ImGui::EndChild();
    ImGui::SameLine();
    ImGui::BeginGroup();
    DrawDetails(model);
    ImGui::EndGroup();
    ImGui::SetCursorPosY(listTop + height + ImGui::GetStyle().ItemSpacing.y);

    // The credit line (Label2) and "Exit".
    ImGui::Separator();
    bool keepOpen = true;
    const float exitWidth = ButtonWidth("Exit");
    const float creditWidth = ImGui::GetContentRegionAvail().x - exitWidth - style.ItemSpacing.x;
    ImGui::AlignTextToFramePadding();
    ImGui::PushClipRect(ImGui::GetCursorScreenPos(),
                        ImVec2(ImGui::GetCursorScreenPos().x + creditWidth, 1e6f), true);
    ImGui::TextColored(kDim, "%s", kCredit);
    ImGui::PopClipRect();
    ImGui::SameLine(ImGui::GetWindowContentRegionMax().x - exitWidth);
    if (ImGui::Button("Exit")) keepOpen = false;

    ImGui::End();
    return keepOpen;
}

void BrowserView::DrawArchiveRow(BrowserModel& model) {
    const char* openCaption = "Open .pak-file";
    ImGui::AlignTextToFramePadding();
    ImGui::TextUnformatted("Archive");
    ImGui::SameLine();
    ImGui::SetNextItemWidth(ImGui::GetContentRegionAvail().x - ButtonWidth(openCaption) -
                            ImGui::GetStyle().ItemSpacing.x);
    const bool entered = ImGui::InputTextWithHint("##archive", "path of a .pak file", &archivePath_,
                                                  ImGuiInputTextFlags_EnterReturnsTrue);
    ImGui::SameLine();
    if (ImGui::Button(openCaption) || entered) model.Open(archivePath_);
}

void BrowserView::DrawList(BrowserModel& model) {
    const auto& entries = model.Entries();
    if (entries.empty()) {
        ImGui::TextColored(kDim, "%s", model.Loaded() ? "The archive holds no files." : "");
        return;
    }
    // Archives hold hundreds of entries; only the visible rows are laid out.
    ImGuiListClipper clipper;
    clipper.Begin(int(entries.size()));
    while (clipper.Step()) {
        for (int i = clipper.DisplayStart; i < clipper.DisplayEnd; ++i) {
            ImGui::PushID(i);
            // The name is drawn as plain text over an unlabelled row: a name holding "##"
            // or "%" shows as it is.
            const ImVec2 at = ImGui::GetCursorPos();
            const bool chosen = model.Selected() == i;
            if (ImGui::Selectable("##entry", chosen)) model.Select(i);
            // The arrow keys move the keyboard focus along the list; the choice follows the
            // focus when it reaches another row (a click focuses and chooses at once).
            if (ImGui::IsItemFocused() && i != focusedRow_) {
                focusedRow_ = i;
                if (!chosen) model.Select(i);
            }
            ImGui::SetCursorPos(at);
            ImGui::TextUnformatted(entries[size_t(i)].c_str());
            ImGui::PopID();
        }
    }
}

void BrowserView::DrawDetails(BrowserModel& model) {
    if (ImGui::BeginTable("Labels", 2, ImGuiTableFlags_SizingFixedFit)) {
        ImGui::TableSetupColumn("caption", ImGuiTableColumnFlags_WidthFixed);
        ImGui::TableSetupColumn("value", ImGuiTableColumnFlags_WidthStretch);
        LabelRow("Filename", model.FileNameText());
        LabelRow("Filesize", model.FileSizeText());
        LabelRow("File offset in .pak", model.FileOffsetText());
        ImGui::EndTable();
    }
    ImGui::Spacing();
    ImGui::Separator();
    ImGui::Spacing();

    ImGui::TextUnformatted("Folder to extract to");
    ImGui::SetNextItemWidth(-1);
    ImGui::InputText("##folder", &folder_);
    ImGui::BeginDisabled(!model.CanExtract());
    if (ImGui::Button("Extract file to folder")) model.Extract(folder_);
    ImGui::EndDisabled();
    if (model.CanExtract()) {
        ImGui::SameLine();
        ImGui::AlignTextToFramePadding();
        ImGui::TextColored(
            kDim, "as %s",
            ForDisplay(std::filesystem::path(model.TargetPath(folder_)).filename().string())
                .c_str());
    }

    if (!model.Message().empty()) {
        ImGui::Spacing();
        ImGui::PushStyleColor(ImGuiCol_Text, model.MessageIsError() ? kError : kDone);
        ImGui::TextWrapped("%s", model.Message().c_str());
        ImGui::PopStyleColor();
    }
}

}  // namespace tarrabel::pakbrowser

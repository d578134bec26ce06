#include "app/startup_dialog.h"

#include <iterator>

#include "resources/unpack.h"

// The build passes the project's version (CMake's project(VERSION)).
#ifndef TARRABEL_VERSION
#error "TARRABEL_VERSION is defined by the build"
#endif

namespace tarrabel {

namespace {

constexpr int kAgoniaOption = 2;
// Option5's buttons by index; "Illustrated Agonia" has no button of its own.
constexpr GameVariant kOption5Variants[frmStartup::kVariantOptions] = {
    GameVariant::Tarrabel, GameVariant::HuitAmericain, GameVariant::Agonia, GameVariant::PisYedili};

// Option6's buttons are the levels in their order, 0 Standard and 1 Expert.
static_assert(std::size(kAiLevelNames) == frmStartup::kLevelOptions);
static_assert(kAiLevelNames[int(AiLevel::Expert)] == "Expert");

}  // namespace

void frmStartup::Form_Load() {
    PakFileName = kPakFileName;
    CurrentTab = 0;
    show_tabs();
    EndOnClose = true;
}

void frmStartup::show_tabs() {
    for (int tab = 0; tab < kTabCount; ++tab)
        panelVisible_[tab] = tab == CurrentTab;
}

bool frmStartup::PanelVisible(int tab) const {
    return tab >= 0 && tab < kTabCount && panelVisible_[tab];
}

void frmStartup::SSTab1_Click(int tab) {
    if (tab < 0 || tab >= kTabCount) return;
    CurrentTab = int16_t(tab);
    show_tabs();
}

void frmStartup::Option5_Click(int index) {
    if (index < 0 || index >= kVariantOptions) return;
    for (int i = 0; i < kVariantOptions; ++i)
        Option5[i] = i == index;
    if (Option5[kAgoniaOption]) {
        Check6Enabled = true;
    } else {
        Check6Enabled = false;
        // Clearing the box is a click on it too: "Jack of Diamonds" is offered again.
        if (Check6) Check6_Click(false);
    }
}

void frmStartup::Check6_Click(bool checked) {
    Check6 = checked;
    if (Check6) {
        Check4 = false;
        Check4Enabled = false;
    } else {
        Check4Enabled = true;
    }
}

void frmStartup::SelectDeck(int preview) {
    Option4 = preview == 0;
    Option2 = preview == 1;
    Option3 = preview == 2;
    PreviewShown = preview;
}

void frmStartup::Option2_Click() {
    SelectDeck(1);
}
void frmStartup::Option3_Click() {
    SelectDeck(2);
}
void frmStartup::Option4_Click() {
    SelectDeck(0);
}

void frmStartup::Option6_Click(int index) {
    if (index < 0 || index >= kLevelOptions) return;
    for (int i = 0; i < kLevelOptions; ++i)
        Option6[i] = i == index;
}

void frmStartup::Check5_Click(bool checked) {
    Check5 = checked;
}
void frmStartup::Check2_Click(bool checked) {
    Check2 = checked;
}

GameOptions frmStartup::Command1_Click() {
    GameOptions o;
    EndOnClose = false;
    Started = true;
    o.UseVidMem = Check1;
    o.FullScreen = !Check2;

    // Every deck that can be chosen is drawn for the 800 x 600 table.
    if (Option2)
        o.DeckName = kDeckNames[1];
    else if (Option3)
        o.DeckName = kDeckNames[2];
    else
        o.DeckName = kDeckNames[0];
    o.Resolution = "800x600";

    o.SlowAnimation = Check5;
    for (int i = 0; i < kLevelOptions; ++i)
        if (Option6[i]) o.ComputerLevel = AiLevel(i);

    o.Variant = GameVariant::Tarrabel;
    for (int i = 0; i < kVariantOptions; ++i)
        if (Option5[i]) o.Variant = kOption5Variants[i];
    if (o.Variant == GameVariant::Agonia && Check6) o.Variant = GameVariant::IllustratedAgonia;

    // 500 for Huit Americain and Pis Yedili, 100 for the others.
    o.TargetScore = kVariantSettings[int(o.Variant)].TargetScore;

    const bool small = o.Resolution == "800x600";
    o.ScreenWidth = small ? 800 : 1024;
    o.ScreenHeight = small ? 600 : 768;
    if (!PakFileName.empty()) o.PakFileName = PakFileName;
    return o;
}

void frmStartup::Command2_Click() {
    Ended = true;
}

void frmStartup::Form_Unload() {
    if (EndOnClose) Ended = true;
}

std::string frmStartup::VersionLabel() const {
    return std::string("Version ") + TARRABEL_VERSION;
}

}  // namespace tarrabel

#include "app/startup_dialog.h"

#include <iterator>

#include "app/dialog_texts.h"
#include "resources/unpack.h"

// The build passes the project's version (CMake's project(VERSION)).
#ifndef TARRABEL_VERSION
#error "TARRABEL_VERSION is defined by the build"
#endif

namespace tarrabel {

namespace {

constexpr int kAgoniaChoice = 2;
// The games' buttons by index; "Illustrated Agonia" has no button of its own.
constexpr GameVariant kGameChoiceVariants[StartupDialog::kGameChoices] = {
    GameVariant::Tarrabel, GameVariant::HuitAmericain, GameVariant::Agonia, GameVariant::PisYedili};

// The decks are named in the order of their choices.
static_assert(std::size(kDeckNames) == StartupDialog::kDeckChoices);
static_assert(kDeckNames[int(StartupDialog::Deck::Roya2)] == "Roya2");
static_assert(kDeckNames[int(StartupDialog::Deck::Roya3)] == "Roya3");

// Every level has its button, and the buttons run from the gentlest level to the strongest,
// captioned with the levels' names.
static_assert(std::size(kAiLevelNames) == StartupDialog::kLevelChoices);
static_assert(AiLevelName(StartupDialog::kLevelChoiceLevels[0]) == "Easy");
static_assert(AiLevelName(StartupDialog::kLevelChoiceLevels[1]) == "Standard");
static_assert(AiLevelName(StartupDialog::kLevelChoiceLevels[2]) == "Expert");
static_assert(std::size(dialog::kLevelCaptions) == StartupDialog::kLevelChoices);
static_assert(dialog::kLevelCaptions[0] == AiLevelName(StartupDialog::kLevelChoiceLevels[0]));
static_assert(dialog::kLevelCaptions[1] == AiLevelName(StartupDialog::kLevelChoiceLevels[1]));
static_assert(dialog::kLevelCaptions[2] == AiLevelName(StartupDialog::kLevelChoiceLevels[2]));

}  // namespace

void StartupDialog::Open() {
    PakFileName = kPakFileName;
    CurrentTab = 0;
    ShowCurrentTab();
    EndOnClose = true;
}

void StartupDialog::ShowCurrentTab() {
    for (int tab = 0; tab < kTabCount; ++tab)
        panelVisible_[tab] = tab == CurrentTab;
}

bool StartupDialog::PanelVisible(int tab) const {
    return tab >= 0 && tab < kTabCount && panelVisible_[tab];
}

void StartupDialog::ClickTab(int tab) {
    if (tab < 0 || tab >= kTabCount) return;
    CurrentTab = int16_t(tab);
    ShowCurrentTab();
}

void StartupDialog::ChooseGame(int index) {
    if (index < 0 || index >= kGameChoices) return;
    for (int i = 0; i < kGameChoices; ++i)
        GameChosen[i] = i == index;
    if (GameChosen[kAgoniaChoice]) {
        IllustratedAgoniaEnabled = true;
    } else {
        IllustratedAgoniaEnabled = false;
        // Clearing the box is a click on it too: "Jack of Diamonds" is offered again.
        if (IllustratedAgonia) CheckIllustratedAgonia(false);
    }
}

void StartupDialog::CheckIllustratedAgonia(bool checked) {
    IllustratedAgonia = checked;
    if (IllustratedAgonia) {
        JackOfDiamonds = false;
        JackOfDiamondsEnabled = false;
    } else {
        JackOfDiamondsEnabled = true;
    }
}

void StartupDialog::ChooseDeck(Deck deck) {
    if (int(deck) >= kDeckChoices) return;
    SelectedDeck = deck;
}

void StartupDialog::CheckFourColourSuits(bool checked) {
    FourColourSuits = checked;
}

void StartupDialog::ChooseLevel(int index) {
    if (index < 0 || index >= kLevelChoices) return;
    for (int i = 0; i < kLevelChoices; ++i)
        LevelChosen[i] = i == index;
}

int StartupDialog::LevelButton(AiLevel level) {
    int button = 0;
    for (int i = 0; i < kLevelChoices; ++i)
        if (kLevelChoiceLevels[size_t(i)] == level) button = i;
    return button;
}

void StartupDialog::CheckSlowAnimation(bool checked) {
    SlowAnimation = checked;
}
void StartupDialog::CheckWindowed(bool checked) {
    Windowed = checked;
}

void StartupDialog::CheckShowHands(bool checked) {
    ShowHands = checked;
}

void StartupDialog::ShowChoices(const GameOptions& o) {
    GameVariant shown =
        o.Variant == GameVariant::IllustratedAgonia ? GameVariant::Agonia : o.Variant;
    for (int i = 0; i < kGameChoices; ++i)
        if (kGameChoiceVariants[i] == shown) ChooseGame(i);
    CheckIllustratedAgonia(o.Variant == GameVariant::IllustratedAgonia);
    for (int i = 0; i < kDeckChoices; ++i)
        if (kDeckNames[size_t(i)] == o.DeckName) ChooseDeck(Deck(i));
    CheckFourColourSuits(o.FourColourSuits);
    ChooseLevel(LevelButton(o.ComputerLevel));
    StatisticsLevel = LevelButton(o.ComputerLevel);
    CheckSlowAnimation(o.SlowAnimation);
    CheckShowHands(o.ShowHandsAtDealEnd);
    CheckWindowed(!o.FullScreen);
}

void StartupDialog::ChooseStatisticsLevel(int index) {
    if (index >= 0 && index < kLevelChoices) StatisticsLevel = index;
}

void StartupDialog::AskReset() {
    ResetAsked = true;
}

void StartupDialog::AnswerReset(bool yes) {
    ResetAsked = false;
    ResetRequested = yes;
}

void StartupDialog::ShowResults(const Statistics& results) {
    Results = results;
    ResetRequested = false;
}

void StartupDialog::OnResume() {
    if (!ResumeOffered) return;
    EndOnClose = false;
    Started = true;
    Resumed = true;
}

GameOptions StartupDialog::OnStart() {
    GameOptions o;
    EndOnClose = false;
    Started = true;
    o.UseVidMem = UseVidMem;
    o.FullScreen = !Windowed;

    // Every deck that can be chosen is drawn for the 800 x 600 table.
    o.DeckName = kDeckNames[int(SelectedDeck)];
    o.FourColourSuits = FourColourSuits;
    o.Resolution = "800x600";

    o.SlowAnimation = SlowAnimation;
    o.ShowHandsAtDealEnd = ShowHands;
    for (int i = 0; i < kLevelChoices; ++i)
        if (LevelChosen[i]) o.ComputerLevel = kLevelChoiceLevels[size_t(i)];

    o.Variant = GameVariant::Tarrabel;
    for (int i = 0; i < kGameChoices; ++i)
        if (GameChosen[i]) o.Variant = kGameChoiceVariants[i];
    if (o.Variant == GameVariant::Agonia && IllustratedAgonia)
        o.Variant = GameVariant::IllustratedAgonia;

    // 500 for Huit Americain and Pis Yedili, 100 for the others.
    o.TargetScore = kVariantSettings[int(o.Variant)].TargetScore;

    const bool small = o.Resolution == "800x600";
    o.ScreenWidth = small ? 800 : 1024;
    o.ScreenHeight = small ? 600 : 768;
    if (!PakFileName.empty()) o.PakFileName = PakFileName;
    return o;
}

void StartupDialog::OnExit() {
    Ended = true;
}

void StartupDialog::OnClose() {
    if (EndOnClose) Ended = true;
}

std::string StartupDialog::VersionLabel() const {
    return std::string("Version ") + TARRABEL_VERSION;
}

}  // namespace tarrabel

// The options dialog shown before play: the state of its controls and what each click does
// to them, without any window. The view (Dear ImGui in the game's window) draws the
// controls from these members and calls the handlers; tests drive the same handlers.
//
// The trailing comments give the old program's control names (frmStartup's SSTab1,
// Option2..6, Check1..6, Command1/2), for comparing with its documents.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/options.h"

namespace tarrabel {

class StartupDialog {  // frmStartup
  public:
    static constexpr int kTabCount = 5;  // "Deck", "Keys", "Rules", "Credits", "Options"
    static constexpr int kGameChoices = 4;
    static constexpr int kLevelChoices = 2;

    // Which controls the dialog shows. The 1024 x 768 deck has no pictures in the archive, and "Use
    // VidMem" and "Jack of Diamonds" change nothing in this game, so they stay hidden; "Windowed"
    // is offered, unchecked, so full screen stays the default.
    static constexpr bool kLargeDeckVisible = false;       // Option1
    static constexpr bool kUseVidMemVisible = false;       // Check1
    static constexpr bool kWindowedVisible = true;         // Check2
    static constexpr bool kJackOfDiamondsVisible = false;  // Check4

    // ---- the controls, at their state when the dialog opens ----
    int16_t CurrentTab = 0;  // the tab shown
    bool EndOnClose = false;
    std::string_view PakFileName;

    // The decks: exactly one is selected.
    bool DeckRoya2 = false;  // Option2
    bool DeckRoya3 = false;  // Option3
    bool DeckRoyal = true;   // Option4
    int PreviewShown = 0;    // the deck preview shown: 0 Royal, 1 Roya2, 2 Roya3 (Image2)

    // The games: "Tarrabel", "Huit Americain", "Agonia", "Pis Yedili"; exactly one is selected.
    std::array<bool, kGameChoices> GameChosen = {true, false, false, false};  // Option5
    // "Illustrated Agonia", offered only with "Agonia".
    bool IllustratedAgonia = false;  // Check6
    bool IllustratedAgoniaEnabled = false;
    bool JackOfDiamonds = false;  // "Jack of Diamonds" (hidden): Check4
    bool JackOfDiamondsEnabled = true;
    // The computer players' level, seats 1 to 3: 0 "Standard", 1 "Expert"; exactly one is
    // selected.
    std::array<bool, kLevelChoices> LevelChosen = {true, false};  // Option6
    bool SlowAnimation = false;                                   // "Slow animation": Check5
    bool Windowed = false;                                        // "Windowed": Check2
    bool UseVidMem = false;                                       // "Use VidMem" (hidden): Check1

    bool Ended = false;    // the program is to end without a game: "Exit" or the close box
    bool Started = false;  // the start button was pressed

    // ---- the handlers ----
    void Open();  // Form_Load
    // Shows the panel of CurrentTab and hides the others.
    void ShowCurrentTab();  // show_tabs
    bool PanelVisible(int tab) const;
    void ClickTab(int tab);  // SSTab1_Click

    // Selects that game; "Illustrated Agonia" is offered only while "Agonia" is selected.
    void ChooseGame(int index);
    void CheckIllustratedAgonia(bool checked);
    void ChooseRoya2();
    void ChooseRoya3();
    void ChooseRoyal();
    // Selects the computer players' level, the index being the AiLevel.
    void ChooseLevel(int index);
    void CheckSlowAnimation(bool checked);
    void CheckWindowed(bool checked);

    // The start button: the choices as the game options. The table layout is worked out
    // from them when the game is set up.
    GameOptions OnStart();  // Command1_Click
    // "Exit".
    void OnExit();  // Command2_Click
    // The close box: ends the program unless the game has been started.
    void OnClose();  // Form_Unload

    // "Version " and the game's major, minor and patch numbers.
    std::string VersionLabel() const;

  private:
    void SelectDeck(int preview);

    std::array<bool, kTabCount> panelVisible_{};
};

}  // namespace tarrabel

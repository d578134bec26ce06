// The options dialog shown before play: the state of its controls and what each click does
// to them, without any window. The view (Dear ImGui in the game's window) draws the
// controls from these members and calls the handlers; tests drive the same handlers.
//
// The names say what each control is for. Where the old program's documents name a control
// by number (its form frmStartup: the tabs SSTab1, the option buttons Option1..6, the check
// boxes Check1..6, the buttons Command1/2, the previews Image2), that name is kept in one
// trailing comment, for comparing with them, and in no identifier. The old program's three
// deck buttons (Option2..4) are one SelectedDeck here, its groups of game and level buttons
// (Option5, Option6) arrays with exactly one true.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/options.h"
#include "persist/statistics.h"

namespace tarrabel {

class StartupDialog {  // frmStartup
  public:
    // "Deck", "Keys", "Rules", "Credits", "Options", "Statistics"
    static constexpr int kTabCount = 6;
    static constexpr int kStatisticsTab = 5;
    static constexpr int kDeckChoices = 3;
    static constexpr int kGameChoices = 4;
    static constexpr int kLevelChoices = 3;
    // The level of each of the level buttons, from the gentlest; Standard is chosen when the
    // dialog opens.
    static constexpr std::array<AiLevel, kLevelChoices> kLevelChoiceLevels = {
        AiLevel::Easy, AiLevel::Standard, AiLevel::Expert};

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

    // The decks, in the order of their previews and of kDeckNames. The preview shown is
    // the selected deck's.
    enum class Deck : uint8_t { Royal, Roya2, Roya3 };
    Deck SelectedDeck = Deck::Royal;  // Option4 Royal, Option2 Roya2, Option3 Roya3; Image2
    // "Four-colour suits", under the decks: clubs green and diamonds blue on every deck, in
    // the preview too.
    bool FourColourSuits = false;

    // The games: "Tarrabel", "Huit Americain", "Agonia", "Pis Yedili"; exactly one is selected.
    std::array<bool, kGameChoices> GameChosen = {true, false, false, false};  // Option5
    // "Illustrated Agonia", offered only with "Agonia".
    bool IllustratedAgonia = false;  // Check6
    bool IllustratedAgoniaEnabled = false;
    bool JackOfDiamonds = false;  // "Jack of Diamonds" (hidden): Check4
    bool JackOfDiamondsEnabled = true;
    // The computer players' level, seats 1 to 3: 0 "Easy", 1 "Standard", 2 "Expert"
    // (kLevelChoiceLevels); exactly one is selected.
    std::array<bool, kLevelChoices> LevelChosen = {false, true, false};  // Option6

    bool SlowAnimation = false;  // "Slow animation": Check5
    bool ShowHands = true;       // "Show the hands when a deal ends"
    bool Windowed = false;       // "Windowed": Check2
    bool UseVidMem = false;      // "Use VidMem" (hidden): Check1

    // "Resume", beside "Start", while a match left unfinished is kept; the label says which.
    bool ResumeOffered = false;
    std::string ResumeLabel, ResumeShortLabel;  // the short one where the long one does not fit

    // The "Statistics" page: the results of every game at the level chosen there (it opens
    // at the level of the computer players), and "Reset", which asks first.
    Statistics Results;
    int StatisticsLevel = 1;      // a level button, as LevelChosen
    bool ResetAsked = false;      // the question is up
    bool ResetRequested = false;  // answered yes: the caller clears the file and the page

    bool Ended = false;    // the program is to end without a game: "Exit" or the close box
    bool Started = false;  // the start button was pressed
    bool Resumed = false;  // "Resume" was pressed (Started too)

    // ---- the handlers ----
    void Open();  // Form_Load
    // Shows the panel of CurrentTab and hides the others.
    void ShowCurrentTab();  // show_tabs
    bool PanelVisible(int tab) const;
    void ClickTab(int tab);  // SSTab1_Click

    // Selects that game; "Illustrated Agonia" is offered only while "Agonia" is selected.
    void ChooseGame(int index);
    void CheckIllustratedAgonia(bool checked);
    void ChooseDeck(Deck deck);
    void CheckFourColourSuits(bool checked);
    // Selects the computer players' level by its button, 0 to kLevelChoices - 1.
    void ChooseLevel(int index);
    // The button of a level.
    static int LevelButton(AiLevel level);
    void CheckSlowAnimation(bool checked);
    void CheckWindowed(bool checked);
    void CheckShowHands(bool checked);
    // Sets every control to the options (those of the last start, or the command line's).
    void ShowChoices(const GameOptions& options);

    void ChooseStatisticsLevel(int index);
    void AskReset();
    void AnswerReset(bool yes);
    // The results as the caller read them again after a reset.
    void ShowResults(const Statistics& results);

    // The start button: the choices as the game options. The table layout is worked out
    // from them when the game is set up.
    GameOptions OnStart();  // Command1_Click
    // "Resume": the kept match goes on; nothing else is chosen.
    void OnResume();
    // "Exit".
    void OnExit();  // Command2_Click
    // The close box: ends the program unless the game has been started.
    void OnClose();  // Form_Unload

    // "Version " and the game's major, minor and patch numbers.
    std::string VersionLabel() const;

  private:
    std::array<bool, kTabCount> panelVisible_{};
};

}  // namespace tarrabel

// The options dialog without a window: its state when it opens, the tabs, the rule that
// offers "Illustrated Agonia" only with "Agonia", the deck previews, the computer players'
// level, the options the start button hands to the game, and the three ways the dialog ends.
#include "app/startup_dialog.h"

#include <gtest/gtest.h>

#include <array>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "app/dialog_texts.h"

namespace tarrabel::test {
namespace {

StartupDialog Opened() {
    StartupDialog f;
    f.Open();
    return f;
}

std::vector<int> VisiblePanels(const StartupDialog& f) {
    std::vector<int> shown;
    for (int tab = 0; tab < StartupDialog::kTabCount; ++tab)
        if (f.PanelVisible(tab)) shown.push_back(tab);
    return shown;
}

// ---- opening -------------------------------------------------------------------------------

TEST(Opening, StartingAtOnceGivesTheDefaults) {
    StartupDialog f = Opened();
    EXPECT_TRUE(f.EndOnClose);
    EXPECT_EQ(f.CurrentTab, 0);
    EXPECT_EQ(VisiblePanels(f), std::vector<int>{0});
    EXPECT_EQ(f.PakFileName, "res134.pak");
    EXPECT_FALSE(f.IllustratedAgoniaEnabled) << "Illustrated Agonia is offered only with Agonia";
    EXPECT_EQ(f.SelectedDeck, StartupDialog::Deck::Royal) << "Royal is selected and shown";
    EXPECT_EQ(f.LevelChosen, (std::array<bool, 3>{false, true, false})) << "Standard is selected";

    const GameOptions o = f.OnStart();
    EXPECT_EQ(o.Variant, GameVariant::Tarrabel);
    EXPECT_EQ(o.TargetScore, 100);
    EXPECT_EQ(o.DeckName, "Royal");
    EXPECT_EQ(o.Resolution, "800x600");
    EXPECT_EQ(o.ScreenWidth, 800);
    EXPECT_EQ(o.ScreenHeight, 600);
    EXPECT_TRUE(o.FullScreen);
    EXPECT_FALSE(o.SlowAnimation);
    EXPECT_FALSE(o.FourColourSuits);
    EXPECT_FALSE(o.UseVidMem);
    EXPECT_EQ(o.ComputerLevel, AiLevel::Standard);
    EXPECT_EQ(o.PakFileName, "res134.pak");
}

TEST(Opening, TheVersionLabelShowsThreeNumbers) {
    const std::string label = Opened().VersionLabel();
    EXPECT_TRUE(std::regex_match(label, std::regex(R"(Version \d+\.\d+\.\d+)"))) << label;
}

// ---- tabs ----------------------------------------------------------------------------------

TEST(Tabs, EachClickShowsThatPanelAlone) {
    StartupDialog f = Opened();
    // Every tab after every other: the panel shown before is always hidden again.
    for (int from = 0; from < StartupDialog::kTabCount; ++from) {
        for (int to = 0; to < StartupDialog::kTabCount; ++to) {
            SCOPED_TRACE(std::to_string(from) + " -> " + std::to_string(to));
            f.ClickTab(from);
            f.ClickTab(to);
            EXPECT_EQ(f.CurrentTab, to);
            EXPECT_EQ(VisiblePanels(f), std::vector<int>{to});
        }
    }
}

TEST(Tabs, ATabOutsideTheControlChangesNothing) {
    StartupDialog f = Opened();
    f.ClickTab(3);
    for (int tab : {-1, StartupDialog::kTabCount}) {
        f.ClickTab(tab);
        EXPECT_EQ(f.CurrentTab, 3);
        EXPECT_EQ(VisiblePanels(f), std::vector<int>{3});
    }
}

// ---- "Illustrated Agonia" ------------------------------------------------------------------

// A click on a game option (0..3), or on the check box "Illustrated Agonia".
constexpr int kCheck = 10;
constexpr int kUncheck = 11;

struct VariantClicks {
    const char* name;
    std::vector<int> clicks;
    bool boxEnabled;
    bool boxChecked;
    GameVariant variant;
};

const VariantClicks kVariantClicks[] = {
    {"Agonia", {2}, true, false, GameVariant::Agonia},
    {"Agonia and the box", {2, kCheck}, true, true, GameVariant::IllustratedAgonia},
    {"the box cleared again", {2, kCheck, kUncheck}, true, false, GameVariant::Agonia},
    {"then Tarrabel", {2, kCheck, 0}, false, false, GameVariant::Tarrabel},
    {"then Huit Americain", {2, kCheck, 1}, false, false, GameVariant::HuitAmericain},
    {"then Pis Yedili", {2, kCheck, 3}, false, false, GameVariant::PisYedili},
    // The box does not come back checked with Agonia.
    {"then back to Agonia", {2, kCheck, 3, 2}, true, false, GameVariant::Agonia},
    {"Agonia again", {2, kCheck, 2}, true, true, GameVariant::IllustratedAgonia},
    {"Huit Americain", {1}, false, false, GameVariant::HuitAmericain},
};

TEST(IllustratedAgonia, OnlyAgoniaWithTheBoxGivesIt) {
    for (const VariantClicks& c : kVariantClicks) {
        SCOPED_TRACE(c.name);
        StartupDialog f = Opened();
        for (int click : c.clicks) {
            if (click == kCheck || click == kUncheck)
                f.CheckIllustratedAgonia(click == kCheck);
            else
                f.ChooseGame(click);
        }
        EXPECT_EQ(f.IllustratedAgoniaEnabled, c.boxEnabled);
        EXPECT_EQ(f.IllustratedAgonia, c.boxChecked);
        int selected = 0;
        for (bool on : f.GameChosen)
            selected += on ? 1 : 0;
        EXPECT_EQ(selected, 1);
        EXPECT_EQ(f.OnStart().Variant, c.variant);
    }
}

TEST(IllustratedAgonia, TheBoxClearsAndLocksJackOfDiamonds) {
    StartupDialog f = Opened();
    f.JackOfDiamonds = true;
    f.ChooseGame(2);
    f.CheckIllustratedAgonia(true);
    EXPECT_FALSE(f.JackOfDiamonds);
    EXPECT_FALSE(f.JackOfDiamondsEnabled);
    f.CheckIllustratedAgonia(false);
    EXPECT_FALSE(f.JackOfDiamonds) << "clearing Illustrated Agonia does not check it again";
    EXPECT_TRUE(f.JackOfDiamondsEnabled);

    // Leaving Agonia clears the box, and that frees Jack of Diamonds as well.
    f.CheckIllustratedAgonia(true);
    f.ChooseGame(0);
    EXPECT_TRUE(f.JackOfDiamondsEnabled);
}

// ---- decks ---------------------------------------------------------------------------------

struct DeckClick {
    const char* name;
    StartupDialog::Deck choice;
    int preview;
    std::string_view deck;
};

const DeckClick kDeckClicks[] = {
    {"Roya2", StartupDialog::Deck::Roya2, 1, "Roya2"},
    {"Roya3", StartupDialog::Deck::Roya3, 2, "Roya3"},
    {"Royal", StartupDialog::Deck::Royal, 0, "Royal"},
};

TEST(Decks, EachOptionShowsItsPreviewAndPicksItsDeck) {
    // From every deck to every deck, so a stale selection would show.
    for (const DeckClick& from : kDeckClicks) {
        for (const DeckClick& to : kDeckClicks) {
            SCOPED_TRACE(std::string(from.name) + " then " + to.name);
            StartupDialog f = Opened();
            f.ChooseDeck(from.choice);
            f.ChooseDeck(to.choice);
            EXPECT_EQ(int(f.SelectedDeck), to.preview);
            const GameOptions o = f.OnStart();
            EXPECT_EQ(o.DeckName, to.deck);
            EXPECT_EQ(o.Resolution, "800x600");
            EXPECT_EQ(o.ScreenWidth, 800);
            EXPECT_EQ(o.ScreenHeight, 600);
        }
    }
}

TEST(Decks, ADeckOutsideTheControlChangesNothing) {
    StartupDialog f = Opened();
    f.ChooseDeck(StartupDialog::Deck::Roya3);
    f.ChooseDeck(StartupDialog::Deck(StartupDialog::kDeckChoices));
    EXPECT_EQ(f.SelectedDeck, StartupDialog::Deck::Roya3);
    EXPECT_EQ(f.OnStart().DeckName, "Roya3");
}

// The captions and labels of the deck tab follow the preview order the handlers use.
TEST(Decks, TheDeckTabListsTheDecksInPreviewOrder) {
    for (const DeckClick& d : kDeckClicks)
        EXPECT_EQ(dialog::kDeckOptions[d.preview].Deck, d.deck);
}

// "Four-colour suits" starts unchecked; the start button hands on its last state with
// whichever deck is chosen, before or after it.
TEST(Decks, TheFourColourBoxReachesTheGameOptions) {
    struct Case {
        const char* name;
        std::vector<bool> clicks;
        bool fourColour;
    };
    const Case cases[] = {
        {"untouched", {}, false},
        {"checked", {true}, true},
        {"checked and cleared", {true, false}, false},
        {"cleared, then checked", {false, true}, true},
    };
    for (const Case& c : cases) {
        for (const DeckClick& deck : kDeckClicks) {
            SCOPED_TRACE(std::string(c.name) + ", " + deck.name);
            StartupDialog f = Opened();
            f.ChooseDeck(deck.choice);
            for (const bool click : c.clicks)
                f.CheckFourColourSuits(click);
            EXPECT_EQ(f.FourColourSuits, c.fourColour);
            const GameOptions o = f.OnStart();
            EXPECT_EQ(o.FourColourSuits, c.fourColour);
            EXPECT_EQ(o.DeckName, deck.deck);
        }
    }
}

// ---- the computer players' level -----------------------------------------------------------

struct LevelClicks {
    const char* name;
    std::vector<int> clicks;  // level button indexes, some outside the control
    int selected;
    AiLevel level;
};

// The buttons: 0 Easy, 1 Standard, 2 Expert.
const LevelClicks kLevelClicks[] = {
    {"none", {}, 1, AiLevel::Standard},
    {"Expert", {2}, 2, AiLevel::Expert},
    {"Standard", {1}, 1, AiLevel::Standard},
    {"Easy", {0}, 0, AiLevel::Easy},
    {"Expert twice", {2, 2}, 2, AiLevel::Expert},
    {"Expert then Standard", {2, 1}, 1, AiLevel::Standard},
    {"Standard then Expert", {1, 2}, 2, AiLevel::Expert},
    {"Easy then Expert", {0, 2}, 2, AiLevel::Expert},
    {"Expert then Easy", {2, 0}, 0, AiLevel::Easy},
    {"back and forth", {2, 1, 2}, 2, AiLevel::Expert},
    {"round all three", {0, 1, 2, 0}, 0, AiLevel::Easy},
    // A click outside the control keeps the choice made.
    {"Expert, then outside", {2, -1, 3}, 2, AiLevel::Expert},
    {"Easy, then outside", {0, 3, -1}, 0, AiLevel::Easy},
    {"outside only", {3, -1}, 1, AiLevel::Standard},
};

TEST(ComputerLevel, OneButtonIsSelectedAndTheStartButtonPassesItOn) {
    for (const LevelClicks& c : kLevelClicks) {
        SCOPED_TRACE(c.name);
        StartupDialog f = Opened();
        for (int click : c.clicks)
            f.ChooseLevel(click);
        for (int i = 0; i < StartupDialog::kLevelChoices; ++i)
            EXPECT_EQ(f.LevelChosen[i], i == c.selected) << "button " << i;
        EXPECT_EQ(f.OnStart().ComputerLevel, c.level);
    }
}

// The buttons read "Easy", "Standard" and "Expert", from the gentlest level to the
// strongest, each captioned with the level the start button gives for it.
TEST(ComputerLevel, EachButtonIsCaptionedWithTheLevelItGives) {
    EXPECT_EQ(dialog::kLevelCaptions,
              (std::array<std::string_view, 3>{"Easy", "Standard", "Expert"}));
    for (int i = 0; i < StartupDialog::kLevelChoices; ++i) {
        StartupDialog f = Opened();
        f.ChooseLevel(i);
        EXPECT_EQ(dialog::kLevelCaptions[size_t(i)], AiLevelName(f.OnStart().ComputerLevel));
    }
}

// The dialog opens at the level of the command line (--ai): each level's button selects
// that very level again.
TEST(ComputerLevel, EveryLevelHasTheButtonThatGivesIt) {
    for (AiLevel level : {AiLevel::Easy, AiLevel::Standard, AiLevel::Expert}) {
        SCOPED_TRACE(std::string(AiLevelName(level)));
        StartupDialog f = Opened();
        f.ChooseLevel(StartupDialog::LevelButton(level));
        EXPECT_EQ(f.OnStart().ComputerLevel, level);
    }
}

// ---- the start button ----------------------------------------------------------------------

struct StartCase {
    int game;
    bool illustrated;
    int deck;  // index into kDeckClicks
    bool slow;
    bool windowed;
    int levelButton;
    GameVariant variant;
    int16_t target;
    AiLevel level;
};

// clang-format off
const StartCase kStartCases[] = {
    //  game  box    deck  slow   window  button variant                       target  level
    {   0,   false,  2,   false, false,  2,    GameVariant::Tarrabel,           100,    AiLevel::Expert},
    {   1,   false,  0,   true,  false,  1,    GameVariant::HuitAmericain,      500,    AiLevel::Standard},
    {   2,   false,  1,   false, true,   2,    GameVariant::Agonia,             100,    AiLevel::Expert},
    {   2,   true,   2,   true,  true,   2,    GameVariant::IllustratedAgonia,  100,    AiLevel::Expert},
    {   3,   false,  0,   false, true,   1,    GameVariant::PisYedili,          500,    AiLevel::Standard},
    {   3,   false,  1,   true,  false,  2,    GameVariant::PisYedili,          500,    AiLevel::Expert},
    {   0,   false,  1,   true,  true,   1,    GameVariant::Tarrabel,           100,    AiLevel::Standard},
    {   2,   true,   0,   false, true,   0,    GameVariant::IllustratedAgonia,  100,    AiLevel::Easy},
    {   1,   false,  2,   true,  false,  0,    GameVariant::HuitAmericain,      500,    AiLevel::Easy},
};
// clang-format on

TEST(Start, TheChoicesBecomeTheGameOptions) {
    for (const StartCase& c : kStartCases) {
        const DeckClick& deck = kDeckClicks[c.deck];
        SCOPED_TRACE(std::string(VariantName(c.variant)) + ", " + deck.name +
                     (c.slow ? ", slow" : "") + (c.windowed ? ", windowed" : "") + ", " +
                     std::string(AiLevelName(c.level)));
        StartupDialog f = Opened();
        f.ChooseGame(c.game);
        if (c.illustrated) f.CheckIllustratedAgonia(true);
        f.ChooseDeck(deck.choice);
        f.CheckSlowAnimation(c.slow);
        f.CheckWindowed(c.windowed);
        f.ChooseLevel(c.levelButton);

        const GameOptions o = f.OnStart();
        EXPECT_EQ(o.Variant, c.variant);
        EXPECT_EQ(o.TargetScore, c.target);
        EXPECT_EQ(o.DeckName, deck.deck);
        EXPECT_EQ(o.SlowAnimation, c.slow);
        EXPECT_EQ(o.FullScreen, !c.windowed);
        EXPECT_EQ(o.ComputerLevel, c.level);
        EXPECT_FALSE(o.UseVidMem);
        EXPECT_EQ(o.ScreenWidth, 800);
        EXPECT_EQ(o.ScreenHeight, 600);
        EXPECT_TRUE(f.Started);
        EXPECT_FALSE(f.EndOnClose);
    }
}

// A game started from the command line skips the dialog; it must get the same options the
// dialog gives for that game when nothing else is touched.
TEST(Start, TheDialogAgreesWithTheCommandLineDefaults) {
    const struct {
        int game;
        bool illustrated;
    } kChoice[kVariantCount] = {{0, false}, {1, false}, {2, false}, {2, true}, {3, false}};
    for (int v = 0; v < kVariantCount; ++v) {
        SCOPED_TRACE(kVariantNames[v]);
        StartupDialog f = Opened();
        f.ChooseGame(kChoice[v].game);
        if (kChoice[v].illustrated) f.CheckIllustratedAgonia(true);
        const GameOptions o = f.OnStart();
        const GameOptions d = DefaultOptions(GameVariant(v));
        EXPECT_EQ(o.Variant, d.Variant);
        EXPECT_EQ(o.TargetScore, d.TargetScore);
        EXPECT_EQ(o.DeckName, d.DeckName);
        EXPECT_EQ(o.Resolution, d.Resolution);
        EXPECT_EQ(o.ScreenWidth, d.ScreenWidth);
        EXPECT_EQ(o.ScreenHeight, d.ScreenHeight);
        EXPECT_EQ(o.SlowAnimation, d.SlowAnimation);
        EXPECT_EQ(o.FourColourSuits, d.FourColourSuits);
        EXPECT_EQ(o.FullScreen, d.FullScreen);
        EXPECT_EQ(o.UseVidMem, d.UseVidMem);
        EXPECT_EQ(o.ComputerLevel, d.ComputerLevel);
        EXPECT_EQ(o.PakFileName, d.PakFileName);
    }
}

// ---- ending --------------------------------------------------------------------------------

TEST(Ending, ExitAndTheCloseBoxEndTheProgramButNotAfterTheStart) {
    struct Case {
        const char* name;
        bool start, exit, close;
        bool ended;
    };
    const Case kCases[] = {
        {"Exit", false, true, false, true},
        {"close box", false, false, true, true},
        {"close box after the start", true, false, true, false},
        {"nothing yet", false, false, false, false},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        StartupDialog f = Opened();
        if (c.start) f.OnStart();
        if (c.exit) f.OnExit();
        if (c.close) f.OnClose();
        EXPECT_EQ(f.Ended, c.ended);
        EXPECT_EQ(f.Started, c.start);
    }
}

// ---- the rules page ------------------------------------------------------------------------

// Each game has its own section on the rules page, and the target it states is the one the
// game plays to: a change to the targets must reach the page too.
TEST(RulesPage, EachGameStatesTheTargetItPlaysTo) {
    for (int v = 0; v < kVariantCount; ++v) {
        SCOPED_TRACE(kVariantNames[v]);
        int sections = 0;
        for (const dialog::TextSection& s : dialog::kRulesSections) {
            if (s.Heading != kVariantNames[v]) continue;
            ++sections;
            const std::string target =
                "Target: " + std::to_string(kVariantSettings[v].TargetScore) + ".";
            EXPECT_NE(s.Body.find(target), std::string_view::npos) << s.Body;
        }
        EXPECT_EQ(sections, 1);
    }
}

}  // namespace
}  // namespace tarrabel::test

namespace tarrabel::test {
namespace {

// ---- the choices of the last start -----------------------------------------------------------

// The dialog opens with the options of the last start: shown and started again, every one
// comes back as it was.
TEST(LastChoices, ShowAndStartGiveTheSameOptions) {
    for (int v = 0; v < kVariantCount; ++v)
        for (int deck = 0; deck < StartupDialog::kDeckChoices; ++deck)
            for (AiLevel level : StartupDialog::kLevelChoiceLevels) {
                GameOptions o = DefaultOptions(GameVariant(v));
                o.DeckName = kDeckNames[size_t(deck)];
                o.ComputerLevel = level;
                o.SlowAnimation = deck == 1;
                o.FourColourSuits = deck == 2;
                o.ShowHandsAtDealEnd = deck != 1;
                o.FullScreen = v % 2 == 0;
                StartupDialog f = Opened();
                f.ShowChoices(o);
                EXPECT_EQ(f.StatisticsLevel, StartupDialog::LevelButton(level));
                const GameOptions back = f.OnStart();
                EXPECT_EQ(back.Variant, o.Variant);
                EXPECT_EQ(back.TargetScore, o.TargetScore);
                EXPECT_EQ(back.DeckName, o.DeckName);
                EXPECT_EQ(back.ComputerLevel, o.ComputerLevel);
                EXPECT_EQ(back.SlowAnimation, o.SlowAnimation);
                EXPECT_EQ(back.FourColourSuits, o.FourColourSuits);
                EXPECT_EQ(back.ShowHandsAtDealEnd, o.ShowHandsAtDealEnd);
                EXPECT_EQ(back.FullScreen, o.FullScreen);
            }
}

TEST(LastChoices, ResumeIsPressedOnlyWhenOffered) {
    StartupDialog f = Opened();
    f.OnResume();
    EXPECT_FALSE(f.Resumed);
    EXPECT_FALSE(f.Started);
    f.ResumeOffered = true;
    f.OnResume();
    EXPECT_TRUE(f.Resumed);
    EXPECT_TRUE(f.Started);
    f.OnClose();  // the table takes the window: the program goes on
    EXPECT_FALSE(f.Ended);
}

TEST(LastChoices, ResetIsDoneOnlyAfterYes) {
    StartupDialog f = Opened();
    f.AskReset();
    f.AnswerReset(false);
    EXPECT_FALSE(f.ResetRequested);
    f.AskReset();
    EXPECT_TRUE(f.ResetAsked);
    f.AnswerReset(true);
    EXPECT_FALSE(f.ResetAsked);
    EXPECT_TRUE(f.ResetRequested);
    Statistics zero;
    f.ShowResults(zero);
    EXPECT_FALSE(f.ResetRequested);
}

}  // namespace
}  // namespace tarrabel::test

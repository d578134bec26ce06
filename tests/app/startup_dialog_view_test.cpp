// The options dialog's view on the keyboard alone, in an ImGui context without a window: the
// arrow keys, Tab and Space reach and press every kind of control (the page's controls are
// reached from the tabs, Left and Right open the tabs' pages), Enter starts wherever the
// focus is, and Escape steps out of a page of text before it leaves the dialog.
#include "app/startup_dialog_view.h"

#include <gtest/gtest.h>
#include <imgui.h>

#include <string>
#include <vector>

namespace tarrabel::test {
namespace {

// One ImGui context for the test, its keys mapped one to one, fonts built, 800 x 600.
class DialogOnKeys {
  public:
    DialogOnKeys() {
        context_ = ImGui::CreateContext();
        ImGuiIO& io = ImGui::GetIO();
        io.IniFilename = nullptr;
        io.ConfigFlags |= ImGuiConfigFlags_NavEnableKeyboard;
        io.DisplaySize = ImVec2(float(kDialogWidth), float(kDialogHeight));
        io.DeltaTime = 1.0f / 60.0f;
        for (int key = 0; key < ImGuiKey_COUNT; ++key)
            io.KeyMap[key] = key;
        look_.Fonts = ApplyTableStyle(1.0f);
        unsigned char* pixels = nullptr;
        int width = 0, height = 0;
        io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
        // Drawn twice before the first key, as on the screen: the first frame finds the
        // controls, the second places the focus on the first one.
        Dialog.Open();
        Frame();
        Frame();
    }
    ~DialogOnKeys() { ImGui::DestroyContext(context_); }
    DialogOnKeys(const DialogOnKeys&) = delete;
    DialogOnKeys& operator=(const DialogOnKeys&) = delete;

    // Keys by name, each pressed for one frame and released in the next, as the host hands
    // them over: "Up", "Down", "Left", "Right", "Tab", "Shift+Tab", "Space", "Enter",
    // "Escape". Typed quickly, each key is pressed in the frame the one before is released,
    // as the host hands over keys typed faster than the frames (the same key again waits
    // for a frame of its own).
    void Press(const std::vector<std::string>& keys, bool quickly) {
        ImGuiIO& io = ImGui::GetIO();
        for (size_t i = 0; i < keys.size(); ++i) {
            const std::string& name = keys[i];
            const ImGuiKey key = KeyNamed(name);
            io.KeyShift = name == "Shift+Tab";
            io.KeysDown[key] = true;
            Frame();
            io.KeysDown[key] = false;
            io.KeyShift = false;
            if (!quickly || (i + 1 < keys.size() && keys[i + 1] == name)) Frame();
        }
        Frame();
        Frame();
    }

    StartupDialog Dialog;
    std::optional<GameOptions> Chosen;

  private:
    static ImGuiKey KeyNamed(const std::string& name) {
        if (name == "Up") return ImGuiKey_UpArrow;
        if (name == "Down") return ImGuiKey_DownArrow;
        if (name == "Left") return ImGuiKey_LeftArrow;
        if (name == "Right") return ImGuiKey_RightArrow;
        if (name == "Tab" || name == "Shift+Tab") return ImGuiKey_Tab;
        if (name == "Space") return ImGuiKey_Space;
        if (name == "Enter") return ImGuiKey_Enter;
        EXPECT_EQ(name, "Escape") << "no such key in the test";
        return ImGuiKey_Escape;
    }
    void Frame() {
        ImGui::NewFrame();
        if (auto options = DrawStartupDialog(Dialog, look_)) Chosen = options;
        ImGui::Render();
    }

    ImGuiContext* context_ = nullptr;
    StartupDialogLook look_;
};

int ChosenIndex(const auto& buttons) {
    for (size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i]) return int(i);
    return -1;
}

// What the keys leave behind; the dialog opens on the "Deck" tab, Royal, "Tarrabel" (0),
// "Standard" (1).
struct KeysCase {
    const char* Name;
    std::vector<std::string> Keys;
    int Tab = 0, Game = 0, Level = 1;
    StartupDialog::Deck Deck = StartupDialog::Deck::Royal;
    bool FourColour = false, Started = false, Ended = false;
    bool Quickly = false;
};

class DialogKeys : public testing::TestWithParam<KeysCase> {};

TEST_P(DialogKeys, LeaveTheDialogAsAPlayerExpects) {
    const KeysCase& c = GetParam();
    DialogOnKeys f;
    f.Press(c.Keys, c.Quickly);
    EXPECT_EQ(f.Dialog.CurrentTab, c.Tab);
    EXPECT_EQ(ChosenIndex(f.Dialog.GameChosen), c.Game);
    EXPECT_EQ(ChosenIndex(f.Dialog.LevelChosen), c.Level);
    EXPECT_EQ(f.Dialog.SelectedDeck, c.Deck);
    EXPECT_EQ(f.Dialog.FourColourSuits, c.FourColour);
    EXPECT_EQ(f.Dialog.Started, c.Started);
    EXPECT_EQ(f.Chosen.has_value(), c.Started);
    EXPECT_EQ(f.Dialog.Ended, c.Ended);
}

using Deck = StartupDialog::Deck;
INSTANTIATE_TEST_SUITE_P(
    ArrowsTabSpaceEnterEscape, DialogKeys,
    testing::Values(
        // The focus starts on the first deck, shown by the first key.
        KeysCase{"DownDownSpacePicksTheThirdDeck", {"Down", "Down", "Space"}, 0, 0, 1, Deck::Roya3},
        KeysCase{"DownToTheCheckBoxAndSpaceTicksIt",
                 {"Down", "Down", "Down", "Space"},
                 0,
                 0,
                 1,
                 Deck::Royal,
                 true},
        KeysCase{"UpToTheTabsAndRightOpensTheirPages", {"Up", "Right", "Right"}, 2},
        KeysCase{"LeftGoesBack", {"Up", "Right", "Right", "Right", "Left"}, 2},
        // The dialog's way in the end-to-end check: Agonia, then past "Illustrated
        // Agonia" (offered with it) and "Pis Yedili" to the "Easy" button.
        KeysCase{"AGameAndALevelFromTheOptionsPage",
                 {"Up", "Right", "Right", "Right", "Right", "Down", "Down", "Down", "Space", "Down",
                  "Down", "Down", "Space"},
                 4,
                 2,
                 0},
        // The same typed faster than the frames: a Down in the first frame of the page
        // still goes into it.
        KeysCase{"AGameAndALevelTypedQuickly",
                 {"Up", "Right", "Right", "Right", "Right", "Down", "Down", "Down", "Space", "Down",
                  "Down", "Down", "Space"},
                 4,
                 2,
                 0,
                 Deck::Royal,
                 false,
                 false,
                 false,
                 true},
        // A page of text is a control only once it is known to scroll: Down at once from
        // its tab must not pass it by to "Start", which Space would press.
        KeysCase{"DownAtOnceGoesIntoANewPageOfText",
                 {"Up", "Right", "Down", "Space"},
                 1,
                 0,
                 1,
                 Deck::Royal,
                 false,
                 false,
                 false,
                 true},
        KeysCase{"TabGoesThroughTheControlsInOrder",
                 {"Tab", "Tab", "Tab", "Space"},
                 0,
                 0,
                 1,
                 Deck::Royal,
                 true},
        // Before the first deck come the tabs, the last tab first.
        KeysCase{"ShiftTabGoesBackToTheTabs", {"Shift+Tab", "Space"}, 5},
        // After the page's controls: Start, Exit, then round to the first tab.
        KeysCase{"TabPastTheLastControlComesRound",
                 {"Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Right"},
                 1},
        KeysCase{"SpaceOnExitLeaves",
                 {"Tab", "Tab", "Tab", "Tab", "Tab", "Space"},
                 0,
                 0,
                 1,
                 Deck::Royal,
                 false,
                 false,
                 true},
        KeysCase{"EnterStartsWhereverTheFocusIs",
                 {"Tab", "Tab", "Tab", "Tab", "Tab", "Enter"},
                 0,
                 0,
                 1,
                 Deck::Royal,
                 false,
                 true},
        KeysCase{"EscapeLeaves", {"Down", "Escape"}, 0, 0, 1, Deck::Royal, false, false, true},
        // Space on the "Keys" page lets the arrows scroll it; Escape steps out, then leaves.
        KeysCase{"EscapeStepsOutOfAPageOfTextFirst",
                 {"Up", "Right", "Down", "Space", "Down", "Escape"},
                 1},
        KeysCase{"ASecondEscapeLeaves",
                 {"Up", "Right", "Down", "Space", "Down", "Escape", "Escape"},
                 1,
                 0,
                 1,
                 Deck::Royal,
                 false,
                 false,
                 true}),
    [](const testing::TestParamInfo<KeysCase>& info) { return std::string(info.param.Name); });

// With a match left unfinished, "Resume" is the default button: Enter goes on with the
// kept match instead of starting a new one over it (which would count it as abandoned).
TEST(DialogResume, EnterResumesTheMatchLeftUnfinished) {
    DialogOnKeys f;
    f.Dialog.ResumeOffered = true;
    f.Dialog.ResumeLabel = "Left unfinished: Agonia against Standard players";
    f.Press({"Down", "Enter"}, false);
    EXPECT_TRUE(f.Dialog.Resumed);
    EXPECT_TRUE(f.Dialog.Started);
    EXPECT_FALSE(f.Chosen.has_value());
}

// Shift+Tab from the first control goes back to the last tab, "Statistics", and its page
// shows the results; Tab from there reaches its controls in order: the three levels, then
// "Reset", which only asks.
TEST(DialogStatistics, ResetOnlyAsksAtFirst) {
    DialogOnKeys f;
    GameRecord& r =
        f.Dialog.Results.Records[size_t(GameVariant::Agonia)][size_t(AiLevel::Standard)];
    r.Played = 3;
    r.Won = 2;
    r.Lost = 1;
    r.Finished = 3;
    r.BestTotal = 12;
    r.SumOfTotals = 90;
    f.Press({"Shift+Tab", "Space", "Tab", "Tab", "Tab", "Tab", "Space"}, false);
    EXPECT_EQ(f.Dialog.CurrentTab, StartupDialog::kStatisticsTab);
    EXPECT_TRUE(f.Dialog.ResetAsked);
    EXPECT_FALSE(f.Dialog.ResetRequested);
    // The question takes the focus on the answer that keeps them.
    f.Press({"Space"}, false);
    EXPECT_FALSE(f.Dialog.ResetAsked);
    EXPECT_FALSE(f.Dialog.ResetRequested);
    // Asked again, the answer before it clears them.
    f.Press({"Space", "Shift+Tab", "Space"}, false);
    EXPECT_TRUE(f.Dialog.ResetRequested);
}

}  // namespace
}  // namespace tarrabel::test

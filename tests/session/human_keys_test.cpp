// The human's turn on the keyboard: the focus frame's walk over the hand and to the deck,
// the keys reaching the very actions of the clicks, the hint, and the rules over the table.
#include "session/human_keys.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "session/frame.h"
#include "session/human_input.h"
#include "support/table_driver.h"

namespace tarrabel::test {
namespace {

FrameInput Keys(std::initializer_list<TableKey> keys) {
    FrameInput in;
    for (TableKey k : keys)
        in.PushKey(k);
    return in;
}

// Brings the frame up (the first key only shows it) and walks it to a slot with the arrows.
void FocusSlot(Table& t, int slot) {
    Frame(t, Keys({TableKey::Down}));
    Frame(t, Keys({TableKey::Home}));
    for (int i = 0; i < kHandSlots && t.g.Focus.Slot != slot; ++i)
        Frame(t, Keys({TableKey::Right}));
    ASSERT_EQ(t.g.Focus.Slot, slot);
}

std::vector<std::string> TraceLines(const Table& t) {
    std::vector<std::string> lines;
    for (const TraceEvent& e : t.trace.events)
        lines.push_back(std::to_string(int(e.Kind)) + " " + std::to_string(e.Seat) + " " +
                        std::to_string(e.Slot) + " " + std::to_string(e.Card) + " " +
                        std::to_string(e.Suit) + " " + std::to_string(e.From) + " " +
                        std::to_string(e.To));
    return lines;
}

// A long hand: `n` cards from slot 0 on, the Five of clubs' neighbours first so that he has
// cards to play, then the rest of the pack.
void LongHand(Table& t, int n) {
    t.ClearTable();
    t.SetPile({CardOf(5, kClubs)});
    for (int seat = 1; seat < kSeats; ++seat)
        t.GiveHand(seat, {Dead(2 * seat), Dead(2 * seat + 1)});
    int given = 0;
    for (int16_t card = 0; card < 52 && given < n; ++card) {
        if (card == CardOf(5, kClubs)) continue;
        bool elsewhere = false;
        for (int seat = 1; seat < kSeats; ++seat)
            for (const CardRecord& c : t.g.Hands[size_t(seat)])
                elsewhere |= c.Shown && c.CardIndex == card;
        if (elsewhere) continue;
        t.GiveHand(kHuman, {card});
        ++given;
    }
    StartHumansTurn(t);
}

TEST(KeyFocus, WalksTheHandInReadingOrderOverGapsAndTheUpperRow) {
    Table t;
    LongHand(t, 40);
    Game& g = t.g;
    // Gaps: slots a card has left.
    for (int s : {1, 2, 7, 30})
        g.Hands[kHuman][size_t(s)].Shown = false;
    std::array<int8_t, kHandSlots> order{};
    const int n = FocusOrder(g, order);
    ASSERT_EQ(n, 36);
    bool upperRowSeen = false;
    for (int i = 0; i < n; ++i) {
        const CardRecord& c = g.Hands[kHuman][size_t(order[size_t(i)])];
        EXPECT_TRUE(c.Shown) << "slot " << int(order[size_t(i)]);
        upperRowSeen |= c.HomeY < g.Layout.HumanHandTop;
        if (i == 0) continue;
        const CardRecord& before = g.Hands[kHuman][size_t(order[size_t(i - 1)])];
        EXPECT_TRUE(before.HomeY < c.HomeY || (before.HomeY == c.HomeY && before.HomeX < c.HomeX))
            << "slot " << int(order[size_t(i)]) << " comes after slot "
            << int(order[size_t(i - 1)]);
    }
    EXPECT_TRUE(upperRowSeen) << "forty cards overflow into the upper row";

    // The keys walk that order: Home, then Right to the end (where it stays), End, Left.
    Frame(t, Keys({TableKey::Right}));  // only shows the frame
    ASSERT_TRUE(g.Focus.Shown);
    Frame(t, Keys({TableKey::Home}));
    EXPECT_EQ(g.Focus.Slot, order[0]);
    for (int i = 1; i < n + 2; ++i) {
        Frame(t, Keys({TableKey::Right}));
        EXPECT_EQ(g.Focus.Slot, order[size_t(std::min(i, n - 1))]);
    }
    Frame(t, Keys({TableKey::Home, TableKey::End, TableKey::Left}));
    EXPECT_EQ(g.Focus.Slot, order[size_t(n - 2)]);
}

TEST(KeyFocus, UpGoesToTheDeckAndDownBackToTheSameCard) {
    Table t;
    HumansTurnHolding(t, {CardOf(6, kClubs), CardOf(7, kClubs), CardOf(9, kClubs)});
    FocusSlot(t, 1);
    Frame(t, Keys({TableKey::Up}));
    EXPECT_TRUE(t.g.Focus.OnDeck);
    EXPECT_TRUE(FocusFrameVisible(t.g));
    Frame(t, Keys({TableKey::Down}));
    EXPECT_FALSE(t.g.Focus.OnDeck);
    EXPECT_EQ(t.g.Focus.Slot, 1);
    Frame(t, Keys({TableKey::Up, TableKey::Right}));  // sideways from the deck: the same card
    EXPECT_FALSE(t.g.Focus.OnDeck);
    EXPECT_EQ(t.g.Focus.Slot, 1);
}

TEST(KeyFocus, TheNextCardTakesOverWhenTheFocusedOneIsPlayed) {
    struct Case {
        const char* what;
        int played;    // the slot played with Enter
        int expected;  // where the frame goes once it has left
    };
    for (const Case c : {Case{"a middle card", 1, 2}, Case{"the last card", 2, 1}}) {
        SCOPED_TRACE(c.what);
        Table t;
        HumansTurnHolding(t, {CardOf(6, kClubs), CardOf(7, kClubs), CardOf(9, kClubs)});
        FocusSlot(t, c.played);
        Frame(t, Keys({TableKey::Enter}));
        EXPECT_TRUE(t.g.Hands[kHuman][size_t(c.played)].Moving) << "Enter plays the card";
        for (int i = 0; i < 200 && t.g.Hands[kHuman][size_t(c.played)].Shown; ++i)
            Frame(t);
        ASSERT_FALSE(t.g.Hands[kHuman][size_t(c.played)].Shown);
        EXPECT_EQ(t.g.Focus.Slot, c.expected);
    }
}

// Every key reaches the action its click reaches: the same trace and the same state, on two
// tables that start alike.
TEST(KeyFocus, KeysDoWhatTheClicksDo) {
    using Steps = std::function<void(Table&)>;
    struct Case {
        const char* what;
        std::function<void(Table&)> setUp;
        Steps byKeys, byMouse;
    };
    const auto turn = [](Table& t) {
        HumansTurnHolding(t, {CardOf(6, kClubs), CardOf(7, kHearts), CardOf(9, kClubs)});
    };
    const auto drewOnce = [&](Table& t) {
        turn(t);
        t.g.HumanDrew = true;
        t.g.DrawDone = true;
    };
    const std::vector<Case> cases = {
        {"play a card", turn,
         [](Table& t) {
             FocusSlot(t, 2);
             Frame(t, Keys({TableKey::Enter}));
         },
         [](Table& t) { Frame(t, LeftAt(PointOnCard(t.g, 2))); }},
        // (At the bottom of the fan: a click on a card lying over a legal one plays that.)
        {"a card he may not play is refused",
         [](Table& t) {
             HumansTurnHolding(t, {CardOf(7, kHearts), CardOf(6, kClubs), CardOf(9, kClubs)});
         },
         [](Table& t) {
             FocusSlot(t, 0);
             Frame(t, Keys({TableKey::Enter}));
         },
         [](Table& t) { Frame(t, LeftAt(PointOnCard(t.g, 0))); }},
        {"draw with D", turn, [](Table& t) { Frame(t, Keys({TableKey::Draw})); },
         [](Table& t) { Frame(t, LeftAt(kOnDeck)); }},
        {"draw with Enter on the deck", turn,
         [](Table& t) {
             FocusSlot(t, 0);
             Frame(t, Keys({TableKey::Up}));
             Frame(t, Keys({TableKey::Enter}));
         },
         [](Table& t) { Frame(t, LeftAt(kOnDeck)); }},
        {"pass after drawing", drewOnce, [](Table& t) { Frame(t, Keys({TableKey::Pass})); },
         [](Table& t) { Frame(t, RightAt(kEmptyTable)); }},
        {"no pass before drawing", turn, [](Table& t) { Frame(t, Keys({TableKey::Pass})); },
         [](Table& t) { Frame(t, RightAt(kEmptyTable)); }},
        {"pick a card and put it down", turn,
         [](Table& t) {
             FocusSlot(t, 0);
             Frame(t, Keys({TableKey::Move}));
             Frame(t, Keys({TableKey::Move}));
         },
         [](Table& t) {
             Frame(t, RightAt(PointOnCard(t.g, 0, true)));
             Frame(t, RightAt(PointOnCard(t.g, 0, true)));
         }},
        {"move a card within the hand", turn,
         [](Table& t) {
             FocusSlot(t, 0);
             Frame(t, Keys({TableKey::Move}));
             Frame(t, Keys({TableKey::Right, TableKey::Right}));
             Frame(t, Keys({TableKey::Move}));
         },
         [](Table& t) {
             Frame(t, RightAt(PointOnCard(t.g, 0, true)));
             Frame(t, LeftAt(PointOnCard(t.g, 2)));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Table keys, mouse;
        c.setUp(keys);
        c.setUp(mouse);
        c.byKeys(keys);
        c.byMouse(mouse);
        for (int i = 0; i < 150; ++i) {  // long enough for flights and banners to finish
            Frame(keys);
            Frame(mouse);
        }
        EXPECT_EQ(TraceLines(keys), TraceLines(mouse));
        EXPECT_EQ(keys.g.State, mouse.g.State);
        EXPECT_EQ(keys.g.CurrentPlayer, mouse.g.CurrentPlayer);
        EXPECT_EQ(keys.g.HandCount, mouse.g.HandCount);
        for (int s = 0; s < kHandSlots; ++s)
            EXPECT_EQ(
                keys.g.Hands[kHuman][size_t(s)].Shown && keys.g.Hands[kHuman][size_t(s)].CardIndex,
                mouse.g.Hands[kHuman][size_t(s)].Shown &&
                    mouse.g.Hands[kHuman][size_t(s)].CardIndex)
                << "slot " << s;
        std::string why;
        EXPECT_TRUE(keys.CardsAllAccountedFor(&why)) << why;
    }
}

TEST(KeyFocus, TheSuitKeysNameTheirSuits) {
    struct Case {
        TableKey key;
        int32_t suit;
    };
    for (const Case c : {Case{TableKey::Digit1, kClubs}, Case{TableKey::LetterC, kClubs},
                         Case{TableKey::Digit2, kDiamonds}, Case{TableKey::Draw, kDiamonds},
                         Case{TableKey::Digit3, kHearts}, Case{TableKey::Hint, kHearts},
                         Case{TableKey::Digit4, kSpades}, Case{TableKey::LetterS, kSpades}}) {
        SCOPED_TRACE(int(c.key));
        Table t;
        HumansTurnHolding(t, {CardOf(8, kHearts), CardOf(9, kSpades)});  // the Eight is wild
        Frame(t, LeftAt(PointOnCard(t.g, 0)));
        for (int i = 0; i < 200 && !t.g.SuitPromptShown; ++i)
            Frame(t);
        ASSERT_TRUE(t.g.SuitPromptShown);
        Frame(t, Keys({TableKey::Right}));  // not a suit key: nothing happens
        EXPECT_TRUE(t.g.SuitPromptShown);
        Frame(t, Keys({c.key}));
        const std::vector<TraceEvent> suits = EventsOf(t, TraceKind::Suit);
        ASSERT_EQ(suits.size(), 1u);
        EXPECT_EQ(suits[0].Suit, c.suit);
        EXPECT_EQ(suits[0].Seat, kHuman);
    }
}

// Any key turns from the hands shown to the score page, and from the page to the next deal.
TEST(KeyFocus, AnyKeyTurnsTheScorePage) {
    Table t;
    t.g.State = GameState::DealScored;
    const int deals = t.g.DealsStarted;
    Frame(t, Keys({TableKey::Other}));
    EXPECT_TRUE(t.g.ScorePageUp);
    EXPECT_EQ(t.g.DealsStarted, deals);
    Frame(t, Keys({TableKey::Enter}));
    EXPECT_EQ(t.g.DealsStarted, deals + 1);
    EXPECT_NE(t.g.State, GameState::DealScored);
}

TEST(KeyFocus, TheFirstKeyOnlyShowsTheFrameAndThePointerHidesIt) {
    Table t;
    HumansTurnHolding(t, {CardOf(6, kClubs), CardOf(7, kClubs)});
    EXPECT_FALSE(FocusFrameVisible(t.g)) << "a mouse player never sees it";
    Frame(t, Keys({TableKey::Enter}));
    EXPECT_TRUE(FocusFrameVisible(t.g));
    EXPECT_FALSE(t.g.HumanInputLocked) << "nothing is played unseen";
    FrameInput moved;
    moved.MouseX = t.g.MouseX + 3;
    moved.MouseY = t.g.MouseY;
    Frame(t, moved);
    EXPECT_FALSE(FocusFrameVisible(t.g));
    EXPECT_FALSE(t.g.Focus.Shown);
}

TEST(KeyFocus, TheFrameNeverShowsOnAComputerPlayersTurn) {
    Table t;
    HumansTurnHolding(t, {CardOf(6, kClubs), CardOf(7, kClubs)});
    Frame(t, Keys({TableKey::Right}));
    ASSERT_TRUE(FocusFrameVisible(t.g));
    Frame(t, Keys({TableKey::Enter}));  // plays: the turn passes on
    for (int i = 0; i < 400; ++i) {
        Frame(t);
        if (t.g.CurrentPlayer != kHuman) {
            EXPECT_FALSE(FocusFrameVisible(t.g));
        }
    }
}

TEST(Hint, AskingNeverChangesTheGame) {
    for (GameVariant v : kAllVariants) {
        SCOPED_TRACE(NameOf(v));
        Table t(v, 3);
        // Play into the first turn of the human's where he has a card to play.
        for (int i = 0; i < 20000 && HintFor(t.g) == kNoHint; ++i)
            Frame(t);
        ASSERT_NE(HintFor(t.g), kNoHint);
        auto before = std::make_unique<Game>();
        std::memcpy(static_cast<void*>(before.get()), &t.g, sizeof(Game));
        const int hint = HintFor(t.g);
        EXPECT_EQ(std::memcmp(before.get(), &t.g, sizeof(Game)), 0);
        EXPECT_EQ(HintFor(t.g), hint) << "the same position, the same hint";
        if (hint >= 0) {
            EXPECT_TRUE(IsLegalHumanPlay(t.g, t.g.Hands[kHuman][size_t(hint)]));
        }

        // H moves only the frame and counts the hint; nothing is played.
        HumanKeyPressed(t.g, TableKey::Hint);
        EXPECT_EQ(t.g.HintsTaken, 1);
        EXPECT_TRUE(FocusFrameVisible(t.g));
        t.g.Focus = before->Focus;
        t.g.HintsTaken = before->HintsTaken;
        EXPECT_EQ(std::memcmp(before.get(), &t.g, sizeof(Game)), 0);
    }
}

TEST(Hint, TheFrameStaysTwoSecondsThenGoesAsItWas) {
    Table t;
    HumansTurnHolding(t, {CardOf(6, kClubs), CardOf(7, kClubs), CardOf(2, kHearts)});
    Frame(t, Keys({TableKey::Hint}));
    const int hint = HintFor(t.g);
    ASSERT_GE(hint, 0);
    EXPECT_EQ(t.g.Focus.Slot, hint);
    EXPECT_NE(hint, 2) << "the Two of hearts does not follow the Five of clubs";
    EXPECT_TRUE(FocusFrameVisible(t.g));
    const int frames = kHintMs / kFrameMs;
    for (int i = 0; i < frames - 2; ++i)
        Frame(t);
    EXPECT_TRUE(FocusFrameVisible(t.g)) << "still within the two seconds";
    for (int i = 0; i < 4; ++i)
        Frame(t);
    EXPECT_FALSE(FocusFrameVisible(t.g)) << "a mouse player's frame goes again";
    EXPECT_EQ(t.g.HintsTaken, 1);

    // A new match counts from zero again.
    t.g.NewMatch = true;
    t.g.State = GameState::DealScored;
    Frame(t, Keys({TableKey::Other, TableKey::Other}));  // the hands, the page, a new deal
    EXPECT_EQ(t.g.HintsTaken, 0);
}

TEST(RulesOverTheTable, F1ShowsThemPlayWaitsAndEscapeClosesThem) {
    Table t;
    HumansTurnHolding(t, {CardOf(6, kClubs), CardOf(7, kClubs)});
    Frame(t, LeftAt(PointOnCard(t.g, 0)));  // plays; the computer players follow
    Frame(t, Keys({TableKey::Rules}));
    ASSERT_TRUE(t.g.RulesShown);
    auto before = std::make_unique<Game>();
    std::memcpy(static_cast<void*>(before.get()), &t.g, sizeof(Game));
    for (int i = 0; i < 100; ++i)
        Frame(t, LeftAt(PointOnCard(t.g, 1)));
    EXPECT_EQ(t.g.State, before->State);
    EXPECT_EQ(t.g.CurrentPlayer, before->CurrentPlayer);
    EXPECT_EQ(t.g.PileCount, before->PileCount);
    EXPECT_EQ(t.g.HandCount, before->HandCount) << "nothing is played while the rules are up";

    FrameInput escape;
    escape.EscapeDown = true;
    escape.MouseX = t.g.MouseX;
    escape.MouseY = t.g.MouseY;
    EXPECT_EQ(Frame(t, escape), FrameResult::Continue) << "Escape closes the rules";
    EXPECT_FALSE(t.g.RulesShown);
    EXPECT_EQ(Frame(t, escape), FrameResult::Continue) << "the same press, still held";
    Frame(t);
    EXPECT_EQ(Frame(t, escape), FrameResult::Quit) << "a new press leaves the game";

    Table u;
    Frame(u, Keys({TableKey::Rules}));
    Frame(u, Keys({TableKey::Rules}));
    EXPECT_FALSE(u.g.RulesShown) << "F1 closes them too";
}

}  // namespace
}  // namespace tarrabel::test

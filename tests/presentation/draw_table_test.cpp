// What the table shows: the bitmap font's cells and advance, the drawing order of cards,
// the parts of the deck and pile that are drawn, the end-of-deal page and the clock.
#include "presentation/draw_table.h"
#include "session/hands_reveal.h"

#include <gtest/gtest.h>

#include "picture_fixture.h"
#include "support/table_fixture.h"

namespace tarrabel::test {
namespace {

using platform::Surface;

const platform::Rect kTableClip{0, 0, 800, 600};

// ---- the bitmap font ------------------------------------------------------------------

struct FontFixture : testing::Test {
    BitmapFont font;
    Surface table = platform::MakeSurface(800, 600, kFelt);
    FontFixture() { FakeFont(font); }
    void Draw(float x, float y, std::string_view text) {
        font.XPos = x;
        font.YPos = y;
        DrawList list;
        list.Begin(800, 600, 1, kTableClip);
        font.DrawText(list, text, true);
        Compose(list, table, kTableClip);
    }
};

TEST_F(FontFixture, CharactersAdvanceByTheCellWidthLessTwo) {
    Draw(100, 50, "AB");
    EXPECT_EQ(table.At(100, 50), GlyphColour('A'));
    EXPECT_EQ(table.At(116, 50), GlyphColour('A'));
    EXPECT_EQ(table.At(117, 50), GlyphColour('B'));  // B overlaps A by two pixels
    EXPECT_EQ(table.At(135, 76), GlyphColour('B'));
    EXPECT_EQ(table.At(136, 50), kFelt);
    EXPECT_EQ(table.At(100, 77), kFelt);
    EXPECT_EQ(table.At(99, 50), kFelt);
}

TEST_F(FontFixture, CellsAreFoundRowByRowFromTheSpace) {
    // "3" is the last cell of the first row, "4" the first of the second, "~" the last.
    for (int code : {'3', '4', 'G', 'H', '[', '~', ' '}) {
        const platform::Rect r = font.CellRect(code);
        const int cell = code - 32;
        EXPECT_EQ(r.Left, (cell % 20) * 19) << char(code);
        EXPECT_EQ(r.Top, (cell / 20) * 27) << char(code);
        table = platform::MakeSurface(800, 600, kFelt);
        Draw(10, 10, std::string(1, char(code)));
        EXPECT_EQ(table.At(20, 20), GlyphColour(code)) << char(code);
    }
}

TEST_F(FontFixture, PositionsRoundHalfToEven) {
    Draw(10.5f, 0, "A");
    EXPECT_EQ(table.At(10, 0), GlyphColour('A'));
    EXPECT_EQ(table.At(9, 0), kFelt);
    table = platform::MakeSurface(800, 600, kFelt);
    Draw(11.5f, 0, "A");
    EXPECT_EQ(table.At(12, 0), GlyphColour('A'));
    EXPECT_EQ(table.At(11, 0), kFelt);
}

TEST_F(FontFixture, CharactersWithoutACellAreSkippedAndTheRestDrawn) {
    // A control character, and one past the picture's last row (cell 100 and up).
    Draw(100, 50, std::string("A\x07") + char(200) + "B");
    EXPECT_EQ(ReadText(table, 100, 50, 1), "A");
    EXPECT_EQ(table.At(100 + 17 + 9, 60), kFelt);
    EXPECT_EQ(table.At(100 + 34 + 9, 60), kFelt);
    EXPECT_EQ(ReadText(table, 100 + 51, 50, 1), "B");
    table = platform::MakeSurface(800, 600, kFelt);
    Draw(100, 50, "");
    EXPECT_EQ(table.At(100, 50), kFelt);
}

TEST_F(FontFixture, TextPastTheRightEdgeIsCutThere) {
    // The fourth character starts at 751 + 51 = 802: not drawn; the third (785..803)
    // is cut at x = 800.
    Draw(751, 0, "ABCD");
    EXPECT_EQ(table.At(785, 5), GlyphColour('C'));
    EXPECT_EQ(table.At(799, 5), GlyphColour('C'));
    Draw(-5, 100, "AB");  // a cell left of the table keeps its visible part
    EXPECT_EQ(table.At(0, 100), GlyphColour('A'));
    EXPECT_EQ(table.At(12, 100), GlyphColour('B'));
}

// ---- the table ---------------------------------------------------------------------------

struct DrawFixture : testing::Test {
    Table t{GameVariant::Agonia};
    std::unique_ptr<TablePictures> pics = FakePictures();
    Surface back = platform::MakeSurface(800, 600, kFelt);

    DrawFixture() {
        t.ClearTable();
        for (auto& d : t.g.Deck)
            d.Shown = false;
    }
    void Draw(double seconds = 0) {
        back = pics->Felt;
        DrawList list;
        list.Begin(800, 600, 1, kTableClip);
        TableCanvas canvas{*pics, list};
        DrawTable(t.g, canvas, seconds);
        Compose(list, back, kTableClip);
    }
    // Puts a card face up at a point.
    static void Place(CardRecord& c, int card, float x, float y) {
        c.CardIndex = int16_t(card);
        c.Shown = true;
        c.FaceUp = true;
        c.X = x;
        c.Y = y;
    }
};

TEST_F(DrawFixture, TheHumansFanShowsEachCardOverTheOneToItsLeft) {
    t.GiveHand(kHuman, {CardOf(2, kClubs), CardOf(3, kClubs)});
    auto& hand = t.g.Hands[kHuman];
    Place(hand[27], CardOf(4, kClubs), hand[27].HomeX, hand[27].HomeY);
    Place(hand[28], CardOf(5, kClubs), hand[28].HomeX, hand[28].HomeY);
    Draw();
    const int y = hand[0].HomeY + 50;
    // Slot 1 lies over slot 0, slot 0 over slot 27, slot 27 over slot 28.
    EXPECT_EQ(back.At(hand[1].HomeX + 1, y), FaceColour(hand[1].CardIndex));
    EXPECT_EQ(back.At(hand[0].HomeX + 1, y), FaceColour(hand[0].CardIndex));
    EXPECT_EQ(back.At(hand[27].HomeX + 1, y), FaceColour(hand[27].CardIndex));
    EXPECT_EQ(back.At(hand[28].HomeX + 1, y), FaceColour(hand[28].CardIndex));
}

TEST_F(DrawFixture, ThePickedCardWearsTheBlueFrame) {
    t.GiveHand(kHuman, {CardOf(2, kClubs), CardOf(3, kClubs)});
    auto& hand = t.g.Hands[kHuman];
    hand[0].MoveSource = true;
    Draw();
    EXPECT_EQ(back.At(hand[0].HomeX, hand[0].HomeY + 60), kFrameColour);
    EXPECT_EQ(back.At(hand[0].HomeX + 8, hand[0].HomeY + 60), FaceColour(hand[0].CardIndex));
    EXPECT_EQ(back.At(hand[1].HomeX + 50, hand[1].HomeY), FaceColour(hand[1].CardIndex));
}

TEST_F(DrawFixture, OnlyTheTopElevenPileCardsAreDrawnTopLast) {
    for (int i = 0; i < 30; ++i)
        Place(t.g.Pile[i], i, 10.0f + 20 * i, 300);  // side by side, overlapping
    t.g.PileCount = 30;
    Draw();
    EXPECT_EQ(back.At(10 + 20 * 18 + 1, 310), kFelt);  // entry 18 is not drawn
    EXPECT_EQ(back.At(10 + 20 * 19 + 1, 310), FaceColour(19));
    EXPECT_EQ(back.At(10 + 20 * 29 + 1, 310), FaceColour(29));
    // Where two overlap, the later (higher) entry is on top.
    EXPECT_EQ(back.At(10 + 20 * 25 + 1, 310), FaceColour(25));
}

struct DrawPileCase {
    const char* name;
    int deckPos;
    int lo, hi;  // entries drawn, lo on top
};

class DrawPile : public DrawFixture, public testing::WithParamInterface<DrawPileCase> {};

TEST_P(DrawPile, AtMostEightCardsWithTheNextOnTop) {
    const auto& c = GetParam();
    const int size = t.g.Rules.DeckSize;
    for (int i = 0; i < size; ++i)
        Place(t.g.Deck[i], i, 100.0f + 5 * i, 100.0f - (i % 2));
    t.g.DeckPos = int16_t(c.deckPos);
    Draw();
    // The card at the draw position is on top; the deepest one drawn shows its right
    // edge; the cards beyond the window on either side are not drawn.
    EXPECT_EQ(back.At(100 + 5 * c.lo, 120), FaceColour(c.lo));
    EXPECT_EQ(back.At(100 + 5 * c.hi + 107, 120), FaceColour(c.hi));
    if (c.hi < size - 1) {
        EXPECT_EQ(back.At(100 + 5 * c.hi + 108, 120), kFelt);
    }
    if (c.lo > 0) {
        EXPECT_EQ(back.At(100 + 5 * (c.lo - 1), 120), kFelt);
    }
}

INSTANTIATE_TEST_SUITE_P(Deck, DrawPile,
                         testing::Values(DrawPileCase{"Untouched", 0, 0, 7},
                                         DrawPileCase{"TenDrawn", 10, 9, 16},
                                         DrawPileCase{"NearTheEnd", 49, 48, 51}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DrawFixture, SuitIconsAndBannersAreDrawnOverTheHands) {
    t.GiveHand(kHuman, {CardOf(2, kClubs)});
    t.g.SuitPromptShown = true;
    for (int i = 0; i < 4; ++i)
        t.g.SuitIcons[i].Shown = false;
    t.g.SuitIcons[kHearts].Shown = t.g.SuitIcons[kDiamonds].Shown = true;
    t.g.SuitIcons[kHearts].X = t.g.SuitIcons[kDiamonds].X = 130;
    t.g.SuitIcons[kHearts].Y = 313;
    t.g.SuitIcons[kDiamonds].Y = 261;
    t.g.ShowPassBanner = true;
    t.g.CurrentPlayer = 2;
    Draw();
    EXPECT_EQ(back.At(131, 314), IconColour(kHearts));
    EXPECT_EQ(back.At(131, 262), IconColour(kDiamonds));
    const BannerSpot spot = BannerSpotOf(t.g.Layout, 2);
    EXPECT_EQ(back.At(spot.X + 1, spot.Y + 1), kPassColour);
}

TEST_F(DrawFixture, AtTheEndOfADealThePageHidesTheTable) {
    t.GiveHand(kHuman, {CardOf(2, kClubs)});
    t.GiveHand(1, {CardOf(3, kClubs)});
    t.g.State = GameState::DealScored;
    t.g.ScorePageUp = true;
    Draw();
    const auto& l = t.g.Layout;
    const auto& h = t.g.Hands[kHuman][0];
    EXPECT_EQ(back.At(h.HomeX + 100, h.HomeY + 140), kFelt);  // outside the page
    EXPECT_EQ(back.At(l.ScorePageX + 5, l.ScorePageY + 5), kScorePageColour);
}

TEST_F(DrawFixture, TheScorePageListsNamesHistoryTotalsAndResult) {
    auto& g = t.g;
    g.State = GameState::DealScored;
    g.ScorePageUp = true;
    g.SeatName = {"Me  ", "Bob ", "Anne", "Ted "};
    g.DealNumber = 2;
    g.DealHistory[0][0] = 7;
    g.DealHistory[3][0] = 125;
    g.DealHistory[2][1] = 40;
    g.MatchTotal = {7, 0, 40, 125};
    g.ResultText = "We Won!";
    Draw();
    const auto& l = g.Layout;
    const int x = l.ScoreLineX - 65;
    EXPECT_EQ(x, 208);
    EXPECT_EQ(ReadText(back, x, l.ScoreLineY, 18), " Me Ted  Anne Bob ");
    EXPECT_EQ(ReadText(back, x, l.ScoreLineY + l.ScoreRowStep, 16), "   7 125   0   0");
    EXPECT_EQ(ReadText(back, x, l.ScoreLineY + 2 * l.ScoreRowStep, 16), "   0   0  40   0");
    EXPECT_EQ(ReadText(back, x, l.ScoreTotalsY, 16), "   7 125  40   0");
    EXPECT_EQ(ReadText(back, x, l.ScoreResultY, 7), "We Won!");
}

// The computer players' cards show their faces only once a deal has ended, turning over
// from their backs (narrowing to the card's middle, then widening as faces); with the
// option off the score page comes at once.
TEST_F(DrawFixture, TheHandsTurnFaceUpOnlyWhenTheDealHasEnded) {
    t.GiveHand(1, {CardOf(3, kClubs)});
    const CardRecord& c = t.g.Hands[1][0];
    const int face = FaceColour(c.CardIndex), x = int(c.X), y = int(c.Y) + 60;
    for (GameState during : {GameState::NormalPlay, GameState::DrawingForWant,
                             GameState::ChoosingSuit, GameState::Paused}) {
        t.g.State = during;
        t.g.RevealFrame = kRevealFrames;  // even so: no faces while the deal goes on
        Draw();
        EXPECT_EQ(back.At(x + 54, y), kCardBackColour) << StateName(during);
    }
    t.g.State = GameState::DealScored;
    t.g.RevealFrame = 0;
    Draw();
    EXPECT_EQ(back.At(x + 54, y), kCardBackColour) << "not turned yet";
    t.g.RevealFrame = kFlipFrames / 4;  // a quarter of the way: half the back, in the middle
    Draw();
    EXPECT_EQ(back.At(x + 54, y), kCardBackColour);
    EXPECT_EQ(back.At(x + 5, y), kFelt) << "the edges are gone";
    t.g.RevealFrame = kFlipFrames * 3 / 4;
    Draw();
    EXPECT_EQ(back.At(x + 54, y), face) << "three quarters: half the face";
    EXPECT_EQ(back.At(x + 5, y), kFelt);
    t.g.RevealFrame = kRevealFrames;
    Draw();
    EXPECT_EQ(back.At(x + 5, y), face);
    EXPECT_EQ(back.At(x + 100, y), face);
    t.g.Options.ShowHandsAtDealEnd = false;
    Draw();
    EXPECT_EQ(back.At(t.g.Layout.ScorePageX + 5, t.g.Layout.ScorePageY + 5), kScorePageColour);
}

// The keyboard's frame: over the focused card (above the cards lying over it) or the deck,
// only on the human's turn and only once a key was used.
TEST_F(DrawFixture, TheFocusFrameShowsOnlyOnTheHumansTurnOnceAKeyWasUsed) {
    auto& g = t.g;
    t.GiveHand(kHuman, {CardOf(2, kClubs), CardOf(3, kClubs), CardOf(4, kClubs)});
    g.State = GameState::NormalPlay;
    g.CurrentPlayer = kHuman;
    g.WaitingForHuman = true;
    g.Focus.Slot = 1;
    const CardRecord& c = g.Hands[kHuman][1];
    const int right = int(c.X) + 107, top = int(c.Y);  // its right edge lies under slot 2
    Draw();
    EXPECT_NE(back.At(right, top + 50), kFocusColour) << "no key used yet";
    g.Focus.Shown = true;
    Draw();
    EXPECT_EQ(back.At(right, top + 50), kFocusColour);
    EXPECT_EQ(back.At(int(c.X), top + 50), kFocusColour);
    g.Focus.OnDeck = true;
    Draw();
    EXPECT_EQ(back.At(g.Layout.StackLeft, g.Layout.StackTop + 50), kFocusColour);
    EXPECT_NE(back.At(right, top + 50), kFocusColour);
    g.CurrentPlayer = 2;
    Draw();
    EXPECT_NE(back.At(g.Layout.StackLeft, g.Layout.StackTop + 50), kFocusColour)
        << "never on a computer player's turn";
}

// F1: the page of the game being played (Agonia here) in the middle, over everything.
TEST_F(DrawFixture, TheRulesPageCoversTheMiddleOfTheTableWhileShown) {
    constexpr uint16_t kPageColour = 0x4A69;
    pics->RulesPages[size_t(GameVariant::Agonia)] = Solid(700, 540, kPageColour);
    t.GiveHand(kHuman, {CardOf(2, kClubs)});
    const CardRecord& c = t.g.Hands[kHuman][0];
    Draw();
    EXPECT_NE(back.At(c.HomeX + 50, c.HomeY + 50), kPageColour);
    t.g.RulesShown = true;
    Draw();
    EXPECT_EQ(back.At(c.HomeX + 50, c.HomeY + 50), kPageColour) << "over the hand";
    EXPECT_EQ(back.At(50, 30), kPageColour);
    EXPECT_EQ(back.At(749, 569), kPageColour);
    EXPECT_NE(back.At(49, 30), kPageColour);
    EXPECT_NE(back.At(750, 569), kPageColour);
    EXPECT_NE(back.At(50, 29), kPageColour);
}

TEST_F(DrawFixture, AMatchWonWithHintsSaysHowMany) {
    auto& g = t.g;
    g.State = GameState::DealScored;
    g.ScorePageUp = true;
    g.DealNumber = 1;
    g.ResultText = "We Won!";
    g.NewMatch = true;
    const auto& l = g.Layout;
    const int x = l.ScoreLineX - 65, y = l.ScoreResultY + l.ScoreRowStep;
    Draw();
    const std::string nothing(9, '?');  // the page's own colour: nothing written there
    EXPECT_EQ(ReadText(back, x, y, 9), nothing) << "no hints, no line";
    g.HintsTaken = 2;
    Draw();
    EXPECT_EQ(ReadText(back, x, y, 9), "(2 hints)");
    g.ResultText = "We lost!";
    Draw();
    EXPECT_EQ(ReadText(back, x, y, 9), nothing);
}

TEST_F(DrawFixture, TheClockIsWhollyOnTheTable) {
    Draw(21 * 3600 + 5 * 60 + 30);
    const auto& l = t.g.Layout;
    EXPECT_EQ(ReadText(back, l.ClockX, l.ClockY, 8), "09:05 PM");
    EXPECT_LE(l.ClockX + 7 * 17 + 19, 800);
    EXPECT_LE(l.ClockY + 27, 600);
}

TEST(ClockText, TwelveHourClockWithTwoDigitHours) {
    EXPECT_EQ(ClockText(0), "12:00 AM");
    EXPECT_EQ(ClockText(9 * 3600 + 5 * 60), "09:05 AM");
    EXPECT_EQ(ClockText(12 * 3600 + 59 * 60 + 59.9), "12:59 PM");
    EXPECT_EQ(ClockText(23 * 3600 + 59 * 60), "11:59 PM");
}

TEST(ScoreField, NumbersAreRightAlignedInFourCharacters) {
    EXPECT_EQ(ScoreField(7), "   7");
    EXPECT_EQ(ScoreField(125), " 125");
    EXPECT_EQ(ScoreField(0), "   0");
    EXPECT_EQ(ScoreField(1234), "1234");
}

}  // namespace
}  // namespace tarrabel::test

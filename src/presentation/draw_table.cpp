#include "presentation/draw_table.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/game.h"
#include "presentation/pictures.h"
#include "session/hands_reveal.h"
#include "session/human_keys.h"

namespace tarrabel {

namespace {

using platform::Surface;

constexpr size_t kScoreLineLength = 64;

// Whole pictures, colour-keyed, at the card's position rounded half to even.
void DrawPicture(TableCanvas& c, const Surface& s, float x, float y, bool keyed = true) {
    c.List.Add(s, {}, int32_t(std::lrint(x)), int32_t(std::lrint(y)), keyed);
}

const Surface& FaceOf(const TableCanvas& c, const CardRecord& card) {
    return c.Pictures.Face(std::clamp<int>(card.CardIndex, 0, kCardTableSize - 1));
}

void DrawCard(TableCanvas& c, const CardRecord& card) {
    if (!card.Shown) return;
    DrawPicture(c, card.FaceUp ? FaceOf(c, card) : c.Pictures.CardBack, card.X, card.Y);
}

// A computer player's card turning over at the deal's end: its back narrows to the card's
// middle, then its face widens from there (turned: 0 the back whole, 1 the face whole).
void DrawTurningCard(TableCanvas& c, const CardRecord& card, float turned) {
    if (!card.Shown) return;
    if (turned <= 0.0f || turned >= 1.0f) {
        DrawPicture(c, turned >= 1.0f ? FaceOf(c, card) : c.Pictures.CardBack, card.X, card.Y);
        return;
    }
    const platform::Surface& side = turned < 0.5f ? c.Pictures.CardBack : FaceOf(c, card);
    const int32_t width = side.Width / std::max(1, c.List.Density());
    const int32_t height = side.Height / std::max(1, c.List.Density());
    const int32_t shown = int32_t(std::lrint(float(width) * std::fabs(1.0f - 2.0f * turned)));
    if (shown <= 0) return;
    const int32_t left = (width - shown) / 2;
    c.List.Add(side, {left, 0, left + shown, height}, int32_t(std::lrint(card.X)) + left,
               int32_t(std::lrint(card.Y)), true);
}

void DrawHumanCard(TableCanvas& c, const CardRecord& card) {
    if (!card.Shown) return;
    DrawCard(c, card);
    if (card.MoveSource) DrawPicture(c, c.Pictures.PickFrame, card.X, card.Y);
}

void DrawDeck(const Game& g, TableCanvas& c) {
    const int deckSize = g.Rules.DeckSize;
    // The last deck card is drawn apart: it may be flying out while the stack is empty.
    const CardRecord& last = g.Deck[size_t(deckSize - 1)];
    if (last.Moving)
        DrawPicture(c, g.CurrentPlayer == kHuman ? FaceOf(c, last) : c.Pictures.CardBack, last.X,
                    last.Y);
    else if (last.Shown)
        DrawPicture(c, FaceOf(c, last), last.X, last.Y);
}

// At most eight cards of the draw pile: the one at the draw position (or the one just
// drawn) on top, the next seven under it.
void DrawDrawPile(const Game& g, TableCanvas& c) {
    const int deckSize = g.Rules.DeckSize;
    const int d = g.DeckPos != 0 ? 1 : 0;
    const int lo = g.DeckPos - d;
    const int hi = g.DeckPos <= deckSize - 6 ? lo + 7 : deckSize - d;
    for (int i = std::min(hi, kDeckRecords - 1); i >= std::max(lo, 0); --i)
        DrawCard(c, g.Deck[size_t(i)]);
}

// The keyboard's frame: over the card the keys act on, drawn over the whole hand so that a
// card half covered by its neighbours still shows whole which one it is; or over the deck.
void DrawFocusFrame(const Game& g, TableCanvas& c) {
    if (!FocusFrameVisible(g)) return;
    const KeyFocus& f = g.Focus;
    if (f.OnDeck) {
        // Where a click draws: the stack's top left corner.
        DrawPicture(c, c.Pictures.FocusFrame, g.Layout.StackLeft, g.Layout.StackTop);
        return;
    }
    const CardRecord& card = g.Hands[kHuman][size_t(f.Slot)];
    DrawPicture(c, c.Pictures.FocusFrame, card.X, card.Y);
}

// The rules of the game being played, in the middle of the table, over everything.
void DrawRulesPage(const Game& g, TableCanvas& c) {
    const Surface& page = c.Pictures.RulesPages[size_t(g.Options.Variant) % kVariantCount];
    if (page.Empty()) return;
    const int density = std::max(1, c.Pictures.Density);
    const TableLayout& l = g.Layout;
    DrawPicture(c, page, float((l.TableWidth - page.Width / density) / 2),
                float((l.TableHeight - page.Height / density) / 2), false);
}

// The digits 1 to 4 name clubs, diamonds, hearts and spades (SuitOfKey).
void DrawSuitKey(TableCanvas& c, int suit, const CardRecord& icon) {
    static constexpr char kKeyOfSuit[4] = {'1', '3', '4', '2'};  // by suit code
    BitmapFont& font = c.Pictures.GiltFont;
    font.XPos = icon.X + float(icon.SizeX) + 4;  // on the felt right of the icon
    font.YPos = icon.Y + float(icon.SizeY - font.CellHeight) / 2;
    font.DrawText(c.List, std::string_view(&kKeyOfSuit[suit], 1), true);
}

}  // namespace

std::string ClockText(double secondsOfDay) {
    const int total = int(secondsOfDay) % 86400;
    const int hour24 = total / 3600, minute = (total / 60) % 60;
    int hour12 = hour24 % 12;
    if (hour12 == 0) hour12 = 12;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d %s", hour12, minute, hour24 < 12 ? "AM" : "PM");
    return text;
}

std::string ScoreField(int value) {
    char field[16];
    std::snprintf(field, sizeof field, "%4d", value);
    return field;
}

void DrawTable(const Game& g, TableCanvas& c, double secondsOfDay) {
    TablePictures& pics = c.Pictures;
    DrawDeck(g, c);

    for (int i = 0; i < kReturnFlying; ++i) {
        const CardRecord& r = g.ReturnCards[size_t(i)];
        if (r.Shown) DrawPicture(c, FaceOf(c, r), r.X, r.Y);
    }

    for (int i = std::max(0, g.PileCount - 11); i < g.PileCount; ++i)
        DrawCard(c, g.Pile[size_t(i)]);

    const bool revealing = RevealingHands(g);
    for (int seat : {2, 1, 3})
        for (int s = 0; s < kHandSlots; ++s) {
            const CardRecord& card = g.Hands[size_t(seat)][size_t(s)];
            if (revealing)
                DrawTurningCard(c, card, FlipOf(g, seat));
            else
                DrawCard(c, card);
        }

    for (int s : g.Layout.HumanDrawOrder)
        DrawHumanCard(c, g.Hands[kHuman][size_t(s)]);

    if (g.SuitPromptShown)
        for (int i = 0; i < 4; ++i) {
            const CardRecord& icon = g.SuitIcons[size_t(i)];
            if (!icon.Shown) continue;
            DrawPicture(c, pics.SuitIcons[size_t(i)], icon.X, icon.Y);
            // Once the keyboard is in use each icon shows the digit that names its suit.
            if (g.Focus.Shown) DrawSuitKey(c, i, icon);
        }

    const BannerSpot spot = BannerSpotOf(g.Layout, g.CurrentPlayer);
    if (g.ShowSuitBanner)
        DrawPicture(c, pics.SuitIcons[size_t(std::clamp(g.ChosenSuit, 0, 3))], spot.X, spot.Y);
    if (g.ShowPassBanner) DrawPicture(c, pics.PassBanner, spot.X, spot.Y);

    DrawDrawPile(g, c);
    DrawFocusFrame(g, c);

    if (g.State == GameState::DealScored && !revealing) {
        // The page hides the whole table.
        const TableLayout& l = g.Layout;
        DrawPicture(c, pics.Felt, 0, 0, false);
        DrawPicture(c, pics.ScorePage, l.ScorePageX, l.ScorePageY);
        DrawPicture(c, pics.ScoreRuleTop, l.ScoreLineX - 50, l.ScoreLineY + 23);
        DrawPicture(c, pics.ScoreRuleBottom, l.ScoreLineX - 50, l.ScoreLineX + 157);
        DrawScorePage(g, c);
    }

    BitmapFont& clock = pics.ClockFont;
    clock.XPos = g.Layout.ClockX;
    clock.YPos = g.Layout.ClockY;
    clock.DrawText(c.List, ClockText(secondsOfDay), true);

    if (g.RulesShown) DrawRulesPage(g, c);
}

namespace {

// Appends a number right-aligned in four characters; no allocation, the page is drawn
// every frame while it is up.
size_t AppendField(char* line, size_t at, int value) {
    char field[16];
    const int n = std::snprintf(field, sizeof field, "%4d", value);
    for (int i = 0; i < n && at + 1 < kScoreLineLength; ++i)
        line[at++] = field[i];
    line[at] = 0;
    return at;
}

}  // namespace

void DrawScorePage(const Game& g, TableCanvas& c) {
    TablePictures& pics = c.Pictures;
    const TableLayout& l = g.Layout;
    // The human first, then the others clockwise from him.
    constexpr int kPageSeats[4] = {0, 3, 2, 1};
    auto draw = [&](int font, float x, float y, std::string_view text) {
        BitmapFont& f = pics.ScoreLineFonts[size_t(font)];
        f.XPos = x;
        f.YPos = y;
        f.DrawText(c.List, text, true);
    };

    char line[kScoreLineLength];
    size_t at = 0;
    auto put = [&](std::string_view s) {
        for (char ch : s)
            if (at + 1 < kScoreLineLength) line[at++] = ch;
        line[at] = 0;
    };
    put(" Me ");
    for (int seat : {3, 2, 1}) {
        put(g.SeatName[size_t(seat)]);
        if (seat != 1) put(" ");
    }
    draw(0, l.ScoreLineX - 65, l.ScoreLineY, {line, at});

    for (int n = 1; n <= std::min<int>(g.DealNumber, kHistoryRows); ++n) {
        at = 0;
        for (int seat : kPageSeats)
            at = AppendField(line, at, g.DealHistory[size_t(seat)][size_t(n - 1)]);
        draw(std::min(n, 10), l.ScoreLineX - 65, l.ScoreLineY + n * l.ScoreRowStep, {line, at});
    }

    at = 0;
    for (int seat : kPageSeats)
        at = AppendField(line, at, g.MatchTotal[size_t(seat)]);
    draw(9, l.ScoreTotalsX - 65, l.ScoreTotalsY, {line, at});
    draw(10, l.ScoreResultX - 65, l.ScoreResultY, g.ResultText);
    // A match won with the expert's hints says how many were taken.
    if (g.NewMatch && g.HintsTaken > 0 && g.ResultText == "We Won!") {
        const int n = std::snprintf(line, sizeof line, "(%d hint%s)", int(g.HintsTaken),
                                    g.HintsTaken == 1 ? "" : "s");
        draw(10, l.ScoreResultX - 65, l.ScoreResultY + l.ScoreRowStep,
             {line, size_t(std::clamp(n, 0, int(sizeof line) - 1))});
    }
}

}  // namespace tarrabel

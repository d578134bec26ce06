// Where things sit on the 800 x 600 table and how fast cards fly.
//
// The positions were designed for a 1024 x 768 table and are scaled by 800/1024 = 0.78125;
// the figures below are the scaled ones.
#pragma once

#include <array>
#include <cstdint>

#include "core/hand_layout.h"
#include "core/options.h"

namespace tarrabel {

struct TableLayout {
    // A fresh layout is the one of the plain 800 x 600 table, hand order included.
    TableLayout() { HumanDrawOrder = HumanDrawOrderOf(*this); }

    // The table itself: a picture is only drawn when it lies wholly inside it.
    int16_t TableWidth = 800, TableHeight = 600;

    // Card flights.
    int16_t FlightFrames = 10;  // 20 with slow animation
    int16_t DealFramesDivisor = 1;
    int16_t ReturnFlightFrames = 20;  // 40 with slow animation
    float ArriveToleranceX = 8, ArriveToleranceY = 8;
    int16_t PlayOffsetRangeX = 20, PlayOffsetRangeY = 16;
    int16_t StarterOffsetRangeX = 12, StarterOffsetRangeY = 8;

    // Cards.
    int16_t CardWidth = 108;
    int16_t CardHeight = 151;

    // Deck: where a card flies to when it goes back, and the fanned stack.
    int16_t DeckX = 5, DeckY = 4;
    int16_t StackLeft = 5, StackTop = 5, StackShift = 8, StackStep = 1;

    // Every played card lands near the centre of the table.
    int16_t PileX = 355, PileY = 203;

    // Hands: the human's row is centred a little further right in Tarrabel's short hands.
    int16_t HumanHandLeft = 235;
    int16_t HumanHandTop = 420;
    int16_t HumanHandStep = 17;
    // The ends of a big hand that would stick out past the table's edges move into a second
    // row this much higher, starting this far from the left edge (see core/hand_layout.h).
    int16_t HumanUpperRowRise = 40;
    int16_t HumanUpperRowLeft = 5;
    int16_t RightHandX = 670, SideHandTop = 170;
    int16_t TopHandLeft = 300, TopHandY = 5;
    int16_t LeftHandX = 5;
    int16_t ComputerHandStep = 5;

    // Suit icons of the suit choice: a column rising from (130, 313).
    int16_t SuitIconX = 130, SuitIconBottomY = 313, SuitIconStep = 52;
    int16_t SuitIconWidth = 182, SuitIconHeight = 41;

    // Score page.
    int16_t ScorePageX = 156, ScorePageY = 4;
    int16_t ScoreLineX = 273, ScoreLineY = 94, ScoreRowStep = 31;
    int16_t ScoreTotalsX = 273, ScoreTotalsY = 438;
    int16_t ScoreResultX = 273, ScoreResultY = 469;
    // The clock "hh:mm AM" is eight characters of the digit font, 7 x 17 + 19 = 138 pixels
    // wide: it ends 10 pixels short of the right edge.
    int16_t ClockX = 652, ClockY = 572;

    // The human's slots bottom first, as the table draws them; the click handlers try them
    // from the last one back, so that a click goes to the card the player sees there.
    std::array<int8_t, kHandSlots> HumanDrawOrder{};
};

// Where a seat's suit or pass announcement appears: in front of the seat's cards.
struct BannerSpot {
    int16_t X, Y;
};
inline BannerSpot BannerSpotOf(const TableLayout& l, int seat) {
    switch (seat) {
        case 0:
            return {int16_t(l.HumanHandLeft + 2 * l.HumanHandStep), int16_t(l.HumanHandTop - 45)};
        case 1:
            return {int16_t(l.RightHandX - 190), int16_t(l.SideHandTop + 45)};
        case 2:
            return {int16_t(l.TopHandLeft + 4 * l.ComputerHandStep),
                    int16_t(l.TopHandY + l.CardHeight + 5)};
        default:
            return {int16_t(l.LeftHandX + 2 * l.ComputerHandStep + 130),
                    int16_t(l.SideHandTop + 45)};
    }
}

inline TableLayout SetTableLayout(const GameOptions& options) {
    TableLayout l;
    l.FlightFrames = options.SlowAnimation ? 20 : 10;
    l.ReturnFlightFrames = options.SlowAnimation ? 40 : 20;
    l.CardHeight = CardHeightOf(options.DeckName);
    l.HumanHandLeft = options.Variant == GameVariant::Tarrabel ? 275 : 235;
    l.HumanDrawOrder = HumanDrawOrderOf(l);
    return l;
}

}  // namespace tarrabel

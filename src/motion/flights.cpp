#include "motion/flights.h"

#include <cmath>

#include "core/turns.h"

namespace tarrabel {

static int16_t Sign(float v) {
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

// The step and direction are worked out once here, so a frame of flight is two
// multiply-adds and no square root or division.
void StartCardFlight(Game& g, CardRecord& card, float targetX, float targetY, int frames) {
    float f = float(frames);
    card.Moving = true;
    card.TargetX = targetX;
    card.TargetY = targetY;
    card.DirX = Sign(card.TargetX - card.X);
    card.DirY = Sign(card.TargetY - card.Y);
    if (g.State == GameState::DealingCards) f /= float(g.Layout.DealFramesDivisor);
    card.StepX = std::fabs(card.TargetX - card.X) / f;
    card.StepY = std::fabs(card.TargetY - card.Y) / f;
}

void StartCardFlight(Game& g, CardRecord& card, int targetX, int targetY) {
    StartCardFlight(g, card, float(targetX), float(targetY), g.Layout.FlightFrames);
}

bool FlyCardIfIdle(Game& g, CardRecord& card, int x, int y) {
    if (AnyCardMoving(g)) return false;
    PlayFlipSound(g);
    StartCardFlight(g, card, x, y);
    return true;
}

bool FlyCardToSeatSlot(Game& g, int slot, CardRecord& card, int player) {
    card.FaceUp = player == kHuman;
    const CardRecord& target = g.Hands[player][slot];
    return FlyCardIfIdle(g, card, int(target.X), int(target.Y));
}

bool FlyCardToSeat(Game& g, CardRecord& card, int player) {
    return FlyCardToSeatSlot(g, g.HandCount[player], card, player);
}

bool FlyCardToDeck(Game& g, CardRecord& card) {
    card.FaceUp = false;
    return FlyCardIfIdle(g, card, g.Layout.DeckX, g.Layout.DeckY);
}

static void AimAtPile(Game& g, CardRecord& card, int rangeX, int rangeY, int& x, int& y) {
    const double r1 = g.Rnd();
    const double r2 = g.Rnd();
    const TableSlotRecord& slot = g.TableSlot[g.CurrentPlayer];
    x = slot.X + int(rangeX * r1);
    y = slot.Y + int(rangeY * r2);
    card.PileSlot = g.CurrentPlayer;
}

bool FlyPlayedCardToPile(Game& g, CardRecord& card) {
    if (AnyCardMoving(g)) return false;
    g.ClickedCard = -1;
    PlayFlipSound(g);
    int x, y;
    AimAtPile(g, card, g.Layout.PlayOffsetRangeX, g.Layout.PlayOffsetRangeY, x, y);
    StartCardFlight(g, card, x, y);
    g.TableSlot[g.CurrentPlayer].Occupied = true;
    return true;
}

bool FlyStarterCardToPile(Game& g, CardRecord& card) {
    if (AnyCardMoving(g)) return false;
    card.FaceUp = true;
    int x, y;
    AimAtPile(g, card, g.Layout.StarterOffsetRangeX, g.Layout.StarterOffsetRangeY, x, y);
    FlyCardIfIdle(g, card, x, y);
    g.TableSlot[g.CurrentPlayer].Occupied = true;
    return true;
}

int StartPileReturnFlight(Game& g) {
    PlayFlipSound(g);
    const CardRecord& deckTop = g.Deck[0];
    int launched = 0;
    for (int i = g.PileCount - 2; i >= 0 && i >= g.PileCount - 11; --i) {
        if (!g.Pile[i].Shown) continue;
        CardRecord& copy = g.ReturnCards[launched++];
        copy = g.Pile[i];
        copy.FaceUp = true;
        copy.Shown = true;
        StartCardFlight(g, copy, float(deckTop.HomeX), float(deckTop.HomeY),
                        g.Layout.ReturnFlightFrames);
    }
    return launched;
}

void AdvanceCard(CardRecord& card) {
    if (!card.Moving) return;
    card.X += card.DirX * card.StepX;
    card.Y += card.DirY * card.StepY;
}

bool HasArrived(const Game& g, const CardRecord& card) {
    return std::fabs(card.X - card.TargetX) <= g.Layout.ArriveToleranceX &&
           std::fabs(card.Y - card.TargetY) <= g.Layout.ArriveToleranceY;
}

void PlayFlipSound(Game& g) {
    static constexpr SoundId kFlips[3] = {SoundId::CardFlip1, SoundId::CardFlip2,
                                          SoundId::CardFlip3};
    g.PlaySound(kFlips[g.RndBelow(3)]);
}

void PlaySignSound(Game& g) {
    static constexpr SoundId kSigns[3] = {SoundId::Sign1, SoundId::Sign2, SoundId::Sign3};
    g.PlaySound(kSigns[g.RndBelow(3)]);
}

}  // namespace tarrabel

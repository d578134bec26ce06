// Composing the card table, once per frame, as the list of copies that make it up: every card on
// the table, the suit prompt and announcements, the score page at the end of a deal, and the clock.
// Drawing only reads the game.
#pragma once

#include <string>

#include "platform/surface.h"
#include "presentation/draw_list.h"

namespace tarrabel {

struct Game;
struct TablePictures;

// Everything DrawTable needs besides the game: the pictures, and the list the frame's
// copies go into (begun by the caller, with the table's clip and density).
struct TableCanvas {
    TablePictures& Pictures;  // the fonts are moved to where they write
    DrawList& List;
};

// The cards, icons, banners, score page and clock, in the order that makes later items
// cover earlier ones. The background is the caller's (the frame draws it first).
void DrawTable(const Game& g, TableCanvas& canvas, double secondsOfDay);

// The texts of the score page: names, the history of up to ten deals, totals, result.
void DrawScorePage(const Game& g, TableCanvas& canvas);

// "hh:mm AM": the 12-hour clock with two-digit hours and minutes.
std::string ClockText(double secondsOfDay);

// A number right-aligned in a field of four characters ("   7", " 125").
std::string ScoreField(int value);

}  // namespace tarrabel

// The choices made in the options dialog before play, read by the whole game.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/cards.h"

namespace tarrabel {

// The three card decks shipped with the game, by the folder their pictures are in.
inline constexpr std::string_view kDeckNames[3] = {"Royal", "Roya2", "Roya3"};

// How the computer players choose their cards: the standard player scores each card on its
// own; the expert plays the rest of the deal out in his head for each card he could play;
// the easy player, a beginner's opponent, plays the first card he may. (Easy comes last so
// that the older levels keep their numbers.)
enum class AiLevel : uint8_t { Standard, Expert, Easy };
inline constexpr std::string_view kAiLevelNames[3] = {"Standard", "Expert", "Easy"};

constexpr std::string_view AiLevelName(AiLevel level) {
    return kAiLevelNames[int(level)];
}

struct GameOptions {
    GameVariant Variant = GameVariant::Tarrabel;
    int16_t TargetScore = 100;
    std::string_view DeckName = "Royal";
    std::string_view Resolution = "800x600";
    int16_t ScreenWidth = 800;
    int16_t ScreenHeight = 600;
    bool SlowAnimation = false;
    // Clubs green and diamonds blue on every deck and suit banner, so that each suit has a
    // colour of its own ("Four-colour suits", --four-colour).
    bool FourColourSuits = false;
    // When a deal ends, the computer players' cards turn face up where they lie before the
    // score page ("Show the hands when a deal ends").
    bool ShowHandsAtDealEnd = true;
    AiLevel ComputerLevel = AiLevel::Standard;  // seats 1 to 3
    bool FullScreen = true;
    bool UseVidMem = false;
    std::string_view PakFileName = "res134.pak";
};

// Options for a variant with everything else at the dialog's defaults.
constexpr GameOptions DefaultOptions(GameVariant v) {
    GameOptions o;
    o.Variant = v;
    o.TargetScore = kVariantSettings[int(v)].TargetScore;
    return o;
}

// Card picture depth of each deck (the width is 108 for all of them).
constexpr int16_t CardHeightOf(std::string_view deck) {
    return deck == "Royal" ? 151 : 153;
}

}  // namespace tarrabel

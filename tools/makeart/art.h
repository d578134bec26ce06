// The parts of the game's art, each made into its folder of the resource tree.
#pragma once

#include <string>

namespace tarrabel::art {

// res/Royal, res/Roya2, res/Roya3: the 52 faces, two jokers, card back and selection frame
// of each deck. With docsDir not empty, also a PNG contact sheet of each deck there.
bool MakeDecks(const std::string& outDir, const std::string& docsDir, std::string* error);

// res/Numbers (suit banners, pass), res/Bitmaps (table, score page, rules, pointer) and
// res/fntFonts (the three bitmap fonts).
bool MakeTableArt(const std::string& outDir, std::string* error);

// res/Sounds: the ten sound effects.
bool MakeSounds(const std::string& outDir, std::string* error);

// The desktop icon in the sizes the game installs, as iconDir/tarrabel-SIZE.png (48 and
// 256 pixels square). Not part of the resource tree.
bool MakeIcons(const std::string& iconDir, std::string* error);

}  // namespace tarrabel::art

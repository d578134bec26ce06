// The parts of the game's art, each made into its folder of the resource tree. The pictures
// are made at a density: 1 gives the game's own BMP files; 2 or 3 the same pictures drawn
// at twice or three times their size from the same vectors, as PNG files named with "@2x"
// or "@3x" (resources/density_names.h) in the same folders.
#pragma once

#include <string>

namespace tarrabel::art {

// res/Royal, res/Roya2, res/Roya3: the 52 faces, two jokers, card back and selection frame
// of each deck. With docsDir not empty, also a PNG contact sheet of each deck there (1x only).
bool MakeDecks(const std::string& outDir, const std::string& docsDir, int density,
               std::string* error);

// res/Numbers (suit banners, pass), res/Bitmaps (table, score page and its rules, pointer,
// each game's rules page) and res/fntFonts (the three bitmap fonts).
bool MakeTableArt(const std::string& outDir, int density, std::string* error);

// res/Sounds: the ten sound effects (they have no density).
bool MakeSounds(const std::string& outDir, std::string* error);

// The desktop icon in the sizes the game installs, as iconDir/tarrabel-SIZE.png (48 and
// 256 pixels square). Not part of the resource tree.
bool MakeIcons(const std::string& iconDir, std::string* error);

}  // namespace tarrabel::art

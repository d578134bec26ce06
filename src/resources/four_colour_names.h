// The names of the four-colour suit pictures. A player who tells the suits apart by colour
// alone (or cannot tell red from black well) may have the clubs drawn green and the
// diamonds blue on every deck. Only the pictures whose ink changes exist twice: the faces
// of clubs and diamonds and those two suits' banners ("CLUBS.BMP", "DIAMONDS.BMP");
// hearts, spades, jokers, backs and everything else serve both ways. The four-colour
// picture carries "_4c" at the end of its stem ("AC_4c.BMP"), so that the sharper sets name
// it the usual way after that ("AC_4c@2x.png", resources/density_names.h).
//
// The art tool names its pictures with these and the table loads by them. Header only: the
// art tool links no game library.
#pragma once

#include <string>
#include <string_view>

namespace tarrabel {

inline constexpr std::string_view kFourColourMarker = "_4c";

// True for the 1x picture names that have a four-colour picture: a card face of clubs or
// diamonds ("AC.BMP" .. "10C.BMP" .. "KD.BMP") and the banners "CLUBS.BMP", "DIAMONDS.BMP".
inline bool HasFourColourPicture(std::string_view file) {
    const size_t dot = file.rfind('.');
    const std::string_view stem = dot == std::string_view::npos ? file : file.substr(0, dot);
    if (stem == "CLUBS" || stem == "DIAMONDS") return true;
    if (stem.size() < 2 || (stem.back() != 'C' && stem.back() != 'D')) return false;
    const std::string_view rank = stem.substr(0, stem.size() - 1);
    for (std::string_view r : {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"})
        if (rank == r) return true;
    return false;
}

// The picture to show for `file` (its 1x name): with four-colour suits and a picture of its
// own, the stem with "_4c" ("AC.BMP" -> "AC_4c.BMP"); otherwise `file` itself.
inline std::string SuitColourPictureName(std::string_view file, bool fourColour) {
    if (!fourColour || !HasFourColourPicture(file)) return std::string(file);
    const size_t dot = file.rfind('.');
    std::string name(file.substr(0, dot));
    name += kFourColourMarker;
    if (dot != std::string_view::npos) name += file.substr(dot);
    return name;
}

}  // namespace tarrabel

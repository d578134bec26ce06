// The names of the sharper picture sets. The table can be composed at 1, 2 or 3 pixels per
// table unit (its density); every picture of the game exists at each density, drawn from
// the vectors at that size. A 1x picture keeps its old name ("AC.BMP"); the same picture at
// density k carries "@kx" before its extension and is a PNG ("AC@2x.png"), so the larger
// sets stay small in the archive. The table background stays a JPEG at every density
// ("Back_800x600@3x.jpg"), unpacked into a BMP of the same stem ("Back_800x600@3x.bmp").
//
// The art tool names its files with these, the unpacking picks the set in use by them and
// the table loads its pictures by them. Header only: the art tool links no game library.
#pragma once

#include <string>
#include <string_view>

namespace tarrabel {

inline constexpr int kMaxDensity = 3;

inline bool IsDensity(int density) {
    return density >= 1 && density <= kMaxDensity;
}

namespace density_detail {

inline char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// The extension with its dot, lower-cased ("" without one).
inline std::string LowerExtension(std::string_view file) {
    const size_t dot = file.rfind('.');
    std::string ext;
    if (dot == std::string_view::npos) return ext;
    for (char c : file.substr(dot))
        ext += Lower(c);
    return ext;
}

inline std::string_view Stem(std::string_view file) {
    const size_t dot = file.rfind('.');
    return dot == std::string_view::npos ? file : file.substr(0, dot);
}

}  // namespace density_detail

// True for the files that are pictures (BMP, PNG, JPEG): the ones that come in a set per
// density. Sounds and anything else exist once.
inline bool IsPictureFile(std::string_view file) {
    const std::string ext = density_detail::LowerExtension(file);
    return ext == ".bmp" || ext == ".png" || ext == ".jpg";
}

// The name of picture `file` (its 1x name) at `density`: itself at 1x; the stem with "@kx"
// and ".png" above, or ".jpg" for a JPEG. With `converted`, the name of the BMP the unpacking
// makes of that JPEG (the table background): "Back_800x600.bmp", "Back_800x600@2x.bmp".
inline std::string DensityPictureName(std::string_view file, int density, bool converted = false) {
    if (density == 1 && !converted) return std::string(file);
    std::string name(density_detail::Stem(file));
    if (density != 1) {
        name += '@';
        name += char('0' + density);
        name += 'x';
    }
    const std::string ext = density_detail::LowerExtension(file);
    name += converted ? ".bmp" : ext == ".jpg" ? ".jpg" : ".png";
    return name;
}

// The density a file name belongs to: k for a name whose stem ends in "@kx" (k 2 or 3),
// otherwise 1.
inline int DensityOfFileName(std::string_view file) {
    const std::string_view stem = density_detail::Stem(file);
    if (stem.size() < 3 || stem[stem.size() - 3] != '@' ||
        density_detail::Lower(stem.back()) != 'x')
        return 1;
    const int k = stem[stem.size() - 2] - '0';
    return k >= 2 && k <= kMaxDensity ? k : 1;
}

}  // namespace tarrabel

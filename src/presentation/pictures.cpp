#include "presentation/pictures.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "core/game.h"
#include "platform/picture_load.h"
#include "platform/platform.h"
#include "resources/density_names.h"
#include "resources/four_colour_names.h"
#include "resources/unpack.h"
#include "rules/rules_text.h"

namespace tarrabel {

namespace {

// The cell grid every font picture shares: 19 x 27 pixels, 20 cells a row, from the space.
constexpr int kFontCellWidth = 19, kFontCellHeight = 27, kFontColumns = 20;

class Loader {
  public:
    Loader(platform::Platform& p, const ResourceTree& tree, int density, std::string* error)
        : p_(p), tree_(tree), density_(density), error_(error) {}

    // One picture of the density's set, keyed with the art's colour unless it is drawn opaque.
    bool Picture(platform::Surface& s, std::string_view relative, bool keyed = true) {
        return PictureFile(s, PicturePathAt(relative, density_), keyed);
    }

    // The table background, which the unpacking made from the density's JPEG.
    bool Felt(platform::Surface& s) {
        const std::string bmp = DensityPictureName(kBackgroundJpeg, density_, true);
        return PictureFile(s, "res\\bitmaps\\" + bmp, false);
    }

    bool Font(BitmapFont& f, std::string_view relative) {
        const std::string atDensity = PicturePathAt(relative, density_);
        const std::string path = ResourcePath(tree_, atDensity).string();
        f.Density = density_;
        if (!f.Load(p_, path.empty() ? atDensity : path, kFontCellWidth, kFontCellHeight,
                    kFontColumns, error_))
            return false;
        f.SetTransparent(platform::ColorKey::ArtKey);
        return true;
    }

    // A picture's file as it is, to be decoded when it is first shown.
    bool FileBytes(std::vector<uint8_t>& bytes, std::string& name, std::string_view relative) {
        const std::string atDensity = PicturePathAt(relative, density_);
        const std::string path = ResourcePath(tree_, atDensity).string();
        std::ifstream in(path, std::ios::binary);
        if (!path.empty() && in) {
            bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            if (in.good() || in.eof()) {
                name = atDensity;
                return true;
            }
        }
        if (error_)
            *error_ = "Error in function CreateSurfaceFromFile() \r\nError Number: 53\r\n" +
                      std::string("No such resource: ") + atDensity;
        return false;
    }

  private:
    bool PictureFile(platform::Surface& s, std::string_view relative, bool keyed) {
        std::string why;
        const std::string path = ResourcePath(tree_, relative).string();
        if (path.empty()) {
            why = "No such resource: " + std::string(relative);
        } else if (p_.LoadPicture(path, &s, &why)) {
            if (keyed) platform::SetSurfaceColorKey(s, platform::ColorKey::ArtKey);
            return true;
        }
        // 53 is the number the game's messages have always used for a missing file.
        if (error_)
            *error_ = "Error in function CreateSurfaceFromFile() \r\nError Number: 53\r\n" + why;
        return false;
    }

    platform::Platform& p_;
    const ResourceTree& tree_;
    int density_;
    std::string* error_;
};

std::string Join(std::string_view a, std::string_view b) {
    std::string s(a);
    s += b;
    return s;
}

// The pick frame's blue turned to amber, shade for shade (its brightness kept), the
// transparent pixels left as they are: blue and amber stay apart for every kind of colour
// sight.
platform::Surface AmberCopyOf(const platform::Surface& blue) {
    platform::Surface amber = blue;
    for (uint16_t& px : amber.Pixels) {
        if (amber.HasKey && px >= amber.KeyLow && px <= amber.KeyHigh) continue;
        const int r = (px >> 11) & 31, g = (px >> 5) & 63, b = px & 31;
        // The strongest channel sets the shade; amber is full red, two thirds green.
        const int v = std::max({r * 2, g, b * 2});  // 0..63
        const int red = std::min(31, v / 2 + 2), green = std::min(63, v * 2 / 3 + 4);
        px = uint16_t((red << 11) | (green << 5) | (std::max(0, v / 2 - 24) & 31));
    }
    return amber;
}

}  // namespace

std::string_view DeckFolder(std::string_view deckName) {
    if (deckName == "Roya2") return "res\\Roya2\\";
    if (deckName == "Roya3") return "res\\Roya3\\";
    return "res\\Royal\\";
}

std::string PicturePathAt(std::string_view relative, int density) {
    const size_t slash = relative.rfind('\\');
    const size_t at = slash == std::string_view::npos ? 0 : slash + 1;
    return std::string(relative.substr(0, at)) + DensityPictureName(relative.substr(at), density);
}

bool LoadPictures(platform::Platform& p, const ResourceTree& tree, const Game& g,
                  TablePictures& pics, std::string* error, int density) {
    if (!IsDensity(density)) {
        if (error) *error = "There are no pictures at density " + std::to_string(density);
        return false;
    }
    pics.Density = density;
    Loader load(p, tree, density, error);
    if (!load.Felt(pics.Felt)) return false;
    const std::string_view deck = DeckFolder(g.Options.DeckName);
    if (!load.Picture(pics.CardBack, Join(deck, "S_cardback.bmp"))) return false;
    pics.CardsLoaded = 0;
    // The games of two packs show each face twice: the second shows the first's picture,
    // neither read nor kept twice (decoding is most of the start-up at the higher
    // densities, and a 3x face is some 300 KB).
    pics.FaceCopyOf.fill(0);
    // With four-colour suits the clubs and diamonds, and their banners, are drawn in their
    // own inks (resources/four_colour_names.h).
    const bool fourColour = g.Options.FourColourSuits;
    const int faces = std::min<int>(g.Rules.DeckSize, kCardTableSize);
    for (int i = 0; i < faces; ++i) {
        int same = 0;
        while (same < i && g.Cards->FileName[same] != g.Cards->FileName[i])
            ++same;
        pics.CardFaces[i] = platform::Surface{};
        if (same < i)
            pics.FaceCopyOf[i] = int16_t(same + 1);
        else if (!load.Picture(pics.CardFaces[i],
                               Join(deck, SuitColourPictureName(g.Cards->FileName[i], fourColour))))
            return false;
        pics.CardsLoaded = i + 1;
    }
    for (int i = 0; i < 4; ++i)
        if (!load.Picture(
                pics.SuitIcons[i],
                Join("res\\Numbers\\", SuitColourPictureName(kSuitFileNames[i], fourColour))))
            return false;
    if (!load.Picture(pics.PassBanner, Join("res\\Numbers\\", kPassFileName))) return false;
    const std::string_view scorePage = g.Options.Resolution == "800x600"
                                           ? "res\\bitmaps\\Scorepage_800x600.bmp"
                                           : "res\\bitmaps\\Scorepage.bmp";
    if (!load.Picture(pics.ScorePage, scorePage)) return false;
    if (!load.Picture(pics.PickFrame, Join(deck, "FrameBlue.bmp")) ||
        !load.Picture(pics.ScoreRuleTop, "res\\bitmaps\\line_horz.bmp") ||
        !load.Picture(pics.ScoreRuleSide, "res\\bitmaps\\line_vert.bmp") ||
        !load.Picture(pics.ScoreRuleBottom, "res\\bitmaps\\line_horz.bmp") ||
        !load.Picture(pics.Pointer, "res\\bitmaps\\mouse.bmp"))
        return false;
    // Only the rules of the game being played, and only as its file: a page is some 7 MB of
    // pixels at 3x and 50 ms of decoding, for a page most players never open
    // (ShowRulesPage decodes it the first time).
    const size_t variant = size_t(g.Options.Variant);
    for (auto& page : pics.RulesPages)
        page = platform::Surface{};
    pics.RulesPageFile.clear();
    if (variant < pics.RulesPages.size() &&
        !load.FileBytes(pics.RulesPageFile, pics.RulesPageName,
                        Join("res\\bitmaps\\", kRulesPageFileNames[variant])))
        return false;
    pics.FocusFrame = AmberCopyOf(pics.PickFrame);
    if (!load.Font(pics.HandwritingFont, "res\\fntFonts\\fntHandParker.bmp") ||
        !load.Font(pics.ClockFont, "res\\fntFonts\\fntDigit.bmp") ||
        !load.Font(pics.GiltFont, "res\\fntFonts\\fntDeluxe.bmp"))
        return false;
    // Every line of the score page is written with a font of its own in the same hand.
    for (auto& f : pics.ScoreLineFonts) {
        f.SetCells(kFontCellWidth, kFontCellHeight, kFontColumns);
        f.Picture = platform::Surface{};
        f.SharedPicture = &pics.HandwritingFont.Picture;
        f.Density = density;
    }
    return true;
}

bool ShowRulesPage(TablePictures& pics, const Game& g, std::string* error) {
    const size_t variant = size_t(g.Options.Variant) % kVariantCount;
    if (!pics.RulesPages[variant].Empty()) return true;
    if (pics.RulesPageFile.empty()) return false;
    std::string why;
    if (!platform::LoadPictureFromMemory(pics.RulesPageFile, pics.RulesPageName,
                                         &pics.RulesPages[variant], &why)) {
        if (error) *error = why;
        pics.RulesPageFile.clear();  // not tried again
        return false;
    }
    pics.RulesPageFile.clear();
    pics.RulesPageFile.shrink_to_fit();
    return true;
}

void ReleasePictures(TablePictures& pics) {
    auto release = [](platform::Surface& s) { s = platform::Surface{}; };
    release(pics.Felt);
    release(pics.Pointer);
    release(pics.HandwritingFont.Picture);
    release(pics.ClockFont.Picture);
    for (auto& f : pics.ScoreLineFonts) {
        release(f.Picture);
        f.SharedPicture = nullptr;
    }
    release(pics.CardBack);
    for (auto& c : pics.CardFaces)
        release(c);
    pics.FaceCopyOf.fill(0);
    pics.CardsLoaded = 0;
    release(pics.ScorePage);
    release(pics.GiltFont.Picture);
    for (auto& s : pics.SuitIcons)
        release(s);
    release(pics.PassBanner);
    release(pics.PickFrame);
    release(pics.FocusFrame);
    release(pics.ScoreRuleTop);
    release(pics.ScoreRuleSide);
    release(pics.ScoreRuleBottom);
    for (auto& page : pics.RulesPages)
        release(page);
    pics.RulesPageFile.clear();
    pics.RulesPageFile.shrink_to_fit();
}

}  // namespace tarrabel

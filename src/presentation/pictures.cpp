#include "presentation/pictures.h"

#include "core/game.h"
#include "platform/platform.h"
#include "resources/unpack.h"

namespace tarrabel {

namespace {

// The cell grid every font picture shares: 19 x 27 pixels, 20 cells a row, from the space.
constexpr int kFontCellWidth = 19, kFontCellHeight = 27, kFontColumns = 20;

class Loader {
  public:
    Loader(platform::Platform& p, const ResourceTree& tree, std::string* error)
        : p_(p), tree_(tree), error_(error) {}

    // One picture, keyed with the art's colour unless it is drawn opaque.
    bool Picture(platform::Surface& s, std::string_view relative, bool keyed = true) {
        std::string why;
        const std::string path = ResourcePath(tree_, relative).string();
        if (path.empty()) {
            why = "No such resource: " + std::string(relative);
        } else if (p_.LoadPicture(path, &s, &why)) {
            if (keyed) platform::SetSurfaceColorKey(s, 2);
            return true;
        }
        // 53 is the number the game's messages have always used for a missing file.
        if (error_)
            *error_ = "Error in function CreateSurfaceFromFile() \r\nError Number: 53\r\n" + why;
        return false;
    }

    bool Font(clsDXBitmapFont& f, std::string_view relative) {
        const std::string path = ResourcePath(tree_, relative).string();
        if (!f.CreateSpriteFromFile(p_, path.empty() ? std::string(relative) : path, kFontCellWidth,
                                    kFontCellHeight, kFontColumns, error_))
            return false;
        f.SetTransColor(2);
        return true;
    }

  private:
    platform::Platform& p_;
    const ResourceTree& tree_;
    std::string* error_;
};

std::string Join(std::string_view a, std::string_view b) {
    std::string s(a);
    s += b;
    return s;
}

}  // namespace

std::string_view DeckFolder(std::string_view deckName) {
    if (deckName == "Roya2") return "res\\Roya2\\";
    if (deckName == "Roya3") return "res\\Roya3\\";
    return "res\\Royal\\";
}

bool LoadPictures(platform::Platform& p, const ResourceTree& tree, const Game& g,
                  TablePictures& pics, std::string* error) {
    Loader load(p, tree, error);
    if (!load.Picture(pics.ddsBack, "res\\bitmaps\\Back_800x600.bmp", false)) return false;
    const std::string_view deck = DeckFolder(g.Options.DeckName);
    if (!load.Picture(pics.ddsCardBack, Join(deck, "S_cardback.bmp"))) return false;
    pics.CardsLoaded = 0;
    for (int i = 0; i < g.Rules.DeckSize && i < kCardTableSize; ++i) {
        if (!load.Picture(pics.ddsCards[i], Join(deck, g.Cards->FileName[i]))) return false;
        pics.CardsLoaded = i + 1;
    }
    for (int i = 0; i < 4; ++i)
        if (!load.Picture(pics.ddsSuitIcons[i], Join("res\\Numbers\\", kSuitFileNames[i])))
            return false;
    if (!load.Picture(pics.ddsPass, Join("res\\Numbers\\", kPassFileName))) return false;
    const std::string_view scorePage = g.Options.Resolution == "800x600"
                                           ? "res\\bitmaps\\Scorepage_800x600.bmp"
                                           : "res\\bitmaps\\Scorepage.bmp";
    if (!load.Picture(pics.ddsScorePage, scorePage)) return false;
    if (!load.Picture(pics.ddsFrame, Join(deck, "FrameBlue.bmp")) ||
        !load.Picture(pics.ddsLineHorz, "res\\bitmaps\\line_horz.bmp") ||
        !load.Picture(pics.ddsLineVert, "res\\bitmaps\\line_vert.bmp") ||
        !load.Picture(pics.ddsLineHorz2, "res\\bitmaps\\line_horz.bmp") ||
        !load.Picture(pics.ddsMouse, "res\\bitmaps\\mouse.bmp"))
        return false;
    if (!load.Font(pics.fntHandParker, "res\\fntFonts\\fntHandParker.bmp") ||
        !load.Font(pics.fntDigit, "res\\fntFonts\\fntDigit.bmp") ||
        !load.Font(pics.fntDeluxe, "res\\fntFonts\\fntDeluxe.bmp"))
        return false;
    for (auto& f : pics.fntScore)
        if (!load.Font(f, "res\\fntFonts\\fntHandParker.bmp")) return false;
    return true;
}

void ReleasePictures(TablePictures& pics) {
    auto release = [](platform::Surface& s) { s = platform::Surface{}; };
    release(pics.ddsBack);
    release(pics.ddsMouse);
    release(pics.fntHandParker.dds);
    release(pics.fntDigit.dds);
    for (auto& f : pics.fntScore)
        release(f.dds);
    release(pics.ddsCardBack);
    for (auto& c : pics.ddsCards)
        release(c);
    pics.CardsLoaded = 0;
    release(pics.ddsScorePage);
    release(pics.fntDeluxe.dds);
    for (auto& s : pics.ddsSuitIcons)
        release(s);
    release(pics.ddsPass);
    release(pics.ddsFrame);
    release(pics.ddsLineHorz);
    release(pics.ddsLineVert);
    release(pics.ddsLineHorz2);
}

}  // namespace tarrabel

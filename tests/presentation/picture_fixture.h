// Made-up pictures for drawing tests: every card face, icon and font cell is one solid
// colour that names it, so a test can read back from the back buffer what was drawn where.
#pragma once

#include <memory>
#include <string>

#include "platform/surface.h"
#include "presentation/pictures.h"

namespace tarrabel::test {

inline constexpr uint16_t kFelt = 0x0400;
inline constexpr uint16_t kCardBackColour = 0x7777;
inline constexpr uint16_t kFrameColour = 0xFFFF;
inline constexpr uint16_t kFocusColour = 0xFD20;
inline constexpr uint16_t kPassColour = 0x5555;
inline constexpr uint16_t kScorePageColour = 0x3333;
inline constexpr uint16_t kPointerColour = 0x0F0F;

// Face colours stay clear of the key and of the other colours above.
constexpr uint16_t FaceColour(int cardIndex) {
    return uint16_t(0x1000 + cardIndex);
}
constexpr uint16_t IconColour(int suit) {
    return uint16_t(0x2000 + suit);
}
// Font cells: the colour is the character code plus 0x6000.
constexpr uint16_t GlyphColour(int code) {
    return uint16_t(0x6000 + code);
}

inline platform::Surface Solid(int w, int h, uint16_t colour) {
    platform::Surface s = platform::MakeSurface(w, h, colour);
    platform::SetSurfaceColorKey(s, platform::ColorKey::ArtKey);
    return s;
}

// A font picture of 20 columns of 19 x 27 cells, from the space to "~" (5 rows).
inline platform::Surface FontPicture() {
    platform::Surface s = platform::MakeSurface(20 * 19, 5 * 27, 0);
    for (int cell = 0; cell < 100; ++cell)
        for (int y = 0; y < 27; ++y)
            for (int x = 0; x < 19; ++x)
                s.Row((cell / 20) * 27 + y)[(cell % 20) * 19 + x] = GlyphColour(cell + 32);
    platform::SetSurfaceColorKey(s, platform::ColorKey::ArtKey);
    return s;
}

inline void FakeFont(BitmapFont& f) {
    f.SetCells(19, 27, 20);
    f.Picture = FontPicture();
}

inline std::unique_ptr<TablePictures> FakePictures(int cardHeight = 151) {
    auto p = std::make_unique<TablePictures>();
    p->Felt = platform::MakeSurface(800, 600, kFelt);
    p->CardBack = Solid(108, cardHeight, kCardBackColour);
    for (int i = 0; i < kCardTableSize; ++i)
        p->CardFaces[i] = Solid(108, cardHeight, FaceColour(i));
    p->CardsLoaded = kCardTableSize;
    for (int i = 0; i < 4; ++i)
        p->SuitIcons[i] = Solid(182, 41, IconColour(i));
    p->PassBanner = Solid(182, 41, kPassColour);
    p->ScorePage = Solid(412, 512, kScorePageColour);
    // The frame: a 2-pixel border, keyed inside.
    p->PickFrame = platform::MakeSurface(108, cardHeight, platform::kArtKey565);
    for (int y = 0; y < cardHeight; ++y)
        for (int x = 0; x < 108; ++x)
            if (x < 2 || y < 2 || x >= 106 || y >= cardHeight - 2)
                p->PickFrame.Row(y)[x] = kFrameColour;
    platform::SetSurfaceColorKey(p->PickFrame, platform::ColorKey::ArtKey);
    p->FocusFrame = p->PickFrame;
    for (uint16_t& px : p->FocusFrame.Pixels)
        if (px == kFrameColour) px = kFocusColour;
    p->ScoreRuleTop = p->ScoreRuleBottom = Solid(300, 3, 0x0101);
    p->ScoreRuleSide = Solid(3, 300, 0x0101);
    p->Pointer = Solid(32, 32, kPointerColour);
    for (BitmapFont* f : {&p->HandwritingFont, &p->ClockFont, &p->GiltFont})
        FakeFont(*f);
    for (auto& f : p->ScoreLineFonts)
        FakeFont(f);
    return p;
}

// Reads n characters of a fake font written at (x, y) by the colour of each cell's
// last-drawn column (characters overlap by two pixels, so the middle is safe).
inline std::string ReadText(const platform::Surface& s, int x, int y, int n) {
    std::string text;
    for (int i = 0; i < n; ++i) {
        const uint16_t c = s.At(x + 17 * i + 9, y + 13);
        text += (c >= 0x6000 + 32 && c < 0x6000 + 127) ? char(c - 0x6000) : '?';
    }
    return text;
}

}  // namespace tarrabel::test

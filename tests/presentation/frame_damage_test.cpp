// Redrawing only what changed: the list of a frame's copies at any density, composing any
// part of it, and the tiles found changed between frames. The one promise that matters is
// that a table redrawn in changed parts is, pixel for pixel, the table drawn whole.
#include "presentation/frame_damage.h"

#include <gtest/gtest.h>

#include <random>

#include "presentation/draw_list.h"

namespace tarrabel {
namespace {

using platform::Rect;
using platform::Surface;

constexpr Rect kTable{0, 0, 800, 600};

// A card-sized picture with a keyed corner at density k, its colour naming it.
Surface Card(uint16_t colour, int32_t k = 1) {
    Surface s = platform::MakeSurface(108 * k, 151 * k, colour);
    for (int32_t y = 0; y < 4 * k; ++y)
        for (int32_t x = 0; x < 4 * k; ++x)
            s.Row(y)[x] = platform::kArtKey565;
    platform::SetSurfaceColorKey(s, platform::ColorKey::ArtKey);
    return s;
}

struct Placed {
    int Picture;
    int32_t X, Y;
};

struct Scene {
    int32_t Density;
    Surface Felt;
    std::vector<Surface> Cards;
    explicit Scene(int32_t k) : Density(k), Felt(platform::MakeSurface(800 * k, 600 * k, 0x0400)) {
        for (uint16_t c = 0; c < 6; ++c)
            Cards.push_back(Card(uint16_t(0x1000 + 0x1111 * c), k));
    }
    void List(DrawList& list, const std::vector<Placed>& cards) const {
        list.Begin(800, 600, Density, kTable);
        list.Add(Felt, {}, 0, 0, false);
        for (const Placed& p : cards)
            list.Add(Cards[size_t(p.Picture)], {}, p.X, p.Y, true);
    }
};

Surface DrawnWhole(const DrawList& list) {
    Surface s = platform::MakeSurface(list.Width(), list.Height(), 0xABCD);
    Compose(list, s, {0, 0, list.Width(), list.Height()});
    return s;
}

TEST(DrawList, EveryDensityKeepsTheSameCopiesAtItsOwnSize) {
    // Whole pictures are drawn only when they fit the table; a part of one (a font cell) is
    // cut at the edge. Both decisions come out the same at every density.
    for (int32_t k = 1; k <= 3; ++k) {
        SCOPED_TRACE(k);
        const Scene scene(k);
        DrawList list;
        scene.List(list, {{0, 10, 20}, {1, 700, 20}, {2, -1, 300}, {3, 692, 449}, {4, 692, 450}});
        ASSERT_EQ(list.Items().size(), 3u);  // felt, the card at (10, 20), the one at (692, 449)
        EXPECT_EQ(list.Items()[1].Where.X, 10 * k);
        EXPECT_EQ(list.Items()[2].Where.Target().Right, 800 * k);
        EXPECT_EQ(list.Items()[2].Where.Target().Bottom, 600 * k);
        list.Add(scene.Cards[5], {0, 0, 50, 50}, 780, -10, true);  // a part: cut to the table
        ASSERT_EQ(list.Items().size(), 4u);
        EXPECT_EQ(list.Items()[3].Where.Target().Left, 780 * k);
        EXPECT_EQ(list.Items()[3].Where.Target().Top, 0);
        EXPECT_EQ(list.Items()[3].Where.Target().Right, 800 * k);
        EXPECT_EQ(list.Items()[3].Where.Target().Bottom, 40 * k);
        EXPECT_EQ(list.Width(), 800 * k);
        EXPECT_EQ(list.Height(), 600 * k);
    }
}

TEST(DrawList, ComposedInPiecesItIsTheWholePicture) {
    const Scene scene(2);
    DrawList list;
    scene.List(list, {{0, 10, 20}, {1, 60, 50}, {2, 100, 40}, {3, 500, 400}});
    const Surface whole = DrawnWhole(list);
    Surface pieces = platform::MakeSurface(1600, 1200, 0xABCD);
    // Strips of odd widths, cutting every card somewhere, keyed corners included.
    for (int32_t x = 0; x < 1600; x += 37)
        Compose(list, pieces, {x, 0, std::min(1600, x + 37), 1200});
    EXPECT_TRUE(pieces.Pixels == whole.Pixels);
}

TEST(FrameDamage, TheFirstFrameIsWholeAnUnchangedOneIsNothing) {
    const Scene scene(1);
    DrawList list;
    FrameDamage damage;
    scene.List(list, {{0, 10, 20}});
    ASSERT_EQ(damage.Update(list).size(), 1u);
    EXPECT_TRUE(damage.WholeFrame());
    scene.List(list, {{0, 10, 20}});
    EXPECT_TRUE(damage.Update(list).empty());
    EXPECT_FALSE(damage.WholeFrame());
    damage.Invalidate();
    scene.List(list, {{0, 10, 20}});
    EXPECT_TRUE(damage.Update(list).size() == 1u && damage.WholeFrame());
}

// Whether any rectangle of the list covers a point.
bool Covered(const std::vector<Rect>& rects, int32_t x, int32_t y) {
    for (const Rect& r : rects)
        if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) return true;
    return false;
}

TEST(FrameDamage, AMovedCardRedrawsWhereItWasAndWhereItIsOnly) {
    const Scene scene(2);
    DrawList list;
    FrameDamage damage;
    scene.List(list, {{0, 100, 100}, {1, 500, 300}});
    damage.Update(list);
    scene.List(list, {{0, 110, 104}, {1, 500, 300}});
    const std::vector<Rect> rects = damage.Update(list);
    EXPECT_FALSE(damage.WholeFrame());
    EXPECT_TRUE(Covered(rects, 2 * 100, 2 * 100));   // where it was
    EXPECT_TRUE(Covered(rects, 2 * 217, 2 * 254));   // where it is now
    EXPECT_FALSE(Covered(rects, 2 * 550, 2 * 350));  // the card that stayed
    EXPECT_FALSE(Covered(rects, 2 * 400, 2 * 50));   // the felt far away
    for (size_t i = 0; i < rects.size(); ++i)        // no pixel is drawn twice
        for (size_t j = i + 1; j < rects.size(); ++j)
            EXPECT_TRUE(platform::IsEmpty(platform::Intersect(rects[i], rects[j])));
}

TEST(FrameDamage, TwoCardsChangingPlacesInTheStackAreRedrawn) {
    // Nothing moved, but the card on top is another one: the overlap must be drawn again.
    const Scene scene(1);
    DrawList list;
    FrameDamage damage;
    scene.List(list, {{0, 100, 100}, {1, 150, 120}});
    damage.Update(list);
    scene.List(list, {{1, 150, 120}, {0, 100, 100}});
    const std::vector<Rect> rects = damage.Update(list);
    EXPECT_TRUE(Covered(rects, 180, 180));
    EXPECT_FALSE(Covered(rects, 600, 500));
}

TEST(FrameDamage, ChangesAllOverTheTableAreOneWholeRedraw) {
    const Scene scene(1);
    DrawList list;
    FrameDamage damage;
    std::vector<Placed> cards;
    for (int i = 0; i < 30; ++i)
        cards.push_back({i % 6, (i * 97) % 690, (i * 53) % 440});
    scene.List(list, cards);
    damage.Update(list);
    for (Placed& p : cards)
        p.X += 3;
    scene.List(list, cards);
    EXPECT_EQ(damage.Update(list).size(), 1u);
    EXPECT_TRUE(damage.WholeFrame());
}

// Random scenes, frame after frame: cards moving, appearing, vanishing and changing order,
// at each density, the back buffer kept only by redrawing the changed rectangles.
TEST(FrameDamage, RedrawingChangedPartsAlwaysGivesTheWholePicture) {
    for (int32_t k = 1; k <= 3; ++k) {
        SCOPED_TRACE(k);
        const Scene scene(k);
        std::mt19937 rng(uint32_t(17 + k));
        std::vector<Placed> cards;
        DrawList list;
        FrameDamage damage;
        Surface back = platform::MakeSurface(800 * k, 600 * k, 0);
        int partial = 0;
        for (int frame = 0; frame < 80; ++frame) {
            const int what = int(rng() % 10);
            if (what == 0 && cards.size() < 12) {
                cards.push_back({int(rng() % 6), int32_t(rng() % 720) - 10, int32_t(rng() % 480)});
            } else if (what == 1 && !cards.empty()) {
                cards.erase(cards.begin() + std::ptrdiff_t(rng() % cards.size()));
            } else if (what == 2 && cards.size() > 1) {
                std::swap(cards[rng() % cards.size()], cards[rng() % cards.size()]);
            } else if (!cards.empty()) {
                Placed& p = cards[rng() % cards.size()];
                p.X += int32_t(rng() % 21) - 10;
                p.Y += int32_t(rng() % 21) - 10;
            }
            scene.List(list, cards);
            const std::vector<Rect>& rects = damage.Update(list);
            partial += damage.WholeFrame() ? 0 : 1;
            for (const Rect& r : rects)
                Compose(list, back, r);
            ASSERT_TRUE(back.Pixels == DrawnWhole(list).Pixels) << "frame " << frame;
        }
        EXPECT_GT(partial, 60);  // and it did redraw in parts
    }
}

}  // namespace
}  // namespace tarrabel

// The pieces the card decks are made of: SVG decks rendered card by card, the card outline
// and selection frame, the jokers a deck lacks, and the contact sheet of a finished deck.
#pragma once

#include <cairo.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

typedef struct _RsvgHandle RsvgHandle;

namespace tarrabel::art {

struct SurfaceFree {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceFree>;

// A new transparent ARGB32 picture.
Surface NewSurface(int width, int height);

// The rounded outline of a card filling width x height pixels; the corners are quarter
// ellipses of rx x ry pixels, since the card art is stretched to the game's card size.
void CardOutlinePath(cairo_t* cr, double width, double height, double rx, double ry);

// An SVG card deck, loaded once; each card is one element of it, rendered by its own bounds.
class SvgDeck {
  public:
    // Loads the deck file (.svg or .svgz). `reference` is a plain card of the deck (its back):
    // its outline gives the size every card must have and the width of the outline's stroke.
    static std::unique_ptr<SvgDeck> Load(const std::string& path, const std::string& reference,
                                         std::string* error);

    // Changes the document's text before it is read (false with a message to give up).
    using Edit = std::function<bool(std::string* svg, std::string* error)>;
    // The same deck with its text changed by `edit` first: the same geometry, other colours.
    static std::unique_ptr<SvgDeck> LoadEdited(const std::string& path,
                                               const std::string& reference, const Edit& edit,
                                               std::string* error);
    ~SvgDeck();

    // Drawing added over a rendered card, in the deck's units with the origin at the card's
    // top-left outer corner; cardW x cardH is the card's outer size in those units.
    using Overlay = std::function<void(cairo_t* cr, double cardW, double cardH)>;

    // Renders element `id` so that the card's outer edge fills exactly width x height, clipped
    // to the card outline with corner radius `radius` (in the deck's units, to the middle of
    // the outline's stroke), then draws `overlay` if given. Answers null with a message.
    Surface Render(const std::string& id, int width, int height, double radius, std::string* error,
                   const Overlay& overlay = nullptr) const;

    // Pixels per deck unit across and down when a card fills width x height.
    double ScaleX(int width) const { return width / cardW_; }
    double ScaleY(int height) const { return height / cardH_; }
    // Half the width of the card outline's stroke, in deck units.
    double Margin() const { return margin_; }

  private:
    SvgDeck() = default;
    static std::unique_ptr<SvgDeck> Measured(RsvgHandle* handle, const std::string& path,
                                             const std::string& reference, std::string* error);
    RsvgHandle* handle_ = nullptr;
    double cardW_ = 0, cardH_ = 0;  // outer size of a card, stroke included
    double margin_ = 0;
};

// The blue selection frame: a band along the inside of the card outline, the rest clear.
// width, height, rx and ry in pixels; the band's lines are `density` times their 1x width.
Surface DrawFrame(int width, int height, double rx, double ry, int density);

// Drawn over a blank card of the plain "Standard" deck: a joker in its manner, the word
// JOKER down the top-left and bottom-right corners and a jester's cap in the middle, red or
// black. In that deck's units (a card of 71 x 96).
void DrawPlainJoker(cairo_t* cr, double cardW, double cardH, bool red);

// Drawn over a joker whose corners are blank: a star where a card's index stands, at the
// top left and (turned round) the bottom right, red or black, `size` units across.
void DrawJokerCornerStars(cairo_t* cr, double cardW, double cardH, double inset, double size,
                          bool red);

// Tints the dark parts of a picture red (white stays white, alpha is kept), inside the
// rectangle x, y, w, h: makes a black-and-white joker the red joker.
void Redden(cairo_surface_t* picture, int x, int y, int w, int h);

// Drawn over the "Tigullio International" red back: the red panel again with a white
// lattice, hiding the desktop emblem in its middle, and the deck's sheen over it.
void DrawLatticeBackPanel(cairo_t* cr, double cardW, double cardH);

// One deck's contact sheet: the 52 faces in four rows of 13 (clubs, diamonds, hearts,
// spades; Ace to King), then the jokers, the back and the frame, read back from the BMP
// files in `deckDir` and laid on green felt, drawn at `scale`, written as a PNG.
bool WriteContactSheet(const std::string& deckDir, const std::vector<std::string>& faces,
                       const std::vector<std::string>& extras, int cardW, int cardH, double scale,
                       const std::string& pngPath, std::string* error);

}  // namespace tarrabel::art

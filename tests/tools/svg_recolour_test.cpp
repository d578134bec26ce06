// The art tool's recolouring of a suit in a deck's SVG text (the four-colour suits): the
// element an id names is found whole, the ink changes inside it and nowhere else, and a deck
// the changes do not fit is refused rather than drawn with a card in its old ink.
#include "makeart/svg_recolour.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

namespace tarrabel::test {
namespace {

using art::FindElement;
using art::InkChange;
using art::RecolourSuit;

TEST(SvgRecolour, AnElementIsFoundFromItsTagToItsEnd) {
    const std::string svg =
        "<svg>\n"
        "<!-- <g id=\"inside\"> in a comment is no element -->\n"
        "<g id=\"outer\" title=\"a > b\">\n"
        "  <g id=\"inner\"><path id=\"leaf\" d=\"M 0 0\"/></g>\n"
        "  <![CDATA[ </g> ]]>\n"
        "  <use xlink:href=\"#leaf\"/>\n"
        "</g>\n"
        "<g inkscape:label=\"#twice\" id=\"twice\"/><rect id=\"twice\"/>\n"
        "<path xml:id=\"only-xml\"/>\n"
        "</svg>\n";
    struct Case {
        const char* id;
        const char* element;  // null: not found
    };
    const Case cases[] = {
        {"leaf", "<path id=\"leaf\" d=\"M 0 0\"/>"},
        {"inner", "<g id=\"inner\"><path id=\"leaf\" d=\"M 0 0\"/></g>"},
        {"outer",
         "<g id=\"outer\" title=\"a > b\">\n"
         "  <g id=\"inner\"><path id=\"leaf\" d=\"M 0 0\"/></g>\n"
         "  <![CDATA[ </g> ]]>\n"
         "  <use xlink:href=\"#leaf\"/>\n"
         "</g>"},
        {"inside", nullptr},
        {"twice", nullptr},
        {"only-xml", nullptr},
        {"lea", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        size_t begin = 0, end = 0;
        const bool found = FindElement(svg, c.id, &begin, &end);
        ASSERT_EQ(found, c.element != nullptr);
        if (found) {
            EXPECT_EQ(svg.substr(begin, end - begin), c.element);
        }
    }
    size_t begin = 0, end = 0;
    EXPECT_FALSE(FindElement("<g id=\"open\"><path/>", "open", &begin, &end)) << "never closed";
}

// A small deck: the club sign and thirteen club cards (each with its index) in `ink`, and a
// card outline and a spade card written the same way in black, which must keep it.
std::string SmallDeck(const std::string& ink = "black", const std::string& dropIndexOf = "") {
    std::string svg = "<svg>\n<path id=\"club\" style=\"fill:" + ink + "\"/>\n";
    for (const char* rank : art::kSvgRankIds) {
        const std::string card = std::string(rank) + "_club";
        svg += "<g id=\"" + card + "\"><use xlink:href=\"#outline\"/>";
        if (card != dropIndexOf) svg += "<use style=\"fill:" + ink + "\" xlink:href=\"#i-x\"/>";
        svg += "<use xlink:href=\"#club\"/></g>\n";
    }
    svg += "<g id=\"5_spade\"><use style=\"fill:black\" xlink:href=\"#i-5\"/></g>\n";
    svg += "<rect id=\"outline\" style=\"fill:white;stroke:black\"/>\n</svg>\n";
    return svg;
}

const InkChange kClubs[] = {
    {"club", "fill:black", "fill:%"},
    {"%", "style=\"fill:black\"", "style=\"fill:%\""},
};

TEST(SvgRecolour, TheSuitsInkChangesInItsElementsAlone) {
    std::string svg = SmallDeck();
    std::string error;
    ASSERT_TRUE(RecolourSuit(&svg, kClubs, "club", "#1a7f2e", &error)) << error;
    EXPECT_EQ(svg, SmallDeck("#1a7f2e"));
}

TEST(SvgRecolour, ADeckTheChangesDoNotFitIsRefused) {
    struct Case {
        const char* name;
        std::string svg;
        std::vector<InkChange> changes;
        const char* named;  // in the message
    };
    const Case cases[] = {
        {"a card without its index", SmallDeck("black", "queen_club"),
         std::vector<InkChange>(std::begin(kClubs), std::end(kClubs)), "queen_club"},
        {"a sign the deck lacks", SmallDeck(), {{"clover", "fill:black", "fill:%"}}, "clover"},
        {"an ink the sign lacks", SmallDeck(), {{"club", "fill:#000000", "fill:%"}}, "#000000"},
        {"the cards untouched", SmallDeck(), {{"club", "fill:black", "fill:%"}}, "1_club"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string svg = c.svg;
        std::string error;
        EXPECT_FALSE(RecolourSuit(&svg, c.changes, "club", "#1a7f2e", &error));
        EXPECT_NE(error.find(c.named), std::string::npos) << error;
    }
}

}  // namespace
}  // namespace tarrabel::test

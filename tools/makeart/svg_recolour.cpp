#include "svg_recolour.h"

namespace tarrabel::art {

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Just past the ">" that closes the tag opened at `at`, quoted attribute values skipped;
// npos when it never closes.
size_t TagEnd(std::string_view svg, size_t at) {
    char quote = 0;
    for (size_t i = at + 1; i < svg.size(); ++i) {
        const char c = svg[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return i + 1;
        }
    }
    return std::string_view::npos;
}

// Just past the end of a comment, CDATA section or processing instruction opened at `at`.
size_t SkipUntil(std::string_view svg, size_t at, std::string_view close) {
    const size_t found = svg.find(close, at);
    return found == std::string_view::npos ? found : found + close.size();
}

// Whether `at` lies inside a comment, where an element mentioned is none.
bool InComment(std::string_view svg, size_t at) {
    const size_t open = svg.rfind("<!--", at);
    if (open == std::string_view::npos) return false;
    const size_t close = svg.find("-->", open + 4);
    return close == std::string_view::npos || close > at;
}

std::string Expand(std::string_view pattern, std::string_view with) {
    std::string out;
    for (char c : pattern) {
        if (c == '%')
            out += with;
        else
            out += c;
    }
    return out;
}

}  // namespace

bool FindElement(std::string_view svg, std::string_view id, size_t* begin, size_t* end) {
    const std::string attribute = "id=\"" + std::string(id) + "\"";
    size_t found = std::string_view::npos;
    for (size_t at = svg.find(attribute); at != std::string_view::npos;
         at = svg.find(attribute, at + 1)) {
        if (at == 0 || !IsSpace(svg[at - 1])) continue;  // "xml:id=", "inkscape:id=" ...
        if (InComment(svg, at)) continue;
        if (found != std::string_view::npos) return false;
        found = at;
    }
    if (found == std::string_view::npos) return false;
    const size_t start = svg.rfind('<', found);
    if (start == std::string_view::npos) return false;
    // Counts the elements opened and closed from the element's own tag on.
    int depth = 0;
    for (size_t at = start; at < svg.size();) {
        at = svg.find('<', at);
        if (at == std::string_view::npos) return false;
        const std::string_view rest = svg.substr(at);
        size_t next;
        if (rest.substr(0, 4) == "<!--") {
            next = SkipUntil(svg, at + 4, "-->");
        } else if (rest.substr(0, 9) == "<![CDATA[") {
            next = SkipUntil(svg, at + 9, "]]>");
        } else if (rest.substr(0, 2) == "<?" || rest.substr(0, 2) == "<!") {
            next = SkipUntil(svg, at + 2, ">");
        } else {
            next = TagEnd(svg, at);
            if (next == std::string_view::npos) return false;
            if (rest.substr(0, 2) == "</")
                --depth;
            else if (svg[next - 2] != '/')
                ++depth;
            if (depth == 0) {
                *begin = start;
                *end = next;
                return true;
            }
        }
        if (next == std::string_view::npos) return false;
        at = next;
    }
    return false;
}

bool RecolourSuit(std::string* svg, std::span<const InkChange> changes, std::string_view suit,
                  std::string_view ink, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = "the " + std::string(suit) + "s' ink: " + why;
        return false;
    };
    bool cardChanged[13] = {};
    for (const InkChange& change : changes) {
        const std::string from = change.From, to = Expand(change.To, ink);
        const bool perCard = std::string_view(change.Scope) == "%";
        int changed = 0;
        for (int card = 0; card < (perCard ? 13 : 1); ++card) {
            const std::string scope =
                perCard ? std::string(kSvgRankIds[card]) + "_" + std::string(suit) : change.Scope;
            size_t begin = 0, end = 0;
            if (!FindElement(*svg, scope, &begin, &end))
                return fail("no single element \"" + scope + "\" in the deck");
            for (size_t at = svg->find(from, begin); at != std::string::npos && at < end;
                 at = svg->find(from, at + to.size())) {
                svg->replace(at, from.size(), to);
                end = end + to.size() - from.size();
                ++changed;
                if (perCard) cardChanged[card] = true;
            }
        }
        if (changed == 0) {
            // Built by appending: g++ 12 warns falsely (-Wrestrict) about "\"" + std::string.
            std::string where = perCard ? "its cards" : "element ";
            if (!perCard) where += change.Scope;
            return fail("\"" + from + "\" is nowhere in " + where);
        }
    }
    for (int card = 0; card < 13; ++card) {
        if (!cardChanged[card])
            return fail("card \"" + std::string(kSvgRankIds[card]) + "_" + std::string(suit) +
                        "\" is left as it was");
    }
    return true;
}

}  // namespace tarrabel::art

#include "persist/settings_file.h"

#include <array>
#include <charconv>
#include <span>

namespace tarrabel {
namespace {

// Longer lines are no one's settings: a damaged or foreign file.
constexpr size_t kLongestLine = 1024;

enum class Key { Game, Deck, Level, SlowAnimation, Windowed, FourColourSuits, ShowHands, Window };
constexpr std::array<std::string_view, 8> kKeyNames = {
    "game",       "deck",  "level", "slow_animation", "windowed", "four_colour_suits",
    "show_hands", "window"};

constexpr int32_t kSmallestWindow = 100;
constexpr int32_t kLargestWindow = 16384;
constexpr int32_t kFarthestWindow = 32768;  // from the desktop's corner, either way

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// Control characters other than the tab (a NUL, an escape sequence, a stray carriage
// return) mean binary text, which a person cannot have meant.
bool HoldsControlBytes(std::string_view line) {
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && byte != '\t') || byte == 0x7F) return true;
    }
    return false;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        int more = 0;
        uint32_t code = 0, least = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            more = 1, code = lead & 0x1F, least = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            more = 2, code = lead & 0x0F, least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            more = 3, code = lead & 0x07, least = 0x10000;
        } else {
            return false;
        }
        if (text.size() - i <= size_t(more)) return false;
        for (int k = 1; k <= more; ++k) {
            const auto next = static_cast<unsigned char>(text[i + size_t(k)]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += size_t(more) + 1;
    }
    return true;
}

// The index of the name the value spells, in any case; -1 when none.
template <typename Names>
int IndexOf(const Names& names, std::string_view value) {
    for (size_t i = 0; i < std::size(names); ++i)
        if (SameLetters(names[i], value)) return int(i);
    return -1;
}

std::optional<bool> YesOrNo(std::string_view value) {
    constexpr std::string_view kYes[] = {"yes", "true", "on", "1"};
    constexpr std::string_view kNo[] = {"no", "false", "off", "0"};
    if (IndexOf(kYes, value) >= 0) return true;
    if (IndexOf(kNo, value) >= 0) return false;
    return std::nullopt;
}

// Takes a number, with a '-' in front when allowed, off the front of the text. The digits
// are few enough that no number overflows before the range check.
std::optional<int32_t> TakeNumber(std::string_view* text, bool mayBeNegative) {
    bool negative = false;
    if (mayBeNegative && !text->empty() && text->front() == '-') {
        negative = true;
        text->remove_prefix(1);
    }
    size_t digits = 0;
    while (digits < text->size() && (*text)[digits] >= '0' && (*text)[digits] <= '9')
        ++digits;
    if (digits == 0 || digits > 6) return std::nullopt;
    int32_t n = 0;
    std::from_chars(text->data(), text->data() + digits, n);
    text->remove_prefix(digits);
    return negative ? -n : n;
}

bool Take(std::string_view* text, char c) {
    if (text->empty() || Lower(text->front()) != c) return false;
    text->remove_prefix(1);
    return true;
}

// WIDTHxHEIGHT+X+Y, the way X11 writes a window's geometry, except that a window left of
// or above the desktop's corner is written with its '-' after the '+'.
std::optional<WindowPlace> ParseWindow(std::string_view value) {
    WindowPlace place;
    std::optional<int32_t> width = TakeNumber(&value, false);
    if (!width || !Take(&value, 'x')) return std::nullopt;
    std::optional<int32_t> height = TakeNumber(&value, false);
    if (!height || !Take(&value, '+')) return std::nullopt;
    std::optional<int32_t> x = TakeNumber(&value, true);
    if (!x || !Take(&value, '+')) return std::nullopt;
    std::optional<int32_t> y = TakeNumber(&value, true);
    if (!y || !value.empty()) return std::nullopt;
    const auto sizeFits = [](int32_t n) { return n >= kSmallestWindow && n <= kLargestWindow; };
    const auto placeFits = [](int32_t n) { return n >= -kFarthestWindow && n <= kFarthestWindow; };
    if (!sizeFits(*width) || !sizeFits(*height) || !placeFits(*x) || !placeFits(*y))
        return std::nullopt;
    place.Width = *width;
    place.Height = *height;
    place.X = *x;
    place.Y = *y;
    return place;
}

// Sets the key's setting from the value; false, with why, when the game does not know it.
bool SetFromValue(Settings& s, Key key, std::string_view value, std::string* why) {
    switch (key) {
        case Key::Game: {
            const int i = IndexOf(kVariantNames, value);
            if (i < 0) {
                *why = "unknown game";
                return false;
            }
            s.Variant = GameVariant(i);
            return true;
        }
        case Key::Deck: {
            const int i = IndexOf(kDeckNames, value);
            if (i < 0) {
                *why = "unknown deck (Royal, Roya2 or Roya3)";
                return false;
            }
            s.Deck = kDeckNames[i];
            return true;
        }
        case Key::Level: {
            const int i = IndexOf(kAiLevelNames, value);
            if (i < 0) {
                *why = "unknown computer level (Easy, Standard or Expert)";
                return false;
            }
            s.Level = AiLevel(i);
            return true;
        }
        case Key::SlowAnimation:
        case Key::Windowed:
        case Key::FourColourSuits:
        case Key::ShowHands: {
            const std::optional<bool> yes = YesOrNo(value);
            if (!yes) {
                *why = "the value is neither yes nor no";
                return false;
            }
            bool& setting = key == Key::SlowAnimation     ? s.SlowAnimation
                            : key == Key::Windowed        ? s.Windowed
                            : key == Key::FourColourSuits ? s.FourColourSuits
                                                          : s.ShowHands;
            setting = *yes;
            return true;
        }
        case Key::Window: {
            const std::optional<WindowPlace> place = ParseWindow(value);
            if (!place) {
                *why = "the window is not WIDTHxHEIGHT+X+Y within the desktop's bounds";
                return false;
            }
            s.Window = place;
            return true;
        }
    }
    return false;
}

std::string YesNo(bool b) {
    return b ? "yes" : "no";
}

}  // namespace

Settings ParseSettings(std::string_view text, const SettingsWarning& warn) {
    Settings s;
    const auto report = [&warn](int line, std::string_view why) {
        if (warn) warn(line, why);
    };
    // An editor may have put a byte order mark in front of the first line.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());

    std::array<int, kKeyNames.size()> givenOnLine{};  // 0: not given yet
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);  // written on Windows

        if (line.size() > kLongestLine) {
            report(lineNumber, "the line is longer than 1024 bytes");
            continue;
        }
        if (HoldsControlBytes(line)) {
            report(lineNumber, "the line holds control or binary bytes");
            continue;
        }
        if (!IsUtf8(line)) {
            report(lineNumber, "the line is not UTF-8 text");
            continue;
        }
        line = Trimmed(line);
        if (line.empty() || line.front() == '#' || line.front() == ';') continue;
        // The settings are one list; a [section] a person added changes nothing.
        if (line.front() == '[' && line.back() == ']') continue;

        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            report(lineNumber, "the line has no '='");
            continue;
        }
        const std::string_view name = Trimmed(line.substr(0, equals));
        const std::string_view value = Trimmed(line.substr(equals + 1));
        if (name.empty()) {
            report(lineNumber, "the line has no key before '='");
            continue;
        }
        const int keyIndex = IndexOf(kKeyNames, name);
        if (keyIndex < 0) {
            report(lineNumber, "unknown key '" + std::string(name) + "'");
            continue;
        }
        if (givenOnLine[size_t(keyIndex)] != 0) {
            report(lineNumber, "the key '" + std::string(kKeyNames[size_t(keyIndex)]) +
                                   "' was given before, on line " +
                                   std::to_string(givenOnLine[size_t(keyIndex)]));
            continue;
        }
        givenOnLine[size_t(keyIndex)] = lineNumber;
        std::string why;
        if (!SetFromValue(s, Key(keyIndex), value, &why))
            report(lineNumber, why + ": '" + std::string(value) + "'");
    }
    return s;
}

std::string FormatSettings(const Settings& s) {
    std::string text = "# Tarrabel remembers the options of the last start here.\n";
    const auto add = [&text](Key key, std::string_view value) {
        text += kKeyNames[size_t(key)];
        text += '=';
        text += value;
        text += '\n';
    };
    add(Key::Game, VariantName(s.Variant));
    add(Key::Deck, s.Deck);
    add(Key::Level, AiLevelName(s.Level));
    add(Key::SlowAnimation, YesNo(s.SlowAnimation));
    add(Key::Windowed, YesNo(s.Windowed));
    add(Key::FourColourSuits, YesNo(s.FourColourSuits));
    add(Key::ShowHands, YesNo(s.ShowHands));
    if (s.Window)
        add(Key::Window, std::to_string(s.Window->Width) + "x" + std::to_string(s.Window->Height) +
                             "+" + std::to_string(s.Window->X) + "+" + std::to_string(s.Window->Y));
    return text;
}

}  // namespace tarrabel

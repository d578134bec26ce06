#include "app/remembered_options.h"

#include <cstdio>

#include "persist/atomic_file.h"

namespace tarrabel {

Settings ReadSettings(const std::filesystem::path& folder) {
    const std::filesystem::path file = folder / kSettingsFileName;
    std::string text;
    if (ReadFileOrBackup(
            file, &text, [](const std::string&) { return true; }, 1u << 20) == ReadFrom::Nothing)
        return Settings{};
    return ParseSettings(text, [&file](int line, std::string_view why) {
        std::fprintf(stderr, "tarrabel: %s:%d: %.*s; the line is ignored\n", file.c_str(), line,
                     int(why.size()), why.data());
    });
}

bool WriteSettings(const std::filesystem::path& folder, const Settings& s, std::string* error) {
    return WriteFileWhole(folder / kSettingsFileName, FormatSettings(s), error);
}

GameOptions OptionsOf(const Settings& s) {
    GameOptions o = DefaultOptions(s.Variant);
    o.DeckName = s.Deck;
    o.ComputerLevel = s.Level;
    o.SlowAnimation = s.SlowAnimation;
    o.FourColourSuits = s.FourColourSuits;
    o.ShowHandsAtDealEnd = s.ShowHands;
    o.FullScreen = !s.Windowed;
    return o;
}

void RememberOptions(Settings* s, const GameOptions& o) {
    s->Variant = o.Variant;
    s->Deck = o.DeckName;
    s->Level = o.ComputerLevel;
    s->SlowAnimation = o.SlowAnimation;
    s->FourColourSuits = o.FourColourSuits;
    s->ShowHands = o.ShowHandsAtDealEnd;
    s->Windowed = !o.FullScreen;
}

namespace {

std::string DealsScored(const KeptMatch& k) {
    if (k.DealsScored == 0) return "first deal";
    return std::to_string(k.DealsScored) + (k.DealsScored == 1 ? " deal" : " deals");
}

}  // namespace

std::string ResumeLabel(const KeptMatch& k) {
    std::string label = "Unfinished: " + std::string(VariantName(k.Options.Variant)) + " against " +
                        std::string(AiLevelName(k.Options.ComputerLevel)) + " players, " +
                        DealsScored(k);
    if (k.DealsScored > 0) label += ", you " + std::to_string(k.Totals[kHuman]);
    return label;
}

std::string ResumeShortLabel(const KeptMatch& k) {
    return "Unfinished: " + std::string(VariantName(k.Options.Variant)) + ", " + DealsScored(k);
}

}  // namespace tarrabel

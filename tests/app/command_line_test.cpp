// The game's command line: what each accepted line sets, and the lines refused (main prints
// the usage line for them and ends with status 2).
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <string>
#include <vector>

#include "app/dialog_texts.h"

namespace tarrabel::test {
namespace {

struct Accepted {
    const char* name;
    std::vector<std::string> args;
    std::optional<AiLevel> level;
    std::optional<GameVariant> variant;
    std::optional<uint64_t> seed;
    bool windowed;
};

const Accepted kAccepted[] = {
    {"nothing", {}, std::nullopt, std::nullopt, std::nullopt, false},
    {"--ai expert", {"--ai", "expert"}, AiLevel::Expert, std::nullopt, std::nullopt, false},
    {"--ai standard", {"--ai", "standard"}, AiLevel::Standard, std::nullopt, std::nullopt, false},
    {"--ai easy", {"--ai", "easy"}, AiLevel::Easy, std::nullopt, std::nullopt, false},
    {"--ai easy among the others",
     {"--seed", "3", "--ai", "easy", "--variant", "1"},
     AiLevel::Easy,
     GameVariant::HuitAmericain,
     3,
     false},
    {"--ai among the others",
     {"--windowed", "--variant", "2", "--ai", "expert", "--seed", "7"},
     AiLevel::Expert,
     GameVariant::Agonia,
     7,
     true},
    {"--ai after --variant",
     {"--variant", "4", "--ai", "standard"},
     AiLevel::Standard,
     GameVariant::PisYedili,
     std::nullopt,
     false},
    // As with the other options, the last one given counts.
    {"--ai twice",
     {"--ai", "expert", "--ai", "standard"},
     AiLevel::Standard,
     std::nullopt,
     std::nullopt,
     false},
};

TEST(CommandLine, AcceptedLinesSetWhatTheyName) {
    for (const Accepted& c : kAccepted) {
        SCOPED_TRACE(c.name);
        CommandLine cl;
        std::string error;
        ASSERT_TRUE(ParseCommandLine(c.args, &cl, &error)) << error;
        EXPECT_EQ(cl.ComputerLevel, c.level);
        EXPECT_EQ(cl.Variant, c.variant);
        EXPECT_EQ(cl.Seed, c.seed);
        EXPECT_EQ(cl.Windowed, c.windowed);
        EXPECT_FALSE(cl.Help);
    }
}

struct Refused {
    std::vector<std::string> args;
    const char* blamed;  // the option the message names
};

const Refused kRefused[] = {
    {{"--ai"}, "--ai"},
    {{"--ai", "EXPERT"}, "--ai"},
    {{"--ai", "Expert"}, "--ai"},
    {{"--ai", "Easy"}, "--ai"},
    {{"--ai", "easier"}, "--ai"},
    {{"--ai", "foo"}, "--ai"},
    {{"--ai", ""}, "--ai"},
    {{"--ai", "expert2"}, "--ai"},
    // The next option is not a level: --ai takes it as its value and refuses it.
    {{"--ai", "--windowed"}, "--ai"},
    {{"--windowed", "--ai"}, "--ai"},
    {{"--ai", "expert", "--variant", "9"}, "--variant"},
};

TEST(CommandLine, RefusedLinesNameTheOptionAndLeaveTheResultAlone) {
    for (const Refused& c : kRefused) {
        std::string line;
        for (const std::string& a : c.args)
            line += "'" + a + "' ";
        SCOPED_TRACE(line);
        CommandLine cl;
        cl.Seed = 99;  // a stale value that a refused line must not overwrite
        std::string error;
        EXPECT_FALSE(ParseCommandLine(c.args, &cl, &error));
        EXPECT_NE(error.find(c.blamed), std::string::npos) << error;
        EXPECT_EQ(cl.Seed, std::optional<uint64_t>(99));
        EXPECT_FALSE(cl.ComputerLevel.has_value());
    }
}

// Whoever reads the help, the usage line or the dialog's Keys page learns every level the
// command line takes.
TEST(CommandLine, TheHelpAndTheKeysPageNameEveryLevel) {
    std::string keys;
    for (const dialog::TextSection& section : dialog::kKeysSections)
        keys += std::string(section.Body);
    for (std::string_view name : kAiLevelNames) {
        std::string level(name);
        for (char& c : level)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        SCOPED_TRACE(level);
        CommandLine cl;
        ASSERT_TRUE(ParseCommandLine({"--ai", level}, &cl, nullptr));
        EXPECT_NE(CommandLineUsage().find(level), std::string::npos);
        EXPECT_NE(CommandLineHelp().find(level), std::string::npos);
        EXPECT_NE(keys.find(level), std::string::npos);
    }
    EXPECT_NE(CommandLineUsage().find("--ai easy|standard|expert"), std::string::npos);
    EXPECT_NE(keys.find("--ai easy|standard|expert"), std::string::npos);
}

// The four-colour suits are asked for by one word, spelt as the game spells it, among the
// other options or alone; the help, the usage line and the Keys page all name it.
TEST(CommandLine, FourColourSuitsAreAskedForByName) {
    struct Case {
        std::vector<std::string> args;
        bool accepted, fourColour;
    };
    const Case cases[] = {
        {{}, true, false},
        {{"--four-colour"}, true, true},
        {{"--windowed", "--four-colour", "--variant", "2"}, true, true},
        {{"--four-colour", "--four-colour"}, true, true},
        {{"--four-color"}, false, false},
        {{"--four-colour", "yes"}, false, false},
    };
    for (const Case& c : cases) {
        std::string line;
        for (const std::string& a : c.args)
            line += "'" + a + "' ";
        SCOPED_TRACE(line);
        CommandLine cl;
        std::string error;
        EXPECT_EQ(ParseCommandLine(c.args, &cl, &error), c.accepted) << error;
        EXPECT_EQ(cl.FourColour, c.fourColour);
    }
    std::string keys;
    for (const dialog::TextSection& section : dialog::kKeysSections)
        keys += std::string(section.Body);
    EXPECT_NE(CommandLineUsage().find("[--four-colour]"), std::string::npos);
    EXPECT_NE(CommandLineHelp().find("--four-colour"), std::string::npos);
    EXPECT_NE(keys.find("--four-colour"), std::string::npos);
}

}  // namespace
}  // namespace tarrabel::test

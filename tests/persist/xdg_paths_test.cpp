// Where the settings and the statistics go: the XDG variables when they name a folder, the
// folders under HOME when they are unset, empty or relative, and nowhere when HOME is gone
// too.
#include "persist/xdg_paths.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <array>
#include <optional>
#include <string>

namespace tarrabel {
namespace {

constexpr std::array<const char*, 3> kVariables = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"};

// Puts the environment back as the test found it.
class XdgPathsTest : public testing::Test {
  protected:
    void SetUp() override {
        for (size_t i = 0; i < kVariables.size(); ++i)
            if (const char* value = ::getenv(kVariables[i])) saved_[i] = value;
    }
    void TearDown() override {
        for (size_t i = 0; i < kVariables.size(); ++i)
            Set(kVariables[i], saved_[i]);
    }
    static void Set(const char* name, const std::optional<std::string>& value) {
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }

  private:
    std::array<std::optional<std::string>, kVariables.size()> saved_;
};

struct XdgCase {
    const char* Name;
    std::optional<std::string> Home, ConfigHome, DataHome;
    std::optional<std::string> Config, Data;  // the folders expected
};

const XdgCase kCases[] = {
    {"BothVariablesSet", "/home/ann", "/etc/ann-config", "/srv/ann-data",
     "/etc/ann-config/tarrabel", "/srv/ann-data/tarrabel"},
    {"VariablesUnset", "/home/ann", std::nullopt, std::nullopt, "/home/ann/.config/tarrabel",
     "/home/ann/.local/share/tarrabel"},
    {"VariablesEmpty", "/home/ann", "", "", "/home/ann/.config/tarrabel",
     "/home/ann/.local/share/tarrabel"},
    {"RelativeVariablesAreIgnored", "/home/ann", "config", "./data", "/home/ann/.config/tarrabel",
     "/home/ann/.local/share/tarrabel"},
    {"OneSetOneNot", "/home/ann", std::nullopt, "/data", "/home/ann/.config/tarrabel",
     "/data/tarrabel"},
    {"NoHomeButVariables", std::nullopt, "/c", "/d", "/c/tarrabel", "/d/tarrabel"},
    {"NoHomeNoVariables", std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt},
    {"EmptyHomeIsNoHome", "", "relative", std::nullopt, std::nullopt, std::nullopt},
};

TEST_F(XdgPathsTest, FoldersFollowTheVariables) {
    for (const XdgCase& c : kCases) {
        SCOPED_TRACE(c.Name);
        Set("HOME", c.Home);
        Set("XDG_CONFIG_HOME", c.ConfigHome);
        Set("XDG_DATA_HOME", c.DataHome);
        const std::optional<std::filesystem::path> config = ConfigFolder();
        const std::optional<std::filesystem::path> data = DataFolder();
        EXPECT_EQ(config ? std::optional(config->string()) : std::nullopt, c.Config);
        EXPECT_EQ(data ? std::optional(data->string()) : std::nullopt, c.Data);
    }
}

}  // namespace
}  // namespace tarrabel

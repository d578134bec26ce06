// Where the game takes its resources from: beside the executable first (the build folder,
// a game unpacked into one folder), then the installed data folder.
#include "resources/archive_location.h"

#include <gtest/gtest.h>

#include "resources/pak_fixture.h"

namespace tarrabel::test {
namespace {

// What an installed prefix holds, by path relative to it. "bin" is the executable's folder,
// "share/tarrabel" the data folder.
struct LookupCase {
    const char* name;
    std::vector<const char*> files;    // plain files
    std::vector<const char*> folders;  // empty folders
    const char* pakFileName;
    const char* installedData;
    const char* expected;  // relative to the prefix
};

const LookupCase kLookups[] = {
    {"BuildFolderArchiveBesideTheExecutable",
     {"bin/res134.pak"},
     {},
     "res134.pak",
     "../share/tarrabel",
     "bin"},
    {"InstalledArchiveInTheDataFolder",
     {"share/tarrabel/res134.pak"},
     {},
     "res134.pak",
     "../share/tarrabel",
     "share/tarrabel"},
    {"BesideTheExecutableWinsOverTheDataFolder",
     {"bin/res134.pak", "share/tarrabel/res134.pak"},
     {},
     "res134.pak",
     "../share/tarrabel",
     "bin"},
    {"NoArchiveAnywhereNamesThePlaceBesideTheExecutable",
     {},
     {"share/tarrabel"},
     "res134.pak",
     "../share/tarrabel",
     "bin"},
    {"ATreeLeftBesideTheExecutableIsUsed",
     {"bin/res/Sounds/CARD_FLIP.WAV", "share/tarrabel/res134.pak"},
     {},
     "res134.pak",
     "../share/tarrabel",
     "bin"},
    {"ATreeLeftInTheDataFolderIsUsed",
     {"share/tarrabel/res/Sounds/CARD_FLIP.WAV"},
     {},
     "res134.pak",
     "../share/tarrabel",
     "share/tarrabel"},
    {"AnIncompleteTreeBesideTheExecutableDoesNotCount",
     {"share/tarrabel/res134.pak"},
     {"bin/res/Sounds"},
     "res134.pak",
     "../share/tarrabel",
     "share/tarrabel"},
    {"AFolderNamedLikeTheArchiveIsNoArchive",
     {"share/tarrabel/res134.pak"},
     {"bin/res134.pak"},
     "res134.pak",
     "../share/tarrabel",
     "share/tarrabel"},
    {"TheArchiveIsLookedForByItsName",
     {"bin/res134.pak", "share/tarrabel/other.pak"},
     {},
     "other.pak",
     "../share/tarrabel",
     "share/tarrabel"},
    {"AnotherDataFolderLayout",
     {"lib/games/tarrabel/res134.pak"},
     {},
     "res134.pak",
     "../lib/games/tarrabel",
     "lib/games/tarrabel"},
    {"NoDataFolderMeansBesideTheExecutableOnly",
     {"share/tarrabel/res134.pak"},
     {},
     "res134.pak",
     "",
     "bin"},
};

class ArchiveLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(ArchiveLookup, FindsTheFolderInOrder) {
    const LookupCase& c = GetParam();
    TempFolder tmp;
    const fs::path prefix = tmp.Path() / "prefix";
    fs::create_directories(prefix / "bin");
    for (const char* file : c.files) {
        fs::create_directories((prefix / file).parent_path());
        WriteFile(prefix / file, Bytes("x"));
    }
    for (const char* folder : c.folders)
        fs::create_directories(prefix / folder);
    EXPECT_EQ(FindArchiveFolder(prefix / "bin", c.pakFileName, c.installedData),
              prefix / c.expected);
}

INSTANTIATE_TEST_SUITE_P(Layouts, ArchiveLookup, ::testing::ValuesIn(kLookups),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarrabel::test

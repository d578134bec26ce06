// The archive writer: what it writes reads back through PakArchive, byte for byte.
#include "resources/pak_writer.h"

#include <gtest/gtest.h>

#include <map>

#include "resources/pak_archive.h"
#include "resources/pak_fixture.h"
#include "resources/unpack.h"

namespace tarrabel::test {
namespace {

TEST(PakWriter, WritesTheLayoutTheReaderReads) {
    std::vector<uint8_t> all(256);
    for (int i = 0; i < 256; ++i)
        all[size_t(i)] = uint8_t(i);
    PakWriter w;
    ASSERT_TRUE(w.Add("Xounds_CARD_FLIP.WAV", all));
    ASSERT_TRUE(w.Add("dumm134", {}));
    ASSERT_TRUE(w.Add(std::string(56, 'n'), Bytes("last")));
    EXPECT_EQ(w.Bytes(), RawPak({{"Xounds_CARD_FLIP.WAV", all},
                                 {"dumm134", {}},
                                 {std::string(56, 'n'), Bytes("last")}}));

    TempFolder tmp;
    const fs::path p = tmp.Path() / "res134.pak";
    ASSERT_TRUE(w.Write(p.string()));
    PakArchive pak;
    ASSERT_TRUE(pak.Open(p.string()));
    ASSERT_EQ(pak.EntryCount(), 3);
    EXPECT_EQ(pak.EntryName(2), std::string(56, 'n'));
    ASSERT_TRUE(pak.SaveEntry(0, (tmp.Path() / "out").string()));
    EXPECT_EQ(ReadFile(tmp.Path() / "out"), all);
}

TEST(PakWriter, RefusesNamesThatDoNotFitTheField) {
    const std::string withNul("Xounds_a\0b", 10);
    for (const std::string& name : {std::string(), std::string(57, 'n'), withNul}) {
        PakWriter w;
        std::string error;
        EXPECT_FALSE(w.Add(name, {1}, &error)) << name;
        EXPECT_NE(error, "");
        EXPECT_EQ(w.Count(), 0u);
    }
}

TEST(PakWriter, AFailedWriteLeavesNothingAndASuccessfulOneReplacesTheOldArchive) {
    TempFolder tmp;
    PakWriter w;
    ASSERT_TRUE(w.Add("Xounds_a", Bytes("a")));
    std::string error;
    const fs::path nowhere = tmp.Path() / "missing" / "res134.pak";
    EXPECT_FALSE(w.Write(nowhere.string(), &error));
    EXPECT_NE(error.find(nowhere.string()), std::string::npos) << error;

    const fs::path p = tmp.Path() / "res134.pak";
    WriteFile(p, std::vector<uint8_t>(5000, 7));
    ASSERT_TRUE(w.Write(p.string()));
    EXPECT_EQ(ReadFile(p), w.Bytes());
    EXPECT_EQ(Listing(tmp.Path()), (std::set<std::string>{"res134.pak"}));
}

// A small art tree: a file or two in each of the seven folders.
void MakeArt(const fs::path& art) {
    for (const ResourceFolder& folder : kResourceFolders)
        fs::create_directories(art / folder.Name);
    WriteFile(art / "Sounds/CARD_FLIP.WAV", Bytes("flip"));
    WriteFile(art / "Sounds/SIGN1.WAV", Bytes("sign"));
    WriteFile(art / "fntFonts/fntDigit.bmp", Bytes("digits"));
    WriteFile(art / "Bitmaps/mouse.bmp", {0xFF, 0x00, 0x7F});
    WriteFile(art / "Numbers/PASS.BMP", Bytes("pass"));
    WriteFile(art / "Royal/S_cardback.bmp", Bytes("r1"));
    WriteFile(art / "Roya2/S_cardback.bmp", Bytes("r2"));
    WriteFile(art / "Roya3/FrameBlue.bmp", {});
}

TEST(PackArt, TheGameUnpacksWhatWasPackedAndTheArchiveIsTheSameEveryTime) {
    TempFolder tmp;
    const fs::path art = tmp.Path() / "art";
    MakeArt(art);
    PakWriter first, second;
    std::string error;
    ASSERT_TRUE(PackArt(art, &first, &error)) << error;
    ASSERT_TRUE(PackArt(art, &second, &error)) << error;
    EXPECT_EQ(first.Bytes(), second.Bytes());

    const fs::path app = tmp.Path() / "app";
    fs::create_directory(app);
    ASSERT_TRUE(first.Write((app / "res134.pak").string(), &error)) << error;
    PakArchive pak;
    ASSERT_TRUE(pak.Open((app / "res134.pak").string()));
    std::vector<std::string> names;
    for (int32_t i = 0; i < pak.EntryCount(); ++i)
        names.push_back(pak.EntryName(i).c_str());
    EXPECT_EQ(names, (std::vector<std::string>{
                         "Xitmaps_mouse.bmp", "XntFonts_fntDigit.bmp", "Xounds_CARD_FLIP.WAV",
                         "Xounds_SIGN1.WAV", "Xoya2_S_cardback.bmp", "Xoya3_FrameBlue.bmp",
                         "Xoyal_S_cardback.bmp", "Xumbers_PASS.BMP", "dumm134", "dummy2_version"}));

    ResourceTree tree;
    UnpackOptions options;
    options.ArchiveFolder = app;
    ASSERT_TRUE(UnpackResources(options, nullptr, &tree, &error)) << error;
    EXPECT_EQ(Listing(app / "res"), Listing(art));
    for (const std::string& file : Listing(art)) {
        if (fs::is_regular_file(art / file)) {
            EXPECT_EQ(ReadFile(app / "res" / file), ReadFile(art / file)) << file;
        }
    }
    EXPECT_TRUE(DeleteResources(tree, &error)) << error;
}

TEST(PackArt, TakesTheFoldersFromAResFolder) {
    TempFolder tmp;
    MakeArt(tmp.Path() / "res");
    PakWriter w;
    std::string error;
    EXPECT_TRUE(PackArt(tmp.Path(), &w, &error)) << error;
    EXPECT_EQ(w.Count(), 10u);
}

TEST(PackArt, RefusesArtTheGameCouldNotUse) {
    const std::pair<const char*, void (*)(const fs::path&)> cases[] = {
        {"Missing art folder", [](const fs::path& art) { fs::remove_all(art / "Roya3"); }},
        {"not a plain file",
         [](const fs::path& art) { fs::create_directory(art / "Royal/sheets"); }},
        {"does not fit an archive entry",
         [](const fs::path& art) { WriteFile(art / "Royal" / std::string(51, 'n'), {}); }},
        {"does not fit an archive entry",
         [](const fs::path& art) { WriteFile(art / "Sounds/caf\xC3\xA9.wav", {}); }},
        {"has no Sounds/CARD_FLIP.WAV",
         [](const fs::path& art) { fs::remove(art / "Sounds/CARD_FLIP.WAV"); }},
    };
    for (const auto& [message, spoil] : cases) {
        SCOPED_TRACE(message);
        TempFolder tmp;
        MakeArt(tmp.Path());
        spoil(tmp.Path());
        PakWriter w;
        std::string error;
        EXPECT_FALSE(PackArt(tmp.Path(), &w, &error));
        EXPECT_NE(error.find(message), std::string::npos) << error;
    }
}

// Writes a file, making its folder first.
void WriteInFolder(const fs::path& path, const std::vector<uint8_t>& bytes) {
    fs::create_directories(path.parent_path());
    WriteFile(path, bytes);
}

// The sharper sets come from their own art folders (one makeart run per density) and go in
// beside the 1x entries, which stay exactly as the 1x art alone packs them.
TEST(PackArt, DensitySetsGoInBesideTheOneXEntries) {
    TempFolder tmp;
    const fs::path art = tmp.Path() / "art", x2 = tmp.Path() / "art-x2";
    MakeArt(art);
    WriteInFolder(x2 / "Royal/S_cardback@2x.png", Bytes("back2"));
    WriteInFolder(x2 / "fntFonts/fntDigit@2x.png", Bytes("font2"));
    PakWriter alone, both;
    std::string error;
    ASSERT_TRUE(PackArt(art, &alone, &error)) << error;
    ASSERT_TRUE(PackArt(art, &both, &error, {x2})) << error;
    ASSERT_TRUE(both.Write((tmp.Path() / "res134.pak").string(), &error)) << error;
    PakArchive pak;
    ASSERT_TRUE(pak.Open((tmp.Path() / "res134.pak").string(), &error)) << error;
    std::map<std::string, std::vector<uint8_t>> entries;
    for (int32_t i = 0; i < pak.EntryCount(); ++i)
        ASSERT_TRUE(pak.ReadEntry(i, &entries[pak.EntryName(i).c_str()], &error)) << error;
    EXPECT_EQ(entries.size(), alone.Count() + 2);
    EXPECT_EQ(entries["Xoyal_S_cardback@2x.png"], Bytes("back2"));
    EXPECT_EQ(entries["XntFonts_fntDigit@2x.png"], Bytes("font2"));
    EXPECT_EQ(entries["Xoyal_S_cardback.bmp"], ReadFile(art / "Royal/S_cardback.bmp"));
}

TEST(PackArt, RefusesADensityFolderThatIsNotASharperSet) {
    const std::pair<const char*, const char*> cases[] = {
        {"Royal/S_cardback.bmp", "is not a picture of a sharper set"},  // a 1x name
        {"Sounds/CARD_FLIP@2x.WAV", "is not a picture of a sharper set"},
        {"Royal/S_cardback@2x.png", "comes from two art folders"},  // in both density folders
    };
    for (const auto& [file, message] : cases) {
        SCOPED_TRACE(file);
        TempFolder tmp;
        MakeArt(tmp.Path() / "art");
        WriteInFolder(tmp.Path() / "x2" / file, Bytes("x"));
        WriteInFolder(tmp.Path() / "x2b/Royal/S_cardback@2x.png", Bytes("y"));
        PakWriter w;
        std::string error;
        EXPECT_FALSE(
            PackArt(tmp.Path() / "art", &w, &error, {tmp.Path() / "x2", tmp.Path() / "x2b"}));
        EXPECT_NE(error.find(message), std::string::npos) << error;
    }
}

}  // namespace
}  // namespace tarrabel::test

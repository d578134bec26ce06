// The archive writer: what it writes reads back through qelPAK, byte for byte.
#include "resources/pak_writer.h"

#include <gtest/gtest.h>

#include "resources/pak_archive.h"
#include "resources/pak_fixture.h"

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
    qelPAK pak;
    ASSERT_TRUE(pak.OpenQ2Pak(p.string()));
    ASSERT_EQ(pak.NumEntrys(), 2);
    EXPECT_EQ(pak.EntryName(2), std::string(56, 'n'));
    ASSERT_TRUE(pak.SaveFileFromPAK(0, (tmp.Path() / "out").string()));
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

}  // namespace
}  // namespace tarrabel::test

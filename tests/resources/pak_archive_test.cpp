// The archive reader: the directory, extraction with the shift undone, and the archives it
// refuses.
#include "resources/pak_archive.h"

#include <gtest/gtest.h>

#include "resources/pak_fixture.h"

namespace tarrabel::test {
namespace {

class PakReading : public ::testing::Test {
  protected:
    fs::path Pak(const std::vector<uint8_t>& bytes, const std::string& name = "a.pak") {
        const fs::path p = tmp.Path() / name;
        WriteFile(p, bytes);
        return p;
    }
    TempFolder tmp;
};

TEST_F(PakReading, ReadsTheDirectory) {
    const fs::path p = Pak(RawPak({{"Xounds_CARD_FLIP.WAV", Bytes("abc")},
                                   {"dumm134", {}},
                                   {"Xitmaps_mouse.bmp", Bytes("BM")}}));
    PakArchive pak;
    ASSERT_TRUE(pak.Open(p.string()));
    EXPECT_EQ(pak.Header().DirLength, 192);
    EXPECT_EQ(pak.EntryCount(), 3);
    EXPECT_EQ(pak.Path(), p.string());
    std::string name(56, '\0');
    name.replace(0, 17, "Xitmaps_mouse.bmp");
    EXPECT_EQ(pak.EntryName(2), name) << "the whole field, fill included";
    EXPECT_EQ(pak.EntryOffset(0), 12);
    EXPECT_EQ(pak.EntrySize(0), 3);
    EXPECT_EQ(pak.EntryOffset(2), 15);
    EXPECT_EQ(pak.EntrySize(1), 0);
}

TEST_F(PakReading, AnArchiveOfOnlyAHeaderHasNoEntries) {
    PakArchive pak;
    ASSERT_TRUE(pak.Open(Pak(RawPak({})).string()));
    EXPECT_EQ(pak.EntryCount(), 0);
    EXPECT_FALSE(pak.SaveEntry(0, (tmp.Path() / "x").string()));
}

TEST_F(PakReading, ExtractionUndoesTheShift) {
    std::vector<uint8_t> all(256);
    for (int i = 0; i < 256; ++i)
        all[size_t(i)] = uint8_t(i);
    std::vector<uint8_t> bytes = RawPak({{"Xounds_a", {0, 0, 0}}, {"Xounds_b", all}});
    bytes[12] = 0x01;  // the stored bytes of entry 0
    bytes[13] = 0x42;
    bytes[14] = 0x00;
    PakArchive pak;
    ASSERT_TRUE(pak.Open(Pak(bytes).string()));
    const fs::path out = tmp.Path() / "out";
    ASSERT_TRUE(pak.SaveEntry(0, out.string()));
    EXPECT_EQ(ReadFile(out), (std::vector<uint8_t>{0x00, 0x41, 0xFF}));
    ASSERT_TRUE(pak.SaveEntry(1, out.string()));
    EXPECT_EQ(ReadFile(out), all);
}

TEST_F(PakReading, ExtractionReplacesTheFileWithExactlyTheEntry) {
    PakArchive pak;
    ASSERT_TRUE(pak.Open(Pak(RawPak({{"Xounds_e", {}}, {"Xounds_f", Bytes("xy")}})).string()));
    const fs::path out = tmp.Path() / "out";
    WriteFile(out, Bytes("a much longer file that was there before"));
    ASSERT_TRUE(pak.SaveEntry(1, out.string()));
    EXPECT_EQ(ReadFile(out), Bytes("xy"));
    ASSERT_TRUE(pak.SaveEntry(0, out.string()));
    EXPECT_TRUE(fs::exists(out));
    EXPECT_EQ(fs::file_size(out), 0u);
    EXPECT_EQ(Listing(tmp.Path()), (std::set<std::string>{"a.pak", "out"})) << "no temp left";
}

TEST_F(PakReading, AFreshReaderHasNothingToGive) {
    PakArchive pak;
    EXPECT_EQ(pak.EntryCount(), 0);
    EXPECT_EQ(pak.Path(), "");
    EXPECT_EQ(pak.EntryName(0), "");
    EXPECT_EQ(pak.EntrySize(0), 0);
    std::string error;
    EXPECT_FALSE(pak.SaveEntry(0, (tmp.Path() / "x").string(), &error));
    EXPECT_NE(error, "");
    EXPECT_FALSE(fs::exists(tmp.Path() / "x"));
}

TEST_F(PakReading, IndexesOutsideTheTableAreRefused) {
    PakArchive pak;
    ASSERT_TRUE(pak.Open(Pak(RawPak({{"Xounds_a", Bytes("a")}})).string()));
    for (int32_t id : {-1, 1, 1000}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(pak.EntryName(id), "");
        EXPECT_EQ(pak.EntryOffset(id), 0);
        EXPECT_EQ(pak.EntrySize(id), 0);
        std::string error;
        EXPECT_FALSE(pak.SaveEntry(id, (tmp.Path() / "x").string(), &error));
        EXPECT_NE(error.find("no entry"), std::string::npos) << error;
        EXPECT_FALSE(fs::exists(tmp.Path() / "x"));
    }
}

// Each case spoils one field of a good two-entry archive.
struct Damage {
    const char* what;
    void (*spoil)(std::vector<uint8_t>&);
    const char* message;
};

const Damage kDamages[] = {
    {"wrong magic", [](auto& b) { b[3] = 'C'; }, "not a PAK archive"},
    {"cut inside the header", [](auto& b) { b.resize(10); }, "not a PAK archive"},
    {"empty file", [](auto& b) { b.clear(); }, "not a PAK archive"},
    {"directory past the end", [](auto& b) { PutInt32(b, 4, int32_t(b.size()) - 64); },
     "directory runs past the end"},
    {"directory cut short", [](auto& b) { b.pop_back(); }, "directory runs past the end"},
    {"negative directory offset", [](auto& b) { PutInt32(b, 4, -64); }, "negative"},
    {"negative directory length", [](auto& b) { PutInt32(b, 8, -128); }, "negative"},
    {"directory length not whole entries", [](auto& b) { PutInt32(b, 8, 100); },
     "not a multiple of 64"},
    {"huge directory length", [](auto& b) { PutInt32(b, 8, 0x7FFFFFC0); },
     "directory runs past the end"},
    {"entry past the end",
     [](auto& b) { PutInt32(b, size_t(DirOffsetOf(b)) + 64 + 60, int32_t(b.size())); },
     "entry 1 runs past the end"},
    {"entry position past the end",
     [](auto& b) { PutInt32(b, size_t(DirOffsetOf(b)) + 56, 0x7FFFFFFF); },
     "entry 0 runs past the end"},
    {"negative entry length", [](auto& b) { PutInt32(b, size_t(DirOffsetOf(b)) + 60, -1); },
     "entry 0 has a negative"},
    {"negative entry position", [](auto& b) { PutInt32(b, size_t(DirOffsetOf(b)) + 64 + 56, -5); },
     "entry 1 has a negative"},
};

TEST_F(PakReading, DamagedArchivesAreRefusedAndTheReaderKeepsItsArchive) {
    const fs::path good = Pak(RawPak({{"Xounds_ok", Bytes("ok")}}), "good.pak");
    for (const Damage& d : kDamages) {
        SCOPED_TRACE(d.what);
        std::vector<uint8_t> bytes = RawPak({{"Xounds_a", Bytes("abc")}, {"Xounds_b", Bytes("d")}});
        d.spoil(bytes);
        const fs::path bad = Pak(bytes, "bad.pak");
        PakArchive pak;
        std::string error;
        EXPECT_FALSE(pak.Open(bad.string(), &error));
        EXPECT_NE(error.find(bad.string()), std::string::npos) << error;
        EXPECT_NE(error.find(d.message), std::string::npos) << error;
        EXPECT_EQ(pak.Path(), "");
        EXPECT_EQ(pak.EntryCount(), 0);

        ASSERT_TRUE(pak.Open(good.string()));
        EXPECT_FALSE(pak.Open(bad.string()));
        EXPECT_EQ(pak.Path(), good.string());
        EXPECT_EQ(pak.EntryCount(), 1);
        EXPECT_EQ(pak.EntrySize(0), 2);
    }
}

TEST_F(PakReading, AMissingArchiveIsNamed) {
    PakArchive pak;
    std::string error;
    const fs::path missing = tmp.Path() / "res134.pak";
    EXPECT_FALSE(pak.Open(missing.string(), &error));
    EXPECT_NE(error.find(missing.string()), std::string::npos) << error;
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;
}

TEST_F(PakReading, AnArchiveCutShortAfterOpeningFailsWithoutTouchingTheTarget) {
    std::vector<uint8_t> bytes = RawPak({{"Xounds_a", Bytes("abcdef")}});
    const fs::path p = Pak(bytes);
    PakArchive pak;
    ASSERT_TRUE(pak.Open(p.string()));
    bytes.resize(14);
    WriteFile(p, bytes);
    const fs::path out = tmp.Path() / "out";
    WriteFile(out, Bytes("before"));
    std::string error;
    EXPECT_FALSE(pak.SaveEntry(0, out.string(), &error));
    EXPECT_NE(error.find(p.string()), std::string::npos) << error;
    EXPECT_EQ(ReadFile(out), Bytes("before"));
    EXPECT_EQ(Listing(tmp.Path()), (std::set<std::string>{"a.pak", "out"}));
}

TEST_F(PakReading, AFolderThatCannotBeWrittenIsNamed) {
    PakArchive pak;
    ASSERT_TRUE(pak.Open(Pak(RawPak({{"Xounds_a", Bytes("a")}})).string()));
    const fs::path out = tmp.Path() / "no such folder" / "a";
    std::string error;
    EXPECT_FALSE(pak.SaveEntry(0, out.string(), &error));
    EXPECT_NE(error.find(out.string()), std::string::npos) << error;
}

// Reading into memory gives exactly the bytes extraction writes, for every byte value and
// for an empty entry.
TEST_F(PakReading, ReadEntryGivesTheBytesExtractionWrites) {
    std::vector<uint8_t> all(256);
    for (int i = 0; i < 256; ++i)
        all[size_t(i)] = uint8_t(255 - i);
    const std::vector<RawEntry> entries = {
        {"Xoyal_Card01.bmp", all}, {"Xounds_silence.wav", {}}, {"Xitmaps_x", Bytes("BM\xff")}};
    PakArchive pak;
    ASSERT_TRUE(pak.Open(Pak(RawPak(entries)).string()));
    for (int32_t id = 0; id < pak.EntryCount(); ++id) {
        SCOPED_TRACE(id);
        std::vector<uint8_t> bytes = Bytes("left over from before");
        std::string error;
        ASSERT_TRUE(pak.ReadEntry(id, &bytes, &error)) << error;
        EXPECT_EQ(bytes, entries[size_t(id)].Data);
        const fs::path out = tmp.Path() / "out";
        ASSERT_TRUE(pak.SaveEntry(id, out.string()));
        EXPECT_EQ(ReadFile(out), bytes);
    }
}

// Each case leaves the reader unable to give entry 0; the result is empty and named.
struct Unreadable {
    const char* what;
    void (*spoil)(PakArchive& pak, const fs::path& archive);
    int32_t id;
    const char* message;
};

const Unreadable kUnreadables[] = {
    {"nothing loaded", [](PakArchive&, const fs::path&) {}, 0, "No resource archive is loaded"},
    {"index past the end", [](PakArchive& p, const fs::path& a) { p.Open(a.string()); }, 1,
     "has no entry 1"},
    {"negative index", [](PakArchive& p, const fs::path& a) { p.Open(a.string()); }, -1,
     "has no entry -1"},
    {"archive cut after opening",
     [](PakArchive& p, const fs::path& a) {
         p.Open(a.string());
         fs::resize_file(a, 14);
     },
     0, "now runs past the end"},
    {"archive removed after opening",
     [](PakArchive& p, const fs::path& a) {
         p.Open(a.string());
         fs::remove(a);
     },
     0, "cannot be opened"},
};

TEST_F(PakReading, ReadEntryRefusesWhatExtractionRefuses) {
    for (const Unreadable& u : kUnreadables) {
        SCOPED_TRACE(u.what);
        const fs::path archive = Pak(RawPak({{"Xounds_a", Bytes("abcdef")}}));
        PakArchive pak;
        u.spoil(pak, archive);
        std::vector<uint8_t> bytes = Bytes("stale");
        std::string error;
        EXPECT_FALSE(pak.ReadEntry(u.id, &bytes, &error));
        EXPECT_TRUE(bytes.empty());
        EXPECT_NE(error.find(u.message), std::string::npos) << error;
        std::string saveError;
        EXPECT_FALSE(pak.SaveEntry(u.id, (tmp.Path() / "out").string(), &saveError));
        EXPECT_EQ(saveError, error);
        EXPECT_FALSE(fs::exists(tmp.Path() / "out"));
    }
}

}  // namespace
}  // namespace tarrabel::test

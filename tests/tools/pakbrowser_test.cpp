// The archive browser's logic without a window: opening good and bad archives, the label
// texts for a chosen entry, and extracting it into a folder.
#include "pakbrowser/browser_model.h"

#include <gtest/gtest.h>

#include "resources/pak_fixture.h"

namespace tarrabel::test {
namespace {

using pakbrowser::BrowserModel;
using pakbrowser::ForDisplay;

class PakBrowser : public ::testing::Test {
  protected:
    // Three entries: data at 12 (3 bytes), 15 (0 bytes), 15 (2 bytes); the last name is
    // padded with spaces and carries folders.
    fs::path GoodPak(const std::string& name = "deck.pak") {
        std::vector<uint8_t> bytes = RawPak({{"Xounds_CARD_FLIP.WAV", {0x00, 0x41, 0xFF}},
                                             {"dumm134", {}},
                                             {"maps/old\\Xoyal_Card01.bmp", Bytes("BM")}});
        const size_t third = size_t(DirOffsetOf(bytes)) + 2 * 64;
        for (size_t i = 25; i < 56; ++i)
            bytes[third + i] = ' ';
        const fs::path p = tmp.Path() / name;
        WriteFile(p, bytes);
        return p;
    }
    TempFolder tmp;
};

TEST_F(PakBrowser, OpeningAnArchiveListsItsEntriesWithoutFill) {
    BrowserModel model;
    EXPECT_EQ(model.Title(), "");
    const fs::path pak = GoodPak();
    ASSERT_TRUE(model.Open(pak.string())) << model.Message();
    EXPECT_EQ(model.Title(), "Files in deck.pak");
    EXPECT_EQ(model.Entries(), (std::vector<std::string>{"Xounds_CARD_FLIP.WAV", "dumm134",
                                                         "maps/old\\Xoyal_Card01.bmp"}));
    EXPECT_TRUE(model.Loaded());
    EXPECT_FALSE(model.MessageIsError());
    EXPECT_NE(model.Message().find("3 files"), std::string::npos) << model.Message();
    EXPECT_EQ(model.Selected(), -1);
    EXPECT_EQ(model.FileNameText(), "---");
    EXPECT_FALSE(model.CanExtract()) << "nothing chosen yet";
}

// Each case is an archive the browser cannot show; the title names it, the list is empty,
// the message says why, and the archive shown before is gone.
struct BadArchive {
    const char* what;
    std::vector<uint8_t> bytes;  // written as "bad.pak"; empty with `path` set: not written
    const char* path;            // relative to the test folder; "" for the empty path
    const char* title;
    const char* message;
};

TEST_F(PakBrowser, AnArchiveThatCannotBeReadGivesItsMessage) {
    std::vector<uint8_t> cut = RawPak({{"Xounds_a", Bytes("abcdef")}});
    cut.resize(cut.size() - 10);
    std::vector<uint8_t> notPak = Bytes("GIF89a, a picture and not an archive");
    std::vector<uint8_t> entryPast = RawPak({{"Xounds_a", Bytes("abc")}});
    PutInt32(entryPast, size_t(DirOffsetOf(entryPast)) + 60, 1000);
    const BadArchive cases[] = {
        {"not a PAK", notPak, "bad.pak", "Files in bad.pak", "not a PAK archive"},
        {"header only half there", Bytes("PACK\x0c"), "bad.pak", "Files in bad.pak",
         "not a PAK archive"},
        {"directory cut short", cut, "bad.pak", "Files in bad.pak", "directory runs past"},
        {"entry past the end", entryPast, "bad.pak", "Files in bad.pak", "entry 0 runs past"},
        {"missing", {}, "gone/res134.pak", "Files in res134.pak", "No such file"},
        {"a folder", {}, ".", "Files in .", "not a PAK archive"},
        {"no path typed", {}, "", "Files in ", "Type the path"},
    };
    for (const BadArchive& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = *c.path ? (tmp.Path() / c.path).string() : std::string();
        if (!c.bytes.empty()) WriteFile(path, c.bytes);
        BrowserModel model;
        ASSERT_TRUE(model.Open(GoodPak().string()));
        model.Select(0);
        EXPECT_FALSE(model.Open(path));
        EXPECT_EQ(model.Title(), c.title);
        EXPECT_TRUE(model.Entries().empty());
        EXPECT_FALSE(model.Loaded());
        EXPECT_TRUE(model.MessageIsError());
        EXPECT_NE(model.Message().find(c.message), std::string::npos) << model.Message();
        EXPECT_EQ(model.Selected(), -1);
        EXPECT_EQ(model.FileSizeText(), "---");
        EXPECT_FALSE(model.CanExtract());
        EXPECT_FALSE(model.Extract(tmp.Path().string()));
        EXPECT_EQ(model.TargetPath(tmp.Path().string()), "");
    }
}

TEST_F(PakBrowser, ChoosingAnEntryFillsTheLabels) {
    BrowserModel model;
    ASSERT_TRUE(model.Open(GoodPak().string()));
    const struct {
        int index;
        const char* name;
        const char* size;
        const char* offset;
    } cases[] = {
        {0, "Xounds_CARD_FLIP.WAV", "3 Bytes", "12 Bytes"},
        {1, "dumm134", "0 Bytes", "15 Bytes"},
        {2, "maps/old\\Xoyal_Card01.bmp", "2 Bytes", "15 Bytes"},
        {3, "---", "---", "---"},  // past the list: nothing chosen
        {-1, "---", "---", "---"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        model.Select(0);  // a choice before, so a refused one must clear it
        model.Select(c.index);
        EXPECT_EQ(model.FileNameText(), c.name);
        EXPECT_EQ(model.FileSizeText(), c.size);
        EXPECT_EQ(model.FileOffsetText(), c.offset);
        EXPECT_EQ(model.CanExtract(), c.index >= 0 && c.index < 3);
    }
}

TEST_F(PakBrowser, ExtractionWritesTheEntryUnderItsFileName) {
    BrowserModel model;
    ASSERT_TRUE(model.Open(GoodPak().string()));
    const fs::path out = tmp.Path() / "out";
    fs::create_directory(out);
    const struct {
        int index;
        std::string folder;
        const char* file;  // in `out`
        std::vector<uint8_t> content;
    } cases[] = {
        {0, out.string(), "Xounds_CARD_FLIP.WAV", {0x00, 0x41, 0xFF}},
        {1, out.string() + "/", "dumm134", {}},              // one "/" between folder and name
        {2, out.string(), "Xoyal_Card01.bmp", Bytes("BM")},  // the folders of the name dropped
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        model.Select(c.index);
        const std::string target = (out / c.file).string();
        EXPECT_EQ(model.TargetPath(c.folder), target);
        ASSERT_TRUE(model.Extract(c.folder)) << model.Message();
        EXPECT_EQ(ReadFile(target), c.content);
        EXPECT_FALSE(model.MessageIsError());
        EXPECT_NE(model.Message().find(target), std::string::npos) << model.Message();
        EXPECT_EQ(model.Message().find("replacing"), std::string::npos) << model.Message();
    }
    EXPECT_EQ(Listing(out),
              (std::set<std::string>{"Xounds_CARD_FLIP.WAV", "dumm134", "Xoyal_Card01.bmp"}));

    // The archive's own name is kept, prefix and all. Again over a longer file: exactly the
    // entry, and the message says so.
    WriteFile(out / "Xounds_CARD_FLIP.WAV", Bytes("a much longer file than the entry"));
    model.Select(0);
    ASSERT_TRUE(model.Extract(out.string()));
    EXPECT_EQ(ReadFile(out / "Xounds_CARD_FLIP.WAV"), (std::vector<uint8_t>{0x00, 0x41, 0xFF}));
    EXPECT_NE(model.Message().find("replacing"), std::string::npos) << model.Message();

    EXPECT_EQ(model.TargetPath(""), "./Xounds_CARD_FLIP.WAV") << "no folder: the current one";
}

TEST_F(PakBrowser, ExtractionThatCannotHappenSaysWhyAndWritesNothing) {
    // Entry 1 is named only by fill, entry 2 by "..": neither has a file name of its own.
    const fs::path pak = tmp.Path() / "odd.pak";
    WriteFile(pak, RawPak({{"Xounds_a.wav", Bytes("a")}, {"", Bytes("b")}, {"x/..", Bytes("c")}}));
    const fs::path out = tmp.Path() / "out";
    fs::create_directory(out);
    WriteFile(tmp.Path() / "plain", Bytes("a file, not a folder"));
    const struct {
        const char* what;
        int index;
        std::string folder;
        const char* message;
    } cases[] = {
        {"nothing chosen", -1, out.string(), "Choose a file"},
        {"missing folder", 0, (tmp.Path() / "missing").string(), "does not exist"},
        {"folder inside a missing one", 0, (tmp.Path() / "missing/deeper").string(),
         "does not exist"},
        {"a file for a folder", 0, (tmp.Path() / "plain").string(), "is not a folder"},
        {"no name", 1, out.string(), "no file name"},
        {"a parent folder for a name", 2, out.string(), "no file name"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        BrowserModel model;
        ASSERT_TRUE(model.Open(pak.string()));
        model.Select(c.index);
        EXPECT_FALSE(model.Extract(c.folder));
        EXPECT_TRUE(model.MessageIsError());
        EXPECT_NE(model.Message().find(c.message), std::string::npos) << model.Message();
        EXPECT_TRUE(fs::is_empty(out));
        EXPECT_EQ(Listing(tmp.Path()), (std::set<std::string>{"odd.pak", "out", "plain"}));
    }
}

TEST_F(PakBrowser, AnArchiveCutAfterOpeningGivesAMessageOnExtraction) {
    const fs::path pak = GoodPak();
    BrowserModel model;
    ASSERT_TRUE(model.Open(pak.string()));
    model.Select(0);
    fs::resize_file(pak, 13);
    EXPECT_FALSE(model.Extract(tmp.Path().string()));
    EXPECT_TRUE(model.MessageIsError());
    EXPECT_NE(model.Message().find("runs past the end"), std::string::npos) << model.Message();
    EXPECT_FALSE(fs::exists(tmp.Path() / "Xounds_CARD_FLIP.WAV"));
}

TEST(PakBrowserText, NamesAreShownAsPrintableUtf8) {
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"Xoyal_Card01.bmp", "Xoyal_Card01.bmp"},
        {"Kr\xf6nung.bmp", "Kr\xc3\xb6nung.bmp"},  // Latin-1 o-umlaut
        {"\xa0\xff", "\xc2\xa0\xc3\xbf"},
        {"tab\there", "tab?here"},
        {std::string("nul\0in", 6), "nul?in"},
        {"\x7f\x80\x9f", "???"},
        {"100% ##", "100% ##"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ForDisplay(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace tarrabel::test

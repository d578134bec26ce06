// Unpacking res134.pak into the res tree, deleting the tree, and the paths the loaders ask
// for.
#include "resources/unpack.h"

#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

#include <gtest/gtest.h>

#include "resources/density_names.h"
#include "resources/pak_fixture.h"

namespace tarrabel::test {
namespace {

const RawEntry kWitness = {"Xounds_CARD_FLIP.WAV", Bytes("flip")};

class Unpack : public ::testing::Test {
  protected:
    Unpack() { fs::create_directory(app); }

    void Archive(const std::vector<RawEntry>& entries) {
        WriteFile(app / "res134.pak", RawPak(entries));
    }
    bool Run(std::string* error, int density = 1) {
        UnpackOptions options;
        options.ArchiveFolder = app;
        options.Density = density;
        options.TempParent = tmp.Path() / "private";
        fs::create_directories(options.TempParent);
        return UnpackResources(options, convert, &tree, error);
    }
    // Stands in for the platform's JPEG decoder: the "BMP" is the JPEG's bytes behind "BM".
    PictureConverter convert = [this](const fs::path& jpeg, const fs::path& bmp, std::string*) {
        conversions.push_back({jpeg, bmp});
        std::vector<uint8_t> out = Bytes("BM");
        const std::vector<uint8_t> in = ReadFile(jpeg);
        out.insert(out.end(), in.begin(), in.end());
        WriteFile(bmp, out);
        return true;
    };

    TempFolder tmp;
    const fs::path app = tmp.Path() / "app";
    ResourceTree tree;
    std::vector<std::pair<fs::path, fs::path>> conversions;
};

TEST_F(Unpack, EachPrefixGoesToItsFolderAndTheBackgroundBecomesABitmap) {
    Archive({{"dumm134", Bytes("1")},
             {"XntFonts_fntDigit.bmp", Bytes("font")},
             kWitness,
             {"Xitmaps_Back_800x600.jpg", Bytes("jpeg")},
             {"Xumbers_PASS.BMP", Bytes("pass")},
             {"Xoyal_S_cardback.bmp", Bytes("r1")},
             {"Xoya2_S_cardback.bmp", Bytes("r2")},
             {"Xoya3_S_cardback.bmp", Bytes("r3")},
             {"dummy2_version", Bytes("2")}});
    std::string error;
    ASSERT_TRUE(Run(&error)) << error;
    EXPECT_EQ(tree.Root, app);
    EXPECT_FALSE(tree.PrivateFolder);
    const fs::path res = app / "res";
    EXPECT_EQ(Listing(res),
              (std::set<std::string>{"fntFonts", "fntFonts/fntDigit.bmp", "Sounds",
                                     "Sounds/CARD_FLIP.WAV", "Bitmaps", "Bitmaps/Back_800x600.jpg",
                                     "Bitmaps/Back_800x600.bmp", "Numbers", "Numbers/PASS.BMP",
                                     "Royal", "Royal/S_cardback.bmp", "Roya2",
                                     "Roya2/S_cardback.bmp", "Roya3", "Roya3/S_cardback.bmp"}));
    EXPECT_EQ(ReadFile(res / "Sounds/CARD_FLIP.WAV"), Bytes("flip"));
    EXPECT_EQ(ReadFile(res / "Roya2/S_cardback.bmp"), Bytes("r2"));
    ASSERT_EQ(conversions.size(), 1u);
    const auto& [jpeg, bmp] = conversions[0];
    EXPECT_EQ(jpeg.filename(), "Back_800x600.jpg");
    EXPECT_EQ(jpeg.parent_path().filename(), "Bitmaps");
    EXPECT_EQ(bmp, jpeg.parent_path() / "Back_800x600.bmp");
    EXPECT_EQ(ReadFile(res / "Bitmaps/Back_800x600.bmp"), Bytes("BMjpeg"));

    ASSERT_TRUE(DeleteResources(tree, &error)) << error;
    EXPECT_EQ(Listing(app), (std::set<std::string>{"res134.pak"}));
}

TEST_F(Unpack, AnExistingTreeIsUsedWithoutOpeningTheArchive) {
    fs::create_directories(app / "res/Sounds");
    WriteFile(app / "res/Sounds/CARD_FLIP.WAV", Bytes("old"));
    std::string error;
    ASSERT_TRUE(Run(&error)) << error;  // there is no archive at all
    EXPECT_EQ(tree.Root, app);
    EXPECT_EQ(Listing(app),
              (std::set<std::string>{"res", "res/Sounds", "res/Sounds/CARD_FLIP.WAV"}));
    ASSERT_TRUE(DeleteResources(tree, &error)) << error;
    EXPECT_TRUE(fs::is_empty(app));
}

// The archive holds every picture at 1x, 2x and 3x; a table composed at one density needs
// only that set, and the sounds, which exist once.
TEST_F(Unpack, EachDensityWritesOnlyItsOwnPicturesBesideTheSounds) {
    Archive({{"dumm134", Bytes("1")},
             {"XntFonts_fntDigit.bmp", Bytes("f1")},
             {"XntFonts_fntDigit@2x.png", Bytes("f2")},
             {"XntFonts_fntDigit@3x.png", Bytes("f3")},
             kWitness,
             {"Xounds_SIGN1.WAV", Bytes("sign")},
             {"Xitmaps_Back_800x600.jpg", Bytes("j1")},
             {"Xitmaps_Back_800x600@2x.jpg", Bytes("j2")},
             {"Xitmaps_Back_800x600@3x.jpg", Bytes("j3")},
             {"Xoyal_AC.BMP", Bytes("c1")},
             {"Xoyal_AC@2x.png", Bytes("c2")},
             {"Xoyal_AC@3x.png", Bytes("c3")},
             {"dummy2_version", Bytes("2")}});
    const std::set<std::string> folders = {"fntFonts",
                                           "Sounds",
                                           "Sounds/CARD_FLIP.WAV",
                                           "Sounds/SIGN1.WAV",
                                           "Bitmaps",
                                           "Numbers",
                                           "Royal",
                                           "Roya2",
                                           "Roya3"};
    struct Case {
        int density;
        std::set<std::string> pictures;
        const char* felt;  // what the converted background holds
    };
    const Case cases[] = {
        {1,
         {"fntFonts/fntDigit.bmp", "Bitmaps/Back_800x600.jpg", "Bitmaps/Back_800x600.bmp",
          "Royal/AC.BMP"},
         "BMj1"},
        {2,
         {"fntFonts/fntDigit@2x.png", "Bitmaps/Back_800x600@2x.jpg", "Bitmaps/Back_800x600@2x.bmp",
          "Royal/AC@2x.png"},
         "BMj2"},
        {3,
         {"fntFonts/fntDigit@3x.png", "Bitmaps/Back_800x600@3x.jpg", "Bitmaps/Back_800x600@3x.bmp",
          "Royal/AC@3x.png"},
         "BMj3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.density);
        conversions.clear();
        std::string error;
        ASSERT_TRUE(Run(&error, c.density)) << error;
        std::set<std::string> expected = folders;
        expected.insert(c.pictures.begin(), c.pictures.end());
        EXPECT_EQ(Listing(app / "res"), expected);
        EXPECT_EQ(conversions.size(), 1u);
        const std::string bmp = DensityPictureName(kBackgroundJpeg, c.density, true);
        EXPECT_EQ(ReadFile(app / "res/Bitmaps" / bmp), Bytes(c.felt));
        ASSERT_TRUE(DeleteResources(tree, &error)) << error;
        EXPECT_EQ(Listing(app), (std::set<std::string>{"res134.pak"}));
    }
}

// A tree left on disk by a run killed before its clean-up is used again only by a table of
// the density it was unpacked for; any other density unpacks its own set in its place.
TEST_F(Unpack, ATreeLeftForAnotherDensityIsReplaced) {
    Archive({kWitness,
             {"Xitmaps_Back_800x600.jpg", Bytes("j1")},
             {"Xitmaps_Back_800x600@3x.jpg", Bytes("j3")}});
    struct Case {
        int left, wanted;
        bool reused;
    };
    const Case cases[] = {{1, 1, true}, {3, 3, true}, {1, 3, false}, {3, 1, false}, {3, 2, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "left at " << c.left << ", wanted at " << c.wanted);
        fs::remove_all(app / "res");
        fs::create_directories(app / "res/Sounds");
        fs::create_directories(app / "res/Bitmaps");
        WriteFile(app / "res/Sounds/CARD_FLIP.WAV", Bytes("old"));
        WriteFile(app / "res/Bitmaps" / DensityPictureName(kBackgroundJpeg, c.left), Bytes("old"));
        std::string error;
        ASSERT_TRUE(Run(&error, c.wanted)) << error;
        EXPECT_EQ(ReadFile(app / "res/Sounds/CARD_FLIP.WAV"), Bytes(c.reused ? "old" : "flip"));
        const bool ownFelt =
            fs::exists(app / "res/Bitmaps" / DensityPictureName(kBackgroundJpeg, c.wanted));
        EXPECT_EQ(ownFelt, c.wanted != 2) << "the archive has no 2x background";
        ASSERT_TRUE(DeleteResources(tree, &error)) << error;
    }
}

TEST_F(Unpack, ADensityWithoutPicturesIsRefusedBeforeAnythingIsWritten) {
    Archive({kWitness});
    for (const int density : {0, 4, -1}) {
        std::string error;
        EXPECT_FALSE(Run(&error, density));
        EXPECT_NE(error.find("density " + std::to_string(density)), std::string::npos) << error;
        EXPECT_EQ(Listing(app), (std::set<std::string>{"res134.pak"}));
    }
}

// Every archive here must be refused with nothing written: the message names the archive
// and, where one entry is at fault, that entry.
struct Refused {
    const char* what;
    std::vector<RawEntry> entries;
    const char* message;
};

const Refused kRefused[] = {
    {"parent folder", {kWitness, {"Xounds_../x", {}}}, "entry 1 \"Xounds_../x\""},
    {"two levels up", {kWitness, {"Xoyal_../../evil", {}}}, "Xoyal_../../evil"},
    {"absolute path", {kWitness, {"Xounds_/etc/x", {}}}, "not a plain file name"},
    {"backslash path", {kWitness, {"Xoya2_..\\..\\x", {}}}, "not a plain file name"},
    {"NUL inside", {kWitness, {std::string("Xounds_a\0b", 10), {}}}, "Xounds_a\\x00b"},
    {"line break", {kWitness, {"Xounds_a\nb", {}}}, "not a plain file name"},
    {"dot dot", {kWitness, {"Xitmaps_..", {}}}, "not a plain file name"},
    {"prefix alone", {kWitness, {"Xumbers_", {}}}, "not a plain file name"},
    {"no known prefix", {kWitness, {"Sounds_SIGN1.WAV", {}}}, "none of the known folder prefixes"},
    {"foreign marker", {kWitness, {"dumm133", {}}}, "does not belong to this version"},
    {"short marker", {kWitness, {"dumm", {}}}, "does not belong to this version"},
    {"marker before files", {{"dummy3_", {}}, kWitness}, "entry 0 \"dummy3_\""},
    {"no witness sound", {{"Xounds_SIGN1.WAV", Bytes("s")}}, "holds no Sounds/CARD_FLIP.WAV"},
    {"empty archive", {}, "holds no Sounds/CARD_FLIP.WAV"},
};

TEST_F(Unpack, ArchivesWithEntriesItMustNotWriteAreRefusedBeforeAnythingIsWritten) {
    for (const Refused& r : kRefused) {
        SCOPED_TRACE(r.what);
        Archive(r.entries);
        std::string error;
        EXPECT_FALSE(Run(&error));
        EXPECT_NE(error.find((app / "res134.pak").string()), std::string::npos) << error;
        EXPECT_NE(error.find(r.message), std::string::npos) << error;
        EXPECT_EQ(Listing(tmp.Path()), (std::set<std::string>{"app", "app/res134.pak", "private"}));
        EXPECT_TRUE(conversions.empty());
    }
}

TEST_F(Unpack, AMissingOrDamagedArchiveIsNamedAndNothingIsWritten) {
    const fs::path pak = app / "res134.pak";
    std::vector<uint8_t> cut = RawPak({kWitness});
    cut.resize(cut.size() - 10);
    const std::pair<std::vector<uint8_t>, const char*> cases[] = {
        {{}, "No such file"}, {Bytes("not an archive"), "not a PAK archive"}, {cut, "damaged"}};
    for (const auto& [bytes, message] : cases) {
        SCOPED_TRACE(message);
        fs::remove(pak);
        if (!bytes.empty()) WriteFile(pak, bytes);
        std::string error;
        EXPECT_FALSE(Run(&error));
        EXPECT_NE(error.find(pak.string()), std::string::npos) << error;
        EXPECT_NE(error.find(message), std::string::npos) << error;
        EXPECT_FALSE(fs::exists(app / "res"));
        EXPECT_TRUE(fs::is_empty(tmp.Path() / "private"));
    }
}

TEST_F(Unpack, AFailedConversionLeavesNothingHalfUnpacked) {
    Archive({kWitness, {"Xitmaps_Back_800x600.jpg", Bytes("jpeg")}, {"Xoyal_a.bmp", Bytes("a")}});
    convert = [](const fs::path& jpeg, const fs::path&, std::string* error) {
        *error = "cannot decode " + jpeg.string();
        return false;
    };
    std::string error;
    EXPECT_FALSE(Run(&error));
    EXPECT_NE(error.find("Back_800x600.jpg"), std::string::npos) << error;
    EXPECT_EQ(Listing(app), (std::set<std::string>{"res134.pak"}));
}

TEST_F(Unpack, AnUnfinishedTreeWithoutTheWitnessIsReplaced) {
    fs::create_directories(app / "res/Sounds");
    fs::create_directories(app / "res/Royal");
    WriteFile(app / "res/Sounds/OLD.WAV", Bytes("old"));
    Archive({kWitness});
    std::string error;
    ASSERT_TRUE(Run(&error)) << error;
    EXPECT_FALSE(fs::exists(app / "res/Sounds/OLD.WAV"));
    EXPECT_EQ(ReadFile(app / "res/Sounds/CARD_FLIP.WAV"), Bytes("flip"));
    EXPECT_EQ(Listing(app).size(), 10u) << "res134.pak, res, its seven folders and the witness";
}

TEST_F(Unpack, StagingFoldersOfAKilledRunAreCleared) {
    fs::create_directories(app / ".res-unpack-Ab12Cd/Sounds");
    WriteFile(app / ".res-unpack-Ab12Cd/Sounds/CARD_FLIP.WAV", Bytes("half"));
    Archive({kWitness});
    std::string error;
    ASSERT_TRUE(Run(&error)) << error;
    EXPECT_FALSE(fs::exists(app / ".res-unpack-Ab12Cd"));
    EXPECT_EQ(ReadFile(app / "res/Sounds/CARD_FLIP.WAV"), Bytes("flip"));
}

TEST_F(Unpack, AResFileInTheWayIsNamed) {
    WriteFile(app / "res", Bytes("a file, not a folder"));
    Archive({kWitness});
    std::string error;
    EXPECT_FALSE(Run(&error));
    EXPECT_NE(error.find((app / "res").string()), std::string::npos) << error;
    EXPECT_EQ(Listing(app), (std::set<std::string>{"res", "res134.pak"}));
}

// How a check of the read-only game folder runs: the folder must refuse writes to the
// process that unpacks, which a plain permission does not do for root (CI runs as root).
enum class ReadOnlyWay { Done, Failed, Impossible };

constexpr int kCannotMakeReadOnly = 77;

// Runs `check` in a child process that sees `app` read-only, and answers how it went. The
// child first drops to the unprivileged "nobody"; where that is refused it puts a read-only
// bind mount of `app` over it in a mount namespace of its own. The child's failures are
// printed by its own copy of the test and reported through its exit status.
ReadOnlyWay RunWithReadOnlyFolder(const fs::path& app, const std::function<void()>& check,
                                  std::string* why) {
    const auto attempt = [&](const std::function<bool()>& makeReadOnly) {
        std::fflush(stdout);
        std::fflush(stderr);
        const pid_t child = fork();
        if (child < 0) return kCannotMakeReadOnly;
        if (child == 0) {
            int code = kCannotMakeReadOnly;
            if (makeReadOnly() && access(app.c_str(), W_OK) != 0) {
                try {
                    check();
                    code = ::testing::Test::HasFailure() ? 1 : 0;
                } catch (const std::exception& e) {
                    std::fprintf(stderr, "exception: %s\n", e.what());
                    code = 2;
                }
            }
            std::fflush(stdout);
            std::fflush(stderr);
            _exit(code);
        }
        int status = 0;
        if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return 3;
        return WEXITSTATUS(status);
    };
    const auto asNobody = [] {
        constexpr uid_t kNobody = 65534;
        return setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0;
    };
    const auto readOnlyMount = [&app] {
        // Root keeps its own identity inside a new user namespace where that is allowed; a
        // mount namespace alone needs the right to mount.
        const bool ownUser = unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0;
        if (ownUser) {
            const std::string map = "0 " + std::to_string(getuid()) + " 1";
            const std::string gmap = "0 " + std::to_string(getgid()) + " 1";
            WriteFile("/proc/self/setgroups", Bytes("deny"));
            WriteFile("/proc/self/uid_map", Bytes(map));
            WriteFile("/proc/self/gid_map", Bytes(gmap));
        } else if (unshare(CLONE_NEWNS) != 0) {
            return false;
        }
        return mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
               mount(app.c_str(), app.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
               mount(nullptr, app.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    };
    int code = attempt(asNobody);
    if (code == kCannotMakeReadOnly) code = attempt(readOnlyMount);
    if (code == kCannotMakeReadOnly) {
        *why =
            "the folder stays writable: this process may neither drop to an unprivileged "
            "user nor mount a read-only copy of it in a namespace of its own";
        return ReadOnlyWay::Impossible;
    }
    if (code != 0)
        *why = "the check in the child process failed (exit status " + std::to_string(code) +
               "); its messages are above";
    return code == 0 ? ReadOnlyWay::Done : ReadOnlyWay::Failed;
}

TEST_F(Unpack, AReadOnlyGameFolderUnpacksIntoAPrivateFolder) {
    Archive({kWitness, {"Xitmaps_mouse.bmp", Bytes("m")}});
    const fs::path privateParent = tmp.Path() / "private";
    fs::create_directories(privateParent);
    const auto check = [&] {
        std::string error;
        ASSERT_TRUE(Run(&error)) << error;
        EXPECT_TRUE(tree.PrivateFolder);
        EXPECT_EQ(tree.Root.parent_path(), privateParent);
        EXPECT_EQ(ReadFile(ResourcePath(tree, "res\\bitmaps\\mouse.bmp")), Bytes("m"));
        ASSERT_TRUE(DeleteResources(tree, &error)) << error;
        EXPECT_TRUE(fs::is_empty(privateParent));
        EXPECT_EQ(Listing(app), (std::set<std::string>{"res134.pak"}));
    };
    // Readable by everyone, writable by no one who respects permissions.
    struct ReadOnly {
        explicit ReadOnly(fs::path p) : path(std::move(p)) {
            using fs::perms;
            fs::permissions(path, perms::owner_read | perms::owner_exec | perms::group_read |
                                      perms::group_exec | perms::others_read | perms::others_exec);
        }
        ~ReadOnly() { fs::permissions(path, fs::perms::owner_write, fs::perm_options::add); }
        fs::path path;
    } readOnly(app);
    if (access(app.c_str(), W_OK) != 0) return check();
    // A privileged process writes wherever the permissions say it may not: the check runs
    // in a child that cannot. "nobody" must reach the archive and write the private folder.
    fs::permissions(tmp.Path(), fs::perms::others_exec, fs::perm_options::add);
    fs::permissions(app / "res134.pak", fs::perms::others_read, fs::perm_options::add);
    fs::permissions(privateParent, fs::perms::all);
    std::string why;
    switch (RunWithReadOnlyFolder(app, check, &why)) {
        case ReadOnlyWay::Done:
            break;
        case ReadOnlyWay::Failed:
            ADD_FAILURE() << why;
            break;
        case ReadOnlyWay::Impossible:
            GTEST_SKIP() << why;
    }
}

TEST_F(Unpack, DeletingSkipsWhatItCannotDeleteAndSaysSo) {
    Archive({kWitness, {"Xumbers_PASS.BMP", Bytes("p")}});
    std::string error;
    ASSERT_TRUE(Run(&error)) << error;
    fs::create_directories(app / "res/Sounds/not ours");
    EXPECT_FALSE(DeleteResources(tree, &error));
    EXPECT_NE(error.find("not ours"), std::string::npos) << error;
    EXPECT_EQ(Listing(app),
              (std::set<std::string>{"res", "res/Sounds", "res/Sounds/not ours", "res134.pak"}));
    fs::remove(app / "res/Sounds/not ours");
    EXPECT_TRUE(DeleteResources(tree, &error)) << error;
    EXPECT_EQ(Listing(app), (std::set<std::string>{"res134.pak"}));
    EXPECT_TRUE(DeleteResources(tree, &error)) << "nothing left to delete";
}

// The clean-up deletes inside `res` only: a link there, whether to a folder or a file, is
// never followed out of the tree. A link in place of a folder of the tree (or of `res`
// itself) is named and left; a link among a folder's files is deleted as the link it is.
struct LinkInTheTree {
    const char* what;
    const char* link;    // relative to the game folder
    const char* target;  // relative to the folder outside
    const char* named;   // in the message; null: the clean-up succeeds
    std::set<std::string> left;
};

const LinkInTheTree kLinks[] = {
    {"a deck folder linked to a folder outside",
     "res/Royal",
     "",
     "res/Royal\" is not a folder",
     {"res", "res/Royal", "res134.pak"}},
    {"the res folder linked to a folder outside",
     "res",
     "",
     "res\" is not a folder",
     {"res", "res134.pak"}},
    {"a sound linked to a file outside",
     "res/Sounds/LINK.WAV",
     "Sounds/keep.wav",
     nullptr,
     {"res134.pak"}},
    {"a link among the sounds to a folder outside",
     "res/Sounds/linked",
     "",
     nullptr,
     {"res134.pak"}},
};

TEST_F(Unpack, CleanUpNeverFollowsALinkOutOfTheTree) {
    Archive({kWitness, {"Xoyal_AC.BMP", Bytes("ace")}});
    const fs::path outside = tmp.Path() / "outside";
    const std::set<std::string> outsideFiles = {"keep.bmp", "Sounds", "Sounds/keep.wav"};
    for (const LinkInTheTree& c : kLinks) {
        SCOPED_TRACE(c.what);
        fs::create_directories(outside / "Sounds");
        WriteFile(outside / "keep.bmp", Bytes("bmp"));
        WriteFile(outside / "Sounds/keep.wav", Bytes("wav"));
        std::string error;
        ASSERT_TRUE(Run(&error)) << error;
        const fs::path link = app / c.link, target = outside / c.target;
        fs::remove_all(link);
        if (fs::is_directory(target))
            fs::create_directory_symlink(target, link);
        else
            fs::create_symlink(target, link);

        error.clear();
        EXPECT_EQ(DeleteResources(tree, &error), c.named == nullptr) << error;
        if (c.named) {
            EXPECT_NE(error.find(c.named), std::string::npos) << error;
        }
        EXPECT_EQ(Listing(outside), outsideFiles);
        EXPECT_EQ(ReadFile(outside / "keep.bmp"), Bytes("bmp"));
        EXPECT_EQ(ReadFile(outside / "Sounds/keep.wav"), Bytes("wav"));
        // Listed by name: Listing() would show a link by where it leads.
        std::set<std::string> left;
        for (const auto& e : fs::recursive_directory_iterator(app))
            left.insert(e.path().lexically_relative(app).generic_string());
        EXPECT_EQ(left, c.left);
        fs::remove_all(app / "res");
        fs::remove_all(outside);
    }
}

TEST(ResourcePath, MapsTheGamesPathsToTheFoldersOnDisk) {
    TempFolder tmp;
    const ResourceTree tree{tmp.Path(), false};
    const fs::path res = tmp.Path() / "res";
    const std::pair<const char*, fs::path> cases[] = {
        {"res\\bitmaps\\Back_800x600.bmp", res / "Bitmaps/Back_800x600.bmp"},
        {"res\\sounds\\CARD_FLIP.WAV", res / "Sounds/CARD_FLIP.WAV"},
        {"res\\fntFonts\\fntDigit.bmp", res / "fntFonts/fntDigit.bmp"},
        {"res\\Numbers\\CLUBS.BMP", res / "Numbers/CLUBS.BMP"},
        {"RES/ROYA3/x.bmp", res / "Roya3/x.bmp"},
        {"res\\Royal\\", {}},
        {"res\\bitmaps\\..", {}},
        {"res\\..\\x", {}},
        {"..\\res\\Sounds\\x", {}},
        {"res\\docs\\x", {}},
        {"res\\Sounds\\sub\\x", {}},
        {"", {}},
    };
    for (const auto& [relative, expected] : cases)
        EXPECT_EQ(ResourcePath(tree, relative), expected) << relative;
}

TEST(ResourcePath, FindsAFileWhoseCaseDiffers) {
    TempFolder tmp;
    fs::create_directories(tmp.Path() / "res/Royal");
    WriteFile(tmp.Path() / "res/Royal/S_CardBack.BMP", Bytes("b"));
    EXPECT_EQ(ResourcePath({tmp.Path(), false}, "res\\Royal\\S_cardback.bmp"),
              tmp.Path() / "res/Royal/S_CardBack.BMP");
}

}  // namespace
}  // namespace tarrabel::test

// The game's resource tree: unpacking res134.pak into a `res` folder beside the executable
// before the pictures, fonts and sounds are loaded, deleting it again once they are in
// memory, and the mapping from the game's relative paths ("res\bitmaps\mouse.bmp") to
// real files.
//
// The unpacking checks the whole archive before it writes anything, fills a fresh staging
// folder and renames it to `res` only when every file is there, so the tree is either
// complete or absent. The archive holds every picture at 1x and again at 2x and 3x
// (resources/density_names.h); only the set the table is composed at is written out, with
// the sounds. When the executable's folder cannot be written (an installed game),
// the tree goes into a private temporary folder instead.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace tarrabel {

// The folders of the tree, in the order they are created, each with the prefix that marks
// its files in the archive. These spellings are the only ones on disk.
struct ResourceFolder {
    std::string_view Name;
    std::string_view EntryPrefix;
};
inline constexpr ResourceFolder kResourceFolders[] = {
    {"fntFonts", "XntFonts_"}, {"Sounds", "Xounds_"}, {"Bitmaps", "Xitmaps_"},
    {"Numbers", "Xumbers_"},   {"Royal", "Xoyal_"},   {"Roya2", "Xoya2_"},
    {"Roya3", "Xoya3_"},
};
inline constexpr int kResourceFolderCount = 7;

inline constexpr std::string_view kResFolder = "res";
inline constexpr std::string_view kPakFileName = "res134.pak";
// The tree counts as unpacked when this file exists.
inline constexpr std::string_view kWitnessFolder = "Sounds";
inline constexpr std::string_view kWitnessFile = "CARD_FLIP.WAV";
// The table background travels as a JPEG and is used as a bitmap.
inline constexpr std::string_view kBackgroundJpeg = "Back_800x600.jpg";
inline constexpr std::string_view kBackgroundBmp = "Back_800x600.bmp";
// Entries whose names begin with "dumm" are version markers, not files; only these two
// belong to this version of the game.
inline constexpr std::string_view kMarkerStart = "dumm";
inline constexpr std::string_view kMarkers[] = {"dumm134", "dummy2_"};

// A file name the tree may hold: 1 to 56 printable ASCII characters, no "/" or "\", not
// "." or "..".
bool IsSafeResourceFileName(std::string_view name);

// What an archive entry stands for.
struct EntryTarget {
    bool Marker = false;
    int Folder = -1;       // index into kResourceFolders for a file
    std::string FileName;  // the name after the prefix, trailing fill removed
    // The picture set the file belongs to: 2 or 3 for "NAME@2x.png", "NAME@3x.png"; 1 for
    // every other file, the 1x pictures and the sounds alike.
    int Density = 1;
};
// Reads an entry's name field. Returns false with the reason in *error for a name that
// carries no known prefix, a foreign marker, or a file name that is not safe.
bool ClassifyEntry(std::string_view nameField, EntryTarget* target, std::string* error);

// Converts the JPEG at `jpeg` into the BMP `bmp`; returns false with a message on failure.
// The game passes the platform's converter; tests pass a fake.
using PictureConverter = std::function<bool(const std::filesystem::path& jpeg,
                                            const std::filesystem::path& bmp, std::string* error)>;

// Where the tree is: Root / "res".
struct ResourceTree {
    std::filesystem::path Root;
    bool PrivateFolder = false;  // Root is a private temporary folder, removed with the tree
};

struct UnpackOptions {
    // The folder holding the archive, where the tree is unpacked: beside the executable
    // (ExecutableFolder()) or an installed game's data folder (FindArchiveFolder()).
    std::filesystem::path ArchiveFolder;  // AppPath
    std::string PakFileName{kPakFileName};
    std::filesystem::path TempParent;  // for a private folder; empty: the system's temp folder
    // The pixels per table unit the table is composed at (1, 2 or 3): the picture set to
    // write out. Files that are not pictures are written at every density.
    int Density = 1;
};

// Whether the unpacking writes an entry out for a table composed at `density`: a picture
// of that set, or a file that is not a picture (the sounds).
bool EntryIsUnpackedAt(const EntryTarget& target, int density);

// Makes the tree available: when ArchiveFolder/res/Sounds/CARD_FLIP.WAV exists the tree
// there is used as it is (above 1x only when it also holds that density's table background
// JPEG, and at 1x only when it holds no other density's); otherwise ArchiveFolder/res134.pak
// is unpacked, the pictures of options.Density only. Returns false
// with a message naming the file at fault when the archive is missing, not a PAK archive,
// damaged, holds an entry it must not (a name outside the tree, no known prefix, a foreign
// marker), lacks the sound the tree is recognised by, or cannot be written out; nothing is
// left on disk then, and the game must not start.
bool UnpackResources(const UnpackOptions& options, const PictureConverter& convert,
                     ResourceTree* tree, std::string* error);

// Deletes the tree's files and folders (and a private folder). Only plain files in the
// seven folders are deleted; anything it cannot delete is skipped and named in *error,
// and the result is false. Nothing there: true.
bool DeleteResources(const ResourceTree& tree, std::string* error = nullptr);

// The real path of one of the game's relative resource paths such as
// "res\bitmaps\Back_800x600.bmp" or "res\sounds\CARD_FLIP.WAV": "/" separators, the
// folder in its one spelling, and the file name as the game gives it, or as it is on disk
// when only its case differs. Empty for a path outside the seven folders.
std::filesystem::path ResourcePath(const ResourceTree& tree, std::string_view relative);

// The folder of the running executable; empty when it cannot be found.
std::filesystem::path ExecutableFolder();

}  // namespace tarrabel

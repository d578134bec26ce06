#include "resources/unpack.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <system_error>
#include <vector>

#include "resources/density_names.h"
#include "resources/pak_archive.h"

namespace tarrabel {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kStagingStem = ".res-unpack-";

void Fail(std::string* error, std::string message) {
    if (error) *error = std::move(message);
}

std::string Quoted(const fs::path& p) {
    // Built by appending: g++ 12 warns falsely (-Wrestrict) about "\"" + std::string.
    std::string quoted(1, '"');
    quoted += p.string();
    quoted += '"';
    return quoted;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// A readable form of an entry name for messages: up to the fill, odd bytes as \xNN.
std::string Printable(std::string_view name) {
    while (!name.empty() && (name.back() == ' ' || name.back() == '\0'))
        name.remove_suffix(1);
    std::string out;
    static const char* hex = "0123456789ABCDEF";
    for (unsigned char c : name) {
        if (c >= 0x20 && c < 0x7F) {
            out += char(c);
        } else {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

// A new folder with a unique name made from `stem` inside `parent`; errno on failure.
bool MakeUniqueFolder(const fs::path& parent, const std::string& stem, fs::path* made) {
    std::string templ = (parent / (stem + "XXXXXX")).string();
    if (!mkdtemp(templ.data())) return false;
    *made = templ;
    return true;
}

void AddProblem(std::string* problems, const std::string& problem) {
    if (!problems->empty()) *problems += "; ";
    *problems += problem;
}

// Deletes the plain files of the seven folders, the folders and `res` itself. Each folder
// is listed once, so a file that cannot be deleted is reported, never retried.
void DeleteTree(const fs::path& res, std::string* problems) {
    std::error_code ec;
    const fs::file_status top = fs::symlink_status(res, ec);
    if (ec || !fs::exists(top)) return;
    if (!fs::is_directory(top)) {
        AddProblem(problems, Quoted(res) + " is not a folder");
        return;
    }
    // The order the game has always cleaned up in.
    static constexpr std::string_view order[] = {"Sounds", "Numbers", "Bitmaps", "fntFonts",
                                                 "Royal",  "Roya2",   "Roya3"};
    for (std::string_view name : order) {
        const fs::path folder = res / name;
        const fs::file_status st = fs::symlink_status(folder, ec);
        if (ec || !fs::exists(st)) continue;
        if (!fs::is_directory(st)) {
            AddProblem(problems, Quoted(folder) + " is not a folder");
            continue;
        }
        std::vector<fs::path> files;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const fs::file_status fst = it->symlink_status(ec);
            if (ec) break;
            if (fs::is_directory(fst))
                AddProblem(problems, Quoted(it->path()) + " is a folder and is left alone");
            else
                files.push_back(it->path());
        }
        if (ec) AddProblem(problems, "cannot list " + Quoted(folder) + ": " + ec.message());
        for (const fs::path& file : files) {
            if (!fs::remove(file, ec) && ec)
                AddProblem(problems, "cannot delete " + Quoted(file) + ": " + ec.message());
        }
        if (!fs::remove(folder, ec) && ec)
            AddProblem(problems, "cannot remove " + Quoted(folder) + ": " + ec.message());
    }
    if (!fs::remove(res, ec) && ec)
        AddProblem(problems, "cannot remove " + Quoted(res) + ": " + ec.message());
}

}  // namespace

bool IsSafeResourceFileName(std::string_view name) {
    if (name.empty() || name.size() > size_t(kPakNameSize) || name == "." || name == "..")
        return false;
    for (unsigned char c : name) {
        if (c < 0x20 || c >= 0x7F || c == '/' || c == '\\') return false;
    }
    return true;
}

bool ClassifyEntry(std::string_view nameField, EntryTarget* target, std::string* error) {
    std::string_view name = nameField;
    while (!name.empty() && (name.back() == ' ' || name.back() == '\0'))
        name.remove_suffix(1);
    for (int i = 0; i < kResourceFolderCount; ++i) {
        const ResourceFolder& folder = kResourceFolders[i];
        if (!StartsWith(name, folder.EntryPrefix)) continue;
        const std::string_view file = name.substr(folder.EntryPrefix.size());
        if (!IsSafeResourceFileName(file)) {
            Fail(error, "its file name is not a plain file name");
            return false;
        }
        target->Marker = false;
        target->Folder = i;
        target->FileName = std::string(file);
        target->Density = IsPictureFile(file) ? DensityOfFileName(file) : 1;
        return true;
    }
    if (StartsWith(nameField, kMarkerStart)) {
        const std::string_view first7 = nameField.substr(0, 7);
        for (std::string_view marker : kMarkers) {
            if (first7 == marker) {
                target->Marker = true;
                target->Folder = -1;
                target->FileName.clear();
                target->Density = 1;
                return true;
            }
        }
        Fail(error, "the archive does not belong to this version of the game");
        return false;
    }
    Fail(error, "its name carries none of the known folder prefixes");
    return false;
}

bool EntryIsUnpackedAt(const EntryTarget& target, int density) {
    if (target.Marker) return false;
    if (!IsPictureFile(target.FileName)) return true;
    return target.Density == density;
}

namespace {

// Whether a tree left on disk (by a developer, or a run killed before it was cleaned up) can
// be used for a table at `density`: it has the witness and no other density's background,
// and above 1x its own.
bool TreeServes(const fs::path& res, int density) {
    std::error_code ec;
    if (!fs::is_regular_file(res / kWitnessFolder / kWitnessFile, ec)) return false;
    const fs::path bitmaps = res / "Bitmaps";
    for (int d = 1; d <= kMaxDensity; ++d) {
        const bool there = fs::exists(bitmaps / DensityPictureName(kBackgroundJpeg, d), ec);
        if (d == density && d != 1 && !there) return false;
        if (d != density && there) return false;
    }
    return true;
}

}  // namespace

bool UnpackResources(const UnpackOptions& options, const PictureConverter& convert,
                     ResourceTree* tree, std::string* error) {
    std::error_code ec;
    const fs::path archiveFolder = options.ArchiveFolder;
    if (!IsDensity(options.Density)) {
        Fail(error, "There are no pictures at density " + std::to_string(options.Density) +
                        " (1, 2 or 3)");
        return false;
    }
    if (TreeServes(archiveFolder / kResFolder, options.Density)) {
        *tree = {archiveFolder, false};
        return true;
    }

    // Check the whole archive before anything is written.
    const fs::path pakPath = archiveFolder / options.PakFileName;
    PakArchive pak;
    if (!pak.Open(pakPath.string(), error)) return false;
    std::vector<EntryTarget> targets(size_t(pak.EntryCount()));
    bool hasWitness = false;
    for (int32_t i = 0; i < pak.EntryCount(); ++i) {
        std::string why;
        const std::string name = pak.EntryName(i);
        if (!ClassifyEntry(name, &targets[size_t(i)], &why)) {
            Fail(error, "The resource archive " + Quoted(pakPath) + " is refused: entry " +
                            std::to_string(i) + " \"" + Printable(name) + "\": " + why);
            return false;
        }
        const EntryTarget& t = targets[size_t(i)];
        if (!t.Marker && kResourceFolders[t.Folder].Name == kWitnessFolder &&
            t.FileName == kWitnessFile)
            hasWitness = true;
    }
    if (!hasWitness) {
        Fail(error, "The resource archive " + Quoted(pakPath) + " is refused: it holds no " +
                        std::string(kWitnessFolder) + "/" + std::string(kWitnessFile));
        return false;
    }

    // Staging folders a killed run left behind go first; their names are ours alone.
    for (fs::directory_iterator it(archiveFolder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ignored;
        if (StartsWith(it->path().filename().string(), kStagingStem) && it->is_directory(ignored) &&
            !it->is_symlink(ignored))
            fs::remove_all(it->path(), ignored);
    }
    ec.clear();

    // A staging folder beside where `res` goes; in a private folder when the executable's
    // folder cannot be written.
    ResourceTree where{archiveFolder, false};
    fs::path staging;
    if (!MakeUniqueFolder(archiveFolder, std::string(kStagingStem), &staging)) {
        const int err = errno;
        if (err != EACCES && err != EPERM && err != EROFS) {
            Fail(error, "Cannot unpack the resources into " + Quoted(archiveFolder) + ": " +
                            std::strerror(err));
            return false;
        }
        fs::path parent = options.TempParent;
        ec.clear();
        if (parent.empty()) parent = fs::temp_directory_path(ec);
        if (ec || !MakeUniqueFolder(parent, "tarrabel-", &where.Root)) {
            Fail(error, "Cannot unpack the resources: " + Quoted(archiveFolder) +
                            " is read-only and no private folder can be made in " + Quoted(parent));
            return false;
        }
        where.PrivateFolder = true;
        staging = where.Root / ".res-unpack";
        if (!fs::create_directory(staging, ec)) {
            Fail(error, "Cannot create " + Quoted(staging) + ": " + ec.message());
            fs::remove(where.Root, ec);
            return false;
        }
    }
    const auto abandon = [&](std::string message) {
        fs::remove_all(staging, ec);
        if (where.PrivateFolder) fs::remove_all(where.Root, ec);
        Fail(error, std::move(message));
        return false;
    };

    for (const ResourceFolder& folder : kResourceFolders) {
        if (!fs::create_directory(staging / folder.Name, ec))
            return abandon("Cannot create " + Quoted(staging / folder.Name) + ": " + ec.message());
    }
    const std::string backgroundJpeg = DensityPictureName(kBackgroundJpeg, options.Density);
    const std::string backgroundBmp = DensityPictureName(kBackgroundJpeg, options.Density, true);
    for (int32_t i = 0; i < pak.EntryCount(); ++i) {
        const EntryTarget& t = targets[size_t(i)];
        if (!EntryIsUnpackedAt(t, options.Density)) continue;
        const fs::path folder = staging / kResourceFolders[t.Folder].Name;
        std::string why;
        if (!pak.SaveEntry(i, (folder / t.FileName).string(), &why)) return abandon(why);
        std::string_view trimmed = t.FileName;
        while (!trimmed.empty() && trimmed.front() == ' ')
            trimmed.remove_prefix(1);
        if (trimmed == backgroundJpeg) {
            if (!convert) return abandon("No picture converter for " + Quoted(folder / t.FileName));
            if (!convert(folder / t.FileName, folder / backgroundBmp, &why))
                return abandon(why.empty() ? "Cannot convert " + Quoted(folder / t.FileName) : why);
        }
    }

    // A `res` folder without the witness is what an unfinished run left: replace it.
    const fs::path res = where.Root / kResFolder;
    std::string problems;
    DeleteTree(res, &problems);
    if (!problems.empty())
        return abandon("Cannot replace the unfinished resource folder " + Quoted(res) + ": " +
                       problems);
    fs::rename(staging, res, ec);
    if (ec) return abandon("Cannot create " + Quoted(res) + ": " + ec.message());
    *tree = where;
    return true;
}

bool DeleteResources(const ResourceTree& tree, std::string* error) {
    if (tree.Root.empty()) return true;
    std::string problems;
    DeleteTree(tree.Root / kResFolder, &problems);
    std::error_code ec;
    if (tree.PrivateFolder && fs::exists(fs::symlink_status(tree.Root, ec)) &&
        !fs::remove(tree.Root, ec) && ec)
        AddProblem(&problems, "cannot remove " + Quoted(tree.Root) + ": " + ec.message());
    if (problems.empty()) return true;
    Fail(error, "The unpacked resources were not all deleted: " + problems);
    return false;
}

fs::path ResourcePath(const ResourceTree& tree, std::string_view relative) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t i = 0; i <= relative.size(); ++i) {
        if (i == relative.size() || relative[i] == '\\' || relative[i] == '/') {
            parts.push_back(relative.substr(start, i - start));
            start = i + 1;
        }
    }
    if (parts.size() != 3 || !SameIgnoringCase(parts[0], kResFolder) ||
        !IsSafeResourceFileName(parts[2]))
        return {};
    for (const ResourceFolder& folder : kResourceFolders) {
        if (!SameIgnoringCase(parts[1], folder.Name)) continue;
        const fs::path dir = tree.Root / kResFolder / folder.Name;
        fs::path file = dir / parts[2];
        std::error_code ec;
        if (fs::exists(file, ec)) return file;
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
            if (SameIgnoringCase(it->path().filename().string(), parts[2])) return it->path();
        }
        return file;
    }
    return {};
}

fs::path ExecutableFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    return exe.parent_path();
}

}  // namespace tarrabel

#include "resources/archive_location.h"

#include "resources/unpack.h"

namespace fs = std::filesystem;

namespace tarrabel {

namespace {

// A folder the game can start from: the archive is there, or the tree it unpacks into.
bool HoldsResources(const fs::path& folder, std::string_view pakFileName) {
    std::error_code ec;
    if (fs::is_regular_file(folder / pakFileName, ec)) return true;
    return fs::is_regular_file(folder / kResFolder / kWitnessFolder / kWitnessFile, ec);
}

}  // namespace

fs::path FindArchiveFolder(const fs::path& exeFolder, std::string_view pakFileName,
                           const fs::path& installedData) {
    // Without a known executable folder a relative data folder would mean the working folder.
    if (exeFolder.empty() || installedData.empty() || HoldsResources(exeFolder, pakFileName))
        return exeFolder;
    const fs::path installed = (exeFolder / installedData).lexically_normal();
    if (HoldsResources(installed, pakFileName)) return installed;
    return exeFolder;
}

}  // namespace tarrabel

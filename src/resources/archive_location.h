// Where the game's resource archive lives. A game run from its build folder (or unpacked
// by hand into one folder) has res134.pak beside the executable; an installed game has the
// executable in <prefix>/bin and the archive in <prefix>/share/tarrabel.
#pragma once

#include <filesystem>
#include <string_view>

namespace tarrabel {

// The folder the resources are taken from: the first of `exeFolder` and
// `exeFolder / installedData` that holds the archive `pakFileName` or an unpacked tree a
// crashed run left behind (res/Sounds/CARD_FLIP.WAV). When neither does, `exeFolder`, so
// that the message about the missing archive names the place beside the executable.
// `installedData` is the data folder relative to the executable's, as installed (for
// example "../share/tarrabel"); empty: only beside the executable.
std::filesystem::path FindArchiveFolder(const std::filesystem::path& exeFolder,
                                        std::string_view pakFileName,
                                        const std::filesystem::path& installedData);

}  // namespace tarrabel

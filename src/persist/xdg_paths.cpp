#include "persist/xdg_paths.h"

#include <cstdlib>
#include <string_view>

namespace tarrabel {
namespace {

constexpr std::string_view kFolderName = "tarrabel";

// The XDG variable when it names an absolute folder, else HOME's subfolder; nothing when
// HOME is not there either (a service account, a stripped environment).
std::optional<std::filesystem::path> FolderFrom(const char* variable,
                                                const std::filesystem::path& underHome) {
    if (const char* xdg = std::getenv(variable); xdg != nullptr && xdg[0] != '\0') {
        const std::filesystem::path base(xdg);
        // A relative value would depend on where the game was started from.
        if (base.is_absolute()) return base / kFolderName;
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') return std::nullopt;
    return std::filesystem::path(home) / underHome / kFolderName;
}

}  // namespace

std::optional<std::filesystem::path> ConfigFolder() {
    return FolderFrom("XDG_CONFIG_HOME", ".config");
}

std::optional<std::filesystem::path> DataFolder() {
    return FolderFrom("XDG_DATA_HOME", std::filesystem::path(".local") / "share");
}

}  // namespace tarrabel

// Where the game keeps what it remembers, after the XDG base directory convention: the
// settings under $XDG_CONFIG_HOME/tarrabel (~/.config/tarrabel when unset), the statistics
// and the match left unfinished under $XDG_DATA_HOME/tarrabel (~/.local/share/tarrabel).
#pragma once

#include <filesystem>
#include <optional>

namespace tarrabel {

// The folders, not created yet. An unset or relative XDG variable falls back to the one
// under $HOME (the convention ignores relative ones); nothing when neither can be had.
std::optional<std::filesystem::path> ConfigFolder();
std::optional<std::filesystem::path> DataFolder();

}  // namespace tarrabel

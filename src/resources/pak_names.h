// The small name helpers of the archive browser: the file part of a path, a file's
// extension, and an entry's name without the fill of its 56-byte field.
#pragma once

#include <string>
#include <string_view>

namespace tarrabel {

// The text after the last "/" of the path, and of that the text after the last "\"; the
// whole text where there is neither. Archive names may carry either separator, so both
// are cut: "a/b\c.bmp" and "a\b/c.bmp" both give "c.bmp". A path ending in a separator
// gives "".
std::string GetFileName(std::string_view path);

// The (up to) three characters after the last "."; the first three characters when there
// is no ".". Fewer characters are given when the text ends sooner: "a.gz" gives "gz", "a."
// and "" give "". The whole text is searched, so pass a file name, not a path whose folders
// carry dots.
std::string GetFileExtension(std::string_view fileName);

// An entry's name field without its trailing fill (spaces and NUL bytes).
std::string TrimNameField(std::string_view nameField);

}  // namespace tarrabel

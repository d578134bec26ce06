#include "resources/pak_names.h"

namespace tarrabel {

namespace {

// The text after the last `separator`, or all of it.
std::string_view After(std::string_view text, char separator) {
    const size_t at = text.rfind(separator);
    return at == std::string_view::npos ? text : text.substr(at + 1);
}

}  // namespace

std::string GetFileName(std::string_view path) {
    return std::string(After(After(path, '/'), '\\'));
}

std::string GetFileExtension(std::string_view fileName) {
    const size_t dot = fileName.rfind('.');
    const size_t start = dot == std::string_view::npos ? 0 : dot + 1;
    return std::string(fileName.substr(start, 3));
}

std::string TrimNameField(std::string_view nameField) {
    const size_t last = nameField.find_last_not_of(std::string_view(" \0", 2));
    return std::string(last == std::string_view::npos ? std::string_view{}
                                                      : nameField.substr(0, last + 1));
}

}  // namespace tarrabel

#include "pakbrowser/browser_model.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "resources/pak_names.h"

namespace tarrabel::pakbrowser {

namespace fs = std::filesystem;

namespace {

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// The name an entry is saved under: the file part of its trimmed name, as the archive
// spells it (a name with folders in it still lands in the chosen folder).
std::string SaveName(const tarrabel::PakArchive& pak, int index) {
    return GetFileName(TrimNameField(pak.EntryName(index)));
}

}  // namespace

std::string ForDisplay(std::string_view singleByteText) {
    std::string out;
    out.reserve(singleByteText.size());
    for (const char ch : singleByteText) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x20 && b < 0x7F) {
            out += ch;
        } else if (b >= 0xA0) {
            out += char(0xC0 | (b >> 6));
            out += char(0x80 | (b & 0x3F));
        } else {
            out += '?';
        }
    }
    return out;
}

bool BrowserModel::Open(const std::string& path) {
    title_ = "Files in " + GetFileName(path);
    entries_.clear();
    ClearChoice();
    pak_ = tarrabel::PakArchive{};
    if (path.empty()) return Report("Type the path of a .pak file, then open it.", true);
    std::string error;
    if (!pak_.Open(path, &error)) return Report(error, true);
    for (int32_t i = 0; i < pak_.EntryCount(); ++i)
        entries_.push_back(ForDisplay(TrimNameField(pak_.EntryName(i))));
    const size_t n = entries_.size();
    return Report(
        "Opened " + Quoted(path) + ": " + std::to_string(n) + (n == 1 ? " file." : " files."),
        false);
}

void BrowserModel::Select(int index) {
    if (index < 0 || size_t(index) >= entries_.size()) {
        ClearChoice();
        return;
    }
    selected_ = index;
    fileName_ = entries_[size_t(index)];
    fileSize_ = std::to_string(pak_.EntrySize(index)) + " Bytes";
    fileOffset_ = std::to_string(pak_.EntryOffset(index)) + " Bytes";
}

std::string BrowserModel::TargetPath(const std::string& folder) const {
    if (!CanExtract()) return {};
    std::string prefix = folder.empty() ? std::string(".") : folder;
    if (prefix.back() != '/') prefix += '/';
    return prefix + SaveName(pak_, selected_);
}

bool BrowserModel::Extract(const std::string& folder) {
    if (!CanExtract()) return Report("Choose a file in the list first.", true);
    const std::string name = SaveName(pak_, selected_);
    // An entry named only by fill or by a folder ("", ".", "..") would replace the folder
    // itself or a file above it.
    if (name.empty() || name == "." || name == "..")
        return Report("The entry " + Quoted(fileName_) + " has no file name to save under.", true);

    const std::string where = folder.empty() ? std::string(".") : folder;
    std::error_code ec;
    const fs::file_status status = fs::status(where, ec);
    if (!fs::exists(status))
        return Report("The folder " + Quoted(where) + " does not exist.", true);
    if (!fs::is_directory(status)) return Report(Quoted(where) + " is not a folder.", true);

    const std::string target = TargetPath(folder);
    const bool replacing = fs::exists(target, ec);
    std::string error;
    if (!pak_.SaveEntry(selected_, target, &error)) return Report(error, true);
    return Report("Extracted " + Quoted(fileName_) + " (" + fileSize_ + ") to " + Quoted(target) +
                      (replacing ? ", replacing the file that was there." : "."),
                  false);
}

void BrowserModel::ClearChoice() {
    selected_ = -1;
    fileName_ = fileSize_ = fileOffset_ = std::string(kNoValue);
}

bool BrowserModel::Report(std::string text, bool isError) {
    message_ = std::move(text);
    messageIsError_ = isError;
    return !isError;
}

}  // namespace tarrabel::pakbrowser

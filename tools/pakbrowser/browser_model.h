// The archive browser without its window: opening a PAK archive, the list of its entries,
// the texts of the labels for the chosen entry, and extracting it into a folder. The window
// (browser_view) draws what this holds and calls it on clicks; tests drive it directly.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "resources/pak_archive.h"

namespace tarrabel::pakbrowser {

inline constexpr std::string_view kCaption = "QuakeII Pak-file-extractor";
inline constexpr std::string_view kNoValue = "---";  // a value label with nothing chosen

class BrowserModel {
  public:
    // "Open .pak-file": the title becomes "Files in " + the archive's file name, the list
    // and the choice are cleared, and the archive is read. On failure the list stays empty
    // and Message() says why; the archive shown before is closed either way, so the list
    // and the extraction never refer to an archive other than the one named in the title.
    bool Open(const std::string& path);

    // The title (Label1); empty until an archive was asked for.
    const std::string& Title() const { return title_; }
    // The list (List1): each entry's name without its fill, made printable (see ForDisplay).
    const std::vector<std::string>& Entries() const { return entries_; }
    bool Loaded() const { return !pak_.Path().empty(); }

    // A click on the list: the value labels show the entry's name, size and offset. An
    // index outside the list clears the choice and the labels go back to "---".
    void Select(int index);
    int Selected() const { return selected_; }
    const std::string& FileNameText() const { return fileName_; }
    const std::string& FileSizeText() const { return fileSize_; }
    const std::string& FileOffsetText() const { return fileOffset_; }

    // "Extract file to folder" is only offered with an entry chosen.
    bool CanExtract() const { return Loaded() && selected_ >= 0; }
    // Where the chosen entry goes in `folder`: folder + "/" + the entry's file name (the
    // current folder when `folder` is empty). Empty with nothing chosen.
    std::string TargetPath(const std::string& folder) const;
    // Writes the chosen entry, unshifted, to TargetPath(folder), replacing a file there.
    // Message() tells the outcome: where the file went, or why nothing was written.
    bool Extract(const std::string& folder);

    // The last outcome of Open or Extract, for the status line; empty at first.
    const std::string& Message() const { return message_; }
    bool MessageIsError() const { return messageIsError_; }

  private:
    void ClearChoice();
    bool Report(std::string text, bool isError);

    tarrabel::PakArchive pak_;
    std::string title_;
    std::vector<std::string> entries_;
    int selected_ = -1;
    std::string fileName_{kNoValue};
    std::string fileSize_{kNoValue};
    std::string fileOffset_{kNoValue};
    std::string message_;
    bool messageIsError_ = false;
};

// Entry names are single-byte text of the archive's own era; the window shows UTF-8. Bytes
// from 0xA0 on are taken as Latin-1, control bytes and 0x7F-0x9F become "?", so a damaged
// name still shows as one line.
std::string ForDisplay(std::string_view singleByteText);

}  // namespace tarrabel::pakbrowser

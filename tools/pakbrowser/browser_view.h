// The archive browser's window contents, drawn with Dear ImGui from a BrowserModel: the
// archive field and "Open .pak-file", the list of entries, the entry's labels, the
// extraction folder and button, the status line, the credit line and "Exit".
#pragma once

#include <string>
#include <utility>

#include "pakbrowser/browser_model.h"

namespace tarrabel::pakbrowser {

class BrowserView {
  public:
    // The two text fields start with the archive from the command line (may be empty) and
    // the folder to extract to.
    BrowserView(std::string archivePath, std::string folder)
        : archivePath_(std::move(archivePath)), folder_(std::move(folder)) {}

    // Loads the DejaVu face when it is installed, else keeps ImGui's own font; sets the
    // colours. Call once after the UI is attached, before the first frame.
    static void SetUpLook();

    // Draws one frame of the window over the whole viewport and runs the clicks on the
    // model. Returns false once "Exit" was pressed.
    bool Draw(BrowserModel& model);

    // An archive dropped on the window or given on the command line.
    void OpenArchive(BrowserModel& model, const std::string& path);

  private:
    void DrawArchiveRow(BrowserModel& model);
    void DrawList(BrowserModel& model);
    void DrawDetails(BrowserModel& model);

    std::string archivePath_;
    std::string folder_;
    int focusedRow_ = -1;  // the list row that had the keyboard focus last
};

}  // namespace tarrabel::pakbrowser

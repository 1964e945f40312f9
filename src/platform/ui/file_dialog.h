#pragma once
// The open and save file dialogs of the document flow. Tests install a
// handler that answers instead of showing a dialog. UI thread only.

#include <functional>
#include <string>

class QWidget;

struct FileDialogRequest {
    bool save = false;
    std::string filter;       // e.g. "Radio Program Data Files(*.dig)"
    std::string defaultName;  // save only: the name offered, with extension
};

// Returns the chosen path, or an empty text when the user cancelled.
using FileDialogHandler = std::function<std::string(const FileDialogRequest&)>;

std::string AskFileName(QWidget* owner, const FileDialogRequest& request);

// Installs a handler (an empty one restores the real dialog); returns the previous one.
FileDialogHandler SetFileDialogHandler(FileDialogHandler handler);

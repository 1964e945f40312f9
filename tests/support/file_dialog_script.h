#pragma once
// Answers the program's file dialogs for a test while the object lives: each
// request is recorded in requests and answered with the front of chosen (an
// empty path, that is Cancel, once it is empty); the handler before it comes
// back afterwards. Header-only, as it needs the GUI library.

#include "platform/ui/file_dialog.h"

#include <deque>
#include <string>
#include <vector>

class FileDialogScript
{
public:
    FileDialogScript(std::vector<FileDialogRequest>& requests, std::deque<std::string>& chosen)
    {
        m_previous = SetFileDialogHandler([&requests, &chosen](const FileDialogRequest& request) {
            requests.push_back(request);
            if (chosen.empty())
                return std::string();
            std::string path = chosen.front();
            chosen.pop_front();
            return path;
        });
    }
    ~FileDialogScript() { SetFileDialogHandler(m_previous); }
    FileDialogScript(const FileDialogScript&) = delete;
    FileDialogScript& operator=(const FileDialogScript&) = delete;

private:
    FileDialogHandler m_previous;
};

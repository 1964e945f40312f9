#pragma once
// The one message box of the system: text, caption and Win32-style type
// flags in, IDOK, IDCANCEL, IDYES or IDNO out. Tests install a handler that records each
// box and answers it, so no test ever waits on a modal box. UI thread only.

#include <functional>
#include <string>

class QWidget;

enum MessageBoxType : unsigned {
    MB_OK = 0x00,
    MB_OKCANCEL = 0x01,
    MB_YESNOCANCEL = 0x03,
    MB_ICONERROR = 0x10,        // the stop icon
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
};

struct MessageBoxRecord {
    std::string text;
    std::string caption;
    unsigned type = MB_OK;
};

// Answers a box instead of showing it; returns one of the box's buttons.
using MessageBoxHandler = std::function<int(const MessageBoxRecord&)>;

// Shows the box (modal to owner, or application-modal without one) and
// returns the button chosen (IDOK, IDCANCEL, IDYES, IDNO); Esc and the close
// box count as Cancel, or as OK for a box that has only OK.
int ShowMessageBox(QWidget* owner, const std::string& text, const std::string& caption,
    unsigned type);

// Installs a handler (an empty one restores the real box); returns the previous one.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

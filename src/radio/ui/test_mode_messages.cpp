#include "radio/ui/test_mode_messages.h"

#include "platform/profile.h"
#include "platform/ui/message_box.h"
#include "radio/port_diagnosis.h"
#include "shell/lang_string.h"
#include "shell/settings_file.h"

void ShowTestModeOutcome(QWidget* owner, TestModeOutcome outcome)
{
    const char* text = nullptr;
    switch (outcome) {
    case TestModeOutcome::Ok:
        return;
    case TestModeOutcome::PortError:
        // A port this user may not open gets its device and group named.
        ShowMessageBox(owner, PortErrorMessage(GetPrivateProfileInt("setup", "com", 1, SettingsFile()), SettingsFile()),
            LoadLangString("IDS_ERROR"), MB_OK | MB_ICONERROR);
        return;
    case TestModeOutcome::TypeError:
        text = "IDS_ERROR_TYPE";
        break;
    case TestModeOutcome::ReadFailed:
        text = "IDS_PROMPT_READFAIL";
        break;
    case TestModeOutcome::WriteFailed:
        ShowMessageBox(owner, LoadLangString("IDS_PROMPT_WRITEFAIL"), LoadLangString("IDS_PROMPT"), MB_OK);
        return;
    }
    ShowMessageBox(owner, LoadLangString(text), LoadLangString("IDS_ERROR"), MB_OK | MB_ICONERROR);
}

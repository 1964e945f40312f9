#include "radio/ui/test_password_dlg.h"

#include "model/velmar_doc.h"
#include "platform/ui/translate_window.h"
#include "radio/test_mode_radio.h"
#include "radio/ui/test_mode_dlg.h"
#include "radio/ui/test_mode_messages.h"
#include "radio/ui/wait_cursor.h"
#include "shell/lang_string.h"
#include "shell/settings_file.h"
#include "shell/ui/velmar_app.h"
#include "platform/ui/message_box.h"
#include "templates/command_ids.h"

#include <QLineEdit>

namespace {
constexpr int kPasswordId = 1171;
}

CTestPasswordDlg::CTestPasswordDlg(QWidget* parent)
    : CDialog(IDD_TEST_PASSWORD, parent)
{
}

QLineEdit* CTestPasswordDlg::PasswordEdit() const
{
    return GetDlgItemAs<QLineEdit>(kPasswordId);
}

bool CTestPasswordDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    TranslateWindow(this, IDD_TEST_PASSWORD);
    return true;
}

void CTestPasswordDlg::OnOK()
{
    const QLineEdit* edit = PasswordEdit();
    const std::string typed = edit ? edit->text().toStdString() : std::string();
    if (!TestModeRadio::PasswordMatches(typed, SettingsFile())) {
        ShowMessageBox(this, LoadLangString("IDS_ERROR_PASSWORD"), LoadLangString("IDS_ERROR"),
            MB_OK | MB_ICONERROR);
        return;
    }
    CVelmarApp* app = CVelmarApp::Instance();
    CVelmarDoc* document = app ? app->GetVelmarDoc() : nullptr;
    if (!document)
        return;
    // The read goes into a copy first: a radio that stops answering half way
    // must not leave the document a mix of two memories.
    RadioImage image = document->Image();
    TestModeOutcome outcome;
    {
        CWaitCursor wait;
        TestModeRadio radio(app->GetSerialLink(), SettingsFile(), image.bytes.data());
        outcome = radio.FullRead();
    }
    if (outcome != TestModeOutcome::Ok) {
        ShowTestModeOutcome(this, outcome);
        return;
    }
    document->Image() = image;
    CTestModeDlg calibration(this);
    calibration.DoModal();
}

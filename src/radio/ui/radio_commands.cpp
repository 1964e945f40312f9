// The radio commands of the main frame (Read 32771, Write 32772, Test Mode
// 32779) and the application's port command (32773): each runs its dialog
// modally on the stack. UI thread only.

#include "radio/ui/port_dlg.h"
#include "radio/ui/test_password_dlg.h"
#include "radio/ui/transfer_dlg.h"
#include "radio/ui/verify_dlg.h"
#include "radio/transfer_status.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/velmar_app.h"

void CMainFrame::OnReadRadio()
{
    CTransferDlg dialog(this);
    dialog.isRead = 1;
    dialog.DoModal();
}

void CMainFrame::OnWriteRadio()
{
    CTransferDlg dialog(this);
    dialog.isRead = 0;
    dialog.DoModal();
    if (dialog.Outcome() == WriteDone && dialog.VerifyAfterWrite()) {
        CVerifyDlg verify(this);
        verify.autoStart = true;
        verify.DoModal();
    }
}

void CMainFrame::OnTestMode()
{
    CTestPasswordDlg dialog(this);
    dialog.DoModal();
}

void CVelmarApp::OnPortDialog()
{
    CPortDlg dialog(GetMainWnd());
    dialog.DoModal();
}

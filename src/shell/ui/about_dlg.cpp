#include "shell/ui/about_dlg.h"

#include "platform/ui/translate_window.h"
#include "templates/command_ids.h"

CAboutDlg::CAboutDlg(QWidget* parent)
    : CDialog(IDD_ABOUTBOX, parent)
{
}

bool CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    TranslateWindow(this, IDD_ABOUTBOX);
    return true;
}

#include "editor/velmar_view.h"

#include "model/velmar_doc.h"
#include "platform/profile.h"
#include "platform/ui/dialog_builder.h"
#include "platform/ui/translate_window.h"
#include "shell/lang_string.h"
#include "shell/settings_file.h"
#include "shell/ui/velmar_app.h"
#include "templates/command_ids.h"

#include <QString>

#include <string>

namespace {
constexpr int kPasswordLabel = 1041;
constexpr int kPasswordEdit = 1042;
}

CVelmarView::CVelmarView(QWidget* parent)
    : CView(parent)
{
    setObjectName(QStringLiteral("velmarView"));
    if (const DialogTemplate* form = FindDialogTemplate(IDD_VELMAR_FORM))
        resize(DialogBuilder::Build(this, *form));
}

CVelmarDoc* CVelmarView::GetDocument() const
{
    return dynamic_cast<CVelmarDoc*>(CView::GetDocument());
}

QWidget* CVelmarView::GetDlgItem(int id) const
{
    return DialogBuilder::FindControl(this, id);
}

void CVelmarView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    if (CVelmarApp* app = CVelmarApp::Instance())
        app->TranslateMenu();
    ApplyPasswordVisibility();
}

void CVelmarView::OnUpdate(CDocumentView*, long)
{
    if (QWidget* frame = window(); frame && frame != this)
        frame->setWindowTitle(QString::fromStdString(LoadLangString("IDS_WINDOWNAME")));
    RefreshSettings();
}

void CVelmarView::RefreshSettings()
{
    TranslateWindow(this, IDD_VELMAR_FORM);
}

void CVelmarView::ApplyPasswordVisibility()
{
    const std::string password = GetPrivateProfileString("setup", "password", "1", 8, SettingsFile());
    const bool visible = !password.empty() && password[0] == '1';
    for (int id : {kPasswordEdit, kPasswordLabel}) {
        if (QWidget* control = GetDlgItem(id))
            control->setVisible(visible);
    }
}

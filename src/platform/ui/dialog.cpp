#include "platform/ui/dialog.h"

#include <QAbstractButton>
#include <QString>

CDialog::CDialog(int templateId, QWidget* parent, const ControlFactory& factory)
    : QDialog(parent)
    , m_templateId(templateId)
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
        | Qt::WindowSystemMenuHint);
    if (const DialogTemplate* t = FindDialogTemplate(templateId)) {
        setWindowTitle(QString::fromUtf8(t->caption ? t->caption : ""));
        setFixedSize(DialogBuilder::Build(this, *t, factory));
    }
    if (auto* ok = GetDlgItemAs<QAbstractButton>(1))
        connect(ok, &QAbstractButton::clicked, this, [this] { OnOK(); });
    if (auto* cancel = GetDlgItemAs<QAbstractButton>(2))
        connect(cancel, &QAbstractButton::clicked, this, [this] { OnCancel(); });
}

int CDialog::DoModal()
{
    OnInitDialog();
    return exec();
}

void CDialog::EndDialog(int result)
{
    done(result);
}

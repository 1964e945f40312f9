#pragma once
// A modal dialog built from a dialog template: OnInitDialog before it shows,
// OnOK for button 1 (and Enter on the default button), OnCancel for button 2,
// Esc and the close box. DoModal returns only when the dialog has closed.
// UI thread only.

#include "platform/ui/dialog_builder.h"

#include <QDialog>

class CDialog : public QDialog {
    Q_OBJECT
public:
    explicit CDialog(int templateId, QWidget* parent = nullptr, const ControlFactory& factory = {});

    // Runs the dialog modally; IDOK or IDCANCEL (or what EndDialog was given).
    int DoModal();

    int TemplateId() const { return m_templateId; }
    QWidget* GetDlgItem(int id) const { return DialogBuilder::FindControl(this, id); }

    template <typename T>
    T* GetDlgItemAs(int id) const { return qobject_cast<T*>(GetDlgItem(id)); }

    void EndDialog(int result);

protected:
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(1); }
    virtual void OnCancel() { EndDialog(2); }

    void reject() override { OnCancel(); }
    void accept() override { OnOK(); }

private:
    int m_templateId;
};

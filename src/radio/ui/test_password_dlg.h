#pragma once
// The test-mode password dialog (template 139): the right [setup] testpw
// reads the radio's first kilobyte, calibration included, into the document
// and opens the calibration dialog; wrong passwords and radio failures keep
// this dialog open. UI thread only; the read blocks it (busy cursor shown).

#include "platform/ui/dialog.h"

class QLineEdit;

class CTestPasswordDlg : public CDialog {
    Q_OBJECT
public:
    explicit CTestPasswordDlg(QWidget* parent = nullptr);

    QLineEdit* PasswordEdit() const;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
};

#pragma once
// The About box (dialog 100): the application icon, the product and version
// line and one further line, translated when it opens. No buttons; Esc or
// the close box ends it. UI thread only.

#include "platform/ui/dialog.h"

class CAboutDlg : public CDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

protected:
    bool OnInitDialog() override;
};

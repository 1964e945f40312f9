#pragma once
// The port dialog (template 130): COM1..COM8, each probed when the dialog
// opens so that a port that is missing or held elsewhere cannot be chosen;
// OK stores a changed choice under [setup] com. The application's link is
// left closed. UI thread only (the probing blocks it briefly).

#include "platform/ui/dialog.h"

class QAbstractButton;

class CPortDlg : public CDialog {
    Q_OBJECT
public:
    explicit CPortDlg(QWidget* parent = nullptr);

    // The radio button of port n (1..8), or nullptr.
    QAbstractButton* PortButton(int port) const;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void OnSearchClicked();
};

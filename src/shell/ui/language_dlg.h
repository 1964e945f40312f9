#pragma once
// The language dialog (dialog 131): lists every language file beside the
// executable by its display name with the current one selected; OK makes the
// chosen file the language file, stores it in setting.ini and refreshes the
// menu and the view at once. UI thread only.

#include "platform/ui/dialog.h"

#include <string>
#include <vector>

class QComboBox;

class CLanguageDlg : public CDialog {
    Q_OBJECT
public:
    explicit CLanguageDlg(QWidget* parent = nullptr);

    QComboBox* List() const;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    struct LanguageEntry {
        std::string path;  // full path of the .lang file
        std::string name;  // file name without the extension
        std::string disp;  // [Face] disp; empty entries are not listed
    };
    // The *.lang files of the executable directory, in name order.
    static std::vector<LanguageEntry> FindLanguageFiles();
};

#include "radio/ui/port_dlg.h"

#include "platform/profile.h"
#include "platform/ui/message_box.h"
#include "platform/ui/translate_window.h"
#include "radio/port_diagnosis.h"
#include "radio/serial_link.h"
#include "shell/lang_string.h"
#include "shell/settings_file.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/velmar_app.h"
#include "templates/command_ids.h"

#include <QAbstractButton>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <string>

namespace {
constexpr int kFirstPortButton = 1000;
constexpr int kPortCount = 8;
constexpr int kSearchId = 1012;

int ConfiguredPort()
{
    return GetPrivateProfileInt("setup", "com", 1, SettingsFile());
}

void WriteSetupKey(QWidget* owner, const char* key, const std::string& value)
{
    std::string error;
    if (!WritePrivateProfileString("setup", key, value, SettingsFile(), &error)) {
        ShowMessageBox(owner, LoadLangString("IDS_ERROR_PORT_WRITE") + "\n" + error,
            LoadLangString("IDS_ERROR"), MB_OK | MB_ICONERROR);
    }
}

// The device, the node a stable /dev/serial/by-id name leads to, and for a USB
// cable the adapter's maker, product and IDs, so two cables can be told apart.
QString PortToolTip(const std::string& device)
{
    QStringList lines { QString::fromStdString(device) };
    std::error_code ec;
    const std::string real = std::filesystem::canonical(device, ec).string();
    if (!ec && real != device)
        lines << QStringLiteral("-> ") + QString::fromStdString(real);
    const std::string adapter = DescribeUsbAdapter(ReadUsbAdapterInfo(device));
    if (!adapter.empty())
        lines << QString::fromStdString(adapter);
    return lines.join(QLatin1Char('\n'));
}
}

CPortDlg::CPortDlg(QWidget* parent)
    : CDialog(IDD_PORT, parent)
{
    if (auto* search = GetDlgItemAs<QAbstractButton>(kSearchId))
        connect(search, &QAbstractButton::clicked, this, [this] { OnSearchClicked(); });
}

QAbstractButton* CPortDlg::PortButton(int port) const
{
    return GetDlgItemAs<QAbstractButton>(kFirstPortButton + port);
}

bool CPortDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    TranslateWindow(this, IDD_PORT);
    const int com = ConfiguredPort();
    CVelmarApp* app = CVelmarApp::Instance();
    if (!app)
        return true;
    SerialLink& link = app->GetSerialLink();
    // The configured port must be free, or probing would find it busy.
    link.Close();
    for (int n = 1; n <= kPortCount; ++n) {
        QAbstractButton* button = PortButton(n);
        if (!button)
            continue;
        button->setToolTip(PortToolTip(link.DevicePath(n)));
        if (n == com)
            button->setChecked(true);
        if (link.Open(n, 9600)) {
            link.Close();
            button->setChecked(n == com);
        } else {
            button->setEnabled(false);
        }
    }
    if (auto* search = GetDlgItemAs<QAbstractButton>(kSearchId))
        search->setChecked(GetPrivateProfileInt("setup", "searchcom", 1, SettingsFile()) != 0);
    return true;
}

void CPortDlg::OnOK()
{
    CVelmarApp* app = CVelmarApp::Instance();
    for (int n = 1; n <= kPortCount; ++n) {
        const QAbstractButton* button = PortButton(n);
        if (!button || !button->isChecked())
            continue;
        if (n != ConfiguredPort()) {
            if (app)
                app->GetSerialLink().Close();
            WriteSetupKey(this, "com", std::to_string(n));
        }
        break;
    }
    if (CMainFrame* frame = app ? app->GetMainFrame() : nullptr)
        frame->ShowPort(ConfiguredPort());
    CDialog::OnOK();
}

void CPortDlg::OnSearchClicked()
{
    if (const auto* search = GetDlgItemAs<QAbstractButton>(kSearchId))
        WriteSetupKey(this, "searchcom", search->isChecked() ? "1" : "0");
}

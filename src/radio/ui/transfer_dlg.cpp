#include "radio/ui/transfer_dlg.h"

#include "model/velmar_doc.h"
#include "platform/ui/message_box.h"
#include "platform/ui/translate_window.h"
#include "radio/port_diagnosis.h"
#include "radio/serial_link.h"
#include "radio/transfer_worker.h"
#include "shell/lang_string.h"
#include "shell/settings_file.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/velmar_app.h"
#include "templates/command_ids.h"

#include "platform/profile.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>

#include <algorithm>

namespace {
constexpr int kStatusId = 1010;
constexpr int kProgressId = 1009;
constexpr int kVerifyId = 1190;
constexpr int kTimerMs = 20;
constexpr int kProgressMax = 1024;
constexpr int kEndDialogResult = 5;
constexpr unsigned char kEndCommand = 0x62;

SerialLink* AppLink()
{
    CVelmarApp* app = CVelmarApp::Instance();
    return app ? &app->GetSerialLink() : nullptr;
}
}

CTransferDlg::CTransferDlg(QWidget* parent)
    : CDialog(IDD_TRANSFER, parent)
{
    m_timer.setInterval(kTimerMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { OnTimer(); });
}

CTransferDlg::~CTransferDlg()
{
    Shutdown();
}

QProgressBar* CTransferDlg::Progress() const
{
    return GetDlgItemAs<QProgressBar>(kProgressId);
}

bool CTransferDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    TranslateWindow(this, IDD_TRANSFER);
    setWindowTitle(QString::fromStdString(LoadLangString(isRead ? "IDS_READDATA" : "IDS_WRITEDATA")));
    if (QProgressBar* bar = Progress()) {
        bar->setRange(0, kProgressMax);
        bar->setValue(0);
    }
    // Only a write offers the verify read; the choice is kept in setting.ini.
    if (auto* verify = GetDlgItemAs<QCheckBox>(kVerifyId); verify && !isRead) {
        verify->setChecked(GetPrivateProfileInt("setup", "verify", 0, SettingsFile()) != 0);
        verify->setVisible(true);
        connect(verify, &QCheckBox::toggled, this, [](bool on) {
            WritePrivateProfileString("setup", "verify", on ? "1" : "0", SettingsFile());
        });
    }
    return true;
}

bool CTransferDlg::VerifyAfterWrite() const
{
    const auto* verify = GetDlgItemAs<QCheckBox>(kVerifyId);
    return !isRead && verify && verify->isChecked();
}

void CTransferDlg::OnOK()
{
    // A retry comes only after a final outcome, so the previous worker has
    // returned or is about to; it must be gone before its buffer is reused.
    StopWorker();
    CVelmarApp* app = CVelmarApp::Instance();
    CVelmarDoc* document = app ? app->GetVelmarDoc() : nullptr;
    if (!document)
        return;
    m_image = document->Image().bytes;
    SerialLink& link = app->GetSerialLink();
    link.SetBaudRate(9600);

    m_job.port = &link;
    m_job.settingsPath = SettingsFile();
    m_job.isRead = isRead;
    m_job.status = Idle;
    m_job.image = m_image.data();
    m_job.progress = 0;
    m_job.cancel = 0;
    m_job.foundPort = -1;
    m_startCom = GetPrivateProfileInt("setup", "com", 1, SettingsFile());
    m_searchShown = false;
    m_statusText = LoadLangString(isRead ? "IDS_PROMPT_READ" : "IDS_PROMPT_WRITE");

    m_thread = std::thread([job = &m_job] { TransferWorker(job); });
    if (QWidget* ok = GetDlgItem(IDOK))
        ok->setEnabled(false);
    m_timer.start();
    UpdateStatusText();
}

void CTransferDlg::OnCancel()
{
    Shutdown();
    CDialog::OnCancel();
}

void CTransferDlg::done(int result)
{
    // Esc, the close box and every outcome that ends the dialog pass here.
    Shutdown();
    CDialog::done(result);
}

void CTransferDlg::StopWorker()
{
    if (!m_thread.joinable())
        return;
    m_job.cancel = 1;
    m_thread.join();
    // The timer may have missed the port the search settled on (it is shown
    // only while the search runs), or shown one it passed over.
    const int com = GetPrivateProfileInt("setup", "com", 1, SettingsFile());
    CVelmarApp* app = CVelmarApp::Instance();
    if ((m_searchShown || com != m_startCom) && app && app->GetMainFrame())
        app->GetMainFrame()->ShowPort(com);
}

void CTransferDlg::Shutdown()
{
    m_timer.stop();
    StopWorker();
    if (SerialLink* link = AppLink())
        link->Close();
}

void CTransferDlg::UpdateStatusText()
{
    if (auto* label = GetDlgItemAs<QLabel>(kStatusId))
        label->setText(QString::fromStdString(m_statusText));
}

void CTransferDlg::FailWithBox(const char* textKey)
{
    Shutdown();
    ShowMessageBox(this, LoadLangString(textKey), LoadLangString("IDS_ERROR"), MB_OK | MB_ICONERROR);
    EndDialog(kEndDialogResult);
}

void CTransferDlg::FailForRetry(const char* textKey)
{
    Shutdown();
    m_statusText = LoadLangString(textKey);
    UpdateStatusText();
    if (QWidget* ok = GetDlgItem(IDOK))
        ok->setEnabled(true);
}

void CTransferDlg::OnTimer()
{
    CVelmarApp* app = CVelmarApp::Instance();
    const int progress = m_job.progress;
    if (m_job.foundPort > 0 && app && app->GetMainFrame()) {
        app->GetMainFrame()->ShowPort(progress);
        m_searchShown = true;
    }

    switch (m_job.status) {
    case Idle:
        break;
    case SearchingPort:
        m_statusText = LoadLangString("IDS_SEARCHCOMPORT") + std::string(static_cast<std::size_t>(progress % 16), '.');
        UpdateStatusText();
        break;
    case Reading:
    case Writing:
        m_statusText = LoadLangString(isRead ? "IDS_PROMPT_READ" : "IDS_PROMPT_WRITE") + " "
            + std::to_string(progress) + "%";
        if (QProgressBar* bar = Progress())
            bar->setValue(std::clamp(progress * kProgressMax / 100, 0, kProgressMax));
        UpdateStatusText();
        break;
    case PortError:
        // A port this user may not open gets its device and group named.
        Shutdown();
        ShowMessageBox(this, PortErrorMessage(GetPrivateProfileInt("setup", "com", 1, SettingsFile()), SettingsFile()),
            LoadLangString("IDS_ERROR"), MB_OK | MB_ICONERROR);
        EndDialog(kEndDialogResult);
        break;
    case TypeError:
        FailWithBox("IDS_ERROR_TYPE");
        break;
    case PasswordError:
        FailWithBox("IDS_ERROR_PASSWORD");
        break;
    case ReadFailed:
        FailForRetry("IDS_PROMPT_READFAIL");
        break;
    case WriteFailed:
        FailForRetry("IDS_PROMPT_WRITEFAIL");
        break;
    case ReadDone:
        Shutdown();
        if (CVelmarDoc* document = app ? app->GetVelmarDoc() : nullptr) {
            document->Image().bytes = m_image;
            app->RefreshUi();
        }
        EndDialog(kEndDialogResult);
        break;
    case WriteDone:
        // The worker has returned; the end command goes out before the port closes.
        m_timer.stop();
        StopWorker();
        if (SerialLink* link = AppLink())
            link->Write(&kEndCommand, 1, 1);
        Shutdown();
        EndDialog(kEndDialogResult);
        break;
    default:
        Shutdown();
        EndDialog(kEndDialogResult);
        break;
    }
}

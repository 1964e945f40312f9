#include "radio/ui/verify_dlg.h"

#include "model/image_diff.h"
#include "model/velmar_doc.h"
#include "platform/ui/message_box.h"
#include "platform/ui/translate_window.h"
#include "radio/serial_link.h"
#include "radio/transfer_worker.h"
#include "shell/lang_string.h"
#include "shell/settings_file.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/velmar_app.h"
#include "templates/command_ids.h"

#include <QLabel>
#include <QProgressBar>

#include <algorithm>

namespace {
constexpr int kStatusId = 1010;
constexpr int kProgressId = 1009;
constexpr int kTimerMs = 20;
constexpr int kProgressMax = 1024;
constexpr int kEndDialogResult = 5;

std::string Replace(std::string text, const std::string& value)
{
    if (const auto at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, value);
    return text;
}
}

CVerifyDlg::CVerifyDlg(QWidget* parent)
    : CDialog(IDD_TRANSFER, parent)
{
    m_timer.setInterval(kTimerMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { OnTimer(); });
}

CVerifyDlg::~CVerifyDlg()
{
    Shutdown();
}

std::string CVerifyDlg::ResultText(const RadioImage& document, const RadioImage& radio, bool* same)
{
    const auto differences = DiffImages(document, radio, RadioImage::kClonedSize, true);
    if (same)
        *same = differences.empty();
    if (differences.empty())
        return LoadLangString("IDS_VERIFY_SAME");
    const std::string file = LoadLangString("IDS_VERIFY_FILE");
    const std::string radioLabel = LoadLangString("IDS_VERIFY_RADIO");
    std::string text = LoadLangString("IDS_VERIFY_DIFFERS");
    const std::size_t shown = std::min(differences.size(), kShownDifferences);
    for (std::size_t i = 0; i < shown; ++i)
        text += "\n" + FormatImageDifference(differences[i], file, radioLabel);
    if (differences.size() > shown)
        text += "\n" + Replace(LoadLangString("IDS_VERIFY_MORE"), std::to_string(differences.size() - shown));
    return text;
}

bool CVerifyDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    TranslateWindow(this, IDD_TRANSFER);
    setWindowTitle(QString::fromStdString(LoadLangString("IDS_VERIFYDATA")));
    if (auto* bar = GetDlgItemAs<QProgressBar>(kProgressId)) {
        bar->setRange(0, kProgressMax);
        bar->setValue(0);
    }
    if (autoStart)
        QTimer::singleShot(0, this, [this] { OnOK(); });
    return true;
}

void CVerifyDlg::OnOK()
{
    StopWorker();
    CVelmarApp* app = CVelmarApp::Instance();
    CVelmarDoc* document = app ? app->GetVelmarDoc() : nullptr;
    if (!document)
        return;
    // The scratch image starts as the document, so the read password check
    // compares the radio with the document as a read would.
    m_image = document->Image();
    SerialLink& link = app->GetSerialLink();
    link.SetBaudRate(9600);
    m_job.port = &link;
    m_job.settingsPath = SettingsFile();
    m_job.isRead = 1;
    m_job.status = Idle;
    m_job.image = m_image.bytes.data();
    m_job.progress = 0;
    m_job.cancel = 0;
    m_job.foundPort = -1;
    m_matched = false;
    m_thread = std::thread([job = &m_job] { TransferWorker(job); });
    if (QWidget* ok = GetDlgItem(IDOK))
        ok->setEnabled(false);
    ShowStatus(LoadLangString("IDS_PROMPT_VERIFY"));
    m_timer.start();
}

void CVerifyDlg::OnCancel()
{
    Shutdown();
    CDialog::OnCancel();
}

void CVerifyDlg::done(int result)
{
    Shutdown();
    CDialog::done(result);
}

void CVerifyDlg::StopWorker()
{
    if (!m_thread.joinable())
        return;
    m_job.cancel = 1;
    m_thread.join();
}

void CVerifyDlg::Shutdown()
{
    m_timer.stop();
    StopWorker();
    if (CVelmarApp* app = CVelmarApp::Instance())
        app->GetSerialLink().Close();
}

void CVerifyDlg::ShowStatus(const std::string& text)
{
    if (auto* label = GetDlgItemAs<QLabel>(kStatusId))
        label->setText(QString::fromStdString(text));
}

void CVerifyDlg::Finish(const std::string& text, const char* captionKey, unsigned type)
{
    Shutdown();
    ShowMessageBox(this, text, LoadLangString(captionKey), type);
    EndDialog(kEndDialogResult);
}

void CVerifyDlg::OnTimer()
{
    CVelmarApp* app = CVelmarApp::Instance();
    const int progress = m_job.progress;
    if (m_job.foundPort > 0 && app && app->GetMainFrame())
        app->GetMainFrame()->ShowPort(progress);
    switch (m_job.status) {
    case Idle:
        break;
    case SearchingPort:
        ShowStatus(
            LoadLangString("IDS_SEARCHCOMPORT") + std::string(static_cast<std::size_t>(progress % 16), '.'));
        break;
    case Reading:
        ShowStatus(LoadLangString("IDS_PROMPT_VERIFY") + " " + std::to_string(progress) + "%");
        if (auto* bar = GetDlgItemAs<QProgressBar>(kProgressId))
            bar->setValue(std::clamp(progress * kProgressMax / 100, 0, kProgressMax));
        break;
    case PortError:
        Finish(LoadLangString("IDS_ERROR_PORTCONN"), "IDS_ERROR", MB_OK | MB_ICONERROR);
        break;
    case TypeError:
        Finish(LoadLangString("IDS_ERROR_TYPE"), "IDS_ERROR", MB_OK | MB_ICONERROR);
        break;
    case PasswordError:
        Finish(LoadLangString("IDS_ERROR_PASSWORD"), "IDS_ERROR", MB_OK | MB_ICONERROR);
        break;
    case ReadFailed:
        Shutdown();
        ShowStatus(LoadLangString("IDS_PROMPT_READFAIL"));
        if (QWidget* ok = GetDlgItem(IDOK))
            ok->setEnabled(true);
        break;
    case ReadDone: {
        Shutdown();
        CVelmarDoc* document = app ? app->GetVelmarDoc() : nullptr;
        if (!document) {
            EndDialog(kEndDialogResult);
            break;
        }
        const std::string text = ResultText(document->Image(), m_image, &m_matched);
        Finish(text, m_matched ? "IDS_PROMPT" : "IDS_ERROR",
            m_matched ? MB_OK | MB_ICONINFORMATION : MB_OK | MB_ICONEXCLAMATION);
        break;
    }
    default:
        Shutdown();
        EndDialog(kEndDialogResult);
        break;
    }
}

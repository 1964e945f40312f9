#pragma once
// The Read and Write dialog (template 132): OK starts TransferWorker on a
// thread of its own over a copy of the document's image, a 20 ms timer shows
// its progress and acts on its outcome. UI thread only; the worker shares only
// m_job (and through it m_image and the application's link), and every way
// out of the dialog cancels and joins the worker before the port is closed.

#include "model/radio_image.h"
#include "platform/ui/dialog.h"
#include "radio/transfer_job.h"

#include <QString>
#include <QTimer>

#include <array>
#include <cstdint>
#include <thread>

class QProgressBar;

class CTransferDlg : public CDialog {
    Q_OBJECT
public:
    explicit CTransferDlg(QWidget* parent = nullptr);
    ~CTransferDlg() override;

    // Set before DoModal: nonzero reads the radio, 0 writes it.
    int isRead = 0;

    QProgressBar* Progress() const;
    QString StatusText() const { return QString::fromStdString(m_statusText); }
    bool IsRunning() const { return m_timer.isActive(); }
    // After DoModal: the last transfer's outcome (a TransferStatus), and
    // whether a write asked to be verified ([setup] verify, the check box).
    int Outcome() const { return m_job.status; }
    bool VerifyAfterWrite() const;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void done(int result) override;

private:
    void OnTimer();
    void UpdateStatusText();
    // Asks the worker to stop and waits for it; it honours the request
    // between handshake tries, search steps and blocks. Then the port pane
    // shows the stored port again if the search showed or stored another.
    void StopWorker();
    // Timer off, worker joined, port closed: what every ending does first.
    void Shutdown();
    void FailWithBox(const char* textKey);
    void FailForRetry(const char* textKey);

    std::string m_statusText;
    QTimer m_timer;
    std::array<std::uint8_t, RadioImage::kSize> m_image {};
    TransferJob m_job;
    std::thread m_thread;
    // [setup] com when the transfer started, and whether the port pane has
    // shown a port the search tried since.
    int m_startCom = 0;
    bool m_searchShown = false;
};

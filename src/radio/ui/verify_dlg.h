#pragma once
// Verify Radio: on the transfer dialog's template, OK reads the radio with
// TransferWorker into a scratch image (the document stays untouched), then
// compares the transferred bytes with the document and lists the differences
// by channel and setting. UI thread only; the worker shares only m_job and,
// through it, m_image and the application's link, and is joined on every way out.

#include "model/radio_image.h"
#include "platform/ui/dialog.h"
#include "radio/transfer_job.h"

#include <QTimer>

#include <string>
#include <thread>

class CVerifyDlg : public CDialog
{
    Q_OBJECT
public:
    explicit CVerifyDlg(QWidget* parent = nullptr);
    ~CVerifyDlg() override;

    // Set before DoModal: start at once, as after a write, without OK.
    bool autoStart = false;

    // After DoModal: the outcome of the last read (a TransferStatus) and
    // whether the radio held the document's bytes.
    int Outcome() const { return m_job.status; }
    bool Matched() const { return m_matched; }

    // The text of the result box for a comparison: the "same" text, or the
    // differences (at most kShownDifferences lines, then how many more).
    static std::string ResultText(const RadioImage& document, const RadioImage& radio, bool* same = nullptr);
    static constexpr std::size_t kShownDifferences = 20;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void done(int result) override;

private:
    void OnTimer();
    void ShowStatus(const std::string& text);
    void StopWorker();
    void Shutdown();
    void Finish(const std::string& text, const char* captionKey, unsigned type);

    QTimer m_timer;
    RadioImage m_image;
    TransferJob m_job;
    std::thread m_thread;
    bool m_matched = false;
};

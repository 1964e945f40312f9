// The Read and Write dialog against the virtual radio: outcomes, retry,
// port search and Cancel while the worker runs.

#include "radio_ui/radio_ui_fixture.h"

#include "model/velmar_doc.h"
#include "radio/serial_link.h"
#include "radio/ui/transfer_dlg.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/velmar_app.h"
#include "templates/command_ids.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QSet>
#include <QWidget>

#include <algorithm>

namespace {
constexpr int kTransferBytes = 0x3F0;
constexpr int kProgressBarId = 1009;
constexpr int kSquelchListId = 1032;

bool SameBytes(const Memory& a, const Memory& b, int from, int to)
{
    return std::equal(a.begin() + from, a.begin() + to, b.begin() + from);
}

class TransferDlgTest : public RadioUiFixture {
protected:
    Memory DocBytes() const { return Doc()->Image().bytes; }

    // Runs the command, confirms its dialog with OK, and returns the dialog's title.
    QString ConfirmCommand(int commandId)
    {
        QString title;
        RunCommand(commandId, [&](QWidget* dialog) {
            title = dialog->windowTitle();
            ClickNow(dialog, IDOK);
            return true;
        });
        return title;
    }
};
}

TEST_F(TransferDlgTest, ReadReplacesTheDocumentAndRefreshesTheView)
{
    const Memory radioMemory = MarkedMemory();
    StartRadio(radioMemory);
    WriteSettings();
    StartApp();
    Doc()->Image().bytes[0x3F0] = 0x42; // the calibration block does not travel
    const Memory before = DocBytes();

    const QString title = ConfirmCommand(ID_READ_RADIO);

    EXPECT_EQ(title, QString::fromStdString(Text("IDS_READDATA")));
    const Memory after = DocBytes();
    EXPECT_TRUE(SameBytes(after, radioMemory, 0, kTransferBytes));
    EXPECT_TRUE(SameBytes(after, before, kTransferBytes, 4096));
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(App()->GetSerialLink().IsOpen());
    EXPECT_EQ(CountPcFrames(0x62), 0) << "a read ends without the end command";
    EXPECT_EQ(Doc()->GetSquelchLevel(), 3);
    auto* squelch = Frame()->findChild<QComboBox*>(QStringLiteral("ctl%1").arg(kSquelchListId));
    ASSERT_NE(squelch, nullptr);
    EXPECT_EQ(squelch->currentIndex(), 3) << "the settings panel shows the radio's squelch level";
}

TEST_F(TransferDlgTest, ReadFailingPartWayKeepsTheDocumentAndARetrySucceeds)
{
    const Memory radioMemory = MarkedMemory();
    // Three short replies for one block: the first attempt fails there.
    StartRadio(radioMemory, { "--short-block", "0x200:3" });
    WriteSettings();
    StartApp();
    const Memory before = DocBytes();

    int step = 0;
    bool okEnabledAfterFailure = false;
    bool documentKeptAfterFailure = false;
    QString failureText;
    int progressAtFailure = -1;
    RunCommand(ID_READ_RADIO, [&](QWidget* dialog) {
        auto* transfer = qobject_cast<CTransferDlg*>(dialog);
        if (!transfer)
            return false;
        QWidget* ok = transfer->GetDlgItem(IDOK);
        if (step == 0) {
            ClickNow(dialog, IDOK);
            step = 1;
            return false;
        }
        if (transfer->IsRunning() || !ok->isEnabled())
            return false;
        failureText = transfer->StatusText();
        okEnabledAfterFailure = ok->isEnabled();
        progressAtFailure = transfer->Progress()->value();
        documentKeptAfterFailure = DocBytes() == before;
        ClickNow(dialog, IDOK);
        return true;
    });

    EXPECT_EQ(failureText, QString::fromStdString(Text("IDS_PROMPT_READFAIL")));
    EXPECT_TRUE(okEnabledAfterFailure);
    EXPECT_GT(progressAtFailure, 0);
    EXPECT_TRUE(documentKeptAfterFailure);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(SameBytes(DocBytes(), radioMemory, 0, kTransferBytes)) << "the retry read everything";
    EXPECT_FALSE(App()->GetSerialLink().IsOpen());
}

TEST_F(TransferDlgTest, WriteSendsTheBlocksThenTheEndCommand)
{
    StartRadio(MarkedMemory());
    WriteSettings();
    StartApp();
    Doc()->Image().bytes[0x20] = 0x5A;
    Doc()->Image().bytes[0x3EF] = 0xA5;
    const Memory sent = DocBytes();

    const QString title = ConfirmCommand(ID_WRITE_RADIO);

    EXPECT_EQ(title, QString::fromStdString(Text("IDS_WRITEDATA")));
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(App()->GetSerialLink().IsOpen());
    EXPECT_TRUE(WaitForPcFrames(0x62, 1));
    const Memory radioMemory = StopAndReadMemory();
    std::vector<unsigned char> pcFirstBytes;
    for (const LoggedFrame& f : Frames()) {
        if (f.from == "PC" && !f.bytes.empty())
            pcFirstBytes.push_back(f.bytes[0]);
    }
    EXPECT_EQ(std::count(pcFirstBytes.begin(), pcFirstBytes.end(), 0x57), 126);
    ASSERT_FALSE(pcFirstBytes.empty());
    EXPECT_EQ(pcFirstBytes.back(), 0x62) << "the end command follows the last block";
    EXPECT_TRUE(SameBytes(radioMemory, sent, 0, kTransferBytes));
}

struct ErrorCase {
    const char* name;
    std::vector<std::string> radioArgs;
    std::map<std::string, std::string> setup;
    const char* textKey;
};

void PrintTo(const ErrorCase& c, std::ostream* out)
{
    *out << c.name;
}

class TransferErrorTest : public TransferDlgTest, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(TransferErrorTest, ShowsOneErrorBoxAndCloses)
{
    const ErrorCase& c = GetParam();
    StartRadio(MarkedMemory(), c.radioArgs);
    WriteSettings(c.setup);
    StartApp();
    const Memory before = DocBytes();

    RunCommand(ID_READ_RADIO, [&](QWidget* dialog) {
        ClickNow(dialog, IDOK);
        return true;
    });

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, Text(c.textKey));
    EXPECT_EQ(boxes[0].caption, Text("IDS_ERROR"));
    EXPECT_EQ(boxes[0].type, MB_OK | MB_ICONERROR);
    EXPECT_TRUE(DocBytes() == before);
    EXPECT_FALSE(App()->GetSerialLink().IsOpen());
}

INSTANTIATE_TEST_SUITE_P(Outcomes, TransferErrorTest,
    ::testing::Values(ErrorCase { "SilentRadio", { "--silent" }, {}, "IDS_ERROR_PORTCONN" },
        ErrorCase { "EmptyIdentification", { "--ident-length", "0" }, {}, "IDS_ERROR_PORTCONN" },
        ErrorCase { "ShortIdentification", { "--ident-length", "5" }, {}, "IDS_ERROR_TYPE" },
        ErrorCase { "OtherReadPassword", { "--password", "1234" }, { { "password", "1" } },
            "IDS_ERROR_PASSWORD" }),
    [](const ::testing::TestParamInfo<ErrorCase>& info) { return std::string(info.param.name); });

TEST_F(TransferDlgTest, SearchFindsTheRadioOnAnotherPortAndTheStatusBarFollows)
{
    const Memory radioMemory = MarkedMemory();
    StartRadio(radioMemory);
    // COM2 opens but nothing answers there: the search spends its ten
    // handshake tries on it before it reaches the radio on COM3.
    Pty silent;
    WriteSettings({ { "searchcom", "1" } }, { { 2, silent.path() }, { 3, radio->path() } });
    StartApp();
    ASSERT_EQ(Frame()->PortText(), QStringLiteral("COM1"));

    QSet<QString> statusTexts;
    QSet<QString> portTexts;
    RunCommand(ID_READ_RADIO, [&](QWidget* dialog) {
        auto* transfer = qobject_cast<CTransferDlg*>(dialog);
        if (!transfer)
            return false;
        if (!transfer->IsRunning() && transfer->GetDlgItem(IDOK)->isEnabled()) {
            ClickNow(dialog, IDOK);
            return false;
        }
        statusTexts.insert(transfer->StatusText());
        portTexts.insert(Frame()->PortText());
        return false; // watch until the dialog closes
    });

    EXPECT_TRUE(statusTexts.contains(QString::fromStdString(Text("IDS_SEARCHCOMPORT") + "..")))
        << "two dots while port 2 is tried";
    EXPECT_TRUE(portTexts.contains(QStringLiteral("COM2")));
    EXPECT_EQ(Frame()->PortText(), QStringLiteral("COM3"));
    EXPECT_EQ(SetupValue("com"), "3");
    EXPECT_TRUE(SameBytes(Doc()->Image().bytes, radioMemory, 0, kTransferBytes));
    EXPECT_TRUE(boxes.empty());
}

struct CancelCase {
    const char* name;
    std::vector<std::string> radioArgs;
    bool waitForBlocks;
};

void PrintTo(const CancelCase& c, std::ostream* out)
{
    *out << c.name;
}

class TransferCancelTest : public TransferDlgTest, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(TransferCancelTest, CancelReturnsAtOnceAndLeavesTheDocument)
{
    const CancelCase& c = GetParam();
    StartRadio(MarkedMemory(), c.radioArgs);
    WriteSettings();
    StartApp();
    const Memory before = DocBytes();

    int step = 0;
    qint64 cancelMs = -1;
    RunCommand(ID_READ_RADIO, [&](QWidget* dialog) {
        auto* transfer = qobject_cast<CTransferDlg*>(dialog);
        if (!transfer)
            return false;
        if (step == 0) {
            ClickNow(dialog, IDOK);
            step = 1;
            return false;
        }
        // Mid-handshake once the radio has logged the first try; mid-blocks
        // once a percentage shows.
        const bool ready = c.waitForBlocks ? transfer->StatusText().contains(QLatin1Char('%'))
                                           : CountPcFrames(0x02) >= 1;
        if (!ready)
            return false;
        QElapsedTimer cancel;
        cancel.start();
        ClickNow(dialog, IDCANCEL);
        cancelMs = cancel.elapsed();
        return true;
    });

    EXPECT_GE(cancelMs, 0);
    EXPECT_LT(cancelMs, 500) << "Cancel waits for the worker only as long as one short wait";
    EXPECT_TRUE(DocBytes() == before);
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(App()->GetSerialLink().IsOpen());
    const int requests = CountPcFrames(0x52);
    EXPECT_LT(requests, 126);
    if (c.waitForBlocks) {
        EXPECT_GT(requests, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Moments, TransferCancelTest,
    ::testing::Values(CancelCase { "DuringHandshake", { "--silent" }, false },
        CancelCase { "DuringBlocks", { "--pace" }, true }),
    [](const ::testing::TestParamInfo<CancelCase>& info) { return std::string(info.param.name); });

TEST_F(TransferDlgTest, AFailedSearchLeavesTheStatusBarOnTheConfiguredPort)
{
    Pty silent;
    WriteSettings({ { "searchcom", "1" } }, { { 2, silent.path() } });
    StartApp();

    QSet<QString> portTexts;
    RunCommand(ID_READ_RADIO, [&](QWidget* dialog) {
        auto* transfer = qobject_cast<CTransferDlg*>(dialog);
        if (!transfer)
            return false;
        if (!transfer->IsRunning() && transfer->GetDlgItem(IDOK)->isEnabled()) {
            ClickNow(dialog, IDOK);
            return false;
        }
        portTexts.insert(Frame()->PortText());
        return false;
    });

    EXPECT_TRUE(portTexts.contains(QStringLiteral("COM2"))) << "the pane followed the search";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, Text("IDS_ERROR_PORTCONN"));
    EXPECT_EQ(Frame()->PortText(), QStringLiteral("COM1"));
    EXPECT_EQ(SetupValue("com"), "1");
}

#include "radio_ui/radio_ui_fixture.h"

#include "model/radio_image.h"
#include "model/velmar_doc.h"
#include "platform/profile.h"
#include "platform/ui/command_actions.h"
#include "shell/lang_string.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/velmar_app.h"
#include "support/radio_settings.h"
#include "templates/command_ids.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr std::size_t kHeaderSize = 48;

QWidget* Control(QWidget* dialog, int id)
{
    return dialog ? dialog->findChild<QWidget*>(QStringLiteral("ctl%1").arg(id), Qt::FindDirectChildrenOnly)
                  : nullptr;
}
}

Pty::Pty()
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master >= 0 && grantpt(m_master) == 0 && unlockpt(m_master) == 0)
        m_path = ptsname(m_master);
}

Pty::~Pty()
{
    if (m_master >= 0)
        ::close(m_master);
}

std::string Text(const char* key)
{
    return LoadLangString(key);
}

RadioUiFixture::RadioUiFixture()
{
    home.WriteEnglish();
}

RadioUiFixture::~RadioUiFixture()
{
    m_app.reset();
    radio.reset();
}

Memory RadioUiFixture::MarkedMemory()
{
    Memory memory {};
    const std::string& dump = FreshRadioDump();
    EXPECT_EQ(dump.size(), kHeaderSize + memory.size());
    if (dump.size() == kHeaderSize + memory.size())
        std::copy(dump.begin() + kHeaderSize, dump.end(), memory.begin());
    // Channel 1 receives on 146.52000 MHz; squelch level 3.
    const std::uint8_t rx[] = { 0x00, 0x20, 0x65, 0x14 };
    std::copy(std::begin(rx), std::end(rx), memory.begin() + RadioImage::kChannelSize);
    memory[RadioImage::kSquelchLevel] = 3;
    const std::uint8_t calibration[] = { 0, 255, 10, 20, 30, 40, 5, 0x77 };
    std::copy(std::begin(calibration), std::end(calibration), memory.begin() + 0x3F0);
    return memory;
}

void RadioUiFixture::StartRadio(const Memory& memory, std::vector<std::string> args)
{
    std::string file = FreshRadioDump().substr(0, kHeaderSize);
    file.append(memory.begin(), memory.end());
    TempDir::WriteFile(memoryFile, file);
    args.insert(args.begin(), { "--log", logFile, "--dump", dumpFile, "--memory", memoryFile });
    radio = std::make_unique<RadioSimProcess>(args);
    ASSERT_FALSE(radio->path().empty()) << "the virtual radio did not start";
}

void RadioUiFixture::WriteSettings(const std::map<std::string, std::string>& setup)
{
    WriteSettings(setup, { { 1, radio ? radio->path() : std::string() } });
}

void RadioUiFixture::WriteSettings(
    const std::map<std::string, std::string>& setup, const std::map<int, std::string>& ports)
{
    std::map<std::string, std::string> keys { { "com", "1" }, { "searchcom", "0" },
        { "communication", "VLMPROG" }, { "password", "0" }, { "testpw", "secret" },
        { "language", "english" }, { "channel", "16" } };
    for (const auto& [k, v] : setup)
        keys[k] = v;
    WriteRadioSettings(ini, keys, "data0=00400052\nFreq0=400-520MHz\ndata1=60134017\nFreq1=136-174MHz\n",
        ports, home.path());
}

void RadioUiFixture::StartApp()
{
    m_app = std::make_unique<CVelmarApp>();
    ASSERT_TRUE(m_app->InitInstance());
    ASSERT_NE(Frame(), nullptr);
    ASSERT_NE(Doc(), nullptr);
}

CMainFrame* RadioUiFixture::Frame() const
{
    return m_app ? m_app->GetMainFrame() : nullptr;
}

CVelmarDoc* RadioUiFixture::Doc() const
{
    return m_app ? m_app->GetVelmarDoc() : nullptr;
}

void RadioUiFixture::Drive(
    const std::function<void()>& modal, const std::function<bool(QWidget*)>& tick, int limitMs)
{
    bool scripted = false;
    bool timedOut = false;
    QElapsedTimer clock;
    clock.start();
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (clock.elapsed() > limitMs) {
            timedOut = true;
            if (auto* d = qobject_cast<QDialog*>(dialog))
                d->reject();
            return;
        }
        if (!scripted && dialog)
            scripted = tick(dialog);
    });
    timer.start();
    modal();
    timer.stop();
    EXPECT_FALSE(timedOut) << "a dialog was still open after " << limitMs << " ms";
}

void RadioUiFixture::RunCommand(int commandId, const std::function<bool(QWidget*)>& tick, int limitMs)
{
    ASSERT_NE(Frame(), nullptr);
    QAction* action = Frame()->Commands()->FindAction(commandId);
    ASSERT_NE(action, nullptr);
    Drive([action] { action->trigger(); }, tick, limitMs);
}

void RadioUiFixture::ClickLater(QWidget* dialog, int id)
{
    QPointer<QWidget> control = Control(dialog, id);
    ASSERT_FALSE(control.isNull()) << "no control " << id;
    QTimer::singleShot(0, [control] {
        if (control)
            QTest::mouseClick(control, Qt::LeftButton);
    });
}

void RadioUiFixture::ClickNow(QWidget* dialog, int id)
{
    QWidget* control = Control(dialog, id);
    ASSERT_NE(control, nullptr) << "no control " << id;
    QTest::mouseClick(control, Qt::LeftButton);
}

QString RadioUiFixture::ControlText(QWidget* dialog, int id)
{
    QWidget* control = Control(dialog, id);
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return edit->text();
    return {};
}

std::vector<LoggedFrame> RadioUiFixture::Frames() const
{
    return ReadFrameLog(logFile);
}

int RadioUiFixture::CountPcFrames(unsigned char first) const
{
    return ::CountPcFrames(logFile, first);
}

bool RadioUiFixture::WaitForPcFrames(unsigned char first, int count, int ms) const
{
    return ::WaitForPcFrames(logFile, first, count, ms) >= count;
}

Memory RadioUiFixture::StopAndReadMemory()
{
    Memory memory {};
    if (radio)
        radio->Stop();
    const std::string bytes = TempDir::ReadFile(dumpFile);
    EXPECT_EQ(bytes.size(), kHeaderSize + memory.size());
    if (bytes.size() == kHeaderSize + memory.size())
        std::copy(bytes.begin() + kHeaderSize, bytes.end(), memory.begin());
    return memory;
}

std::string RadioUiFixture::SetupValue(const std::string& key) const
{
    return GetPrivateProfileString("setup", key, "", 100, ini);
}

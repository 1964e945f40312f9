// The port dialog: probing with the application's link closed first, ports
// that cannot be opened disabled, the stored choice and the search switch.

#include "radio_ui/radio_ui_fixture.h"

#include "radio/serial_link.h"
#include "radio/ui/port_dlg.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/velmar_app.h"
#include "templates/command_ids.h"

#include <QAbstractButton>
#include <QWidget>

namespace {
constexpr int kSearchId = 1012;

struct ButtonState {
    bool enabled;
    bool checked;
    QString tooltip;
};

class PortDlgTest : public RadioUiFixture {
protected:
    // Opens the port dialog, records every radio button, then presses button.
    std::vector<ButtonState> RunDialog(int button, const std::function<void(CPortDlg*)>& before = {})
    {
        std::vector<ButtonState> states;
        RunCommand(ID_PORT, [&](QWidget* dialog) {
            auto* port = qobject_cast<CPortDlg*>(dialog);
            if (!port)
                return false;
            for (int n = 1; n <= 8; ++n) {
                const QAbstractButton* b = port->PortButton(n);
                states.push_back({ b->isEnabled(), b->isChecked(), b->toolTip() });
            }
            if (before)
                before(port);
            ClickNow(dialog, button);
            return true;
        });
        return states;
    }
};
}

TEST_F(PortDlgTest, ProbesEachPortWithTheApplicationsLinkClosedFirst)
{
    Pty free;
    Pty held;
    StartRadio(MarkedMemory());
    WriteSettings({ { "com", "1" } }, { { 1, radio->path() }, { 2, free.path() }, { 3, held.path() } });
    StartApp();
    // The application holds COM1 open; another program holds COM3.
    ASSERT_EQ(App()->GetSerialLink().Open(1, 9600), 1);
    SerialLink other;
    other.SetSettingsPath(ini);
    ASSERT_EQ(other.Open(3, 9600), 1);

    const std::vector<ButtonState> states = RunDialog(IDCANCEL);

    ASSERT_EQ(states.size(), 8u);
    EXPECT_TRUE(states[0].enabled && states[0].checked) << "COM1 was freed for probing and is the choice";
    EXPECT_TRUE(states[1].enabled && !states[1].checked);
    EXPECT_FALSE(states[2].enabled) << "COM3 is held by another open";
    for (int n = 4; n <= 8; ++n)
        EXPECT_FALSE(states[static_cast<std::size_t>(n - 1)].enabled) << "COM" << n << " does not exist";
    EXPECT_EQ(states[0].tooltip.toStdString(), radio->path());
    EXPECT_EQ(states[2].tooltip.toStdString(), held.path());
    EXPECT_FALSE(App()->GetSerialLink().IsOpen());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PortDlgTest, OkStoresAChangedPortAndTheStatusBarShowsIt)
{
    Pty one;
    Pty two;
    WriteSettings({ { "com", "1" } }, { { 1, one.path() }, { 2, two.path() } });
    StartApp();

    RunDialog(IDOK, [](CPortDlg* dialog) { dialog->PortButton(2)->click(); });

    EXPECT_EQ(SetupValue("com"), "2");
    EXPECT_EQ(Frame()->PortText(), QStringLiteral("COM2"));
}

TEST_F(PortDlgTest, OkWithoutAChangeLeavesTheSettingsFileAlone)
{
    Pty one;
    WriteSettings({ { "com", "1" } }, { { 1, one.path() } });
    StartApp();
    const std::string before = TempDir::ReadFile(ini);

    RunDialog(IDOK);

    EXPECT_EQ(TempDir::ReadFile(ini), before);
    EXPECT_EQ(Frame()->PortText(), QStringLiteral("COM1"));
}

TEST_F(PortDlgTest, APortBeyondTheEightStaysWhenNothingIsChosen)
{
    Pty one;
    WriteSettings({ { "com", "12" } }, { { 1, one.path() } });
    StartApp();

    const std::vector<ButtonState> states = RunDialog(IDOK);

    for (const ButtonState& s : states)
        EXPECT_FALSE(s.checked);
    EXPECT_EQ(SetupValue("com"), "12");
    EXPECT_EQ(Frame()->PortText(), QStringLiteral("COM12"));
}

TEST_F(PortDlgTest, TheHiddenSearchBoxShowsAndStoresSearchcom)
{
    WriteSettings({ { "searchcom", "0" } }, {});
    StartApp();

    bool hidden = false;
    bool checkedAtStart = true;
    RunDialog(IDCANCEL, [&](CPortDlg* dialog) {
        auto* search = dialog->GetDlgItemAs<QAbstractButton>(kSearchId);
        hidden = search->isHidden();
        checkedAtStart = search->isChecked();
        search->click();
    });

    EXPECT_TRUE(hidden);
    EXPECT_FALSE(checkedAtStart);
    EXPECT_EQ(SetupValue("searchcom"), "1") << "stored at once; Cancel does not undo it";
}

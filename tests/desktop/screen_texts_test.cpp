// Every text the shipped language files put on the screen: the main window
// (title, menus, toolbar tips, status bar, settings panel, channel table and
// the in-place lists) and every dialog the menus open, in both languages, on
// the offscreen platform. No text may read "Not Found", the English screens
// may not fall back to the templates' Chinese, and no visible label, button or
// frame title may be cut off by the control that holds it.

#include "editor/velmar_view.h"
#include "grid/grid_ctrl.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/ui/command_actions.h"
#include "platform/ui/message_box.h"
#include "radio/ui/test_mode_dlg.h"
#include "settings_fixture.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/velmar_app.h"
#include "templates/command_ids.h"
#include "templates/toolbar_template.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kLanguageList = 1014;

struct ScreenText
{
    std::string where;
    QString text;
    // Each language lists itself in its own script, whatever the interface language.
    bool ownScript = false;
};

bool HasCjk(const QString& text)
{
    for (const QChar c : text) {
        if ((c.unicode() >= 0x3000 && c.unicode() <= 0x9FFF)
            || (c.unicode() >= 0xFF00 && c.unicode() <= 0xFFEF))
            return true;
    }
    return false;
}

QString Where(const QWidget* w)
{
    const QVariant id = w->property("controlId");
    return QString::fromLatin1(w->metaObject()->className())
        + (id.isValid() ? QStringLiteral(" ") + QString::number(id.toInt()) : QString());
}

QString Visible(QString text)
{
    // "&&" is a literal ampersand; a single one marks the mnemonic.
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text.section(QLatin1Char('\t'), 0, 0);
}

// Why a visible control cuts its text off, or "" when it shows it whole.
std::string CutOff(const QWidget* w)
{
    if (!w->isVisibleTo(w->window()))
        return {};
    const QFontMetrics metrics(w->font());
    QString text;
    int room = w->width();
    int height = w->height();
    int flags = Qt::TextSingleLine;
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->text().isEmpty() || label->textFormat() != Qt::PlainText)
            return {};
        text = label->text();
        const QRect inner = label->contentsRect();
        room = inner.width() - 2 * label->margin();
        height = inner.height();
        flags = label->wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine;
    } else if (const auto* group = qobject_cast<const QGroupBox*>(w)) {
        text = Visible(group->title());
        room -= 2 * w->style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing);
        height = metrics.height();
    } else if (const auto* push = qobject_cast<const QPushButton*>(w)) {
        text = Visible(push->text());
        room -= 2 * w->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w);
    } else if (const auto* tool = qobject_cast<const QToolButton*>(w)) {
        if (tool->toolButtonStyle() == Qt::ToolButtonIconOnly)
            return {};
        text = Visible(tool->text());
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
        // Check boxes and radio buttons: the indicator and its gap come first.
        text = Visible(button->text());
        const bool radio = button->inherits("QRadioButton");
        room -= w->style()->pixelMetric(
                    radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth, nullptr, w)
            + w->style()->pixelMetric(
                radio ? QStyle::PM_RadioButtonLabelSpacing : QStyle::PM_CheckBoxLabelSpacing, nullptr, w);
    } else {
        return {};
    }
    if (text.isEmpty())
        return {};
    const QRect needed = metrics.boundingRect(QRect(0, 0, std::max(room, 1), 100000), flags, text);
    if (needed.width() <= room && needed.height() <= height)
        return {};
    return "\"" + text.toStdString() + "\" needs " + std::to_string(needed.width()) + "x"
        + std::to_string(needed.height()) + " px, has " + std::to_string(room) + "x" + std::to_string(height);
}

void CollectMenu(const QList<QAction*>& actions, const std::string& where, std::vector<ScreenText>& out)
{
    for (QAction* action : actions) {
        if (action->isSeparator())
            continue;
        out.push_back({ where, action->text() });
        if (action->menu())
            CollectMenu(
                action->menu()->actions(), where + " > " + Visible(action->text()).toStdString(), out);
    }
}

// The texts of root and everything inside it, hidden controls included.
std::vector<ScreenText> Collect(QWidget* root)
{
    std::vector<ScreenText> out;
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        const std::string where = Where(w).toStdString();
        if (w->isWindow())
            out.push_back({ where + " title", w->windowTitle() });
        out.push_back({ where + " tooltip", w->toolTip() });
        if (const auto* label = qobject_cast<QLabel*>(w))
            out.push_back({ where, label->text() });
        else if (const auto* button = qobject_cast<QAbstractButton*>(w))
            out.push_back({ where, button->text() });
        else if (const auto* group = qobject_cast<QGroupBox*>(w))
            out.push_back({ where, group->title() });
        else if (const auto* edit = qobject_cast<QLineEdit*>(w))
            out.push_back({ where, edit->text() });
        if (const auto* combo = qobject_cast<QComboBox*>(w)) {
            const bool languages = w->property("controlId").toInt() == kLanguageList;
            for (int i = 0; i < combo->count(); ++i)
                out.push_back({ where + " entry " + std::to_string(i), combo->itemText(i), languages });
        }
        if (const auto* grid = qobject_cast<CGridCtrl*>(w)) {
            for (int r = 0; r < grid->Rows(); ++r) {
                for (int c = 0; c < grid->Columns(); ++c)
                    out.push_back({ where + " cell " + std::to_string(r) + "," + std::to_string(c),
                        grid->CellText(r, c) });
            }
        }
        if (auto* bar = qobject_cast<QMenuBar*>(w))
            CollectMenu(bar->actions(), "menu", out);
    }
    return out;
}

// A started application on the shipped setting.ini and language files, with
// the ports mapped to devices that do not exist so nothing real is touched.
class ScreenTexts : public testing::TestWithParam<const char*>
{
protected:
    void SetUp() override
    {
        m_home = std::make_unique<ShippedHome>(GetParam());
        m_previousBoxes = SetMessageBoxHandler([this](const MessageBoxRecord& box) {
            m_boxes.push_back(box);
            return static_cast<int>(IDOK);
        });
        m_app = std::make_unique<CVelmarApp>();
        ASSERT_TRUE(m_app->InitInstance());
        m_frame = m_app->GetMainFrame();
        ASSERT_NE(m_frame, nullptr);
        m_frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_frame));
    }

    void TearDown() override
    {
        m_app.reset();
        SetMessageBoxHandler(m_previousBoxes);
        m_home.reset();
    }

    bool English() const { return std::string(GetParam()) == "english"; }

    void Check(const std::vector<ScreenText>& texts, const std::string& screen) const
    {
        for (const ScreenText& t : texts) {
            EXPECT_FALSE(t.text.contains(QStringLiteral("Not Found")))
                << GetParam() << ", " << screen << ": " << t.where;
            if (English() && !t.ownScript) {
                EXPECT_FALSE(HasCjk(t.text))
                    << screen << ": " << t.where << " shows \"" << t.text.toStdString() << "\"";
            }
        }
    }

    void CheckFit(QWidget* root, const std::string& screen) const
    {
        QList<QWidget*> widgets = root->findChildren<QWidget*>();
        for (QWidget* w : widgets) {
            const std::string why = CutOff(w);
            EXPECT_EQ(why, "") << GetParam() << ", " << screen << ": " << Where(w).toStdString()
                               << " cuts off its text";
        }
    }

    // Runs open (which shows a modal dialog and returns when it closes) and
    // inspects the dialog once it is up, then lets finish close it.
    void WithModal(const std::function<void()>& open, const std::string& screen,
        const std::function<void(QWidget*)>& finish = {})
    {
        bool seen = false;
        QTimer timer;
        timer.setInterval(10);
        QElapsedTimer clock;
        clock.start();
        QObject::connect(&timer, &QTimer::timeout, &timer, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!seen && modal && modal->isVisible()) {
                seen = true;
                Check(Collect(modal), screen);
                CheckFit(modal, screen);
                if (finish)
                    finish(modal);
                else
                    QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
            } else if (clock.elapsed() > 10000 && modal) {
                QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
            }
        });
        timer.start();
        open();
        timer.stop();
        EXPECT_TRUE(seen) << screen << " never showed";
    }

    void RunCommand(
        int commandId, const std::string& screen, const std::function<void(QWidget*)>& finish = {})
    {
        QAction* action = m_frame->Commands()->FindAction(commandId);
        ASSERT_NE(action, nullptr) << commandId;
        WithModal([action] { action->trigger(); }, screen, finish);
    }

    std::unique_ptr<ShippedHome> m_home;
    std::unique_ptr<CVelmarApp> m_app;
    CMainFrame* m_frame = nullptr;
    std::vector<MessageBoxRecord> m_boxes;
    MessageBoxHandler m_previousBoxes;
};

TEST_P(ScreenTexts, MainWindowShowsEveryTextWhole)
{
    std::vector<ScreenText> texts = Collect(m_frame);
    if (const ToolbarTemplate* toolbar = FindToolbarTemplate(IDR_MAINFRAME)) {
        for (std::size_t i = 0; i < toolbar->count; ++i) {
            if (toolbar->commands[i] != 0)
                texts.push_back({ "toolbar tip " + std::to_string(toolbar->commands[i]),
                    QString::fromStdString(CMainFrame::TooltipText(toolbar->commands[i])) });
        }
    }
    Check(texts, "main window");
    CheckFit(m_frame, "main window");
    EXPECT_TRUE(FileExists(CMainFrame::HelpFilePath())) << CMainFrame::HelpFilePath();
}

TEST_P(ScreenTexts, EveryDialogShowsEveryTextWhole)
{
    RunCommand(ID_APP_ABOUT, "About");
    RunCommand(ID_LANGUAGE, "Language");
    RunCommand(ID_PORT, "Communication port");
    RunCommand(ID_READ_RADIO, "Read");
    RunCommand(ID_WRITE_RADIO, "Write");
    RunCommand(ID_VERIFY_RADIO, "Verify");
    RunCommand(ID_TEST_MODE, "Test-mode password");
    CTestModeDlg calibration(m_frame);
    WithModal([&calibration] { calibration.DoModal(); }, "Test mode");
}

TEST_P(ScreenTexts, PortDialogTipsNameTheDevices)
{
    // COM2 through a stable name, as /dev/serial/by-id/... links are used.
    const std::string node = m_home->Path() + "/ttyNode";
    const std::string link = m_home->Path() + "/usb-Example_Cable-if00-port0";
    TempDir::WriteFile(node, "");
    std::filesystem::create_symlink(node, link);
    WritePrivateProfileString("ports", "COM2", link, m_home->Path() + "/setting.ini");
    RunCommand(ID_PORT, "Communication port", [this, link, node](QWidget* dialog) {
        for (int n = 1; n <= 8; ++n) {
            QWidget* button = dialog->findChild<QWidget*>(QStringLiteral("ctl%1").arg(1000 + n));
            ASSERT_NE(button, nullptr) << n;
            const std::string device = n == 2 ? link : m_home->Device(n);
            EXPECT_TRUE(button->toolTip().startsWith(QString::fromStdString(device)))
                << n << ": " << button->toolTip().toStdString();
        }
        auto* second = dialog->findChild<QWidget*>(QStringLiteral("ctl1002"));
        ASSERT_NE(second, nullptr);
        EXPECT_TRUE(second->toolTip().contains(QString::fromStdString("-> " + node)))
            << second->toolTip().toStdString();
        QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
    });
}

// A radio that cannot be reached still gets a message in the user's language.
TEST_P(ScreenTexts, ReadWithoutARadioExplainsItself)
{
    RunCommand(ID_READ_RADIO, "Read", [](QWidget* dialog) {
        auto* ok = dialog->findChild<QAbstractButton*>(QStringLiteral("ctl1"));
        ASSERT_NE(ok, nullptr);
        QMetaObject::invokeMethod(ok, "click", Qt::QueuedConnection);
    });
    ASSERT_FALSE(m_boxes.empty());
    for (const MessageBoxRecord& box : m_boxes) {
        Check({ { "message text", QString::fromStdString(box.text) },
                  { "message caption", QString::fromStdString(box.caption) } },
            "port error");
    }
}

INSTANTIATE_TEST_SUITE_P(Shipped, ScreenTexts, testing::Values("english", "chinese"));

} // namespace

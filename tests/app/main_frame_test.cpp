// The main frame: tooltips, menu translation, accelerators, help file
// choice, the About box and the serial port closed with the window.

#include "app/gui_helpers.h"
#include "app/shell_fixture.h"
#include "platform/ui/command_actions.h"
#include "shell/settings_file.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/velmar_app.h"
#include "templates/accel_template.h"
#include "templates/command_ids.h"

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>
#include <string>

namespace {
// 25 ASCII characters; "新建一个空白的数据文件" is 11 characters of 3 bytes each.
const char* const kTipStrings =
    "IDS_TIP_57600=Create a new empty data set\n"
    "IDS_TIP_57601=新建一个空白的数据文件\n"
    "IDS_TIP_32771=Read\n";

class MainFrame : public ::testing::Test {
protected:
    void Start(const std::string& setup = "language=english")
    {
        f.WriteSettings(setup);
        f.WriteFile("english.lang", TestLanguage("English", "EnglishFile", kTipStrings));
        ASSERT_TRUE(f.Start());
    }

    QToolButton* ToolButton(int id) const
    {
        QAction* action = f.Frame()->Commands()->FindAction(id);
        return qobject_cast<QToolButton*>(f.Frame()->ToolBar()->widgetForAction(action));
    }

    ShellFixture f;
};
}

struct TooltipCase {
    const char* name;
    int id;
    const char* text;
};

void PrintTo(const TooltipCase& c, std::ostream* out)
{
    *out << c.name;
}

class Tooltip : public MainFrame, public ::testing::WithParamInterface<TooltipCase> {};

TEST_P(Tooltip, TextIsCutTo19BytesOnCharacterBoundary)
{
    Start();
    EXPECT_EQ(CMainFrame::TooltipText(GetParam().id), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Cases, Tooltip,
    ::testing::Values(TooltipCase{"Ascii25", 57600, "Create a new empty "},
        TooltipCase{"Utf8NotSplit", 57601, "新建一个空白"},
        TooltipCase{"Short", 32771, "Read"},
        TooltipCase{"MissingKey", 57603, "Not Found"},
        TooltipCase{"NoCommand", 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainFrame, ToolbarButtonShowsTranslatedTooltipOnHover)
{
    Start();
    ASSERT_TRUE(ActivateWindow(f.Frame()));
    QToolButton* button = ToolButton(ID_FILE_NEW);
    ASSERT_NE(button, nullptr);
    const QPoint local = button->rect().center();
    QHelpEvent help(QEvent::ToolTip, local, button->mapToGlobal(local));
    QApplication::sendEvent(button, &help);
    EXPECT_EQ(QToolTip::text().toStdString(), "Create a new empty ");
    QToolTip::hideText();
}

TEST_F(MainFrame, MenuIsTranslatedByPositionAndCommand)
{
    Start();
    const QList<QAction*> top = f.Frame()->menuBar()->actions();
    ASSERT_EQ(top.size(), 4);
    EXPECT_EQ(top[0]->text().toStdString(), "EnglishFile");
    // Keys missing from the language file read "Not Found".
    EXPECT_EQ(top[1]->text().toStdString(), "Not Found");
    EXPECT_EQ(f.Frame()->Commands()->FindAction(ID_FILE_NEW)->text().toStdString(), "English New\tCtrl+N");
    EXPECT_EQ(f.Frame()->Commands()->FindAction(ID_APP_ABOUT)->text().toStdString(), "Not Found");
}

TEST_F(MainFrame, EveryAcceleratorReachesItsCommand)
{
    Start();
    const AccelTemplate* accel = FindAccelTemplate(IDR_MAINFRAME);
    ASSERT_NE(accel, nullptr);
    const struct {
        QKeySequence keys;
        int id;
    } expected[] = {
        {QKeySequence(QStringLiteral("Ctrl+N")), ID_FILE_NEW},
        {QKeySequence(QStringLiteral("Ctrl+O")), ID_FILE_OPEN},
        {QKeySequence(QStringLiteral("Ctrl+S")), ID_FILE_SAVE},
        {QKeySequence(QStringLiteral("Ctrl+P")), ID_FILE_PRINT},
        {QKeySequence(QStringLiteral("Ctrl+R")), ID_READ_RADIO},
        {QKeySequence(QStringLiteral("Ctrl+W")), ID_WRITE_RADIO},
        {QKeySequence(QStringLiteral("Ctrl+T")), ID_TEST_MODE},
        {QKeySequence(QStringLiteral("Ctrl+C")), ID_PORT},
        {QKeySequence(QStringLiteral("Ctrl+L")), ID_LANGUAGE},
        {QKeySequence(QStringLiteral("Ctrl+X")), ID_EDIT_CUT},
        {QKeySequence(QStringLiteral("Shift+Del")), ID_EDIT_CUT},
        {QKeySequence(QStringLiteral("Ctrl+V")), ID_EDIT_PASTE},
        {QKeySequence(QStringLiteral("Shift+Ins")), ID_EDIT_PASTE},
        {QKeySequence(QStringLiteral("Ctrl+Ins")), ID_EDIT_COPY},
        {QKeySequence(QStringLiteral("Ctrl+Z")), ID_EDIT_UNDO},
        {QKeySequence(QStringLiteral("Alt+Backspace")), ID_EDIT_UNDO},
        {QKeySequence(QStringLiteral("Ctrl+Y")), ID_EDIT_REDO},
        {QKeySequence(QStringLiteral("Ctrl+Shift+Z")), ID_EDIT_REDO},
        {QKeySequence(QStringLiteral("F6")), ID_NEXT_PANE},
        {QKeySequence(QStringLiteral("Shift+F6")), ID_PREV_PANE},
    };
    EXPECT_EQ(accel->count, std::size(expected));
    for (const auto& e : expected) {
        QAction* action = f.Frame()->Commands()->FindAction(e.id);
        ASSERT_NE(action, nullptr) << e.id;
        EXPECT_TRUE(action->shortcuts().contains(e.keys)) << e.keys.toString().toStdString();
    }

    // Keys of commands nobody handles do nothing; the port key reaches its handler.
    ASSERT_TRUE(ActivateWindow(f.Frame()));
    int ran = 0;
    f.Frame()->Commands()->SetHandler(ID_PORT, [&ran] { ++ran; });
    for (Qt::Key key : {Qt::Key_X, Qt::Key_V, Qt::Key_Z})
        QTest::keyClick(f.Frame(), key, Qt::ControlModifier);
    QTest::keyClick(f.Frame(), Qt::Key_F6);
    QTest::keyClick(f.Frame(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ran, 1);
    EXPECT_TRUE(f.boxes.empty());
}

struct HelpCase {
    const char* name;
    bool chm;
    bool html;
    const char* expected;
};

void PrintTo(const HelpCase& c, std::ostream* out)
{
    *out << c.name;
}

class HelpFile : public MainFrame, public ::testing::WithParamInterface<HelpCase> {};

TEST_P(HelpFile, FollowsLanguageFileName)
{
    f.WriteFile("chinese.lang", TestLanguage("Chinese", "ChineseFile"));
    if (GetParam().chm)
        f.WriteFile("chinese.chm", "x");
    if (GetParam().html)
        f.WriteFile("chinese.html", "<html></html>");
    Start("language=chinese");
    EXPECT_EQ(CMainFrame::HelpFilePath(), f.Path(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, HelpFile,
    ::testing::Values(HelpCase{"Neither", false, false, "chinese.chm"},
        HelpCase{"ChmOnly", true, false, "chinese.chm"},
        HelpCase{"HtmlOnly", false, true, "chinese.html"},
        HelpCase{"Both", true, true, "chinese.chm"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainFrame, AboutBoxIsTranslatedAndClosesWithEscape)
{
    f.WriteSettings("language=english");
    f.WriteFile("english.lang", TestLanguage("English", "EnglishFile")
            + "100=About Test\n1015=Test 1.0\n1027=Further line\n");
    ASSERT_TRUE(f.Start());
    std::string caption, product, further;
    WhenModalShown([&](QWidget* dialog) {
        caption = dialog->windowTitle().toStdString();
        if (auto* label = dialog->findChild<QLabel*>(QStringLiteral("ctl1015")))
            product = label->text().toStdString();
        if (auto* label = dialog->findChild<QLabel*>(QStringLiteral("ctl1027")))
            further = label->text().toStdString();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    ASSERT_TRUE(f.Frame()->Commands()->Execute(ID_APP_ABOUT));
    EXPECT_EQ(caption, "About Test");
    EXPECT_EQ(product, "Test 1.0");
    EXPECT_EQ(further, "Further line");
}

TEST_F(MainFrame, ClosingWindowClosesOpenSerialPort)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const std::string slave = ptsname(master);
    f.WriteSettings("language=english\ncom=1\n\n[ports]\nCOM1=" + slave);
    f.WriteFile("english.lang", TestLanguage("English", "EnglishFile"));
    ASSERT_TRUE(f.Start());

    SerialLink& link = f.App()->GetSerialLink();
    ASSERT_EQ(link.Open(1, 9600), 1);
    ASSERT_TRUE(f.Frame()->close());
    EXPECT_FALSE(link.IsOpen());
    close(master);
}

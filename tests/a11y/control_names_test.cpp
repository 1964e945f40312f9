// Accessible names of the settings panel, of every dialog, of the toolbar
// buttons and of message boxes, in both shipped languages: each control is
// named by the label beside it (the same translated text the user reads), and
// the names follow a language switch.

#include "a11y/a11y_helpers.h"
#include "editor/editor_fixture.h"
#include "platform/ui/dialog.h"
#include "platform/ui/message_box.h"
#include "platform/ui/translate_window.h"
#include "radio/ui/test_mode_dlg.h"
#include "shell/lang_string.h"
#include "shell/settings_file.h"
#include "shell/ui/main_frame.h"
#include "templates/command_ids.h"
#include "templates/dialog_template.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QtTest/QTest>

#include <string>

namespace {

const char* const kLanguages[] = { "english", "chinese" };

std::string LangPath(const std::string& language)
{
    return std::string(VELMAR_RESOURCE_DIR) + "/" + language + ".lang";
}

// What names a control: a label (by control ID) or a [String] key.
struct Naming
{
    int control;
    int label;
    const char* key;
};

QString Expected(const Naming& n)
{
    return QString::fromStdString(n.key ? LoadLangString(n.key) : LoadResourceText(n.label));
}

const Naming kFormNames[] = {
    { 1022, 1021, nullptr },
    { 1042, 1041, nullptr },
    { 1040, 1039, nullptr },
    { 1052, 1051, nullptr },
    { 1046, 1045, nullptr },
    { 1032, 1031, nullptr },
    { 1036, 1035, nullptr },
    { 1034, 1033, nullptr },
    { 1044, 1043, nullptr },
    { 1054, 1053, nullptr },
    { 1056, 1055, nullptr },
    { 1024, 1024, nullptr },
    { 1038, 1037, nullptr },
    { 1050, 1049, nullptr },
    { 1048, 1047, nullptr },
    { 1030, 1029, nullptr },
    { 1026, 1025, nullptr },
    { 1023, 1023, nullptr },
    { 1016, 0, "IDS_ACC_CHANNELTABLE" },
};

struct DialogNames
{
    int dialog;
    std::vector<Naming> names;
};

const DialogNames kDialogNames[] = {
    { IDD_LANGUAGE, { { 1014, 1013, nullptr }, { 1, 1, nullptr }, { 2, 2, nullptr } } },
    { IDD_TEST_PASSWORD, { { 1171, 1172, nullptr }, { 1, 1, nullptr } } },
    { IDD_TRANSFER, { { 1009, 0, "IDS_ACC_PROGRESS" }, { 2, 2, nullptr } } },
    { IDD_PORT, { { 1001, 1001, nullptr }, { 1008, 1008, nullptr } } },
    { IDD_TEST_MODE,
        { { 1163, 1110, nullptr }, { 1164, 1118, nullptr }, { 1165, 1122, nullptr }, { 1166, 1111, nullptr },
            { 1167, 1126, nullptr }, { 1168, 1130, nullptr }, { 1116, 1115, nullptr },
            { 1169, 1169, nullptr }, { 1170, 1170, nullptr } } },
};

// Controls with neither a text of their own nor a label: the in-place editors,
// named after their cell when they open.
bool NamedWhenEditing(int id)
{
    return id == 1017 || id == 1018 || id == 1019;
}

void ExpectEveryControlNamed(QWidget* window, const char* language)
{
    for (QObject* child : window->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        const int id = w ? w->property("controlId").toInt() : 0;
        if (!w || id <= 0 || NamedWhenEditing(id) || qobject_cast<QLabel*>(w) || qobject_cast<QGroupBox*>(w))
            continue;
        EXPECT_FALSE(SpokenName(w).trimmed().isEmpty())
            << language << ": control " << id << " of " << window->property("templateId").toInt();
    }
}

using ControlNames = EditorFixture;

TEST_F(ControlNames, SettingsPanelFollowsTheLanguage)
{
    Start();
    for (const char* language : kLanguages) {
        SetLanguageFile(LangPath(language));
        view->OnUpdate(nullptr, 0);
        for (const Naming& n : kFormNames) {
            QWidget* control = view->GetDlgItem(n.control);
            ASSERT_NE(control, nullptr) << n.control;
            const QString expected = Expected(n);
            ASSERT_FALSE(expected.isEmpty()) << language << " " << n.control;
            EXPECT_EQ(SpokenName(control), expected) << language << ": control " << n.control;
        }
        ExpectEveryControlNamed(view, language);
    }
    // The label the user reads is the one the name came from.
    EXPECT_EQ(SpokenName(view->GetDlgItem(1032)), qobject_cast<QLabel*>(view->GetDlgItem(1031))->text());
}

TEST_F(ControlNames, EveryDialogInBothLanguages)
{
    for (const char* language : kLanguages) {
        SetLanguageFile(LangPath(language));
        for (const DialogNames& d : kDialogNames) {
            CDialog dialog(d.dialog);
            dialog.setProperty("templateId", d.dialog);
            TranslateWindow(&dialog, d.dialog);
            for (const Naming& n : d.names) {
                QWidget* control = dialog.GetDlgItem(n.control);
                ASSERT_NE(control, nullptr) << d.dialog << "/" << n.control;
                const QString expected = Expected(n);
                ASSERT_FALSE(expected.isEmpty()) << language << " " << d.dialog << "/" << n.control;
                EXPECT_EQ(SpokenName(control), expected)
                    << language << ": dialog " << d.dialog << " control " << n.control;
            }
            ExpectEveryControlNamed(&dialog, language);
        }
    }
}

TEST_F(ControlNames, ToolbarButtonsCarryTheirTooltips)
{
    Start();
    auto* frame = new CMainFrame;
    auto* form = new QWidget(frame);
    int buttons = 0;
    for (const char* language : kLanguages) {
        SetLanguageFile(LangPath(language));
        TranslateWindow(form, IDD_VELMAR_FORM);
        buttons = 0;
        for (QAction* action : frame->ToolBar()->actions()) {
            const int id = action->data().toInt();
            if (id == 0)
                continue;
            ++buttons;
            QWidget* button = frame->ToolBar()->widgetForAction(action);
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name),
                QString::fromStdString(LoadLangString("IDS_TIP_" + std::to_string(id))))
                << language << ": button " << id;
        }
    }
    EXPECT_GE(buttons, 7);
    delete frame;
}

TEST_F(ControlNames, CalibrationRowsAreSpokenAsTheArrowKeysChooseThem)
{
    Start();
    const int bars[] = { 1163, 1164, 1165, 1166, 1167, 1168 };
    const int labels[] = { 1110, 1118, 1122, 1111, 1126, 1130 };
    CTestModeDlg dialog;
    std::vector<int> focusedBars;
    std::vector<QString> spoken;
    QTimer poll;
    poll.setInterval(10);
    int ticks = 0;
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        // The keyboard focus moves only inside the active window.
        if (QApplication::activeModalWidget() != &dialog || QApplication::activeWindow() != &dialog) {
            if (QApplication::activeModalWidget() == &dialog)
                dialog.activateWindow();
            if (++ticks > 300) {
                poll.stop();
                dialog.EndDialog(IDCANCEL);
            }
            return;
        }
        poll.stop();
        for (const Qt::Key key : { Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Up }) {
            QTest::keyClick(&dialog, key);
            QWidget* focus = QApplication::focusWidget();
            focusedBars.push_back(focus ? focus->property("controlId").toInt() : 0);
            spoken.push_back(focus ? SpokenName(focus) : QString());
        }
        dialog.EndDialog(IDCANCEL);
    });
    poll.start();
    dialog.DoModal();
    const int rows[] = { 1, 2, 1, 0 };
    ASSERT_EQ(focusedBars.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(focusedBars[i], bars[rows[i]]) << i;
        EXPECT_EQ(spoken[i], QString::fromStdString(LoadResourceText(labels[rows[i]]))) << i;
    }
    EXPECT_EQ(dialog.selectedRow(), 0);
}

TEST(MessageBoxA11y, BoxExposesCaptionAndText)
{
    const MessageBoxHandler previous = SetMessageBoxHandler({});
    QString name;
    QString description;
    bool seen = false;
    QTimer poll;
    poll.setInterval(10);
    int ticks = 0;
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            if (++ticks > 300)
                poll.stop();
            return;
        }
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(box);
        name = iface->text(QAccessible::Name);
        description = iface->text(QAccessible::Description);
        seen = true;
        poll.stop();
        box->button(QMessageBox::Ok)->click();
    });
    poll.start();
    const int answer = ShowMessageBox(nullptr, "The radio does not answer.", "Error", MB_OK | MB_ICONERROR);
    SetMessageBoxHandler(previous);
    ASSERT_TRUE(seen);
    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(name, QStringLiteral("Error"));
    EXPECT_EQ(description, QStringLiteral("The radio does not answer."));
}

} // namespace

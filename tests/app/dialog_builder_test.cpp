// Widgets built from dialog templates: IDs, order, geometry in dialog units,
// TranslateWindow, and the message box answered by a test handler.

#include "app/shell_fixture.h"
#include "editor/velmar_view.h"
#include "grid/grid_ctrl.h"
#include "platform/ui/dialog_builder.h"
#include "platform/ui/message_box.h"
#include "platform/ui/translate_window.h"
#include "shell/settings_file.h"
#include "templates/command_ids.h"
#include "templates/dialog_template.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
std::vector<QWidget*> ControlChildren(const QWidget* host)
{
    std::vector<QWidget*> result;
    for (QObject* child : host->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && w->property("controlId").isValid())
            result.push_back(w);
    }
    return result;
}

// The next widget after w that Tab would reach.
QWidget* NextTabStop(QWidget* w)
{
    QWidget* next = w->nextInFocusChain();
    while (next != w && !(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    return next;
}
}

TEST(DialogTemplates, FormControlsFollowTemplateWithIdsAndDialogUnitGeometry)
{
    const DialogTemplate* form = FindDialogTemplate(IDD_VELMAR_FORM);
    ASSERT_NE(form, nullptr);
    ASSERT_EQ(form->controlCount, 39u);
    CVelmarView view;
    const QSize base = DialogBuilder::BaseUnits(DialogBuilder::DialogFont(*form));
    EXPECT_EQ(view.size(), DialogBuilder::ToPixels(QRect(0, 0, 568, 387), base).size());

    EXPECT_EQ(view.GetDlgItem(1016), view.Grid());
    EXPECT_NE(qobject_cast<CGridCtrl*>(view.GetDlgItem(1016)), nullptr);
    const std::vector<QWidget*> children = ControlChildren(&view);
    ASSERT_EQ(children.size(), form->controlCount);
    QWidget* previousFocusable = nullptr;
    for (std::size_t i = 0; i < form->controlCount; ++i) {
        const ControlTemplate& c = form->controls[i];
        QWidget* w = children[i];
        EXPECT_EQ(DialogBuilder::ControlId(w), c.id);
        EXPECT_EQ(w->objectName().toStdString(), "ctl" + std::to_string(c.id));
        const QRect expected = DialogBuilder::ToPixels(QRect(c.x, c.y, c.cx, c.cy), base);
        EXPECT_EQ(w->pos(), expected.topLeft()) << c.id;
        EXPECT_EQ(w->width(), expected.width()) << c.id;
        if (c.kind != ControlKind::ComboDropList) {
            EXPECT_EQ(w->height(), expected.height()) << c.id;
        }
        EXPECT_EQ(w->isVisibleTo(&view), !(c.style & CS_HIDDEN)) << c.id;
        EXPECT_EQ(w->isEnabled(), !(c.style & CS_DISABLED)) << c.id;
        if (w->focusPolicy() & Qt::TabFocus) {
            if (previousFocusable) {
                EXPECT_EQ(NextTabStop(previousFocusable), w) << c.id;
            }
            previousFocusable = w;
        }
    }
}

TEST(DialogTemplates, DialogUnitsScaleByAverageWidthAndHeight)
{
    const QSize base(6, 13);
    EXPECT_EQ(DialogBuilder::ToPixels(QRect(4, 8, 568, 387), base), QRect(6, 13, 852, 629));
    EXPECT_EQ(DialogBuilder::ToPixels(QRect(7, 131, 551, 246), base), QRect(11, 213, 827, 400));
}

TEST(DialogTemplates, SortedListInsertsAlphabetically)
{
    QWidget host;
    const DialogTemplate* dlg = FindDialogTemplate(IDD_LANGUAGE);
    ASSERT_NE(dlg, nullptr);
    DialogBuilder::Build(&host, *dlg);
    auto* list = qobject_cast<QComboBox*>(DialogBuilder::FindControl(&host, 1014));
    ASSERT_NE(list, nullptr);
    for (const char* name : {"中文", "english", "Deutsch", "-----"})
        DialogBuilder::AddString(list, QString::fromUtf8(name));
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    EXPECT_EQ(items, (QStringList{QStringLiteral("-----"), QStringLiteral("Deutsch"),
                         QStringLiteral("english"), QString::fromUtf8("中文")}));
}

TEST(TranslateWindowTest, SetsCaptionAndDirectChildrenOnlyWhereKeysExist)
{
    ShellFixture f;
    f.WriteFile("t.lang", "[Resource]\n131=Pick\n1013=Language:\n1=Fine\n65535=Static\n1050=Deep\n");
    SetLanguageFile(f.Path("t.lang"));

    QWidget host;
    DialogBuilder::Build(&host, *FindDialogTemplate(IDD_LANGUAGE));
    auto* unnamed = new QLabel(QStringLiteral("before"), &host);
    unnamed->setProperty("controlId", -1);
    auto* grandchild = new QLabel(QStringLiteral("inner"), DialogBuilder::FindControl(&host, 1013));
    grandchild->setProperty("controlId", 1050);

    TranslateWindow(&host, IDD_LANGUAGE);
    EXPECT_EQ(host.windowTitle().toStdString(), "Pick");
    EXPECT_EQ(qobject_cast<QLabel*>(DialogBuilder::FindControl(&host, 1013))->text().toStdString(), "Language:");
    EXPECT_EQ(qobject_cast<QPushButton*>(DialogBuilder::FindControl(&host, 1))->text().toStdString(), "Fine");
    EXPECT_EQ(qobject_cast<QPushButton*>(DialogBuilder::FindControl(&host, 2))->text().toStdString(), "取消");
    EXPECT_EQ(unnamed->text().toStdString(), "Static");
    EXPECT_EQ(grandchild->text().toStdString(), "inner");
}

struct BoxCase {
    const char* name;
    unsigned type;
    int handlerAnswer;
    int result;
};

void PrintTo(const BoxCase& c, std::ostream* out)
{
    *out << c.name;
}

class MessageBoxAnswer : public ::testing::TestWithParam<BoxCase> {};

TEST_P(MessageBoxAnswer, HandlerAnswerIsLimitedToTheBoxButtons)
{
    std::vector<MessageBoxRecord> seen;
    const MessageBoxHandler previous = SetMessageBoxHandler([&](const MessageBoxRecord& r) {
        seen.push_back(r);
        return GetParam().handlerAnswer;
    });
    EXPECT_EQ(ShowMessageBox(nullptr, "text", "caption", GetParam().type), GetParam().result);
    SetMessageBoxHandler(previous);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "text");
    EXPECT_EQ(seen[0].caption, "caption");
    EXPECT_EQ(seen[0].type, GetParam().type);
}

INSTANTIATE_TEST_SUITE_P(Cases, MessageBoxAnswer,
    ::testing::Values(BoxCase{"OkOnlyIsAlwaysOk", MB_OK | MB_ICONERROR, IDCANCEL, IDOK},
        BoxCase{"OkCancelOk", MB_OKCANCEL | MB_ICONEXCLAMATION, IDOK, IDOK},
        BoxCase{"OkCancelCancel", MB_OKCANCEL | MB_ICONEXCLAMATION, IDCANCEL, IDCANCEL},
        BoxCase{"OkCancelStrayAnswer", MB_OKCANCEL, IDYES, IDCANCEL},
        BoxCase{"YesNoCancelNo", MB_YESNOCANCEL, IDNO, IDNO},
        BoxCase{"YesNoCancelStrayOk", MB_YESNOCANCEL, IDOK, IDCANCEL}),
    [](const auto& info) { return std::string(info.param.name); });

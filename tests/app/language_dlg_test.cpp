// The language dialog: which files it lists and selects, and what OK and
// Cancel change.

#include "app/gui_helpers.h"
#include "app/shell_fixture.h"
#include "platform/profile.h"
#include "platform/ui/command_actions.h"
#include "shell/settings_file.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/velmar_app.h"
#include "templates/command_ids.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
class LanguageSwitch : public ::testing::Test {
protected:
    void SetUp() override
    {
        f.WriteSettings("language=chinese\ncom=2");
        f.WriteFile("english.lang", TestLanguage("English", "EnglishFile"));
        f.WriteFile("chinese.lang", TestLanguage("中文", "文件"));
        f.WriteFile("plain.lang", "[String]\nMenu_File=Plain\n");
        f.WriteFile("hidden.lang", "[Face]\ndisp=\n");
        ASSERT_TRUE(f.Start());
        ASSERT_TRUE(ActivateWindow(f.Frame()));
    }

    // Opens the dialog with its key, records the list, picks entry (or
    // keeps the selection when empty) and presses button.
    void RunDialog(const std::string& pick, int button)
    {
        WhenModalShown([this, pick, button](QWidget* dialog) {
            auto* list = dialog->findChild<QComboBox*>(QStringLiteral("ctl1014"));
            if (list) {
                for (int i = 0; i < list->count(); ++i)
                    entries.push_back(list->itemText(i).toStdString());
                selected = list->currentText().toStdString();
                if (!pick.empty())
                    list->setCurrentIndex(list->findText(QString::fromStdString(pick)));
            }
            if (auto* b = dialog->findChild<QAbstractButton*>(QStringLiteral("ctl%1").arg(button)))
                QTest::mouseClick(b, Qt::LeftButton);
        });
        QTest::keyClick(f.Frame(), Qt::Key_L, Qt::ControlModifier);
    }

    std::string FileMenu() const { return f.Frame()->menuBar()->actions().at(0)->text().toStdString(); }
    std::string StoredLanguage() const
    {
        return GetPrivateProfileString("setup", "language", "", 260, SettingsFile());
    }

    ShellFixture f;
    std::vector<std::string> entries;
    std::string selected;
};
}

TEST_F(LanguageSwitch, ListsDisplayNamesSortedWithCurrentSelected)
{
    RunDialog("", IDCANCEL);
    EXPECT_EQ(entries, (std::vector<std::string>{"-----", "English", "中文"}));
    EXPECT_EQ(selected, "中文");
}

TEST_F(LanguageSwitch, OkStoresChoiceAndTranslatesMenuAndFormAtOnce)
{
    EXPECT_EQ(FileMenu(), "文件");
    RunDialog("English", IDOK);

    EXPECT_EQ(StoredLanguage(), "english");
    EXPECT_EQ(LanguageFile(), f.Path("english.lang"));
    EXPECT_EQ(FileMenu(), "EnglishFile");
    auto* label = f.Frame()->findChild<QLabel*>(QStringLiteral("ctl1021"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text().toStdString(), "English range");
    // Only the one key changed.
    EXPECT_EQ(GetPrivateProfileInt("setup", "com", 0, SettingsFile()), 2);
}

TEST_F(LanguageSwitch, FileWithoutDisplayNameCanBeChosen)
{
    RunDialog("-----", IDOK);
    EXPECT_EQ(StoredLanguage(), "plain");
    EXPECT_EQ(FileMenu(), "Plain");
}

TEST_F(LanguageSwitch, CancelChangesNothing)
{
    RunDialog("English", IDCANCEL);
    EXPECT_EQ(StoredLanguage(), "chinese");
    EXPECT_EQ(LanguageFile(), f.Path("chinese.lang"));
    EXPECT_EQ(FileMenu(), "文件");
}

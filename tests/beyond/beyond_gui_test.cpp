// The new commands in the running program: Undo and Redo from keys and the
// toolbar, CSV export and import from the File menu with the confirmation,
// Verify Radio and verify after writing against the virtual radio.

#include "app/gui_helpers.h"
#include "app/shell_fixture.h"
#include "model/channel_csv.h"
#include "model/channel_edit.h"
#include "model/velmar_doc.h"
#include "platform/profile.h"
#include "platform/ui/command_actions.h"
#include "shell/settings_file.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/velmar_app.h"
#include "support/radio_sim_process.h"
#include "templates/command_ids.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class BeyondGui : public ::testing::Test
{
protected:
    void Start(const std::string& ports = {}, const std::string& setup = {})
    {
        f.WriteFile("setting.ini",
            "[setup]\nlanguage=english\nchannel=16\ncom=1\nsearchcom=0\npassword=0\ncommunication=VLMPROG\n"
                + setup + "\n[ModelInfo]\ndata0=00400052\nFreq0=400-520MHz\n\n[ports]\n" + ports);
        f.WriteFile("english.lang", TempDir::ReadFile(VELMAR_RESOURCE_DIR "/english.lang"));
        ASSERT_TRUE(f.Start());
        ASSERT_TRUE(ActivateWindow(f.Frame()));
    }

    CommandActions* Commands() const { return f.Frame()->Commands(); }
    QComboBox* Squelch() const { return f.Frame()->findChild<QComboBox*>(QStringLiteral("ctl1032")); }

    ShellFixture f;
};

TEST_F(BeyondGui, UndoAndRedoKeysFollowTheModifiedFlag)
{
    Start();
    CVelmarDoc* doc = f.Doc();
    QComboBox* squelch = Squelch();
    ASSERT_NE(squelch, nullptr);
    ASSERT_EQ(squelch->currentIndex(), 3);
    QTest::keyClick(squelch, Qt::Key_Down);
    ASSERT_EQ(doc->GetSquelchLevel(), 4);
    ASSERT_TRUE(doc->IsModified());

    const struct
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int level;
        bool modified;
    } steps[] = {
        { Qt::Key_Z, Qt::ControlModifier, 3, false },
        { Qt::Key_Y, Qt::ControlModifier, 4, true },
        { Qt::Key_Backspace, Qt::AltModifier, 3, false },
        { Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, 4, true },
    };
    for (const auto& step : steps) {
        QTest::keyClick(f.Frame(), step.key, step.modifiers);
        EXPECT_EQ(doc->GetSquelchLevel(), step.level)
            << QKeySequence(step.key | step.modifiers).toString().toStdString();
        EXPECT_EQ(squelch->currentIndex(), step.level) << "the panel shows the restored value";
        EXPECT_EQ(doc->IsModified(), step.modified);
    }
    EXPECT_TRUE(f.boxes.empty());
}

TEST_F(BeyondGui, ToolbarUndoCommitsTheOpenFieldAndUndoesIt)
{
    Start();
    // The two buttons follow Help, after a separator, with their tooltips.
    const QList<QAction*> actions = f.Frame()->ToolBar()->actions();
    const auto help = std::find_if(
        actions.begin(), actions.end(), [](QAction* a) { return a->data().toInt() == ID_HELP_FILE; });
    ASSERT_GE(actions.end() - help, 4);
    EXPECT_TRUE(help[1]->isSeparator());
    EXPECT_EQ(help[2]->data().toInt(), ID_EDIT_UNDO);
    EXPECT_EQ(help[3]->data().toInt(), ID_EDIT_REDO);
    EXPECT_EQ(CMainFrame::TooltipText(ID_EDIT_UNDO), "Undo");
    EXPECT_EQ(CMainFrame::TooltipText(ID_EDIT_REDO), "Redo");

    auto* code = f.Frame()->findChild<QLineEdit*>(QStringLiteral("ctl1040"));
    ASSERT_NE(code, nullptr);
    code->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return code->hasFocus(); }, 2000));
    QTest::keyClicks(code, QStringLiteral("12AB"));
    auto* undo = qobject_cast<QToolButton*>(f.Frame()->ToolBar()->widgetForAction(help[2]));
    ASSERT_NE(undo, nullptr);
    QTest::mouseClick(undo, Qt::LeftButton);
    EXPECT_EQ(f.Doc()->GetPttCodeText(true), "") << "the typed code was stored, then undone";
    EXPECT_EQ(code->text().toStdString(), "");
    EXPECT_FALSE(f.Doc()->IsModified());
    QTest::mouseClick(
        qobject_cast<QToolButton*>(f.Frame()->ToolBar()->widgetForAction(help[3])), Qt::LeftButton);
    EXPECT_EQ(f.Doc()->GetPttCodeText(true), "12AB");
}

TEST_F(BeyondGui, MenuItemsSitInsideTheFourMenus)
{
    Start();
    const QList<QAction*> top = f.Frame()->menuBar()->actions();
    ASSERT_EQ(top.size(), 4);
    auto ids = [](QAction* popup) {
        std::vector<int> list;
        for (QAction* a : popup->menu()->actions())
            list.push_back(a->data().toInt());
        return list;
    };
    const auto file = ids(top[0]);
    EXPECT_NE(std::find(file.begin(), file.end(), ID_FILE_EXPORT_CHANNELS), file.end());
    EXPECT_NE(std::find(file.begin(), file.end(), ID_FILE_IMPORT_CHANNELS), file.end());
    EXPECT_EQ(ids(top[1]).at(2), ID_VERIFY_RADIO);
    EXPECT_EQ(Commands()->FindAction(ID_FILE_EXPORT_CHANNELS)->text().toStdString(), "Export &Channels...");
    EXPECT_EQ(Commands()->FindAction(ID_FILE_IMPORT_CHANNELS)->text().toStdString(), "&Import Channels...");
    EXPECT_EQ(Commands()->FindAction(ID_VERIFY_RADIO)->text().toStdString(), "&Verify Radio");
}

TEST_F(BeyondGui, ExportWritesTheTableAndImportAsksWithEveryAdjustment)
{
    Start();
    CVelmarDoc* doc = f.Doc();
    CommitFrequency(*doc, 1, 1, "440.5");
    doc->SetModifiedFlag(false);
    doc->StartNewHistory();

    const std::string exported = f.Path("out.csv");
    f.chosenFiles.push_back(exported);
    ASSERT_TRUE(Commands()->Execute(ID_FILE_EXPORT_CHANNELS));
    ASSERT_EQ(f.fileDialogs.size(), 1u);
    EXPECT_TRUE(f.fileDialogs[0].save);
    EXPECT_EQ(f.fileDialogs[0].filter, "CSV Files(*.csv)");
    EXPECT_EQ(f.fileDialogs[0].defaultName, "Item.csv");
    EXPECT_EQ(TempDir::ReadFile(exported), ExportChannelsCsv(*doc, 16));

    // Cancel at the confirmation keeps the document.
    const std::string csv = f.Path("in.csv");
    f.WriteFile("in.csv", "channel;rxFreq;txFreq\r\n2;439,12375;600\r\n");
    f.chosenFiles.push_back(csv);
    f.answers.push_back(IDCANCEL);
    ASSERT_TRUE(Commands()->Execute(ID_FILE_IMPORT_CHANNELS));
    ASSERT_EQ(f.boxes.size(), 1u);
    EXPECT_EQ(f.boxes[0].text,
        "Import the channels of this file into the open document?\n\n"
        "These values will be stored other than the file gives them:\n"
        "line 2, channel 2: rxFreq 439,12375 stored as 439.12500 (channel raster)\n"
        "line 2, channel 2: txFreq 600 is above the band, stored as 520.00000");
    EXPECT_EQ(f.boxes[0].type, MB_OKCANCEL | MB_ICONEXCLAMATION);
    EXPECT_TRUE(doc->IsRxEmpty(2));
    EXPECT_FALSE(doc->IsModified());

    f.chosenFiles.push_back(csv);
    ASSERT_TRUE(Commands()->Execute(ID_FILE_IMPORT_CHANNELS));
    EXPECT_EQ(doc->GetFreqText(2, true), "439.12500");
    EXPECT_EQ(doc->GetFreqText(2, false), "520.00000");
    EXPECT_TRUE(doc->IsModified());
    // One undo step takes the whole import back.
    QTest::keyClick(f.Frame(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(doc->IsRxEmpty(2));
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(BeyondGui, ABadFileIsRefusedWithItsLineAndNothingChanges)
{
    Start();
    const RadioImage before = f.Doc()->Image();
    f.WriteFile("bad.csv", "channel,rxFreq\n1,440\n2,44O\n");
    f.chosenFiles.push_back(f.Path("bad.csv"));
    ASSERT_TRUE(Commands()->Execute(ID_FILE_IMPORT_CHANNELS));
    ASSERT_EQ(f.boxes.size(), 1u);
    EXPECT_EQ(f.boxes[0].text,
        "Nothing was imported. The file has an error:\n"
        "line 3: rxFreq \"44O\" is not a frequency in MHz such as 145.50000");
    EXPECT_EQ(f.boxes[0].type, MB_OK | MB_ICONERROR);
    EXPECT_EQ(f.Doc()->Image().bytes, before.bytes);
    EXPECT_FALSE(f.Doc()->IsModified());
}

// The document's image as a data file the virtual radio serves.
std::string MemoryFile(const RadioImage& image)
{
    std::string bytes = "Tavro Radio Program data v1.03";
    bytes.resize(48, '\0');
    bytes.append(image.bytes.begin(), image.bytes.end());
    return bytes;
}

void ClickOkWhenShown(bool checkVerify)
{
    WhenModalShown([checkVerify](QWidget* dialog) {
        if (checkVerify) {
            auto* verify = dialog->findChild<QCheckBox*>(QStringLiteral("ctl1190"));
            if (verify && verify->isVisible())
                QTest::mouseClick(verify, Qt::LeftButton, {}, QPoint(4, verify->height() / 2));
        }
        if (auto* ok = dialog->findChild<QAbstractButton*>(QStringLiteral("ctl1")))
            ok->click();
    });
}

TEST_F(BeyondGui, VerifyRadioNamesTheFieldsOfTheAlteredBlock)
{
    // Start the program first so the document's image is known, then give the
    // radio that image with channel 2's frequencies altered.
    Start();
    CommitFrequency(*f.Doc(), 2, 1, "440");
    RadioImage radioImage = f.Doc()->Image();
    radioImage.bytes[0x21] = 0x55;
    f.WriteFile("memory.dig", MemoryFile(radioImage));
    RadioSimProcess radio({ "--memory", f.Path("memory.dig") });
    ASSERT_FALSE(radio.path().empty());
    WritePrivateProfileString("ports", "COM1", radio.path(), SettingsFile());

    const RadioImage before = f.Doc()->Image();
    ClickOkWhenShown(false);
    ASSERT_TRUE(Commands()->Execute(ID_VERIFY_RADIO));
    ASSERT_EQ(f.boxes.size(), 1u);
    EXPECT_EQ(f.boxes[0].text,
        "The radio differs from the open document:\n"
        "channel 2 receive frequency: document 440.00000, radio 440.05500");
    EXPECT_EQ(f.Doc()->Image().bytes, before.bytes) << "verify never changes the document";
}

TEST_F(BeyondGui, VerifyAfterWritingIsRememberedAndReadsTheRadioBack)
{
    Start();
    CommitFrequency(*f.Doc(), 3, 1, "445.5");
    RadioSimProcess radio({});
    ASSERT_FALSE(radio.path().empty());
    WritePrivateProfileString("ports", "COM1", radio.path(), SettingsFile());

    ClickOkWhenShown(true);
    ASSERT_TRUE(Commands()->Execute(ID_WRITE_RADIO));
    EXPECT_EQ(GetPrivateProfileString("setup", "verify", "", 8, SettingsFile()), "1");
    ASSERT_EQ(f.boxes.size(), 1u);
    EXPECT_EQ(f.boxes[0].text, "The radio holds exactly the data of the open document.");

    // Read offers no check box.
    WhenModalShown([](QWidget* dialog) {
        auto* verify = dialog->findChild<QCheckBox*>(QStringLiteral("ctl1190"));
        EXPECT_TRUE(verify && !verify->isVisible());
        if (auto* cancel = dialog->findChild<QAbstractButton*>(QStringLiteral("ctl2")))
            cancel->click();
    });
    ASSERT_TRUE(Commands()->Execute(ID_READ_RADIO));
}

} // namespace

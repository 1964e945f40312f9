// The single-document flow driven through the window's own keys and drops:
// File New and its question, open, save over a file, save as, wrong
// signatures, unreadable and unwritable files, the save-changes question.

#include "app/gui_helpers.h"
#include "app/shell_fixture.h"
#include "model/velmar_doc.h"
#include "platform/ui/command_actions.h"
#include "platform/ui/recent_file_list.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/velmar_app.h"
#include "templates/command_ids.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QSettings>
#include <QUrl>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {
constexpr unsigned kQuestion = MB_OKCANCEL | MB_ICONEXCLAMATION;

class DocumentFlow : public ::testing::Test {
protected:
    void SetUp() override
    {
        f.WriteSettings("language=english\ncom=1");
        f.WriteFile("english.lang", TestLanguage("English", "EnglishFile"));
        f.WriteFile("radio.dig", DataFileBytes(0x42));
    }

    // Starts with radio.dig loaded and the window active.
    void StartLoaded()
    {
        ASSERT_TRUE(f.Start({QString::fromStdString(f.Path("radio.dig"))}));
        ASSERT_TRUE(ActivateWindow(f.Frame()));
        f.boxes.clear();
    }

    void StartEmpty()
    {
        ASSERT_TRUE(f.Start());
        ASSERT_TRUE(ActivateWindow(f.Frame()));
        f.boxes.clear();
    }

    void Key(Qt::Key key) { QTest::keyClick(f.Frame(), key, Qt::ControlModifier); }

    // Changes the image the way an edit in the view does.
    void Edit(unsigned char value)
    {
        f.Doc()->Image().bytes[16] = value;
        f.Doc()->SetModifiedFlag(true);
    }

    bool ImageIsEmpty() const
    {
        const auto& bytes = f.Doc()->Image().bytes;
        return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0xFF; });
    }

    ShellFixture f;
};
}

class FileNewQuestion : public DocumentFlow, public ::testing::WithParamInterface<int> {};

TEST_P(FileNewQuestion, AsksBeforeClearingAndCancelLeavesDocumentUntouched)
{
    StartLoaded();
    f.answers = {GetParam()};
    Key(Qt::Key_N);

    ASSERT_EQ(f.boxes.size(), 1u);
    EXPECT_EQ(f.boxes[0].text, "English clear?");
    EXPECT_EQ(f.boxes[0].caption, "English Prompt");
    EXPECT_EQ(f.boxes[0].type, kQuestion);
    if (GetParam() == IDOK) {
        EXPECT_EQ(f.Doc()->GetPathName(), "");
        EXPECT_EQ(f.Doc()->GetTitle(), "Item");
        EXPECT_EQ(f.Doc()->Image().bytes[16], 0xFF);
    } else {
        EXPECT_EQ(f.Doc()->GetPathName(), f.Path("radio.dig"));
        EXPECT_EQ(f.Doc()->Image().bytes[16], 0x42);
    }
    EXPECT_FALSE(f.Doc()->IsModified());
    EXPECT_EQ(f.Frame()->windowTitle().toStdString(), "English Window");
}

INSTANTIATE_TEST_SUITE_P(Answers, FileNewQuestion, ::testing::Values(IDOK, IDCANCEL),
    [](const auto& info) { return info.param == IDOK ? std::string("Ok") : std::string("Cancel"); });

TEST_F(DocumentFlow, OpenCancelledAtSaveQuestionKeepsDocumentAndNextNewStillAsks)
{
    StartEmpty();
    Edit(0x17);
    f.chosenFiles = {f.Path("radio.dig")};
    f.answers = {IDCANCEL};
    Key(Qt::Key_O);

    ASSERT_EQ(f.boxes.size(), 1u);
    EXPECT_EQ(f.boxes[0].type, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    EXPECT_EQ(f.Doc()->Image().bytes[16], 0x17);
    EXPECT_TRUE(f.Doc()->IsModified());

    // A cancelled open must not let the next File New clear without asking.
    f.answers = {IDNO, IDCANCEL};
    Key(Qt::Key_N);
    ASSERT_EQ(f.boxes.size(), 3u);
    EXPECT_EQ(f.boxes[2].text, "English clear?");
    EXPECT_EQ(f.Doc()->Image().bytes[16], 0x17);
}

class SaveOverFile : public DocumentFlow, public ::testing::WithParamInterface<int> {};

TEST_P(SaveOverFile, AsksWithPathAndWritesOnlyOnOk)
{
    StartLoaded();
    Edit(0x17);
    f.answers = {GetParam()};
    Key(Qt::Key_S);

    ASSERT_EQ(f.boxes.size(), 1u);
    EXPECT_EQ(f.boxes[0].text, "English overwrite?\n" + f.Path("radio.dig"));
    EXPECT_EQ(f.boxes[0].caption, "English Prompt");
    EXPECT_EQ(f.boxes[0].type, kQuestion);
    EXPECT_TRUE(f.fileDialogs.empty());
    const std::string onDisk = TempDir::ReadFile(f.Path("radio.dig"));
    ASSERT_EQ(onDisk.size(), 4144u);
    if (GetParam() == IDOK) {
        EXPECT_EQ(static_cast<unsigned char>(onDisk[48 + 16]), 0x17);
        EXPECT_FALSE(f.Doc()->IsModified());
    } else {
        EXPECT_EQ(onDisk, DataFileBytes(0x42));
        EXPECT_TRUE(f.Doc()->IsModified());
    }
    EXPECT_EQ(f.Frame()->windowTitle().toStdString(), "English Window");
}

INSTANTIATE_TEST_SUITE_P(Answers, SaveOverFile, ::testing::Values(IDOK, IDCANCEL),
    [](const auto& info) { return info.param == IDOK ? std::string("Ok") : std::string("Cancel"); });

TEST_F(DocumentFlow, SaveOfNewDocumentGoesStraightToDialogWithDefaultName)
{
    StartEmpty();
    f.chosenFiles = {f.Path("saved.dig")};
    Key(Qt::Key_S);

    EXPECT_TRUE(f.boxes.empty());
    ASSERT_EQ(f.fileDialogs.size(), 1u);
    EXPECT_TRUE(f.fileDialogs[0].save);
    EXPECT_EQ(f.fileDialogs[0].defaultName, "Item.dig");
    EXPECT_EQ(f.fileDialogs[0].filter, "Radio Program Data Files(*.dig)");
    const std::string saved = TempDir::ReadFile(f.Path("saved.dig"));
    EXPECT_EQ(saved.size(), 4144u);
    EXPECT_EQ(saved.substr(0, 30), "Tavro Radio Program data v1.03");
    EXPECT_EQ(f.Doc()->GetPathName(), f.Path("saved.dig"));
    EXPECT_EQ(f.Frame()->windowTitle().toStdString(), "English Window");
}

TEST_F(DocumentFlow, OpenThroughDialogKeepsTitleAndSkipsClearQuestion)
{
    StartEmpty();
    f.chosenFiles = {f.Path("radio.dig")};
    Key(Qt::Key_O);

    EXPECT_TRUE(f.boxes.empty());
    ASSERT_EQ(f.fileDialogs.size(), 1u);
    EXPECT_FALSE(f.fileDialogs[0].save);
    EXPECT_EQ(f.fileDialogs[0].filter, "Radio Program Data Files(*.dig)");
    EXPECT_EQ(f.Doc()->GetPathName(), f.Path("radio.dig"));
    EXPECT_EQ(f.Doc()->Image().bytes[16], 0x42);
    EXPECT_EQ(f.Frame()->windowTitle().toStdString(), "English Window");
}

TEST_F(DocumentFlow, WrongSignatureWarnsAndLeavesEmptyImageUnderFileName)
{
    f.WriteFile("other.dig", DataFileBytes(0x42, "Tavro Radio Program dat4"));
    StartEmpty();
    f.chosenFiles = {f.Path("other.dig")};
    Key(Qt::Key_O);

    ASSERT_EQ(f.boxes.size(), 1u);
    EXPECT_EQ(f.boxes[0].text, "English bad file");
    EXPECT_EQ(f.boxes[0].type, MB_OK | MB_ICONERROR);
    EXPECT_TRUE(ImageIsEmpty());
    EXPECT_EQ(f.Doc()->GetPathName(), f.Path("other.dig"));
    EXPECT_FALSE(f.Doc()->IsModified());
    EXPECT_EQ(f.Frame()->windowTitle().toStdString(), "English Window");
}

TEST_F(DocumentFlow, UnreadableFileIsReportedAndLeavesDocumentAsItWas)
{
    std::filesystem::create_directory(f.Path("folder.dig"));
    StartLoaded();
    Edit(0x17);
    f.chosenFiles = {f.Path("folder.dig")};
    Key(Qt::Key_O);

    ASSERT_EQ(f.boxes.size(), 1u);
    EXPECT_EQ(f.boxes[0].text.rfind("English cannot open " + f.Path("folder.dig"), 0), 0u);
    EXPECT_EQ(f.boxes[0].type, MB_OK | MB_ICONERROR);
    EXPECT_EQ(f.Doc()->GetPathName(), f.Path("radio.dig"));
    EXPECT_EQ(f.Doc()->Image().bytes[16], 0x17);
    EXPECT_TRUE(f.Doc()->IsModified());
}

TEST_F(DocumentFlow, UnwritableTargetIsReportedAndDocumentStaysModified)
{
    StartLoaded();
    Edit(0x17);
    const std::string target = f.Path("no-such-folder/copy.dig");
    f.chosenFiles = {target};
    ASSERT_TRUE(f.Frame()->Commands()->Execute(ID_FILE_SAVE_AS));

    ASSERT_EQ(f.boxes.size(), 1u);
    EXPECT_EQ(f.boxes[0].text.rfind("English cannot save " + target, 0), 0u);
    EXPECT_EQ(f.boxes[0].type, MB_OK | MB_ICONERROR);
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_EQ(f.Doc()->GetPathName(), f.Path("radio.dig"));
    EXPECT_TRUE(f.Doc()->IsModified());
    EXPECT_EQ(TempDir::ReadFile(f.Path("radio.dig")), DataFileBytes(0x42));
}

struct SaveChangesCase {
    const char* name;
    int answer;
    bool opensNew;
};

void PrintTo(const SaveChangesCase& c, std::ostream* out)
{
    *out << c.name;
}

class SaveChanges : public DocumentFlow, public ::testing::WithParamInterface<SaveChangesCase> {};

TEST_P(SaveChanges, ModifiedDocumentAsksBeforeFileNew)
{
    StartEmpty();
    Edit(0x17);
    f.chosenFiles = {f.Path("kept.dig")};
    f.answers = {GetParam().answer, IDOK};
    Key(Qt::Key_N);

    ASSERT_GE(f.boxes.size(), 1u);
    EXPECT_EQ(f.boxes[0].text, "English save Item?");
    EXPECT_EQ(f.boxes[0].type, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    EXPECT_EQ(f.boxes.size(), GetParam().opensNew ? 2u : 1u);
    EXPECT_EQ(f.Doc()->Image().bytes[16], GetParam().opensNew ? 0xFF : 0x17);
    EXPECT_EQ(std::filesystem::exists(f.Path("kept.dig")), GetParam().answer == IDYES);
}

INSTANTIATE_TEST_SUITE_P(Answers, SaveChanges,
    ::testing::Values(SaveChangesCase{"Yes", IDYES, true}, SaveChangesCase{"No", IDNO, true},
        SaveChangesCase{"Cancel", IDCANCEL, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocumentFlow, DroppedFileAsksToSaveFirstThenLoadsWithoutClearQuestion)
{
    StartEmpty();
    Edit(0x17);
    f.answers = {IDNO};

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(f.Path("radio.dig")))});
    const QPoint at(450, 350);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.Frame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.Frame(), &drop);

    ASSERT_EQ(f.boxes.size(), 1u);
    EXPECT_EQ(f.boxes[0].type, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    EXPECT_EQ(f.Doc()->GetPathName(), f.Path("radio.dig"));
    EXPECT_EQ(f.Doc()->Image().bytes[16], 0x42);
    EXPECT_FALSE(f.Doc()->IsModified());
}

TEST_F(DocumentFlow, RecentFileListKeepsFourNewestInPrivateSettings)
{
    StartEmpty();
    for (char name = 'a'; name <= 'e'; ++name) {
        const std::string file = std::string(1, name) + ".dig";
        f.WriteFile(file, DataFileBytes(static_cast<unsigned char>(name)));
        f.chosenFiles = {f.Path(file)};
        Key(Qt::Key_O);
    }
    ASSERT_NE(f.App()->GetRecentFileList(), nullptr);
    QStringList expected;
    for (const char* name : {"e.dig", "d.dig", "c.dig", "b.dig"})
        expected << QString::fromStdString(f.Path(name));
    EXPECT_EQ(f.App()->GetRecentFileList()->Files(), expected);

    // The newest entry is first in the File menu and opens its file again.
    QAction* first = f.Frame()->findChild<QAction*>(QStringLiteral("cmd57616"));
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->text().endsWith(QStringLiteral("e.dig")));
    QAction* last = f.Frame()->findChild<QAction*>(QStringLiteral("cmd57619"));
    ASSERT_NE(last, nullptr);
    last->trigger();
    EXPECT_EQ(f.Doc()->GetPathName(), f.Path("b.dig"));
    EXPECT_EQ(f.Doc()->Image().bytes[16], 'b');

    // The list lives under the test's private configuration folder.
    QSettings settings;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    ASSERT_NE(config, nullptr);
    EXPECT_TRUE(settings.fileName().startsWith(QString::fromUtf8(config)));
}

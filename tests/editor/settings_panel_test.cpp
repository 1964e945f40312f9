// The settings panel on the real form: lists filled from their sources with
// the stored values shown through the read limits, every change stored at
// once, the model change with its question, the priority list, the code and
// password fields with their commits, and the password field's visibility.

#include "editor/editor_fixture.h"
#include "editor/password_edit.h"
#include "editor/ptt_id_code_edit.h"
#include "grid/grid_ctrl.h"
#include "model/radio_image.h"
#include "model/velmar_doc.h"
#include "shell/lang_string.h"
#include "support/temp_dir.h"
#include "templates/command_ids.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QtTest/QTest>

#include <array>
#include <cstdint>

namespace {

class SettingsPanel : public EditorFixture {
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        Start();
    }
    QComboBox* List(int id) const { return Control<QComboBox>(id); }
    void Refresh() { doc->UpdateAllViews(nullptr); }
};

TEST_F(SettingsPanel, ListsAreFilledFromTheirSources)
{
    const struct {
        int id;
        int count;
        const char* first;
        const char* last;
    } lists[] = {
        {1022, 2, "400-520MHz", "136-174MHz"},
        {1026, 3, "Off", "Chinese"},
        {1030, 4, "Off", "Begin and end"},
        {1032, 10, "0", "9"},
        {1034, 16, "Monitor", "Off"},
        {1044, 16, "Monitor", "Off"},
        {1054, 16, "Monitor", "Off"},
        {1056, 16, "Monitor", "Off"},
        {1036, 11, "Off", "300"},
        {1038, 10, "Off", "9"},
        {1048, 2, "Time operated", "Carrier operated"},
        {1050, 6, "0.5", "3.0"},
    };
    for (const auto& l : lists) {
        QComboBox* list = List(l.id);
        ASSERT_EQ(list->count(), l.count) << l.id;
        EXPECT_EQ(list->itemText(0), QString::fromUtf8(l.first)) << l.id;
        EXPECT_EQ(list->itemText(l.count - 1), QString::fromUtf8(l.last)) << l.id;
    }
    // The labels carry the language file's texts.
    EXPECT_EQ(view->GetDlgItem(1021)->property("text").toString(), QString::fromStdString(LoadResourceText(1021)));
    EXPECT_FALSE(LoadResourceText(1021).empty());
}

struct ClampCase {
    const char* name;
    std::size_t offset;
    std::uint8_t stored;
    int list;
    int index;  // -1: nothing selected
};

void PrintTo(const ClampCase& c, std::ostream* out)
{
    *out << c.name;
}

class ReadLimits : public SettingsPanel, public ::testing::WithParamInterface<ClampCase> {};

TEST_P(ReadLimits, StoredValueIsShownThroughTheReadLimit)
{
    const ClampCase& c = GetParam();
    doc->Image().bytes[c.offset] = c.stored;
    Refresh();
    EXPECT_EQ(List(c.list)->currentIndex(), c.index);
    // Showing a value never corrects the image.
    EXPECT_EQ(doc->Image().bytes[c.offset], c.stored);
    EXPECT_FALSE(doc->IsModified());
}

const ClampCase kClampCases[] = {
    {"TxTimeoutAboveLastShowsLast", RadioImage::kTxTimeout, 12, 1036, 10},
    {"SquelchFarAboveShowsNine", RadioImage::kSquelchLevel, 200, 1032, 9},
    {"SideKeyAboveShowsLast", RadioImage::kSideKey2Long, 0x40, 1056, 15},
    {"VoxDelayInRange", RadioImage::kVoxDelay, 2, 1050, 2},
    // The sixth delay has no entry: nothing is selected rather than a wrong one.
    {"VoxDelaySixSelectsNothing", RadioImage::kVoxDelay, 6, 1050, -1},
    {"VoxDelayFarAboveSelectsNothing", RadioImage::kVoxDelay, 0xFF, 1050, -1},
};

INSTANTIATE_TEST_SUITE_P(Cases, ReadLimits, ::testing::ValuesIn(kClampCases),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsPanel, EverySelectionChangeIsStoredAndMarksModified)
{
    struct Field {
        int id;
        int (CVelmarDoc::*get)() const;
        void (CVelmarDoc::*set)(int);
    };
    const Field fields[] = {
        {1026, &CVelmarDoc::GetVoiceAnnunciation, &CVelmarDoc::SetVoiceAnnunciation},
        {1030, &CVelmarDoc::GetPttId, &CVelmarDoc::SetPttId},
        {1032, &CVelmarDoc::GetSquelchLevel, &CVelmarDoc::SetSquelchLevel},
        {1034, &CVelmarDoc::GetSideKey1, &CVelmarDoc::SetSideKey1},
        {1044, &CVelmarDoc::GetSideKey2, &CVelmarDoc::SetSideKey2},
        {1054, &CVelmarDoc::GetSideKey1Long, &CVelmarDoc::SetSideKey1Long},
        {1056, &CVelmarDoc::GetSideKey2Long, &CVelmarDoc::SetSideKey2Long},
        {1036, &CVelmarDoc::GetTxTimeout, &CVelmarDoc::SetTxTimeout},
        {1038, &CVelmarDoc::GetVoxLevel, &CVelmarDoc::SetVoxLevel},
        {1048, &CVelmarDoc::GetScanMode, &CVelmarDoc::SetScanMode},
        {1050, &CVelmarDoc::GetVoxDelay, &CVelmarDoc::SetVoxDelay},
    };
    for (const Field& f : fields)
        (doc.get()->*f.set)(0);
    Refresh();
    for (const Field& f : fields) {
        doc->SetModifiedFlag(false);
        QComboBox* list = List(f.id);
        list->setFocus(Qt::TabFocusReason);
        QTest::keyClick(list, Qt::Key_Down);
        EXPECT_EQ((doc.get()->*f.get)(), 1) << f.id;
        EXPECT_TRUE(doc->IsModified()) << f.id;
    }
    // A refresh rebuilds the lists without storing anything.
    doc->SetModifiedFlag(false);
    Refresh();
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(SettingsPanel, LongLanguageSectionsAreCutToWhatTheFieldHolds)
{
    std::string lang = TempDir::ReadFile(LanguagePath());
    const auto insertAfter = [&lang](const std::string& anchor, const std::string& lines) {
        const std::size_t at = lang.find(anchor);
        ASSERT_NE(at, std::string::npos) << anchor;
        lang.insert(at + anchor.size(), lines);
    };
    insertAfter("1=Carrier operated\n", "2=Third mode\n3=Fourth mode\n");
    insertAfter("2=Chinese\n", "3=Spanish\n");
    insertAfter("3=Begin and end\n", "4=Twice\n");
    insertAfter("15=Off\n", "16=Seventeenth\n");
    TempDir::WriteFile(LanguagePath(), lang);
    Refresh();
    EXPECT_EQ(List(1048)->count(), 2);
    EXPECT_EQ(List(1026)->count(), 3);
    EXPECT_EQ(List(1030)->count(), 4);
    EXPECT_EQ(List(1034)->count(), 16);

    // The last scan mode sets only its own bit.
    const std::uint8_t flagsBefore = doc->Image().bytes[RadioImage::kSettingFlags];
    List(1048)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(List(1048), Qt::Key_End);
    EXPECT_EQ(doc->GetScanMode(), 1);
    EXPECT_EQ(doc->Image().bytes[RadioImage::kSettingFlags] & ~0x40, flagsBefore & ~0x40);
}

TEST_F(SettingsPanel, CheckBoxesStoreTheirBits)
{
    doc->SetBeep(0);
    doc->SetBatterySave(1);
    Refresh();
    auto* beep = Control<QCheckBox>(1023);
    auto* battery = Control<QCheckBox>(1024);
    EXPECT_FALSE(beep->isChecked());
    EXPECT_TRUE(battery->isChecked());
    QTest::mouseClick(beep, Qt::LeftButton, {}, QPoint(6, beep->height() / 2));
    EXPECT_EQ(doc->GetBeep(), 1);
    EXPECT_EQ(doc->GetBatterySave(), 1);
    EXPECT_TRUE(doc->IsModified());
    QTest::mouseClick(battery, Qt::LeftButton, {}, QPoint(6, battery->height() / 2));
    EXPECT_EQ(doc->GetBatterySave(), 0);
    EXPECT_EQ(doc->GetBeep(), 1);
}

TEST_F(SettingsPanel, PriorityListOffersNonEmptyChannelsAndStoresTheChoice)
{
    QComboBox* list = List(1046);
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->itemText(0), QStringLiteral("Off"));
    EXPECT_EQ(list->currentText(), QStringLiteral("2"));

    list->setFocus(Qt::TabFocusReason);
    QTest::keyClick(list, Qt::Key_End);
    EXPECT_EQ(doc->GetPriorityChannel(), 5);
    EXPECT_EQ(doc->Image().bytes[RadioImage::kPriorityChannel], 4);
    EXPECT_TRUE(doc->IsModified());
    QTest::keyClick(list, Qt::Key_Home);
    EXPECT_EQ(doc->Image().bytes[RadioImage::kPriorityChannel], 0xFF);
}

TEST_F(SettingsPanel, EmptyPriorityChannelSelectsNoEntry)
{
    // Channel 10 is empty; a search by leading digits would wrongly pick "1".
    doc->SetPriorityChannel(10);
    Refresh();
    EXPECT_EQ(List(1046)->currentIndex(), -1);
    doc->SetPriorityChannel(3);
    Refresh();
    EXPECT_EQ(List(1046)->currentIndex(), -1);
    EXPECT_EQ(doc->GetPriorityChannel(), 3);
}

TEST_F(SettingsPanel, CancelledModelChangeLeavesEverything)
{
    const RadioImage before = doc->Image();
    answers.push_back(IDCANCEL);
    QComboBox* range = List(1022);
    range->setFocus(Qt::TabFocusReason);
    QTest::keyClick(range, Qt::Key_Down);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, LoadLangString("IDS_CONFIRM_FREQ"));
    EXPECT_EQ(boxes[0].caption, "Confirm");
    EXPECT_EQ(boxes[0].type, 0x31u);
    EXPECT_EQ(range->currentIndex(), 0);
    EXPECT_TRUE(doc->Image().bytes == before.bytes);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(Cell(1, 1), QStringLiteral("446.00625"));
}

TEST_F(SettingsPanel, ConfirmedModelChangeResetsTheDocument)
{
    answers.push_back(IDOK);
    QComboBox* range = List(1022);
    range->setFocus(Qt::TabFocusReason);
    QTest::keyClick(range, Qt::Key_Down);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(doc->GetModelIndex(), 1);
    EXPECT_EQ(range->currentIndex(), 1);
    EXPECT_TRUE(doc->IsModified());
    for (int r = 1; r <= 16; ++r) {
        EXPECT_TRUE(doc->IsRxEmpty(r)) << r;
        EXPECT_TRUE(Cell(r, 1).isEmpty()) << r;
        EXPECT_TRUE(ReadOnly(r, 2)) << r;
    }
    EXPECT_EQ(doc->GetPriorityChannel(), 0);
    EXPECT_EQ(List(1046)->count(), 1);
    // The new model's band applies to the next entry.
    EnterFrequency(1, 1, QStringLiteral("446"), Qt::Key_Return);
    EXPECT_EQ(doc->GetFreqText(1, true), "174.00000");
}

TEST_F(SettingsPanel, PttCodeFieldsCommitOnlyChangedBytes)
{
    const std::uint8_t code[15] = {1, 2, 10, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    doc->SetPttCode(true, code);
    doc->SetModifiedFlag(false);
    Refresh();
    auto* start = Control<CPttIdCodeEdit>(1040);
    auto* end = Control<CPttIdCodeEdit>(1052);
    EXPECT_EQ(start->text(), QStringLiteral("12A"));
    EXPECT_EQ(start->maxLength(), 15);

    // Visiting the field without a change stores nothing.
    start->setFocus(Qt::TabFocusReason);
    FocusElsewhere();
    EXPECT_FALSE(doc->IsModified());

    start->setFocus(Qt::TabFocusReason);
    QTest::keyClick(start, Qt::Key_End);
    QTest::keyClicks(start, QStringLiteral("x3"));
    FocusElsewhere();
    std::uint8_t stored[15];
    doc->GetPttCode(true, stored);
    const std::array<std::uint8_t, 15> expected = {1, 2, 10, 3, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), stored));
    EXPECT_TRUE(doc->IsModified());

    // Lower-case letters store the same bytes as capitals.
    doc->SetModifiedFlag(false);
    end->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(end, QStringLiteral("12a"));
    FocusElsewhere();
    doc->GetPttCode(false, stored);
    EXPECT_EQ(stored[0], 1);
    EXPECT_EQ(stored[1], 2);
    EXPECT_EQ(stored[2], 10);
    EXPECT_EQ(stored[3], 0xFF);
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(SettingsPanel, PasswordFieldCommitsOnlyChangedBytes)
{
    auto* password = Control<CPasswordEdit>(1042);
    EXPECT_TRUE(password->isVisible());
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    EXPECT_EQ(password->maxLength(), 6);

    password->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(password, QStringLiteral("ab!9Z_yq"));
    EXPECT_EQ(password->text(), QStringLiteral("ab9Zyq"));
    FocusElsewhere();
    std::uint8_t stored[6];
    doc->GetReadPassword(stored);
    const std::array<std::uint8_t, 6> expected = {36, 37, 9, 35, 60, 52};
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), stored));
    EXPECT_TRUE(doc->IsModified());

    doc->SetModifiedFlag(false);
    password->setFocus(Qt::TabFocusReason);
    FocusElsewhere();
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(SettingsPanel, PasswordShowsUpToTheFirstByteOutsideTheAlphabet)
{
    const std::uint8_t bytes[6] = {61, 0, 62, 5, 0xFF, 0xFF};
    doc->SetReadPassword(bytes);
    Refresh();
    EXPECT_EQ(Control<CPasswordEdit>(1042)->text(), QStringLiteral("z0"));
}

TEST_F(EditorFixture, PasswordFieldHiddenWhenTheSettingIsNotOne)
{
    Start(EditorSettings("16", "0"));
    EXPECT_FALSE(view->GetDlgItem(1042)->isVisible());
    EXPECT_FALSE(view->GetDlgItem(1041)->isVisible());
    Start(EditorSettings("16", "1"));
    EXPECT_TRUE(view->GetDlgItem(1042)->isVisible());
    EXPECT_TRUE(view->GetDlgItem(1041)->isVisible());
}

} // namespace

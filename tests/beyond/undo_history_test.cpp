// Undo and redo of every kind of document change, with the modified flag
// following the saved state, and the events that start a new history.

#include "beyond/beyond_env.h"

#include "model/channel_csv.h"
#include "model/channel_edit.h"
#include "model/velmar_doc.h"

#include <functional>

namespace {

class UndoTest : public BeyondTest
{
protected:
    void SetUp() override
    {
        BeyondTest::SetUp();
        doc.OnNewDocument();
        CommitFrequency(doc, 1, 1, "440.5");
        CommitFrequency(doc, 2, 1, "441.5");
        doc.SetPriorityChannel(2);
        path = dir.file("saved.dig");
        ASSERT_TRUE(doc.OnSaveDocument(path));
        ASSERT_TRUE(doc.OnOpenDocument(path));
    }

    CVelmarDoc doc;
    std::string path;
};

struct EditCase
{
    const char* name;
    std::function<void(CVelmarDoc&)> edit;
};

void PrintTo(const EditCase& c, std::ostream* out)
{
    *out << c.name;
}

class UndoEachEditTest : public UndoTest, public ::testing::WithParamInterface<EditCase>
{
};

TEST_P(UndoEachEditTest, UndoRestoresTheSavedStateAndRedoTheEdit)
{
    const RadioImage saved = doc.Image();
    const auto savedUpper = doc.GetBandUpperLimit();
    GetParam().edit(doc);
    const RadioImage edited = doc.Image();
    const auto editedUpper = doc.GetBandUpperLimit();
    ASSERT_NE(edited.bytes, saved.bytes);
    ASSERT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.CanUndo());

    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.Image().bytes, saved.bytes);
    EXPECT_FALSE(doc.IsModified()) << "back at the saved state";
    EXPECT_EQ(doc.GetBandUpperLimit(), savedUpper);
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_TRUE(doc.CanRedo());

    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(doc.Image().bytes, edited.bytes);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetBandUpperLimit(), editedUpper);
    EXPECT_FALSE(doc.CanRedo());
}

const EditCase kEdits[] = {
    { "Setting",
        [](CVelmarDoc& d) {
            d.SetSquelchLevel(7);
            d.SetModifiedFlag(true);
        } },
    { "CheckBoxes",
        [](CVelmarDoc& d) {
            d.SetBeep(1);
            d.SetBatterySave(0);
            d.SetModifiedFlag(true);
        } },
    { "PttCode",
        [](CVelmarDoc& d) {
            d.SetPttCodeText(true, "12AB");
            d.SetModifiedFlag(true);
        } },
    { "ReceiveFrequencyWithSimplexFollow", [](CVelmarDoc& d) { CommitFrequency(d, 1, 1, "445.5"); } },
    { "ClearedChannelWithPriority", [](CVelmarDoc& d) { CommitFrequency(d, 2, 1, ""); } },
    { "ToneWithSameToneFollow", [](CVelmarDoc& d) { CommitTone(d, 1, 2, "88.5"); } },
    { "Option", [](CVelmarDoc& d) { SetChannelOption(d, 1, 7, 0); } },
    { "ModelChange",
        [](CVelmarDoc& d) {
            d.DeleteContents();
            d.SelectModel(1);
            d.SetModifiedFlag(true);
        } },
    { "CsvImport",
        [](CVelmarDoc& d) {
            ApplyChannelsCsvImport(d, PrepareChannelsCsvImport(d, "channel,rxFreq\n3,450\n4,451\n", 16));
        } },
    { "Calibration",
        [](CVelmarDoc& d) {
            d.SetCalibration(2, 17);
            d.SetCalibrationPoint(2);
            d.SetModifiedFlag(true);
        } },
};

INSTANTIATE_TEST_SUITE_P(Kinds, UndoEachEditTest, ::testing::ValuesIn(kEdits),
    [](const ::testing::TestParamInfo<EditCase>& info) { return std::string(info.param.name); });

TEST_F(UndoTest, StepsAcrossTheSavedStateFlipTheModifiedFlag)
{
    const RadioImage saved = doc.Image();
    CommitFrequency(doc, 3, 1, "442.5");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    const RadioImage savedAgain = doc.Image();
    CommitTone(doc, 3, 2, "D023N");
    SetChannelOption(doc, 3, 5, 1);

    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.Image().bytes, savedAgain.bytes);
    EXPECT_FALSE(doc.IsModified());
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.Image().bytes, saved.bytes);
    EXPECT_TRUE(doc.IsModified()) << "the file on disk holds the later state";
    ASSERT_TRUE(doc.Redo());
    EXPECT_FALSE(doc.IsModified());

    // A new edit after an undo drops the redo steps.
    CommitFrequency(doc, 5, 1, "443");
    EXPECT_FALSE(doc.CanRedo());
}

TEST_F(UndoTest, AnEditWithoutAChangeAddsNoStep)
{
    CommitTone(doc, 1, 2, doc.GetToneText(1, true));
    SetChannelOption(doc, 1, 5, doc.GetOption5(1));
    EXPECT_FALSE(doc.CanUndo());
}

TEST_F(UndoTest, AChangeStoredAfterItsMarkIsItsOwnStep)
{
    CommitFrequency(doc, 3, 1, "442.5");
    const RadioImage first = doc.Image();
    doc.SetModifiedFlag(true);
    doc.SetVoxLevel(2);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.Image().bytes, first.bytes);
}

TEST_F(UndoTest, NewDocumentLoadAndRadioReadStartANewHistory)
{
    CommitFrequency(doc, 3, 1, "442.5");
    doc.RefreshAll(); // a language switch: nothing replaced
    EXPECT_TRUE(doc.CanUndo());

    // A read from the radio replaces the image, then refreshes.
    doc.Image().bytes[0x21] = 0x99;
    doc.RefreshAll();
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_TRUE(doc.IsModified()) << "a read leaves the flag as it was";

    CommitFrequency(doc, 4, 1, "443");
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.CanRedo());

    CommitFrequency(doc, 4, 1, "443");
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.IsModified());
}

} // namespace

// The key filters of the frequency editor and the two code fields: typed keys
// and pasted text pass the same alphabet, and the clipboard shortcuts do
// nothing, so nothing outside a field's alphabet ever enters it.

#include "editor/editor_fixture.h"
#include "editor/freq_cell_edit.h"
#include "editor/password_edit.h"
#include "editor/ptt_id_code_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QtTest/QTest>

namespace {

class InputFilter : public EditorFixture {
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        Start();
    }
    // The frequency editor opened over the empty channel 3.
    CFreqCellEdit* OpenFrequency()
    {
        ClickCell(3, 1);
        auto* editor = Control<CFreqCellEdit>(1017);
        EXPECT_TRUE(editor->hasFocus());
        return editor;
    }
};

TEST_F(InputFilter, FrequencyTakesDigitsAndOnePoint)
{
    CFreqCellEdit* editor = OpenFrequency();
    QTest::keyClicks(editor, QStringLiteral("4a4-6.2 .5x"));
    EXPECT_EQ(editor->text(), QStringLiteral("446.25"));
    QTest::keyClick(editor, Qt::Key_Backspace);
    EXPECT_EQ(editor->text(), QStringLiteral("446.2"));
}

TEST_F(InputFilter, FrequencyPointRefusedEvenOverASelectedPoint)
{
    ClickCell(1, 1);
    auto* editor = Control<CFreqCellEdit>(1017);
    ASSERT_EQ(editor->selectedText(), QStringLiteral("446.00625"));
    QTest::keyClick(editor, Qt::Key_Period);
    EXPECT_EQ(editor->text(), QStringLiteral("446.00625"));
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(InputFilter, FrequencyTakesAtMostNineCharacters)
{
    CFreqCellEdit* editor = OpenFrequency();
    QTest::keyClicks(editor, QStringLiteral("446.0062512"));
    EXPECT_EQ(editor->text(), QStringLiteral("446.00625"));
}

TEST_F(InputFilter, PastedTextPassesTheSameFilter)
{
    CFreqCellEdit* editor = OpenFrequency();
    QApplication::clipboard()->setText(QStringLiteral("4x46.0.5 MHz"));
    editor->paste();
    EXPECT_EQ(editor->text(), QStringLiteral("446.05"));

    auto* code = Control<CPttIdCodeEdit>(1040);
    code->setFocus(Qt::TabFocusReason);
    QApplication::clipboard()->setText(QStringLiteral("12xyz9ADE#"));
    code->paste();
    EXPECT_EQ(code->text(), QStringLiteral("129AD"));

    auto* password = Control<CPasswordEdit>(1042);
    password->setFocus(Qt::TabFocusReason);
    QApplication::clipboard()->setText(QStringLiteral("a-b é1"));
    password->paste();
    EXPECT_EQ(password->text(), QStringLiteral("ab1"));
}

TEST_F(InputFilter, ClipboardShortcutsDoNothing)
{
    CFreqCellEdit* editor = OpenFrequency();
    QTest::keyClicks(editor, QStringLiteral("446"));
    QApplication::clipboard()->setText(QStringLiteral("123"));
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(editor->text(), QStringLiteral("446"));
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(editor->text(), QStringLiteral("446"));
    // Moving the cursor still works.
    QTest::keyClick(editor, Qt::Key_Home);
    QTest::keyClick(editor, Qt::Key_Delete);
    EXPECT_EQ(editor->text(), QStringLiteral("46"));
}

TEST_F(InputFilter, PttCodeTakesDigitsAndAToD)
{
    auto* code = Control<CPttIdCodeEdit>(1052);
    code->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(code, QStringLiteral("09aAdDeE*#z5"));
    EXPECT_EQ(code->text(), QStringLiteral("09aAdD5"));
    QTest::keyClicks(code, QStringLiteral("1234567890"));
    EXPECT_EQ(code->text().size(), 15);
}

} // namespace

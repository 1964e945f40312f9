#include "editor/editor_fixture.h"

#include "editor/freq_cell_edit.h"
#include "editor/velmar_view.h"
#include "grid/grid_ctrl.h"
#include "model/velmar_doc.h"
#include "templates/command_ids.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest/QTest>


std::string EditorSettings(const std::string& channel, const std::string& password)
{
    return "[setup]\nchannel=" + channel + "\npassword=" + password
        + "\n\n[ModelInfo]\ndata0=00400052\nFreq0=400-520MHz\ndata1=60134017\nFreq1=136-174MHz\n";
}

void EditorFixture::TearDown()
{
    delete view;
    view = nullptr;
    doc.reset();
    m_home.reset();
}

void EditorFixture::Start(const std::string& settings, const std::string& extraLang)
{
    delete view;
    view = nullptr;
    doc.reset();
    // The old home goes first: it unsets VELMAR_HOME as it goes.
    m_home.reset();
    m_home = std::make_unique<VelmarHome>();
    m_home->Install(settings, extraLang);

    doc = std::make_unique<CVelmarDoc>();
    ASSERT_TRUE(doc->OnNewDocument());
    FillSample();

    view = new CVelmarView;
    view->AttachDocument(doc.get());
    view->OnInitialUpdate();
    view->show();
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view, 2000));
}

void EditorFixture::FillSample()
{
    doc->SetFreqText(1, true, "446.00625");
    doc->SetFreqText(1, false, "446.00625");
    doc->SetToneText(1, true, "67.0");
    doc->SetToneText(1, false, "67.0");
    doc->SetFreqText(2, true, "440.00000");
    doc->SetFreqText(2, false, "445.00000");
    doc->SetToneText(2, true, "D023N");
    doc->SetFreqText(5, true, "450");
    doc->SetFreqText(5, false, "450");
    doc->SetPriorityChannel(2);
    doc->SetModifiedFlag(false);
}

CGridCtrl* EditorFixture::Grid() const
{
    return view->GetGrid();
}

QString EditorFixture::Cell(int row, int col) const
{
    return Grid()->CellText(row, col);
}

bool EditorFixture::ReadOnly(int row, int col) const
{
    return (Grid()->CellState(row, col) & CELL_READONLY) != 0;
}

void EditorFixture::ClickCell(int row, int col)
{
    QRect rect;
    ASSERT_TRUE(Grid()->CellRect(row, col, rect)) << row << "," << col;
    QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, rect.center());
}

void EditorFixture::EnterFrequency(int row, int col, const QString& text, int key)
{
    ClickCell(row, col);
    auto* editor = Control<CFreqCellEdit>(1017);
    ASSERT_TRUE(editor->isVisible());
    ASSERT_TRUE(editor->hasFocus());
    // The whole text is selected at opening: typing replaces it; an empty
    // text clears it.
    if (text.isEmpty())
        QTest::keyClick(editor, Qt::Key_Backspace);
    else
        QTest::keyClicks(editor, text);
    QTest::keyClick(editor, static_cast<Qt::Key>(key));
}

void EditorFixture::FocusElsewhere()
{
    // The squelch list: a plain control of the form that takes the focus.
    QWidget* other = view->GetDlgItem(1032);
    other->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
}

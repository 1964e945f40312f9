// The channel table and its in-place editors as a screen reader reads them:
// the table's shape, headers and cell texts against what the grid shows, the
// focus cell after real key presses, read-only cells, the events that tell a
// reader about moves, new texts and a new shape, and the editors' names.

#include "editor/editor_fixture.h"
#include "grid/grid_accessible.h"
#include "grid/grid_ctrl.h"
#include "shell/lang_string.h"
#include "shell/settings_file.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest/QTest>

namespace {

class ChannelTableA11y : public EditorFixture
{
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        Start();
    }

    QAccessibleInterface* Table() const { return QAccessible::queryAccessibleInterface(Grid()); }
    QAccessibleTableInterface* TableIface() const { return Table()->tableInterface(); }

    // Keyboard entry into the grid, as Tab from the control before it does.
    void TabIntoGrid()
    {
        FocusElsewhere();
        Grid()->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        ASSERT_TRUE(Grid()->hasFocus());
    }

    // (row, column) of the focused child in grid coordinates, or (-1, -1).
    CellPos FocusedCell() const
    {
        QAccessibleInterface* focus = Table()->focusChild();
        if (!focus || !focus->tableCellInterface())
            return {};
        return { focus->tableCellInterface()->rowIndex() + Grid()->FixedRows(),
            focus->tableCellInterface()->columnIndex() + Grid()->FixedColumns() };
    }
};

TEST_F(ChannelTableA11y, TableShapeHeadersAndTextsEqualTheGrid)
{
    QAccessibleInterface* table = Table();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->role(), QAccessible::Table);
    EXPECT_EQ(table->text(QAccessible::Name), QStringLiteral("Channel table"));
    QAccessibleTableInterface* t = TableIface();
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->rowCount(), Grid()->Rows() - 1);
    ASSERT_EQ(t->columnCount(), Grid()->Columns() - 1);
    EXPECT_EQ(t->rowCount(), 16);
    EXPECT_EQ(t->columnCount(), 11);
    EXPECT_EQ(table->childCount(), Grid()->Rows() * Grid()->Columns());

    for (int r = 0; r < t->rowCount(); ++r) {
        for (int c = 0; c < t->columnCount(); ++c) {
            QAccessibleInterface* cell = t->cellAt(r, c);
            ASSERT_NE(cell, nullptr) << r << "," << c;
            EXPECT_EQ(cell->role(), QAccessible::Cell);
            EXPECT_EQ(cell->text(QAccessible::Name), Cell(r + 1, c + 1)) << r << "," << c;
            QAccessibleTableCellInterface* ci = cell->tableCellInterface();
            ASSERT_NE(ci, nullptr);
            EXPECT_EQ(ci->rowIndex(), r);
            EXPECT_EQ(ci->columnIndex(), c);
            const QList<QAccessibleInterface*> columnHeaders = ci->columnHeaderCells();
            ASSERT_EQ(columnHeaders.size(), 1);
            EXPECT_EQ(columnHeaders.front()->role(), QAccessible::ColumnHeader);
            EXPECT_EQ(columnHeaders.front()->text(QAccessible::Name), Cell(0, c + 1));
            const QList<QAccessibleInterface*> rowHeaders = ci->rowHeaderCells();
            ASSERT_EQ(rowHeaders.size(), 1);
            EXPECT_EQ(rowHeaders.front()->role(), QAccessible::RowHeader);
            EXPECT_EQ(rowHeaders.front()->text(QAccessible::Name), QString::number(r + 1));
            // The child list and the table coordinates name the same object.
            EXPECT_EQ(table->child(table->indexOfChild(cell)), cell);
            EXPECT_EQ(cell->parent(), table);
        }
    }
    EXPECT_EQ(t->cellAt(t->rowCount(), 0), nullptr);
    EXPECT_EQ(t->cellAt(0, t->columnCount()), nullptr);
    EXPECT_EQ(t->columnDescription(0), Cell(0, 1));
    EXPECT_EQ(t->cellAt(0, 0)->text(QAccessible::Name), QStringLiteral("446.00625"));
}

TEST_F(ChannelTableA11y, ReadOnlyCellsAreNotEditable)
{
    struct Case
    {
        int row, col;
        bool editable;
    };
    // Channel 3 is empty: only its receive frequency opens an editor.
    const Case cases[] = { { 1, 1, true }, { 1, 4, true }, { 3, 1, true }, { 3, 2, false }, { 3, 7, false } };
    for (const Case& c : cases) {
        ASSERT_EQ(ReadOnly(c.row, c.col), !c.editable);
        const QAccessible::State state = TableIface()->cellAt(c.row - 1, c.col - 1)->state();
        EXPECT_EQ(state.editable, c.editable) << c.row << "," << c.col;
        EXPECT_EQ(state.readOnly, !c.editable) << c.row << "," << c.col;
    }
    EXPECT_TRUE(Table()->child(0)->state().readOnly);
}

TEST_F(ChannelTableA11y, FocusCellFollowsTheKeys)
{
    EXPECT_EQ(FocusedCell(), CellPos {});
    TabIntoGrid();
    // Entered from the keyboard, the grid starts at the first data cell.
    EXPECT_EQ(FocusedCell(), (CellPos { 1, 1 }));
    QTest::keyClick(Grid(), Qt::Key_Down);
    QTest::keyClick(Grid(), Qt::Key_Down);
    QTest::keyClick(Grid(), Qt::Key_Right);
    EXPECT_EQ(Grid()->FocusPos(), (CellPos { 3, 2 }));
    EXPECT_EQ(FocusedCell(), (CellPos { 3, 2 }));
    QAccessibleInterface* focus = Table()->focusChild();
    EXPECT_TRUE(focus->state().focused);
    EXPECT_FALSE(TableIface()->cellAt(0, 0)->state().focused);
    QTest::keyClick(Grid(), Qt::Key_End);
    EXPECT_EQ(FocusedCell(), (CellPos { 16, 2 }));
}

TEST_F(ChannelTableA11y, CtrlTabLeavesTheGridBothWays)
{
    TabIntoGrid();
    QTest::keyClick(Grid(), Qt::Key_Tab);
    EXPECT_TRUE(Grid()->hasFocus()) << "plain Tab moves between cells";
    EXPECT_EQ(Grid()->FocusPos(), (CellPos { 1, 2 }));
    QTest::keyClick(Grid(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_FALSE(Grid()->hasFocus());
    TabIntoGrid();
    QTest::keyClick(Grid(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(Grid()->hasFocus());
}

TEST_F(ChannelTableA11y, ShapeAndTextChangesAreSeenAtOnce)
{
    auto* table = dynamic_cast<CGridAccessible*>(Table());
    ASSERT_NE(table, nullptr);
    QAccessibleInterface* cell = TableIface()->cellAt(4, 2);
    Grid()->SetCellText(5, 3, QStringLiteral("451.00000"));
    EXPECT_EQ(cell->text(QAccessible::Name), QStringLiteral("451.00000"));

    const int rows = Grid()->Rows();
    QAccessibleInterface* last = TableIface()->cellAt(rows - 2, 0);
    ASSERT_NE(last, nullptr);
    EXPECT_TRUE(last->isValid());
    ASSERT_TRUE(Grid()->SetRows(rows - 1));
    EXPECT_EQ(TableIface()->rowCount(), rows - 2);
    EXPECT_EQ(Table()->childCount(), (rows - 1) * Grid()->Columns());
    EXPECT_EQ(TableIface()->cellAt(rows - 2, 0), nullptr);
    EXPECT_FALSE(last->isValid()) << "a cell of a row that went away reports itself invalid";
}

TEST_F(ChannelTableA11y, FrequencyEditorAnnouncesItsCellAndGivesTheFocusBack)
{
    TabIntoGrid();
    QTest::keyClick(Grid(), Qt::Key_Return);
    auto* editor = Control<QLineEdit>(1017);
    ASSERT_TRUE(editor->isVisible());
    ASSERT_TRUE(editor->hasFocus());
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(editor);
    EXPECT_EQ(iface->text(QAccessible::Name), Cell(0, 1) + QStringLiteral(", channel 1"));
    EXPECT_EQ(iface->text(QAccessible::Value), QStringLiteral("446.00625"));

    QTest::keyClicks(editor, QStringLiteral("446.0031"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_TRUE(Grid()->hasFocus());
    EXPECT_EQ(FocusedCell(), (CellPos { 1, 1 }));
    EXPECT_EQ(Table()->focusChild()->text(QAccessible::Name), QStringLiteral("446.00500"));
}

TEST_F(ChannelTableA11y, EditorNameFollowsTheLanguage)
{
    SetLanguageFile(std::string(VELMAR_RESOURCE_DIR) + "/chinese.lang");
    view->OnUpdate(nullptr, 0);
    ASSERT_EQ(Cell(0, 1), QString::fromStdString(LoadChText(1)));
    TabIntoGrid();
    QTest::keyClick(Grid(), Qt::Key_Return);
    auto* editor = Control<QLineEdit>(1017);
    ASSERT_TRUE(editor->hasFocus());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(editor)->text(QAccessible::Name),
        Cell(0, 1) + QStringLiteral("\uFF0C\u4FE1\u9053 1"));
    EXPECT_EQ(Table()->text(QAccessible::Name), QStringLiteral("\u4FE1\u9053\u8868"));
    QTest::keyClick(editor, Qt::Key_Escape);
}

TEST_F(ChannelTableA11y, ListEditorsAreNamedAfterTheirCell)
{
    struct Case
    {
        int col;
        int editorId;
    };
    const Case cases[] = { { 2, 1019 }, { 6, 1018 } };
    for (const Case& c : cases) {
        TabIntoGrid();
        Grid()->SetFocusPos(2, c.col);
        QTest::keyClick(Grid(), Qt::Key_Return);
        auto* editor = Control<QComboBox>(c.editorId);
        ASSERT_TRUE(editor->hasFocus()) << c.col;
        const QString expected = Cell(0, c.col) + QStringLiteral(", channel 2");
        EXPECT_EQ(editor->accessibleName(), expected);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(editor)->text(QAccessible::Description), expected);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(editor)->text(QAccessible::Value), Cell(2, c.col));
        QTest::keyClick(editor, Qt::Key_Escape);
        EXPECT_TRUE(Grid()->hasFocus());
        EXPECT_EQ(FocusedCell(), (CellPos { 2, c.col }));
    }
}

} // namespace

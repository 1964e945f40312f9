#include "editor/cell_editor_support.h"

void PlaceOverCell(QWidget* editor, const QRect& cell)
{
    editor->setGeometry(cell.left(), cell.top(), cell.right() - cell.left(), cell.bottom() - cell.top());
    editor->update();
}

void FocusOwner(QWidget* editor, QWidget* owner)
{
    QWidget* target = owner ? owner : editor->parentWidget();
    if (target)
        target->setFocus(Qt::OtherFocusReason);
}

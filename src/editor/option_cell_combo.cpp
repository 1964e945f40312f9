#include "editor/option_cell_combo.h"

#include "editor/cell_editor_support.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>

COptionCellCombo::COptionCellCombo(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(false);
    view()->installEventFilter(this);
}

void COptionCellCombo::OpenOver(const QRect& cell, const QString& text)
{
    show();
    setEnabled(true);
    m_savedText = text;
    {
        const QSignalBlocker quiet(this);
        setCurrentIndex(findText(text, Qt::MatchStartsWith));
    }
    PlaceOverCell(this, cell);
    setFocus(Qt::OtherFocusReason);
}

void COptionCellCombo::CloseEditor()
{
    if (view()->isVisible())
        hidePopup();
    setEnabled(false);
    hide();
}

bool COptionCellCombo::HandleEndKey(int key)
{
    if (key != Qt::Key_Escape && key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (view()->isVisible()) {
        const int row = view()->currentIndex().row();
        hidePopup();
        // Enter in the dropped list chooses the highlighted entry; the choice
        // is stored by the view like any other change of the selection.
        if (key != Qt::Key_Escape && row >= 0)
            setCurrentIndex(row);
    }
    FocusOwner(this, m_owner);
    return true;
}

void COptionCellCombo::keyPressEvent(QKeyEvent* event)
{
    if (HandleEndKey(event->key()))
        return;
    QComboBox::keyPressEvent(event);
}

bool COptionCellCombo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view() && event->type() == QEvent::KeyPress
        && HandleEndKey(static_cast<QKeyEvent*>(event)->key()))
        return true;
    return QComboBox::eventFilter(watched, event);
}

void COptionCellCombo::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    // Dropping the list moves the focus into the list's own pop-up (on some
    // platforms by activating the pop-up window); the edit goes on there.
    if (event->reason() != Qt::PopupFocusReason && !view()->isVisible())
        Q_EMIT KillFocus();
}

#include "editor/freq_cell_edit.h"

#include "editor/cell_editor_support.h"
#include "editor/key_filter.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace {
constexpr int kTextLimit = 9;

// Digits and a single decimal point; the point is refused while the text
// holds one anywhere, selected or not.
bool AcceptsFrequency(QChar c, const QString& text)
{
    if (c == QLatin1Char('.'))
        return !text.contains(QLatin1Char('.'));
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
}

CFreqCellEdit::CFreqCellEdit(QWidget* parent)
    : QLineEdit(parent)
    , m_filter(new KeyFilter(AcceptsFrequency, this))
{
    setValidator(m_filter);
}

void CFreqCellEdit::OpenOver(const QRect& cell, const QString& text)
{
    show();
    setEnabled(true);
    setMaxLength(kTextLimit);
    PlaceOverCell(this, cell);
    setText(text);
    selectAll();
    m_savedText = text;
    setFocus(Qt::OtherFocusReason);
}

void CFreqCellEdit::CloseEditor()
{
    setEnabled(false);
    hide();
}

void CFreqCellEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        setText(m_savedText);
        FocusOwner(this, m_owner);
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        FocusOwner(this, m_owner);
        return;
    }
    if (m_filter->Drops(event, text())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CFreqCellEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        Q_EMIT KillFocus();
}

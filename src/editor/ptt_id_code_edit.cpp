#include "editor/ptt_id_code_edit.h"

#include "editor/key_filter.h"
#include "model/symbol_code.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include <algorithm>

namespace {
bool AcceptsPttCode(QChar c, const QString&)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('D'))
        || (c >= QLatin1Char('a') && c <= QLatin1Char('d'));
}
}

CPttIdCodeEdit::CPttIdCodeEdit(QWidget* parent)
    : QLineEdit(parent)
    , m_filter(new KeyFilter(AcceptsPttCode, this))
{
    setValidator(m_filter);
}

void CPttIdCodeEdit::SetCode(const std::uint8_t* code, int length)
{
    const int count = std::clamp(length, 0, static_cast<int>(PttCodeBytes().size()));
    setMaxLength(std::max(count, 1));
    setText(QString::fromStdString(PttCodeToText(code, static_cast<std::size_t>(count))));
}

void CPttIdCodeEdit::GetCode(std::uint8_t* code, int length) const
{
    const PttCodeBytes bytes = PttCodeFromText(text().toStdString());
    const int count = std::clamp(length, 0, static_cast<int>(bytes.size()));
    std::copy_n(bytes.begin(), count, code);
}

void CPttIdCodeEdit::keyPressEvent(QKeyEvent* event)
{
    if (m_filter->Drops(event, text())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CPttIdCodeEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        Q_EMIT KillFocus();
}

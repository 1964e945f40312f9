#include "editor/password_edit.h"

#include "editor/key_filter.h"
#include "model/symbol_code.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include <algorithm>

namespace {
bool AcceptsPassword(QChar c, const QString&)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
        || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}
}

CPasswordEdit::CPasswordEdit(QWidget* parent)
    : QLineEdit(parent)
    , m_filter(new KeyFilter(AcceptsPassword, this))
{
    setValidator(m_filter);
}

void CPasswordEdit::SetCode(const std::uint8_t* code, int length)
{
    const int count = std::clamp(length, 0, static_cast<int>(PasswordBytes().size()));
    setMaxLength(std::max(count, 1));
    setText(QString::fromStdString(PasswordToText(code, static_cast<std::size_t>(count))));
}

void CPasswordEdit::GetCode(std::uint8_t* code, int length) const
{
    const PasswordBytes bytes = PasswordFromText(text().toStdString());
    const int count = std::clamp(length, 0, static_cast<int>(bytes.size()));
    std::copy_n(bytes.begin(), count, code);
}

void CPasswordEdit::keyPressEvent(QKeyEvent* event)
{
    if (m_filter->Drops(event, text())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CPasswordEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        Q_EMIT KillFocus();
}

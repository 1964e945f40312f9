#include "editor/key_filter.h"

#include <QKeyEvent>
#include <QKeySequence>

#include <array>

KeyFilter::KeyFilter(Accepts accepts, QObject* parent)
    : QValidator(parent)
    , m_accepts(accepts)
{
}

bool KeyFilter::Drops(const QKeyEvent* event, const QString& text) const
{
    // These arrive as control characters on the original platform and are
    // dropped there, so cut, copy, paste and undo do nothing in these fields.
    static constexpr std::array kShortcuts = {QKeySequence::Copy, QKeySequence::Cut,
        QKeySequence::Paste, QKeySequence::Undo, QKeySequence::Redo, QKeySequence::SelectAll,
        QKeySequence::DeleteStartOfWord, QKeySequence::DeleteEndOfWord};
    for (const QKeySequence::StandardKey key : kShortcuts) {
        if (event->matches(key))
            return true;
    }
    const QString typed = event->text();
    if (typed.isEmpty() || event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)
        return false;
    if (event->modifiers() & Qt::ControlModifier)
        return true;
    for (const QChar c : typed) {
        if (!c.isPrint() || !m_accepts(c, text))
            return true;
    }
    return false;
}

QValidator::State KeyFilter::validate(QString& input, int& pos) const
{
    QString kept;
    kept.reserve(input.size());
    int newPos = pos;
    for (qsizetype i = 0; i < input.size(); ++i) {
        if (m_accepts(input.at(i), kept))
            kept.append(input.at(i));
        else if (i < pos)
            --newPos;
    }
    input = kept;
    pos = newPos;
    return Acceptable;
}

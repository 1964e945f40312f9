#pragma once
// The character filter of the editor's edit fields: which characters may enter
// a field, applied alike to typed keys and to pasted text, so nothing outside
// a field's alphabet ever reaches it. Clipboard and undo shortcuts do nothing.
// UI thread only.

#include <QValidator>

class QKeyEvent;

class KeyFilter : public QValidator {
    Q_OBJECT
public:
    // Whether c may enter a field whose text is currently text.
    using Accepts = bool (*)(QChar c, const QString& text);

    KeyFilter(Accepts accepts, QObject* parent);

    // True when the key press must not reach the field: a character outside
    // the alphabet, a control character other than backspace, or a
    // clipboard, undo or select-all shortcut. Keys without text (arrows,
    // Home, End, Delete) always pass.
    bool Drops(const QKeyEvent* event, const QString& text) const;

    // Removes every character the filter refuses (each judged against the
    // characters kept before it), so pasted text is filtered too.
    State validate(QString& input, int& pos) const override;

private:
    Accepts m_accepts;
};

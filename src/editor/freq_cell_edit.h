#pragma once
// The in-place editor of the frequency cells (columns 1 and 3): an edit field
// that takes digits and one decimal point, at most 9 characters. Escape puts
// back the text the cell had; Escape and Enter hand the focus to the owner,
// and the view commits on the focus loss (KillFocus). UI thread only.

#include <QLineEdit>
#include <QPointer>

class KeyFilter;

class CFreqCellEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CFreqCellEdit(QWidget* parent = nullptr);

    // The window that takes the focus when Enter or Escape ends an edit.
    void SetOwner(QWidget* owner) { m_owner = owner; }

    // Shows, enables and focuses the editor over cell (parent coordinates,
    // right/bottom inclusive) with text selected; remembers text for Escape.
    void OpenOver(const QRect& cell, const QString& text);
    // Disables, then hides the editor.
    void CloseEditor();

    const QString& SavedText() const { return m_savedText; }

Q_SIGNALS:
    // The editor lost the focus (not to a pop-up of its own).
    void KillFocus();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QPointer<QWidget> m_owner;
    KeyFilter* m_filter;
    QString m_savedText;
};

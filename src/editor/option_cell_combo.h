#pragma once
// The in-place editor of the option cells (columns 5 to 11): a drop-down list
// of the column's two texts, which the view fills before each opening. The
// view stores every change of the selection at once (currentIndexChanged,
// which the editor keeps quiet while it selects by itself), so Escape undoes
// nothing; Escape and Enter hand the focus to the owner. UI thread only.

#include <QComboBox>
#include <QPointer>

class COptionCellCombo : public QComboBox {
    Q_OBJECT
public:
    explicit COptionCellCombo(QWidget* parent = nullptr);

    void SetOwner(QWidget* owner) { m_owner = owner; }

    // Shows and enables the editor, remembers text, selects the first entry
    // that begins with text (ignoring case), moves over cell (right/bottom
    // inclusive) and takes the focus.
    void OpenOver(const QRect& cell, const QString& text);
    void CloseEditor();

    const QString& SavedText() const { return m_savedText; }

Q_SIGNALS:
    void KillFocus();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool HandleEndKey(int key);

    QPointer<QWidget> m_owner;
    QString m_savedText;
};

#pragma once
// The in-place editor of the tone cells (columns 2 and 4): a drop-down list of
// the off text, the 50 CTCSS tones and the 104 DCS codes in both polarities,
// shown in capitals. The tones come from the resources 134, 135 and 136
// (files of 8-byte records, docs/tone-lists.md). Escape re-selects the tone
// the cell had; Escape and Enter hand the focus to the owner, and the view
// commits on the focus loss (KillFocus). UI thread only.

#include <QByteArray>
#include <QComboBox>
#include <QPointer>

class CToneCellCombo : public QComboBox {
    Q_OBJECT
public:
    // Records in the resources 136 (CTCSS), 135 (DCS normal), 134 (DCS inverted).
    static constexpr int kCtcssRecords = 50;
    static constexpr int kDcsRecords = 104;
    static constexpr int kRecordSize = 8;
    // The off text and every record: 259 entries.
    static constexpr int kEntryCount = 1 + kCtcssRecords + 2 * kDcsRecords;

    explicit CToneCellCombo(QWidget* parent = nullptr);

    void SetOwner(QWidget* owner) { m_owner = owner; }

    // Rebuilds the list: the "IDS_OFF" text, then the records of 136, 135, 134.
    void FillToneList();

    // Shows and enables the editor, selects the first entry that begins with
    // text (ignoring case; none when no entry does), remembers text for
    // Escape, moves over cell (right/bottom inclusive) and takes the focus.
    void OpenOver(const QRect& cell, const QString& text);
    void CloseEditor();

    const QString& SavedText() const { return m_savedText; }

    // The bytes of tone-list resource 134, 135 or 136 (empty for any other).
    static QByteArray ToneResource(int id);

Q_SIGNALS:
    void KillFocus();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddEntry(const QString& text);
    void RestoreSaved();
    // Escape and Enter, whether the list is dropped or not; true when handled.
    bool HandleEndKey(int key);

    QPointer<QWidget> m_owner;
    QString m_savedText;
};

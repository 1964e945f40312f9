#include "editor/tone_cell_combo.h"

#include "editor/cell_editor_support.h"
#include "shell/lang_string.h"

#include <QAbstractItemView>
#include <QFile>
#include <QFocusEvent>
#include <QKeyEvent>

// The resource initialiser must be declared outside any namespace; calling it
// also keeps the resource in the program when it comes from a static library.
static void InitToneResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(tones);
        return true;
    }();
    (void)done;
}

namespace {
// Selects the first entry whose text begins with text, ignoring case, as the
// list control's select-by-text does; -1 when none does.
int FindByPrefix(const QComboBox& combo, const QString& text)
{
    return combo.findText(text, Qt::MatchStartsWith);
}
}

CToneCellCombo::CToneCellCombo(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(false);
    // The list is far longer than a cell; show a useful part of it when dropped.
    setMaxVisibleItems(12);
    view()->installEventFilter(this);
}

QByteArray CToneCellCombo::ToneResource(int id)
{
    if (id != 134 && id != 135 && id != 136)
        return {};
    InitToneResources();
    QFile file(QStringLiteral(":/tones/%1").arg(id));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void CToneCellCombo::AddEntry(const QString& text)
{
    // The list shows its entries in capitals, and holds them so.
    addItem(text.toUpper());
}

void CToneCellCombo::FillToneList()
{
    const QSignalBlocker quiet(this);
    clear();
    AddEntry(QString::fromStdString(LoadLangString("IDS_OFF")));
    const struct {
        int id;
        int records;
    } lists[] = {{136, kCtcssRecords}, {135, kDcsRecords}, {134, kDcsRecords}};
    for (const auto& list : lists) {
        const QByteArray bytes = ToneResource(list.id);
        // Only whole records count; a short resource gives fewer entries.
        const int available = static_cast<int>(bytes.size() / kRecordSize);
        for (int i = 0; i < list.records && i < available; ++i) {
            const char* record = bytes.constData() + static_cast<qsizetype>(i) * kRecordSize;
            AddEntry(QString::fromLatin1(record, static_cast<qsizetype>(qstrnlen(record, kRecordSize))));
        }
    }
}

void CToneCellCombo::OpenOver(const QRect& cell, const QString& text)
{
    show();
    setEnabled(true);
    {
        const QSignalBlocker quiet(this);
        // A stored tone that begins no entry (possible only in data from a
        // radio or a file) selects nothing rather than a wrong tone, and the
        // view then leaves the stored tone as it is.
        setCurrentIndex(FindByPrefix(*this, text));
    }
    m_savedText = text;
    PlaceOverCell(this, cell);
    setFocus(Qt::OtherFocusReason);
}

void CToneCellCombo::CloseEditor()
{
    if (view()->isVisible())
        hidePopup();
    setEnabled(false);
    hide();
}

void CToneCellCombo::RestoreSaved()
{
    const QSignalBlocker quiet(this);
    setCurrentIndex(FindByPrefix(*this, m_savedText));
}

bool CToneCellCombo::HandleEndKey(int key)
{
    if (key == Qt::Key_Escape) {
        if (view()->isVisible())
            hidePopup();
        RestoreSaved();
        FocusOwner(this, m_owner);
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (view()->isVisible()) {
            const int row = view()->currentIndex().row();
            hidePopup();
            if (row >= 0)
                setCurrentIndex(row);
        }
        FocusOwner(this, m_owner);
        return true;
    }
    return false;
}

void CToneCellCombo::keyPressEvent(QKeyEvent* event)
{
    if (HandleEndKey(event->key()))
        return;
    QComboBox::keyPressEvent(event);
}

bool CToneCellCombo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view() && event->type() == QEvent::KeyPress
        && HandleEndKey(static_cast<QKeyEvent*>(event)->key()))
        return true;
    return QComboBox::eventFilter(watched, event);
}

void CToneCellCombo::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    // Dropping the list moves the focus into the list's own pop-up (on some
    // platforms by activating the pop-up window); the edit goes on there.
    if (event->reason() != Qt::PopupFocusReason && !view()->isVisible())
        Q_EMIT KillFocus();
}

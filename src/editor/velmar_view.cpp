#include "editor/velmar_view.h"

#include "editor/freq_cell_edit.h"
#include "editor/option_cell_combo.h"
#include "editor/password_edit.h"
#include "editor/ptt_id_code_edit.h"
#include "editor/tone_cell_combo.h"
#include "grid/grid_ctrl.h"
#include "model/channel_edit.h"
#include "grid/grid_ctrl.h"
#include "model/velmar_doc.h"
#include "platform/profile.h"
#include "platform/ui/dialog_builder.h"
#include "platform/ui/message_box.h"
#include "platform/ui/translate_window.h"
#include "shell/lang_string.h"
#include "shell/settings_file.h"
#include "shell/ui/velmar_app.h"
#include "templates/command_ids.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPalette>
#include <QSignalBlocker>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <new>
#include <string>

namespace {
constexpr int kPasswordLabel = 1041;
constexpr int kColumnCount = 12;
constexpr int kTitleRowHeight = 28;
constexpr int kChannelRowHeight = 21;
constexpr int kColumnWidths[kColumnCount] = {40, 80, 70, 80, 70, 70, 60, 70, 70, 73, 70, 70};
// DrawText flags: centred, vertically centred, and word-break or single line.
constexpr unsigned kTitleFormat = 0x15;
constexpr unsigned kCellFormat = 0x25;
constexpr int kPttCodeLength = 15;
constexpr int kPasswordLength = 6;
// What the stored fields can take: a longer language section is cut to this,
// so no list index can spill into a neighbouring bit field.
constexpr int kVoiceEntries = 3;
constexpr int kPttIdEntries = 4;
constexpr int kScanModeEntries = 2;
constexpr int kMonitorKeyEntries = 16;

QString Lang(const char* key)
{
    return QString::fromStdString(LoadLangString(key));
}

QStringList LangList(const char* section, int limit)
{
    QStringList entries;
    for (const std::string& text : LoadLangList(section)) {
        if (entries.size() >= limit)
            break;
        entries.append(QString::fromStdString(text));
    }
    return entries;
}

QStringList Numbers(int first, int last, int step)
{
    QStringList entries;
    for (int n = first; n <= last; n += step)
        entries.append(QString::number(n));
    return entries;
}

QStringList OffThen(const QStringList& entries)
{
    return QStringList {Lang("IDS_OFF")} + entries;
}

QStringList VoxDelays()
{
    QStringList entries;
    for (int tenths = 5; tenths <= 30; tenths += 5)
        entries.append(QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10));
    return entries;
}

QStringList FrequencyRanges()
{
    QStringList entries;
    for (int i = 0; i < 16; ++i) {
        const std::string key = "Freq" + std::to_string(i);
        // A missing key reads as empty, which ends the list.
        const std::string text = GetPrivateProfileString("ModelInfo", key, "", 30, SettingsFile());
        if (text.empty())
            break;
        entries.append(QString::fromStdString(text));
    }
    return entries;
}

// The leading decimal number of a text; 0 when it starts with none. Large
// values saturate instead of overflowing.
int LeadingNumber(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        value = std::min(value * 10 + (text[i] - '0'), 1000000000LL);
    return static_cast<int>(negative ? -value : value);
}

// A settings list whose selected index is the stored value.
struct IndexedList {
    int id;
    QStringList (*entries)();
    int (CVelmarDoc::*get)() const;
    void (CVelmarDoc::*set)(int);
};

QStringList VoiceEntries() { return LangList("VoiceAnnunciation", kVoiceEntries); }
QStringList PttIdEntries() { return LangList("PttId", kPttIdEntries); }
QStringList MonitorKeyEntries() { return LangList("MonitorKey", kMonitorKeyEntries); }
QStringList ScanModeEntries() { return LangList("ScanMode", kScanModeEntries); }
QStringList SquelchEntries() { return Numbers(0, 9, 1); }
QStringList TxTimeoutEntries() { return OffThen(Numbers(30, 300, 30)); }
QStringList VoxLevelEntries() { return OffThen(Numbers(1, 9, 1)); }

// In the order the settings refresh fills them.
const IndexedList kIndexedLists[] = {
    {1026, VoiceEntries, &CVelmarDoc::GetVoiceAnnunciation, &CVelmarDoc::SetVoiceAnnunciation},
    {1030, PttIdEntries, &CVelmarDoc::GetPttId, &CVelmarDoc::SetPttId},
    {1032, SquelchEntries, &CVelmarDoc::GetSquelchLevel, &CVelmarDoc::SetSquelchLevel},
    {1034, MonitorKeyEntries, &CVelmarDoc::GetSideKey1, &CVelmarDoc::SetSideKey1},
    {1044, MonitorKeyEntries, &CVelmarDoc::GetSideKey2, &CVelmarDoc::SetSideKey2},
    {1054, MonitorKeyEntries, &CVelmarDoc::GetSideKey1Long, &CVelmarDoc::SetSideKey1Long},
    {1056, MonitorKeyEntries, &CVelmarDoc::GetSideKey2Long, &CVelmarDoc::SetSideKey2Long},
    {1036, TxTimeoutEntries, &CVelmarDoc::GetTxTimeout, &CVelmarDoc::SetTxTimeout},
    {1038, VoxLevelEntries, &CVelmarDoc::GetVoxLevel, &CVelmarDoc::SetVoxLevel},
    {1048, ScanModeEntries, &CVelmarDoc::GetScanMode, &CVelmarDoc::SetScanMode},
    {1050, VoxDelays, &CVelmarDoc::GetVoxDelay, &CVelmarDoc::SetVoxDelay},
};

COLORREF GrayTextColor(const QWidget* widget)
{
    const QColor c = widget->palette().color(QPalette::Disabled, QPalette::Text);
    return MakeColorRef(static_cast<unsigned>(c.red()), static_cast<unsigned>(c.green()),
        static_cast<unsigned>(c.blue()));
}

QWidget* MakeControl(const ControlTemplate& c, QWidget* parent)
{
    switch (c.id) {
    case 1016: return new CGridCtrl(0, 0, 0, 0, parent);
    case 1017: return new CFreqCellEdit(parent);
    case 1018: return new COptionCellCombo(parent);
    case 1019: return new CToneCellCombo(parent);
    case 1040:
    case 1052: return new CPttIdCodeEdit(parent);
    case 1042: {
        auto* edit = new CPasswordEdit(parent);
        edit->setEchoMode(QLineEdit::Password);
        return edit;
    }
    default: return nullptr;
    }
}
} // namespace

CVelmarView::CVelmarView(QWidget* parent)
    : CView(parent)
{
    setObjectName(QStringLiteral("velmarView"));
    if (const DialogTemplate* form = FindDialogTemplate(IDD_VELMAR_FORM))
        resize(DialogBuilder::Build(this, *form, MakeControl));
    BindControls();
    ConnectHandlers();
}

CVelmarView::~CVelmarView()
{
    // The controls go away after this object; a focus loss while they are
    // torn down must not reach the handlers of a view that is gone.
    for (QObject* child : children())
        child->disconnect(this);
}

void CVelmarView::BindControls()
{
    auto list = [this](int id) { return qobject_cast<QComboBox*>(GetDlgItem(id)); };
    m_priorityList = list(1046);
    m_scanModeList = list(1048);
    m_voxDelayList = list(1050);
    m_sideKey2List = list(1044);
    m_password = qobject_cast<CPasswordEdit*>(GetDlgItem(1042));
    m_startCode = qobject_cast<CPttIdCodeEdit*>(GetDlgItem(1040));
    m_endCode = qobject_cast<CPttIdCodeEdit*>(GetDlgItem(1052));
    m_voxLevelList = list(1038);
    m_txTimeoutList = list(1036);
    m_sideKey1List = list(1034);
    m_squelchList = list(1032);
    m_pttIdList = list(1030);
    m_voiceList = list(1026);
    m_freqRangeList = list(1022);
    m_freqEdit = qobject_cast<CFreqCellEdit*>(GetDlgItem(1017));
    m_optionList = qobject_cast<COptionCellCombo*>(GetDlgItem(1018));
    m_toneList = qobject_cast<CToneCellCombo*>(GetDlgItem(1019));
    m_grid = qobject_cast<CGridCtrl*>(GetDlgItem(1016));
    m_sideKey1LongList = list(1054);
    m_sideKey2LongList = list(1056);
    m_beepBox = qobject_cast<QCheckBox*>(GetDlgItem(1023));
    m_batterySaveBox = qobject_cast<QCheckBox*>(GetDlgItem(1024));
}

void CVelmarView::ConnectHandlers()
{
    for (const IndexedList& entry : kIndexedLists) {
        if (auto* combo = qobject_cast<QComboBox*>(GetDlgItem(entry.id))) {
            const int id = entry.id;
            connect(combo, &QComboBox::currentIndexChanged, this,
                [this, id](int index) { StoreListSelection(id, index); });
        }
    }
    if (m_freqRangeList)
        connect(m_freqRangeList, &QComboBox::currentIndexChanged, this, &CVelmarView::OnFreqRangeSelChange);
    if (m_priorityList)
        connect(m_priorityList, &QComboBox::currentIndexChanged, this, &CVelmarView::OnPriorityListSelChange);
    for (QCheckBox* box : {m_beepBox, m_batterySaveBox}) {
        if (box)
            connect(box, &QCheckBox::clicked, this, &CVelmarView::StoreCheckBoxes);
    }
    if (m_startCode)
        connect(m_startCode, &CPttIdCodeEdit::KillFocus, this, [this] { OnCodeKillFocus(true); });
    if (m_endCode)
        connect(m_endCode, &CPttIdCodeEdit::KillFocus, this, [this] { OnCodeKillFocus(false); });
    if (m_password)
        connect(m_password, &CPasswordEdit::KillFocus, this, &CVelmarView::OnPasswordKillFocus);

    if (m_grid)
        connect(m_grid, &CGridCtrl::Notify, this, &CVelmarView::OnGridBeginEdit, Qt::DirectConnection);
    if (m_freqEdit)
        connect(m_freqEdit, &CFreqCellEdit::KillFocus, this, &CVelmarView::OnFreqEditKillFocus);
    if (m_toneList)
        connect(m_toneList, &CToneCellCombo::KillFocus, this, &CVelmarView::OnToneListKillFocus);
    if (m_optionList) {
        connect(m_optionList, &QComboBox::currentIndexChanged, this, &CVelmarView::OnOptionListSelChange);
        connect(m_optionList, &COptionCellCombo::KillFocus, this, &CVelmarView::OnOptionListKillFocus);
    }
}

CVelmarDoc* CVelmarView::GetDocument() const
{
    return dynamic_cast<CVelmarDoc*>(CView::GetDocument());
}

QWidget* CVelmarView::GetDlgItem(int id) const
{
    return DialogBuilder::FindControl(this, id);
}

void CVelmarView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    if (CVelmarApp* app = CVelmarApp::Instance())
        app->TranslateMenu();
    ApplyPasswordVisibility();
    // Enter and Escape in an in-place editor give the focus back to the grid.
    if (m_freqEdit)
        m_freqEdit->SetOwner(m_grid);
    if (m_toneList)
        m_toneList->SetOwner(m_grid);
    if (m_optionList)
        m_optionList->SetOwner(m_grid);
}

void CVelmarView::OnUpdate(CDocumentView*, long)
{
    if (QWidget* frame = window(); frame && frame != this)
        frame->setWindowTitle(Lang("IDS_WINDOWNAME"));
    RefreshSettings();
    SetupChannelTable();
    if (m_toneList)
        m_toneList->FillToneList();
}

void CVelmarView::ApplyPasswordVisibility()
{
    const std::string password = GetPrivateProfileString("setup", "password", "1", 8, SettingsFile());
    const bool visible = !password.empty() && password[0] == '1';
    for (QWidget* control : {static_cast<QWidget*>(m_password), GetDlgItem(kPasswordLabel)}) {
        if (control)
            control->setVisible(visible);
    }
}

void CVelmarView::SetModified()
{
    if (CVelmarDoc* doc = GetDocument())
        doc->SetModifiedFlag(true);
}

// ---- settings panel --------------------------------------------------------

void CVelmarView::FillList(QComboBox* list, const QStringList& entries, int selected)
{
    if (!list)
        return;
    const QSignalBlocker quiet(list);
    list->clear();
    for (const QString& entry : entries)
        DialogBuilder::AddString(list, entry);
    // A stored value with no entry (beyond a short list) selects nothing,
    // rather than a wrong entry.
    list->setCurrentIndex(selected >= 0 && selected < list->count() ? selected : -1);
}

void CVelmarView::RefreshSettings()
{
    TranslateWindow(this, IDD_VELMAR_FORM);
    const CVelmarDoc* doc = GetDocument();
    if (!doc)
        return;

    FillList(m_freqRangeList, FrequencyRanges(), doc->GetModelIndex());
    for (const IndexedList& entry : kIndexedLists)
        FillList(qobject_cast<QComboBox*>(GetDlgItem(entry.id)), entry.entries(), (doc->*entry.get)());
    FillPriorityList();

    std::uint8_t code[kPttCodeLength];
    if (m_startCode) {
        doc->GetPttCode(true, code);
        m_startCode->SetCode(code, kPttCodeLength);
    }
    if (m_endCode) {
        doc->GetPttCode(false, code);
        m_endCode->SetCode(code, kPttCodeLength);
    }
    if (m_password) {
        std::uint8_t password[kPasswordLength];
        doc->GetReadPassword(password);
        m_password->SetCode(password, kPasswordLength);
    }

    m_beep = doc->GetBeep();
    m_batterySave = doc->GetBatterySave();
    if (m_beepBox)
        m_beepBox->setChecked(m_beep != 0);
    if (m_batterySaveBox)
        m_batterySaveBox->setChecked(m_batterySave != 0);
}

void CVelmarView::FillPriorityList()
{
    const CVelmarDoc* doc = GetDocument();
    if (!m_priorityList || !doc)
        return;
    QStringList entries {Lang("IDS_OFF")};
    const int channels = ChannelCount();
    for (int r = 1; r <= channels; ++r) {
        if (!doc->IsRxEmpty(r))
            entries.append(QString::number(r));
    }
    // The entry of exactly that channel; a priority channel that is empty (so
    // not listed) selects nothing rather than a channel with similar digits.
    const int priority = doc->GetPriorityChannel();
    const int selected = priority == 0
        ? 0
        : static_cast<int>(entries.indexOf(QString::number(priority)));
    FillList(m_priorityList, entries, selected);
}

void CVelmarView::StoreListSelection(int id, int index)
{
    CVelmarDoc* doc = GetDocument();
    if (!doc || index < 0)
        return;
    for (const IndexedList& entry : kIndexedLists) {
        if (entry.id == id) {
            (doc->*entry.set)(index);
            doc->SetModifiedFlag(true);
            return;
        }
    }
}

void CVelmarView::StoreCheckBoxes()
{
    CVelmarDoc* doc = GetDocument();
    if (!doc)
        return;
    m_beep = m_beepBox && m_beepBox->isChecked() ? 1 : 0;
    m_batterySave = m_batterySaveBox && m_batterySaveBox->isChecked() ? 1 : 0;
    doc->SetBeep(m_beep);
    doc->SetBatterySave(m_batterySave);
    doc->SetModifiedFlag(true);
}

void CVelmarView::OnFreqRangeSelChange()
{
    CVelmarDoc* doc = GetDocument();
    if (!doc || !m_freqRangeList)
        return;
    const int k = m_freqRangeList->currentIndex();
    if (k < 0 || k == doc->GetModelIndex())
        return;
    if (ShowMessageBox(this, LoadLangString("IDS_CONFIRM_FREQ"), LoadLangString("IDS_CONFIRM"),
            MB_OKCANCEL | MB_ICONEXCLAMATION)
        != IDOK) {
        const QSignalBlocker quiet(m_freqRangeList);
        m_freqRangeList->setCurrentIndex(doc->GetModelIndex());
        return;
    }
    doc->DeleteContents();
    doc->SelectModel(k);
    doc->SetModifiedFlag(true);
    doc->UpdateAllViews(nullptr);
}

void CVelmarView::OnPriorityListSelChange()
{
    CVelmarDoc* doc = GetDocument();
    if (!doc || !m_priorityList || m_priorityList->currentIndex() < 0)
        return;
    // The off entry reads as 0, which stores "none".
    doc->SetPriorityChannel(LeadingNumber(m_priorityList->currentText().toStdString()));
    doc->SetModifiedFlag(true);
}

void CVelmarView::OnCodeKillFocus(bool start)
{
    CVelmarDoc* doc = GetDocument();
    CPttIdCodeEdit* field = start ? m_startCode : m_endCode;
    if (!doc || !field)
        return;
    std::uint8_t typed[kPttCodeLength];
    std::uint8_t stored[kPttCodeLength];
    field->GetCode(typed, kPttCodeLength);
    doc->GetPttCode(start, stored);
    if (!std::equal(std::begin(typed), std::end(typed), std::begin(stored))) {
        doc->SetPttCode(start, typed);
        doc->SetModifiedFlag(true);
    }
}

void CVelmarView::OnPasswordKillFocus()
{
    CVelmarDoc* doc = GetDocument();
    if (!doc || !m_password)
        return;
    std::uint8_t typed[kPasswordLength];
    std::uint8_t stored[kPasswordLength];
    m_password->GetCode(typed, kPasswordLength);
    doc->GetReadPassword(stored);
    if (!std::equal(std::begin(typed), std::end(typed), std::begin(stored))) {
        doc->SetReadPassword(typed);
        doc->SetModifiedFlag(true);
    }
}

// ---- channel table ---------------------------------------------------------

int CVelmarView::ChannelCount()
{
    const std::string text = GetPrivateProfileString("setup", "channel", "", 20, SettingsFile());
    // Rows beyond 16 would address image bytes that are not channel records.
    return std::clamp(LeadingNumber(text), 0, RadioImage::kChannelCount);
}

void CVelmarView::WriteCell(int row, int column, const QString& text)
{
    CellItem item;
    item.row = row;
    item.col = column;
    item.mask = ITEM_TEXT | ITEM_FORMAT;
    item.format = row == 0 && column <= 4 ? kTitleFormat : kCellFormat;
    item.text = text;
    m_grid->SetCellItem(item);
}

void CVelmarView::SetupChannelTable()
{
    if (!m_grid || !GetDocument())
        return;
    const int channels = ChannelCount();
    const int rows = channels + 1;
    if (m_grid->Rows() != rows) {
        try {
            m_grid->SetRows(rows);
            m_grid->SetColumns(kColumnCount);
            m_grid->SetFixedRows(1);
            m_grid->SetFixedColumns(1);
        } catch (const std::bad_alloc&) {
            ShowMessageBox(this, LoadLangString("IDS_ERROR_MEMORY"), LoadLangString("IDS_ERROR"),
                MB_OK | MB_ICONERROR);
            return;
        }
        m_grid->SetResizeAllowed(false, false);
        m_grid->ClearSelectionAndFocus();
        m_grid->m_selectionEnabled = false;
        m_grid->ClearSelectionAndFocus();
        for (int c = 0; c < kColumnCount; ++c)
            m_grid->SetColumnSize(c, kColumnWidths[c]);
        m_grid->SetRowSize(0, kTitleRowHeight);
        for (int r = 1; r < rows; ++r)
            m_grid->SetRowSize(r, kChannelRowHeight);
    }

    m_grid->SetRedrawing(false, false);
    // A column whose title is missing shows an empty title.
    for (int c = 0; c < kColumnCount; ++c)
        WriteCell(0, c, QString::fromStdString(LoadChText(c)));
    for (int r = 1; r <= channels; ++r) {
        WriteCell(r, 0, QString::number(r));
        RefreshChannelRow(r);
    }
    m_grid->SetRedrawing(true, true);
}

void CVelmarView::RefreshChannelRow(int row)
{
    const CVelmarDoc* doc = GetDocument();
    if (!m_grid || !doc)
        return;
    const COLORREF gray = GrayTextColor(this);
    for (int c = 1; c < kColumnCount; ++c) {
        const bool readOnly = IsChannelCellReadOnly(*doc, row, c);
        const unsigned state = m_grid->CellState(row, c);
        m_grid->SetCellState(row, c, readOnly ? state | CELL_READONLY : state & ~CELL_READONLY);
        m_grid->SetCellTextColor(row, c, readOnly ? gray : CLR_DEFAULT);
    }

    // A refresh shows the image as it is now: an edit still open (only when
    // the document changed under it) ends without being stored.
    for (QWidget* editor : {static_cast<QWidget*>(m_freqEdit), static_cast<QWidget*>(m_toneList),
             static_cast<QWidget*>(m_optionList)}) {
        if (editor && editor->isEnabled())
            m_grid->m_cellEditorActive = false;
    }
    if (m_freqEdit)
        m_freqEdit->CloseEditor();
    if (m_toneList)
        m_toneList->CloseEditor();
    if (m_optionList)
        m_optionList->CloseEditor();

    if (doc->IsRxEmpty(row)) {
        for (int c = 1; c < kColumnCount; ++c)
            m_grid->SetCellText(row, c, QString());
    } else {
        SetFreqCellText(row, true);
        SetToneCellText(row, true);
        SetFreqCellText(row, false);
        if (doc->IsTxEmpty(row))
            m_grid->SetCellText(row, 4, QString());
        else
            SetToneCellText(row, false);
        for (int c : {8, 6, 7, 5, 9, 10, 11})
            SetOptionCellText(row, c);
    }
    m_grid->InvalidateRow(row);
}

void CVelmarView::SetFreqCellText(int row, bool receive)
{
    if (const CVelmarDoc* doc = GetDocument(); doc && m_grid)
        WriteCell(row, receive ? 1 : 3, QString::fromStdString(doc->GetFreqText(row, receive)));
}

void CVelmarView::SetToneCellText(int row, bool receive)
{
    if (const CVelmarDoc* doc = GetDocument(); doc && m_grid)
        WriteCell(row, receive ? 2 : 4, QString::fromStdString(doc->GetToneText(row, receive)));
}

void CVelmarView::SetOptionCellText(int row, int column)
{
    if (const CVelmarDoc* doc = GetDocument(); doc && m_grid)
        WriteCell(row, column, Lang(OptionTextKey(column, GetChannelOption(*doc, row, column))));
}

void CVelmarView::WriteCommittedCells(int row, const ChannelEditResult& result)
{
    for (int column : result.cells) {
        switch (column) {
        case 1: SetFreqCellText(row, true); break;
        case 3: SetFreqCellText(row, false); break;
        case 2: SetToneCellText(row, true); break;
        case 4: SetToneCellText(row, false); break;
        default: SetOptionCellText(row, column); break;
        }
        m_grid->InvalidateCell(row, column);
    }
}

void CVelmarView::OnGridBeginEdit(GridNotify* notify)
{
    if (!notify || notify->hdr.code != GRIDN_BEGINEDIT || !m_grid)
        return;
    const QRect cell(mapFromGlobal(notify->cellRect.topLeft()), mapFromGlobal(notify->cellRect.bottomRight()));
    m_editRow = notify->item.row;
    m_editCol = notify->item.col;
    const QString& text = notify->item.text;
    switch (m_editCol) {
    case 1:
    case 3:
        if (m_freqEdit) {
            m_grid->m_cellEditorActive = true;
            m_freqEdit->OpenOver(cell, text);
        }
        break;
    case 2:
    case 4:
        if (m_toneList) {
            m_grid->m_cellEditorActive = true;
            m_toneList->OpenOver(cell, text);
        }
        break;
    default:
        if (m_editCol >= 5 && m_editCol <= 11 && m_optionList) {
            m_grid->m_cellEditorActive = true;
            {
                const QSignalBlocker quiet(m_optionList);
                m_optionList->clear();
                m_optionList->addItem(Lang(OptionTextKey(m_editCol, 0)));
                m_optionList->addItem(Lang(OptionTextKey(m_editCol, 1)));
            }
            m_optionList->OpenOver(cell, text);
        }
        break;
    }
    notify->result = 0;
}

void CVelmarView::OnFreqEditKillFocus()
{
    // A closed editor (closed by a refresh) has nothing to store.
    if (!m_freqEdit || !m_freqEdit->isEnabled() || !m_grid)
        return;
    m_grid->m_cellEditorActive = false;
    CVelmarDoc* doc = GetDocument();
    const int row = m_editRow;
    // An edit left with the text it opened with (Escape, or nothing typed)
    // stores nothing, so a value read from a radio or a file that lies off
    // the raster or outside the band is not corrected by merely visiting it.
    if (doc && m_freqEdit->text() != m_freqEdit->SavedText()) {
        const ChannelEditResult result = CommitFrequency(*doc, row, m_editCol, m_freqEdit->text().toStdString());
        WriteCommittedCells(row, result);
        if (result.priorityReset && m_priorityList) {
            const QSignalBlocker quiet(m_priorityList);
            m_priorityList->setCurrentIndex(0);
        }
    }
    m_freqEdit->CloseEditor();
    RefreshChannelRow(row);
    FillPriorityList();
}

void CVelmarView::OnToneListKillFocus()
{
    if (!m_toneList || !m_toneList->isEnabled() || !m_grid)
        return;
    m_grid->m_cellEditorActive = false;
    CVelmarDoc* doc = GetDocument();
    // No entry selected: the stored tone is one the list does not hold (from a
    // radio or a file); it stays as it is, as does a tone left unchanged.
    const bool unchanged = m_toneList->currentText().compare(m_toneList->SavedText(), Qt::CaseInsensitive) == 0;
    if (doc && m_toneList->currentIndex() >= 0 && !unchanged) {
        const ChannelEditResult result
            = CommitTone(*doc, m_editRow, m_editCol, m_toneList->currentText().toStdString());
        WriteCommittedCells(m_editRow, result);
        if (result.invalidateRow)
            m_grid->InvalidateRow(m_editRow);
    }
    m_toneList->CloseEditor();
}

void CVelmarView::OnOptionListSelChange(int index)
{
    CVelmarDoc* doc = GetDocument();
    if (!doc || !m_optionList || !m_optionList->isEnabled() || index < 0 || !m_grid)
        return;
    WriteCommittedCells(m_editRow, SetChannelOption(*doc, m_editRow, m_editCol, index));
}

void CVelmarView::OnOptionListKillFocus()
{
    if (!m_optionList || !m_optionList->isEnabled() || !m_grid)
        return;
    m_grid->m_cellEditorActive = false;
    m_optionList->CloseEditor();
}

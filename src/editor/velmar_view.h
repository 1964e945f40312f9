#pragma once
// The one view of the document: the form of dialog template 101 with the
// settings panel above the channel table. Each new or opened document runs
// OnInitialUpdate; every change of the document runs OnUpdate, which sets
// the window title and translates and refills the form. Every control handler
// and cell commit writes the image at once and shows the stored value again.
// UI thread only.

#include "platform/ui/view.h"

#include <QFont>

#include <optional>

class CFreqCellEdit;
class CGridCtrl;
class COptionCellCombo;
class CPasswordEdit;
class CPttIdCodeEdit;
class CToneCellCombo;
class CGridCtrl;
class CVelmarDoc;
class QCheckBox;
class QComboBox;
struct ChannelEditResult;
struct GridNotify;

class CVelmarView : public CView {
    Q_OBJECT
public:
    explicit CVelmarView(QWidget* parent = nullptr);
    ~CVelmarView() override;

    CVelmarDoc* GetDocument() const;
    // The control of the form with that ID, or nullptr.
    QWidget* GetDlgItem(int id) const;
    CGridCtrl* GetGrid() const { return m_grid; }

    void OnInitialUpdate() override;
    void OnUpdate(CDocumentView* sender, long hint) override;

    // --- Settings panel.
    // Fills every settings control from the image.
    void RefreshSettings();

    // The channel table (control 1016).
    CGridCtrl* Grid() const { return m_grid; }
    // Rebuilds the priority-channel list: the off text, then the non-empty channels.
    void FillPriorityList();

    // --- Channel table.
    // [setup] channel as a leading decimal number, limited to the 16 channels
    // the image holds; missing, negative or not a number gives 0.
    static int ChannelCount();
    // Shapes the grid when its row count changes, then writes titles and rows.
    void SetupChannelTable();
    // Read-only states, colours and texts of one row from the image.
    void RefreshChannelRow(int row);
    void SetFreqCellText(int row, bool receive);
    void SetToneCellText(int row, bool receive);
    // Writes option column 5-11 of row from its field.
    void SetOptionCellText(int row, int column);

    // --- Printing (velmar_view_print.cpp): one page per 35 channels in use.
    bool OnPreparePrinting(CPrintInfo& info) override;
    void OnBeginPrinting(QPainter& dc, CPrintInfo& info) override;
    void OnPrint(QPainter& dc, CPrintInfo& info) override;
    void OnEndPrinting(QPainter& dc, CPrintInfo& info) override;
    // File Export PDF: the printed pages into a PDF file the user chooses.
    void OnFileExportPdf();
    // Grid rows 1-96 with a column-1 text: the channels in use.
    bool IsPrintableRow(int row) const;
    int PrintableRowCount() const;

    std::optional<QFont> m_printFont;  // measuring font while preparing, page font per page
    int m_charWidth = 0;               // of the measuring font, in printer pixels
    int m_pageWidth = 0;               // printable page, in printer pixels
    int m_pageHeight = 0;
    int m_logicalWidth = 0;            // page size in the page mapping's units
    int m_logicalHeight = 0;
    int m_leftMarginChars = 4;
    int m_rightMarginChars = 4;

    int m_editRow = 0;
    int m_editCol = 0;

private:
    void BindControls();
    void ConnectHandlers();
    void ApplyPasswordVisibility();
    void FillList(QComboBox* list, const QStringList& entries, int selected);
    void StoreCheckBoxes();
    void StoreListSelection(int id, int index);
    void SetModified();

    // Notification handlers of the settings panel.
    void OnFreqRangeSelChange();
    void OnPriorityListSelChange();
    void OnCodeKillFocus(bool start);
    void OnPasswordKillFocus();

    // Notification handlers of the channel table.
    void OnGridBeginEdit(GridNotify* notify);
    void OnFreqEditKillFocus();
    void OnToneListKillFocus();
    void OnOptionListSelChange(int index);
    void OnOptionListKillFocus();
    void WriteCommittedCells(int row, const ChannelEditResult& result);
    void WriteCell(int row, int column, const QString& text);

    // Settings lists, by control ID.
    QComboBox* m_priorityList = nullptr;   // 1046
    QComboBox* m_scanModeList = nullptr;   // 1048
    QComboBox* m_voxDelayList = nullptr;   // 1050
    QComboBox* m_sideKey2List = nullptr;   // 1044
    CPasswordEdit* m_password = nullptr;   // 1042
    CPttIdCodeEdit* m_startCode = nullptr; // 1040
    CPttIdCodeEdit* m_endCode = nullptr;   // 1052
    QComboBox* m_voxLevelList = nullptr;   // 1038
    QComboBox* m_txTimeoutList = nullptr;  // 1036
    QComboBox* m_sideKey1List = nullptr;   // 1034
    QComboBox* m_squelchList = nullptr;    // 1032
    QComboBox* m_pttIdList = nullptr;      // 1030
    QComboBox* m_voiceList = nullptr;      // 1026
    QComboBox* m_freqRangeList = nullptr;  // 1022
    CFreqCellEdit* m_freqEdit = nullptr;   // 1017
    COptionCellCombo* m_optionList = nullptr; // 1018
    CToneCellCombo* m_toneList = nullptr;  // 1019
    CGridCtrl* m_grid = nullptr;           // 1016
    int m_beep = 0;                        // check box 1023
    int m_batterySave = 0;                 // check box 1024
    QComboBox* m_sideKey1LongList = nullptr; // 1054
    QComboBox* m_sideKey2LongList = nullptr; // 1056
    QCheckBox* m_beepBox = nullptr;
    QCheckBox* m_batterySaveBox = nullptr;
};

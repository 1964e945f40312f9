#pragma once
// The calibration dialog of the test mode (template 137): six 0..255 scroll
// bars over the document's power calibration values. A value is stored (and,
// in debug mode, sent to the radio) only when a movement ends; Up/Down pick
// the row the Left/Right keys move, wrapping at both ends. Radio procedures
// run on the UI thread and block it, with the busy cursor. UI thread only.

#include "platform/ui/dialog.h"
#include "radio/test_mode_radio.h"

class CVelmarDoc;
class QLabel;
class QLineEdit;
class QScrollBar;

class CTestModeDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr int kRows = 6;

    explicit CTestModeDlg(QWidget* parent = nullptr);

    int selectedRow() const { return m_selectedRow; }
    int debugMode() const { return m_radio.DebugMode(); }
    QScrollBar* ScrollBar(int row) const;
    QLineEdit* ValueEdit(int row) const;
    QLabel* RowLabel(int row) const;

protected:
    bool OnInitDialog() override;
    void OnCancel() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Scroll { LineLeft, LineRight, ThumbTrack, EndScroll };

    // The scroll-bar notification of one bar; wraps at the ends of the range.
    void OnHScroll(Scroll code, QScrollBar* bar);
    // Key and mouse handling before the controls see them; true when consumed.
    bool PreTranslateMessage(QEvent* event);
    void OnStartDebugMode();
    void OnWriteAll();
    int RowOf(const QScrollBar* bar) const;
    void ShowValue(int row, int value);
    // Red for the selected row's label, black for the others.
    void ApplyLabelColours();

    CVelmarDoc* m_document = nullptr;
    TestModeRadio m_radio;
    int m_selectedRow = 0;
    QScrollBar* m_currentScrollBar = nullptr;
};

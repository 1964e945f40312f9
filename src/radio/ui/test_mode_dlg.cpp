#include "radio/ui/test_mode_dlg.h"

#include "model/velmar_doc.h"
#include "platform/ui/message_box.h"
#include "platform/ui/translate_window.h"
#include "radio/serial_link.h"
#include "radio/ui/test_mode_messages.h"
#include "radio/ui/wait_cursor.h"
#include "shell/lang_string.h"
#include "shell/settings_file.h"
#include "shell/ui/velmar_app.h"
#include "templates/command_ids.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QScrollBar>

#include <array>

namespace {
struct RowIds {
    int label;
    int bar;
    int edit;
};
constexpr std::array<RowIds, CTestModeDlg::kRows> kRowIds { {
    { 1110, 1163, 1116 },
    { 1118, 1164, 1121 },
    { 1122, 1165, 1125 },
    { 1111, 1166, 1117 },
    { 1126, 1167, 1129 },
    { 1130, 1168, 1133 },
} };
constexpr int kFirstBarId = 1163;
constexpr int kStartDebugId = 1169;
constexpr int kWriteAllId = 1170;
constexpr int kMaxValue = 255;

CVelmarDoc* AppDocument()
{
    CVelmarApp* app = CVelmarApp::Instance();
    return app ? app->GetVelmarDoc() : nullptr;
}

SerialLink& AppLink()
{
    // Without an application object there is no radio; a link that is never
    // opened keeps the procedures harmless.
    static SerialLink unused;
    CVelmarApp* app = CVelmarApp::Instance();
    return app ? app->GetSerialLink() : unused;
}

unsigned char* ImageOf(CVelmarDoc* document)
{
    static RadioImage scratch;
    return document ? document->Image().bytes.data() : scratch.bytes.data();
}
}

CTestModeDlg::CTestModeDlg(QWidget* parent)
    : CDialog(IDD_TEST_MODE, parent)
    , m_document(AppDocument())
    , m_radio(AppLink(), SettingsFile(), ImageOf(m_document))
{
    for (int row = 0; row < kRows; ++row) {
        QScrollBar* bar = ScrollBar(row);
        if (!bar)
            continue;
        bar->setContextMenuPolicy(Qt::NoContextMenu);
        connect(bar, &QAbstractSlider::actionTriggered, this, [this, bar](int action) {
            switch (action) {
            case QAbstractSlider::SliderSingleStepSub:
                OnHScroll(Scroll::LineLeft, bar);
                break;
            case QAbstractSlider::SliderSingleStepAdd:
                OnHScroll(Scroll::LineRight, bar);
                break;
            case QAbstractSlider::SliderMove:
                OnHScroll(Scroll::ThumbTrack, bar);
                break;
            default:
                // Page steps and jumps to the ends leave the value alone.
                bar->setSliderPosition(bar->value());
                break;
            }
        });
    }
    if (auto* start = GetDlgItemAs<QAbstractButton>(kStartDebugId))
        connect(start, &QAbstractButton::clicked, this, [this] { OnStartDebugMode(); });
    if (auto* writeAll = GetDlgItemAs<QAbstractButton>(kWriteAllId))
        connect(writeAll, &QAbstractButton::clicked, this, [this] { OnWriteAll(); });
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

QScrollBar* CTestModeDlg::ScrollBar(int row) const
{
    return row >= 0 && row < kRows ? GetDlgItemAs<QScrollBar>(kRowIds[static_cast<std::size_t>(row)].bar) : nullptr;
}

QLineEdit* CTestModeDlg::ValueEdit(int row) const
{
    return row >= 0 && row < kRows ? GetDlgItemAs<QLineEdit>(kRowIds[static_cast<std::size_t>(row)].edit) : nullptr;
}

QLabel* CTestModeDlg::RowLabel(int row) const
{
    return row >= 0 && row < kRows ? GetDlgItemAs<QLabel>(kRowIds[static_cast<std::size_t>(row)].label) : nullptr;
}

bool CTestModeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (int row = 0; row < kRows; ++row) {
        if (QScrollBar* bar = ScrollBar(row)) {
            bar->setRange(0, kMaxValue);
            bar->setSingleStep(1);
            // No page: the thumb stays small, as it marks one value of 256.
            bar->setPageStep(1);
        }
    }
    TranslateWindow(this, IDD_TEST_MODE);
    for (int row = 0; row < kRows; ++row) {
        const int value = m_document ? m_document->GetCalibration(row) : 0;
        if (QScrollBar* bar = ScrollBar(row))
            bar->setValue(value);
        ShowValue(row, value);
    }
    // The full read has just replaced the image behind the view's back.
    if (m_document)
        m_document->RefreshAll();
    m_currentScrollBar = ScrollBar(0);
    m_selectedRow = 0;
    ApplyLabelColours();
    return true;
}

int CTestModeDlg::RowOf(const QScrollBar* bar) const
{
    for (int row = 0; row < kRows; ++row) {
        if (ScrollBar(row) == bar)
            return row;
    }
    return -1;
}

void CTestModeDlg::ShowValue(int row, int value)
{
    if (QLineEdit* edit = ValueEdit(row))
        edit->setText(QString::number(value));
}

void CTestModeDlg::OnHScroll(Scroll code, QScrollBar* bar)
{
    const int row = RowOf(bar);
    if (row < 0)
        return;
    const int minimum = bar->minimum();
    const int maximum = bar->maximum();
    switch (code) {
    case Scroll::LineLeft: {
        const int value = bar->value() - 1 < minimum ? maximum : bar->value() - 1;
        bar->setValue(value);
        ShowValue(row, value);
        break;
    }
    case Scroll::LineRight: {
        const int value = bar->value() + 1 > maximum ? minimum : bar->value() + 1;
        bar->setValue(value);
        ShowValue(row, value);
        break;
    }
    case Scroll::ThumbTrack:
        ShowValue(row, bar->sliderPosition());
        break;
    case Scroll::EndScroll: {
        const int value = bar->value();
        const int barRow = DialogBuilder::ControlId(bar) - kFirstBarId;
        if (m_document) {
            m_document->SetCalibration(barRow, value);
            m_document->SetCalibrationPoint(barRow);
        }
        if (m_radio.DebugMode()) {
            CWaitCursor wait;
            m_radio.SendCalibration();
        }
        ShowValue(row, value);
        if (m_document)
            m_document->SetModifiedFlag(true);
        break;
    }
    }
}

bool CTestModeDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        // The end of any mouse scroll on a bar (arrow, page area or thumb)
        // commits the bar's value, once.
        if (auto* bar = qobject_cast<QScrollBar*>(watched); bar && RowOf(bar) >= 0)
            OnHScroll(Scroll::EndScroll, bar);
        return false;
    }
    if (event->type() == QEvent::Wheel && qobject_cast<QScrollBar*>(watched))
        return true; // a wheel turn has no end to commit on
    if (watched == this || (watched->isWidgetType() && isAncestorOf(static_cast<QWidget*>(watched))))
        return PreTranslateMessage(event);
    return false;
}

bool CTestModeDlg::PreTranslateMessage(QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up) {
            m_selectedRow = m_selectedRow == 0 ? kRows - 1 : m_selectedRow - 1;
            ApplyLabelColours();
            return true;
        }
        if (key->key() == Qt::Key_Down) {
            m_selectedRow = m_selectedRow == kRows - 1 ? 0 : m_selectedRow + 1;
            ApplyLabelColours();
            return true;
        }
        m_currentScrollBar = ScrollBar(m_selectedRow);
        if (key->key() == Qt::Key_Left) {
            OnHScroll(Scroll::LineLeft, m_currentScrollBar);
            return true;
        }
        if (key->key() == Qt::Key_Right) {
            OnHScroll(Scroll::LineRight, m_currentScrollBar);
            return true;
        }
        return false;
    }
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        // A held key repeats its presses; it ends, and commits, when let go.
        if (!key->isAutoRepeat() && (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right))
            OnHScroll(Scroll::EndScroll, m_currentScrollBar);
        return true;
    }
    case QEvent::MouseButtonPress:
        update();
        return false;
    default:
        return false;
    }
}

void CTestModeDlg::ApplyLabelColours()
{
    for (int row = 0; row < kRows; ++row) {
        QLabel* label = RowLabel(row);
        if (!label)
            continue;
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, row == m_selectedRow ? QColor(255, 0, 0) : QColor(0, 0, 0));
        label->setPalette(palette);
    }
    // The selected row's bar takes the keyboard focus, so a screen reader
    // says which row the arrow keys now move; the keys stay the dialog's.
    if (QScrollBar* bar = ScrollBar(m_selectedRow); bar && isVisible())
        bar->setFocus(Qt::OtherFocusReason);
    update();
}

void CTestModeDlg::OnStartDebugMode()
{
    TestModeOutcome outcome;
    {
        CWaitCursor wait;
        outcome = m_radio.StartDebugMode();
    }
    ShowTestModeOutcome(this, outcome);
}

void CTestModeDlg::OnWriteAll()
{
    TestModeOutcome outcome;
    {
        CWaitCursor wait;
        outcome = m_radio.WriteAll();
    }
    if (outcome == TestModeOutcome::Ok) {
        ShowMessageBox(this, LoadLangString("IDS_PROMPT_WRITESUCC"), LoadLangString("IDS_PROMPT"), MB_OK);
        return;
    }
    ShowTestModeOutcome(this, outcome);
}

void CTestModeDlg::OnCancel()
{
    {
        CWaitCursor wait;
        m_radio.EndDebugMode();
    }
    CDialog::OnCancel();
}

// The test mode: password, the full read, the calibration rows with their
// keys and mouse, live calibration frames in debug mode, write-all.

#include "radio_ui/radio_ui_fixture.h"

#include "model/velmar_doc.h"
#include "radio/serial_link.h"
#include "radio/ui/test_mode_dlg.h"
#include "radio/ui/test_password_dlg.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/velmar_app.h"
#include "templates/command_ids.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include <algorithm>

namespace {
constexpr int kStartDebugId = 1169;
constexpr int kWriteAllId = 1170;
constexpr int kCalibration = 0x3F0;

void Key(QWidget* target, QEvent::Type type, int key, bool autoRepeat = false)
{
    QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(target, &event);
}

QRect SubControl(QScrollBar* bar, QStyle::SubControl part)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.state |= QStyle::State_Horizontal;
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
}

QColor LabelColour(const CTestModeDlg* dialog, int row)
{
    return dialog->RowLabel(row)->palette().color(QPalette::WindowText);
}

class TestModeTest : public RadioUiFixture {
protected:
    // The live calibration frames the radio received so far.
    std::vector<std::vector<unsigned char>> LiveFrames() const
    {
        std::vector<std::vector<unsigned char>> frames;
        for (const LoggedFrame& f : Frames()) {
            if (f.from == "PC" && !f.bytes.empty() && f.bytes[0] == 0x67)
                frames.push_back(f.bytes);
        }
        return frames;
    }

    // Runs the Test Mode command: types password, then, once the calibration
    // dialog is up, calls calibrate until it returns true and cancels both dialogs.
    void RunTestMode(const std::string& password, const std::function<bool(CTestModeDlg*)>& calibrate)
    {
        bool typed = false;
        bool calibrationSeen = false;
        bool calibrationDone = false;
        RunCommand(ID_TEST_MODE, [&](QWidget* dialog) {
            if (auto* login = qobject_cast<CTestPasswordDlg*>(dialog)) {
                if (!typed) {
                    login->PasswordEdit()->setText(QString::fromStdString(password));
                    ClickLater(login, IDOK);
                    typed = true;
                    return false;
                }
                // Back from the calibration dialog, or refused with a box.
                if (!calibrationSeen && boxes.empty())
                    return false;
                ClickLater(login, IDCANCEL);
                return true;
            }
            if (auto* calibration = qobject_cast<CTestModeDlg*>(dialog)) {
                calibrationSeen = true;
                if (!calibrationDone && calibrate(calibration)) {
                    calibrationDone = true;
                    ClickLater(calibration, IDCANCEL);
                }
            }
            return false;
        });
    }
};
}

TEST_F(TestModeTest, AWrongPasswordIsRefusedWithoutTalkingToTheRadio)
{
    StartRadio(MarkedMemory());
    WriteSettings();
    StartApp();
    const Memory before = Doc()->Image().bytes;

    bool calibrationOpened = false;
    RunTestMode("Secret", [&](CTestModeDlg*) {
        calibrationOpened = true;
        return true;
    });

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, Text("IDS_ERROR_PASSWORD"));
    EXPECT_EQ(boxes[0].type, MB_OK | MB_ICONERROR);
    EXPECT_FALSE(calibrationOpened);
    EXPECT_TRUE(Frames().empty());
    EXPECT_TRUE(Doc()->Image().bytes == before);
}

TEST_F(TestModeTest, TheFullReadBringsAllOfTheFirstKilobyteIncludingCalibration)
{
    const Memory radioMemory = MarkedMemory();
    StartRadio(radioMemory);
    WriteSettings();
    StartApp();

    std::vector<int> shown;
    std::vector<QString> texts;
    RunTestMode("secret", [&](CTestModeDlg* dialog) {
        for (int row = 0; row < CTestModeDlg::kRows; ++row) {
            shown.push_back(dialog->ScrollBar(row)->value());
            texts.push_back(dialog->ValueEdit(row)->text());
        }
        return true;
    });

    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(CountPcFrames(0x52), 128);
    EXPECT_TRUE(std::equal(radioMemory.begin(), radioMemory.begin() + 0x400, Doc()->Image().bytes.begin()));
    EXPECT_EQ(shown, (std::vector<int> { 0, 255, 10, 20, 30, 40 }));
    EXPECT_EQ(texts[1], QStringLiteral("255"));
    EXPECT_EQ(CountPcFrames(0x62), 0) << "Cancel outside debug mode sends nothing";
}

TEST_F(TestModeTest, AReadFailingPartWayLeavesTheDocumentAlone)
{
    StartRadio(MarkedMemory(), { "--short-block", "0x300" });
    WriteSettings();
    StartApp();
    const Memory before = Doc()->Image().bytes;

    bool calibrationOpened = false;
    RunTestMode("secret", [&](CTestModeDlg*) {
        calibrationOpened = true;
        return true;
    });

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, Text("IDS_PROMPT_READFAIL"));
    EXPECT_FALSE(calibrationOpened);
    EXPECT_TRUE(Doc()->Image().bytes == before);
    EXPECT_FALSE(App()->GetSerialLink().IsOpen());
}

TEST_F(TestModeTest, DebugModeSendsOneLiveFramePerCommittedChangeAndWriteAllEndsIt)
{
    StartRadio(MarkedMemory());
    WriteSettings();
    StartApp();

    bool started = false;
    bool committed = false;
    std::size_t liveAfterStart = 0;
    std::vector<std::vector<unsigned char>> liveAfterCommit;
    int debugAfterWrite = -1;
    RunTestMode("secret", [&](CTestModeDlg* dialog) {
        if (!started) {
            ClickLater(dialog, kStartDebugId);
            started = true;
            return false;
        }
        // The procedures block the UI thread, so a tick that sees their
        // effect comes after they have ended.
        if (!committed) {
            if (!dialog->debugMode())
                return false;
            liveAfterStart = LiveFrames().size();
            // A held Right key: three presses, one release.
            Key(dialog, QEvent::KeyPress, Qt::Key_Right);
            Key(dialog, QEvent::KeyRelease, Qt::Key_Right, true);
            Key(dialog, QEvent::KeyPress, Qt::Key_Right, true);
            Key(dialog, QEvent::KeyRelease, Qt::Key_Right, true);
            Key(dialog, QEvent::KeyPress, Qt::Key_Right, true);
            Key(dialog, QEvent::KeyRelease, Qt::Key_Right);
            WaitForPcFrames(0x67, 2, 1000);
            liveAfterCommit = LiveFrames();
            ClickLater(dialog, kWriteAllId);
            committed = true;
            return false;
        }
        if (boxes.empty())
            return false;
        debugAfterWrite = dialog->debugMode();
        return true;
    });

    EXPECT_EQ(liveAfterStart, 1u);
    ASSERT_EQ(liveAfterCommit.size(), 2u) << "one frame for the start, one for the release";
    ASSERT_EQ(liveAfterCommit[1].size(), 12u);
    EXPECT_EQ(liveAfterCommit[1][4], 3) << "row 0 moved from 0 to 3";
    EXPECT_EQ(liveAfterCommit[1][10], 0) << "the calibration point names row 0";
    EXPECT_EQ(Doc()->Image().bytes[kCalibration], 3);
    EXPECT_TRUE(Doc()->IsModified());

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, Text("IDS_PROMPT_WRITESUCC"));
    EXPECT_EQ(boxes[0].caption, Text("IDS_PROMPT"));
    EXPECT_EQ(boxes[0].type, unsigned(MB_OK));
    EXPECT_EQ(debugAfterWrite, 0);

    // The end command comes first, then a new handshake and the 128 blocks.
    const std::vector<LoggedFrame> frames = Frames();
    std::vector<unsigned char> pc;
    for (const LoggedFrame& f : frames) {
        if (f.from == "PC" && !f.bytes.empty())
            pc.push_back(f.bytes[0]);
    }
    const auto end = std::find(pc.begin(), pc.end(), 0x62);
    ASSERT_NE(end, pc.end());
    EXPECT_EQ(std::count(end, pc.end(), 0x62), 1) << "Cancel after write-all sends no second end command";
    const auto firstWrite = std::find(pc.begin(), pc.end(), 0x57);
    EXPECT_LT(end - pc.begin(), firstWrite - pc.begin());
    EXPECT_NE(std::find(end, firstWrite, 0x02), firstWrite) << "a handshake between the end command and the blocks";
    EXPECT_EQ(std::count(pc.begin(), pc.end(), 0x57), 128);
    EXPECT_FALSE(App()->GetSerialLink().IsOpen());
    EXPECT_EQ(StopAndReadMemory()[kCalibration], 3);
}

TEST_F(TestModeTest, CancelInDebugModeSendsTheEndCommandAndClosesThePort)
{
    StartRadio(MarkedMemory());
    WriteSettings();
    StartApp();

    bool started = false;
    RunTestMode("secret", [&](CTestModeDlg* dialog) {
        if (!started) {
            ClickLater(dialog, kStartDebugId);
            started = true;
        }
        return dialog->debugMode() != 0;
    });

    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(WaitForPcFrames(0x62, 1));
    EXPECT_EQ(CountPcFrames(0x62), 1);
    EXPECT_FALSE(App()->GetSerialLink().IsOpen());
}

// The rows without a radio: keys, wrap-around, commits and the red label.
class CalibrationRowsTest : public RadioUiFixture {
protected:
    void SetUp() override
    {
        WriteSettings({}, {});
        StartApp();
        const std::uint8_t values[] = { 0, 255, 10, 20, 30, 40 };
        for (int row = 0; row < 6; ++row)
            Doc()->SetCalibration(row, values[row]);
        Doc()->SetModifiedFlag(false);
    }

    void RunDialog(const std::function<void(CTestModeDlg*)>& script)
    {
        CTestModeDlg dialog(Frame());
        Drive([&] { dialog.DoModal(); }, [&](QWidget* modal) {
            if (modal != &dialog)
                return false;
            script(&dialog);
            ClickNow(modal, IDCANCEL);
            return true;
        });
    }
};

TEST_F(CalibrationRowsTest, UpAndDownWrapAndTheSelectedLabelIsRed)
{
    std::vector<int> rows;
    std::vector<QColor> selectedColours;
    QColor otherColour;
    RunDialog([&](CTestModeDlg* dialog) {
        rows.push_back(dialog->selectedRow());
        Key(dialog, QEvent::KeyPress, Qt::Key_Up);
        rows.push_back(dialog->selectedRow());
        selectedColours.push_back(LabelColour(dialog, 5));
        otherColour = LabelColour(dialog, 0);
        Key(dialog, QEvent::KeyPress, Qt::Key_Down);
        rows.push_back(dialog->selectedRow());
        selectedColours.push_back(LabelColour(dialog, 0));
    });
    EXPECT_EQ(rows, (std::vector<int> { 0, 5, 0 }));
    for (const QColor& c : selectedColours)
        EXPECT_EQ(c, QColor(255, 0, 0));
    EXPECT_EQ(otherColour, QColor(0, 0, 0));
}

TEST_F(CalibrationRowsTest, ArrowKeysWrapAndCommitOnlyOnRelease)
{
    QString shownAtPress;
    int storedAtPress = -1;
    QString shownAfterWrap;
    RunDialog([&](CTestModeDlg* dialog) {
        // Row 0 holds 0: Left wraps to 255, stored only when the key is let go.
        Key(dialog, QEvent::KeyPress, Qt::Key_Left);
        shownAtPress = dialog->ValueEdit(0)->text();
        storedAtPress = Doc()->GetCalibration(0);
        Key(dialog, QEvent::KeyRelease, Qt::Key_Left);
        // Row 1 holds 255: Right wraps to 0, even though the mouse last used row 0's bar.
        QTest::mouseClick(dialog->ScrollBar(0), Qt::LeftButton, {}, SubControl(dialog->ScrollBar(0), QStyle::SC_ScrollBarAddPage).center());
        Key(dialog, QEvent::KeyPress, Qt::Key_Down);
        Key(dialog, QEvent::KeyPress, Qt::Key_Right);
        Key(dialog, QEvent::KeyRelease, Qt::Key_Right);
        shownAfterWrap = dialog->ValueEdit(1)->text();
    });
    EXPECT_EQ(shownAtPress, QStringLiteral("255"));
    EXPECT_EQ(storedAtPress, 0);
    EXPECT_EQ(Doc()->GetCalibration(0), 255) << "a page click does not move the value";
    EXPECT_EQ(shownAfterWrap, QStringLiteral("0"));
    EXPECT_EQ(Doc()->GetCalibration(1), 0);
    EXPECT_EQ(Doc()->GetCalibrationPoint(), 1);
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(CalibrationRowsTest, DraggingTheThumbShowsTheValueAndCommitsOnceAtTheEnd)
{
    QString shownDuringDrag;
    int storedDuringDrag = -1;
    RunDialog([&](CTestModeDlg* dialog) {
        QScrollBar* bar = dialog->ScrollBar(4);
        const QRect thumb = SubControl(bar, QStyle::SC_ScrollBarSlider);
        const QRect groove = SubControl(bar, QStyle::SC_ScrollBarGroove);
        QTest::mousePress(bar, Qt::LeftButton, {}, thumb.center());
        QMouseEvent move(QEvent::MouseMove, QPointF(groove.right() - 1, thumb.center().y()),
            bar->mapToGlobal(QPointF(groove.right() - 1, thumb.center().y())), Qt::NoButton, Qt::LeftButton,
            Qt::NoModifier);
        QApplication::sendEvent(bar, &move);
        shownDuringDrag = dialog->ValueEdit(4)->text();
        storedDuringDrag = Doc()->GetCalibration(4);
        QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(groove.right() - 1, thumb.center().y()));
    });
    EXPECT_NE(shownDuringDrag, QStringLiteral("30"));
    EXPECT_EQ(storedDuringDrag, 30);
    EXPECT_EQ(QString::number(Doc()->GetCalibration(4)), shownDuringDrag);
    EXPECT_EQ(Doc()->GetCalibrationPoint(), 4);
    EXPECT_EQ(Doc()->Image().bytes[kCalibration + 4], Doc()->GetCalibration(4));
}

#pragma once
// The editor form on a real document: a private VELMAR_HOME with setting.ini
// and the shipped English language file, a document with a few channels, the
// view shown and active so real clicks and keys reach it, and every message
// box recorded and answered by the test.

#include "editor/velmar_view.h"
#include "model/velmar_doc.h"
#include "support/message_box_script.h"
#include "support/velmar_home.h"

#include <QPoint>
#include <QString>
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

class CGridCtrl;
class QComboBox;
class QWidget;

// Settings file text: [setup] with the given channel and password values,
// and a catalogue of two models (400-520 MHz and 136-174 MHz).
std::string EditorSettings(const std::string& channel = "16", const std::string& password = "1");

class EditorFixture : public ::testing::Test {
protected:
    void TearDown() override;

    // Writes the settings and (re)starts the view on a fresh sample document.
    // extraLang is appended to the English language file.
    void Start(const std::string& settings = EditorSettings(), const std::string& extraLang = "");

    // The sample channels: 1 simplex 446.00625 with both tones 67.0; 2 duplex
    // 440/445 with tones D023N and off; 5 simplex 450 without tones;
    // priority channel 2; every other channel empty. Not modified.
    void FillSample();

    CGridCtrl* Grid() const;
    QString Cell(int row, int col) const;
    bool ReadOnly(int row, int col) const;
    template <typename T> T* Control(int id) const { return qobject_cast<T*>(view->GetDlgItem(id)); }

    // A real left click on the grid cell.
    void ClickCell(int row, int col);
    // Clicks the cell and types text into the frequency editor, then presses key.
    void EnterFrequency(int row, int col, const QString& text, int key);
    // The language file of the test, which may be rewritten between refreshes.
    std::string LanguagePath() const { return m_home->file("english.lang"); }

    // Gives the focus to another control of the form (a real tab away).
    void FocusElsewhere();

    std::unique_ptr<CVelmarDoc> doc;
    CVelmarView* view = nullptr;
    std::vector<MessageBoxRecord> boxes;
    std::deque<int> answers;

private:
    MessageBoxScript m_boxScript { boxes, &answers };
    std::unique_ptr<VelmarHome> m_home;
};

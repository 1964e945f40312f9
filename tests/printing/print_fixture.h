#pragma once
// The channel table printed into real PDF files: a private VELMAR_HOME with
// setting.ini and the shipped English language file, a document and its
// (hidden) view, and the poppler tools to count, read and rasterise the
// pages. Message boxes and file dialogs are answered by the test.

#include "editor/velmar_view.h"
#include "model/velmar_doc.h"
#include "support/cli_runner.h"
#include "support/file_dialog_script.h"
#include "support/message_box_script.h"
#include "support/velmar_home.h"

#include <QImage>
#include <QString>
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CGridCtrl;
class QWidget;

// Output and exit code of a shell command (run under a time limit).
struct CommandResult
{
    int code = -1;
    std::string out;
};
CommandResult RunCommand(const std::string& command);

// The pages of a PDF, from the poppler tools.
int PdfPageCount(const std::string& pdf);
std::string PdfPageText(const std::string& pdf, int page);
// The page rendered at dpi dots per inch.
QImage PdfPageImage(const std::string& pdf, int page, int dpi);
// The row labels of a page: the leading number of each text line (the
// channel column), in the order printed.
std::vector<int> PrintedLabels(const std::string& pageText);
// Runs action while check runs on the modal dialog it opens; the dialog is
// closed afterwards whatever check found, so the test never waits on it.
void WithModalDialog(const std::function<void()>& action, const std::function<void(QWidget*)>& check);

// The date line as printed now and one minute earlier (a page may be made
// just before the minute turns).
std::vector<std::string> DateLinesNearNow();

class PrintFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Channels 1-16 with a receive frequency exactly for those listed; the
    // view then shows the document again.
    void UseChannels(const std::vector<int>& inUse);
    // A grid of rows body rows behind the heading, each with its number in
    // column 0 and a text in column 1 (more rows than the image holds).
    void UseGridRows(int rows);

    // Prints the view into a fresh PDF in the temp folder; its path.
    std::string PrintPdf(const std::string& name = "table.pdf");

    CGridCtrl* Grid() const;
    std::string Home() const { return m_home->path(); }
    std::string HomeFile(const std::string& name) const { return m_home->file(name); }

    std::unique_ptr<CVelmarDoc> doc;
    CVelmarView* view = nullptr;
    std::vector<MessageBoxRecord> boxes;
    std::vector<FileDialogRequest> fileDialogs;
    std::deque<std::string> chosenFiles;

private:
    MessageBoxScript m_boxScript { boxes };
    FileDialogScript m_dialogScript { fileDialogs, chosenFiles };
    std::unique_ptr<VelmarHome> m_home;
};

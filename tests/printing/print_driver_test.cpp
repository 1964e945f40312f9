// The print driver around a view: the framework's call order, refusals and
// write failures, File > Export PDF with its file choice and error box, and
// the print preview and print dialog on the application's printer.

#include "printing/print_fixture.h"

#include "grid/grid_ctrl.h"
#include "platform/ui/print_driver.h"
#include "platform/ui/print_info.h"
#include "platform/ui/view.h"

#include <QApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

// A view that records the framework's calls and prints one line per page.
class RecordingView : public CView
{
public:
    void OnUpdate(CDocumentView*, long) override { }
    bool OnPreparePrinting(CPrintInfo& info) override
    {
        calls.push_back("prepare");
        info.SetMaxPage(pages);
        return refuse ? false : DoPreparePrinting(info);
    }
    void OnBeginPrinting(QPainter&, CPrintInfo&) override { calls.push_back("begin"); }
    void OnPrint(QPainter& dc, CPrintInfo& info) override
    {
        calls.push_back("print " + std::to_string(info.m_nCurPage));
        dc.drawText(100, 100, QStringLiteral("page %1").arg(info.m_nCurPage));
    }
    void OnEndPrinting(QPainter&, CPrintInfo&) override { calls.push_back("end"); }

    int pages = 3;
    bool refuse = false;
    std::vector<std::string> calls;
};

TEST_F(PrintFixture, DriverCallsTheOverridesInFrameworkOrderOncePerPage)
{
    RecordingView recorder;
    const std::string pdf = HomeFile("order.pdf");
    std::string error;
    ASSERT_TRUE(PrintViewToPdf(recorder, pdf, &error)) << error;
    EXPECT_EQ(recorder.calls,
        (std::vector<std::string> { "prepare", "begin", "print 1", "print 2", "print 3", "end" }));
    EXPECT_EQ(PdfPageCount(pdf), 3);
    EXPECT_NE(PdfPageText(pdf, 2).find("page 2"), std::string::npos);
}

TEST_F(PrintFixture, RefusedOrUnwritableJobWritesNoFileAndSaysWhy)
{
    RecordingView recorder;
    recorder.refuse = true;
    std::string error;
    EXPECT_FALSE(PrintViewToPdf(recorder, HomeFile("refused.pdf"), &error));
    EXPECT_EQ(recorder.calls, std::vector<std::string> { "prepare" });
    EXPECT_FALSE(std::filesystem::exists(HomeFile("refused.pdf")));

    const std::string lost = HomeFile("no-such-folder/table.pdf");
    error.clear();
    EXPECT_FALSE(PrintViewToPdf(*view, lost, &error));
    EXPECT_NE(error.find(lost), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(lost));
}

TEST_F(PrintFixture, ExportPdfWritesThePrintedPagesToTheChosenFile)
{
    UseChannels({ 1, 2, 9 });
    const std::string pdf = HomeFile("export.pdf");
    chosenFiles.push_back(pdf);
    view->OnFileExportPdf();

    ASSERT_EQ(fileDialogs.size(), 1u);
    EXPECT_TRUE(fileDialogs[0].save);
    EXPECT_EQ(fileDialogs[0].filter, "PDF Files(*.pdf)");
    EXPECT_EQ(fileDialogs[0].defaultName, "Item.pdf");
    EXPECT_TRUE(boxes.empty());
    ASSERT_EQ(PdfPageCount(pdf), 1);
    EXPECT_EQ(PrintedLabels(PdfPageText(pdf, 1)), (std::vector<int> { 1, 2, 9 }));
}

TEST_F(PrintFixture, ExportPdfReportsAFileItCannotWriteAndKeepsTheOldOne)
{
    // A folder where the file should be: the save cannot replace it.
    const std::string blocked = HomeFile("blocked.pdf");
    std::filesystem::create_directory(blocked);
    chosenFiles.push_back(blocked);
    view->OnFileExportPdf();

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.rfind("The PDF file could not be written", 0), 0u) << boxes[0].text;
    EXPECT_NE(boxes[0].text.find(blocked), std::string::npos);
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].type, static_cast<unsigned>(MB_OK | MB_ICONERROR));
    EXPECT_TRUE(std::filesystem::is_directory(blocked));

    // Cancelling the file choice does nothing at all.
    boxes.clear();
    view->OnFileExportPdf();
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PrintFixture, PreviewShowsEveryPageOneAtATime)
{
    UseChannels({});
    UseGridRows(36);
    int pageCount = -1;
    QPrintPreviewWidget::ViewMode mode = QPrintPreviewWidget::AllPagesView;
    WithModalDialog([this] { view->OnFilePrintPreview(); },
        [&](QWidget* modal) {
            auto* dialog = qobject_cast<QPrintPreviewDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            auto* preview = dialog->findChild<QPrintPreviewWidget*>();
            ASSERT_NE(preview, nullptr);
            pageCount = preview->pageCount();
            mode = preview->viewMode();
        });
    EXPECT_EQ(pageCount, 2);
    EXPECT_EQ(mode, QPrintPreviewWidget::SinglePageView);
}

TEST_F(PrintFixture, PrintGoesThroughThePrintDialogToTheChosenPrinter)
{
    UseChannels({ 4, 6 });
    QPrinter& printer = AppPrinter();
    const QPrinter::OutputFormat format = printer.outputFormat();
    const QString previousFile = printer.outputFileName();
    const std::string pdf = HomeFile("printed.pdf");
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));

    bool dialogSeen = false;
    WithModalDialog([this] { view->OnFilePrint(); },
        [&](QWidget* modal) {
            auto* dialog = qobject_cast<QPrintDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            dialogSeen = true;
            EXPECT_EQ(dialog->maxPage(), 1);
            dialog->accept();
        });
    printer.setOutputFormat(format);
    printer.setOutputFileName(previousFile);

    EXPECT_TRUE(dialogSeen);
    EXPECT_TRUE(boxes.empty());
    ASSERT_EQ(PdfPageCount(pdf), 1);
    EXPECT_EQ(PrintedLabels(PdfPageText(pdf, 1)), (std::vector<int> { 4, 6 }));
}

TEST_F(PrintFixture, CancelledPrintDialogPrintsNothing)
{
    RecordingView recorder;
    WithModalDialog([&] { recorder.OnFilePrint(); },
        [](QWidget* modal) {
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
        });
    EXPECT_EQ(recorder.calls, std::vector<std::string> { "prepare" });
}

TEST_F(PrintFixture, PageFontIsTheSerifPrintFace)
{
    UseChannels({ 1 });
    const std::string pdf = PrintPdf();
    const CommandResult fonts = RunCommand("pdffonts " + ShellQuote(pdf));
    ASSERT_EQ(fonts.code, 0);
    EXPECT_NE(fonts.out.find("Serif"), std::string::npos) << fonts.out;
}

} // namespace

// The printing half of CView: the framework's print and preview commands
// around the view's four printing overrides.

#include "platform/ui/message_box.h"
#include "platform/ui/print_driver.h"
#include "platform/ui/print_info.h"
#include "platform/ui/view.h"
#include "shell/lang_string.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include <algorithm>

bool CView::OnPreparePrinting(CPrintInfo& info)
{
    return DoPreparePrinting(info);
}

void CView::OnBeginPrinting(QPainter&, CPrintInfo&) { }

void CView::OnPrint(QPainter&, CPrintInfo&) { }

void CView::OnEndPrinting(QPainter&, CPrintInfo&) { }

bool CView::DoPreparePrinting(CPrintInfo& info)
{
    if (!info.m_printer)
        info.m_printer = &AppPrinter();
    if (info.m_bPreview || info.m_bDirect)
        return true;

    QPrinter& printer = *info.m_printer;
    QPrintDialog dialog(&printer, window());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(info.GetMinPage(), info.GetMaxPage());
    // A range left from an earlier job may lie beyond this document's pages.
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        info.m_nFromPage = std::clamp(printer.fromPage(), info.GetMinPage(), info.GetMaxPage());
        info.m_nToPage = std::clamp(printer.toPage(), info.m_nFromPage, info.GetMaxPage());
    }
    return true;
}

void CView::OnFilePrint()
{
    CPrintInfo info;
    info.m_printer = &AppPrinter();
    if (!OnPreparePrinting(info))
        return;
    QPainter painter;
    if (!painter.begin(info.m_printer)) {
        ShowMessageBox(
            window(), LoadLangString("IDS_ERROR_PRINT"), LoadLangString("IDS_ERROR"), MB_OK | MB_ICONERROR);
        return;
    }
    RunPrintPages(*this, painter, *info.m_printer, info);
    painter.end();
}

void CView::OnFilePrintPreview()
{
    CPrintInfo info;
    info.m_bPreview = true;
    info.m_printer = &AppPrinter();
    if (!OnPreparePrinting(info))
        return;

    QPrintPreviewDialog dialog(info.m_printer, window());
    if (auto* preview = dialog.findChild<QPrintPreviewWidget*>()) {
        preview->setViewMode(info.m_nNumPreviewPages == 1 ? QPrintPreviewWidget::SinglePageView
                                                          : QPrintPreviewWidget::FacingPagesView);
    }
    // The preview asks again after every change of its page setup; each time
    // is a whole job over every page.
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this, &info](QPrinter* printer) {
        CPrintInfo job = info;
        job.m_nFromPage = 0;
        job.m_nToPage = 0;
        QPainter painter;
        if (!painter.begin(printer))
            return;
        RunPrintPages(*this, painter, *printer, job);
        painter.end();
    });
    dialog.exec();
}

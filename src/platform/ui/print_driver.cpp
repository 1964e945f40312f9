#include "platform/ui/print_driver.h"

#include "platform/ui/print_info.h"
#include "platform/ui/view.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QString>

#include <algorithm>

QPrinter& AppPrinter()
{
    // Never destroyed: a printer torn down after QApplication may reach into
    // the print plugin that is already gone.
    static QPrinter* printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
}

void RunPrintPages(CView& view, QPainter& painter, QPagedPaintDevice& device, CPrintInfo& info)
{
    view.OnBeginPrinting(painter, info);
    const int from = std::max(info.GetFromPage(), info.GetMinPage());
    const int to = std::min(info.GetToPage(), info.GetMaxPage());
    for (int page = from; page <= to; ++page) {
        if (page != from)
            device.newPage();
        info.m_nCurPage = page;
        painter.save();
        view.OnPrint(painter, info);
        painter.restore();
    }
    view.OnEndPrinting(painter, info);
}

void RunPrintSetup(QWidget* owner)
{
    QPageSetupDialog dialog(&AppPrinter(), owner);
    dialog.exec();
}

bool PrintViewToPdf(CView& view, const std::string& path, std::string* error)
{
    const auto fail = [error](const QString& reason) {
        if (error)
            *error = reason.toStdString();
        return false;
    };
    CPrintInfo info;
    info.m_bDirect = true;
    info.m_printer = &AppPrinter();
    if (!view.OnPreparePrinting(info))
        return fail(QStringLiteral("printing was refused"));

    const QString fileName = QString::fromStdString(path);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return fail(fileName + QStringLiteral(": ") + file.errorString());

    const QPrinter& printer = *info.m_printer;
    QPdfWriter writer(&file);
    writer.setPageLayout(printer.pageLayout());
    writer.setResolution(printer.resolution());
    writer.setCreator(QCoreApplication::applicationName());
    writer.setTitle(QFileInfo(fileName).completeBaseName());

    QPainter painter;
    if (!painter.begin(&writer)) {
        file.cancelWriting();
        return fail(fileName + QStringLiteral(": the PDF could not be started"));
    }
    RunPrintPages(view, painter, writer, info);
    painter.end();
    // A failed write (full disk, lost folder) leaves any earlier file as it was.
    if (!file.commit())
        return fail(fileName + QStringLiteral(": ") + file.errorString());
    return true;
}

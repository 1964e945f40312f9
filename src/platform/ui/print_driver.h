#pragma once
// Runs a view's print jobs as the document framework does: OnPreparePrinting,
// then OnBeginPrinting, OnPrint once per page and OnEndPrinting, on the
// application's printer, in a print preview or into a PDF file. The one
// application printer keeps the printer, paper and orientation chosen in
// print setup for every later job, PDF files included. UI thread only.

#include <string>

class CView;
class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QWidget;
struct CPrintInfo;

// The application's printer, made on first use; it lives until the process ends.
QPrinter& AppPrinter();

// OnBeginPrinting, OnPrint for each page of info's chosen range (a new
// device page between them), then OnEndPrinting. painter is open on device.
void RunPrintPages(CView& view, QPainter& painter, QPagedPaintDevice& device, CPrintInfo& info);

// File Print Setup (57606): the page setup dialog on the application's printer.
void RunPrintSetup(QWidget* owner);

// Writes the pages a print of view would give into a PDF file with the
// application printer's paper and resolution. The file is replaced only when
// the whole document was written. false, with the reason in error, when the
// view refused the job or the file could not be written.
bool PrintViewToPdf(CView& view, const std::string& path, std::string* error);

#pragma once
// velmar --print-pdf FILE.dig OUT.pdf [--settings FILE]: prints a data file's
// channel table into a PDF without showing a window, with the same pages as
// File > Print. Runs after QApplication exists; returns the exit code (0
// written, 1 a file could not be read or written, 2 a usage error).

#include <QStringList>

#include <iosfwd>

int RunPrintPdf(const QStringList& arguments, std::ostream& err);

// The velmar executable: the Qt application, then the program.

#include "app/print_pdf_command.h"
#include "app/velmar_main.h"

#include <QApplication>
#include <QStringList>

#include <cstdlib>
#include <cstring>
#include <iostream>

int main(int argc, char** argv)
{
    const bool printPdf = argc > 1 && std::strcmp(argv[1], "--print-pdf") == 0;
    // A batch print shows no window, so it must not need a display either.
    if (printPdf && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication qt(argc, argv);
    if (printPdf)
        return RunPrintPdf(QApplication::arguments().mid(2), std::cerr);
    return RunVelmar(QApplication::arguments().mid(1));
}

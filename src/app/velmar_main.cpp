#include "app/velmar_main.h"

#include "shell/ui/velmar_app.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>

int RunVelmar(const QStringList& arguments)
{
    CVelmarApp app;
    app.SetCommandLine(arguments);
    if (!app.InitInstance())
        return 1;
    // Lets install checks and start-up measurements run the whole start-up
    // without anyone to close the window.
    if (arguments.contains(QStringLiteral("--quit-after-start")))
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    return QApplication::exec();
}

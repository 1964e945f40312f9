#include "app/velmar_main.h"

#include "shell/ui/velmar_app.h"

#include <QApplication>
#include <QStringList>

int RunVelmar(const QStringList& arguments)
{
    CVelmarApp app;
    app.SetCommandLine(arguments);
    if (!app.InitInstance())
        return 1;
    return QApplication::exec();
}

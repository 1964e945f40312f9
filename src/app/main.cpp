// The velmar executable: the Qt application and the one application object.

#include "shell/ui/velmar_app.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qt(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Velmar"));
    CVelmarApp app;
    app.SetCommandLine(QApplication::arguments().mid(1));
    if (!app.InitInstance())
        return 1;
    return QApplication::exec();
}

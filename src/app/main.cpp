// The velmar executable: the Qt application, then the program.

#include "app/velmar_main.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char** argv)
{
    QApplication qt(argc, argv);
    return RunVelmar(QApplication::arguments().mid(1));
}

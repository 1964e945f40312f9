#pragma once
// The program after QApplication exists: the application object's start-up,
// then the event loop. Returns the process exit code (non-zero when start-up
// fails, for example without setting.ini).

#include <QStringList>

int RunVelmar(const QStringList& arguments);

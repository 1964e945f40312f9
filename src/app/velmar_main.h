#pragma once
// The program after QApplication exists: the application object's start-up,
// then the event loop. Returns the process exit code (non-zero when start-up
// fails, for example without setting.ini). "--quit-after-start" ends the
// event loop as soon as the main window is up.

#include <QStringList>

int RunVelmar(const QStringList& arguments);

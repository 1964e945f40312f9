#include "app/gui_helpers.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QtTest/QTest>

#include <utility>

bool ActivateWindow(QWidget* window)
{
    window->show();
    window->activateWindow();
    window->raise();
    return QTest::qWaitForWindowActive(window, 2000);
}

void WhenModalShown(std::function<void(QWidget*)> action)
{
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    QElapsedTimer clock;
    clock.start();
    QObject::connect(timer, &QTimer::timeout, timer, [timer, clock, action = std::move(action)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        } else if (clock.elapsed() > 2000) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

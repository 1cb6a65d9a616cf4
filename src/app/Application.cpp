#include "app/Application.h"

#include "app/ErrorGuard.h"

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {}

bool Application::notify(QObject *receiver, QEvent *event)
{
    if (!m_guard)
        return QApplication::notify(receiver, event);
    bool handled = false;
    m_guard->run([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

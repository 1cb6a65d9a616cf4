#pragma once

#include <QApplication>

class ErrorGuard;

// Catches what an event handler lets through, as a last resort behind the guarded slots:
// Qt itself cannot carry an exception back through its event loop.
class Application final : public QApplication
{
    Q_OBJECT
public:
    Application(int &argc, char **argv);

    void setErrorGuard(ErrorGuard *guard) { m_guard = guard; }
    bool notify(QObject *receiver, QEvent *event) override;

private:
    ErrorGuard *m_guard = nullptr;
};

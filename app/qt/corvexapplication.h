#pragma once

#include "eventguard.h"

#include <QApplication>

// The application object. An error that escapes an event handler is kept by
// the guard, which ends the event loop; main() reports it once the loop has
// returned.
class CorvexApplication : public QApplication
{
public:
    CorvexApplication(int &argc, char **argv);

    // The last net: handlers are guarded where they run, but an exception
    // must never travel on through Qt.
    bool notify(QObject *receiver, QEvent *event) override;

    EventGuard &guard() { return m_guard; }

private:
    EventGuard m_guard;
};

#pragma once

#include <QApplication>
#include <exception>

// The application object: every error that escapes an event handler ends
// here, in one report, and then the program ends.
class CorvexApplication : public QApplication
{
public:
    CorvexApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // Reports the error once and asks the event loop to end with status 1.
    void fail(const std::exception *error);
    bool failed() const { return m_failed; }

private:
    bool m_failed = false;
};

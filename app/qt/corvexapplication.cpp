#include "corvexapplication.h"

#include "errorreport.h"
#include "frmSettings.h"

CorvexApplication::CorvexApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Corvex_Settings"));
    setApplicationVersion(QStringLiteral("1.00"));
    setDesktopFileName(QStringLiteral("org.corvex.Settings"));
    // Every window of the program, the error report too, shows the lamp.
    setWindowIcon(frmSettings::icon());
}

bool CorvexApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        fail(&error);
    } catch (...) {
        fail(nullptr);
    }
    return false;
}

void CorvexApplication::fail(const std::exception *error)
{
    // Events that the report's own loop delivers may fail again: one report.
    if (m_failed)
        return;
    m_failed = true;
    ErrorReport::show(error);
    exit(1);
}

#include "corvexapplication.h"

#include "corvex_version.h"

#include <QThread>

CorvexApplication::CorvexApplication(int &argc, char **argv)
    : QApplication(argc, argv), m_guard([] {
          // Outside the event loop an exit would also end the report's own loop.
          if (QThread::currentThread()->loopLevel() > 0)
              QCoreApplication::exit(1);
      })
{
    setApplicationName(QStringLiteral("Corvex_Settings"));
    setApplicationVersion(QStringLiteral(CORVEX_VERSION_TEXT));
    setDesktopFileName(QStringLiteral("org.corvex.Settings"));
}

bool CorvexApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        m_guard.fail(std::current_exception());
    }
    return false;
}

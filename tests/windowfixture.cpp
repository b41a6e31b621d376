#include "windowfixture.h"

#include "switchpicture.h"

#include <QFile>
#include <QLineEdit>
#include <QTest>

WindowFixture::WindowFixture() : m_previousDir(QDir::currentPath())
{
    for (const char *name : {"ON_SW.bmp", "OFF_SW.bmp"})
        QFile::copy(resource(QString::fromLatin1(name)), path(QString::fromLatin1(name)));
    QDir::setCurrent(m_dir.path());
}

WindowFixture::~WindowFixture()
{
    stop();
    QDir::setCurrent(m_previousDir);
}

QString WindowFixture::resource(const QString &name)
{
    return QStringLiteral(CORVEX_RESOURCES_DIR "/") + name;
}

frmSettings &WindowFixture::start()
{
    m_window = std::make_unique<frmSettings>();
    m_window->load();
    m_window->show();
    m_window->activateWindow();
    QApplication::setActiveWindow(m_window.get());
    if (!QTest::qWaitForWindowActive(m_window.get()))
        qWarning("window did not become active");
    m_window->txtFreq()->setFocus();
    return *m_window;
}

void WindowFixture::stop()
{
    m_window.reset();
}

void WindowFixture::click(QWidget *widget, QPoint at)
{
    if (at == QPoint(-1, -1))
        at = widget->rect().center();
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
}

void WindowFixture::type(const QString &text)
{
    QLineEdit *field = m_window->txtFreq();
    click(field);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

void WindowFixture::key(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

int WindowFixture::shownCode() const
{
    const QImage off(path(QStringLiteral("OFF_SW.bmp")));
    int code = 0;
    for (int k = 1; k <= 8; ++k)
        if (m_window->pic(k)->picture().convertToFormat(QImage::Format_RGB32) ==
            off.convertToFormat(QImage::Format_RGB32))
            code |= 1 << (k - 1);
    return code;
}

bool WindowFixture::isRed() const
{
    return m_window->txtFreq()->palette().color(QPalette::Text) == QColor(255, 0, 0);
}

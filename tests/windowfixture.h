#pragma once

#include "frmSettings.h"

#include <QDir>
#include <QTemporaryDir>
#include <memory>

// A settings window started the way the program starts it, from a folder of
// its own that holds copies of the two switch images.
class WindowFixture
{
public:
    WindowFixture();
    ~WindowFixture();

    // Creates, loads and shows the window with the focus in the field.
    frmSettings &start();
    void stop();

    QString path(const QString &name) const { return m_dir.filePath(name); }
    static QString resource(const QString &name);

    frmSettings *window() const { return m_window.get(); }

    // Real input: a left click in the middle of a widget (or at a point),
    // typing that replaces the field's text, one key press.
    void click(QWidget *widget, QPoint at = QPoint(-1, -1));
    void type(const QString &text);
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // The switch code that the eight pictures show.
    int shownCode() const;
    bool isRed() const;

private:
    QTemporaryDir m_dir;
    QString m_previousDir;
    std::unique_ptr<frmSettings> m_window;
};

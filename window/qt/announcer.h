#pragma once

#include <QWidget>

// Tells screen readers a sentence without moving the focus. Qt 6.4 has no
// announcement event, and its AT-SPI bridge sends a name or description
// change with the object in place of the text, which Orca cannot read; a
// notification that shows is what Orca speaks. It draws nothing and takes
// neither the focus nor a click.
class Announcer : public QWidget
{
    Q_OBJECT

public:
    explicit Announcer(QWidget *parent);

    void say(const QString &sentence);
    QString sentence() const { return m_sentence; }

    // Before the first one is made: what screen readers read of it.
    static void installAccessibility();

private:
    QString m_sentence;
};

#include "announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

class AnnouncerAccessible : public QAccessibleWidget
{
public:
    explicit AnnouncerAccessible(Announcer *announcer)
        : QAccessibleWidget(announcer, QAccessible::Notification)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? static_cast<Announcer *>(widget())->sentence() : QString();
    }
};

QAccessibleInterface *accessibleAnnouncer(const QString &, QObject *object)
{
    if (auto *announcer = qobject_cast<Announcer *>(object))
        return new AnnouncerAccessible(announcer);
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    // Showing needs a size; one pixel with no background draws nothing.
    setGeometry(0, 0, 1, 1);
    hide();
}

void Announcer::say(const QString &sentence)
{
    m_sentence = sentence;
    // Each sentence is a notification shown anew.
    hide();
    show();
}

void Announcer::installAccessibility()
{
    QAccessible::installFactory(accessibleAnnouncer);
}

#include "switchpicture.h"

#include <QAccessibleWidget>
#include <QFocusEvent>

namespace {

// Whether a box shows the focus cue after this focus event: a focus that came
// by Tab does, one that came by a click or a screen reader's action does not,
// and the window's activation and a popup change nothing. Qt's own styles
// decide the same for their controls; the window draws these boxes itself.
bool cueAfter(const QFocusEvent *event, bool before)
{
    switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
        return event->gotFocus();
    case Qt::ActiveWindowFocusReason:
        return before;
    case Qt::PopupFocusReason:
        return event->lostFocus() && before;
    default:
        return false;
    }
}

} // namespace

void DrawnPicture::show(QWidget *box, Picture picture)
{
    // A validation sets eight pictures, most often to what they already show:
    // only a change costs a repaint, and only a new size a new geometry.
    if (picture.width == m_picture.width && picture.height == m_picture.height &&
        picture.pixels == m_picture.pixels)
        return;
    const bool resized = picture.width != m_picture.width || picture.height != m_picture.height;
    m_picture = std::move(picture); // the previous picture is released here
    if (resized)
        box->setFixedSize(m_picture.width, m_picture.height);
    box->update();
}

void DrawnPicture::focusChanged(QWidget *box, const QFocusEvent *event)
{
    m_focusByKeyboard = cueAfter(event, m_focusByKeyboard);
    box->update(); // the cue
}

SwitchHousing::SwitchHousing(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void SwitchHousing::focusInEvent(QFocusEvent *event)
{
    m_drawn.focusChanged(this, event);
    QWidget::focusInEvent(event);
}

void SwitchHousing::focusOutEvent(QFocusEvent *event)
{
    m_drawn.focusChanged(this, event);
    QWidget::focusOutEvent(event);
}

namespace {

// What screen readers hear of a switch: a check box whose state, name and
// description are read from the widget when asked. Its actions click it
// later, once the screen reader's call has returned, through the same road
// as the mouse; the check state itself only ever changes by the controller.
class SwitchAccessible : public QAccessibleWidget
{
public:
    explicit SwitchAccessible(SwitchPicture *lever)
        : QAccessibleWidget(lever, QAccessible::CheckBox)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = lever()->isChecked();
        return state;
    }

    QStringList actionNames() const override
    {
        return QStringList{toggleAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &action) override
    {
        if (action == toggleAction() || action == pressAction())
            QMetaObject::invokeMethod(lever(), &QAbstractButton::click, Qt::QueuedConnection);
        else
            QAccessibleWidget::doAction(action);
    }
    QStringList keyBindingsForAction(const QString &action) const override
    {
        if (action == toggleAction() || action == pressAction())
            return {QStringLiteral("Space")};
        return QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    SwitchPicture *lever() const { return static_cast<SwitchPicture *>(widget()); }
};

QAccessibleInterface *accessibleSwitch(const QString &, QObject *object)
{
    if (auto *lever = qobject_cast<SwitchPicture *>(object))
        return new SwitchAccessible(lever);
    return nullptr;
}

} // namespace

SwitchPicture::SwitchPicture(QWidget *parent) : QAbstractButton(parent)
{
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
}

void SwitchPicture::installAccessibility()
{
    QAccessible::installFactory(accessibleSwitch);
}

void SwitchPicture::focusInEvent(QFocusEvent *event)
{
    m_drawn.focusChanged(this, event);
    QAbstractButton::focusInEvent(event);
}

void SwitchPicture::focusOutEvent(QFocusEvent *event)
{
    m_drawn.focusChanged(this, event);
    QAbstractButton::focusOutEvent(event);
}

void SwitchPicture::paintEvent(QPaintEvent *)
{
    // The window draws it: this widget only takes clicks, keys and the focus.
}

#pragma once

#include "bitmap.h"

#include <QAbstractButton>
#include <QWidget>

// What the window needs of a box it draws itself: the picture, at the box's
// top-left corner through the one design-to-device mapping (so that it lies on
// the device pixels the design gives at every scale), and whether a focus
// cue goes around it. The box takes the size of its picture.
class DrawnPicture
{
public:
    void show(QWidget *box, Picture picture);
    const Picture &picture() const { return m_picture; }
    // Called from the box's focus events.
    void focusChanged(QWidget *box, const QFocusEvent *event);
    bool showsFocusCue(const QWidget *box) const { return box->hasFocus() && m_focusByKeyboard; }

private:
    Picture m_picture;
    bool m_focusByKeyboard = false;
};

// The switch housing: a borderless picture box that takes the focus.
class SwitchHousing : public QWidget
{
    Q_OBJECT

public:
    explicit SwitchHousing(QWidget *parent = nullptr);

    void setPicture(Picture picture) { m_drawn.show(this, std::move(picture)); }
    const Picture &picture() const { return m_drawn.picture(); }
    bool showsFocusCue() const { return m_drawn.showsFocusCue(this); }

    QSize sizeHint() const override { return {picture().width, picture().height}; }

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    DrawnPicture m_drawn;
};

// One switch of the block: a picture box (drawn by the window, as the
// housing is) that is a check box to screen
// readers, checked while its lever stands at ON. A left click (press and
// release inside), Space while it has the focus, and a screen reader's action
// all emit clicked(); the controller, not the button, decides the position,
// and the window routes the switch's keys to it. A focus that came by Tab
// shows a focus cue; one that came by a click does not.
class SwitchPicture : public QAbstractButton
{
    Q_OBJECT

public:
    explicit SwitchPicture(QWidget *parent = nullptr);

    // Screen readers get switches whose actions click them; call once.
    static void installAccessibility();

    void setPicture(Picture picture) { m_drawn.show(this, std::move(picture)); }
    const Picture &picture() const { return m_drawn.picture(); }
    bool showsFocusCue() const { return m_drawn.showsFocusCue(this); }
    QSize sizeHint() const override { return {picture().width, picture().height}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void nextCheckState() override {}

private:
    DrawnPicture m_drawn;
};

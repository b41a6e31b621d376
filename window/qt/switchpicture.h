#pragma once

#include "bitmap.h"

#include <QAbstractButton>
#include <QWidget>

// A borderless picture box: takes the size of its picture, which the window
// draws at its top-left corner through the one design-to-device mapping (so
// that it lies on the device pixels the design gives at every scale). The
// switch housing is one.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    void setPicture(Picture picture);
    const Picture &picture() const { return m_picture; }

    QSize sizeHint() const override { return {m_picture.width, m_picture.height}; }
    // The window draws a focus cue around it.
    bool showsFocusCue() const { return hasFocus() && m_focusByKeyboard; }

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    Picture m_picture;
    bool m_focusByKeyboard = false;
};

// One switch of the block: a picture box (drawn by the window, as the
// housing is) that is a check box to screen
// readers, checked while its lever stands at ON. A left click (press and
// release inside), Space while it has the focus, and a screen reader's action
// all emit clicked(); the controller, not the button, decides the position.
// A focus that came by Tab shows a focus cue; one that came by a click does not.
class SwitchPicture : public QAbstractButton
{
    Q_OBJECT

public:
    explicit SwitchPicture(QWidget *parent = nullptr);

    // Screen readers get switches whose actions click them; call once.
    static void installAccessibility();

    void setPicture(Picture picture);
    const Picture &picture() const { return m_picture; }
    // The window draws a focus cue around it.
    bool showsFocusCue() const { return hasFocus() && m_focusByKeyboard; }
    // A click by another road, for a screen reader: the focus moves here
    // first, as on a press of the mouse, then the switch is clicked.
    void press();

    QSize sizeHint() const override { return {m_picture.width, m_picture.height}; }

signals:
    // An arrow key asks for the previous (-1) or the next (1) switch.
    void stepped(int step);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void nextCheckState() override {}

private:
    Picture m_picture;
    bool m_focusByKeyboard = false;
};

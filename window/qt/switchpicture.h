#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QWidget>

// A borderless picture box: takes the size of its picture and shows it
// unscaled at its top-left corner. The switch housing is one.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    void setPicture(const QImage &picture);

    QSize sizeHint() const override { return m_picture.size(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
};

// One switch of the block: a picture box that is a check box to screen
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

    void setPicture(const QImage &picture);
    // A click by another road, for a screen reader: the focus moves here
    // first, as on a press of the mouse, then the switch is clicked.
    void press();

    QSize sizeHint() const override { return m_picture.size(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void nextCheckState() override {}

private:
    QImage m_picture;
    bool m_focusByKeyboard = false;
};

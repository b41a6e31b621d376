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

// One switch of the block: a picture box that is a toggle button to screen
// readers, checked while its lever stands at ON. A left click (press and
// release inside) emits clicked(); the controller, not the button, decides
// the position, and no key flips it.
class SwitchPicture : public QAbstractButton
{
    Q_OBJECT

public:
    explicit SwitchPicture(QWidget *parent = nullptr);

    void setPicture(const QImage &picture);

    QSize sizeHint() const override { return m_picture.size(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void nextCheckState() override {}
    void keyPressEvent(QKeyEvent *event) override { QWidget::keyPressEvent(event); }
    void keyReleaseEvent(QKeyEvent *event) override { QWidget::keyReleaseEvent(event); }

private:
    QImage m_picture;
};

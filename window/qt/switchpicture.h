#pragma once

#include <QImage>
#include <QWidget>

// A borderless picture box: takes the size of its picture, shows it unscaled
// at its top-left corner and reports a click (press and release inside).
class SwitchPicture : public QWidget
{
    Q_OBJECT

public:
    explicit SwitchPicture(QWidget *parent = nullptr);

    void setPicture(const QImage &picture);
    QImage picture() const { return m_picture; }

    QSize sizeHint() const override { return m_picture.size(); }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage m_picture;
    bool m_pressed = false;
};

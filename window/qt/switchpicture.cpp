#include "switchpicture.h"

#include <QMouseEvent>
#include <QPainter>

SwitchPicture::SwitchPicture(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

void SwitchPicture::setPicture(const QImage &picture)
{
    m_picture = picture; // the previous picture is released here
    setFixedSize(m_picture.size());
    update();
}

void SwitchPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_picture);
}

void SwitchPicture::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void SwitchPicture::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    event->accept();
    if (wasPressed && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint()))
        emit clicked();
}

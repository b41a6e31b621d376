#include "switchpicture.h"

#include <QPainter>

namespace {

// A validation sets eight pictures, most often to what they already show:
// only a change costs a repaint, and only a new size a new geometry.
void showPicture(QWidget *box, QImage &shown, const QImage &picture)
{
    if (picture == shown)
        return;
    const bool resized = picture.size() != shown.size();
    shown = picture; // the previous picture is released here
    if (resized)
        box->setFixedSize(shown.size());
    box->update();
}

} // namespace

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::setPicture(const QImage &picture)
{
    showPicture(this, m_picture, picture);
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter(this).drawImage(QPoint(0, 0), m_picture);
}

SwitchPicture::SwitchPicture(QWidget *parent) : QAbstractButton(parent)
{
    setAutoFillBackground(true);
    setCheckable(true);
    // A click gives a switch the focus; no key flips it, so Tab passes it by.
    setFocusPolicy(Qt::ClickFocus);
}

void SwitchPicture::setPicture(const QImage &picture)
{
    showPicture(this, m_picture, picture);
}

void SwitchPicture::paintEvent(QPaintEvent *)
{
    QPainter(this).drawImage(QPoint(0, 0), m_picture);
}

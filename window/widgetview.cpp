#include "widgetview.h"

#include "pictureloader.h"
#include "switchpicture.h"
#include "systemcolour.h"
#include "tuningrecord.h"

#include <QLabel>
#include <QLineEdit>

WidgetView::WidgetView(QLineEdit *txtFreq, QLabel *Description,
                       const std::array<SwitchPicture *, 8> &pics)
    : m_txtFreq(txtFreq), m_Description(Description), m_pics(pics)
{
}

QString WidgetView::readFrequencyText()
{
    return m_txtFreq->text();
}

void WidgetView::showFrequencyText(const QString &text)
{
    m_txtFreq->setText(text);
}

void WidgetView::setFrequencyColour(std::uint32_t colour)
{
    QPalette palette = m_txtFreq->palette();
    palette.setColor(QPalette::Text, SystemColour::toQColor(colour, palette));
    m_txtFreq->setPalette(palette);
}

void WidgetView::setSwitchPicture(int k, const QString &fileName)
{
    SwitchPicture *picture = m_pics.at(std::size_t(k - 1));
    picture->setPicture(loadPicture(fileName));
    picture->setAccessibleDescription(fileName == PicOffName ? QStringLiteral("OFF")
                                                             : QStringLiteral("ON"));
}

void WidgetView::setDescription(const QString &text)
{
    // The label breaks lines at '\n'; a '\r' would show as a stray glyph.
    m_Description->setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

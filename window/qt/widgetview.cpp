#include "widgetview.h"

#include "announcer.h"
#include "design.h"
#include "posixfileopener.h"
#include "switchpicture.h"
#include "systemcolour.h"

#include <QLabel>
#include <QLineEdit>

WidgetView::WidgetView(QLineEdit *txtFreq, QLabel *Description,
                       const std::array<SwitchPicture *, SwitchCount> &pics, Announcer *announcer)
    : m_txtFreq(txtFreq), m_Description(Description), m_pics(pics), m_announcer(announcer),
      m_frequencyColour(Design::control("txtFreq").foreground)
{
}

std::string WidgetView::readFrequencyText()
{
    return m_txtFreq->text().toStdString();
}

void WidgetView::showFrequencyText(const std::string &text)
{
    m_txtFreq->setText(QString::fromStdString(text));
}

void WidgetView::setFrequencyColour(std::uint32_t colour)
{
    m_frequencyColour = colour;
    const QColor shown = toQColor(colour, m_txtFreq->palette());
    if (m_txtFreq->palette().color(QPalette::Text) == shown)
        return; // a new palette costs every widget a resolve and a repaint
    QPalette palette = m_txtFreq->palette();
    palette.setColor(QPalette::Text, shown);
    m_txtFreq->setPalette(palette);
}

void WidgetView::setFrequencyBelowBand(bool below)
{
    const QString description = below ? QString::fromUtf8(Design::BelowBandText) : QString();
    if (m_txtFreq->accessibleDescription() != description) // each change is announced
        m_txtFreq->setAccessibleDescription(description);
}

void WidgetView::setSwitchPicture(int k, const std::string &fileName, SwitchPosition position)
{
    SwitchPicture *picture = m_pics.at(std::size_t(k - 1));
    picture->setPicture(readPictureFile(PosixFileOpener(), fileName));
    // Screen readers announce the position as the button's state and in words.
    const bool on = position == SwitchPosition::On;
    picture->setChecked(on);
    const QString description =
        QString::fromUtf8(on ? Design::SwitchOnText : Design::SwitchOffText);
    if (picture->accessibleDescription() != description) // each change is announced
        picture->setAccessibleDescription(description);
}

void WidgetView::setDescription(const std::string &text)
{
    // The label breaks lines at '\n'; a '\r' would show as a stray glyph.
    m_Description->setText(
        QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void WidgetView::focusSwitch(int k, FocusCue cue)
{
    m_pics.at(std::size_t(k - 1))
        ->setFocus(cue == FocusCue::Shown ? Qt::TabFocusReason : Qt::OtherFocusReason);
}

void WidgetView::announce(const SwitchChange &change)
{
    m_announcer->say(QString::fromStdString(Design::spokenChange(change)));
}

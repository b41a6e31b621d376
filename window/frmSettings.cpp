#include "frmSettings.h"

#include "controller.h"
#include "designfont.h"
#include "frequencyfield.h"
#include "switchpicture.h"
#include "systemcolour.h"
#include "widgetview.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>

namespace {

// The design is laid out in twips, 15 to a pixel.
constexpr int TwipsPerPixel = 15;

QRect twips(int left, int top, int width, int height)
{
    return QRect(left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel,
                 height / TwipsPerPixel);
}

void setColours(QWidget *widget, QPalette::ColorRole backgroundRole, std::uint32_t background,
                QPalette::ColorRole foregroundRole, std::uint32_t foreground)
{
    QPalette palette = widget->palette();
    palette.setColor(backgroundRole, SystemColour::toQColor(background, palette));
    palette.setColor(foregroundRole, SystemColour::toQColor(foreground, palette));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel *makeLabel(QWidget *parent, const char *name, const QString &caption, const QRect &geometry)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    setColours(label, QPalette::Window, SystemColour::ButtonFace, QPalette::WindowText,
               SystemColour::ButtonText);
    return label;
}

SwitchPicture *makePicture(QWidget *parent, const QString &name, const QImage &image,
                           const QPoint &position)
{
    auto *picture = new SwitchPicture(parent);
    picture->setObjectName(name);
    picture->setPicture(image);
    picture->move(position);
    setColours(picture, QPalette::Window, SystemColour::WindowBackground, QPalette::WindowText,
               SystemColour::WindowText);
    return picture;
}

} // namespace

frmSettings::frmSettings(QWidget *parent) : QWidget(parent)
{
    buildWindow();
    buildControls();
    setTabOrder();
    m_view = std::make_unique<WidgetView>(m_txtFreq, m_Description, m_pics);
    m_controller = std::make_unique<SettingsController>(*m_view);
    bindEvents();
    m_txtFreq->setFocus();
}

frmSettings::~frmSettings()
{
    // The focus moves while QWidget destroys the children, after this part of
    // the window is gone: no validation may run then.
    disconnect(m_focusConnection);
}

void frmSettings::load()
{
    m_controller->Form_Load();
}

void frmSettings::buildWindow()
{
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(QStringLiteral("Settings for Corvex:"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowIcon(QIcon(QStringLiteral(":/Corvex_Settings.ico")));
    setFixedSize(twips(0, 0, 4680, 3195).size());
    setFont(designFont(8));
    setColours(this, QPalette::Window, SystemColour::ButtonFace, QPalette::WindowText,
               SystemColour::ButtonText);
}

void frmSettings::buildControls()
{
    // Created back to front: each new sibling lies above the ones before it.
    m_MHz = makeLabel(this, "MHz", QStringLiteral("MHz"), twips(3120, 600, 1200, 615));
    m_MHz->setFont(designFont(24, true));

    m_Description =
        makeLabel(this, "Description", QStringLiteral("Label1"), twips(855, 1305, 3270, 840));
    m_Description->setWordWrap(true);

    const QImage switchPicture(QStringLiteral(":/switch.bmp")); // decoded once, shared by all
    m_picDIP_SW =
        makePicture(this, QStringLiteral("picDIP_SW"), QImage(QStringLiteral(":/picDIP_SW.bmp")),
                    twips(1560, 2280, 1500, 735).topLeft());
    m_picDIP_SW->setAccessibleName(QStringLiteral("DIP switch"));
    m_pics[0] = makePicture(m_picDIP_SW, QStringLiteral("pic1"), switchPicture,
                            twips(75, 195, 120, 285).topLeft());

    m_txtFreq = new FrequencyField(this);
    m_txtFreq->setObjectName(QStringLiteral("txtFreq"));
    m_txtFreq->setGeometry(twips(1500, 570, 1395, 615));
    m_txtFreq->setText(QStringLiteral("Text1"));
    m_txtFreq->setMaxLength(5);
    m_txtFreq->setAlignment(Qt::AlignCenter);
    m_txtFreq->setFont(designFont(24, true));
    m_txtFreq->setToolTip(QStringLiteral("Type a frequency between 82,5MHz and 108,0MHz"));
    m_txtFreq->setAccessibleName(QStringLiteral("Frequency in MHz"));
    setColours(m_txtFreq, QPalette::Base, SystemColour::ActiveBorder, QPalette::Text,
               SystemColour::WindowText);

    for (int k = 2; k <= 8; ++k) {
        const int left = 1815 + 180 * (k - 2);
        m_pics[k - 1] = makePicture(this, QStringLiteral("pic%1").arg(k), switchPicture,
                                    twips(left, 2475, 120, 285).topLeft());
    }
    for (int k = 1; k <= 8; ++k) {
        pic(k)->setToolTip(QStringLiteral("Click to change position"));
        pic(k)->setAccessibleName(QStringLiteral("Switch %1").arg(k));
    }
}

void frmSettings::setTabOrder()
{
    QWidget::setTabOrder(m_txtFreq, m_picDIP_SW);
    QWidget *previous = m_picDIP_SW;
    for (SwitchPicture *picture : m_pics) {
        QWidget::setTabOrder(previous, picture);
        previous = picture;
    }
}

void frmSettings::bindEvents()
{
    for (int k = 1; k <= 8; ++k)
        connect(pic(k), &SwitchPicture::clicked, this, [this, k] { m_controller->picClick(k); });
    m_focusConnection =
        connect(qApp, &QApplication::focusChanged, this, &frmSettings::onFocusChanged);
}

void frmSettings::onFocusChanged(QWidget *old, QWidget *now)
{
    // Only a move to another control of this window validates the field; the
    // whole window losing activation, or a popup, does not.
    if (old == m_txtFreq && now && now != m_txtFreq && now->window() == this)
        m_controller->txtFreq_Validate();
}

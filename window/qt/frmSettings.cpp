#include "frmSettings.h"

#include "announcer.h"
#include "controller.h"
#include "designfont.h"
#include "devicescale.h"
#include "frequencyfield.h"
#include "localefacts.h"
#include "pictureloader.h"
#include "switchpicture.h"
#include "systemcolour.h"
#include "widgetview.h"

#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <algorithm>
#include <iterator>

namespace {

QRect geometryOf(const Design::Control &design)
{
    using Design::pixels;
    return QRect(pixels(design.left), pixels(design.top), pixels(design.width),
                 pixels(design.height));
}

// Design colours over the system's palette as it is now.
void setColours(QWidget *widget, QPalette::ColorRole backgroundRole, std::uint32_t background,
                QPalette::ColorRole foregroundRole, std::uint32_t foreground)
{
    QPalette palette = QApplication::palette(widget);
    palette.setColor(backgroundRole, toQColor(background, palette));
    palette.setColor(foregroundRole, toQColor(foreground, palette));
    widget->setPalette(palette);
    // A picture box's picture covers it, and the window draws that.
    widget->setAutoFillBackground(!qobject_cast<SwitchHousing *>(widget) &&
                                  !qobject_cast<SwitchPicture *>(widget));
}

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// The lamp at one size, read by Qt's own PNG reader: left to detect the
// format, a reader first loads every image plugin to ask each one.
QPixmap lamp(int size)
{
    QImageReader reader(QStringLiteral(":/icons/%1.png").arg(size), "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

} // namespace

frmSettings::frmSettings(EventGuard &guard, QWidget *parent) : QWidget(parent), m_guard(guard)
{
    static const bool accessible =
        (SwitchPicture::installAccessibility(), FrequencyField::installAccessibility(),
         Announcer::installAccessibility(), true);
    Q_UNUSED(accessible);
    buildWindow();
    // Created back to front, each new sibling above the ones before it; the
    // housing's own children once the housing is there.
    for (const bool inHousing : {false, true})
        for (auto design = std::rbegin(Design::Controls); design != std::rend(Design::Controls);
             ++design)
            if (design->inHousing == inHousing)
                buildControl(*design);
    QWidget *previous = nullptr;
    for (const Design::Control *stop : Design::tabOrder()) {
        auto *widget = findChild<QWidget *>(text(stop->name));
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
    m_view = std::make_unique<WidgetView>(m_txtFreq, m_Description, m_pics, new Announcer(this));
    applyColours();
    m_controller = std::make_unique<SettingsController>(*m_view, NumberText(localeFacts()));
    bindEvents();
    QCoreApplication::instance()->installEventFilter(this);
    m_txtFreq->setFocus();
}

frmSettings::~frmSettings()
{
    // The focus moves while QWidget destroys the children, after this part of
    // the window is gone: no validation may run then.
    disconnect(m_focusConnection);
}

QIcon frmSettings::icon()
{
    QIcon sizes;
    for (const int size : {16, 24, 32, 48, 64})
        sizes.addPixmap(lamp(size));
    return sizes;
}

void frmSettings::load()
{
    m_controller->Form_Load();
}

void frmSettings::buildWindow()
{
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(text(Design::Caption));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    // The title bar's own size now; the others once the window has painted,
    // since each becomes window-manager icon data at once.
    setWindowIcon(QIcon(lamp(32)));
    setFixedSize(Design::pixels(Design::ClientWidth), Design::pixels(Design::ClientHeight));
    setFont(designFont(Design::WindowFont));
}

void frmSettings::applyColours()
{
    setColours(this, QPalette::Window, Design::ButtonFace, QPalette::WindowText,
               Design::ButtonText);
    for (const Design::Control &design : Design::Controls) {
        auto *widget = findChild<QWidget *>(text(design.name));
        if (design.kind == Design::Kind::TextBox) // red or black as the controller set it
            setColours(widget, QPalette::Base, design.background, QPalette::Text,
                       m_view->frequencyColour());
        else
            setColours(widget, QPalette::Window, design.background, QPalette::WindowText,
                       design.foreground);
    }
}

void frmSettings::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    // The field's caret blinks twice a second: that costs the block nothing.
    QRect block = m_picDIP_SW->geometry();
    for (int k = 1; k <= SwitchCount; ++k)
        block |= QRect(pic(k)->mapTo(this, QPoint(0, 0)), pic(k)->size());
    if (event->region().intersects(block))
        paintSwitchBlock();
    if (!m_painted) {
        m_painted = true;
        QMetaObject::invokeMethod(
            this, [this] { setWindowIcon(icon()); }, Qt::QueuedConnection);
    }
}

void frmSettings::paintSwitchBlock()
{
    // In device pixels, through the mapping the core gives: at 1.25 and 1.75
    // the toolkit would round the boxes' positions otherwise, and a switch
    // would lie a row off its slot. The window's origin is device pixel 0.
    const qreal ratio = devicePixelRatioF();
    const int dpi = qRound(96 * ratio);
    QPainter painter(this);
    painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
    const auto draw = [&](const Design::Control &design, const Picture &picture) {
        const DeviceRect at = Design::deviceRect(design, Design::Arrangement::Desktop, dpi);
        const QImage device = toQImage(
            atDeviceScale(picture, Design::windowLeft(design), Design::windowTop(design), dpi));
        painter.drawImage(QPoint(at.left, at.top), device);
        return QRect(at.left, at.top, device.width(), device.height());
    };
    const auto cue = [&](QWidget *box, const QRect &at) {
        QStyleOptionFocusRect option;
        option.initFrom(box);
        option.rect = at;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, box);
    };
    const QRect housing = draw(Design::control("picDIP_SW"), m_picDIP_SW->picture());
    if (m_picDIP_SW->showsFocusCue())
        cue(m_picDIP_SW, housing);
    for (int k = 1; k <= SwitchCount; ++k) {
        const QRect at = draw(Design::switchControl(k), pic(k)->picture());
        if (pic(k)->showsFocusCue())
            cue(pic(k), at);
    }
}

bool frmSettings::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
        for (int k = 1; k <= SwitchCount; ++k)
            if (watched == pic(k))
                return switchKey(k, static_cast<QKeyEvent *>(event));
    // A theme switched while the program runs, high contrast for one: Qt
    // tells the application, not a window with colours of its own.
    if (watched == QCoreApplication::instance() &&
        event->type() == QEvent::ApplicationPaletteChange)
        applyColours();
    return QWidget::eventFilter(watched, event);
}

void frmSettings::buildControl(const Design::Control &design)
{
    QWidget *parent = design.inHousing ? static_cast<QWidget *>(m_picDIP_SW) : this;
    QWidget *widget = nullptr;
    switch (design.kind) {
    case Design::Kind::Label: {
        auto *label = new QLabel(text(design.text), parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        if (design.role == Design::Role::Instructions)
            m_Description = label;
        widget = label;
        break;
    }
    case Design::Kind::TextBox: {
        auto *field = new FrequencyField(parent);
        field->setText(text(design.text));
        field->setMaxLength(Design::FrequencyMaxLength);
        field->setAlignment(Qt::AlignCenter);
        m_txtFreq = field;
        widget = field;
        break;
    }
    case Design::Kind::PictureBox: {
        Picture picture = loadEmbeddedPicture(design.picture);
        if (design.switchNumber) {
            auto *lever = new SwitchPicture(parent);
            lever->setPicture(std::move(picture));
            m_pics.at(std::size_t(design.switchNumber - 1)) = lever;
            widget = lever;
        } else {
            m_picDIP_SW = new SwitchHousing(parent);
            m_picDIP_SW->setPicture(std::move(picture));
            widget = m_picDIP_SW;
        }
        break;
    }
    }
    widget->setObjectName(text(design.name));
    if (design.kind == Design::Kind::PictureBox)
        widget->move(geometryOf(design).topLeft()); // the picture gives the size
    else
        widget->setGeometry(geometryOf(design));
    if (design.font.points > 0)
        widget->setFont(designFont(design.font));
    widget->setToolTip(text(design.toolTip));
    widget->setAccessibleName(text(design.accessibleName));
}

void frmSettings::bindEvents()
{
    for (int k = 1; k <= SwitchCount; ++k) {
        connect(pic(k), &SwitchPicture::clicked, this,
                [this, k] { m_guard.run([&] { m_controller->switchPressed(k); }); });
        pic(k)->installEventFilter(this); // its keys
    }
    m_focusConnection =
        connect(qApp, &QApplication::focusChanged, this, &frmSettings::onFocusChanged);
}

bool frmSettings::switchKey(int k, const QKeyEvent *event)
{
    const SwitchKey key = event->key() == Qt::Key_Left    ? SwitchKey::Left
                          : event->key() == Qt::Key_Up    ? SwitchKey::Up
                          : event->key() == Qt::Key_Right ? SwitchKey::Right
                          : event->key() == Qt::Key_Down  ? SwitchKey::Down
                          : event->key() == Qt::Key_Space ? SwitchKey::Space
                                                          : SwitchKey::Other;
    const KeyPhase phase =
        event->type() == QEvent::KeyPress ? KeyPhase::Pressed : KeyPhase::Released;
    const Qt::KeyboardModifiers held = event->modifiers();
    const KeyModifiers modifiers{held.testFlag(Qt::ShiftModifier),
                                 held.testFlag(Qt::ControlModifier), held.testFlag(Qt::AltModifier),
                                 held.testFlag(Qt::MetaModifier)};
    bool consumed = false;
    m_guard.run([&] {
        consumed = m_controller->switchKey(k, key, phase, modifiers, event->isAutoRepeat());
    });
    return consumed;
}

void frmSettings::onFocusChanged(QWidget *old, QWidget *now)
{
    // Only a move to another control of this window validates the field; the
    // whole window losing activation, or a popup, does not.
    if (old == m_txtFreq)
        m_guard.run([&] { m_controller->fieldLostFocus(now && now->window() == this); });
}

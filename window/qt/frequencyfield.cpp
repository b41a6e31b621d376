#include "frequencyfield.h"

#include "design.h"
#include "devicescale.h"

#include <QAccessibleWidget>
#include <QPainter>

FrequencyField::FrequencyField(QWidget *parent) : QLineEdit(parent)
{
    setFrame(false);
    setTextMargins(1, 1, 1, 1); // room for the border
    setAttribute(Qt::WA_MacShowFocusRect, false);
}

void FrequencyField::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    // The border lies on the device pixels the design gives through the one
    // mapping, equally wide on all four sides: painted in the window's device
    // pixels, not from this widget's own origin, which a fractional scale
    // puts between two pixels.
    const qreal ratio = devicePixelRatioF();
    const int dpi = qRound(ratio * 96);
    const int border = borderWidth(dpi);
    const DeviceRect outer =
        Design::deviceRect(Design::control("txtFreq"), Design::Arrangement::Desktop, dpi);
    const QPoint origin = mapTo(window(), QPoint(0, 0));
    QTransform windowPixels;
    windowPixels.translate(-origin.x(), -origin.y());
    windowPixels.scale(1 / ratio, 1 / ratio);
    QPainter painter(this);
    painter.setWorldTransform(windowPixels);
    const QColor colour = palette().color(QPalette::WindowText);
    for (const DeviceRect &side : frameSides(outer, border))
        painter.fillRect(side.left, side.top, side.right - side.left, side.bottom - side.top,
                         colour);
}

namespace {

// The field as screen readers read it: Qt's own line edit, but for one fault.
// Qt 6.4 answers each offset's text attributes with an empty run that starts
// and ends there; Orca joins the runs of a line and reads up to the last
// one's end, one character short ("87." for 87.5). The field has one run of
// no attributes over its whole text.
class FieldAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit FieldAccessible(QLineEdit *field) : QAccessibleWidget(field, QAccessible::EditableText)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? field()->text() : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = !field()->isReadOnly();
        state.selectableText = true;
        return state;
    }

    QString attributes(int offset, int *start, int *end) const override
    {
        *start = offset < 0 || offset > characterCount() ? -1 : 0;
        *end = *start < 0 ? -1 : characterCount();
        return {};
    }
    QString text(int start, int end) const override
    {
        return field()->text().mid(start, end - start);
    }
    int characterCount() const override { return int(field()->text().size()); }
    int cursorPosition() const override { return field()->cursorPosition(); }
    void setCursorPosition(int position) override { field()->setCursorPosition(position); }
    int selectionCount() const override { return field()->hasSelectedText() ? 1 : 0; }
    void selection(int index, int *start, int *end) const override
    {
        *start = *end = 0;
        if (index == 0 && field()->hasSelectedText()) {
            *start = field()->selectionStart();
            *end = field()->selectionEnd();
        }
    }
    void setSelection(int, int start, int end) override
    {
        field()->setSelection(start, end - start);
    }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { field()->deselect(); }
    QRect characterRect(int offset) const override
    {
        // The text is centred in the field.
        const QFontMetrics metrics = field()->fontMetrics();
        const QString shown = field()->text();
        const QRect inside = field()->contentsRect();
        const int left = inside.center().x() - metrics.horizontalAdvance(shown) / 2 +
                         metrics.horizontalAdvance(shown.left(offset));
        const QRect local(left, inside.top(), metrics.horizontalAdvance(shown.mid(offset, 1)),
                          inside.height());
        return QRect(field()->mapToGlobal(local.topLeft()), local.size());
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        return field()->cursorPositionAt(field()->mapFromGlobal(point));
    }
    void scrollToSubstring(int, int) override {}

private:
    QLineEdit *field() const { return static_cast<QLineEdit *>(widget()); }
};

QAccessibleInterface *accessibleField(const QString &, QObject *object)
{
    if (auto *field = qobject_cast<FrequencyField *>(object))
        return new FieldAccessible(field);
    return nullptr;
}

} // namespace

void FrequencyField::installAccessibility()
{
    QAccessible::installFactory(accessibleField);
}

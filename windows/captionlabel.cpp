#include "captionlabel.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <cstdlib>

namespace {

int distance(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
           std::abs(a.blue() - b.blue());
}

} // namespace

CaptionLabel::CaptionLabel(QWidget* parent)
    : QWidget(parent)
    , m_backColor(palette().color(QPalette::Window)) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
}

void CaptionLabel::setCaption(const QString& caption) {
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
    // A screen reader reads the caption; Qt tells it of each new name.
    setAccessibleName(caption);
}

void CaptionLabel::setBackColor(const QColor& colour) {
    if (colour == m_backColor)
        return;
    m_backColor = colour;
    if (m_backStyle == BackStyle::Opaque)
        update();
}

QColor CaptionLabel::foreColor() const {
    return m_foreColor.value_or(palette().color(QPalette::Active, QPalette::WindowText));
}

void CaptionLabel::setForeColor(const QColor& colour) {
    if (m_foreColor == colour)
        return;
    m_foreColor = colour;
    update();
}

void CaptionLabel::setBackStyle(BackStyle style) {
    if (style == m_backStyle)
        return;
    m_backStyle = style;
    // A transparent label lets its container paint underneath it first.
    setAttribute(Qt::WA_OpaquePaintEvent, style == BackStyle::Opaque);
    update();
}

void CaptionLabel::setBorderStyle(BorderStyle style) {
    if (style == m_borderStyle)
        return;
    m_borderStyle = style;
    update();
}

void CaptionLabel::setAlignment(Qt::Alignment alignment) {
    alignment &= Qt::AlignHorizontal_Mask;
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    update();
}

QColor CaptionLabel::disabledForeColor() const {
    const QColor disabled = palette().color(QPalette::Disabled, QPalette::WindowText);
    const QColor enabled = foreColor();
    constexpr int minimumDifference = 96;
    if (distance(disabled, enabled) >= minimumDifference &&
        (m_backStyle == BackStyle::Transparent ||
         distance(disabled, m_backColor) >= minimumDifference))
        return disabled;
    return distance(enabled, QColor(128, 128, 128)) >= minimumDifference ? QColor(128, 128, 128)
                                                                         : QColor(64, 64, 64);
}

void CaptionLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_backStyle == BackStyle::Opaque)
        painter.fillRect(rect(), m_backColor);

    const QColor text = isEnabled() ? foreColor() : disabledForeColor();
    if (!m_caption.isEmpty()) {
        // Text stands at the top of the label; a face whose line is taller
        // than the label is centred instead, so that it overflows evenly
        // rather than losing its lower part.
        const Qt::Alignment vertical =
            fontMetrics().height() > height() ? Qt::AlignVCenter : Qt::AlignTop;
        painter.setPen(text);
        painter.drawText(rect(), static_cast<int>(m_alignment | vertical | Qt::TextSingleLine),
                         m_caption);
    }
    if (m_borderStyle == BorderStyle::FixedSingle) {
        painter.setPen(foreColor());
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void CaptionLabel::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::EnabledChange:
    case QEvent::FontChange:
    case QEvent::PaletteChange:
        update();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

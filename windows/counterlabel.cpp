#include "counterlabel.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>

CounterLabel::CounterLabel(QWidget* parent)
    : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
}

void CounterLabel::setCaption(const QString& caption) {
    if (caption == m_caption)
        return;
    m_caption = caption;
    repaint();
    // A screen reader reads the number as of its last whole change: the clock's hundredths would
    // send it 66.67 names a second that nobody hears, at a cost to every program on the bus.
    // The counters show no sign, so the whole part is the digits before the decimal separator.
    const auto whole = [](const QString& number) {
        qsizetype end = 0;
        while (end < number.size() && number.at(end).isDigit())
            ++end;
        return QStringView(number).left(end);
    };
    if (whole(caption) != whole(accessibleName()))
        setAccessibleName(caption);
}

CounterLabel::Glyph CounterLabel::glyphOf(QChar c) {
    auto found = m_glyphs.constFind(c);
    if (found == m_glyphs.cend()) {
        Glyph glyph;
        glyph.index = m_rawFont.glyphIndexesForString(QString(c)).value(0);
        glyph.advance = m_rawFont.advancesForGlyphIndexes({glyph.index}).value(0).x();
        found = m_glyphs.insert(c, glyph);
    }
    return *found;
}

qreal CounterLabel::layOut(QGlyphRun& run) {
    if (!m_rawFont.isValid())
        m_rawFont = QRawFont::fromFont(font());
    QList<quint32> indexes;
    QList<QPointF> positions;
    qreal x = 0;
    for (const QChar c : m_caption) {
        const Glyph glyph = glyphOf(c);
        if (glyph.index == 0)
            return QFontMetricsF(font()).horizontalAdvance(m_caption);
        indexes.append(glyph.index);
        positions.append(QPointF(x, m_rawFont.ascent()));
        x += glyph.advance;
    }
    run.setRawFont(m_rawFont);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    return x;
}

void CounterLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));

    QGlyphRun run;
    const qreal natural = layOut(run);
    const qreal scale = natural > width() ? width() / natural : 1.0;
    painter.translate(width() - natural * scale, 0);
    painter.scale(scale, 1);
    if (run.isEmpty())
        painter.drawText(QPointF(0, QFontMetricsF(font()).ascent()), m_caption);
    else
        painter.drawGlyphRun(QPointF(0, 0), run);
}

void CounterLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        m_rawFont = QRawFont();
        m_glyphs.clear();
    }
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        update();
    QWidget::changeEvent(event);
}
